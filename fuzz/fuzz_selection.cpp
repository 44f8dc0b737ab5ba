// SPDX-License-Identifier: GPL-3.0-or-later
// «Подбор»: a drawing's text gives deviations or a reason, never both, and
// the deviations written out again read back the same; the field search
// finds only fields with exactly those limits and ranks the rest; and
// kalimar-cli find and fits, given the input's lines as their arguments,
// answer with one line per result, valid UTF-8, JSON that parses, a count
// that matches the lines, and an exit status that says what was written.
//
// Input: the first byte picks the command (bit 0: find or fits) and the
// form (bits 1-2: text, --json, --csv); the rest, split at line ends, are
// the command's arguments and, whole, a drawing's text.
#include "../cli/Cli.h"
#include "../cli/Command.h"
#include "../cli/Report.h"
#include "../core/FieldSearch.h"
#include "../number/NumberText.h"
#include "../tests/CliTestSupport.h"
#include "reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ------------------------------------------------------------ drawings

void CheckDrawing(const std::string& text)
{
    const DrawingReading r = ReadDrawingDeviations(text);
    if (r.deviations.has_value() == !r.error.empty())
        ref::Fail("not exactly one of deviations and a reason", ref::Quote(text));
    if (!r.deviations) {
        if (r.error.back() != '.' || ValidUtf8(r.error) != r.error)
            ref::Fail("the reason is not a UTF-8 sentence", ref::Quote(r.error));
        return;
    }
    const DrawingDeviations& d = *r.deviations;
    // Written as a drawing does, it reads back the same.
    const auto withSign = [](const Millimetres& v) {
        return (v.Sign() > 0 ? "+" : "") + ExactPositional(v.Value(), ',');
    };
    const std::string again = "\xC3\x98" + ExactPositional(d.size.Value(), '.') + " " + withSign(d.upper) + " "
                              + withSign(d.lower);
    const DrawingReading back = ReadDrawingDeviations(again);
    if (!back.deviations || back.deviations->size != d.size || back.deviations->upper != d.upper
        || back.deviations->lower != d.lower)
        ref::Fail("written deviations read back as others", ref::Quote(again));

    const FieldSearch found = FindFields(d.size, SearchSide::Either, Micrometres(d.upper), Micrometres(d.lower));
    if (!found.error.empty())
        return;
    if (found.upper < found.lower)
        ref::Fail("the upper deviation searched is below the lower", ref::Quote(text));
    for (const FieldMatch& m : found.exact)
        if (m.upper != found.upper || m.lower != found.lower || !m.Exact())
            ref::Fail("an exact field with other limits", ref::Quote(text));
    for (size_t i = 0; i < found.nearest.size(); ++i) {
        const FieldMatch& m = found.nearest[i];
        if (m.Exact() || m.diffUpper != m.upper - found.upper || m.diffLower != m.lower - found.lower)
            ref::Fail("a nearest field with wrong differences", ref::Quote(text));
        if (i > 0) {
            const FieldMatch& p = found.nearest[i - 1];
            const auto worst = [](const FieldMatch& f) {
                return std::max(std::llabs(f.diffUpper), std::llabs(f.diffLower));
            };
            if (worst(p) > worst(m))
                ref::Fail("nearest fields out of order", ref::Quote(text));
        }
    }
}

// ------------------------------------------------------------ the tool

void CheckTool(bool fits, int form, const std::vector<std::string>& words)
{
    static const char* const kForms[] = {nullptr, "--json", "--csv"};
    std::vector<std::string> args;
    if (kForms[form])
        args.push_back(kForms[form]);
    args.push_back(fits ? "fits" : "find");
    args.insert(args.end(), words.begin(), words.end());
    // The tool takes --json and --csv wherever they stand.
    for (const std::string& word : words)
        if (word == "--json" || word == "--csv")
            form = word == "--json" ? 1 : 2;
    const clitest::Ran ran = clitest::RunWith(args);
    const int status = ran.status;
    const std::string& written = ran.out;
    const std::string what = std::string(fits ? "fits" : "find") + " " + (kForms[form] ? kForms[form] : "text");
    if (status == kExitUsage) {
        if (!written.empty() || ran.err.rfind("kalimar-cli: ", 0) != 0)
            ref::Fail("a usage error with output, or without its message", what);
        if (ValidUtf8(ran.err) != ran.err)
            ref::Fail("a usage message that is not UTF-8", what);
        return;
    }
    // --help or --version among the words: the help, status 0.
    if (written.rfind("Использование:", 0) == 0 || written.rfind("kalimar-cli ", 0) == 0)
        return;
    if (status != kExitOk && status != kExitInvalid && status != kExitNothingFound)
        ref::Fail("an unexpected exit status", what + " " + std::to_string(status));
    if (!ran.err.empty())
        ref::Fail("a message on standard error", what);
    if (ValidUtf8(written) != written || written.empty() || written.back() != '\n')
        ref::Fail("output that is not UTF-8 lines", what);
    std::vector<std::string> lines = clitest::Lines(written);
    if (form == 2) {
        for (std::string& line : lines) {
            if (line.empty() || line.back() != '\r')
                ref::Fail("a CSV line without CRLF", what);
            line.pop_back();
        }
        lines.erase(lines.begin());  // the header
    }
    for (const std::string& line : lines)
        for (const char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                ref::Fail("a control character in a line", ref::Quote(line));
    if (status == kExitInvalid) {
        if (lines.size() != 1)
            ref::Fail("not one line for invalid input", what);
        if (form == 1 && (!clitest::ValidJsonLine(lines[0]) || lines[0].rfind("{\"error\": \"", 0) != 0))
            ref::Fail("an error that is not a JSON object", ref::Quote(lines[0]));
        return;
    }
    if (form == 1)
        for (const std::string& line : lines)
            if (!clitest::ValidJsonLine(line))
                ref::Fail("a line that is not a JSON object", ref::Quote(line));
    if (!fits) {
        size_t exact = 0;
        for (const std::string& line : lines)
            exact += form == 1   ? line.find("\"exact\": true") != std::string::npos
                     : form == 2 ? line.find(";да;") != std::string::npos
                                 : line.find(", совпадает") != std::string::npos;
        if ((status == kExitOk) != (exact > 0) || lines.size() < exact || lines.size() > exact + 5)
            ref::Fail("find's status or lines disagree with its matches", what);
        return;
    }
    // fits: the matches, then the count of all.
    const std::string& last = lines.back();
    const std::string prefix = form == 1 ? "{\"count\": " : form == 2 ? "всего;" : "Всего подходит посадок: ";
    if (last.rfind(prefix, 0) != 0)
        ref::Fail("fits does not end with the count", ref::Quote(last));
    const unsigned long count = std::strtoul(last.c_str() + prefix.size(), nullptr, 10);
    if ((status == kExitOk) != (count > 0) || lines.size() - 1 > count)
        ref::Fail("fits' status or lines disagree with its count", what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4000)
        return 0;
    const bool fits = data[0] & 1;
    const int form = (data[0] >> 1) % 3;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckDrawing(text);
    std::vector<std::string> words = clitest::Lines(text);
    if (words.size() > 12)
        words.resize(12);
    CheckTool(fits, form, words);
    return 0;
}
