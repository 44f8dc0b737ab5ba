// SPDX-License-Identifier: GPL-3.0-or-later
// The tolerance data unit: size ranges, and the catalogue checked against a
// recomputation from ISO 286-1 (tolerance grades and fundamental deviations
// per size interval), which is laid out unlike the per-range limit columns
// of the data unit, so a slip in either shows up as a mismatch.
#include "Data_Unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

class DataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildSizeRanges();
        BuildDeviationTable();
        BuildFieldNames();
    }
};

const int kUpper[kRangeCount] = {1,   3,   6,   10,  18,  24,  30,  40,  50,  65,
                                 80,  100, 120, 140, 160, 180, 200, 225, 250, 280,
                                 315, 355, 400, 450, 500, 630, 800, 1000};

std::string NameOf(int f)
{
    const ToleranceField& field = FieldCatalogue.fields[f];
    return std::string(field.letter) + std::to_string(field.grade);
}

// ---------------------------------------------------------------- ranges

TEST_F(DataTest, RangesAreContiguousFromZeroTo1000)
{
    int lower = 0;
    for (int r = 1; r <= kRangeCount; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(SizeRanges[r].lower, lower);
        EXPECT_EQ(SizeRanges[r].upper, kUpper[r - 1]);
        lower = kUpper[r - 1];
    }
}

struct SizeCase {
    double size;
    int range;
};

std::vector<SizeCase> SizeCases()
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<SizeCase> cases = {
        {1.0, 2},      {0.999, 1},    {1.0001, 2},  {0.5, 1},      {3.0, 2},
        {3.0001, 3},   {10.0, 4},     {18.0, 5},    {18.5, 6},     {25.0, 7},
        {500.0, 25},   {500.001, 26}, {1000.0, 28}, {1000.0001, 0}, {0.0, 0},
        {-0.0, 0},     {-1.0, 0},     {-500.0, 0},  {inf, 0},      {-inf, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::denorm_min(), 1},
    };
    // Each bound belongs to the range below it, the next representable size
    // above it to the range above; 1 mm is the one exception.
    for (int r = 1; r <= kRangeCount; ++r) {
        const double bound = kUpper[r - 1];
        cases.push_back({bound, bound == 1.0 ? 2 : r});
        cases.push_back({std::nextafter(bound, inf), r < kRangeCount ? r + 1 : 0});
        cases.push_back({std::nextafter(bound, -inf), r});
    }
    return cases;
}

class RangeOfSizeTest : public DataTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(RangeOfSizeTest, FindsTheRangeHoldingTheSize)
{
    EXPECT_EQ(RangeOfSize(GetParam().size), GetParam().range) << "size " << GetParam().size;
}

INSTANTIATE_TEST_SUITE_P(Sizes, RangeOfSizeTest, ::testing::ValuesIn(SizeCases()));

// ---------------------------------------------------- ISO 286-1 model

// Standard tolerance grades IT6..IT16 in micrometres per main size interval.
struct GradeRow {
    int upper;
    int it[11];  // IT6 .. IT16
};
const GradeRow kGrades[] = {
    {3,    {6,  10, 14,  25,  40,  60,  100, 140,  250,  400,  600}},
    {6,    {8,  12, 18,  30,  48,  75,  120, 180,  300,  480,  750}},
    {10,   {9,  15, 22,  36,  58,  90,  150, 220,  360,  580,  900}},
    {18,   {11, 18, 27,  43,  70,  110, 180, 270,  430,  700,  1100}},
    {30,   {13, 21, 33,  52,  84,  130, 210, 330,  520,  840,  1300}},
    {50,   {16, 25, 39,  62,  100, 160, 250, 390,  620,  1000, 1600}},
    {80,   {19, 30, 46,  74,  120, 190, 300, 460,  740,  1200, 1900}},
    {120,  {22, 35, 54,  87,  140, 220, 350, 540,  870,  1400, 2200}},
    {180,  {25, 40, 63,  100, 160, 250, 400, 630,  1000, 1600, 2500}},
    {250,  {29, 46, 72,  115, 185, 290, 460, 720,  1150, 1850, 2900}},
    {315,  {32, 52, 81,  130, 210, 320, 520, 810,  1300, 2100, 3200}},
    {400,  {36, 57, 89,  140, 230, 360, 570, 890,  1400, 2300, 3600}},
    {500,  {40, 63, 97,  155, 250, 400, 630, 970,  1550, 2500, 4000}},
    {630,  {44, 70, 110, 175, 280, 440, 700, 1100, 1750, 2800, 4400}},
    {800,  {50, 80, 125, 200, 320, 500, 800, 1250, 2000, 3200, 5000}},
    {1000, {56, 90, 140, 230, 360, 560, 900, 1400, 2300, 3600, 5600}},
};

