// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation core as the windows use it: the texts of a catalogue field
// or of typed deviations at a typed size, and the field list under filters.
#include <gtest/gtest.h>

#include <clocale>
#include <ostream>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "Data_Unit.h"
#include "FieldResult.h"
#include "FitResult.h"
#include "NumberText.h"
#include "Texts.h"

namespace {

const std::string kNoData = kNoDataText;

class CoreTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildSizeRanges();
        BuildDeviationTable();
        BuildFieldNames();
    }
};

// ------------------------------------------------------------ limit texts

struct LimitCase {
    const char* what;
    int field;  // 0: manual, with the typed deviations below
    const char* size;
    const char* upper;
    const char* lower;
    DeviationUnit unit;
    Rounding rounding;
    ResultTexts want;
};

constexpr auto mm = DeviationUnit::Millimetres;
constexpr auto um = DeviationUnit::Micrometres;
constexpr auto asIs = Rounding::AsIs;
constexpr auto two = Rounding::TwoDigits;
constexpr auto three = Rounding::ThreeDigits;

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.what; }

ResultTexts Shown(const LimitCase& c)
{
    if (c.field != 0)
        return CatalogueLimits(static_cast<uint8_t>(c.field), c.size, c.unit, c.rounding).results;
    return ManualLimits(c.size, c.upper, c.lower, c.unit, c.rounding).results;
}

class LimitTexts : public CoreTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(LimitTexts, AsTheBoxesShowThem)
{
    const LimitCase& c = GetParam();
    const ResultTexts got = Shown(c);
    EXPECT_EQ(got.max, c.want.max);
    EXPECT_EQ(got.min, c.want.min);
    EXPECT_EQ(got.mid, c.want.mid);
    EXPECT_EQ(got.radius, c.want.radius);
}

const LimitCase kLimitCases[] = {
    // The start display: H9 (+30/0) at 5 mm.
    {"H9 at 5, 2 digits", 25, "5", "", "", mm, two, {"5,03", "5", "5,02", "2,508"}},
    {"H9 at 5, as is", 25, "5", "", "", mm, asIs, {"5,03", "5", "5,015", "2,5075"}},
    {"H9 at 5, micrometres", 25, "5", "", "", um, three, {"5,03", "5", "5,015", "2,5075"}},
    {"H7 +12/0 at 5, 3 digits", 20, "5", "", "", mm, three, {"5,012", "5", "5,006", "2,5030"}},
    {"h11 at 500,001", 17, "500,001", "", "", mm, asIs, {"500,001", "499,561", "499,781", "249,8905"}},
    {"Js6 at 7 keeps its half micrometres", 3, "7", "", "", mm, asIs, {"7,0045", "6,9955", "7", "3,5"}},
    // Typed deviations.
    {"manual +0,025/0, as is", 0, "5", "0,025", "0", mm, asIs, {"5,025", "5", "5,0125", "2,50625"}},
    {"manual +0,025/0, 2 digits", 0, "5", "0,025", "0", mm, two, {"5,025", "5", "5,01", "2,506"}},
    {"manual +0,025/0, 3 digits", 0, "5", "0,025", "0", mm, three, {"5,025", "5", "5,013", "2,5063"}},
    {"manual +25/0 micrometres", 0, "5", "25", "0", um, three, {"5,025", "5", "5,013", "2,5063"}},
    {"manual -7/-28 at 25, as is", 0, "25", "-0,007", "-0,028", mm, asIs, {"24,993", "24,972", "24,9825", "12,49125"}},
    {"manual -7/-28 at 25, 2 digits", 0, "25", "-0,007", "-0,028", mm, two, {"24,993", "24,972", "24,98", "12,491"}},
    {"manual -7/-28 at 25, 3 digits", 0, "25", "-0,007", "-0,028", mm, three, {"24,993", "24,972", "24,983", "12,4913"}},
    {"six digits survive", 0, "12345", "0,5", "0", mm, two, {"12345,5", "12345", "12345,30", "6172,630"}},
    {"negative deviations round to 5,00", 0, "5", "-0,001", "-0,002", mm, two, {"4,999", "4,998", "5,00", "2,499"}},
    {"a result that rounds to zero has no sign", 0, "0", "-0,001", "-0,002", mm, two, {"-0,001", "-0,002", "0,00", "-0,001"}},
    {"a carry past six digits goes scientific", 0, "999999", "1", "0", mm, two, {"1000000", "999999", "1E06", "500000,000"}},
    {"upper below lower is not sorted", 0, "5", "-0,01", "0,01", mm, asIs, {"4,99", "5,01", "5", "2,5"}},
    {"a lone comma is zero", 0, ",", "0,5", ",", mm, asIs, {"0,5", "0", "0,25", "0,125"}},
    {"any real size in manual mode", 0, "2000", "1", "-1", mm, asIs, {"2001", "1999", "2000", "1000"}},
    // Nothing to show.
    {"g6 below 1 mm has no data", 1, "0,5", "", "", mm, two, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}},
    {"above 1000 mm", 17, "1000,0001", "", "", mm, two, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}},
    {"size zero", 25, ",", "", "", mm, two, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}},
    {"size not a number", 25, "", "", "", mm, two, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}},
    {"manual deviation not a number", 0, "5", "+", "0", mm, two, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}},
};
INSTANTIATE_TEST_SUITE_P(Cases, LimitTexts, testing::ValuesIn(kLimitCases));

