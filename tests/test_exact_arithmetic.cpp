// SPDX-License-Identifier: GPL-3.0-or-later
// Exact decimal arithmetic against GMP's rationals: sums, differences,
// products and comparisons on both sides of the machine-word shortcut, and
// the quotients and square roots that round, at their place or to their
// significant digits, half away from zero.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <random>
#include <string>
#include <vector>

#include "ExactDecimal.h"
#include "NumberText.h"

namespace {

// The model's value of an exact decimal, read from its every digit.
mpq_class Rational(const ExactDecimal& value)
{
    std::string text = ExactPositional(value, '.');
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const size_t point = text.find('.');
    size_t decimals = 0;
    if (point != std::string::npos) {
        decimals = text.size() - point - 1;
        text.erase(point, 1);
    }
    mpz_class denominator;
    mpz_ui_pow_ui(denominator.get_mpz_t(), 10, decimals);
    mpq_class q(mpz_class(text, 10), denominator);
    q.canonicalize();
    return negative ? mpq_class(-q) : q;
}

ExactDecimal Decimal(const char* text) { return *ReadDecimalText(text); }

std::string Shown(const ExactDecimal& value) { return ExactPositional(value, '.'); }

// Coefficients from a few digits to well past a machine word, exponents
// wide apart: both routes of every operation.
ExactDecimal RandomDecimal(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> length(1, 24), digit(0, 9), exponent(-30, 30), coin(0, 1);
    std::string digits;
    const int n = length(random);
    for (int i = 0; i < n; ++i)
        digits += static_cast<char>('0' + digit(random));
    return ExactDecimal(digits, coin(random) == 1, exponent(random));
}

TEST(ExactArithmetic, SumsDifferencesProductsAndOrderAgreeWithTheModel)
{
    std::mt19937_64 random(20);
    for (int i = 0; i < 20000; ++i) {
        const ExactDecimal a = RandomDecimal(random), b = RandomDecimal(random);
        const mpq_class qa = Rational(a), qb = Rational(b);
        ASSERT_EQ(Rational(a + b), qa + qb) << Shown(a) << " + " << Shown(b);
        ASSERT_EQ(Rational(a - b), qa - qb) << Shown(a) << " - " << Shown(b);
        ASSERT_EQ(Rational(a * b), qa * qb) << Shown(a) << " * " << Shown(b);
        ASSERT_EQ(a.Compare(b), cmp(qa, qb) < 0 ? -1 : cmp(qa, qb) > 0 ? 1 : 0) << Shown(a) << " <> " << Shown(b);
        ASSERT_EQ(a >= b, qa >= qb);
    }
}

TEST(ExactArithmetic, SumsAtTheEdgeOfAMachineWord)
{
    // 9223372036854775807 is the largest word: one more goes through GMP.
    EXPECT_EQ(Shown(Decimal("9223372036854775807") + Decimal("1")), "9223372036854775808");
    EXPECT_EQ(Shown(Decimal("-9223372036854775807") - Decimal("2")), "-9223372036854775809");
    EXPECT_EQ(Shown(Decimal("922337203685477580,7") + Decimal("0,3")), "922337203685477581");
    EXPECT_EQ(Shown(Decimal("1") - Decimal("1E-30")), "0.999999999999999999999999999999");
    EXPECT_EQ(Shown(Decimal("25,013") - Decimal("25,021")), "-0.008");
    EXPECT_TRUE(Decimal("9223372036854775807") < Decimal("9223372036854775807,5"));
    EXPECT_TRUE(Decimal("2,31") == Decimal("2,3") + Decimal("0,01"));
}

// a / b rounded to a whole number of 10^place, by the model.
mpz_class ModelRounded(const mpq_class& q, long place)
{
    mpq_class scaled = q;
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(place < 0 ? -place : place));
    if (place < 0)
        scaled *= power;
    else
        scaled /= power;
    // Half away from zero: floor(|x| + 1/2) with the sign of x.
    const mpq_class magnitude = abs(scaled) + mpq_class(1, 2);
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), magnitude.get_num_mpz_t(), magnitude.get_den_mpz_t());
    return sgn(scaled) < 0 ? mpz_class(-whole) : whole;
}

mpq_class AtPlace(const mpz_class& whole, long place)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(place < 0 ? -place : place));
    mpq_class q = place < 0 ? mpq_class(whole, power) : mpq_class(whole * power);
    q.canonicalize();
    return q;
}