// Shaft fundamental deviations up to 500 mm, with the intermediate
// subdivisions: es for b, d, f, g; ei for k (IT4..IT7), n, r, s, u.
struct DeviationRow {
    int upper;
    int b, d, f, g;
    int k, n, r, s, u;
};
const DeviationRow kFundamental[] = {
    {3,   -140, -20,  -6,  -2,  0, 4,  10,  14,  18},
    {6,   -140, -30,  -10, -4,  1, 8,  15,  19,  23},
    {10,  -150, -40,  -13, -5,  1, 10, 19,  23,  28},
    {18,  -150, -50,  -16, -6,  1, 12, 23,  28,  33},
    {24,  -160, -65,  -20, -7,  2, 15, 28,  35,  41},
    {30,  -160, -65,  -20, -7,  2, 15, 28,  35,  48},
    {40,  -170, -80,  -25, -9,  2, 17, 34,  43,  60},
    {50,  -180, -80,  -25, -9,  2, 17, 34,  43,  70},
    {65,  -190, -100, -30, -10, 2, 20, 41,  53,  87},
    {80,  -200, -100, -30, -10, 2, 20, 43,  59,  102},
    {100, -220, -120, -36, -12, 3, 23, 51,  71,  124},
    {120, -240, -120, -36, -12, 3, 23, 54,  79,  144},
    {140, -260, -145, -43, -14, 3, 27, 63,  92,  170},
    {160, -280, -145, -43, -14, 3, 27, 65,  100, 190},
    {180, -310, -145, -43, -14, 3, 27, 68,  108, 210},
    {200, -340, -170, -50, -15, 4, 31, 77,  122, 236},
    {225, -380, -170, -50, -15, 4, 31, 80,  130, 258},
    {250, -420, -170, -50, -15, 4, 31, 84,  140, 284},
    {280, -480, -190, -56, -17, 4, 34, 94,  158, 315},
    {315, -540, -190, -56, -17, 4, 34, 98,  170, 350},
    {355, -600, -210, -62, -18, 4, 37, 108, 190, 390},
    {400, -680, -210, -62, -18, 4, 37, 114, 208, 435},
    {450, -760, -230, -68, -20, 5, 40, 126, 232, 490},
    {500, -840, -230, -68, -20, 5, 40, 132, 252, 540},
};

int Tolerance(int grade, int rangeUpper)
{
    for (const GradeRow& row : kGrades)
        if (rangeUpper <= row.upper)
            return row.it[grade - 6];
    ADD_FAILURE() << "no grade row for " << rangeUpper;
    return 0;
}

// Only asked for by the letter fields, which stop at 500 mm.
const DeviationRow& Fundamental(int rangeUpper)
{
    for (const DeviationRow& row : kFundamental)
        if (rangeUpper <= row.upper)
            return row;
    ADD_FAILURE() << "no deviation row for " << rangeUpper;
    return kFundamental[0];
}

// The rules before ShaftH take a fundamental deviation from the table above.
enum class Rule {
    ShaftB, ShaftD, ShaftF, ShaftG,            // es fixed, ei = es - IT
    ShaftK, ShaftN, ShaftR, ShaftS, ShaftU,    // ei fixed, es = ei + IT
    HoleF,                                     // EI = -es(f)
    HoleK,                                     // ES = -ei(k) + Delta
    ShaftH, HoleH, Js, JsHalves, JsRoundedDown,
};

struct FieldModel {
    const char* name;
    Rule rule;
    int grade;
    const char* colour;
};