TEST_F(CoreTest, CatalogueDeviationsCarryTheirSignAndUnit)
{
    const CatalogueDisplay h9 = CatalogueLimits(25, "5", mm, two);
    EXPECT_TRUE(h9.sizeIsNumber && h9.present);
    EXPECT_EQ(h9.upper.text, "+0,03");
    EXPECT_TRUE(h9.upper.positive);
    EXPECT_EQ(h9.lower.text, "0");
    EXPECT_FALSE(h9.lower.positive);

    const CatalogueDisplay h7 = CatalogueLimits(8, "25", um, two);
    EXPECT_EQ(h7.upper.text, "0");
    EXPECT_EQ(h7.lower.text, "-21");
    const CatalogueDisplay js6 = CatalogueLimits(3, "7", um, two);
    EXPECT_EQ(js6.upper.text, "+4,5");
    EXPECT_EQ(js6.lower.text, "-4,5");
    EXPECT_EQ(CatalogueLimits(3, "7", mm, two).upper.text, "+0,0045");
}

TEST_F(CoreTest, WhatCouldNotBeReadIsReported)
{
    const CatalogueDisplay empty = CatalogueLimits(25, "", mm, two);
    EXPECT_FALSE(empty.sizeIsNumber);
    EXPECT_FALSE(empty.present);
    EXPECT_EQ(empty.upper.text, kNoData);
    // A size out of every range is a number all the same.
    const CatalogueDisplay far = CatalogueLimits(25, "-5", mm, two);
    EXPECT_TRUE(far.sizeIsNumber);
    EXPECT_FALSE(far.present);

    const ManualDisplay manual = ManualLimits("5", "1,2,3", " 0 ", mm, two);
    EXPECT_TRUE(manual.sizeIsNumber);
    EXPECT_FALSE(manual.upperIsNumber);
    EXPECT_TRUE(manual.lowerIsNumber);
    EXPECT_EQ(manual.results.mid, kNoData);
}

// The radix character printf uses follows LC_NUMERIC, which Qt takes from
// the environment; the texts must not change with it.
TEST_F(CoreTest, TextsDoNotFollowTheLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8", "fr_FR.UTF-8"})
        if ((found = std::setlocale(LC_NUMERIC, name)))
            break;
    if (!found)
        GTEST_SKIP() << "no locale with another radix character installed";
    const ResultTexts r = ManualLimits("5", "0,025", "0", mm, three).results;
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(r.mid, "5,013");
    EXPECT_EQ(r.max, "5,025");
}

// ------------------------------------------------------------ field list

struct ListCase {
    const char* what;
    FieldFilters filters;
    std::vector<std::string> rows;  // empty: check only the count and selection
    size_t count;
    std::string selected;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.what; }

std::vector<std::string> Names(const std::vector<uint8_t>& fields)
{
    std::vector<std::string> names;
    for (uint8_t f : fields)
        names.push_back(FieldName(f));
    return names;
}

class FieldList : public CoreTest, public testing::WithParamInterface<ListCase> {};

