#include "NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- general

struct GeneralCase {
    long double value;
    const char* text;
};

class GeneralForm : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralForm, Writes)
{
    EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralForm,
    testing::Values(
        // Deviations as the catalogue gives them (micrometres / 1000).
        GeneralCase{30 / 1000.0L, "0,03"}, GeneralCase{-7 / 1000.0L, "-0,007"},
        GeneralCase{12 / 1000.0L, "0,012"}, GeneralCase{4.5L, "4,5"},
        GeneralCase{1000, "1000"}, GeneralCase{-28, "-28"},
        // Doubles that are not exact in binary still read as typed.
        GeneralCase{0.1, "0,1"}, GeneralCase{0.1 + 0.2, "0,3"}, GeneralCase{0.025, "0,025"},
        GeneralCase{1234.5678, "1234,5678"},
        // Zero and signs.
        GeneralCase{0, "0"}, GeneralCase{-0.0L, "0"}, GeneralCase{-1e-300L, "-1E-300"},
        // Fifteen digits, half away from zero, carries.
        GeneralCase{1 / 3.0L, "0,333333333333333"}, GeneralCase{2 / 3.0L, "0,666666666666667"},
        GeneralCase{-2 / 3.0L, "-0,666666666666667"},
        GeneralCase{1.0000000000000049L, "1"}, GeneralCase{1.000000000000005L, "1,00000000000001"},
        GeneralCase{9.9999999999999995L, "10"}, GeneralCase{-9.9999999999999995L, "-10"},
        GeneralCase{123456789012345.6L, "123456789012346"},
        // Positional from 0,0001 up to fifteen integer digits.
        GeneralCase{0.0001L, "0,0001"}, GeneralCase{0.000123L, "0,000123"},
        GeneralCase{0.00001L, "1E-5"}, GeneralCase{0.0000123L, "1,23E-5"},
        GeneralCase{-0.00001L, "-1E-5"},
        GeneralCase{999999999999999.0L, "999999999999999"},
        GeneralCase{999999999999999.5L, "1E15"}, GeneralCase{1e15L, "1E15"},
        GeneralCase{1e16L, "1E16"}, GeneralCase{1.5e20L, "1,5E20"},
        GeneralCase{123456789012345678.0L, "1,23456789012346E17"},
        GeneralCase{0.000099999999999999995L, "0,0001"},
        // Whole long double range.
        GeneralCase{LDBL_MAX, "1,18973149535723E4932"}, GeneralCase{1e-4000L, "1E-4000"},
        GeneralCase{LDBL_TRUE_MIN, "3,64519953188247E-4951"}));

TEST(GeneralForm, NotFiniteDoesNotCrash)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FormatGeneral(inf), "INF");
    EXPECT_EQ(FormatGeneral(-inf), "-INF");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFixed(inf, 6, 2), "INF");
    EXPECT_EQ(FormatFixed(-inf, 6, 2), "-INF");
    EXPECT_EQ(FormatFixed(std::numeric_limits<long double>::quiet_NaN(), 6, 2), "NAN");
}

// ---------------------------------------------------------------- fixed

struct FixedCase {
    long double value;
    int precision;
    int digits;
    const char* text;
};