const FieldModel kModel[kFieldCount + 1] = {
    {"", Rule::ShaftH, 0, ""},
    {"g6", Rule::ShaftG, 6, "b"},      {"h6", Rule::ShaftH, 6, "b"},
    {"Js6", Rule::JsHalves, 6, "gr"},  {"K6", Rule::ShaftK, 6, "r"},
    {"N6", Rule::ShaftN, 6, "r"},      {"R6", Rule::ShaftR, 6, "r"},
    {"f7", Rule::ShaftF, 7, "b"},      {"h7", Rule::ShaftH, 7, "b"},
    {"S7", Rule::ShaftS, 7, "r"},      {"f8", Rule::ShaftF, 8, "b"},
    {"h8", Rule::ShaftH, 8, "b"},      {"U8", Rule::ShaftU, 8, "r"},
    {"d9", Rule::ShaftD, 9, "b"},      {"f9", Rule::ShaftF, 9, "b"},
    {"h9", Rule::ShaftH, 9, "b"},      {"d11", Rule::ShaftD, 11, "b"},
    {"h11", Rule::ShaftH, 11, "b"},    {"b12", Rule::ShaftB, 12, "b"},
    {"h12", Rule::ShaftH, 12, "b"},    {"H7", Rule::HoleH, 7, "r"},
    {"Js7", Rule::JsRoundedDown, 7, "gr"}, {"k7", Rule::HoleK, 7, "b"},
    {"F8", Rule::HoleF, 8, "r"},       {"H8", Rule::HoleH, 8, "r"},
    {"H9", Rule::HoleH, 9, "r"},       {"H11", Rule::HoleH, 11, "r"},
    {"H12", Rule::HoleH, 12, "r"},     {"Js12", Rule::Js, 12, "gr"},
    {"h13", Rule::ShaftH, 13, "b"},    {"H13", Rule::HoleH, 13, "r"},
    {"Js13", Rule::Js, 13, "gr"},      {"h14", Rule::ShaftH, 14, "b"},
    {"H14", Rule::HoleH, 14, "r"},     {"Js14", Rule::Js, 14, "gr"},
    {"h15", Rule::ShaftH, 15, "b"},    {"H15", Rule::HoleH, 15, "r"},
    {"Js15", Rule::Js, 15, "gr"},      {"h16", Rule::ShaftH, 16, "b"},
    {"H16", Rule::HoleH, 16, "r"},     {"Js16", Rule::Js, 16, "gr"},
};

struct Limits {
    double upper;
    double lower;
};

Limits Expected(int field, int range)
{
    const int size = kUpper[range - 1];
    const FieldModel& m = kModel[field];
    const int it = Tolerance(m.grade, size);
    const DeviationRow& fd = m.rule < Rule::ShaftH ? Fundamental(size) : kFundamental[0];
    auto fromUpper = [it](int es) { return Limits{double(es), double(es - it)}; };
    auto fromLower = [it](int ei) { return Limits{double(ei + it), double(ei)}; };
    switch (m.rule) {
    case Rule::ShaftB: return fromUpper(fd.b);
    case Rule::ShaftD: return fromUpper(fd.d);
    case Rule::ShaftF: return fromUpper(fd.f);
    case Rule::ShaftG: return fromUpper(fd.g);
    case Rule::ShaftK: return fromLower(fd.k);
    case Rule::ShaftN: return fromLower(fd.n);
    case Rule::ShaftR: return fromLower(fd.r);
    case Rule::ShaftS: return fromLower(fd.s);
    case Rule::ShaftU: return fromLower(fd.u);
    case Rule::HoleF: return fromLower(-fd.f);
    case Rule::HoleK: {
        // ISO 286-1 sets K to 0 up to 3 mm, with no Delta there.
        const int delta = size <= 3 ? 0 : Tolerance(7, size) - Tolerance(6, size);
        return fromUpper(-fd.k + delta);
    }
    case Rule::ShaftH: return {0.0, double(-it)};
    case Rule::HoleH: return {double(it), 0.0};
    case Rule::Js:
        EXPECT_EQ(it % 2, 0) << "odd IT for " << m.name;
        return {it / 2.0, -it / 2.0};
    case Rule::JsHalves: return {it / 2.0, -it / 2.0};
    case Rule::JsRoundedDown: return {double(it / 2), double(-(it / 2))};
    }
    return {0.0, 0.0};
}

// ---------------------------------------------------------- catalogue

