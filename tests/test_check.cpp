// SPDX-License-Identifier: GPL-3.0-or-later
// «Контроль» in the core: verdicts on and just beyond every limit of every
// field, the guard band, the binary-double regression set, the batch
// statistics against an independent model, the histogram's bins, and the
// batch texts: encodings, tables, columns and the protocol read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <iconv.h>
#endif

#include "BatchText.h"
#include "Catalogue.h"
#include "Designation.h"
#include "PartCheck.h"
#include "NumberText.h"

namespace {

ExactDecimal Decimal(const std::string& text) { return *ReadCommaOrPoint(text); }
Millimetres Mm(const std::string& text) { return Millimetres(Decimal(text)); }
Micrometres Um(const std::string& text) { return Micrometres(Decimal(text)); }
std::string Shown(const ExactDecimal& v) { return ExactPositional(v, '.'); }

CheckLimits Limits(const std::string& designation, const std::string& guard = "0")
{
    CheckSetup setup = ReadCheck(designation, Um(guard));
    EXPECT_TRUE(setup.limits) << designation << ": " << setup.error;
    return *setup.limits;
}

// ------------------------------------------------------------ limits

// Sizes at and between the bounds of the engine's intervals, and fractions.
std::vector<std::string> SampleSizes()
{
    std::vector<std::string> sizes = {"0,7", "1", "2,3", "3,0001", "17,5", "25", "99,9", "180", "400,05", "2999,5"};
    for (const iso286::SizeRange& r : iso286::Ranges())
        sizes.push_back(std::to_string(r.upper));
    return sizes;
}

TEST(Judge, OnEveryLimitGoodAndOneLastDigitBeyondTheRightReject)
{
    size_t designations = 0;
    for (const std::string& size : SampleSizes()) {
        const Millimetres nominal = Mm(size);
        for (const iso286::Side side : {iso286::Side::Hole, iso286::Side::Shaft}) {
            for (const iso286::Field& f : iso286::DefinedFields(side, *IsoSizeCeiling(nominal))) {
                const CheckSetup setup = CheckLimitsOf(IsoField(f, nominal), Micrometres());
                ASSERT_TRUE(setup.limits) << size << iso286::FieldName(f);
                const CheckLimits& l = *setup.limits;
                const std::string name = size + iso286::FieldName(f);
                ++designations;
                const bool hole = side == iso286::Side::Hole;
                const Judgement atMax = Judge(l, l.field.max), atMin = Judge(l, l.field.min);
                ASSERT_EQ(atMax.verdict, Verdict::Good) << name;
                ASSERT_EQ(atMin.verdict, Verdict::Good) << name;
                ASSERT_EQ(atMax.toUpper.Sign(), 0) << name;
                ASSERT_EQ(atMin.toLower.Sign(), 0) << name;
                ASSERT_EQ(atMax.toLower, l.field.Tolerance()) << name;
                ASSERT_EQ(Shown(atMax.position), "100") << name;
                ASSERT_EQ(Shown(atMin.position), "0") << name;
                for (const char* unit : {"0,0001", "0,000000001"}) {
                    const Millimetres step = Mm(unit);
                    const Judgement above = Judge(l, l.field.max + step), below = Judge(l, l.field.min - step);
                    // Above a shaft or below a hole, material can still come off.
                    ASSERT_EQ(above.verdict, hole ? Verdict::Scrap : Verdict::Rework) << name << " + " << unit;
                    ASSERT_EQ(below.verdict, hole ? Verdict::Rework : Verdict::Scrap) << name << " - " << unit;
                    ASSERT_TRUE(above.above && !below.above) << name;
                    ASSERT_FALSE(above.byGuard || below.byGuard) << name;
                    ASSERT_EQ(above.toUpper, -Micrometres(step)) << name;
                    ASSERT_EQ(below.toLower, -Micrometres(step)) << name;
                }
            }
        }
    }
    EXPECT_GT(designations, 20000u);
}

struct GuardCase {
    const char* designation;
    const char* guard;
    const char* measured;
    Verdict verdict;
    bool byGuard;
    const char* toUpper;
    const char* toLower;
    const char* position;
    const char* reason;
};
void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.designation << " " << c.measured << " g " << c.guard; }