TEST(ExactArithmetic, RoundedQuotientsAgreeWithTheModel)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long> place(-25, 5);
    for (int i = 0; i < 20000; ++i) {
        const ExactDecimal a = RandomDecimal(random), b = RandomDecimal(random);
        if (b.Sign() == 0)
            continue;
        const long p = place(random);
        const mpq_class q = Rational(a) / Rational(b);
        ASSERT_EQ(Rational(RoundedQuotient(a, b, p)), AtPlace(ModelRounded(q, p), p))
            << Shown(a) << " / " << Shown(b) << " at 10^" << p;
        mpz_class floor;
        mpz_fdiv_q(floor.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
        ASSERT_EQ(Rational(FloorQuotient(a, b)), mpq_class(floor)) << Shown(a) << " / " << Shown(b);
    }
}

struct QuotientCase {
    const char *a, *b;
    long place;
    const char* want;
};
class Quotient : public testing::TestWithParam<QuotientCase> {};
TEST_P(Quotient, RoundsHalfAwayFromZero)
{
    const QuotientCase& c = GetParam();
    EXPECT_EQ(Shown(RoundedQuotient(Decimal(c.a), Decimal(c.b), c.place)), c.want);
}
INSTANTIATE_TEST_SUITE_P(Cases, Quotient, testing::ValuesIn(std::vector<QuotientCase>{
    {"1", "2", 0, "1"}, {"-1", "2", 0, "-1"}, {"5", "2", 0, "3"}, {"-5", "2", 0, "-3"}, {"1", "3", 0, "0"},
    {"1,3", "0,021", -1, "61.9"}, {"-1", "8", -2, "-0.13"}, {"9,5", "1", 1, "10"},
    {"1", "7", -30, "0.142857142857142857142857142857"},
}));

TEST(ExactArithmetic, SignificantQuotients)
{
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("1"), Decimal("3"), 12)), "0.333333333333");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("2"), Decimal("3"), 12)), "0.666666666667");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("-2"), Decimal("3"), 12)), "-0.666666666667");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("75,0315"), Decimal("3"), 12)), "25.0105");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("9,99"), Decimal("1"), 2)), "10");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("1"), Decimal("10"), 3)), "0.1");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("99999"), Decimal("100000"), 4)), "1");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("0"), Decimal("3"), 12)), "0");
    EXPECT_EQ(Shown(SignificantQuotient(Decimal("1E-20"), Decimal("3"), 3)), "0.00000000000000000000333");
}

TEST(ExactArithmetic, SquareRootsToTwelveDigits)
{
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("2"), Decimal("1"), 12)), "1.41421356237");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("10"), Decimal("1"), 12)), "3.16227766017");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("0,0002"), Decimal("1"), 12)), "0.0141421356237");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("1"), Decimal("3"), 12)), "0.57735026919");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("144"), Decimal("1"), 12)), "12");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("1"), Decimal("100"), 12)), "0.1");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("0"), Decimal("5"), 12)), "0");
    // Exact halves round away from zero.
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("2,25"), Decimal("1"), 1)), "2");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("6,25"), Decimal("1"), 1)), "3");
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("0,0625"), Decimal("1"), 1)), "0.3");
    // Just below a half stays down.
    EXPECT_EQ(Shown(SignificantSquareRoot(Decimal("6,2499999999999999999"), Decimal("1"), 1)), "2");
}

// The root r to d digits is right when it is a whole number of 10^p and
// (r - h)^2 <= a / b < (r + h)^2, with 10^(p + d - 1) the place of the
// root's first digit and h half a unit of 10^p.
TEST(ExactArithmetic, SquareRootsAreCorrectlyRounded)
{
    std::mt19937_64 random(12);
    std::uniform_int_distribution<int> digits(1, 15);
    for (int i = 0; i < 5000; ++i) {
        ExactDecimal a = RandomDecimal(random), b = RandomDecimal(random);
        if (b.Sign() == 0 || a.Sign() == 0)
            continue;
        if (a.Sign() != b.Sign())
            a = -a;
        const int d = digits(random);
        const mpq_class q = Rational(a) / Rational(b);
        long first = -100;  // 10^(2 first) <= q < 10^(2 first + 2)
        while (AtPlace(mpz_class(1), 2 * (first + 1)) <= q)
            ++first;
        const long p = first - d + 1;
        const mpq_class r = Rational(SignificantSquareRoot(a, b, d)), half = AtPlace(mpz_class(5), p - 1);
        const mpq_class units = r / AtPlace(mpz_class(1), p);
        ASSERT_EQ(units.get_den(), 1) << Shown(a) << " / " << Shown(b) << " to " << d;
        ASSERT_LE((r - half) * (r - half), q) << Shown(a) << " / " << Shown(b) << " to " << d;
        ASSERT_GT((r + half) * (r + half), q) << Shown(a) << " / " << Shown(b) << " to " << d;
    }
}

}  // namespace