TEST_F(DataTest, EveryFieldFrom1To500MatchesIso286)
{
    for (int f = 1; f <= kFieldCount; ++f) {
        for (int r = 2; r <= 25; ++r) {
            SCOPED_TRACE(std::string(kModel[f].name) + " range " + std::to_string(r));
            const DeviationValues got = DeviationsOf(f, r);
            const Limits want = Expected(f, r);
            ASSERT_TRUE(got.present);
            EXPECT_DOUBLE_EQ(got.upper, want.upper);
            EXPECT_DOUBLE_EQ(got.lower, want.lower);
        }
    }
}

TEST_F(DataTest, LargeSizesHoldOnlyTheCoarseFieldsExceptJs12)
{
    std::set<int> carried = {17, 19};
    for (int f = 26; f <= 40; ++f)
        if (f != 28)
            carried.insert(f);
    for (int f = 1; f <= kFieldCount; ++f) {
        for (int r = 26; r <= 28; ++r) {
            SCOPED_TRACE(std::string(kModel[f].name) + " range " + std::to_string(r));
            const DeviationValues got = DeviationsOf(f, r);
            ASSERT_EQ(got.present, carried.count(f) == 1);
            if (!got.present) {
                EXPECT_EQ(got.upper, 0.0);
                EXPECT_EQ(got.lower, 0.0);
                continue;
            }
            const Limits want = Expected(f, r);
            EXPECT_DOUBLE_EQ(got.upper, want.upper);
            EXPECT_DOUBLE_EQ(got.lower, want.lower);
        }
    }
    // A few written out, as listed for the catalogue.
    EXPECT_DOUBLE_EQ(DeviationsOf(17, 26).lower, -440);
    EXPECT_DOUBLE_EQ(DeviationsOf(19, 28).lower, -900);
    EXPECT_DOUBLE_EQ(DeviationsOf(30, 27).upper, 1250);
    EXPECT_DOUBLE_EQ(DeviationsOf(34, 28).upper, 1150);
    EXPECT_DOUBLE_EQ(DeviationsOf(37, 26).lower, -1400);
    EXPECT_DOUBLE_EQ(DeviationsOf(40, 27).upper, 2500);
}

TEST_F(DataTest, BelowOneMillimetreOnlyTheListedFieldsHoldData)
{
    struct Entry {
        int field;
        double upper, lower;
    };
    const Entry present[] = {
        {2, 0, -6},     {4, 6, 0},      {6, 16, 10},    {8, 0, -10},    {11, 0, -14},
        {15, 0, -14},   {17, 0, -60},   {19, 0, -60},   {20, 10, 0},    {24, 14, 0},
        {25, 14, 0},    {26, 60, 0},    {27, 60, 0},    {29, 0, -140},  {30, 140, 0},
        {31, 70, -70},  {32, 0, -140},  {33, 140, 0},   {34, 70, -70},  {35, 0, -140},
        {36, 140, 0},   {37, 70, -70},  {38, 0, -140},  {39, 140, 0},   {40, 70, -70},
    };
    std::set<int> seen;
    for (const Entry& e : present) {
        SCOPED_TRACE(kModel[e.field].name);
        const DeviationValues got = DeviationsOf(e.field, 1);
        ASSERT_TRUE(got.present);
        EXPECT_DOUBLE_EQ(got.upper, e.upper);
        EXPECT_DOUBLE_EQ(got.lower, e.lower);
        seen.insert(e.field);
    }
    for (int f : {1, 3, 5, 7, 9, 10, 12, 13, 14, 16, 18, 21, 22, 23, 28}) {
        SCOPED_TRACE(kModel[f].name);
        EXPECT_FALSE(DeviationsOf(f, 1).present);
        EXPECT_TRUE(seen.insert(f).second);
    }
    EXPECT_EQ(seen.size(), size_t(kFieldCount));
}

TEST_F(DataTest, PresentEntriesHaveUpperNotBelowLower)
{
    for (int f = 1; f <= kFieldCount; ++f)
        for (int r = 1; r <= kRangeCount; ++r) {
            const DeviationValues v = DeviationsOf(f, r);
            if (v.present) {
                EXPECT_GE(v.upper, v.lower) << kModel[f].name << " range " << r;
            }
        }
}

