// SPDX-License-Identifier: GPL-3.0-or-later
// The general-tolerance tables (ISO 2768-1/-2, ГОСТ 30893.1/.2) against a second
// keying typed from other public copies exactly as they print it, and against
// what a user relies on: ranges that join without gaps, values that never get
// finer as the size or the class grows, "—" only where the standard prints it.
#include "GeneralToleranceTables.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace gt = general_tolerances;

// ------------------------------------------------ reading printed text

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// "0.05", "0,5", "1.2", "2" (millimetres) in whole micrometres.
std::optional<int> Micrometres(const std::string& digits)
{
    int whole = 0, fraction = 0, fractionDigits = 0;
    bool separator = false, any = false;
    for (char ch : digits) {
        if (ch == '.' || ch == ',') {
            if (separator)
                return std::nullopt;
            separator = true;
        } else if (ch >= '0' && ch <= '9') {
            any = true;
            if (!separator)
                whole = whole * 10 + (ch - '0');
            else if (++fractionDigits > 3)
                return std::nullopt;
            else
                fraction = fraction * 10 + (ch - '0');
        } else {
            return std::nullopt;
        }
    }
    if (!any)
        return std::nullopt;
    for (; fractionDigits < 3; ++fractionDigits)
        fraction *= 10;
    return whole * 1000 + fraction;
}

// The numbers in a printed range heading, in millimetres, in order.
std::vector<std::string> Numbers(const std::string& text)
{
    std::vector<std::string> numbers;
    std::string current;
    for (char ch : text) {
        const bool digit = ch >= '0' && ch <= '9';
        if (digit || (!current.empty() && (ch == '.' || ch == ','))) {
            current += ch;
        } else if (!current.empty()) {
            numbers.push_back(current);
            current.clear();
        }
    }
    if (!current.empty())
        numbers.push_back(current);
    return numbers;
}

// A range heading as JIS prints it ("0.5以上3以下", "3を超え6以下", "10以下",
// "400を超るもの") or in English ("up to 10", "over 10 up to 30", "≤ 100",
// "> 100 ≤ 300"). 以上 is "at or above", を超え / over / > "above".
std::optional<gt::Range> ReadRange(const std::string& text)
{
    const std::vector<std::string> numbers = Numbers(text);
    if (numbers.size() == 2) {
        const auto lower = Micrometres(numbers[0]), upper = Micrometres(numbers[1]);
        if (!lower || !upper)
            return std::nullopt;
        return gt::Range{*lower, Has(text, "以上"), *upper};
    }
    if (numbers.size() != 1)
        return std::nullopt;
    const auto bound = Micrometres(numbers[0]);
    if (!bound)
        return std::nullopt;
    if (Has(text, "以下") || Has(text, "up to") || Has(text, "≤"))
        return gt::Range{0, false, *bound};
    if (Has(text, "超") || Has(text, "over") || Has(text, ">"))
        return gt::Range{*bound, false, std::nullopt};
    return std::nullopt;
}

// A printed cell: the outer optional is empty when the text cannot be read,
// the inner one when the standard prints a dash.
using Read = std::optional<gt::Cell>;

std::string WithoutPlusMinus(std::string text)
{
    const std::string pm = "±";
    if (text.compare(0, pm.size(), pm) == 0)
        text.erase(0, pm.size());
    return text;
}

Read ReadLength(const std::string& text)
{
    if (text == "-" || text == "—")
        return gt::Cell{gt::kNotDefined};
    if (const auto um = Micrometres(WithoutPlusMinus(text)))
        return gt::Cell{*um};
    return std::nullopt;
}

// "±1°", "±30′", "±1°30′", "±0°5'": arc-minutes.
Read ReadAngle(const std::string& printed)
{
    if (printed == "-" || printed == "—")
        return gt::Cell{gt::kNotDefined};
    std::string text = WithoutPlusMinus(printed);
    int minutes = 0;
    bool any = false;
    for (const char* unit : {"°", "′", "'"}) {
        const std::size_t at = text.find(unit);
        if (at == std::string::npos)
            continue;
        const auto um = Micrometres(text.substr(0, at));   // a whole number reads as n·1000
        if (!um || *um % 1000 != 0)
            return std::nullopt;
        minutes += (*um / 1000) * (std::string(unit) == "°" ? 60 : 1);
        text.erase(0, at + std::string(unit).size());
        any = true;
    }
    if (!any || !text.empty())
        return std::nullopt;
    return gt::Cell{minutes};
}

