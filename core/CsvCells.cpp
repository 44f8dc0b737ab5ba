// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvCells.h"

namespace {

const char* const kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at i (RFC 3629), 0 for none.
size_t SequenceLength(std::string_view s, size_t i)
{
    const auto at = [&](size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned lead = at(i);
    const auto tail = [&](size_t k) { return (at(k) & 0xC0u) == 0x80u; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return tail(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned second = at(i + 1);
        const bool ok = lead == 0xE0 ? second >= 0xA0 && second <= 0xBF
                        : lead == 0xED ? second >= 0x80 && second <= 0x9F  // no surrogates
                                       : tail(i + 1);
        return ok && tail(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned second = at(i + 1);
        const bool ok = lead == 0xF0 ? second >= 0x90 && second <= 0xBF
                        : lead == 0xF4 ? second >= 0x80 && second <= 0x8F  // up to U+10FFFF
                                       : tail(i + 1);
        return ok && tail(i + 2) && tail(i + 3) ? 4 : 0;
    }
    return 0;
}

}  // namespace

std::string ValidUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = SequenceLength(text, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    return out;
}

std::string PrintableText(std::string_view typed)
{
    const std::string valid = ValidUtf8(typed);
    std::string out;
    out.reserve(valid.size());
    for (size_t i = 0; i < valid.size(); ++i) {
        const auto c = static_cast<unsigned char>(valid[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += kReplacement;
        } else if (c == 0xC2 && static_cast<unsigned char>(valid[i + 1]) < 0xA0) {
            out += kReplacement;
            ++i;
        } else {
            out += valid[i];
        }
    }
    return out;
}

std::string InertCell(std::string_view typed)
{
    std::string text = PrintableText(typed);
    for (size_t at; (at = text.find('\t')) != std::string::npos;)
        text.replace(at, 1, kReplacement);
    std::string_view rest = text;
    for (;;) {
        if (!rest.empty() && rest[0] == ' ')
            rest.remove_prefix(1);
        else if (rest.substr(0, 2) == "\xC2\xA0" || rest.substr(0, 3) == "\xE3\x80\x80")  // NBSP, ideographic space
            rest.remove_prefix(rest[0] == '\xC2' ? 2 : 3);
        else if (rest.substr(0, 3) == "\xEF\xBF\xBD")  // a replaced control byte
            rest.remove_prefix(3);
        else
            break;
    }
    static const std::string_view kFormulaStarts[] = {"=", "+", "-", "@",
                                                      "\xEF\xBC\x9D", "\xEF\xBC\x8B",  // ＝ ＋
                                                      "\xEF\xBC\x8D", "\xEF\xBC\xA0"};  // － ＠
    for (const std::string_view start : kFormulaStarts)
        if (rest.substr(0, start.size()) == start) {
            text.insert(0, "'");
            break;
        }
    return text;
}

void AppendCsvRow(std::string& line, const std::string* cells, size_t count)
{
    // RFC 4180: a cell with the separator, a quote or a line break is quoted.
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            line += ';';
        const std::string& cell = cells[i];
        if (cell.find_first_of(";\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (const char c : cell) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
}
