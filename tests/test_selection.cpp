// SPDX-License-Identifier: GPL-3.0-or-later
// «Подбор» in the core: the deviations a drawing's text gives, the fields
// that have given deviations (each field found again from its own limits),
// and the fits in a clearance window against a brute-force scan of every
// pair of fields, in the order a designer is promised.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "FieldSearch.h"
#include "FitLists.h"
#include "FitSearch.h"
#include "Iso286.h"
#include "NumberText.h"

namespace {

using iso286::Field;
using Nm = iso286::Nanometres;

Millimetres Mm(const std::string& text) { return Millimetres(*ReadDecimalText(text)); }
Micrometres Um(long long whole) { return Micrometres(ExactDecimal(whole, 0)); }
std::string Name(const Field& f) { return iso286::FieldName(f); }
std::string FitName(const Field& hole, const Field& shaft) { return Name(hole) + "/" + Name(shaft); }

// Sizes in every kind of interval: up to 1 mm, the bounds the lists and
// letters change at (1, 3, 10, 24, 500), the intermediate steps, above 500.
const char* const kSizes[] = {"0,5", "1",  "2",   "3",   "3,5", "6",   "10",  "14",   "18",   "24",  "25",  "30",
                              "40",  "65", "100", "180", "250", "400", "500", "501", "630", "1000", "1600", "3150"};

// ------------------------------------------------------------ drawing texts

struct DrawingCase {
    const char* text;
    const char* size;   // as ExactPositional writes it; "" when refused
    const char* upper;  // mm
    const char* lower;
    const char* error = "";
};
void PrintTo(const DrawingCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class DrawingText : public testing::TestWithParam<DrawingCase> {};

TEST_P(DrawingText, ReadsAsTheDrawingMeansIt)
{
    const DrawingCase& c = GetParam();
    const DrawingReading r = ReadDrawingDeviations(c.text);
    ASSERT_NE(r.deviations.has_value(), !r.error.empty());
    if (*c.size == '\0') {
        EXPECT_FALSE(r.deviations);
        EXPECT_EQ(r.error, c.error);
        return;
    }
    ASSERT_TRUE(r.deviations) << r.error;
    EXPECT_EQ(ExactPositional(r.deviations->size.Value(), ','), c.size);
    EXPECT_EQ(ExactPositional(r.deviations->upper.Value(), ','), c.upper);
    EXPECT_EQ(ExactPositional(r.deviations->lower.Value(), ','), c.lower);
}

INSTANTIATE_TEST_SUITE_P(Accepted, DrawingText, testing::ValuesIn(std::vector<DrawingCase>{
    {"Ø25+0,021", "25", "0,021", "0"},
    {"40 -0,025 -0,050", "40", "-0,025", "-0,05"},
    {"  ø40−0,025−0,050 ", "40", "-0,025", "-0,05"},   // U+2212
    {"⌀40 –0,025 –0,05", "40", "-0,025", "-0,05"},     // U+2013
    {"40-0,025", "40", "0", "-0,025"},
    {"25.5 +0.1 -0.05", "25,5", "0,1", "-0,05"},
    {"25 +0,1/-0,05", "25", "0,1", "-0,05"},
    {"Ø25(+0,021/0)", "25", "0,021", "0"},
    {"Ø25 ( +0,1 / -0,05 )", "25", "0,1", "-0,05"},
    {"Ø25±0,0065", "25", "0,0065", "-0,0065"},
    {"25 +-0,0065", "25", "0,0065", "-0,0065"},
    {"Ø25(±0,0065)", "25", "0,0065", "-0,0065"},
    {"40 0 -0,025", "40", "0", "-0,025"},
    {"25\xC2\xA0+0,021\t0", "25", "0,021", "0"},
    // As written; the search puts the larger one first.
    {"40 -0,050 -0,025", "40", "-0,05", "-0,025"},
}));

INSTANTIATE_TEST_SUITE_P(Refused, DrawingText, testing::ValuesIn(std::vector<DrawingCase>{
    {"", "", "", "", "Пустой текст: нужны размер и отклонения, например Ø25+0,021 или 40 -0,025 -0,050."},
    {"Ø25 H7", "", "", "",
     "После размера стоит поле допуска, а не отклонения: здесь поле ищется по отклонениям, например Ø25+0,021."},
    {"25 Н7", "", "", "",  // Cyrillic Н
     "После размера стоит поле допуска, а не отклонения: здесь поле ищется по отклонениям, например Ø25+0,021."},
    {"Ø25", "", "", "", "После размера нет отклонений, например Ø25+0,021 или 40 -0,025 -0,050."},
    {"+0,021", "", "", "", "Размер пишется без знака."},
    {"H7", "", "", "", "Текст начинается с размера в миллиметрах, например Ø25+0,021 или 40 -0,025 -0,050."},
    {"25 0,021", "", "", "", "Отклонение пишется со знаком: +0,021 или -0,025."},
    {"25 0", "", "", "", "Если отклонение одно, оно не нулевое: например Ø25+0,021 или Ø40-0,025."},
    {"25 +", "", "", "", "После знака отклонения нет числа."},
    {"25 ±", "", "", "", "После «±» нет числа."},
    {"25 +0,021 -0,01 -0,02", "", "", "", "После отклонений лишние символы."},
    {"25 +0,021 мм", "", "", "", "После отклонений лишние символы."},
    {"25 (+0,021", "", "", "", "Нет закрывающей скобки после отклонений."},
    {"25 +0,021/", "", "", "", "Отклонения пишутся числами, например Ø25+0,021 или 40 -0,025 -0,050."},
}));

TEST(SignedDecimal, ReadsCommaPointAndEverySign)
{
    const std::pair<const char*, const char*> rows[] = {
        {"+0,021", "0,021"}, {"0.021", "0,021"}, {"-0,025", "-0,025"}, {"\xE2\x88\x92" "7", "-7"},
        {" 21 ", "21"},      {"0", "0"},         {"-0", "0"},
    };
    for (const auto& [typed, want] : rows) {
        const std::optional<ExactDecimal> v = ReadSignedDecimal(typed);
        ASSERT_TRUE(v) << typed;
        EXPECT_EQ(ExactPositional(*v, ','), want) << typed;
    }
    for (const char* bad : {"", "+", "1e3", "1,", ",5", "1,2,3", "++1", "0x10", "1 2"})
        EXPECT_FALSE(ReadSignedDecimal(bad)) << bad;
}

TEST(SearchNanometres, WholeNanometresUpTo1000mm)
{
    EXPECT_EQ(SearchNanometres(Um(21)), 21000);
    EXPECT_EQ(SearchNanometres(Micrometres(ExactDecimal(-65, -1))), -6500);
    EXPECT_EQ(SearchNanometres(Micrometres(ExactDecimal(1, -3))), 1);
    EXPECT_EQ(SearchNanometres(Micrometres(Millimetres(ExactDecimal(1000, 0)))), 1000LL * 1000 * 1000);
    EXPECT_FALSE(SearchNanometres(Micrometres(ExactDecimal(1, -4))));  // 0,1 nm
    EXPECT_FALSE(SearchNanometres(Micrometres(Millimetres(ExactDecimal(1000000001, -6)))));
    EXPECT_FALSE(SearchNanometres(Micrometres(ExactDecimal(-1, 30))));
}

// ------------------------------------------------------------ fields

// For every field the engine defines at a size: searching its own limits
// finds it, and only fields with the same limits, and all of them.
TEST(FindFields, EveryFieldFoundFromItsOwnLimits)
{
    for (const char* sizeText : kSizes) {
        const Millimetres size = Mm(sizeText);
        const int ceiling = *SizeCeiling(size, 3150);
        std::vector<iso286::FieldLimits> all;
        for (const iso286::Side side : {iso286::Side::Hole, iso286::Side::Shaft})
            for (const Field& f : iso286::DefinedFields(side, ceiling))
                all.push_back(iso286::LimitsOf(f, ceiling));
        for (const iso286::FieldLimits& l : all) {
            const FieldSearch found =
                FindFields(size, SearchSide::Either, Micrometres(WholeNanometres(l.upper)),
                           Micrometres(WholeNanometres(l.lower)));
            ASSERT_EQ(found.error, "");
            std::vector<std::string> want, got;
            for (const iso286::FieldLimits& other : all)
                if (other.upper == l.upper && other.lower == l.lower)
                    want.push_back(Name(other.field));
            for (const FieldMatch& m : found.exact)
                got.push_back(Name(m.field));
            EXPECT_EQ(got, want) << sizeText << " " << Name(l.field);
            EXPECT_EQ(found.exact.size() + found.nearest.size(), all.size());
        }
    }
}

struct FieldRow {
    const char* size;
    SearchSide side;
    long long upperUm, lowerUm;
    const char* exact;    // names, blank-separated
    const char* nearest;  // the first ones
};
void PrintTo(const FieldRow& r, std::ostream* os) { *os << r.size << " " << r.upperUm << "/" << r.lowerUm; }

class FieldRows : public testing::TestWithParam<FieldRow> {};

TEST_P(FieldRows, FindsTheseFields)
{
    const FieldRow& r = GetParam();
    const FieldSearch found = FindFields(Mm(r.size), r.side, Um(r.upperUm), Um(r.lowerUm));
    ASSERT_EQ(found.error, "");
    std::string exact, nearest;
    for (const FieldMatch& m : found.exact)
        exact += (exact.empty() ? "" : " ") + Name(m.field);
    for (size_t i = 0; i < 3 && i < found.nearest.size(); ++i)
        nearest += (nearest.empty() ? "" : " ") + Name(found.nearest[i].field);
    EXPECT_EQ(exact, r.exact);
    EXPECT_EQ(nearest, r.nearest);
}

INSTANTIATE_TEST_SUITE_P(Drawings, FieldRows, testing::ValuesIn(std::vector<FieldRow>{
    {"25", SearchSide::Either, 21, 0, "H7", "k7 k6 G6"},
    {"25", SearchSide::Hole, 21, 0, "H7", "G6 G5 G7"},
    {"25", SearchSide::Shaft, 21, 0, "", "k7 k6 m6"},
    // Given lower first: the same search.
    {"25", SearchSide::Either, 0, 21, "H7", "k7 k6 G6"},
    {"40", SearchSide::Either, -25, -50, "R7 f7", "R6 P7 f6"},
    // h7 and M7 coincide over 3 up to 6 mm; js5 and j5 up to 3 mm.
    {"5", SearchSide::Either, 0, -12, "M7 h7", "M6 K7 g6"},
    {"5", SearchSide::Shaft, 0, -12, "h7", "g6 h6 g5"},
    {"2", SearchSide::Shaft, 2, -2, "j5 js5", "js4 js3 js6"},
}));

TEST(FindFields, RefusesWhatCannotBeSearched)
{
    EXPECT_EQ(FindFields(Mm("0"), SearchSide::Either, Um(21), Um(0)).error, "Размер должен быть больше 0 мм.");
    EXPECT_EQ(FindFields(Mm("3150,001"), SearchSide::Either, Um(21), Um(0)).error,
              "Размер больше 3150 мм: система ISO 286 задана только до 3150 мм.");
    EXPECT_EQ(FindFields(Mm("25"), SearchSide::Either, Micrometres(ExactDecimal(1, -4)), Um(0)).error,
              "Верхнее отклонение: значение точнее 1 нм (0,000001 мм), а в ISO 286 таких нет.");
    EXPECT_EQ(FindFields(Mm("25"), SearchSide::Either, Um(0), Um(-1000001000)).error,
              "Нижнее отклонение: значение больше 1000 мм, а в ISO 286 таких нет.");
}

// ------------------------------------------------------------ fits

// The standing, keyed here from the lists' own data: preferred when a list
// marks the fit so, else recommended when a list holds it, at the sizes the
// list and the fit are given for.
using FitKey = std::tuple<int, int, int, int>;  // hole letter and grade, shaft letter and grade
FitKey KeyOf(const Field& hole, const Field& shaft)
{
    return {static_cast<int>(hole.letter), hole.grade, static_cast<int>(shaft.letter), shaft.grade};
}

std::map<FitKey, FitStanding> ListStandings(const Millimetres& size)
{
    const auto covers = [&size](const fit_lists::SizeSpan& span) {
        return !span.Stated()
               || (Millimetres(ExactDecimal(span.fromMm, 0)) <= size && size <= Millimetres(ExactDecimal(span.toMm, 0)));
    };
    std::map<FitKey, FitStanding> standings;
    for (const fit_lists::FitList* list : fit_lists::kAllLists)
        for (const fit_lists::Fit& fit : *list) {
            if (!covers(list->sizes) || !covers(fit.sizes))
                continue;
            const FitKey key = KeyOf(*iso286::ParseField(fit.hole), *iso286::ParseField(fit.shaft));
            const FitStanding standing = fit.preference == fit_lists::Preference::Preferred ? FitStanding::Preferred
                                                                                             : FitStanding::Recommended;
            const auto [at, added] = standings.emplace(key, standing);
            if (!added)
                at->second = std::min(at->second, standing);
        }
    return standings;
}

struct Pair {
    Field hole, shaft;
    Nm minC, maxC;
    iso286::FitKind kind;
    FitStanding standing;
};

// Every pair of fields defined at the size, through the engine's own fit
// analysis.
std::vector<Pair> AllPairs(const Millimetres& size)
{
    const int ceiling = *SizeCeiling(size, 3150);
    std::vector<iso286::FieldLimits> holes, shafts;
    for (const Field& f : iso286::DefinedFields(iso286::Side::Hole, ceiling))
        holes.push_back(iso286::LimitsOf(f, ceiling));
    for (const Field& f : iso286::DefinedFields(iso286::Side::Shaft, ceiling))
        shafts.push_back(iso286::LimitsOf(f, ceiling));
    const std::map<FitKey, FitStanding> standings = ListStandings(size);
    std::vector<Pair> pairs;
    for (const iso286::FieldLimits& h : holes)
        for (const iso286::FieldLimits& s : shafts) {
            const iso286::FitAnalysis a = iso286::AnalyseFit(h, s);
            if (!a.defined)
                continue;
            const auto listed = standings.find(KeyOf(h.field, s.field));
            pairs.push_back({h.field, s.field, a.minClearance, a.maxClearance, a.kind,
                             listed == standings.end() ? FitStanding::Other : listed->second});
        }
    return pairs;
}

struct WindowCase {
    const char* name;
    std::optional<long long> minUm, maxUm;
};

const WindowCase kWindows[] = {
    {"none", std::nullopt, std::nullopt},
    {"clearance 10..60", 10, 60},
    {"at least 10", 10, std::nullopt},
    {"at most 0", std::nullopt, 0},
    {"interference ..-20", std::nullopt, -20},
    {"interference -60..-20", -60, -20},
    {"transition -10..10", -10, 10},
    {"exactly H7/g6 at 25: 7..41", 7, 41},
    {"large clearance 1000..5000", 1000, 5000},
    {"zero width 0..0", 0, 0},
    {"nothing: 900000..1000000", 900000, 1000000},
};

// Brute force: the pairs in the window, in the promised order, written out
// independently of the search.
std::vector<const Pair*> Expected(const std::vector<Pair>& pairs, const WindowCase& w, FitSystem system,
                                  FitCandidates candidates)
{
    std::vector<const Pair*> in;
    for (const Pair& p : pairs) {
        if (w.minUm && p.minC < *w.minUm * 1000)
            continue;
        if (w.maxUm && p.maxC > *w.maxUm * 1000)
            continue;
        if (system == FitSystem::HoleBasis && p.hole.letter != iso286::Letter::H)
            continue;
        if (system == FitSystem::ShaftBasis && p.shaft.letter != iso286::Letter::H)
            continue;
        if (candidates == FitCandidates::Preferred && p.standing != FitStanding::Preferred)
            continue;
        if (candidates == FitCandidates::Recommended && p.standing == FitStanding::Other)
            continue;
        in.push_back(&p);
    }
    const auto middleOff = [&w](const Pair& p) -> long long {
        const long long sum = p.minC + p.maxC;
        if (w.minUm && w.maxUm)
            return std::llabs(sum - (*w.minUm + *w.maxUm) * 1000);
        if (w.minUm || w.maxUm)
            return std::llabs(sum - 2000 * (w.minUm ? *w.minUm : *w.maxUm));
        return 0;
    };
    const auto rank = [&middleOff](const Pair* p) {
        return std::make_tuple(p->standing, -(p->maxC - p->minC), middleOff(*p), KeyOf(p->hole, p->shaft));
    };
    std::sort(in.begin(), in.end(), [&](const Pair* a, const Pair* b) { return rank(a) < rank(b); });
    return in;
}

std::vector<std::string> Names(const std::vector<const Pair*>& pairs)
{
    std::vector<std::string> names;
    for (const Pair* p : pairs)
        names.push_back(FitName(p->hole, p->shaft));
    return names;
}

ClearanceWindow Window(const WindowCase& w)
{
    ClearanceWindow window;
    if (w.minUm)
        window.min = Um(*w.minUm);
    if (w.maxUm)
        window.max = Um(*w.maxUm);
    return window;
}

std::vector<std::string> Names(const FitSearch& found)
{
    std::vector<std::string> names;
    for (const FitMatch& m : found.fits)
        names.push_back(FitName(m.hole, m.shaft));
    return names;
}

// All pairs, every window, every size: the search gives exactly the brute
// force's pairs in its order, with the engine's clearances and kinds.
TEST(FindFits, AllPairsEqualABruteForceScan)
{
    for (const char* sizeText : kSizes) {
        const Millimetres size = Mm(sizeText);
        const std::vector<Pair> pairs = AllPairs(size);
        for (const WindowCase& w : kWindows) {
            const FitSearch found = FindFits(size, Window(w), FitSystem::Any, FitCandidates::All);
            ASSERT_EQ(found.error, "");
            const std::vector<const Pair*> want = Expected(pairs, w, FitSystem::Any, FitCandidates::All);
            EXPECT_EQ(found.count, want.size()) << sizeText << " " << w.name;
            ASSERT_EQ(found.fits.size(), want.size()) << sizeText << " " << w.name;
            for (size_t i = 0; i < want.size(); ++i) {
                const FitMatch& m = found.fits[i];
                const Pair& p = *want[i];
                ASSERT_TRUE(m.hole == p.hole && m.shaft == p.shaft)
                    << sizeText << " " << w.name << " #" << i << ": " << FitName(m.hole, m.shaft) << " instead of "
                    << FitName(p.hole, p.shaft);
                ASSERT_EQ(m.minClearance, p.minC);
                ASSERT_EQ(m.maxClearance, p.maxC);
                ASSERT_EQ(m.tolerance, p.maxC - p.minC);
                ASSERT_EQ(m.kind, p.kind);
                ASSERT_EQ(m.standing, p.standing);
            }
        }
    }
}

// Systems and candidates over the same scan, and a limit keeps the head of
// the full order while counting all.
TEST(FindFits, SystemsCandidatesAndLimitAgreeWithTheScan)
{
    for (const char* sizeText : {"0,5", "1", "25", "500", "630"}) {
        const Millimetres size = Mm(sizeText);
        const std::vector<Pair> pairs = AllPairs(size);
        for (const WindowCase& w : kWindows)
            for (const FitSystem system : {FitSystem::HoleBasis, FitSystem::ShaftBasis, FitSystem::Any})
                for (const FitCandidates from :
                     {FitCandidates::Preferred, FitCandidates::Recommended, FitCandidates::All}) {
                    const std::vector<std::string> want = Names(Expected(pairs, w, system, from));
                    if (system != FitSystem::Any || from != FitCandidates::All) {  // the test above has these
                        const FitSearch found = FindFits(size, Window(w), system, from);
                        ASSERT_EQ(Names(found), want) << sizeText << " " << w.name;
                    }
                    const FitSearch head = FindFits(size, Window(w), system, from, 7);
                    EXPECT_EQ(head.count, want.size());
                    const std::vector<std::string> first(want.begin(), want.begin() + std::min<size_t>(7, want.size()));
                    EXPECT_EQ(Names(head), first) << sizeText << " " << w.name;
                }
    }
}

// The figures a reviewer gave for 25 mm, found again by the scan.
TEST(FindFits, FiguresAt25mm)
{
    EXPECT_EQ(iso286::DefinedFields(iso286::Side::Hole, 25).size(), 413u);
    EXPECT_EQ(iso286::DefinedFields(iso286::Side::Shaft, 25).size(), 483u);
    const std::vector<Pair> pairs = AllPairs(Mm("25"));
    EXPECT_EQ(pairs.size(), 199479u);
    const WindowCase w{"10..60", 10, 60};
    EXPECT_EQ(Expected(pairs, w, FitSystem::Any, FitCandidates::All).size(), 3002u);
    EXPECT_EQ(FindFits(Mm("25"), Window(w), FitSystem::Any, FitCandidates::All, 0).count, 3002u);
    const FitSearch recommended = FindFits(Mm("25"), Window(w), FitSystem::HoleBasis, FitCandidates::Recommended);
    EXPECT_EQ(Names(recommended), std::vector<std::string>{"H6/f6"});
}

struct StandingRow {
    const char* size;
    const char* hole;
    const char* shaft;
    FitStanding standing;
};
void PrintTo(const StandingRow& r, std::ostream* os) { *os << r.size << " " << r.hole << "/" << r.shaft; }

class Standing : public testing::TestWithParam<StandingRow> {};

TEST_P(Standing, FromTheListsAtTheirSizes)
{
    const StandingRow& r = GetParam();
    EXPECT_EQ(StandingOf(*iso286::ParseField(r.hole), *iso286::ParseField(r.shaft), Mm(r.size)), r.standing);
}

INSTANTIATE_TEST_SUITE_P(Lists, Standing, testing::ValuesIn(std::vector<StandingRow>{
    {"25", "H7", "g6", FitStanding::Preferred},      // ISO, also ГОСТ
    {"25", "H7", "h6", FitStanding::Preferred},      // both ISO lists
    {"25", "U7", "h6", FitStanding::Preferred},      // ISO shaft basis
    {"25", "H7", "js6", FitStanding::Recommended},   // ГОСТ only
    {"25", "A11", "h11", FitStanding::Recommended},  // ГОСТ shaft basis, as far as keyed
    {"25", "H7", "f6", FitStanding::Other},
    {"1", "H7", "js6", FitStanding::Recommended},    // ГОСТ: from 1 mm
    {"500", "H7", "js6", FitStanding::Recommended},  // … up to 500 mm
    {"0,5", "H7", "js6", FitStanding::Other},
    {"500,001", "H7", "js6", FitStanding::Other},
    {"630", "H7", "g6", FitStanding::Preferred},     // ISO: no size limit stated
}));

TEST(FindFits, RefusesWhatCannotBeSearched)
{
    EXPECT_EQ(FindFits(Mm("0"), {}, FitSystem::Any, FitCandidates::All).error, "Размер должен быть больше 0 мм.");
    EXPECT_EQ(FindFits(Mm("25"), {Um(60), Um(10)}, FitSystem::Any, FitCandidates::All).error,
              "Наименьший зазор задан больше наибольшего.");
    EXPECT_EQ(FindFits(Mm("25"), {Micrometres(ExactDecimal(15, -4)), {}}, FitSystem::Any, FitCandidates::All).error,
              "Наименьший зазор: значение точнее 1 нм (0,000001 мм), а в ISO 286 таких нет.");
    EXPECT_EQ(FindFits(Mm("25"), {{}, Um(2000000000)}, FitSystem::Any, FitCandidates::All).error,
              "Наибольший зазор: значение больше 1000 мм, а в ISO 286 таких нет.");
}

}  // namespace