class Verdicts : public testing::TestWithParam<GuardCase> {};
TEST_P(Verdicts, ByTheAcceptanceLimits)
{
    const GuardCase& c = GetParam();
    const CheckLimits l = Limits(c.designation, c.guard);
    const Judgement j = Judge(l, Mm(c.measured));
    EXPECT_EQ(j.verdict, c.verdict);
    EXPECT_EQ(j.byGuard, c.byGuard);
    EXPECT_EQ(Shown(j.toUpper.Value()), c.toUpper);
    EXPECT_EQ(Shown(j.toLower.Value()), c.toLower);
    EXPECT_EQ(Shown(j.position), c.position);
    EXPECT_EQ(VerdictReason(l, j), c.reason);
}
INSTANTIATE_TEST_SUITE_P(Cases, Verdicts, testing::ValuesIn(std::vector<GuardCase>{
    {"25H7", "0", "25,013", Verdict::Good, false, "8", "13", "61.9", "в пределах допуска"},
    {"Ø25H7", "0", "25.021", Verdict::Good, false, "0", "21", "100", "в пределах допуска"},
    {"25H7", "0", "25,0211", Verdict::Scrap, false, "-0.1", "21.1", "100.5",
     "больше наибольшего предельного размера 25,021 мм"},
    {"25H7", "0", "24,9999", Verdict::Rework, false, "21.1", "-0.1", "-0.5",
     "меньше наименьшего предельного размера 25 мм"},
    {"40g6", "0", "39,992", Verdict::Rework, false, "-1", "17", "106.3",
     "больше наибольшего предельного размера 39,991 мм"},
    {"40g6", "0", "39,97", Verdict::Scrap, false, "21", "-5", "-31.3",
     "меньше наименьшего предельного размера 39,975 мм"},
    // 2 µm inside each limit: 25,002 … 25,019 decide.
    {"25H7", "2", "25,019", Verdict::Good, false, "2", "19", "90.5", "в пределах приёмочных границ"},
    {"25H7", "2", "25,002", Verdict::Good, false, "19", "2", "9.5", "в пределах приёмочных границ"},
    {"25H7", "2", "25,0195", Verdict::Scrap, true, "1.5", "19.5", "92.9",
     "в допуске, но больше верхней приёмочной границы 25,019 мм"},
    {"25H7", "2,5", "25,001", Verdict::Rework, true, "20", "1", "4.8",
     "в допуске, но меньше нижней приёмочной границы 25,0025 мм"},
    {"40g6", "1", "39,9905", Verdict::Rework, true, "0.5", "15.5", "96.9",
     "в допуске, но больше верхней приёмочной границы 39,99 мм"},
    {"40g6", "1", "39,9755", Verdict::Scrap, true, "15.5", "0.5", "3.1",
     "в допуске, но меньше нижней приёмочной границы 39,976 мм"},
    {"40g6", "1", "39,993", Verdict::Rework, false, "-2", "18", "112.5",
     "больше наибольшего предельного размера 39,991 мм"},
    // js and JS: the letter's case tells the side.
    {"10js6", "0", "10,0046", Verdict::Rework, false, "-0.1", "9.1", "101.1",
     "больше наибольшего предельного размера 10,0045 мм"},
    {"10JS6", "0", "10,0046", Verdict::Scrap, false, "-0.1", "9.1", "101.1",
     "больше наибольшего предельного размера 10,0045 мм"},
    // Every digit counts, far below what a double holds.
    {"25H7", "0", "25,0210000000000000000001", Verdict::Scrap, false, "-0.0000000000000000001",
     "21.0000000000000000001", "100", "больше наибольшего предельного размера 25,021 мм"},
}));

