// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <array>
#include <optional>
#include <utility>

#include "CsvCells.h"
#include "Designation.h"
#include "FieldResult.h"
#include "FitResult.h"
#include "NumberText.h"
#include "Streams.h"
#include "Texts.h"

namespace {

using iso286::Side;

}  // namespace

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
    case Format::Text: TextLine(line, typed, o); break;
    case Format::Json: JsonLine(line, typed, o); break;
    case Format::Csv: CsvLine(line, typed, o); break;
    }
    line += LineEnd(format);
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