TEST_F(DataTest, OutOfTableArgumentsAreNotPresent)
{
    for (int f : {0, 41, 255})
        EXPECT_FALSE(DeviationsOf(f, 5).present) << f;
    for (int r : {0, 29, 255})
        EXPECT_FALSE(DeviationsOf(8, r).present) << r;
}

// The example rows of the catalogue, upper / lower as DeviationsOf gives them.
TEST_F(DataTest, ExampleRowsForH7K6U8K7Js6Js7)
{
    struct Row {
        double h7[2], K6[2], U8[2], k7[2], js6, js7;
    };
    const Row rows[] = {
        {{0, -10}, {6, 0}, {32, 18}, {0, -10}, 3, 5},
        {{0, -12}, {9, 1}, {41, 23}, {3, -9}, 4, 6},
        {{0, -15}, {10, 1}, {50, 28}, {5, -10}, 4.5, 7},
        {{0, -18}, {12, 1}, {60, 33}, {6, -12}, 5.5, 9},
        {{0, -21}, {15, 2}, {74, 41}, {6, -15}, 6.5, 10},
        {{0, -21}, {15, 2}, {81, 48}, {6, -15}, 6.5, 10},
        {{0, -25}, {18, 2}, {99, 60}, {7, -18}, 8, 12},
        {{0, -25}, {18, 2}, {109, 70}, {7, -18}, 8, 12},
        {{0, -30}, {21, 2}, {133, 87}, {9, -21}, 9.5, 15},
        {{0, -30}, {21, 2}, {148, 102}, {9, -21}, 9.5, 15},
        {{0, -35}, {25, 3}, {178, 124}, {10, -25}, 11, 17},
        {{0, -35}, {25, 3}, {198, 144}, {10, -25}, 11, 17},
        {{0, -40}, {28, 3}, {233, 170}, {12, -28}, 12.5, 20},
        {{0, -40}, {28, 3}, {253, 190}, {12, -28}, 12.5, 20},
        {{0, -40}, {28, 3}, {273, 210}, {12, -28}, 12.5, 20},
        {{0, -46}, {33, 4}, {308, 236}, {13, -33}, 14.5, 23},
        {{0, -46}, {33, 4}, {330, 258}, {13, -33}, 14.5, 23},
        {{0, -46}, {33, 4}, {356, 284}, {13, -33}, 14.5, 23},
        {{0, -52}, {36, 4}, {396, 315}, {16, -36}, 16, 26},
        {{0, -52}, {36, 4}, {431, 350}, {16, -36}, 16, 26},
        {{0, -57}, {40, 4}, {479, 390}, {17, -40}, 18, 28},
        {{0, -57}, {40, 4}, {524, 435}, {17, -40}, 18, 28},
        {{0, -63}, {45, 5}, {587, 490}, {18, -45}, 20, 31},
        {{0, -63}, {45, 5}, {637, 540}, {18, -45}, 20, 31},
    };
    auto check = [](int f, int r, double upper, double lower) {
        const DeviationValues v = DeviationsOf(f, r);
        EXPECT_TRUE(v.present) << kModel[f].name << " range " << r;
        EXPECT_DOUBLE_EQ(v.upper, upper) << kModel[f].name << " range " << r;
        EXPECT_DOUBLE_EQ(v.lower, lower) << kModel[f].name << " range " << r;
    };
    for (int i = 0; i < 24; ++i) {
        const int r = i + 2;
        const Row& row = rows[i];
        check(8, r, row.h7[0], row.h7[1]);
        check(4, r, row.K6[0], row.K6[1]);
        check(12, r, row.U8[0], row.U8[1]);
        check(22, r, row.k7[0], row.k7[1]);
        check(3, r, row.js6, -row.js6);
        check(21, r, row.js7, -row.js7);
    }
}

