// SPDX-License-Identifier: GPL-3.0-or-later
// An exact decimal number, coefficient x 10^exponent, for the values the
// boxes show: typed texts are decimals, catalogue deviations whole or half
// micrometres, and limit sizes, mid value and radius sums and halves of
// those. Sums, differences and products are exact; only the quotients and
// square roots below round, each to the place it is asked for. A
// coefficient that fits a machine word is held as one: measured sizes,
// limits and their sums take no GMP allocation.
#pragma once

#include <gmpxx.h>

#include <memory>
#include <string>

class ExactDecimal {
public:
    ExactDecimal() = default;
    ExactDecimal(long coefficient, long exponent) : small_(coefficient), exponent_(exponent) {}
    // digits: decimal digits only (leading zeros allowed); empty means zero.
    ExactDecimal(const std::string& digits, bool negative, long exponent);
    ExactDecimal(const ExactDecimal& other);
    ExactDecimal(ExactDecimal&& other) noexcept = default;
    ExactDecimal& operator=(const ExactDecimal& other);
    ExactDecimal& operator=(ExactDecimal&& other) noexcept = default;
    ~ExactDecimal() = default;

    ExactDecimal operator+(const ExactDecimal& other) const;
    ExactDecimal operator-(const ExactDecimal& other) const;
    ExactDecimal operator-() const;
    ExactDecimal operator*(long factor) const;
    ExactDecimal operator*(const ExactDecimal& other) const;
    // Times 10^places.
    ExactDecimal Shifted(long places) const;
    // Half and quarter, exactly.
    ExactDecimal Half() const { return (*this * 5).Shifted(-1); }
    ExactDecimal Quarter() const { return (*this * 25).Shifted(-2); }

    int Sign() const { return big_ ? sgn(*big_) : (small_ > 0) - (small_ < 0); }
    // -1, 0 or 1.
    int Compare(const ExactDecimal& other) const;
    bool operator==(const ExactDecimal& other) const { return Compare(other) == 0; }
    bool operator!=(const ExactDecimal& other) const { return Compare(other) != 0; }
    bool operator<(const ExactDecimal& other) const { return Compare(other) < 0; }
    bool operator<=(const ExactDecimal& other) const { return Compare(other) <= 0; }
    bool operator>(const ExactDecimal& other) const { return Compare(other) > 0; }
    bool operator>=(const ExactDecimal& other) const { return Compare(other) >= 0; }

    // The smallest whole number at or above the value; the value must lie
    // within the range of long.
    long Ceiling() const;

    // The value as coefficient x 10^exponent when the coefficient is held in
    // a machine word; false when it is not.
    bool Word(long& coefficient, long& exponent) const
    {
        coefficient = small_;
        exponent = exponent_;
        return !big_;
    }

    // value = (negative ? -1 : 1) x digits x 10^exponent, digits without
    // leading or trailing zeros; empty digits for zero.
    void Decompose(bool& negative, std::string& digits, long& exponent) const;

    // a / b rounded half away from zero to a whole number of 10^place; b
    // must not be zero.
    friend ExactDecimal RoundedQuotient(const ExactDecimal& a, const ExactDecimal& b, long place);
    // The largest whole number at or below a / b; b must not be zero.
    friend ExactDecimal FloorQuotient(const ExactDecimal& a, const ExactDecimal& b);
    // a / b to `digits` significant digits (at least 1), half away from zero.
    friend ExactDecimal SignificantQuotient(const ExactDecimal& a, const ExactDecimal& b, int digits);
    // The square root of a / b (not negative; b not zero) to `digits`
    // significant digits, half away from zero, decided on the exact value.
    friend ExactDecimal SignificantSquareRoot(const ExactDecimal& a, const ExactDecimal& b, int digits);

private:
    // The value of a GMP coefficient, held as a word when it fits one.
    static ExactDecimal FromBig(mpz_class coefficient, long exponent);
    mpz_class Coefficient() const { return big_ ? *big_ : mpz_class(small_); }
    // The coefficient x 10^shift as a word, when it is one and fits.
    bool ScaledWord(long shift, long& out) const;
    // Both values with the smaller exponent of the two.
    static void Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& ca, mpz_class& cb, long& exponent);

    long small_ = 0;  // the coefficient while it fits a long
    long exponent_ = 0;
    std::unique_ptr<mpz_class> big_;  // the coefficient otherwise
};

ExactDecimal RoundedQuotient(const ExactDecimal& a, const ExactDecimal& b, long place);
ExactDecimal FloorQuotient(const ExactDecimal& a, const ExactDecimal& b);
ExactDecimal SignificantQuotient(const ExactDecimal& a, const ExactDecimal& b, int digits);
ExactDecimal SignificantSquareRoot(const ExactDecimal& a, const ExactDecimal& b, int digits);