// ------------------------------------------------ the first keying, viewed alike

enum class Unit { Micrometres, ArcMinutes };
enum class WithSize { Grows, Shrinks };

struct TableView {
    std::string name;
    std::vector<gt::Range> ranges;
    std::vector<std::vector<gt::Cell>> cells;   // [class][range]
    Unit unit;
    WithSize trend;
};

template <std::size_t Classes, std::size_t Ranges>
TableView View(std::string name, const gt::Table<Classes, Ranges>& table, Unit unit, WithSize trend)
{
    TableView view{std::move(name), {table.ranges.begin(), table.ranges.end()}, {}, unit, trend};
    for (const auto& row : table.cells)
        view.cells.emplace_back(row.begin(), row.end());
    return view;
}

std::vector<TableView> AllTables()
{
    return {
        View("Linear", gt::kLinear, Unit::Micrometres, WithSize::Grows),
        View("BrokenEdge", gt::kBrokenEdge, Unit::Micrometres, WithSize::Grows),
        View("Angular", gt::kAngular, Unit::ArcMinutes, WithSize::Shrinks),   // a longer side, a finer angle
        View("StraightnessFlatness", gt::kStraightnessFlatness, Unit::Micrometres, WithSize::Grows),
        View("Perpendicularity", gt::kPerpendicularity, Unit::Micrometres, WithSize::Grows),
        View("Symmetry", gt::kSymmetry, Unit::Micrometres, WithSize::Grows),
    };
}

std::string TableName(const testing::TestParamInfo<TableView>& info) { return info.param.name; }

void PrintTo(const TableView& view, std::ostream* os) { *os << view.name; }

// ------------------------------------------------ the second keying, as printed

struct Printed {
    const char* table;
    std::vector<const char*> ranges;
    std::vector<std::vector<const char*>> rows;   // [class][range]
};

// A row the source prints merged with the one above is typed again in full.
const std::vector<Printed> kPrinted = {
    // JIS B 0405-1991 (ISO 2768-1) as extracted at
    // http://www.mikipulley.co.jp/JP/Services/Tech_data/tech02.html
    {"Linear",
     {"0.5以上3以下", "3を超え6以下", "6を超え30以下", "30を超え120以下", "120を超え400以下",
      "400を超え1000以下", "1000を超え2000 以下", "2000を超え4000 以下"},
     {{"±0.05", "±0.05", "±0.1", "±0.15", "±0.2", "±0.3", "±0.5", "-"},
      {"±0.1", "±0.1", "±0.2", "±0.3", "±0.5", "±0.8", "±1.2", "±2"},
      {"±0.2", "±0.3", "±0.5", "±0.8", "±1.2", "±2", "±3", "±4"},
      {"-", "±0.5", "±1", "±1.5", "±2.5", "±4", "±6", "±8"}}},
    {"BrokenEdge",
     {"0.5以上3以下", "3を超え6以下", "6を超えるもの"},
     {{"±0.2", "±0.5", "±1"},
      {"±0.2", "±0.5", "±1"},
      {"±0.4", "±1", "±2"},
      {"±0.4", "±1", "±2"}}},
    {"Angular",
     {"10以下", "10を超え50以下", "50を超え120以下", "120を超え400以下", "400を超るもの"},
     {{"±1°", "±30′", "±20′", "±10′", "±5′"},
      {"±1°", "±30′", "±20′", "±10′", "±5′"},
      {"±1°30′", "±1°", "±30′", "±15′", "±10′"},
      {"±3°", "±2°", "±1°", "±30′", "±20′"}}},
    // ISO 2768-2 Table 1 as printed at
    // https://amesweb.info/fits-tolerances/straightness-flatness-tolerances.aspx
    {"StraightnessFlatness",
     {"up to 10", "over 10 up to 30", "over 30 up to 100", "over 100 up to 300",
      "over 300 up to 1000", "over 1000 up to 3000"},
     {{"0.02", "0.05", "0.1", "0.2", "0.3", "0.4"},
      {"0.05", "0.1", "0.2", "0.4", "0.6", "0.8"},
      {"0.1", "0.2", "0.4", "0.8", "1.2", "1.6"}}},
    // ISO 2768-2 Tables 2 and 3 as printed at https://www.camcut-group.com/en-us/support/
    // instructions/measuring/general-tolerances/general-tolerances-for-perpendicularity
    // and .../general-tolerances-for-symmetry
    {"Perpendicularity",
     {"≤ 100", "> 100 ≤ 300", "> 300 ≤ 1000", "> 1000 ≤ 3000"},
     {{"0.2", "0.3", "0.4", "0.5"},
      {"0.4", "0.6", "0.8", "1"},
      {"0.6", "1", "1.5", "2"}}},
    {"Symmetry",
     {"≤ 100", "> 100 ≤ 300", "> 300 ≤ 1000", "> 1000 ≤ 3000"},
     {{"0.5", "0.5", "0.5", "0.5"},
      {"0.6", "0.6", "0.8", "1"},
      {"0.6", "1", "1.5", "2"}}},
};