TEST_F(DataTest, CatalogueEdgeCases)
{
    auto is = [](int f, int r, double upper, double lower) {
        const DeviationValues v = DeviationsOf(f, r);
        return v.present && v.upper == upper && v.lower == lower;
    };
    EXPECT_TRUE(is(2, 1, 0, -6));
    EXPECT_FALSE(DeviationsOf(1, 1).present);
    EXPECT_TRUE(is(3, 2, 3, -3));
    EXPECT_TRUE(is(3, 4, 4.5, -4.5));
    EXPECT_TRUE(is(21, 4, 7, -7));
    EXPECT_TRUE(is(4, 2, 6, 0));
    EXPECT_TRUE(is(22, 2, 0, -10));
    EXPECT_TRUE(is(17, 26, 0, -440));
    EXPECT_FALSE(DeviationsOf(28, 26).present);
    EXPECT_FALSE(DeviationsOf(20, 26).present);
    EXPECT_TRUE(is(9, 25, 315, 252));
    EXPECT_TRUE(is(11, 9, 0, -39));
}

TEST_F(DataTest, Js6IsStoredInTenthsAndHandedOutInMicrometres)
{
    EXPECT_EQ(FieldCatalogue.pairs[3][4].upper, 45);
    EXPECT_EQ(FieldCatalogue.pairs[3][4].lower, -45);
    // No other field is scaled.
    EXPECT_EQ(FieldCatalogue.pairs[21][4].upper, 7);
    EXPECT_EQ(FieldCatalogue.pairs[2][4].lower, -9);
}

// ---------------------------------------------------- names and tables

TEST_F(DataTest, FieldNamesAreLetterThenGrade)
{
    for (int f = 1; f <= kFieldCount; ++f) {
        EXPECT_EQ(NameOf(f), kModel[f].name) << f;
        EXPECT_EQ(FieldCatalogue.fields[f].grade, kModel[f].grade) << f;
        EXPECT_LE(std::string(FieldCatalogue.fields[f].letter).size(), 5u) << f;
    }
}

TEST_F(DataTest, ColourFollowsTheLetterCase)
{
    // Js is green; otherwise a capital letter is red and a small one blue,
    // whatever deviations the field actually carries (K6 red, k7 blue).
    for (int f = 1; f <= kFieldCount; ++f) {
        const std::string letter = FieldCatalogue.fields[f].letter;
        const char* want = letter == "Js" ? "gr" : std::isupper(letter[0]) ? "r" : "b";
        EXPECT_STREQ(ColourCode[f], want) << NameOf(f);
        EXPECT_STREQ(ColourCode[f], kModel[f].colour) << NameOf(f);
    }
}

TEST_F(DataTest, GradeOrderIsAPermutationSortedByGrade)
{
    std::vector<int> seen;
    int lastGrade = 0;
    std::vector<std::string> names;
    for (int i = 1; i <= kFieldCount; ++i) {
        const int f = GradeOrder[i];
        ASSERT_GE(f, 1);
        ASSERT_LE(f, kFieldCount);
        seen.push_back(f);
        EXPECT_GE(FieldCatalogue.fields[f].grade, lastGrade) << "position " << i;
        lastGrade = FieldCatalogue.fields[f].grade;
        names.push_back(NameOf(f));
    }
    std::sort(seen.begin(), seen.end());
    for (int i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(seen[i], i + 1);

    const std::vector<std::string> grade7(names.begin() + 6, names.begin() + 12);
    const std::vector<std::string> grade8(names.begin() + 12, names.begin() + 17);
    EXPECT_EQ(grade7, (std::vector<std::string>{"f7", "h7", "H7", "S7", "Js7", "k7"}));
    EXPECT_EQ(grade8, (std::vector<std::string>{"f8", "F8", "h8", "H8", "U8"}));
}

TEST_F(DataTest, FieldOfRowReadsTheListMap)
{
    uint8_t saved[kFieldCount];
    std::copy(ListFieldMap, ListFieldMap + kFieldCount, saved);

    for (int row = 0; row < kFieldCount; ++row)
        EXPECT_EQ(FieldOfRow(row), 0) << "row " << row;

    // The unfiltered, grade-sorted list.
    for (int row = 0; row < kFieldCount; ++row)
        ListFieldMap[row] = GradeOrder[row + 1];
    EXPECT_EQ(FieldOfRow(8), 20);
    EXPECT_EQ(NameOf(FieldOfRow(8)), "H7");
    EXPECT_EQ(FieldOfRow(0), 1);
    EXPECT_EQ(FieldOfRow(39), 40);

    std::copy(saved, saved + kFieldCount, ListFieldMap);
}

}  // namespace
