// SPDX-License-Identifier: GPL-3.0-or-later
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

// An exact value written in C's syntax ("-1.5E20"), independent of the
// reading under test.
ExactDecimal Exact(const std::string& text)
{
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative)
        ++i;
    std::string digits;
    long exponent = 0;
    bool point = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        digits += text[i];
        if (point)
            --exponent;
    }
    if (i < text.size())
        exponent += std::stol(text.substr(i + 1));
    return ExactDecimal(digits, negative, exponent);
}

// ---------------------------------------------------------------- general

struct GeneralCase {
    const char* value;
    const char* text;
};

class GeneralForm : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralForm, Writes)
{
    EXPECT_EQ(FormatGeneral(Exact(GetParam().value)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralForm,
    testing::Values(
        // Deviations as the catalogue gives them (micrometres / 1000).
        GeneralCase{"0.030", "0,03"}, GeneralCase{"-0.007", "-0,007"}, GeneralCase{"0.012", "0,012"},
        GeneralCase{"4.5", "4,5"}, GeneralCase{"1000", "1000"}, GeneralCase{"-28", "-28"},
        GeneralCase{"0.1", "0,1"}, GeneralCase{"0.025", "0,025"}, GeneralCase{"1234.5678", "1234,5678"},
        // Zero and signs.
        GeneralCase{"0", "0"}, GeneralCase{"-0", "0"}, GeneralCase{"-1E-300", "-1E-300"},
        // Fifteen digits, half away from zero, carries.
        GeneralCase{"0.333333333333333333", "0,333333333333333"},
        GeneralCase{"0.666666666666666667", "0,666666666666667"},
        GeneralCase{"-0.666666666666666667", "-0,666666666666667"},
        GeneralCase{"1.0000000000000049", "1"}, GeneralCase{"1.000000000000005", "1,00000000000001"},
        GeneralCase{"9.9999999999999995", "10"}, GeneralCase{"-9.9999999999999995", "-10"},
        GeneralCase{"123456789012345.6", "123456789012346"},
        // Positional from 0,0001 up to fifteen integer digits.
        GeneralCase{"0.0001", "0,0001"}, GeneralCase{"0.000123", "0,000123"}, GeneralCase{"0.00001", "1E-5"},
        GeneralCase{"0.0000123", "1,23E-5"}, GeneralCase{"-0.00001", "-1E-5"},
        GeneralCase{"999999999999999", "999999999999999"}, GeneralCase{"999999999999999.5", "1E15"},
        GeneralCase{"1E15", "1E15"}, GeneralCase{"1E16", "1E16"}, GeneralCase{"1.5E20", "1,5E20"},
        GeneralCase{"123456789012345678", "1,23456789012346E17"},
        GeneralCase{"0.000099999999999999995", "0,0001"},
        // Far beyond any double.
        GeneralCase{"1.18973149535723176502E4932", "1,18973149535723E4932"}, GeneralCase{"1E-4000", "1E-4000"}));

// ---------------------------------------------------------------- fixed

struct FixedCase {
    const char* value;
    int precision;
    int digits;
    const char* text;
};

class FixedForm : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedForm, Writes)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(Exact(c.value), c.precision, c.digits), c.text)
        << "precision " << c.precision << ", digits " << c.digits;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedForm,
    testing::Values(
        // Precision cuts before the decimals do.
        FixedCase{"12345.25", 6, 2, "12345,30"}, FixedCase{"-12345.25", 6, 2, "-12345,30"},
        FixedCase{"123.456789", 6, 4, "123,4570"}, FixedCase{"1.23456789", 6, 4, "1,2346"},
        FixedCase{"1234567.8", 8, 3, "1234567,800"},
        // More integer digits than the precision: scientific, exponent of at
        // least `digits` digits.
        FixedCase{"1234567.8", 6, 2, "1,23457E06"}, FixedCase{"-1234567.8", 6, 2, "-1,23457E06"},
        FixedCase{"1234567.0", 6, 3, "1,23457E006"}, FixedCase{"1E20", 6, 2, "1E20"},
        FixedCase{"1E20", 6, 0, "1E20"}, FixedCase{"1.5E300", 8, 4, "1,5E0300"},
        // Carries into a new digit.
        FixedCase{"9.995", 6, 2, "10,00"}, FixedCase{"-9.995", 6, 2, "-10,00"},
        FixedCase{"0.9995", 8, 3, "1,000"}, FixedCase{"99.9996", 6, 3, "100,000"},
        FixedCase{"999999.4", 6, 2, "999999,00"}, FixedCase{"999999.5", 6, 2, "1E06"},
        FixedCase{"99999.95", 6, 2, "100000,00"},
        // Ties decided on the decimal digits.
        FixedCase{"2.5075", 6, 3, "2,508"}, FixedCase{"5.0125", 8, 3, "5,013"},
        FixedCase{"5.01249999", 8, 3, "5,012"}, FixedCase{"-5.0125", 8, 3, "-5,013"},
        // At and below the last decimal: zero or one unit, never "-0".
        FixedCase{"0", 6, 2, "0,00"}, FixedCase{"-0.0", 6, 2, "0,00"},
        FixedCase{"0.004", 6, 2, "0,00"}, FixedCase{"-0.004", 6, 2, "0,00"},
        FixedCase{"0.005", 6, 2, "0,01"}, FixedCase{"-0.005", 6, 2, "-0,01"},
        FixedCase{"0.0049", 6, 2, "0,00"}, FixedCase{"0.0006", 8, 3, "0,001"},
        FixedCase{"0.00099", 6, 2, "0,00"}, FixedCase{"-0.0001", 6, 2, "0,00"},
        FixedCase{"1E-300", 6, 2, "0,00"}, FixedCase{"-1E-4000", 8, 4, "0,0000"},
        FixedCase{"0.04", 6, 3, "0,040"}, FixedCase{"-0.00625", 8, 4, "-0,0063"},
        // No decimals: no comma.
        FixedCase{"2.5", 6, 0, "3"}, FixedCase{"-2.5", 6, 0, "-3"}, FixedCase{"0.4", 6, 0, "0"},
        FixedCase{"-0.4", 6, 0, "0"}, FixedCase{"0.5", 6, 0, "1"}, FixedCase{"123456.5", 6, 0, "123457"},
        // Out-of-range arguments are held to 1..18 and 0..18.
        FixedCase{"5.5", 0, 2, "6,00"}, FixedCase{"5.5", 6, -1, "6"},
        FixedCase{"1.25", 30, 20, "1,250000000000000000"}));

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
    EXPECT_EQ(FormatGeneral(Exact("5.0125")), "5,0125") << found;
    EXPECT_EQ(FormatGeneral(Exact("1.5E20")), "1,5E20") << found;
    EXPECT_EQ(FormatFixed(Exact("5.0125"), 8, 3), "5,013") << found;
    EXPECT_EQ(FormatFixed(Exact("1234567.8"), 6, 2), "1,23457E06") << found;
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

// Any value written in the general form reads back as the value of its
// text, which writes the same text again.
TEST(RoundTrip, GeneralFormReadsBack)
{
    std::mt19937_64 random(286);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 18), decade(-280, 280);
    for (int i = 0; i < 20000; ++i) {
        std::string digits(1, static_cast<char>('1' + digit(random) % 9));
        for (int n = length(random); n > 1; --n)
            digits += static_cast<char>('0' + digit(random));
        const ExactDecimal value(digits, i % 2 == 1, i % 4 < 2 ? -digit(random) : decade(random));
        const std::string text = FormatGeneral(value);
        const std::optional<ExactDecimal> back = ReadDecimalText(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(FormatGeneral(*back), text);
        // Fifteen digits or fewer come back exactly.
        if (digits.size() <= 15) {
            EXPECT_EQ(*back, value) << text;
        }
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