const Printed& PrintedFor(const std::string& table)
{
    for (const Printed& printed : kPrinted)
        if (table == printed.table)
            return printed;
    ADD_FAILURE() << "no second keying for " << table;
    return kPrinted.front();
}

std::string Text(const gt::Cell& cell) { return cell ? std::to_string(*cell) : std::string("—"); }

std::string Text(const gt::Range& r)
{
    return std::string(r.lowerIncluded ? "[" : "(") + std::to_string(r.lowerUm) + ", "
           + (r.upperUm ? std::to_string(*r.upperUm) + "]" : std::string("inf)")) + " um";
}

// ------------------------------------------------ cell for cell

class SecondKeying : public testing::TestWithParam<TableView> {};

TEST_P(SecondKeying, RangesAsPrinted)
{
    const TableView& view = GetParam();
    const Printed& printed = PrintedFor(view.name);
    ASSERT_EQ(printed.ranges.size(), view.ranges.size());
    for (std::size_t i = 0; i < view.ranges.size(); ++i) {
        SCOPED_TRACE(printed.ranges[i]);
        const std::optional<gt::Range> read = ReadRange(printed.ranges[i]);
        ASSERT_TRUE(read.has_value()) << "unreadable heading";
        EXPECT_EQ(Text(*read), Text(view.ranges[i]));
    }
}

