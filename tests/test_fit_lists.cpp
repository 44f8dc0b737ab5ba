// SPDX-License-Identifier: GPL-3.0-or-later
// The fit lists as the fit search relies on them: each list keyed a second
// time from its source, the figures another book prints for the same fits,
// names the engine reads on the right side, and the sizes where the engine
// defines no fit of a list.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "FitLists.h"
#include "Iso286.h"

namespace {

using fit_lists::Basis;
using fit_lists::Fit;
using fit_lists::FitList;
using fit_lists::Preference;

std::string Name(const Fit& f) { return std::string(f.hole) + "/" + std::string(f.shaft); }

std::vector<std::string> Names(const FitList& list)
{
    std::vector<std::string> names;
    for (const Fit& f : list)
        names.push_back(Name(f));
    return names;
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

iso286::FitAnalysis Analyse(const std::string& fit, int sizeCeilMm)
{
    const std::size_t slash = fit.find('/');
    const auto hole = iso286::ParseField(fit.substr(0, slash));
    const auto shaft = iso286::ParseField(fit.substr(slash + 1));
    EXPECT_TRUE(hole && shaft) << fit;
    if (!hole || !shaft)
        return {};
    return iso286::AnalyseFit(*hole, *shaft, sizeCeilMm);
}

// ------------------------------------------------------------ second keying

// The ISO table as the second copy prints it: one row a fit, hole basis
// beside shaft basis, loosest first.
TEST(IsoPreferred, SecondSourceRowByRow)
{
    const std::vector<std::string> rows = Words(
        "H11/c11 C11/h11  H9/d9 D9/h9  H8/f7 F8/h7  H7/g6 G7/h6  H7/h6 H7/h6 "
        "H7/k6 K7/h6  H7/n6 N7/h6  H7/p6 P7/h6  H7/s6 S7/h6  H7/u6 U7/h6");
    std::vector<std::string> holeBasis, shaftBasis;
    for (std::size_t i = 0; i < rows.size(); ++i)
        (i % 2 == 0 ? holeBasis : shaftBasis).push_back(rows[i]);
    EXPECT_EQ(Names(fit_lists::kIsoPreferredHoleBasis), holeBasis);
    EXPECT_EQ(Names(fit_lists::kIsoPreferredShaftBasis), shaftBasis);
}

struct SecondKeying {
    const char* name;
    const FitList* list;
    const char* text;  // read in another order than the data, so compared as sets
};

void PrintTo(const SecondKeying& k, std::ostream* os) { *os << k.name; }

class GostSecondKeying : public testing::TestWithParam<SecondKeying> {};

TEST_P(GostSecondKeying, MatchesTheData)
{
    const SecondKeying& k = GetParam();
    EXPECT_EQ(Sorted(Names(*k.list)), Sorted(Words(k.text)));
}

INSTANTIATE_TEST_SUITE_P(
    FitLists, GostSecondKeying,
    testing::Values(
        // Волков's table read down its columns, shaft letter by shaft letter.
        SecondKeying{"HoleBasisByColumns", &fit_lists::kGostHoleBasis,
                     "H11/a11 "
                     "H11/b11 H12/b12 "
                     "H7/c8 H8/c8 H11/c11 "
                     "H7/d8 H8/d8 H8/d9 H9/d9 H10/d10 H11/d11 "
                     "H7/e7 H7/e8 H8/e8 H8/e9 H9/e8 H9/e9 "
                     "H6/f6 H7/f7 H8/f7 H8/f8 H8/f9 H9/f8 H9/f9 "
                     "H5/g4 H6/g5 H7/g6 "
                     "H5/h4 H6/h5 H7/h6 H8/h7 H8/h8 H8/h9 H9/h8 H9/h9 H10/h9 H10/h10 "
                     "H11/h11 H12/h12 "
                     "H5/js4 H6/js5 H7/js6 H8/js7 "
                     "H5/k4 H6/k5 H7/k6 H8/k7 "
                     "H5/m4 H6/m5 H7/m6 H8/m7 "
                     "H5/n4 H6/n5 H7/n6 H8/n7 "
                     "H6/p5 H7/p6 "
                     "H6/r5 H7/r6 "
                     "H6/s5 H7/s6 H7/s7 H8/s7 "
                     "H7/t6 "
                     "H7/u7 H8/u8 "
                     "H8/x8 "
                     "H8/z8"},
        // Залева's table 21 header, the shaft-basis fits, keyed again.
        SecondKeying{"ShaftBasisPartial", &fit_lists::kGostShaftBasis,
                     "A11/h11 B11/h11 C11/h11 D11/h11 H11/h11 B12/h12 H12/h12"}),
    [](const testing::TestParamInfo<SecondKeying>& info) { return std::string(info.param.name); });

// ------------------------------------------------ another book's figures

// Залева, table 21 (continued): limit clearances printed for the fits both
// ГОСТ lists hold. A fit keyed with the wrong grade or letter lands on other
// figures; the engine computes the fit from its names.
struct PrintedClearance {
    const char* fit;
    const FitList* list;
    int maxUm, minUm;  // at the book's row «От 1 до 3»
};

void PrintTo(const PrintedClearance& c, std::ostream* os) { *os << c.fit; }

class ZalevaTable21 : public testing::TestWithParam<PrintedClearance> {};

TEST_P(ZalevaTable21, FitIsListedWithThePrintedClearances)
{
    const PrintedClearance& c = GetParam();
    const std::vector<std::string> names = Names(*c.list);
    EXPECT_NE(std::find(names.begin(), names.end(), c.fit), names.end());
    const iso286::FitAnalysis fit = Analyse(c.fit, 2);
    ASSERT_TRUE(fit.defined);
    EXPECT_EQ(fit.maxClearance, c.maxUm * 1000LL);
    EXPECT_EQ(fit.minClearance, c.minUm * 1000LL);
}

const FitList* const kHole = &fit_lists::kGostHoleBasis;
const FitList* const kShaft = &fit_lists::kGostShaftBasis;

INSTANTIATE_TEST_SUITE_P(
    FitLists, ZalevaTable21,
    testing::Values(
        PrintedClearance{"H7/c8", kHole, 84, 60},
        PrintedClearance{"H11/a11", kHole, 390, 270},
        PrintedClearance{"A11/h11", kShaft, 390, 270},
        PrintedClearance{"H11/b11", kHole, 260, 140},
        PrintedClearance{"B11/h11", kShaft, 260, 140},
        PrintedClearance{"H11/c11", kHole, 180, 60},
        PrintedClearance{"C11/h11", kShaft, 180, 60},
        PrintedClearance{"H11/d11", kHole, 140, 20},
        PrintedClearance{"D11/h11", kShaft, 140, 20},
        PrintedClearance{"H11/h11", kHole, 120, 0},
        PrintedClearance{"H11/h11", kShaft, 120, 0},
        PrintedClearance{"H12/b12", kHole, 340, 140},
        PrintedClearance{"B12/h12", kShaft, 340, 140},
        PrintedClearance{"H12/h12", kHole, 200, 0},
        PrintedClearance{"H12/h12", kShaft, 200, 0}));

// ------------------------------------------------ what a caller relies on

struct ListFacts {
    const char* name;
    const FitList* list;
    std::size_t count;
    bool complete;
    Preference preference;  // of every fit of the list
    int lastCeilMm;         // sizes checked against the engine: 1 … this
    const char* undefined;  // fits the engine leaves undefined there, and where
};

void PrintTo(const ListFacts& f, std::ostream* os) { *os << f.name; }

class EveryList : public testing::TestWithParam<ListFacts> {};

TEST_P(EveryList, CountsAndMarks)
{
    const ListFacts& f = GetParam();
    EXPECT_EQ(f.list->count, f.count);
    EXPECT_EQ(f.list->complete, f.complete);
    for (const Fit& fit : *f.list) {
        EXPECT_EQ(fit.preference, f.preference) << Name(fit);
        // No note of a table could be read: none narrows a fit.
        EXPECT_FALSE(fit.sizes.Stated()) << Name(fit);
        EXPECT_TRUE(fit.note.empty()) << Name(fit);
    }
}

TEST_P(EveryList, NamesAreIsoSpellingsOnTheirSide)
{
    const ListFacts& f = GetParam();
    for (const Fit& fit : *f.list) {
        const auto hole = iso286::ParseField(fit.hole);
        const auto shaft = iso286::ParseField(fit.shaft);
        ASSERT_TRUE(hole && shaft) << Name(fit);
        EXPECT_EQ(hole->side, iso286::Side::Hole) << Name(fit);
        EXPECT_EQ(shaft->side, iso286::Side::Shaft) << Name(fit);
        // Written back as ISO writes it: "JS7", never "Js7".
        EXPECT_EQ(iso286::FieldName(*hole), fit.hole);
        EXPECT_EQ(iso286::FieldName(*shaft), fit.shaft);
        if (f.list->basis == Basis::Hole)
            EXPECT_EQ(hole->letter, iso286::Letter::H) << Name(fit);
        else
            EXPECT_EQ(shaft->letter, iso286::Letter::H) << Name(fit);
    }
}

TEST_P(EveryList, NoFitTwice)
{
    std::vector<std::string> names = Sorted(Names(*GetParam().list));
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

// The search must skip a listed fit where the engine defines no field of it:
// t only above 24 mm, a and b only above 1 mm, c only up to 500 mm.
TEST_P(EveryList, UndefinedOnlyWhereTheStandardDefinesNoField)
{
    const ListFacts& f = GetParam();
    std::string found;
    for (const Fit& fit : *f.list) {
        int from = 0;
        for (int ceil = 1; ceil <= f.lastCeilMm + 1; ++ceil) {
            const bool defined = ceil <= f.lastCeilMm && Analyse(Name(fit), ceil).defined;
            if (!defined && from == 0 && ceil <= f.lastCeilMm)
                from = ceil;
            if ((defined || ceil > f.lastCeilMm) && from != 0) {
                found += Name(fit) + " " + std::to_string(from) + "-" + std::to_string(ceil - 1) + "; ";
                from = 0;
            }
        }
    }
    EXPECT_EQ(found, f.undefined);
}

INSTANTIATE_TEST_SUITE_P(
    FitLists, EveryList,
    testing::Values(
        ListFacts{"IsoHoleBasis", &fit_lists::kIsoPreferredHoleBasis, 10, true,
                  Preference::Preferred, iso286::kMaxSizeCeil, "H11/c11 501-3150; "},
        ListFacts{"IsoShaftBasis", &fit_lists::kIsoPreferredShaftBasis, 10, true,
                  Preference::Preferred, iso286::kMaxSizeCeil, "C11/h11 501-3150; "},
        ListFacts{"GostHoleBasis", &fit_lists::kGostHoleBasis, 69, true, Preference::Unknown, 500,
                  "H7/t6 1-24; H11/a11 1-1; H11/b11 1-1; H12/b12 1-1; "},
        ListFacts{"GostShaftBasis", &fit_lists::kGostShaftBasis, 7, false, Preference::Unknown, 500,
                  "A11/h11 1-1; B11/h11 1-1; B12/h12 1-1; "}),
    [](const testing::TestParamInfo<ListFacts>& info) { return std::string(info.param.name); });

// At 25 mm, a smallest clearance of at least 10 µm with a largest of at most
// 60 µm: of the recommended hole-basis fits only H6/f6 (+20 … +46 µm) gives it.
TEST(FitLists, ClearanceWindowAt25mmLeavesOnlyH6f6)
{
    std::vector<std::string> inWindow;
    for (const Fit& fit : fit_lists::kGostHoleBasis) {
        const iso286::FitAnalysis a = Analyse(Name(fit), 25);
        if (a.defined && a.minClearance >= 10000 && a.maxClearance <= 60000)
            inWindow.push_back(Name(fit));
    }
    EXPECT_EQ(inWindow, std::vector<std::string>{"H6/f6"});
}

}  // namespace
