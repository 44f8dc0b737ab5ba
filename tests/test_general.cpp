// General tolerances as a user reads them: the value of a class at a size
// and which range a size on a bound belongs to, "not defined" with its
// reason where the standard leaves a size to the drawing, the IT form
// against the engine's H, h and exact ±IT/2 at every interval bound, form
// and position tolerances, and the drawing notes.
#include <gtest/gtest.h>

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
    // A class gives outside and inside sizes the same value.
    {"m", E::Internal, "120", "±0,3"},
    {"m", E::External, "120,0000001", "±0,5"},
    // Bounds: "0,5 up to 3" takes 0,5; "over a up to b" takes b and not a.
    {"m", E::OtherLinear, "0,5", "±0,1"},
    {"m", E::OtherLinear, "0,4999", "! меньше 0,5 мм"},
    {"f", E::OtherLinear, "3", "±0,05"},
    {"c", E::OtherLinear, "3", "±0,2"},
    {"c", E::OtherLinear, "3,0000000000000000001", "±0,3"},
    {"c", E::OtherLinear, "6", "±0,3"},
    {"f", E::OtherLinear, "2000", "±0,5"},
    {"f", E::OtherLinear, "2000,001", "! св. 2000 до 4000 мм"},
    {"v", E::OtherLinear, "0,5", "! от 0,5 до 3 мм"},
    {"v", E::OtherLinear, "3", "! класса v (очень грубый)"},
    {"v", E::OtherLinear, "3,001", "±0,5"},
    {"v", E::OtherLinear, "4000", "±8"},
    {"m", E::OtherLinear, "4000,0001", "! только до 4000 мм"},
    {"m", E::OtherLinear, "0", "! больше 0 мм"},
    // Radii and chamfer heights.
    {"f", E::BrokenEdge, "0,5", "±0,2"},
    {"m", E::BrokenEdge, "3", "±0,2"},
    {"c", E::BrokenEdge, "3,5", "±1"},
    {"v", E::BrokenEdge, "6", "±1"},
    {"v", E::BrokenEdge, "6,001", "±2"},
    {"f", E::BrokenEdge, "5000", "±1"},
    {"m", E::BrokenEdge, "0,1", "! меньше 0,5 мм"},
    // Angles by the shorter side: no floor, no ceiling.
    {"f", E::Angle, "0,001", "±1°"},
    {"m", E::Angle, "10", "±1°"},
    {"m", E::Angle, "10,001", "±0°30′"},
    {"m", E::Angle, "60", "±0°20′"},
    {"c", E::Angle, "50", "±1°"},
    {"c", E::Angle, "5", "±1°30′"},
    {"v", E::Angle, "400", "±0°30′"},
    {"v", E::Angle, "400,5", "±0°20′"},
    {"f", E::Angle, "100000", "±0°5′"},
    // The IT form covers linear sizes only, within ISO 286's sizes and grades.
    {"IT14", E::BrokenEdge, "5", "! радиусов, фасок и углов"},
    {"IT14", E::Angle, "5", "! радиусов, фасок и углов"},
    {"IT14", E::Internal, "1", "! IT14–IT18 не применяются для размеров до 1 мм"},
    {"IT12", E::OtherLinear, "3150,001", "! до 3150 мм"},
    {"IT11", E::OtherLinear, "10", "! от IT12 до IT17"},
}));

// ------------------------------------------------------------ every range bound