TEST(Judge, PositionRoundsHalfAwayFromZero)
{
    const CheckLimits l = Limits("25H7");  // T = 21 µm: 0,0105 mm is 50 %
    EXPECT_EQ(Shown(Judge(l, Mm("25,0105")).position), "50");
    EXPECT_EQ(Shown(Judge(l, Mm("25,00001")).position), "0");     // 0,0476… %
    EXPECT_EQ(Shown(Judge(l, Mm("25,000011")).position), "0.1");  // 0,0523… %
    EXPECT_EQ(Shown(Judge(l, Mm("24,999989")).position), "-0.1");
    const CheckLimits h = Limits("10h8");  // T = 22 µm: 0,011 µm is exactly 0,05 %
    EXPECT_EQ(Shown(Judge(h, Mm("9,978011")).position), "0.1");
    EXPECT_EQ(Shown(Judge(h, Mm("9,977989")).position), "-0.1");
    EXPECT_EQ(Shown(Judge(h, Mm("9,97801")).position), "0");
    EXPECT_EQ(Shown(Judge(h, Mm("9,9791")).position), "5");
}

struct SetupCase {
    const char* designation;
    const char* guard;
    const char* error;
};
class Setup : public testing::TestWithParam<SetupCase> {};
TEST_P(Setup, SaysWhyThereAreNoLimits)
{
    const CheckSetup s = ReadCheck(GetParam().designation, Um(GetParam().guard));
    EXPECT_FALSE(s.limits);
    EXPECT_EQ(s.error, GetParam().error);
}
INSTANTIATE_TEST_SUITE_P(Cases, Setup, testing::ValuesIn(std::vector<SetupCase>{
    {"25H7/g6", "0", "Для контроля нужно одно поле — отверстия или вала, а не посадка."},
    {"25Q7", "0", "Неизвестное основное отклонение «Q»: такой буквы нет в ISO 286."},
    {"H7", "0", "Обозначение начинается с размера в миллиметрах, например 25H7."},
    {"0,5a11", "0", "Основное отклонение a не применяется для размеров до 1 мм."},
    {"25H7", "10,5", "Смещение приёмочных границ 10,5 мкм не меньше половины допуска 21 мкм: годных размеров не остаётся."},
    {"25H7", "-1", "Приёмочные границы смещаются внутрь допуска: смещение не может быть отрицательным."},
}));

TEST(Setup, AGuardBandJustBelowHalfTheToleranceLeavesOneSize)
{
    const CheckLimits l = Limits("25H7", "10,4999");
    EXPECT_EQ(Judge(l, Mm("25,0105")).verdict, Verdict::Good);
    EXPECT_EQ(Judge(l, Mm("25,0106")).verdict, Verdict::Scrap);
}

// ------------------------------------------------------------ binary doubles

// 12 common fields at every size from 1,0 to 200,0 mm in 0,1 steps: a part
// measured exactly on each limit. The limit as a double sum of the size
// and the deviation misjudges a share of them; the exact comparison none.
TEST(Judge, TheBinaryDoubleRegressionSet)
{
    const char* const fields[] = {"H7", "H8", "H9", "H11", "h6", "h7", "h9", "h11", "g6", "f7", "k6", "js6"};
    size_t limits = 0, exactWrong = 0, doubleWrong = 0;
    for (int tenths = 10; tenths <= 2000; ++tenths) {
        const std::string size = std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
        for (const char* field : fields) {
            const CheckLimits l = Limits(size + field);
            const double sizeDouble = std::strtod((std::to_string(tenths / 10) + "." + std::to_string(tenths % 10)).c_str(), nullptr);
            const double upper = sizeDouble + std::strtod(ExactPositional(Millimetres(l.field.upper).Value(), '.').c_str(), nullptr);
            const double lower = sizeDouble + std::strtod(ExactPositional(Millimetres(l.field.lower).Value(), '.').c_str(), nullptr);
            for (const Millimetres* limit : {&l.field.max, &l.field.min}) {
                ++limits;
                const std::string written = ExactPositional(limit->Value(), ',');
                exactWrong += Judge(l, *ReadMeasured(written).value).verdict != Verdict::Good;
                std::string pointed = written;
                if (const size_t comma = pointed.find(','); comma != std::string::npos)
                    pointed[comma] = '.';
                const double measured = std::strtod(pointed.c_str(), nullptr);
                doubleWrong += !(lower <= measured && measured <= upper);
            }
        }
    }
    EXPECT_EQ(limits, 1991u * 12 * 2);
    EXPECT_EQ(exactWrong, 0u);
    // The claim: a part exactly on the limit fails in binary doubles.
    EXPECT_GT(doubleWrong, limits / 20);
    std::printf("binary doubles misjudge %zu of %zu limits (%.1f %%); exact decimals 0\n", doubleWrong, limits,
                100.0 * static_cast<double>(doubleWrong) / static_cast<double>(limits));
}