TEST_P(FieldList, ListsAndSelects)
{
    const ListCase& c = GetParam();
    const std::vector<std::string> names = Names(ListedFields(c.filters));
    EXPECT_EQ(names.size(), c.count);
    if (!c.rows.empty()) {
        EXPECT_EQ(names, c.rows);
    }
    const int row = DefaultRow(static_cast<int>(names.size()));
    EXPECT_EQ(row >= 0 ? names[row] : std::string(), c.selected);
}

const ListCase kListCases[] = {
    {"start: grade order", {4, 0, 0}, {}, 40, "H9"},
    {"catalogue order", {0, 0, 0}, {}, 40, "Js7"},
    {"shafts", {1, 0, 0}, {}, 19, "f8"},
    {"holes", {2, 0, 0}, {"H7", "Js7", "k7", "F8", "H8", "H9", "H11", "H12", "Js12"}, 9, "H8"},
    {"general tolerances", {3, 0, 0}, {}, 12, "h15"},
    {"grade 7 in grade order", {4, 2, 0}, {"f7", "h7", "H7", "S7", "Js7", "k7"}, 6, "S7"},
    {"grade 7 in catalogue order", {0, 2, 0}, {"f7", "h7", "S7", "H7", "Js7", "k7"}, 6, "H7"},
    {"letter G", {4, 0, 1}, {"g6"}, 1, "g6"},
    {"letter K picks row 0 of two", {4, 0, 4}, {"K6", "k7"}, 2, "K6"},
    {"letter JS", {4, 0, 3}, {"Js6", "Js7", "Js12", "Js13", "Js14", "Js15", "Js16"}, 7, "Js13"},
    {"letter F", {0, 0, 7}, {"f7", "f8", "f9", "F8"}, 4, "f9"},
    {"shafts of grade 7", {1, 2, 0}, {"f7", "h7", "S7"}, 3, "h7"},
    {"general tolerances of grade 7", {3, 2, 0}, {}, 0, ""},
    {"holes with letter N", {2, 0, 5}, {}, 0, ""},
    {"grade 13 with letter K", {4, 7, 4}, {}, 0, ""},
    {"no type item", {-1, 0, 0}, {}, 0, ""},
    {"no grade item", {4, -1, 0}, {}, 0, ""},
    {"no letter item", {4, 0, 12}, {}, 0, ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, FieldList, testing::ValuesIn(kListCases));

TEST_F(CoreTest, EveryFieldIsReachedByExactlyOneLetterItem)
{
    std::vector<int> reached(kFieldCount + 1, 0);
    for (int letter = 1; letter <= 11; ++letter)
        for (uint8_t f : ListedFields({0, 0, letter}))
            ++reached[f];
    for (int f = 1; f <= kFieldCount; ++f)
        EXPECT_EQ(reached[f], 1) << FieldName(static_cast<uint8_t>(f));
}

TEST_F(CoreTest, DefaultRowIsTheMiddleOfMoreThanTwo)
{
    EXPECT_EQ(DefaultRow(0), -1);
    EXPECT_EQ(DefaultRow(1), 0);
    EXPECT_EQ(DefaultRow(2), 0);
    EXPECT_EQ(DefaultRow(3), 1);
    EXPECT_EQ(DefaultRow(19), 9);
    EXPECT_EQ(DefaultRow(40), 20);
}

TEST_F(CoreTest, KindsFollowTheNamesAsWritten)
{
    // Named with a capital though they carry shaft deviations: coloured as holes.
    EXPECT_EQ(KindOfField(4), FieldKind::Hole);   // K6
    EXPECT_EQ(KindOfField(22), FieldKind::Shaft);  // k7
    EXPECT_EQ(KindOfField(25), FieldKind::Hole);   // H9
    EXPECT_EQ(KindOfField(1), FieldKind::Shaft);   // g6
    EXPECT_EQ(KindOfField(28), FieldKind::Symmetric);
    for (uint8_t f = 1; f <= kFieldCount; ++f)
        EXPECT_EQ(KindOfField(f), KindOfFieldName(FieldName(f))) << FieldName(f);
    EXPECT_EQ(KindOfFieldName("H6"), FieldKind::Hole);
    EXPECT_EQ(KindOfFieldName("Js16"), FieldKind::Symmetric);
}

}  // namespace

