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
#include "reference.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ------------------------------------------------------------ JSON

// Just enough of RFC 8259 for the tool's lines: one object of strings,
// numbers, true, false and null.
class Json {
public:
    explicit Json(std::string_view text) : s_(text) {}
    bool Object()
    {
        if (!Take('{'))
            return false;
        Blanks();
        if (Take('}'))
            return true;
        do {
            Blanks();
            if (!String())
                return false;
            Blanks();
            if (!Take(':'))
                return false;
            Blanks();
            if (!Value())
                return false;
            Blanks();
        } while (Take(','));
        return Take('}');
    }
    bool AtEnd() const { return i_ == s_.size(); }

private:
    bool Take(char c)
    {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w)
    {
        if (s_.substr(i_, w.size()) != w)
            return false;
        i_ += w.size();
        return true;
    }
    void Blanks()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t'))
            ++i_;
    }
    bool Digits()
    {
        const size_t start = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
            ++i_;
        return i_ > start;
    }
    bool Number()
    {
        Take('-');
        if (Take('0')) {
        } else if (!Digits()) {
            return false;
        }
        if (Take('.') && !Digits())
            return false;
        return true;
    }
    bool String()
    {
        if (!Take('"'))
            return false;
        while (i_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[i_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (i_ >= s_.size())
                    return false;
                const char e = s_[i_++];
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k, ++i_)
                        if (i_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[i_])))
                            return false;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    bool Value()
    {
        if (i_ >= s_.size())
            return false;
        const char c = s_[i_];
        if (c == '"')
            return String();
        if (c == '{')
            return Object();
        if (c == 't')
            return Word("true");
        if (c == 'f')
            return Word("false");
        if (c == 'n')
            return Word("null");
        return Number();
    }

    std::string_view s_;
    size_t i_ = 0;
};

bool IsJsonObject(const std::string& line)
{
    Json j(line);
    return j.Object() && j.AtEnd();
}

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

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

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
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCli(args, in, out, err);
    const std::string written = out.str();
    const std::string what = std::string(fits ? "fits" : "find") + " " + (kForms[form] ? kForms[form] : "text");
    if (status == kExitUsage) {
        if (!written.empty() || err.str().rfind("kalimar-cli: ", 0) != 0)
            ref::Fail("a usage error with output, or without its message", what);
        if (ValidUtf8(err.str()) != err.str())
            ref::Fail("a usage message that is not UTF-8", what);
        return;
    }
    // --help or --version among the words: the help, status 0.
    if (written.rfind("Использование:", 0) == 0 || written.rfind("kalimar-cli ", 0) == 0)
        return;
    if (status != kExitOk && status != kExitInvalid && status != kExitNothingFound)
        ref::Fail("an unexpected exit status", what + " " + std::to_string(status));
    if (!err.str().empty())
        ref::Fail("a message on standard error", what);
    if (ValidUtf8(written) != written || written.empty() || written.back() != '\n')
        ref::Fail("output that is not UTF-8 lines", what);
    std::vector<std::string> lines = Lines(written);
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
        if (form == 1 && (!IsJsonObject(lines[0]) || lines[0].rfind("{\"error\": \"", 0) != 0))
            ref::Fail("an error that is not a JSON object", ref::Quote(lines[0]));
        return;
    }
    if (form == 1)
        for (const std::string& line : lines)
            if (!IsJsonObject(line))
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
    std::vector<std::string> words = Lines(text);
    if (words.size() > 12)
        words.resize(12);
    CheckTool(fits, form, words);
    return 0;
}