// ------------------------------------------------------------ reading

struct ReadCase {
    const char* typed;
    const char* value;  // "" when it is no measured size
    const char* error;
};
class Measured : public testing::TestWithParam<ReadCase> {};
TEST_P(Measured, ReadsExactlyWithCommaOrPoint)
{
    const MeasuredReading r = ReadMeasured(GetParam().typed);
    EXPECT_EQ(r.value ? Shown(r.value->Value()) : std::string(), GetParam().value);
    EXPECT_EQ(r.error, GetParam().error);
}
INSTANTIATE_TEST_SUITE_P(Cases, Measured, testing::ValuesIn(std::vector<ReadCase>{
    {"25,013", "25.013", ""}, {"25.013", "25.013", ""}, {" \t25,0130\xC2\xA0\r", "25.013", ""},
    {"2,5E1", "25", ""}, {"+7", "7", ""}, {"0,000000001", "0.000000001", ""},
    {"25,01300000000000000000000001", "25.01300000000000000000000001", ""},
    {"", "", "Нет значения."}, {"  \t", "", "Нет значения."},
    {"25,0,1", "", "Не число: нужен размер в миллиметрах, например 25,013."},
    {"25,01.3", "", "Не число: нужен размер в миллиметрах, например 25,013."},
    {"25 013", "", "Не число: нужен размер в миллиметрах, например 25,013."},
    {"abc", "", "Не число: нужен размер в миллиметрах, например 25,013."},
    {"25мм", "", "Не число: нужен размер в миллиметрах, например 25,013."},
    {"0", "", "Размер детали должен быть больше 0 мм."},
    {"-25,013", "", "Размер детали должен быть больше 0 мм."},
}));

TEST(Reading, GuardBands)
{
    EXPECT_EQ(Shown(ReadGuard("")->Value()), "0");
    EXPECT_EQ(Shown(ReadGuard(" 2,5 ")->Value()), "2.5");
    EXPECT_EQ(Shown(ReadGuard("0.5")->Value()), "0.5");
    EXPECT_FALSE(ReadGuard("-1"));
    EXPECT_FALSE(ReadGuard("два"));
}

// ------------------------------------------------------------ statistics

struct ModelBatch {
    std::string designation, upper, lower;
    std::vector<std::string> values;
    std::string mean, meanFromMid, stdev, cp, cpk;
};

std::vector<std::string> Split(const std::string& s, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(s);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

std::vector<ModelBatch> ModelBatches()
{
    std::ifstream in(KALIMAR_TEST_DATA "/check_statistics.txt");
    std::vector<ModelBatch> batches;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = Split(line, ';');
        if (f.size() != 9)
            continue;
        batches.push_back({f[0], f[1], f[2], Split(f[3], ' '), f[4], f[5], f[6], f[7], f[8]});
    }
    return batches;
}

template <typename T>
std::string Figure(const std::optional<T>& v)
{
    if (!v)
        return "-";
    if constexpr (std::is_same_v<T, ExactDecimal>)
        return Shown(*v);
    else
        return Shown(v->Value());
}