// ------------------------------------------------------------ ISO fields and fits

namespace {

iso286::Field Iso(const char* name)
{
    return *iso286::ParseField(name);
}

ExactDecimal Size(const char* text)
{
    return *ReadDecimalText(text);
}

struct FitCase {
    const char* hole;
    const char* shaft;
    const char* size;
    const char* maxUm;
    const char* minUm;
    const char* meanMm;
    const char* kind;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.size << c.hole << "/" << c.shaft; }

class IsoFits : public testing::TestWithParam<FitCase> {};

TEST_P(IsoFits, ClearancesAndKind)
{
    const FitCase& c = GetParam();
    const FitResult fit = IsoFit(Iso(c.hole), Iso(c.shaft), Millimetres(Size(c.size)));
    ASSERT_TRUE(fit.defined) << FitReasonText(fit);
    EXPECT_EQ(LengthText(fit.maxClearance, DeviationUnit::Micrometres), c.maxUm);
    EXPECT_EQ(LengthText(fit.minClearance, DeviationUnit::Micrometres), c.minUm);
    EXPECT_EQ(LengthText(fit.mean, DeviationUnit::Millimetres), c.meanMm);
    EXPECT_EQ(FitKindText(fit.analysis.kind), std::string(c.kind));
}

INSTANTIATE_TEST_SUITE_P(Cases, IsoFits,
                         testing::Values(FitCase{"H7", "g6", "25", "41", "7", "0,024", "с зазором"},
                                         FitCase{"H7", "h6", "25", "34", "0", "0,017", "с зазором"},
                                         FitCase{"H7", "k6", "25", "19", "-15", "0,002", "переходная"},
                                         FitCase{"H7", "s6", "25", "-14", "-48", "-0,031", "с натягом"},
                                         FitCase{"H11", "c11", "40", "440", "120", "0,28", "с зазором"}));

FieldTexts IsoTexts(const char* field, const char* size, DeviationUnit unit, Rounding rounding)
{
    return WriteFieldTexts(IsoField(Iso(field), Millimetres(Size(size))), unit, rounding);
}

TEST(IsoFields, TextsOfAFieldAtASize)
{
    const FieldResult h7 = IsoField(Iso("H7"), Millimetres(Size("25")));
    ASSERT_TRUE(h7.defined);
    const FieldTexts t = WriteFieldTexts(h7, DeviationUnit::Millimetres, Rounding::TwoDigits);
    EXPECT_EQ(t.upper.text, "+0,021");
    EXPECT_EQ(t.lower.text, "0");
    EXPECT_EQ(t.tolerance, "0,021");
    EXPECT_EQ(t.results.max, "25,021");
    EXPECT_EQ(t.results.mid, "25,01");
    EXPECT_EQ(t.results.radius, "12,505");
    // The same field at the same size shows one pair of numbers everywhere.
    EXPECT_EQ(IsoTexts("JS7", "7", DeviationUnit::Micrometres, Rounding::AsIs).upper.text,
              CatalogueLimits(21, "7", DeviationUnit::Micrometres, Rounding::AsIs).upper.text);
    EXPECT_EQ(IsoTexts("js01", "2", DeviationUnit::Micrometres, Rounding::AsIs).lower.text, "-0,15");
    EXPECT_EQ(IsoTexts("h18", "3000", DeviationUnit::Millimetres, Rounding::AsIs).results.min, "2967");
}

TEST(IsoFields, WhatTheStandardDoesNotDefineHasAReason)
{
    const FieldResult it01 = IsoField(Iso("H01"), Millimetres(Size("600")));
    EXPECT_FALSE(it01.defined);
    EXPECT_EQ(ReasonText(it01), "IT01 и IT0 определены только до 500 мм.");
    EXPECT_EQ(WriteFieldTexts(it01, DeviationUnit::Millimetres, Rounding::AsIs).results.mid, kNoData);
    EXPECT_FALSE(IsoField(Iso("h7"), Millimetres(Size("3150,0001"))).defined);
    EXPECT_TRUE(IsoField(Iso("h7"), Millimetres(Size("3150"))).defined);
    EXPECT_FALSE(IsoField(Iso("h7"), Millimetres(Size("0"))).defined);
    const FitResult fit = IsoFit(Iso("H7"), Iso("a11"), Millimetres(Size("0,5")));
    EXPECT_FALSE(fit.defined);
    EXPECT_EQ(FitReasonText(fit), ReasonText(fit.shaft));
    EXPECT_EQ(FitFiguresOf(fit).first.um, kNoData);
}

TEST(ExactTexts, EveryDigitWithThePointAsked)
{
    EXPECT_EQ(ExactPositional(Size("25,0105"), '.'), "25.0105");
    EXPECT_EQ(ExactPositional(Size("-0,007"), '.'), "-0.007");
    EXPECT_EQ(ExactPositional(Size("3E3"), '.'), "3000");
    EXPECT_EQ(ExactPositional(Size("0"), ','), "0");
    EXPECT_EQ(ExactPositional(Size("1,23456789012345678901"), ','), "1,23456789012345678901");
}

}  // namespace

