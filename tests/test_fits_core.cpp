// SPDX-License-Identifier: GPL-3.0-or-later
// What the fit and reference windows and the copy commands get from the
// core: the ISO fields behind the catalogue's names, typed field names, the
// figures of a fit and the drawing-ready texts.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Catalogue.h"
#include "CopyTexts.h"
#include "Data_Unit.h"
#include "FieldResult.h"
#include "FitResult.h"
#include "NumberText.h"
#include "Texts.h"

namespace {

iso286::Field Iso(const char* name) { return *iso286::ParseField(name); }

Millimetres Size(const char* text) { return Millimetres(*ReadDecimalText(text)); }

class Catalogue : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildSizeRanges();
        BuildDeviationTable();
        BuildFieldNames();
    }
};

uint8_t CatalogueNumber(const std::string& name)
{
    for (uint8_t f = 1; f <= kFieldCount; ++f)
        if (FieldName(f) == name)
            return f;
    ADD_FAILURE() << "no catalogue field " << name;
    return 1;
}

// ------------------------------------------------------------ catalogue names

struct NameCase {
    const char* catalogue;
    const char* iso;
    const char* fitHole;
    const char* fitShaft;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.catalogue; }

class CatalogueNames : public Catalogue, public testing::WithParamInterface<NameCase> {};

TEST_P(CatalogueNames, CarryTheIsoFieldAndPresetItsFit)
{
    const NameCase& c = GetParam();
    const iso286::Field iso = IsoFieldOfCatalogue(CatalogueNumber(c.catalogue));
    EXPECT_EQ(iso286::FieldName(iso), c.iso);
    const FitFields fit = FitAroundField(iso);
    EXPECT_EQ(iso286::FieldName(fit.hole), c.fitHole);
    EXPECT_EQ(iso286::FieldName(fit.shaft), c.fitShaft);
}

INSTANTIATE_TEST_SUITE_P(Names, CatalogueNames,
                         testing::Values(NameCase{"H7", "H7", "H7", "h6"}, NameCase{"h7", "h7", "H7", "h7"},
                                         NameCase{"K6", "k6", "H7", "k6"}, NameCase{"N6", "n6", "H7", "n6"},
                                         NameCase{"R6", "r6", "H7", "r6"}, NameCase{"S7", "s7", "H7", "s7"},
                                         NameCase{"U8", "u8", "H7", "u8"}, NameCase{"k7", "K7", "K7", "h6"},
                                         NameCase{"Js6", "js6", "H7", "js6"}, NameCase{"Js7", "JS7", "JS7", "h6"},
                                         NameCase{"Js12", "JS12", "JS12", "h6"},
                                         NameCase{"Js13", "js13", "H7", "js13"},
                                         NameCase{"Js16", "js16", "H7", "js16"}, NameCase{"F8", "F8", "F8", "h6"},
                                         NameCase{"d11", "d11", "H7", "d11"}, NameCase{"b12", "b12", "H7", "b12"}));

// The catalogue's deviations are the ISO field's, at sizes across its ranges
// from 1 to 1000 mm (up to 1 mm the catalogue keeps values of its own).
TEST_F(Catalogue, DeviationsAreTheIsoFieldsAtEverySize)
{
    int compared = 0;
    for (uint8_t f = 1; f <= kFieldCount; ++f) {
        const iso286::Field iso = IsoFieldOfCatalogue(f);
        for (const char* size : {"1,5", "2,5", "4", "10", "16", "25", "40", "63", "100", "180", "250", "400",
                                 "500", "600", "999"}) {
            const FieldResult catalogue = CatalogueField(f, Size(size));
            if (!catalogue.defined)
                continue;
            const FieldResult standard = IsoField(iso, Size(size));
            ASSERT_TRUE(standard.defined) << FieldName(f) << " at " << size;
            EXPECT_EQ(*catalogue.field, iso);
            const auto text = [](const Micrometres& um) { return ExactPositional(um.Value(), ','); };
            EXPECT_EQ(text(standard.upper), text(catalogue.upper)) << FieldName(f) << " at " << size;
            EXPECT_EQ(text(standard.lower), text(catalogue.lower)) << FieldName(f) << " at " << size;
            ++compared;
        }
    }
    EXPECT_GT(compared, 400);
}