class FixedForm : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedForm, Writes)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.digits), c.text)
        << "precision " << c.precision << ", digits " << c.digits;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedForm,
    testing::Values(
        // Precision cuts before the decimals do.
        FixedCase{12345.25L, 6, 2, "12345,30"}, FixedCase{-12345.25L, 6, 2, "-12345,30"},
        FixedCase{123.456789L, 6, 4, "123,4570"}, FixedCase{1.23456789L, 6, 4, "1,2346"},
        FixedCase{1234567.8L, 8, 3, "1234567,800"},
        // More integer digits than the precision: scientific, exponent of at
        // least `digits` digits.
        FixedCase{1234567.8L, 6, 2, "1,23457E06"}, FixedCase{-1234567.8L, 6, 2, "-1,23457E06"},
        FixedCase{1234567.0L, 6, 3, "1,23457E006"}, FixedCase{1e20L, 6, 2, "1E20"},
        FixedCase{1e20L, 6, 0, "1E20"}, FixedCase{1.5e300L, 8, 4, "1,5E0300"},
        // Carries into a new digit.
        FixedCase{9.995L, 6, 2, "10,00"}, FixedCase{-9.995L, 6, 2, "-10,00"},
        FixedCase{0.9995L, 8, 3, "1,000"}, FixedCase{99.9996L, 6, 3, "100,000"},
        FixedCase{999999.4L, 6, 2, "999999,00"}, FixedCase{999999.5L, 6, 2, "1E06"},
        FixedCase{99999.95L, 6, 2, "100000,00"},
        // Ties decided on the decimal digits.
        FixedCase{2.5075L, 6, 3, "2,508"}, FixedCase{5.0125L, 8, 3, "5,013"},
        FixedCase{5.01249999L, 8, 3, "5,012"}, FixedCase{-5.0125L, 8, 3, "-5,013"},
        // At and below the last decimal: zero or one unit, never "-0".
        FixedCase{0, 6, 2, "0,00"}, FixedCase{-0.0L, 6, 2, "0,00"},
        FixedCase{0.004L, 6, 2, "0,00"}, FixedCase{-0.004L, 6, 2, "0,00"},
        FixedCase{0.005L, 6, 2, "0,01"}, FixedCase{-0.005L, 6, 2, "-0,01"},
        FixedCase{0.0049L, 6, 2, "0,00"}, FixedCase{0.0006L, 8, 3, "0,001"},
        FixedCase{0.00099L, 6, 2, "0,00"}, FixedCase{-0.0001L, 6, 2, "0,00"},
        FixedCase{1e-300L, 6, 2, "0,00"}, FixedCase{-1e-4000L, 8, 4, "0,0000"},
        FixedCase{0.04L, 6, 3, "0,040"}, FixedCase{-0.00625L, 8, 4, "-0,0063"},
        // No decimals: no comma.
        FixedCase{2.5L, 6, 0, "3"}, FixedCase{-2.5L, 6, 0, "-3"}, FixedCase{0.4L, 6, 0, "0"},
        FixedCase{-0.4L, 6, 0, "0"}, FixedCase{0.5L, 6, 0, "1"}, FixedCase{123456.5L, 6, 0, "123457"},
        // Out-of-range arguments are held to 1..18 and 0..18.
        FixedCase{5.5L, 0, 2, "6,00"}, FixedCase{5.5L, 6, -1, "6"},
        FixedCase{1.25L, 30, 20, "1,250000000000000000"}));

// The radix character printf uses follows LC_NUMERIC, which Qt takes from
// the environment; the texts must not change with it.
TEST(NumberTextLocale, CommaLocaleGivesSameTexts)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8",
                           "fr_FR.UTF-8", "ps_AF.UTF-8", "de_DE", "ru_RU"};
    const char* found = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_NUMERIC, name)) {
            found = name;
            break;
        }
    }
    if (!found)
        GTEST_SKIP() << "no locale with another radix character installed";
    EXPECT_EQ(FormatGeneral(5.0125L), "5,0125") << found;
    EXPECT_EQ(FormatGeneral(1.5e20L), "1,5E20") << found;
    EXPECT_EQ(FormatFixed(5.0125L, 8, 3), "5,013") << found;
    EXPECT_EQ(FormatFixed(1234567.8L, 6, 2), "1,23457E06") << found;
    EXPECT_EQ(ReadNumberText("-0,025"), -0.025) << found;
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// ---------------------------------------------------------------- reading

struct ReadCase {
    std::string text;
    std::optional<double> value;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << '"' << (c.text.size() > 60 ? c.text.substr(0, 60) + "..." : c.text) << '"';
}