// ------------------------------------------------------------ the mid value inside

namespace {

int DecimalsOf(const std::string& text)
{
    const size_t comma = text.find(',');
    return comma == std::string::npos ? 0 : static_cast<int>(text.size() - comma - 1);
}

}  // namespace

TEST(MidInside, K4At25WithTwoDigitsShowsThreeAndSaysSo)
{
    const FieldResult k4 = IsoField(Iso("k4"), Millimetres(Size("25")));
    EXPECT_EQ(WriteFieldTexts(k4, DeviationUnit::Millimetres, Rounding::TwoDigits).results.mid, "25,01");
    const MidText two = MidInsideLimits(k4, Rounding::TwoDigits);
    EXPECT_EQ(two.text, "25,005");
    EXPECT_TRUE(two.widened);
    EXPECT_EQ(two.exact, "25,005");
    const MidText three = MidInsideLimits(k4, Rounding::ThreeDigits);
    EXPECT_EQ(three.text, "25,005");
    EXPECT_FALSE(three.widened);
    const MidText h7 = MidInsideLimits(IsoField(Iso("H7"), Millimetres(Size("25"))), Rounding::TwoDigits);
    EXPECT_EQ(h7.text, "25,01");
    EXPECT_FALSE(h7.widened);
    EXPECT_EQ(MidInsideLimits(IsoField(Iso("H01"), Millimetres(Size("600"))), Rounding::TwoDigits).text, kNoData);
}

// Every field at sizes across the system: the mid value shown lies within
// the limits, keeps the chosen decimals where they do, and otherwise has
// the fewest decimals that keep it inside.
TEST(MidInside, NeverOutsideAnyField)
{
    int widened = 0;
    for (const char* sizeText : {"1", "2,5", "3", "7", "25", "25,0005", "63", "180", "500", "1250", "3150"}) {
        const Millimetres size(Size(sizeText));
        for (const iso286::Side side : {iso286::Side::Hole, iso286::Side::Shaft})
            for (const iso286::Field& f : iso286::DefinedFields(side, *IsoSizeCeiling(size))) {
                const FieldResult r = IsoField(f, size);
                for (const Rounding rounding : {Rounding::TwoDigits, Rounding::ThreeDigits}) {
                    const MidText m = MidInsideLimits(r, rounding);
                    const ExactDecimal shown = *ReadDecimalText(m.text);
                    ASSERT_TRUE(r.min.Value() <= shown && shown <= r.max.Value())
                        << iso286::FieldName(f) << " at " << sizeText << ": " << m.text;
                    const int chosen = rounding == Rounding::TwoDigits ? 2 : 3;
                    if (!m.widened) {
                        EXPECT_EQ(m.text, WriteFieldTexts(r, DeviationUnit::Millimetres, rounding).results.mid);
                        continue;
                    }
                    ++widened;
                    const int decimals = DecimalsOf(m.text);
                    ASSERT_GT(decimals, chosen) << m.text;
                    const ExactDecimal fewer = *ReadDecimalText(FormatFixed(r.mid.Value(), 18, decimals - 1));
                    EXPECT_TRUE(fewer < r.min.Value() || r.max.Value() < fewer)
                        << iso286::FieldName(f) << " at " << sizeText << ": " << m.text;
                }
            }
    }
    EXPECT_GT(widened, 100);
}
