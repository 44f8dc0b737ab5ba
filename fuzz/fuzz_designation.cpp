// SPDX-License-Identifier: GPL-3.0-or-later
// Designations: any bytes give a designation or a reason, never both; an
// accepted size lies in (0, 3150] and a fit is a hole over a shaft; the
// canonical form, with either point or spaced out, reads back as the same
// designation. The tool, fed the bytes as standard input, writes one line per
// non-blank line in each form, valid UTF-8, and an exit status that matches.
#include "../cli/Cli.h"
#include "../cli/Report.h"
#include "../core/Designation.h"
#include "../number/NumberText.h"
#include "reference.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool Same(const Designation& a, const Designation& b)
{
    return a.size == b.size && a.ceiling == b.ceiling && a.field == b.field && a.shaft == b.shaft;
}

void CheckReadsBack(const Designation& d, const std::string& text)
{
    const DesignationReading again = ReadDesignation(text);
    if (!again.designation || !Same(*again.designation, d))
        ref::Fail("a written designation reads as another one", ref::Quote(text));
}

void CheckReading(const std::string& text)
{
    const DesignationReading r = ReadDesignation(text);
    if (r.designation.has_value() == !r.error.empty())
        ref::Fail("not exactly one of a designation and a reason", ref::Quote(text));
    if (!r.designation) {
        if (r.error.back() != '.' || ValidUtf8(r.error) != r.error)
            ref::Fail("the reason is not a UTF-8 sentence", ref::Quote(r.error));
        return;
    }
    const Designation& d = *r.designation;
    const ExactDecimal& size = d.size.Value();
    if (size.Sign() <= 0 || size > ExactDecimal(3150, 0))
        ref::Fail("an accepted size outside (0, 3150]", ref::Quote(text));
    if (d.ceiling < 1 || d.ceiling > 3150 || !(ExactDecimal(d.ceiling - 1, 0) < size)
        || size > ExactDecimal(d.ceiling, 0))
        ref::Fail("the size's ceiling is not the whole millimetre at or above it", ref::Quote(text));
    if (d.shaft && (d.field.side != iso286::Side::Hole || d.shaft->side != iso286::Side::Shaft))
        ref::Fail("a fit that is not a hole over a shaft", ref::Quote(text));
    CheckReadsBack(d, DesignationText(d, ','));
    CheckReadsBack(d, DesignationText(d, '.'));
    std::string spaced = "\xC3\x98 " + ExactPositional(size, '.') + " " + iso286::FieldName(d.field);
    if (d.shaft)
        spaced += " / " + iso286::FieldName(*d.shaft);
    CheckReadsBack(d, spaced);
}

// The lines the tool answers: all but those of blanks alone.
size_t NonBlankLines(const std::string& text)
{
    std::istringstream in(text);
    size_t count = 0;
    bool first = true;
    for (std::string line; std::getline(in, line); first = false) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        count += line.find_first_not_of(" \t\r") != std::string::npos;
    }
    return count;
}

void CheckTool(const std::string& text)
{
    enum class Form { Text, Json, Csv };
    struct Run {
        Form form;
        std::vector<std::string> args;
    };
    const size_t lines = NonBlankLines(text);
    for (const Run& run : {Run{Form::Text, {"-"}}, Run{Form::Json, {"--json", "-"}}, Run{Form::Csv, {"--csv", "-"}}}) {
        const std::string form = run.args[0];
        std::istringstream in(text);
        std::ostringstream out, err;
        const int status = RunCli(run.args, in, out, err);
        const std::string written = out.str();
        if ((status != 0 && status != 1) || !err.str().empty())
            ref::Fail("a status or message other than a result's", form);
        if (ValidUtf8(written) != written)
            ref::Fail("output that is not UTF-8", form);
        size_t rows = 0, errors = 0;
        std::istringstream result(written);
        for (std::string line; std::getline(result, line); ++rows) {
            if (run.form == Form::Text) {
                errors += line.find(": ошибка: ") != std::string::npos;
            } else if (run.form == Form::Json) {
                if (line.compare(0, 17, "{\"designation\": \"") != 0 || line.back() != '}')
                    ref::Fail("a JSON line of another shape", ref::Quote(line));
                for (const char c : line)
                    if (static_cast<unsigned char>(c) < 0x20)
                        ref::Fail("a control character in a JSON line", ref::Quote(line));
                errors += line.find("\", \"error\": \"") != std::string::npos;
            } else {
                errors += line.back() != '\r' || line[line.size() - 2] != ';';  // the error column is last
            }
        }
        const size_t header = run.form == Form::Csv ? 1 : 0;
        if (rows != lines + header)
            ref::Fail("not one line per designation", form);
        if ((status == 1) != (errors > header))
            ref::Fail("the exit status does not match the errors written", form);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckReading(text);
    CheckTool(text);
    return 0;
}
