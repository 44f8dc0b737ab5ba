// SPDX-License-Identifier: GPL-3.0-or-later
// Every shown digit against an independent exact model: whole numbers of
// 10^-12 mm, rounded half away from zero with integer arithmetic and written
// by the rules of the two number forms. Covers every three-decimal size of
// a field with half micrometres, and typed sizes and deviations with up to
// six decimals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "Data_Unit.h"
#include "Catalogue.h"
#include "FieldResult.h"
#include "Texts.h"
#include "NumberText.h"

namespace {

using Int = __int128;
constexpr int kScale = 12;  // model values are n x 10^-12 mm

Int Pow10(int n)
{
    Int p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

std::string Digits(Int a)
{
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(a % 10)));
        a /= 10;
    } while (a != 0);
    return s;
}

// a / unit, rounded half away from zero (a >= 0).
Int RoundDiv(Int a, Int unit)
{
    return a / unit + (2 * (a % unit) >= unit ? 1 : 0);
}

// Magnitude with `keep` significant digits: digits and decimal exponent E
// (value = 0.digits x 10^E), trailing zeros removed.
struct Cut {
    std::string digits;
    int exponent = 0;
};

Cut Significant(Int a, int keep)
{
    if (a == 0)
        return {};
    const int length = static_cast<int>(Digits(a).size());
    const int drop = length - keep;
    Int kept = drop > 0 ? RoundDiv(a, Pow10(drop)) : a;
    int exponent = length - kScale;
    if (drop > 0 && Digits(kept).size() > static_cast<size_t>(keep))
        ++exponent;  // 999.. rounded up to 1000..
    std::string d = kept == 0 ? std::string() : Digits(kept);
    while (!d.empty() && d.back() == '0')
        d.pop_back();
    if (d.empty())
        return {};
    return {d, exponent};
}

std::string Scientific(bool negative, const Cut& c, int expDigits)
{
    std::string s = negative ? "-" : "";
    s += c.digits[0];
    if (c.digits.size() > 1)
        s += "," + c.digits.substr(1);
    const int e = c.exponent - 1;
    std::string ex = std::to_string(e < 0 ? -e : e);
    while (static_cast<int>(ex.size()) < expDigits)
        ex.insert(ex.begin(), '0');
    return s + "E" + (e < 0 ? "-" : "") + ex;
}

std::string ModelGeneral(Int n)
{
    const bool negative = n < 0;
    const Cut c = Significant(negative ? -n : n, 15);
    if (c.digits.empty())
        return "0";
    if (c.exponent < -3 || c.exponent > 15)
        return Scientific(negative, c, 1);
    std::string s = negative ? "-" : "";
    if (c.exponent <= 0)
        return s + "0," + std::string(-c.exponent, '0') + c.digits;
    std::string whole = c.digits.substr(0, std::min<size_t>(c.exponent, c.digits.size()));
    whole += std::string(c.exponent - whole.size(), '0');
    s += whole;
    if (c.digits.size() > static_cast<size_t>(c.exponent))
        s += "," + c.digits.substr(c.exponent);
    return s;
}

std::string ModelFixed(Int n, int precision, int decimals)
{
    const bool negative = n < 0;
    const Int a = negative ? -n : n;
    const int exponent = a == 0 ? 0 : static_cast<int>(Digits(a).size()) - kScale;
    // Rounded at the decimals, or at the precision's digit if that comes first.
    Int units;  // of 10^-decimals
    if (a != 0 && exponent + decimals > precision) {
        const Cut c = Significant(a, precision);
        if (c.exponent > precision)
            return Scientific(negative, c, decimals);
        const Int value = static_cast<Int>(std::stoll(c.digits)) * Pow10(c.exponent - static_cast<int>(c.digits.size()) + decimals);
        units = value;
    } else {
        units = RoundDiv(a, Pow10(kScale - decimals));
    }
    std::string d = Digits(units);
    if (static_cast<int>(d.size()) <= decimals)
        d.insert(d.begin(), decimals + 1 - d.size(), '0');
    std::string s = units != 0 && negative ? "-" : "";
    return s + d.substr(0, d.size() - decimals) + "," + d.substr(d.size() - decimals);
}

