// SPDX-License-Identifier: GPL-3.0-or-later
// kalimar-cli general: the input's lines are the command's arguments. In
// each form the tool refuses the line with status 2 and nothing written, or
// writes one valid UTF-8 line per size (JSON that parses, with an error or
// an element but not both) and status 1 exactly when a size gets an error;
// the three forms agree on the count, and the deviations have the shape the
// element asks for: ±v for a class and for ±IT/2, H from zero up, h from
// zero down.
#include "../cli/Cli.h"
#include "../cli/Report.h"
#include "../number/NumberText.h"
#include "../tests/CliTestSupport.h"
#include "reference.h"

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The number after "key": in a JSON line, exactly.
std::optional<ExactDecimal> Number(const std::string& line, const std::string& key)
{
    const size_t at = line.find("\"" + key + "\": ");
    if (at == std::string::npos)
        return std::nullopt;
    const size_t from = at + key.size() + 4;
    std::string text = line.substr(from, line.find_first_of(",}", from) - from);
    for (char& c : text)
        c = c == '.' ? ',' : c;
    return ReadDecimalText(text);
}

void CheckDeviations(const std::string& line)
{
    const std::optional<ExactDecimal> upper = Number(line, "upper_mm"), lower = Number(line, "lower_mm");
    if (!upper || !lower)
        ref::Fail("a length without both deviations", ref::Quote(line));
    const bool hole = line.find("\"element\": \"hole\"") != std::string::npos;
    const bool shaft = line.find("\"element\": \"shaft\"") != std::string::npos;
    const bool itForm = line.compare(0, 12, "{\"rule\": \"IT") == 0;
    if (itForm && hole) {
        if (lower->Sign() != 0 || upper->Sign() <= 0)
            ref::Fail("an IT-form hole that is not H", ref::Quote(line));
    } else if (itForm && shaft) {
        if (upper->Sign() != 0 || lower->Sign() >= 0)
            ref::Fail("an IT-form shaft that is not h", ref::Quote(line));
    } else if (upper->Sign() <= 0 || *upper != -*lower) {
        ref::Fail("deviations that are not ±v", ref::Quote(line));
    }
}

// The sizes the command answers: operands after the rule, options aside.
size_t Sizes(const std::vector<std::string>& args)
{
    size_t operands = 0;
    bool optionsEnd = false;
    for (const std::string& a : args) {
        if (!optionsEnd && a == "--")
            optionsEnd = true;
        else if (optionsEnd || a.size() < 2 || a[0] != '-' || (a[1] >= '0' && a[1] <= '9'))
            ++operands;
    }
    return operands > 0 ? operands - 1 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size && args.size() < 12; ++i) {
        if (data[i] == '\n') {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (args.size() < 12)
        args.push_back(current);
    // The global options are the tool's, not the command's.
    for (const std::string& a : args)
        if (a == "--json" || a == "--csv" || a == "--help" || a == "-h" || a == "--version")
            return 0;

    enum class Form { Text, Json, Csv };
    int firstStatus = -1;
    for (const Form form : {Form::Text, Form::Json, Form::Csv}) {
        std::vector<std::string> run;
        if (form == Form::Json)
            run.push_back("--json");
        if (form == Form::Csv)
            run.push_back("--csv");
        run.push_back("general");
        run.insert(run.end(), args.begin(), args.end());
        std::istringstream in;
        std::ostringstream out, err;
        const int status = RunCli(run, in, out, err);
        const std::string written = out.str(), said = err.str();
        if (firstStatus >= 0 && status != firstStatus)
            ref::Fail("the forms end with different statuses", std::to_string(status));
        firstStatus = status;
        if (ValidUtf8(written) != written || ValidUtf8(said) != said)
            ref::Fail("output that is not UTF-8", ref::Quote(written + said));
        if (status == 2) {
            const std::string help = "\nПодробнее: kalimar-cli --help\n";
            if (!written.empty() || said.compare(0, 22, "kalimar-cli: general: ") != 0
                || said.find('\n') != said.size() - help.size() || said.compare(said.size() - help.size(), help.size(), help) != 0)
                ref::Fail("a refusal that is not one line and where the help is", ref::Quote(said));
            continue;
        }
        if ((status != 0 && status != 1) || !said.empty())
            ref::Fail("a status or message other than a result's", ref::Quote(said));
        size_t rows = 0, errors = 0;
        std::istringstream result(written);
        for (std::string line; std::getline(result, line); ++rows) {
            if (form == Form::Text) {
                errors += line.find(": ошибка: ") != std::string::npos;
            } else if (form == Form::Json) {
                size_t i = 0;
                if (line.compare(0, 10, "{\"rule\": \"") != 0 || !clitest::JsonValue(line, i) || i != line.size())
                    ref::Fail("a line that is no JSON object of the command", ref::Quote(line));
                const bool error = line.find("\"error\": ") != std::string::npos;
                if (error == (line.find("\"element\": ") != std::string::npos))
                    ref::Fail("a JSON line with both or neither of error and element", ref::Quote(line));
                errors += error;
                if (!error && line.find("\"upper_mm\"") != std::string::npos)
                    CheckDeviations(line);
            } else if (rows > 0) {
                if (line.empty() || line.back() != '\r')
                    ref::Fail("a CSV row without CRLF", ref::Quote(line));
                errors += line.size() >= 2 && line[line.size() - 2] != ';';  // the error column is last
            }
        }
        const size_t header = form == Form::Csv ? 1 : 0;
        if (rows != Sizes(args) + header)
            ref::Fail("not one line per size", std::to_string(rows));
        if ((status == 1) != (errors > 0))
            ref::Fail("the exit status does not match the errors written", std::to_string(status));
    }
    return 0;
}
