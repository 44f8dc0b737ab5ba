// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneralTolerances.h"

#include <array>

#include "Catalogue.h"
#include "NumberText.h"
#include "Texts.h"

namespace gt = general_tolerances;

namespace {

Micrometres Um(int micrometres) { return Micrometres(ExactDecimal(micrometres, 0)); }

std::string MmText(int micrometres) { return FormatGeneral(Millimetres(Um(micrometres)).Value()); }

bool Holds(const gt::Range& range, const Micrometres& size)
{
    const Micrometres lower = Um(range.lowerUm);
    const bool aboveLower = range.lowerIncluded ? size >= lower : size > lower;
    return aboveLower && (!range.upperUm || size <= Um(*range.upperUm));
}

std::string RangeText(const gt::Range& range)
{
    if (!range.upperUm)
        return "св. " + MmText(range.lowerUm) + " мм";
    if (range.lowerUm == 0)
        return "до " + MmText(*range.upperUm) + " мм";
    return (range.lowerIncluded ? "от " : "св. ") + MmText(range.lowerUm) + " до " + MmText(*range.upperUm) + " мм";
}

const char* const kNotAboveZero = "Размер должен быть больше 0 мм.";

GeneralResult NotDefined(GeneralResult r, std::string reason)
{
    r.defined = false;
    r.reason = std::move(reason);
    return r;
}

// One table's cell at a size: the range that holds it and its value.
struct Lookup {
    std::optional<gt::Range> range;
    gt::Cell cell;
};

template <std::size_t Classes, std::size_t Ranges>
Lookup Look(const gt::Table<Classes, Ranges>& table, std::size_t classIndex, const Millimetres& size)
{
    const Micrometres um(size);
    for (std::size_t i = 0; i < Ranges; ++i)
        if (Holds(table.ranges[i], um))
            return {table.ranges[i], table.cells[classIndex][i]};
    return {};
}

// A class of ГОСТ 30893.1: one symmetric value from Table 1, 2 or 3.
GeneralResult ClassTolerance(GeneralResult r, gt::LinearClass c)
{
    const std::size_t i = gt::Index(c);
    const Lookup found = r.element == GeneralElement::Angle        ? Look(gt::kAngular, i, r.size)
                         : r.element == GeneralElement::BrokenEdge ? Look(gt::kBrokenEdge, i, r.size)
                                                                   : Look(gt::kLinear, i, r.size);
    if (!found.range) {
        if (Micrometres(r.size) < Um(gt::kStatedAtSizeBelowUm))
            return NotDefined(std::move(r), "Для размеров меньше 0,5 мм ГОСТ 30893.1 общих допусков не устанавливает: "
                                            "отклонение указывают у самого размера.");
        return NotDefined(std::move(r), "ГОСТ 30893.1 устанавливает общие допуски линейных размеров только до "
                                            + MmText(*gt::kLinear.ranges.back().upperUm) + " мм.");
    }
    r.rangeText = RangeText(*found.range);
    if (!found.cell)
        return NotDefined(std::move(r), "Для размеров " + r.rangeText + " ГОСТ 30893.1 не устанавливает общего допуска "
                                            + "класса " + gt::kLinearClassLetter[i] + " (" + gt::kLinearClassName[i]
                                            + ").");
    r.defined = true;
    if (r.element == GeneralElement::Angle)
        r.arcMinutes = *found.cell;
    else
        r.limits = TypedField(r.size, Um(*found.cell), -Um(*found.cell));
    return r;
}

// The IT form: H and h straight from the engine, the rest the exact half of IT.
GeneralResult ItFormTolerance(GeneralResult r, int grade)
{
    if (r.element == GeneralElement::BrokenEdge || r.element == GeneralElement::Angle)
        return NotDefined(std::move(r), "Запись в квалитетах (H" + std::to_string(grade) + ", h" + std::to_string(grade)
                                            + ", ±IT" + std::to_string(grade)
                                            + "/2) не задаёт отклонений радиусов, фасок и углов: для них "
                                              "выберите класс ГОСТ 30893.1.");
    const FieldResult hole = IsoField({iso286::Side::Hole, iso286::Letter::H, grade}, r.size);
    if (!hole.defined)
        return NotDefined(std::move(r), ReasonText(hole));
    r.defined = true;
    r.it = hole.Tolerance();
    switch (r.element) {
    case GeneralElement::Internal: r.limits = hole; break;
    case GeneralElement::External: r.limits = IsoField({iso286::Side::Shaft, iso286::Letter::H, grade}, r.size); break;
    default:
        // The note's own rule: the exact half, with no rounding to even micrometres.
        r.limits = TypedField(r.size, r.it->Half(), -r.it->Half());
        break;
    }
    return r;
}

}  // namespace

std::string RuleName(const GeneralRule& rule)
{
    if (rule.linearClass)
        return gt::kLinearClassLetter[gt::Index(*rule.linearClass)];
    return "IT" + std::to_string(rule.grade);
}