// A text with `decimals` decimals of n x 10^-decimals, as a user types it.
std::string Typed(long long n, int decimals)
{
    const bool negative = n < 0;
    std::string d = std::to_string(negative ? -n : n);
    if (static_cast<int>(d.size()) <= decimals)
        d.insert(d.begin(), decimals + 1 - d.size(), '0');
    std::string s = negative ? "-" : "";
    s += d.substr(0, d.size() - decimals);
    if (decimals > 0)
        s += "," + d.substr(d.size() - decimals);
    return s;
}

struct Expected {
    std::string max, min, mid, radius;
};

// Limit sizes in 10^-12 mm.
Expected Model(Int max, Int min, Rounding rounding)
{
    const Int sum = max + min;
    // Half and quarter are exact at this scale for every value used here.
    const Int mid = sum / 2, radius = sum / 4;
    EXPECT_EQ(radius * 4, sum);
    Expected e{ModelGeneral(max), ModelGeneral(min), "", ""};
    switch (rounding) {
    case Rounding::AsIs:
        e.mid = ModelGeneral(mid);
        e.radius = ModelGeneral(radius);
        break;
    case Rounding::TwoDigits:
        e.mid = ModelFixed(mid, 6, 2);
        e.radius = ModelFixed(radius, 6, 3);
        break;
    case Rounding::ThreeDigits:
        e.mid = ModelFixed(mid, 8, 3);
        e.radius = ModelFixed(radius, 8, 4);
        break;
    }
    return e;
}

void ExpectSame(const ResultTexts& got, const Expected& want, const std::string& what, int& failures)
{
    if (got.max == want.max && got.min == want.min && got.mid == want.mid && got.radius == want.radius)
        return;
    if (++failures > 20)
        return;
    ADD_FAILURE() << what << ": got " << got.max << " / " << got.min << " / " << got.mid << " / " << got.radius
                  << ", expected " << want.max << " / " << want.min << " / " << want.mid << " / " << want.radius;
}

constexpr Rounding kRoundings[] = {Rounding::AsIs, Rounding::TwoDigits, Rounding::ThreeDigits};

class ExactResults : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildSizeRanges();
        BuildDeviationTable();
        BuildFieldNames();
    }
};

// Range of a size given in thousandths of a millimetre, by whole-number
// comparison with the bounds; 1 mm itself belongs to the second range.
int ModelRange(long long thousandths)
{
    if (thousandths == 1000)
        return 2;
    for (int r = 1; r <= kRangeCount; ++r)
        if (SizeRanges[r].lower * 1000LL < thousandths && thousandths <= SizeRanges[r].upper * 1000LL)
            return r;
    return 0;
}

// Js6 keeps half micrometres: its mid value is the size itself, so every
// size x,xx5 is a tie for "2 цифры".
TEST_F(ExactResults, EveryThreeDecimalSizeOfJs6)
{
    constexpr uint8_t kJs6 = 3;
    int failures = 0;
    for (long long t = 1; t <= 999999; ++t) {
        const std::string size = Typed(t, 3);
        const int range = ModelRange(t);
        const DeviationValues dev = DeviationsOf(kJs6, static_cast<uint8_t>(range));
        for (Rounding rounding : kRoundings) {
            const CatalogueDisplay shown = CatalogueLimits(kJs6, size, DeviationUnit::Millimetres, rounding);
            if (!dev.present) {
                ExpectSame(shown.results, {kNoDataText, kNoDataText, kNoDataText, kNoDataText}, size, failures);
                continue;
            }
            // Deviations in tenths of a micrometre = 10^-4 mm.
            const Int s = static_cast<Int>(t) * Pow10(kScale - 3);
            const Int up = static_cast<Int>(std::llround(dev.upper * 10)) * Pow10(kScale - 4);
            const Int lo = static_cast<Int>(std::llround(dev.lower * 10)) * Pow10(kScale - 4);
            ExpectSame(shown.results, Model(s + up, s + lo, rounding), "Js6 at " + size, failures);
        }
    }
    EXPECT_EQ(failures, 0);
}