// ------------------------------------------------------------ typed field names

struct TypedCase {
    const char* text;
    iso286::Side side;
    const char* field;  // "" when the text gives none for that side
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << "'" << c.text << "'"; }

class TypedFieldNames : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedFieldNames, ReadForTheirSide)
{
    const TypedCase& c = GetParam();
    const std::optional<iso286::Field> field = ReadFieldText(c.text, c.side);
    EXPECT_EQ(field ? iso286::FieldName(*field) : std::string(), c.field);
}

constexpr auto hole = iso286::Side::Hole;
constexpr auto shaft = iso286::Side::Shaft;

INSTANTIATE_TEST_SUITE_P(Texts, TypedFieldNames,
                         testing::Values(TypedCase{"H7", hole, "H7"}, TypedCase{" H7 ", hole, "H7"},
                                         TypedCase{"g6", shaft, "g6"}, TypedCase{"Js7", hole, "JS7"},
                                         TypedCase{"Js7", shaft, "js7"}, TypedCase{"js6", shaft, "js6"},
                                         TypedCase{"g6", hole, ""}, TypedCase{"JS7", shaft, ""},
                                         TypedCase{"H19", hole, ""}, TypedCase{"", hole, ""},
                                         TypedCase{"H7g6", hole, ""}));

// ------------------------------------------------------------ fit figures

struct FiguresCase {
    const char* hole;
    const char* shaft;
    const char* size;
    const char* first;  // "Smax 41 0,041"
    const char* second;
    const char* mean;
    const char* tolerance;
};

void PrintTo(const FiguresCase& c, std::ostream* os) { *os << c.size << c.hole << "/" << c.shaft; }

std::string Line(const FitFigure& f) { return f.symbol + " " + f.um + " " + f.mm; }

class Figures : public testing::TestWithParam<FiguresCase> {};

TEST_P(Figures, NamedBySense)
{
    const FiguresCase& c = GetParam();
    const FitFigures f = FitFiguresOf(IsoFit(Iso(c.hole), Iso(c.shaft), Size(c.size)));
    EXPECT_EQ(Line(f.first), c.first);
    EXPECT_EQ(Line(f.second), c.second);
    EXPECT_EQ(Line(f.mean), c.mean);
    EXPECT_EQ(Line(f.tolerance), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Fits, Figures,
    testing::Values(FiguresCase{"H7", "g6", "25", "Smax 41 0,041", "Smin 7 0,007", "Sm 24 0,024", "T 34 0,034"},
                    FiguresCase{"H7", "h6", "25", "Smax 34 0,034", "Smin 0 0", "Sm 17 0,017", "T 34 0,034"},
                    FiguresCase{"H7", "k6", "25", "Smax 19 0,019", "Nmax 15 0,015", "Sm 2 0,002", "T 34 0,034"},
                    FiguresCase{"H7", "n6", "25", "Smax 6 0,006", "Nmax 28 0,028", "Nm 11 0,011", "T 34 0,034"},
                    FiguresCase{"H7", "s6", "25", "Nmax 48 0,048", "Nmin 14 0,014", "Nm 31 0,031", "T 34 0,034"},
                    FiguresCase{"H7", "js6", "25", "Smax 27,5 0,0275", "Nmax 6,5 0,0065", "Sm 10,5 0,0105",
                                "T 34 0,034"},
                    FiguresCase{"H11", "c11", "40", "Smax 440 0,44", "Smin 120 0,12", "Sm 280 0,28",
                                "T 320 0,32"}));

TEST(Figures, NoDataWhereTheFitIsNotDefined)
{
    const FitFigures f = FitFiguresOf(IsoFit(Iso("H7"), Iso("a11"), Size("1")));
    for (const FitFigure* figure : {&f.first, &f.second, &f.mean, &f.tolerance}) {
        EXPECT_EQ(figure->um, kNoDataText);
        EXPECT_EQ(figure->mm, kNoDataText);
    }
    EXPECT_EQ(f.first.name, "Наибольший зазор");
}

TEST(Tolerance, UpperLessLowerInTheUnitAsked)
{
    const auto tolerance = [](const char* field, const char* size, DeviationUnit unit) {
        return WriteFieldTexts(IsoField(Iso(field), Size(size)), unit, Rounding::AsIs).tolerance;
    };
    EXPECT_EQ(tolerance("H7", "25", DeviationUnit::Micrometres), "21");
    EXPECT_EQ(tolerance("H7", "25", DeviationUnit::Millimetres), "0,021");
    // JS7 with an odd IT in whole micrometres: the even value below.
    EXPECT_EQ(tolerance("JS7", "7", DeviationUnit::Micrometres), "14");
    EXPECT_EQ(tolerance("h01", "2", DeviationUnit::Micrometres), "0,3");
    EXPECT_EQ(tolerance("H01", "600", DeviationUnit::Micrometres), kNoDataText);
    const auto signedUm = [](long long nm) {
        return SignedDeviation(Micrometres(WholeNanometres(nm)), DeviationUnit::Micrometres).text;
    };
    EXPECT_EQ(signedUm(21000), "+21");
    EXPECT_EQ(signedUm(0), "0");
    EXPECT_EQ(signedUm(-6500), "-6,5");
}

// ------------------------------------------------------------ clipboard texts

struct CopyCase {
    const char* what;
    std::optional<ClipboardTexts> (*copy)();
    const char* drawing;  // "" when nothing is copied
    const char* table;
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.what; }

class Copies : public Catalogue, public testing::WithParamInterface<CopyCase> {};

TEST_P(Copies, DrawingTextAndSpreadsheetRow)
{
    const CopyCase& c = GetParam();
    const std::optional<ClipboardTexts> t = c.copy();
    if (*c.drawing == '\0') {
        EXPECT_FALSE(t.has_value());
        return;
    }
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->drawing, c.drawing);
    EXPECT_EQ(t->table, c.table);
}

