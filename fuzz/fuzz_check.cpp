// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli check: the first input byte picks a field and a guard band,
// the rest is standard input. In all three forms: one line per non-blank
// input line and the summary after two or more, valid UTF-8, JSON that
// parses; every judged line carries the exact value read and the core's
// verdict for it, the verdict agrees with the margins' signs, and the exit
// status says what the lines say.
#include "../cli/Cli.h"
#include "../cli/Report.h"
#include "../core/PartCheck.h"
#include "../number/NumberText.h"
#include "../tests/CliTestSupport.h"
#include "reference.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kFields[] = {"25H7", "40g6", "10js6", "0,5h01", "3150H18", "Ø 2,3 F8", "25Q7", "25H7/g6"};
const char* const kGuards[] = {nullptr, "1", "0,0001", "10,5"};

// The lines the tool answers, as it reads them: a mark before the first one
// dropped, "\r" at the end dropped, blank lines passed over; a line above
// 1000 bytes is answered with an error whatever it holds.
struct ValueLine {
    std::string text;
    bool tooLong = false;
};
std::vector<ValueLine> ValueLines(const std::string& text)
{
    std::vector<ValueLine> lines;
    std::istringstream in(text);
    bool first = true;
    for (std::string line; std::getline(in, line); first = false) {
        const bool cr = !line.empty() && line.back() == '\r';
        ValueLine v;
        v.tooLong = line.size() > 1000 + (cr ? 1u : 0u);
        if (!v.tooLong && cr)
            line.pop_back();
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        if (!v.tooLong && line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        v.text = line;
        lines.push_back(std::move(v));
    }
    return lines;
}

std::string JsonNumber(const std::string& line, const char* key)
{
    const std::string k = std::string("\"") + key + "\": ";
    const size_t at = line.find(k);
    if (at == std::string::npos)
        return std::string();
    const size_t start = at + k.size();
    return line.substr(start, line.find_first_of(",}", start) - start);
}

void Check(const std::string& designation, const char* guard, const std::string& input)
{
    std::vector<std::string> base = {"check", designation, "-"};
    if (guard) {
        base.push_back("--guard");
        base.push_back(guard);
    }
    const CheckSetup setup = ReadCheck(designation, *ReadGuard(guard ? guard : ""));
    const std::vector<ValueLine> lines = ValueLines(input);
    for (const char* form : {"", "--json", "--csv"}) {
        std::vector<std::string> args = base;
        if (*form)
            args.insert(args.begin(), form);
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = RunCli(args, in, out, err);
        const std::string written = out.str();
        if (!err.str().empty())
            ref::Fail("check wrote to standard error", form);
        if (ValidUtf8(written) != written)
            ref::Fail("check wrote no UTF-8", form);
        std::vector<std::string> outLines;
        std::istringstream result(written);
        for (std::string line; std::getline(result, line);)
            outLines.push_back(line);
        const bool csv = std::string(form) == "--csv";
        if (!setup.limits) {
            if (status != 1 || outLines.size() != (csv ? 2u : 1u))
                ref::Fail("a designation without limits is not one error line and status 1", form);
            continue;
        }
        const size_t summary = lines.size() >= 2 ? (csv ? 3 : 1) : 0;
        if (outLines.size() != (csv ? 1 : 0) + lines.size() + summary)
            ref::Fail("not one line per size and the summary", form);
        bool invalid = false, rejected = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = outLines[i + (csv ? 1 : 0)];
            const MeasuredReading reading = lines[i].tooLong ? MeasuredReading{} : ReadMeasured(lines[i].text);
            invalid |= !reading.value;
            if (reading.value)
                rejected |= Judge(*setup.limits, *reading.value).verdict != Verdict::Good;
            if (std::string(form) != "--json")
                continue;
            if (!clitest::ValidJsonLine(line))
                ref::Fail("a JSON line that does not parse", ref::Quote(line));
            if (!reading.value) {
                if (line.compare(0, 10, "{\"value\": ") != 0)
                    ref::Fail("a wrong size without its error", ref::Quote(line));
                continue;
            }
            const Judgement j = Judge(*setup.limits, *reading.value);
            const char* const keys[] = {"good", "rework", "scrap"};
            if (JsonNumber(line, "value_mm") != ExactPositional(reading.value->Value(), '.')
                || line.find(std::string("\"verdict\": \"") + keys[static_cast<int>(j.verdict)] + "\"")
                       == std::string::npos
                || JsonNumber(line, "to_upper_um") != ExactPositional(j.toUpper.Value(), '.')
                || JsonNumber(line, "to_lower_um") != ExactPositional(j.toLower.Value(), '.')
                || JsonNumber(line, "position_pct") != ExactPositional(j.position, '.'))
                ref::Fail("a judged line that is not the core's judgement of the exact size", ref::Quote(line));
            // The verdict and the margins tell the same story.
            const bool outside = j.toUpper.Sign() < 0 || j.toLower.Sign() < 0;
            if (outside && j.verdict == Verdict::Good)
                ref::Fail("a size outside the tolerance judged good", ref::Quote(line));
            if (setup.limits->guard.Sign() == 0 && !outside && j.verdict != Verdict::Good)
                ref::Fail("a size inside the tolerance rejected without a guard band", ref::Quote(line));
            if (j.verdict != Verdict::Good && (j.verdict == Verdict::Rework) != (j.above != setup.limits->IsHole()))
                ref::Fail("a reject of the wrong kind for its side", ref::Quote(line));
        }
        if (summary > 0 && std::string(form) == "--json"
            && (outLines.back().compare(0, 13, "{\"summary\": {") != 0 || !clitest::ValidJsonLine(outLines.back())))
            ref::Fail("no summary after two or more sizes", ref::Quote(outLines.back()));
        const int expected = invalid ? 1 : rejected ? 3 : 0;
        if (status != expected)
            ref::Fail("the exit status does not say what the lines say", form);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::string designation = kFields[data[0] % (sizeof kFields / sizeof kFields[0])];
    const char* guard = kGuards[(data[0] >> 3) % (sizeof kGuards / sizeof kGuards[0])];
    Check(designation, guard, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    return 0;
}