// Each table's value on and just above every finite bound, against the table:
// a size on a bound belongs to the range below it, even where the bound is a
// long exact decimal.
TEST(RangeBounds, OnABoundBelowJustAboveAbove)
{
    struct View {
        E element;
        std::vector<gt::Range> ranges;
        std::vector<std::vector<gt::Cell>> cells;
    };
    const auto view = [](E element, const auto& table) {
        View v{element, {table.ranges.begin(), table.ranges.end()}, {}};
        for (const auto& row : table.cells)
            v.cells.emplace_back(row.begin(), row.end());
        return v;
    };
    const auto expect = [](const GeneralResult& r, const gt::Cell& cell, const std::string& where) {
        ASSERT_EQ(r.defined, cell.has_value()) << where << ": " << r.reason;
        if (!cell)
            return;
        if (r.element == E::Angle) {
            EXPECT_EQ(r.arcMinutes, *cell) << where;
        } else {
            EXPECT_EQ(r.limits.upper, Micrometres(ExactDecimal(*cell, 0))) << where;
            EXPECT_EQ(r.limits.lower, -r.limits.upper) << where;
        }
    };
    int checked = 0;
    for (const View& v : {view(E::OtherLinear, gt::kLinear), view(E::BrokenEdge, gt::kBrokenEdge),
                          view(E::Angle, gt::kAngular)}) {
        for (std::size_t c = 0; c < gt::kLinearClassCount; ++c) {
            const GeneralRule rule = GeneralRule::Class(static_cast<gt::LinearClass>(c));
            for (std::size_t i = 0; i < v.ranges.size(); ++i) {
                if (!v.ranges[i].upperUm)
                    continue;
                const Millimetres bound(Micrometres(ExactDecimal(*v.ranges[i].upperUm, 0)));
                const Millimetres above = bound + Millimetres(ExactDecimal(1, -20));
                const std::string where = ElementText(v.element) + ", class " + gt::kLinearClassLetter[c] + ", "
                                          + FormatGeneral(bound.Value()) + " mm";
                expect(GeneralTolerance(rule, v.element, bound), v.cells[c][i], where);
                const GeneralResult next = GeneralTolerance(rule, v.element, above);
                if (i + 1 < v.ranges.size())
                    expect(next, v.cells[c][i + 1], where + " and a little");
                else
                    EXPECT_FALSE(next.defined) << where << " and a little";
                checked += 2;
            }
        }
    }
    EXPECT_EQ(checked, 4 * 2 * (8 + 2 + 4));
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

TEST(ItForm, LimitSizesWithTheMainWindowsRounding)
{
    const GeneralResult r = GeneralTolerance(GeneralRule::ItForm(14), E::OtherLinear, Mm("120"));
    const FieldTexts t = WriteFieldTexts(r.limits, DeviationUnit::Micrometres, Rounding::TwoDigits);
    EXPECT_EQ(t.upper.text, "+435");
    EXPECT_EQ(t.lower.text, "-435");
    EXPECT_EQ(t.results.max, "120,435");
    EXPECT_EQ(t.results.min, "119,565");
    EXPECT_EQ(t.results.mid, "120,00");
    const GeneralResult hole = GeneralTolerance(GeneralRule::ItForm(14), E::Internal, Mm("120"));
    const FieldTexts h = WriteFieldTexts(hole.limits, DeviationUnit::Millimetres, Rounding::ThreeDigits);
    EXPECT_EQ((std::vector<std::string>{h.upper.text, h.lower.text, h.results.max, h.results.min, h.results.mid,
                                        h.results.radius}),
              (std::vector<std::string>{"+0,87", "0", "120,87", "120", "120,435", "60,2175"}));
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
    {GC::H, F::Straightness, "0,001", "0,02"},
    {GC::H, F::Straightness, "10", "0,02"},
    {GC::H, F::Straightness, "10,001", "0,05"},
    {GC::L, F::Flatness, "3000", "1,6"},
    {GC::L, F::Flatness, "3000,001", "! до 3000 мм"},
    {GC::K, F::Perpendicularity, "100", "0,4"},
    {GC::K, F::Perpendicularity, "100,01", "0,6"},
    {GC::K, F::Perpendicularity, "3000", "1"},
    {GC::H, F::Perpendicularity, "3001", "! до 3000 мм"},
    {GC::H, F::Symmetry, "2500", "0,5"},
    {GC::K, F::Symmetry, "300", "0,6"},
    {GC::K, F::Symmetry, "300,1", "0,8"},
    {GC::L, F::Symmetry, "1", "0,6"},
    {GC::L, F::CircularRunOut, "0,001", "0,5"},
    {GC::H, F::CircularRunOut, "99999", "0,1"},
    {GC::K, F::CircularRunOut, "0", "0,2"},  // one value whatever the size
    {GC::K, F::Flatness, "0", "! больше 0 мм"},
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

TEST(Texts, RangeOfTheSizeAsTheTableHeadsIt)
{
    const GeneralRule m = GeneralRule::Class(gt::LinearClass::m);
    EXPECT_EQ(GeneralTolerance(m, E::OtherLinear, Mm("1")).rangeText, "от 0,5 до 3 мм");
    EXPECT_EQ(GeneralTolerance(m, E::OtherLinear, Mm("120")).rangeText, "св. 30 до 120 мм");
    EXPECT_EQ(GeneralTolerance(m, E::BrokenEdge, Mm("7")).rangeText, "св. 6 мм");
    EXPECT_EQ(GeneralTolerance(m, E::Angle, Mm("7")).rangeText, "до 10 мм");
    EXPECT_EQ(GeometricTolerance(GC::K, F::Symmetry, Mm("150")).rangeText, "св. 100 до 300 мм");
    EXPECT_EQ(GeometricTolerance(GC::K, F::CircularRunOut, Mm("150")).rangeText, "");
}

}  // namespace