constexpr auto mm = DeviationUnit::Millimetres;
constexpr auto um = DeviationUnit::Micrometres;

INSTANTIATE_TEST_SUITE_P(
    Texts, Copies,
    testing::Values(
        CopyCase{"H7 1 to the micrometre", [] { return FieldCopy(IsoField(Iso("H7"), Size("1"))); },
                 "Ø1H7(+0,010/0)", "H7\t1\t0,01\t0\t1,01\t1"},
        CopyCase{"H12 1", [] { return FieldCopy(IsoField(Iso("H12"), Size("1"))); }, "Ø1H12(+0,100/0)",
                 "H12\t1\t0,1\t0\t1,1\t1"},
        CopyCase{"H8 25", [] { return FieldCopy(IsoField(Iso("H8"), Size("25"))); }, "Ø25H8(+0,033/0)",
                 "H8\t25\t0,033\t0\t25,033\t25"},
        CopyCase{"f7 25", [] { return FieldCopy(IsoField(Iso("f7"), Size("25"))); }, "Ø25f7(-0,020/-0,041)",
                 "f7\t25\t-0,02\t-0,041\t24,98\t24,959"},
        CopyCase{"h01 2 in tenths", [] { return FieldCopy(IsoField(Iso("h01"), Size("2"))); }, "Ø2h01(0/-0,0003)",
                 "h01\t2\t0\t-0,0003\t2\t1,9997"},
        CopyCase{"H7 25", [] { return FieldCopy(IsoField(Iso("H7"), Size("25"))); }, "Ø25H7(+0,021/0)",
                 "H7\t25\t0,021\t0\t25,021\t25"},
        CopyCase{"g6 25 same decimals", [] { return FieldCopy(IsoField(Iso("g6"), Size("25"))); },
                 "Ø25g6(-0,007/-0,020)", "g6\t25\t-0,007\t-0,02\t24,993\t24,98"},
        CopyCase{"js6 25 symmetric", [] { return FieldCopy(IsoField(Iso("js6"), Size("25"))); }, "Ø25js6(±0,0065)",
                 "js6\t25\t0,0065\t-0,0065\t25,0065\t24,9935"},
        CopyCase{"K7 3,5 both signs", [] { return FieldCopy(IsoField(Iso("K7"), Size("3,5"))); },
                 "Ø3,5K7(+0,003/-0,009)", "K7\t3,5\t0,003\t-0,009\t3,503\t3,491"},
        CopyCase{"h11 3000", [] { return FieldCopy(IsoField(Iso("h11"), Size("3000"))); }, "Ø3000h11(0/-1,350)",
                 "h11\t3000\t0\t-1,35\t3000\t2998,65"},
        CopyCase{"H01 600 undefined", [] { return FieldCopy(IsoField(Iso("H01"), Size("600"))); }, "", ""},
        CopyCase{"size above 3150", [] { return FieldCopy(IsoField(Iso("h7"), Size("3150,5"))); }, "", ""},
        CopyCase{"catalogue K6 is k6", [] { return FieldCopy(CatalogueLimits(CatalogueNumber("K6"), "25", mm, Rounding::AsIs).result); },
                 "Ø25k6(+0,015/+0,002)", "k6\t25\t0,015\t0,002\t25,015\t25,002"},
        CopyCase{"catalogue Js7 typed 7,0", [] { return FieldCopy(CatalogueLimits(CatalogueNumber("Js7"), "7,0", mm, Rounding::AsIs).result); },
                 "Ø7JS7(±0,007)", "JS7\t7\t0,007\t-0,007\t7,007\t6,993"},
        CopyCase{"catalogue H7 above its table", [] { return FieldCopy(CatalogueLimits(CatalogueNumber("H7"), "600", mm, Rounding::AsIs).result); }, "",
                 ""},
        CopyCase{"catalogue size no number", [] { return FieldCopy(CatalogueLimits(CatalogueNumber("H7"), "2,,5", mm, Rounding::AsIs).result); }, "", ""},
        CopyCase{"manual mm", [] { return FieldCopy(ManualLimits("25", "+0,1", "-0,05", mm, Rounding::AsIs).result); }, "Ø25(+0,10/-0,05)",
                 "\t25\t0,1\t-0,05\t25,1\t24,95"},
        CopyCase{"manual µm", [] { return FieldCopy(ManualLimits("10", "15", "0", um, Rounding::AsIs).result); }, "Ø10(+0,015/0)",
                 "\t10\t0,015\t0\t10,015\t10"},
        CopyCase{"manual symmetric", [] { return FieldCopy(ManualLimits("10", "0,2", "-0,2", mm, Rounding::AsIs).result); }, "Ø10(±0,2)",
                 "\t10\t0,2\t-0,2\t10,2\t9,8"},
        CopyCase{"manual zero size", [] { return FieldCopy(ManualLimits("0", "0,2", "-0,2", mm, Rounding::AsIs).result); }, "", ""},
        CopyCase{"manual bad deviation", [] { return FieldCopy(ManualLimits("10", "0,2x", "0", mm, Rounding::AsIs).result); }, "", ""},
        CopyCase{"H7/g6 clearance", [] { return FitCopy(IsoFit(Iso("H7"), Iso("g6"), Size("25"))); },
                 "Ø25H7/g6\nSmax = 0,041; Smin = 0,007 (с зазором)",
                 "H7/g6\t25\t0,021\t0\t-0,007\t-0,02\t0,041\t0,007\t0,024\t0,034"},
        CopyCase{"H7/k6 transition", [] { return FitCopy(IsoFit(Iso("H7"), Iso("k6"), Size("25"))); },
                 "Ø25H7/k6\nSmax = 0,019; Nmax = 0,015 (переходная)",
                 "H7/k6\t25\t0,021\t0\t0,015\t0,002\t0,019\t-0,015\t0,002\t0,034"},
        CopyCase{"H7/s6 interference", [] { return FitCopy(IsoFit(Iso("H7"), Iso("s6"), Size("25"))); },
                 "Ø25H7/s6\nNmax = 0,048; Nmin = 0,014 (с натягом)",
                 "H7/s6\t25\t0,021\t0\t0,048\t0,035\t-0,014\t-0,048\t-0,031\t0,034"},
        CopyCase{"fit not defined", [] { return FitCopy(IsoFit(Iso("H7"), Iso("a11"), Size("0,5"))); }, "", ""},
        CopyCase{"sides swapped", [] { return FitCopy(IsoFit(Iso("h6"), Iso("H7"), Size("25"))); }, "", ""}));

}  // namespace