TEST_P(SecondKeying, EveryCellAsPrinted)
{
    const TableView& view = GetParam();
    const Printed& printed = PrintedFor(view.name);
    ASSERT_EQ(printed.rows.size(), view.cells.size());
    for (std::size_t c = 0; c < view.cells.size(); ++c) {
        ASSERT_EQ(printed.rows[c].size(), view.cells[c].size()) << "class " << c;
        for (std::size_t r = 0; r < view.cells[c].size(); ++r) {
            const char* text = printed.rows[c][r];
            const Read read = view.unit == Unit::ArcMinutes ? ReadAngle(text) : ReadLength(text);
            ASSERT_TRUE(read.has_value()) << "unreadable cell " << text;
            EXPECT_EQ(Text(*read), Text(view.cells[c][r]))
                << "class " << c << ", range " << Text(view.ranges[r]) << ", printed " << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GeneralTables, SecondKeying, testing::ValuesIn(AllTables()), TableName);

// ------------------------------------------------ what a user relies on

class TableShape : public testing::TestWithParam<TableView> {};

TEST_P(TableShape, RangesJoinWithoutGaps)
{
    const std::vector<gt::Range>& ranges = GetParam().ranges;
    ASSERT_FALSE(ranges.empty());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        SCOPED_TRACE(Text(ranges[i]));
        if (ranges[i].upperUm)
            EXPECT_LT(ranges[i].lowerUm, *ranges[i].upperUm);
        else
            EXPECT_EQ(i + 1, ranges.size()) << "only the last range may be open";
        if (i == 0)
            continue;
        ASSERT_TRUE(ranges[i - 1].upperUm.has_value());
        EXPECT_EQ(ranges[i].lowerUm, *ranges[i - 1].upperUm) << "gap or overlap";
        EXPECT_FALSE(ranges[i].lowerIncluded) << "a joint belongs to the range below it";
    }
}

TEST_P(TableShape, NeverFinerAsTheSizeGrows)
{
    const TableView& view = GetParam();
    for (std::size_t c = 0; c < view.cells.size(); ++c) {
        std::optional<int> previous;
        for (std::size_t r = 0; r < view.cells[c].size(); ++r) {
            const gt::Cell& cell = view.cells[c][r];
            if (!cell)
                continue;
            SCOPED_TRACE("class " + std::to_string(c) + ", range " + Text(view.ranges[r]));
            EXPECT_GT(*cell, 0);
            if (previous && view.trend == WithSize::Grows) {
                EXPECT_GE(*cell, *previous);
            }
            if (previous && view.trend == WithSize::Shrinks) {
                EXPECT_LE(*cell, *previous);
            }
            previous = cell;
        }
    }
}

TEST_P(TableShape, NeverFinerInACoarserClass)
{
    const TableView& view = GetParam();
    for (std::size_t c = 1; c < view.cells.size(); ++c)
        for (std::size_t r = 0; r < view.ranges.size(); ++r) {
            const gt::Cell& finer = view.cells[c - 1][r];
            const gt::Cell& coarser = view.cells[c][r];
            if (finer && coarser) {
                EXPECT_GE(*coarser, *finer) << "classes " << c - 1 << " and " << c << ", range "
                                            << Text(view.ranges[r]);
            }
        }
}

INSTANTIATE_TEST_SUITE_P(GeneralTables, TableShape, testing::ValuesIn(AllTables()), TableName);

TEST(GeneralTables, NotDefinedOnlyWhereTheStandardPrintsADash)
{
    std::vector<std::string> dashes;
    for (const TableView& view : AllTables())
        for (std::size_t c = 0; c < view.cells.size(); ++c)
            for (std::size_t r = 0; r < view.ranges.size(); ++r)
                if (!view.cells[c][r])
                    dashes.push_back(view.name + " " + std::to_string(c) + " " + Text(view.ranges[r]));
    const std::vector<std::string> expected = {
        "Linear 0 (2000000, 4000000] um",   // f over 2000 mm
        "Linear 3 [500, 3000] um",          // v up to 3 mm
    };
    EXPECT_EQ(dashes, expected);
}

TEST(GeneralTables, BelowHalfAMillimetreTheDrawingStatesTheDeviation)
{
    EXPECT_EQ(gt::kLinear.ranges.front().lowerUm, gt::kStatedAtSizeBelowUm);
    EXPECT_TRUE(gt::kLinear.ranges.front().lowerIncluded);
    EXPECT_EQ(gt::kBrokenEdge.ranges.front().lowerUm, gt::kStatedAtSizeBelowUm);
    EXPECT_TRUE(gt::kBrokenEdge.ranges.front().lowerIncluded);
    // Angles and features have no such floor: "up to 10", "up to 100".
    for (const TableView& view : AllTables())
        if (view.name != "Linear" && view.name != "BrokenEdge") {
            SCOPED_TRACE(view.name);
            EXPECT_EQ(view.ranges.front().lowerUm, 0);
            EXPECT_FALSE(view.ranges.front().lowerIncluded);
        }
}

TEST(GeneralTables, CircularRunOutAsPrintedAndCoarserByClass)
{
    // ISO 2768-2 Table 4 as printed at https://www.camcut-group.com/en-us/support/
    // instructions/measuring/general-tolerances/general-tolerances-for-circular-run-out
    const char* printed[gt::kGeometricClassCount] = {"0.1", "0.2", "0.5"};
    for (std::size_t c = 0; c < gt::kGeometricClassCount; ++c) {
        const Read read = ReadLength(printed[c]);
        ASSERT_TRUE(read.has_value() && read->has_value()) << printed[c];
        EXPECT_EQ(**read, gt::kCircularRunOutUm[c]) << gt::kGeometricClassLetter[c];
        if (c > 0) {
            EXPECT_GT(gt::kCircularRunOutUm[c], gt::kCircularRunOutUm[c - 1]);
        }
    }
}

// The readers themselves: a misread heading or cell would make the comparison
// above pass or fail for the wrong reason.
TEST(PrintedText, ReadAsWritten)
{
    EXPECT_EQ(ReadLength("±0,05"), Read(gt::Cell(50)));
    EXPECT_EQ(ReadLength("±1.2"), Read(gt::Cell(1200)));
    EXPECT_EQ(ReadLength("—"), Read(gt::Cell(gt::kNotDefined)));
    EXPECT_EQ(ReadLength("±0.0005"), Read());
    EXPECT_EQ(ReadLength("0.2mm"), Read());
    EXPECT_EQ(ReadAngle("±1°30'"), Read(gt::Cell(90)));
    EXPECT_EQ(ReadAngle("±0°5′"), Read(gt::Cell(5)));
    EXPECT_EQ(ReadAngle("±1,5°"), Read());
    EXPECT_EQ(Text(*ReadRange("0,5以上3以下")), "[500, 3000] um");
    EXPECT_EQ(Text(*ReadRange("over 6")), "(6000, inf) um");
    EXPECT_EQ(Text(*ReadRange("up to 10")), "(0, 10000] um");
    EXPECT_FALSE(ReadRange("10 20 30").has_value());
}

}  // namespace
