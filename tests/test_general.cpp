// SPDX-License-Identifier: GPL-3.0-or-later
// General tolerances as a user reads them: the value of a class at a size
// and which range a size on a bound belongs to, in every table, "not
// defined" with its reason where the standard leaves a size to the drawing,
// the IT form against the engine's H, h and exact ±IT/2 at every interval
// bound, and the drawing notes.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "GeneralTolerances.h"
#include "NumberText.h"
#include "Texts.h"

namespace {

namespace gt = general_tolerances;
using E = GeneralElement;
using F = GeometricFeature;

Millimetres Mm(const std::string& text) { return Millimetres(*ReadDecimalText(text)); }

GeneralRule Rule(const std::string& name)
{
    if (name.rfind("IT", 0) == 0)
        return GeneralRule::ItForm(std::stoi(name.substr(2)));
    for (std::size_t c = 0; c < gt::kLinearClassCount; ++c)
        if (name == gt::kLinearClassLetter[c])
            return GeneralRule::Class(static_cast<gt::LinearClass>(c));
    ADD_FAILURE() << "no rule " << name;
    return {};
}

// What a drawing reads: "±0,3", "+0,87/0", "±0°20′", or "! <part of the reason>".
std::string Shown(const GeneralResult& r)
{
    if (!r.defined)
        return "! " + r.reason;
    if (r.element == E::Angle)
        return "±" + AngleText(r.arcMinutes);
    return DeviationPairText(r.limits);
}

// ------------------------------------------------------------ spot values

struct Case {
    const char* rule;
    GeneralElement element;
    const char* size;
    const char* want;  // exactly, or "! " and a part of the reason
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.rule << " " << c.size << " (" << ElementText(c.element) << ")"; }

class Spot : public testing::TestWithParam<Case> {};
TEST_P(Spot, AsTheTablePrintsIt)
{
    const Case& c = GetParam();
    const GeneralResult r = GeneralTolerance(Rule(c.rule), c.element, Mm(c.size));
    const std::string want = c.want;
    if (want.rfind("! ", 0) == 0) {
        EXPECT_FALSE(r.defined);
        EXPECT_NE(r.reason.find(want.substr(2)), std::string::npos) << r.reason;
        EXPECT_EQ(r.reason.back(), '.');
    } else {
        EXPECT_TRUE(r.defined) << r.reason;
        EXPECT_EQ(Shown(r), want);
    }
}
INSTANTIATE_TEST_SUITE_P(General, Spot, testing::ValuesIn(std::vector<Case>{
    // The issue's own examples.
    {"m", E::OtherLinear, "120", "±0,3"},
    {"IT14", E::OtherLinear, "120", "±0,435"},
    {"IT14", E::Internal, "120", "+0,87/0"},
    {"IT14", E::External, "120", "0/-0,87"},
    {"m", E::Angle, "60", "±0°20′"},
    // A class gives outside and inside sizes the same value.
    {"m", E::Internal, "120", "±0,3"},
    // "0,5 up to 3" takes 0,5; below it the drawing states the deviation.
    {"m", E::OtherLinear, "0,5", "±0,1"},
    {"f", E::BrokenEdge, "0,5", "±0,2"},
    {"m", E::OtherLinear, "0,4999", "! меньше 0,5 мм"},
    {"m", E::BrokenEdge, "0,1", "! меньше 0,5 мм"},
    {"m", E::OtherLinear, "0", "! больше 0 мм"},
    // The dashes and the end of Table 1.
    {"v", E::OtherLinear, "3", "! от 0,5 до 3 мм ГОСТ 30893.1 не устанавливает общего допуска класса v (очень грубый)"},
    {"f", E::OtherLinear, "2000,001", "! св. 2000 до 4000 мм"},
    {"m", E::OtherLinear, "4000,0001", "! только до 4000 мм"},
    // Open-ended ranges: radii over 6, angles from any side length.
    {"f", E::BrokenEdge, "5000", "±1"},
    {"f", E::Angle, "0,001", "±1°"},
    {"c", E::Angle, "100000", "±0°10′"},
    // The IT form covers linear sizes only, within ISO 286's sizes and grades.
    {"IT14", E::BrokenEdge, "5", "! радиусов, фасок и углов"},
    {"IT14", E::Angle, "5", "! радиусов, фасок и углов"},
    {"IT14", E::Internal, "1", "! IT14–IT18 не применяются для размеров до 1 мм"},
    {"IT12", E::OtherLinear, "3150,001", "! до 3150 мм"},
    {"IT11", E::OtherLinear, "10", "! от IT12 до IT17"},
}));

// ------------------------------------------------------------ every range bound

// Each table's value on and just above every finite bound, against the table
// itself: a size on a bound belongs to the range below it, even a bound
// followed by twenty zeros and a one; above the last finite bound nothing.
TEST(RangeBounds, OnABoundBelowJustAboveAbove)
{
    // The value at a size: µm, or arc-minutes for angles; none when not defined.
    using Ask = std::function<std::optional<ExactDecimal>(std::size_t, const Millimetres&)>;
    struct View {
        const char* name;
        std::vector<gt::Range> ranges;
        std::vector<std::vector<gt::Cell>> cells;
        Ask ask;
    };
    const auto view = [](const char* name, const auto& table, Ask ask) {
        View v{name, {table.ranges.begin(), table.ranges.end()}, {}, std::move(ask)};
        for (const auto& row : table.cells)
            v.cells.emplace_back(row.begin(), row.end());
        return v;
    };
    const auto linear = [](E element) {
        return [element](std::size_t c, const Millimetres& size) -> std::optional<ExactDecimal> {
            const GeneralResult r = GeneralTolerance(GeneralRule::Class(static_cast<gt::LinearClass>(c)), element, size);
            if (!r.defined)
                return std::nullopt;
            if (element == E::Angle)
                return ExactDecimal(r.arcMinutes, 0);
            EXPECT_EQ(r.limits.lower, -r.limits.upper);
            return r.limits.upper.Value();
        };
    };
    const auto geometric = [](F feature) {
        return [feature](std::size_t c, const Millimetres& size) -> std::optional<ExactDecimal> {
            const GeometricResult r = GeometricTolerance(static_cast<gt::GeometricClass>(c), feature, size);
            return r.defined ? std::optional<ExactDecimal>(r.tolerance.Value()) : std::nullopt;
        };
    };
    int checked = 0;
    for (const View& v : {view("linear", gt::kLinear, linear(E::OtherLinear)),
                          view("broken edge", gt::kBrokenEdge, linear(E::BrokenEdge)),
                          view("angle", gt::kAngular, linear(E::Angle)),
                          view("straightness", gt::kStraightnessFlatness, geometric(F::Straightness)),
                          view("flatness", gt::kStraightnessFlatness, geometric(F::Flatness)),
                          view("perpendicularity", gt::kPerpendicularity, geometric(F::Perpendicularity)),
                          view("symmetry", gt::kSymmetry, geometric(F::Symmetry))}) {
        for (std::size_t c = 0; c < v.cells.size(); ++c) {
            const auto expect = [&](const Millimetres& size, const gt::Cell& cell) {
                const std::string where = std::string(v.name) + ", class " + std::to_string(c) + ", "
                                          + FormatGeneral(size.Value()) + " mm";
                const std::optional<ExactDecimal> got = v.ask(c, size);
                ASSERT_EQ(got.has_value(), cell.has_value()) << where;
                if (cell) {
                    EXPECT_EQ(*got, ExactDecimal(*cell, 0)) << where;
                }
                ++checked;
            };
            for (std::size_t i = 0; i < v.ranges.size(); ++i) {
                if (!v.ranges[i].upperUm)
                    continue;
                const Millimetres bound(Micrometres(ExactDecimal(*v.ranges[i].upperUm, 0)));
                expect(bound, v.cells[c][i]);
                expect(bound + Millimetres(ExactDecimal(1, -20)),
                       i + 1 < v.ranges.size() ? v.cells[c][i + 1] : gt::kNotDefined);
            }
        }
    }
    EXPECT_EQ(checked, 2 * (4 * (8 + 2 + 4) + 3 * (6 + 6 + 4 + 4)));
}

// ------------------------------------------------------------ the IT form against the engine

// At every bound of every ISO 286 interval up to 3150 mm, and just above it:
// holes are H, shafts h, the rest exactly half of IT either way.
TEST(ItForm, EqualsTheEnginesHAndhAndTheExactHalf)
{
    int compared = 0, undefined = 0;
    for (int grade = kItFormFinestGrade; grade <= kItFormCoarsestGrade; ++grade) {
        const GeneralRule rule = GeneralRule::ItForm(grade);
        for (const iso286::SizeRange& range : iso286::Ranges()) {
            for (const Millimetres& size : {Millimetres(ExactDecimal(range.upper, 0)),
                                            Millimetres(ExactDecimal(range.lower, 0)) + Mm("0,000001")}) {
                const std::string where = "IT" + std::to_string(grade) + " at " + FormatGeneral(size.Value()) + " mm";
                const int ceiling = static_cast<int>(size.Value().Ceiling());
                const iso286::FieldLimits H = iso286::LimitsOf({iso286::Side::Hole, iso286::Letter::H, grade}, ceiling);
                const iso286::FieldLimits h = iso286::LimitsOf({iso286::Side::Shaft, iso286::Letter::H, grade}, ceiling);
                const std::optional<iso286::Nanometres> it = iso286::ToleranceGrade(grade, ceiling);
                const GeneralResult hole = GeneralTolerance(rule, E::Internal, size);
                const GeneralResult shaft = GeneralTolerance(rule, E::External, size);
                const GeneralResult other = GeneralTolerance(rule, E::OtherLinear, size);
                ASSERT_EQ(hole.defined, it.has_value()) << where;
                ASSERT_EQ(shaft.defined, it.has_value()) << where;
                ASSERT_EQ(other.defined, it.has_value()) << where;
                if (!it) {
                    EXPECT_EQ(hole.reason, UndefinedText(H)) << where;
                    EXPECT_EQ(other.reason, hole.reason) << where;
                    ++undefined;
                    continue;
                }
                const auto um = [](iso286::Nanometres nm) { return Micrometres(WholeNanometres(nm)); };
                EXPECT_EQ(hole.limits.upper, um(H.upper)) << where;
                EXPECT_EQ(hole.limits.lower, um(H.lower)) << where;
                EXPECT_EQ(shaft.limits.upper, um(h.upper)) << where;
                EXPECT_EQ(shaft.limits.lower, um(h.lower)) << where;
                EXPECT_EQ(hole.limits.field->grade, grade);
                // ±IT/2 with no rounding: twice the deviation is IT to the nanometre.
                EXPECT_EQ(other.limits.upper + other.limits.upper, um(*it)) << where;
                EXPECT_EQ(other.limits.lower, -other.limits.upper) << where;
                EXPECT_EQ(*other.it, um(*it)) << where;
                EXPECT_FALSE(other.limits.field.has_value());
                EXPECT_EQ(other.limits.max, size + Millimetres(other.limits.upper)) << where;
                ++compared;
            }
        }
    }
    // IT14..IT17 are not used up to 1 mm: the bound 1 and the size just above 0.
    EXPECT_EQ(undefined, 4 * 2);
    EXPECT_EQ(compared + undefined, 6 * 2 * static_cast<int>(iso286::Ranges().size()));
}

// ------------------------------------------------------------ form and position

struct GeometricCase {
    gt::GeometricClass geometricClass;
    GeometricFeature feature;
    const char* size;
    const char* want;  // millimetres, or "! " and a part of the reason
};
void PrintTo(const GeometricCase& c, std::ostream* os)
{
    *os << gt::kGeometricClassLetter[gt::Index(c.geometricClass)] << " " << FeatureText(c.feature) << " " << c.size;
}

class Geometric : public testing::TestWithParam<GeometricCase> {};
TEST_P(Geometric, AsTheTablePrintsIt)
{
    const GeometricCase& c = GetParam();
    const GeometricResult r = GeometricTolerance(c.geometricClass, c.feature, Mm(c.size));
    const std::string want = c.want;
    if (want.rfind("! ", 0) == 0) {
        EXPECT_FALSE(r.defined);
        EXPECT_NE(r.reason.find(want.substr(2)), std::string::npos) << r.reason;
    } else {
        EXPECT_TRUE(r.defined) << r.reason;
        EXPECT_EQ(LengthText(r.tolerance, DeviationUnit::Millimetres), want);
    }
}
using GC = gt::GeometricClass;
INSTANTIATE_TEST_SUITE_P(General, Geometric, testing::ValuesIn(std::vector<GeometricCase>{
    {GC::K, F::Flatness, "150", "0,4"},  // the example
    {GC::L, F::Flatness, "3000,001", "! до 3000 мм"},
    {GC::K, F::Flatness, "0", "! больше 0 мм"},
    // Run-out: one value per class, whatever the size.
    {GC::L, F::CircularRunOut, "0,001", "0,5"},
    {GC::H, F::CircularRunOut, "99999", "0,1"},
    {GC::K, F::CircularRunOut, "0", "0,2"},
}));

// ------------------------------------------------------------ texts

TEST(Texts, AnglesInDegreesAndMinutes)
{
    EXPECT_EQ(AngleText(0), "0°");
    EXPECT_EQ(AngleText(5), "0°5′");
    EXPECT_EQ(AngleText(20), "0°20′");
    EXPECT_EQ(AngleText(60), "1°");
    EXPECT_EQ(AngleText(90), "1°30′");
    EXPECT_EQ(AngleText(180), "3°");
    EXPECT_EQ(AngleText(20, "'"), "0°20'");
}

TEST(Texts, DrawingNotes)
{
    EXPECT_EQ(GeneralNote(GeneralRule::Class(gt::LinearClass::m)), "Общие допуски по ГОСТ 30893.1 — m");
    EXPECT_EQ(GeneralNote(GeneralRule::Class(gt::LinearClass::v)), "Общие допуски по ГОСТ 30893.1 — v");
    EXPECT_EQ(GeneralNote(GeneralRule::ItForm(14)),
              "Неуказанные предельные отклонения размеров: отверстий H14, валов h14, остальных ±IT14/2");
    EXPECT_EQ(GeneralNote(GeneralRule::ItForm(12)),
              "Неуказанные предельные отклонения размеров: отверстий H12, валов h12, остальных ±IT12/2");
    EXPECT_EQ(GeometricNote(GeneralRule::Class(gt::LinearClass::m), GC::K), "Общие допуски по ГОСТ 30893.2 — mK");
    EXPECT_EQ(GeometricNote(GeneralRule::Class(gt::LinearClass::f), GC::H), "Общие допуски по ГОСТ 30893.2 — fH");
    EXPECT_EQ(GeometricNote(GeneralRule::ItForm(14), GC::L), "Общие допуски по ГОСТ 30893.2 — L");
    EXPECT_EQ(RuleName(GeneralRule::ItForm(17)), "IT17");
    EXPECT_EQ(RuleName(GeneralRule::Class(gt::LinearClass::c)), "c");
    EXPECT_EQ(LinearClassText(gt::LinearClass::v), "v — очень грубый");
}

}  // namespace