// Sizes and deviations typed with up to six decimals, in both units.
TEST_F(ExactResults, TypedSizesAndDeviations)
{
    std::mt19937_64 rng(286);
    auto pick = [&](long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(rng); };
    int failures = 0;
    for (int i = 0; i < 200000; ++i) {
        const int sizeDecimals = static_cast<int>(pick(0, 6));
        const int devDecimals = static_cast<int>(pick(0, 6));
        // Mostly catalogue sizes; now and then negative or past a million,
        // where the fixed forms go scientific.
        const long long reach = pick(0, 9) == 0 ? 2000000 : 1000;
        const long long sizeUnits = pick(pick(0, 9) == 0 ? -reach : 0, reach * static_cast<long long>(Pow10(sizeDecimals)));
        // Ties are what this is about: make the last digit a 5 half the time.
        const long long upUnits = pick(-2000, 2000) * 10 + (pick(0, 1) ? 5 : pick(0, 9));
        const long long loUnits = pick(-2000, 2000) * 10 + (pick(0, 1) ? 5 : pick(0, 9));
        const bool micrometres = pick(0, 1) == 1;
        const Rounding rounding = kRoundings[pick(0, 2)];
        const std::string sizeText = Typed(sizeUnits, sizeDecimals);
        const std::string upText = Typed(upUnits, devDecimals);
        const std::string loText = Typed(loUnits, devDecimals);
        const ManualDisplay shown = ManualLimits(sizeText, upText, loText,
                                                 micrometres ? DeviationUnit::Micrometres : DeviationUnit::Millimetres,
                                                 rounding);
        const Int s = static_cast<Int>(sizeUnits) * Pow10(kScale - sizeDecimals);
        const int devScale = kScale - devDecimals - (micrometres ? 3 : 0);
        const Int up = static_cast<Int>(upUnits) * Pow10(devScale);
        const Int lo = static_cast<Int>(loUnits) * Pow10(devScale);
        ExpectSame(shown.results, Model(s + up, s + lo, rounding),
                   sizeText + " " + upText + "/" + loText + (micrometres ? " um" : " mm"), failures);
    }
    EXPECT_EQ(failures, 0);
}

// The cases a user met: ties that the binary route rounded down.
TEST_F(ExactResults, TiesRoundHalfAwayFromZero)
{
    const CatalogueDisplay js6 = CatalogueLimits(3, "2,675", DeviationUnit::Millimetres, Rounding::TwoDigits);
    EXPECT_EQ(js6.results.max, "2,678");
    EXPECT_EQ(js6.results.min, "2,672");
    EXPECT_EQ(js6.results.mid, "2,68");

    const ResultTexts typed = ManualLimits("5,015", "0", "0", DeviationUnit::Millimetres, Rounding::TwoDigits).results;
    EXPECT_EQ(typed.max, "5,015");
    EXPECT_EQ(typed.mid, "5,02");
    EXPECT_EQ(typed.radius, "2,508");
    const ResultTexts split = ManualLimits("5", "0,015", "0,015", DeviationUnit::Millimetres, Rounding::TwoDigits).results;
    EXPECT_EQ(split.mid, typed.mid);
    EXPECT_EQ(ManualLimits("1,0005", "0", "0", DeviationUnit::Millimetres, Rounding::ThreeDigits).results.mid, "1,001");
    EXPECT_EQ(ManualLimits("-1,0005", "0", "0", DeviationUnit::Millimetres, Rounding::ThreeDigits).results.mid, "-1,001");
}

// The range is chosen on the exact size, not on its nearest double.
TEST_F(ExactResults, RangeOfTheExactSize)
{
    struct Case {
        const char* size;
        int range;
    };
    for (const Case& c : {Case{"1", 2}, Case{"0,5", 1}, Case{"0,9999999999999999999", 1}, Case{"1,0000000000000000001", 2},
                          Case{"3", 2}, Case{"3,0000000000000000001", 3}, Case{"1000", 28},
                          Case{"1000,0000000000000001", 0}, Case{"0", 0}, Case{"-0,5", 0}, Case{"1E-300", 1},
                          Case{"1E3", 28}, Case{"5E2", 25}, Case{"500,0000000000000001", 26}}) {
        const std::optional<ExactDecimal> size = ReadDecimalText(c.size);
        ASSERT_TRUE(size) << c.size;
        EXPECT_EQ(CatalogueRange(Millimetres(*size)), c.range) << c.size;
    }
    // h11 just above 500 mm has its 500-630 values.
    EXPECT_EQ(CatalogueLimits(17, "500,0000000000000001", DeviationUnit::Micrometres, Rounding::AsIs).lower.text, "-440");
}

}  // namespace