class Reading : public testing::TestWithParam<ReadCase> {};

TEST_P(Reading, Reads)
{
    const ReadCase& c = GetParam();
    const std::optional<double> got = ReadNumberText(c.text);
    ASSERT_EQ(got.has_value(), c.value.has_value());
    if (got) {
        EXPECT_EQ(*got, *c.value);
        EXPECT_EQ(std::signbit(*got), std::signbit(*c.value));
    }
}

const double kMax = std::numeric_limits<double>::max();
const double kNextAfterOne = std::nextafter(1.0, 2.0);
// All 309 digits of the largest double, no comma.
std::string MaxDoubleExactly()
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", kMax);
    return buf;
}

// Exactly halfway between 1 and the next double.
const std::string kHalfUlpAboveOne = "1,00000000000000011102230246251565404236316680908203125";

INSTANTIATE_TEST_SUITE_P(
    Numbers, Reading,
    testing::Values(
        ReadCase{"5", 5.0}, ReadCase{"  5  ", 5.0}, ReadCase{"+0,012", 0.012},
        ReadCase{"-0,025", -0.025}, ReadCase{"0,1", 0.1}, ReadCase{"25", 25.0},
        ReadCase{",", 0.0}, ReadCase{"-,", -0.0}, ReadCase{",5", 0.5}, ReadCase{"5,", 5.0},
        ReadCase{"-0", -0.0}, ReadCase{"000123,4500", 123.45}, ReadCase{"0,000", 0.0},
        ReadCase{"1E3", 1000.0}, ReadCase{"1e-3", 0.001}, ReadCase{"1,5E+2", 150.0},
        ReadCase{"  -12,5e1  ", -125.0}, ReadCase{",E5", 0.0}, ReadCase{"0E99999999999", 0.0},
        ReadCase{"12345678901234567890", 12345678901234567890.0},
        ReadCase{"1" + std::string(400, '0') + "E-400", 1.0},
        ReadCase{"0," + std::string(1000, '0') + "1E1001", 1.0},
        // Halfway goes to even; any digit past a long run of zeros decides.
        ReadCase{kHalfUlpAboveOne, 1.0},
        ReadCase{kHalfUlpAboveOne + std::string(2000, '0') + "1", kNextAfterOne},
        // Largest and smallest magnitudes.
        ReadCase{"1E308", 1e308}, ReadCase{"1,7976931348623157E308", kMax},
        ReadCase{"-1,7976931348623157E308", -kMax},
        ReadCase{MaxDoubleExactly(), kMax}, ReadCase{"-" + MaxDoubleExactly() + ",000", -kMax},
        ReadCase{"1E-320", 1e-320}, ReadCase{"3E-324", std::numeric_limits<double>::denorm_min()},
        ReadCase{"1E-400", 0.0}, ReadCase{"-1E-400", -0.0}, ReadCase{"2E-324", 0.0},
        ReadCase{"1E-99999999999999999999", 0.0}, ReadCase{"-1E-99999999999999999999", -0.0}));

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, Reading,
    testing::Values(
        ReadCase{"", std::nullopt}, ReadCase{"   ", std::nullopt}, ReadCase{"+", std::nullopt},
        ReadCase{"-", std::nullopt}, ReadCase{"  -  ", std::nullopt},
        ReadCase{"1.5", std::nullopt}, ReadCase{"1,2,3", std::nullopt},
        ReadCase{",,", std::nullopt}, ReadCase{"1 2", std::nullopt},
        ReadCase{"- 5", std::nullopt}, ReadCase{"5-", std::nullopt}, ReadCase{"++5", std::nullopt},
        ReadCase{"+-5", std::nullopt}, ReadCase{"5E", std::nullopt}, ReadCase{"5E+", std::nullopt},
        ReadCase{"5E,5", std::nullopt}, ReadCase{"E5", std::nullopt}, ReadCase{"e", std::nullopt},
        ReadCase{"5e5e5", std::nullopt}, ReadCase{"\t5", std::nullopt},
        ReadCase{"5\n", std::nullopt}, ReadCase{"0x10", std::nullopt},
        ReadCase{"inf", std::nullopt}, ReadCase{"nan", std::nullopt}, ReadCase{"INF", std::nullopt},
        ReadCase{std::string("1\0", 2), std::nullopt}, ReadCase{"1,5\xE2\x82\xAC", std::nullopt},
        ReadCase{"\xEF\xBC\x95", std::nullopt}, ReadCase{"1\xC2\xA0", std::nullopt},
        ReadCase{"\xFF", std::nullopt}, ReadCase{"\xD9\xAB" "5", std::nullopt},
        // Beyond the largest double, even where rounding would give it.
        ReadCase{"1E309", std::nullopt}, ReadCase{"-1E309", std::nullopt},
        ReadCase{"1,7976931348623158E308", std::nullopt},
        ReadCase{"1,797693134862315708145274237317043567981E308", std::nullopt},
        ReadCase{MaxDoubleExactly() + ",0000001", std::nullopt},
        ReadCase{"1E99999999999999999999999", std::nullopt},
        ReadCase{"0,0001E99999999999999999999", std::nullopt},
        ReadCase{std::string(400, '9'), std::nullopt}));