GeneralResult GeneralTolerance(const GeneralRule& rule, GeneralElement element, const Millimetres& size)
{
    GeneralResult r;
    r.rule = rule;
    r.element = element;
    r.size = size;
    r.limits.size = size;
    if (size.Sign() <= 0)
        return NotDefined(std::move(r), kNotAboveZero);
    if (rule.linearClass)
        return ClassTolerance(std::move(r), *rule.linearClass);
    if (rule.grade < kItFormFinestGrade || rule.grade > kItFormCoarsestGrade)
        return NotDefined(std::move(r), "Запись общих допусков в квалитетах берёт квалитеты от IT"
                                            + std::to_string(kItFormFinestGrade) + " до IT"
                                            + std::to_string(kItFormCoarsestGrade) + ".");
    return ItFormTolerance(std::move(r), rule.grade);
}

GeometricResult GeometricTolerance(gt::GeometricClass geometricClass, GeometricFeature feature, const Millimetres& size)
{
    GeometricResult r;
    r.geometricClass = geometricClass;
    r.feature = feature;
    r.size = size;
    const std::size_t c = gt::Index(geometricClass);
    if (feature == GeometricFeature::CircularRunOut) {
        r.defined = true;
        r.tolerance = Um(gt::kCircularRunOutUm[c]);
        return r;
    }
    if (size.Sign() <= 0) {
        r.reason = kNotAboveZero;
        return r;
    }
    const Lookup found = feature == GeometricFeature::Perpendicularity ? Look(gt::kPerpendicularity, c, size)
                         : feature == GeometricFeature::Symmetry       ? Look(gt::kSymmetry, c, size)
                                                                       : Look(gt::kStraightnessFlatness, c, size);
    if (!found.range || !found.cell) {
        // Every table of ГОСТ 30893.2 ends at 3000 mm and has a value in every cell.
        r.reason = "ГОСТ 30893.2 устанавливает общие допуски формы и расположения только для длин до "
                   + MmText(*gt::kStraightnessFlatness.ranges.back().upperUm) + " мм.";
        return r;
    }
    r.defined = true;
    r.tolerance = Um(*found.cell);
    r.rangeText = RangeText(*found.range);
    return r;
}

// ---- Texts

std::string AngleText(int arcMinutes, const char* minuteSign)
{
    std::string text = std::to_string(arcMinutes / 60) + "°";
    if (arcMinutes % 60 != 0)
        text += std::to_string(arcMinutes % 60) + minuteSign;
    return text;
}

std::string DeviationPairText(const FieldResult& limits)
{
    const std::string upper = LengthText(limits.upper, DeviationUnit::Millimetres);
    if (limits.upper.Sign() > 0 && limits.upper == -limits.lower)
        return "±" + upper;
    return SignedDeviation(limits.upper, DeviationUnit::Millimetres).text + "/"
           + SignedDeviation(limits.lower, DeviationUnit::Millimetres).text;
}

std::string GeneralNote(const GeneralRule& rule)
{
    if (rule.linearClass)
        return std::string("Общие допуски по ГОСТ 30893.1 — ") + gt::kLinearClassLetter[gt::Index(*rule.linearClass)];
    const std::string n = std::to_string(rule.grade);
    return "Неуказанные предельные отклонения размеров: отверстий H" + n + ", валов h" + n + ", остальных ±IT" + n
           + "/2";
}

std::string GeometricNote(const GeneralRule& rule, gt::GeometricClass geometricClass)
{
    std::string classes = rule.linearClass ? gt::kLinearClassLetter[gt::Index(*rule.linearClass)] : "";
    classes += gt::kGeometricClassLetter[gt::Index(geometricClass)];
    return "Общие допуски по ГОСТ 30893.2 — " + classes;
}

std::string LinearClassText(gt::LinearClass c)
{
    return std::string(gt::kLinearClassLetter[gt::Index(c)]) + " — " + gt::kLinearClassName[gt::Index(c)];
}

std::string ElementText(GeneralElement element)
{
    switch (element) {
    case GeneralElement::External: return "наружный (вал)";
    case GeneralElement::Internal: return "внутренний (отверстие)";
    case GeneralElement::OtherLinear: return "прочий линейный";
    case GeneralElement::BrokenEdge: return "радиус или фаска";
    case GeneralElement::Angle: break;
    }
    return "угол";
}

std::string FeatureText(GeometricFeature feature)
{
    switch (feature) {
    case GeometricFeature::Straightness: return "прямолинейность";
    case GeometricFeature::Flatness: return "плоскостность";
    case GeometricFeature::Perpendicularity: return "перпендикулярность";
    case GeometricFeature::Symmetry: return "симметричность";
    case GeometricFeature::CircularRunOut: break;
    }
    return "биение";
}