TEST(Statistics, AgreeWithTheIndependentModelToTwelveDigits)
{
    const std::vector<ModelBatch> batches = ModelBatches();
    ASSERT_EQ(batches.size(), 60u);
    for (const ModelBatch& b : batches) {
        const CheckLimits l = Limits(b.designation);
        ASSERT_EQ(Shown(l.field.max.Value()), b.upper) << b.designation;
        ASSERT_EQ(Shown(l.field.min.Value()), b.lower) << b.designation;
        BatchTally tally(l);
        for (const std::string& v : b.values)
            tally.Add(Mm(v), Judge(l, Mm(v)).verdict);
        const BatchSummary s = tally.Summary();
        EXPECT_EQ(s.count, b.values.size());
        EXPECT_EQ(Figure(s.mean), b.mean) << b.designation;
        EXPECT_EQ(Figure(s.meanFromMid), b.meanFromMid) << b.designation;
        EXPECT_EQ(Figure(s.stdev), b.stdev) << b.designation;
        EXPECT_EQ(Figure(s.cp), b.cp) << b.designation;
        EXPECT_EQ(Figure(s.cpk), b.cpk) << b.designation;
    }
}

struct HandCase {
    const char* designation;
    std::vector<const char*> values;
    const char *mean, *stdev, *cp, *cpk;
};
class ByHand : public testing::TestWithParam<HandCase> {};
TEST_P(ByHand, CpAndCpk)
{
    const HandCase& c = GetParam();
    const CheckLimits l = Limits(c.designation);
    BatchTally tally(l);
    for (const char* v : c.values)
        tally.Add(Mm(v), Judge(l, Mm(v)).verdict);
    const BatchSummary s = tally.Summary();
    EXPECT_EQ(Figure(s.mean), c.mean);
    EXPECT_EQ(Figure(s.stdev), c.stdev);
    EXPECT_EQ(Figure(s.cp), c.cp);
    EXPECT_EQ(Figure(s.cpk), c.cpk);
}
INSTANTIATE_TEST_SUITE_P(Cases, ByHand, testing::ValuesIn(std::vector<HandCase>{
    // Deviations -5, 0, 5 µm: s = 5 µm; Cp = 21 / 30; Cpk = min(11, 10) / 15.
    {"25H7", {"25,005", "25,010", "25,015"}, "25.01", "5", "0.7", "0.666666666667"},
    // The mean 5 µm beyond the largest size: Cpk is negative. s = √2 µm.
    {"25H7", {"25,025", "25,027"}, "25.026", "1.41421356237", "2.47487373415", "-1.17851130198"},
    // 40g6, T = 16 µm, centred: Cp = Cpk = 16 / 6 / 2.
    {"40g6", {"39,981", "39,985"}, "39.983", "2.82842712475", "0.942809041582", "0.942809041582"},
    // One size: no spread; equal sizes: s = 0 and no Cp.
    {"25H7", {"25,01"}, "25.01", "-", "-", "-"},
    {"25H7", {"25,01", "25,01", "25,01"}, "25.01", "0", "-", "-"},
}));

// ------------------------------------------------------------ histogram

TEST(Histogram, LimitsFallOnBinEdges)
{
    const CheckLimits l = Limits("25H7");  // bins of 2,1 µm
    HistogramTally h(l);
    const auto add = [&](const char* v) { h.Add(Mm(v), Judge(l, Mm(v)).verdict); };
    add("25");            // bin 0
    add("25,0021");       // bin 1: its lower edge
    add("25,021");        // bin 9: the largest size stays inside
    add("25,020999");     // bin 9
    add("25,021000001");  // bin 10, outside
    add("24,999999999");  // bin -1
    HistogramBins b = h.Bins();
    ASSERT_EQ(b.first, -1);
    ASSERT_EQ(b.counts.size(), 12u);
    const auto total = [&](int bin) {
        const auto& c = b.counts[static_cast<size_t>(bin - b.first)];
        return c[0] + c[1] + c[2];
    };
    EXPECT_EQ(total(-1), 1u);
    EXPECT_EQ(total(0), 1u);
    EXPECT_EQ(total(1), 1u);
    EXPECT_EQ(total(9), 2u);
    EXPECT_EQ(total(10), 1u);
    EXPECT_EQ(b.counts[0][static_cast<size_t>(Verdict::Rework)], 1u);  // a hole below its smallest size
    EXPECT_EQ(b.counts[11][static_cast<size_t>(Verdict::Scrap)], 1u);
    EXPECT_EQ(b.beyondBelow + b.beyondAbove, 0u);

    // Far off: five bins on a side at most, the rest counted at the edge.
    add("25,0126");  // bin 6
    add("26");
    add("25,03");  // bin 14
    b = h.Bins();
    EXPECT_EQ(b.first, -1);
    EXPECT_EQ(b.Last(), 14);
    EXPECT_EQ(b.beyondAbove, 1u);
    EXPECT_EQ(total(14), 2u);
    EXPECT_EQ(total(6), 1u);
}

