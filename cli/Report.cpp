#include "Report.h"

#include <array>
#include <optional>
#include <utility>

#include "Designation.h"
#include "FieldResult.h"
#include "FitResult.h"
#include "NumberText.h"
#include "Streams.h"
#include "Texts.h"

namespace {

using iso286::Side;

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

// ------------------------------------------------------------ shared by the commands

void AppendJsonString(std::string& line, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    line += '"';
    for (const char ch : ValidUtf8(text)) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': line += "\\\""; break;
        case '\\': line += "\\\\"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\t': line += "\\t"; break;
        case '\b': line += "\\b"; break;
        case '\f': line += "\\f"; break;
        default:
            if (c < 0x20) {
                line += "\\u00";
                line += kHex[c >> 4];
                line += kHex[c & 0xF];
            } else {
                line += ch;
            }
        }
    }
    line += '"';
}

void AppendJsonNumber(std::string& line, const char* key, const ExactDecimal& value)
{
    line += ", \"";
    line += key;
    line += "\": ";
    line += ExactPositional(value, '.');
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

namespace {

struct Outcome {
    std::optional<Designation> designation;
    bool defined = false;
    std::string error;
    FieldResult field;  // a single field
    FitResult fit;      // a fit
};

Outcome Evaluate(std::string_view typed)
{
    Outcome o;
    DesignationReading reading = ReadDesignation(typed);
    if (!reading.designation) {
        o.error = std::move(reading.error);
        return o;
    }
    o.designation = std::move(reading.designation);
    const Designation& d = *o.designation;
    if (d.shaft) {
        o.fit = IsoFit(d.field, *d.shaft, d.size);
        o.defined = o.fit.defined;
        if (!o.defined)
            o.error = FitReasonText(o.fit);
    } else {
        o.field = IsoField(d.field, d.size);
        o.defined = o.field.defined;
        if (!o.defined)
            o.error = ReasonText(o.field);
    }
    if (!o.defined && o.error.empty())
        o.error = "Поле допуска не определено.";
    return o;
}

}  // namespace

const char* FitKindKey(iso286::FitKind kind)
{
    switch (kind) {
    case iso286::FitKind::Clearance:
        return "clearance";
    case iso286::FitKind::Transition:
        return "transition";
    case iso286::FitKind::Interference:
        break;
    }
    return "interference";
}

namespace {

// ------------------------------------------------------------ for a person

// Deviations in micrometres as ISO tables give them, sizes in the general form.
void AppendFieldText(std::string& line, const FieldResult& r)
{
    const FieldTexts t = WriteFieldTexts(r, DeviationUnit::Micrometres, Rounding::AsIs);
    const bool hole = r.field->side == Side::Hole;
    line += hole ? "ES " : "es ";
    line += t.upper.text;
    line += hole ? " мкм, EI " : " мкм, ei ";
    line += t.lower.text;
    line += " мкм, наибольший ";
    line += t.results.max;
    line += " мм, наименьший ";
    line += t.results.min;
    line += " мм, средний ";
    line += t.results.mid;
    line += " мм";
}

void TextLine(std::string& line, std::string_view typed, const Outcome& o)
{
    if (!o.defined) {
        line += PrintableText(typed);
        line += ": ошибка: ";
        line += o.error;
        return;
    }
    const Designation& d = *o.designation;
    line += DesignationText(d, ',');
    line += ": ";
    if (!d.shaft) {
        AppendFieldText(line, o.field);
        return;
    }
    line += "отверстие " + iso286::FieldName(d.field) + " ";
    AppendFieldText(line, o.fit.hole);
    line += "; вал " + iso286::FieldName(*d.shaft) + " ";
    AppendFieldText(line, o.fit.shaft);
    line += "; зазор наибольший ";
    line += LengthText(o.fit.maxClearance, DeviationUnit::Micrometres);
    line += " мкм, наименьший ";
    line += LengthText(o.fit.minClearance, DeviationUnit::Micrometres);
    line += " мкм; посадка ";
    line += FitKindText(o.fit.analysis.kind);
}

// ------------------------------------------------------------ JSON

// "size_mm": …, "field": …, … of one field.
void AppendJsonField(std::string& line, const std::string& sizeText, const FieldResult& r)
{
    line += "\"size_mm\": ";
    line += sizeText;
    line += ", \"field\": ";
    AppendJsonString(line, iso286::FieldName(*r.field));
    AppendJsonNumber(line, "upper_um", r.upper.Value());
    AppendJsonNumber(line, "lower_um", r.lower.Value());
    AppendJsonNumber(line, "max_mm", r.max.Value());
    AppendJsonNumber(line, "min_mm", r.min.Value());
    AppendJsonNumber(line, "mid_mm", r.mid.Value());
}

void JsonLine(std::string& line, std::string_view typed, const Outcome& o)
{
    line += "{\"designation\": ";
    AppendJsonString(line, typed);
    if (!o.defined) {
        line += ", \"error\": ";
        AppendJsonString(line, o.error);
        line += '}';
        return;
    }
    const Designation& d = *o.designation;
    const std::string sizeText = ExactPositional(d.size.Value(), '.');
    line += ", ";
    if (!d.shaft) {
        AppendJsonField(line, sizeText, o.field);
        line += '}';
        return;
    }
    line += "\"size_mm\": ";
    line += sizeText;
    line += ", \"hole\": {";
    AppendJsonField(line, sizeText, o.fit.hole);
    line += "}, \"shaft\": {";
    AppendJsonField(line, sizeText, o.fit.shaft);
    line += '}';
    AppendJsonNumber(line, "max_clearance_um", o.fit.maxClearance.Value());
    AppendJsonNumber(line, "min_clearance_um", o.fit.minClearance.Value());
    line += ", \"kind\": \"";
    line += FitKindKey(o.fit.analysis.kind);
    line += "\"}";
}

// ------------------------------------------------------------ CSV

constexpr const char* kCsvHeader =
    "обозначение;размер, мм;поле / отверстие;верхнее отклонение, мкм;нижнее отклонение, мкм;"
    "наибольший размер, мм;наименьший размер, мм;средний размер, мм;"
    "вал;верхнее отклонение вала, мкм;нижнее отклонение вала, мкм;"
    "наибольший размер вала, мм;наименьший размер вала, мм;средний размер вала, мм;"
    "наибольший зазор, мкм;наименьший зазор, мкм;посадка;ошибка";
// Columns of the header above; a field takes six: name, upper, lower, max, min, mid.
enum Column { kDesignation, kSize, kFirstField, kShaftField = kFirstField + 6, kMaxClearance = kShaftField + 6,
              kMinClearance, kKind, kError, kColumnCount };
using Cells = std::array<std::string, kColumnCount>;

void FillCsvField(Cells& cells, int column, const FieldResult& r)
{
    cells[column] = iso286::FieldName(*r.field);
    for (const ExactDecimal* v : {&r.upper.Value(), &r.lower.Value(), &r.max.Value(), &r.min.Value(), &r.mid.Value()})
        cells[++column] = ExactPositional(*v, ',');
}

void CsvLine(std::string& line, std::string_view typed, const Outcome& o)
{
    Cells cells;
    cells[kDesignation] = InertCell(typed);
    if (!o.defined) {
        cells[kError] = o.error;
    } else {
        const Designation& d = *o.designation;
        cells[kSize] = ExactPositional(d.size.Value(), ',');
        if (!d.shaft) {
            FillCsvField(cells, kFirstField, o.field);
        } else {
            FillCsvField(cells, kFirstField, o.fit.hole);
            FillCsvField(cells, kShaftField, o.fit.shaft);
            cells[kMaxClearance] = ExactPositional(o.fit.maxClearance.Value(), ',');
            cells[kMinClearance] = ExactPositional(o.fit.minClearance.Value(), ',');
            cells[kKind] = FitKindText(o.fit.analysis.kind);
        }
    }
    AppendCsvRow(line, cells.data(), cells.size());
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

void Report::Begin()
{
    if (format_ == Format::Csv)
        out_ << kCsvHeader << "\r\n";
}

namespace {

void WriteOutcome(Format format, std::ostream& out, std::string& line, std::string_view typed, const Outcome& o)
{
    line.clear();
    switch (format) {
    case Format::Text:
        TextLine(line, typed, o);
        line += '\n';
        break;
    case Format::Json:
        JsonLine(line, typed, o);
        line += '\n';
        break;
    case Format::Csv:
        CsvLine(line, typed, o);
        line += "\r\n";
        break;
    }
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

}  // namespace

bool Report::Write(std::string_view typed)
{
    const Outcome o = Evaluate(typed);
    WriteOutcome(format_, out_, line_, typed, o);
    return o.defined;
}

bool Report::WriteTooLong(std::string_view start)
{
    Outcome o;
    o.error = "Обозначение длиннее " + std::to_string(kLongestLine) + " знаков: так не пишут ни размер, ни поле.";
    // Its beginning names it; the rest is not echoed.
    const std::string shown = std::string(start.substr(0, 24)) + "…";
    WriteOutcome(format_, out_, line_, shown, o);
    return false;
}
