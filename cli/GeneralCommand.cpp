// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneralCommand.h"

#include <optional>
#include <string>

#include "Designation.h"
#include "GeneralTolerances.h"
#include "NumberText.h"
#include "Streams.h"

namespace {

namespace gt = general_tolerances;

// What the options ask for; without one, a linear size.
enum class Asked { Linear, Hole, Shaft, Radius, Angle, Straightness, Flatness, Perpendicularity, Symmetry, RunOut };

struct Option {
    const char* name;
    Asked asked;
    const char* key;    // JSON
    const char* words;  // text and CSV
};
const Option kLinear{"--other", Asked::Linear, "linear", "линейный"};
const Option kOptions[] = {
    kLinear,
    {"--hole", Asked::Hole, "hole", "отверстие"},
    {"--shaft", Asked::Shaft, "shaft", "вал"},
    {"--radius", Asked::Radius, "radius", "радиус или фаска"},
    {"--angle", Asked::Angle, "angle", "угол"},
    {"--straightness", Asked::Straightness, "straightness", "прямолинейность"},
    {"--flatness", Asked::Flatness, "flatness", "плоскостность"},
    {"--perpendicularity", Asked::Perpendicularity, "perpendicularity", "перпендикулярность"},
    {"--symmetry", Asked::Symmetry, "symmetry", "симметричность"},
    {"--runout", Asked::RunOut, "runout", "биение"},
};
constexpr const char* kGeometricOptions = "--straightness, --flatness, --perpendicularity, --symmetry или --runout";

bool IsGeometric(Asked a) { return a >= Asked::Straightness; }

GeneralElement ElementOf(Asked a)
{
    switch (a) {
    case Asked::Hole: return GeneralElement::Internal;
    case Asked::Shaft: return GeneralElement::External;
    case Asked::Radius: return GeneralElement::BrokenEdge;
    case Asked::Angle: return GeneralElement::Angle;
    default: return GeneralElement::OtherLinear;
    }
}

GeometricFeature FeatureOf(Asked a)
{
    switch (a) {
    case Asked::Flatness: return GeometricFeature::Flatness;
    case Asked::Perpendicularity: return GeometricFeature::Perpendicularity;
    case Asked::Symmetry: return GeometricFeature::Symmetry;
    case Asked::RunOut: return GeometricFeature::CircularRunOut;
    default: return GeometricFeature::Straightness;
    }
}

// A class of either standard, or the IT form.
struct Rule {
    std::string name;
    std::optional<GeneralRule> general;
    std::optional<gt::GeometricClass> geometric;
};

const char* const kRules = "классы ГОСТ 30893.1 f, m, c, v, классы ГОСТ 30893.2 H, K, L или квалитеты IT12…IT17";

std::optional<Rule> ReadRule(std::string_view text, std::string& error)
{
    for (std::size_t c = 0; c < gt::kLinearClassCount; ++c)
        if (text == gt::kLinearClassLetter[c])
            return Rule{std::string(text), GeneralRule::Class(static_cast<gt::LinearClass>(c)), std::nullopt};
    for (std::size_t c = 0; c < gt::kGeometricClassCount; ++c)
        if (text == gt::kGeometricClassLetter[c])
            return Rule{std::string(text), std::nullopt, static_cast<gt::GeometricClass>(c)};
    if (text.size() >= 3 && text.size() <= 4 && text.substr(0, 2) == "IT") {
        int grade = 0;
        bool digits = true;
        for (const char ch : text.substr(2)) {
            digits &= ch >= '0' && ch <= '9';
            grade = grade * 10 + (ch - '0');
        }
        if (digits && text[2] != '0') {
            if (grade >= kItFormFinestGrade && grade <= kItFormCoarsestGrade)
                return Rule{std::string(text), GeneralRule::ItForm(grade), std::nullopt};
            error = "квалитет «" + std::string(text) + "» для общих допусков не берут: IT12…IT17";
            return std::nullopt;
        }
    }
    error = "неизвестное правило «" + PrintableText(text) + "»: " + kRules;
    return std::nullopt;
}

// One size's answer, whichever standard gives it.
struct Answer {
    bool defined = false;
    std::string error;
    GeneralResult general;
    GeometricResult geometric;
};

Answer Evaluate(const Rule& rule, const Option& option, const Millimetres& size)
{
    Answer a;
    if (rule.geometric) {
        a.geometric = GeometricTolerance(*rule.geometric, FeatureOf(option.asked), size);
        a.defined = a.geometric.defined;
        a.error = a.geometric.reason;
    } else {
        a.general = GeneralTolerance(*rule.general, ElementOf(option.asked), size);
        a.defined = a.general.defined;
        a.error = a.general.reason;
    }
    return a;
}

void TextLine(std::string& line, const Rule& rule, const Option& option, const Millimetres& size, const Answer& a)
{
    line += rule.name + " " + ExactPositional(size.Value(), ',') + " мм";
    if (option.asked != Asked::Linear) {
        line += ", ";
        line += option.words;
    }
    line += ": ";
    if (!a.defined) {
        line += "ошибка: " + a.error;
    } else if (rule.geometric) {
        line += LengthText(a.geometric.tolerance, DeviationUnit::Millimetres) + " мм";
    } else if (option.asked == Asked::Angle) {
        line += "±" + AngleText(a.general.arcMinutes);
    } else {
        if (a.general.limits.field)
            line += iso286::FieldName(*a.general.limits.field) + " ";
        line += DeviationPairText(a.general.limits) + " мм";
    }
}

void JsonLine(std::string& line, const Rule& rule, const Option& option, const Millimetres& size, const Answer& a)
{
    line += "{\"rule\": ";
    AppendJsonString(line, rule.name);
    AppendJsonNumber(line, "size_mm", size.Value());
    if (!a.defined) {
        line += ", \"error\": ";
        AppendJsonString(line, a.error);
        line += '}';
        return;
    }
    line += ", \"element\": \"";
    line += option.key;
    line += '"';
    if (rule.geometric) {
        AppendJsonNumber(line, "tolerance_mm", Millimetres(a.geometric.tolerance).Value());
    } else if (option.asked == Asked::Angle) {
        line += ", \"plus_minus\": ";
        AppendJsonString(line, AngleText(a.general.arcMinutes, "'"));
        line += ", \"plus_minus_arcmin\": " + std::to_string(a.general.arcMinutes);
    } else {
        AppendJsonNumber(line, "upper_mm", Millimetres(a.general.limits.upper).Value());
        AppendJsonNumber(line, "lower_mm", Millimetres(a.general.limits.lower).Value());
    }
    line += '}';
}

constexpr const char* kCsvHeader = "правило;размер, мм;элемент;верхнее отклонение, мм;нижнее отклонение, мм;"
                                   "отклонение угла ±;отклонение угла ±, мин;допуск, мм;ошибка";
enum Column { kRule, kSize, kElement, kUpper, kLower, kAngle, kAngleMinutes, kTolerance, kError, kColumnCount };

void CsvLine(std::string& line, const Rule& rule, const Option& option, const Millimetres& size, const Answer& a)
{
    std::string cells[kColumnCount];
    cells[kRule] = rule.name;
    cells[kSize] = ExactPositional(size.Value(), ',');
    cells[kElement] = option.words;
    if (!a.defined) {
        cells[kError] = a.error;
    } else if (rule.geometric) {
        cells[kTolerance] = ExactPositional(Millimetres(a.geometric.tolerance).Value(), ',');
    } else if (option.asked == Asked::Angle) {
        cells[kAngle] = AngleText(a.general.arcMinutes);
        cells[kAngleMinutes] = std::to_string(a.general.arcMinutes);
    } else {
        cells[kUpper] = ExactPositional(Millimetres(a.general.limits.upper).Value(), ',');
        cells[kLower] = ExactPositional(Millimetres(a.general.limits.lower).Value(), ',');
    }
    AppendCsvRow(line, cells, kColumnCount);
}

bool IsOptionWord(std::string_view arg)
{
    return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

}  // namespace

int RunGeneral(const std::vector<std::string_view>& args, CommandIo& io)
{
    const Option* option = nullptr;
    std::vector<std::string_view> operands;
    bool optionsEnd = false;
    for (const std::string_view arg : args) {
        if (arg.size() > kLongestLine)
            return UsageError(io, "general: аргумент длиннее " + std::to_string(kLongestLine) + " знаков");
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (optionsEnd || !IsOptionWord(arg)) {
            operands.push_back(arg);
            continue;
        }
        const Option* found = nullptr;
        for (const Option& o : kOptions)
            if (arg == o.name)
                found = &o;
        if (!found)
            return UsageError(io, "general: неизвестный параметр «" + PrintableText(arg) + "»");
        if (option && option != found)
            return UsageError(io, std::string("general: параметры ") + option->name + " и " + found->name
                                      + " вместе не задаются");
        option = found;
    }
    if (operands.empty())
        return UsageError(io, std::string("general: не задано правило: ") + kRules);
    std::string error;
    const std::optional<Rule> rule = ReadRule(operands.front(), error);
    if (!rule)
        return UsageError(io, "general: " + error);
    if (rule->geometric && (!option || !IsGeometric(option->asked)))
        return UsageError(io, "general: для класса " + rule->name + " ГОСТ 30893.2 задайте " + kGeometricOptions);
    if (!rule->geometric && option && IsGeometric(option->asked))
        return UsageError(io, std::string("general: ") + option->name
                                  + " — допуск ГОСТ 30893.2: задайте его класс H, K или L");
    if (!option)
        option = &kLinear;
    if (operands.size() < 2)
        return UsageError(io, "general: не задан размер в миллиметрах");
    std::vector<Millimetres> sizes;
    for (std::size_t i = 1; i < operands.size(); ++i) {
        const std::optional<Millimetres> size = ReadSizeText(operands[i]);
        if (!size)
            return UsageError(io, "general: размер «" + PrintableText(operands[i])
                                      + "» — не число миллиметров, например 25 или 0,5");
        sizes.push_back(*size);
    }

    if (!PutCsvHeader(io, kCsvHeader))
        return OutputFailed(io);
    bool allDefined = true;
    std::string line;
    for (const Millimetres& size : sizes) {
        const Answer a = Evaluate(*rule, *option, size);
        allDefined &= a.defined;
        line.clear();
        switch (io.format) {
        case Format::Text: TextLine(line, *rule, *option, size, a); break;
        case Format::Json: JsonLine(line, *rule, *option, size, a); break;
        case Format::Csv: CsvLine(line, *rule, *option, size, a); break;
        }
        if (!PutLine(io, line))
            return OutputFailed(io);
    }
    io.out.flush();
    if (!Written(io))
        return OutputFailed(io);
    return allDefined ? kExitOk : kExitInvalid;
}