// ------------------------------------------------------------ batch texts

#if defined(__GLIBC__)
// Every byte of the upper half against glibc's own table of the code page.
TEST(Encodings, Windows1251AgreesWithIconv)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1251");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
        const std::string expected = converted ? std::string(out, outPtr) : std::string("\xEF\xBF\xBD");
        EXPECT_EQ(Windows1251ToUtf8(std::string(1, static_cast<char>(b))), expected) << "byte " << b;
    }
    iconv_close(cd);
}
#endif

std::string FileBytes(const std::string& name)
{
    std::ifstream in(std::string(KALIMAR_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Encodings, AWindows1251FileAndUtf8WithOrWithoutMark)
{
    const std::string bytes = FileBytes("measured-1251.csv");
    ASSERT_FALSE(bytes.empty());
    const DecodedText d = DecodeText(bytes);
    EXPECT_EQ(d.encoding, TextEncoding::Windows1251);
    EXPECT_NE(d.utf8.find("Диаметр, мм"), std::string::npos);
    EXPECT_EQ(DecodeText(d.utf8).encoding, TextEncoding::Utf8);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + d.utf8).utf8, d.utf8);
    EXPECT_EQ(DecodeText("25,013\r\n").utf8, "25,013\r\n");
}

TEST(Tables, SeparatorsAndQuotes)
{
    EXPECT_EQ(SplitTable("1\t25,013\n2\t25,014\n").separator, '\t');
    EXPECT_EQ(SplitTable("1;25,013\n").separator, ';');
    EXPECT_EQ(SplitTable("25,013\n25,014\n").separator, 0);  // decimal commas
    EXPECT_EQ(SplitTable("25.013\n25.014\n").separator, 0);
    const TextTable comma = SplitTable("n,size\n1,25.013\n2,\"25.014\"\n");
    EXPECT_EQ(comma.separator, ',');
    EXPECT_EQ(comma.columns, 2);
    EXPECT_EQ(comma.Cell(2, 1), "25.014");
    const TextTable quoted = SplitTable("\"a;b\";\"say \"\"hi\"\"\"\r\n\r\n;;\n");
    EXPECT_EQ(quoted.Cell(0, 0), "a;b");
    EXPECT_EQ(quoted.Cell(0, 1), "say \"hi\"");
    EXPECT_TRUE(quoted.lines[1].empty());
    EXPECT_TRUE(quoted.lines[2].empty());  // only separators: a blank line
    EXPECT_EQ(quoted.Cell(0, 5), "");
}

TEST(Tables, ColumnsHeadsAndEveryCellKept)
{
    const TextTable t = SplitTable(
        "Замеры вала 40g6\n"
        "№;Диаметр, мм;Примечание\n"
        "1;39,98;\n"
        "2;39.992;перепроверить\n"
        "\n"
        "3;;\n"
        "4;abc;\n"
        "5;39,975;\n");
    EXPECT_EQ(t.columns, 3);
    EXPECT_EQ(ColumnHead(t, 1), "Диаметр, мм");
    EXPECT_EQ(ColumnHead(t, 0), "№");
    EXPECT_EQ(ColumnHead(t, 2), "");
    EXPECT_EQ(LikelyValueColumn(t), 1);
    const BatchValues v = ValuesOfColumn(t, 1);
    EXPECT_EQ(v.headLines, 2u);
    ASSERT_EQ(v.entries.size(), 5u);
    EXPECT_EQ(v.entries[1].typed, "39.992");
    EXPECT_EQ(v.entries[1].line, 4u);
    EXPECT_EQ(Shown(v.entries[1].value->Value()), "39.992");
    EXPECT_EQ(v.entries[2].error, "Нет значения.");
    EXPECT_EQ(v.entries[2].line, 6u);
    EXPECT_EQ(v.entries[3].typed, "abc");
    EXPECT_FALSE(v.entries[3].value);
    // Without heads the fractions tell the sizes from the row numbers.
    EXPECT_EQ(LikelyValueColumn(SplitTable("1;25,013\n2;25,014\n")), 1);
    EXPECT_EQ(LikelyValueColumn(SplitTable("25,013\n")), 0);
}