// ------------------------------------------------------------ round trip

// Any double written in the general form reads back as the double nearest
// its 15-digit rounding, and that writes the same text again.
TEST(RoundTrip, GeneralFormReadsBack)
{
    std::mt19937_64 random(286);
    std::uniform_real_distribution<double> everyday(-2000.0, 2000.0);
    std::uniform_int_distribution<int> decade(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        double x;
        if (i % 2 == 0) {
            x = everyday(random);
        } else {
            x = everyday(random) / 2000.0 * std::pow(10.0, decade(random));
        }
        if (x == 0 || !std::isnormal(x))
            continue;
        const std::string text = FormatGeneral(x);
        const std::optional<double> back = ReadNumberText(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_LE(std::fabs(*back - x), std::fabs(x) * 5.2e-15) << text;
        EXPECT_EQ(FormatGeneral(*back), text);
    }
}

// ---------------------------------------------------------------- flip

struct FlipCase {
    const char* text;
    const char* flipped;
};

class Flip : public testing::TestWithParam<FlipCase> {};

TEST_P(Flip, Flips)
{
    EXPECT_EQ(FlipSignText(GetParam().text), GetParam().flipped) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Flip,
    testing::Values(FlipCase{"+0,025", "-0,025"}, FlipCase{"-0,025", "0,025"},
                    FlipCase{"0,025", "-0,025"}, FlipCase{"0", "0"}, FlipCase{"+0", "-0"},
                    FlipCase{"-", ""}, FlipCase{"", ""}, FlipCase{"25", "-25"},
                    FlipCase{"-0", "0"}, FlipCase{" 0", "-0"}, FlipCase{"0 ", "-0"},
                    FlipCase{"  5  ", "-5"}, FlipCase{" -5 ", "5"}, FlipCase{"--5", "-5"},
                    FlipCase{"- 5", "5"}, FlipCase{"+-5", "5"}, FlipCase{"+ 5", "-5"},
                    FlipCase{" +5", "-+5"}, FlipCase{"нет данных", "-нет данных"},
                    // Nothing left after "+" and blanks: empty, not a lone "-".
                    FlipCase{"+", ""}, FlipCase{"+   ", ""}, FlipCase{"   ", ""}));

TEST(Flip, TwiceRestoresPlainNumbers)
{
    for (const char* text : {"0,025", "-0,025", "12", "-1E-5", "0,0001"})
        EXPECT_EQ(FlipSignText(FlipSignText(text)), text);
}

}  // namespace