TEST(Batch, JudgedWholeAndStoppable)
{
    const CheckLimits l = Limits("40g6", "1");
    const BatchValues v = ValuesOfColumn(SplitTable("39,98\nx\n39,9905\n39,97\n"), 0);
    const std::optional<BatchJudgement> j = JudgeBatch(v, l);
    ASSERT_TRUE(j);
    ASSERT_EQ(j->verdicts.size(), 4u);
    EXPECT_TRUE(j->verdicts[0].valid && j->verdicts[0].verdict == Verdict::Good);
    EXPECT_FALSE(j->verdicts[1].valid);
    EXPECT_TRUE(j->verdicts[2].verdict == Verdict::Rework && j->verdicts[2].byGuard);
    EXPECT_EQ(j->verdicts[3].verdict, Verdict::Scrap);
    EXPECT_EQ(j->summary.count, 3u);
    EXPECT_EQ(j->summary.invalid, 1u);
    EXPECT_FALSE(JudgeBatch(v, l, [](size_t) { return false; }));
}

TEST(Protocol, CsvReadsBackAsTheSameBatch)
{
    const CheckLimits l = Limits("Ø40g6", "1");
    const BatchValues v = ValuesOfColumn(SplitTable("39.98\n=1+1\n39,9905\n39,97\n39,0000000001\n"), 0);
    const BatchJudgement j = *JudgeBatch(v, l);
    const std::string csv = ProtocolCsv(l, {"Ø40g6", "07.12.2026"}, v, j);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("Протокол контроля\r\nОбозначение: Ø40g6 (вал)\r\n"), std::string::npos);
    EXPECT_NE(csv.find("Дата: 07.12.2026\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\r\n№;Размер, мм;Вердикт;До наибольшего, мкм;До наименьшего, мкм;Положение в допуске, %\r\n"
                       "1;39,98;годен;11;5;31,3\r\n"
                       "2;'=1+1;ошибка: Не число: нужен размер в миллиметрах, например 25,013.;;;\r\n"
                       "3;39,9905;брак исправимый;0,5;15,5;96,9\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find('\n', csv.find("\r\n") + 2) - 1, csv.find("\r\n", csv.find("\r\n") + 2));  // CRLF only

    const DecodedText back = DecodeText(csv);
    const TextTable table = SplitTable(back.utf8);
    const int column = LikelyValueColumn(table);
    EXPECT_EQ(ColumnHead(table, column), "Размер, мм");
    const BatchValues again = ValuesOfColumn(table, column);
    ASSERT_EQ(again.entries.size(), v.entries.size());
    for (size_t i = 0; i < v.entries.size(); ++i) {
        ASSERT_EQ(again.entries[i].value.has_value(), v.entries[i].value.has_value()) << i;
        if (v.entries[i].value) {
            EXPECT_EQ(*again.entries[i].value, *v.entries[i].value) << i;
        }
    }
    const BatchSummary s = JudgeBatch(again, l)->summary;
    EXPECT_EQ(WriteSummaryTexts(s).stdev, WriteSummaryTexts(j.summary).stdev);
    EXPECT_EQ(again.headLines, ProtocolHeadLines(l, {"Ø40g6", "07.12.2026"}, j.summary).size() + 1);
}

}  // namespace
