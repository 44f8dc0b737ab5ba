// An exact decimal number, coefficient x 10^exponent, for the values the
// boxes show: typed texts are decimals, catalogue deviations whole or half
// micrometres, and limit sizes, mid value and radius sums and halves of
// those. Nothing is ever rounded here; the number texts round for display.
#pragma once

#include <gmpxx.h>

#include <string>

class ExactDecimal {
public:
    ExactDecimal() = default;
    ExactDecimal(long coefficient, long exponent);
    // digits: decimal digits only (leading zeros allowed); empty means zero.
    ExactDecimal(const std::string& digits, bool negative, long exponent);

    ExactDecimal operator+(const ExactDecimal& other) const;
    ExactDecimal operator-(const ExactDecimal& other) const;
    ExactDecimal operator-() const;
    ExactDecimal operator*(long factor) const;
    // Times 10^places.
    ExactDecimal Shifted(long places) const;
    // Half and quarter, exactly.
    ExactDecimal Half() const { return (*this * 5).Shifted(-1); }
    ExactDecimal Quarter() const { return (*this * 25).Shifted(-2); }

    int Sign() const { return sgn(coefficient_); }
    // -1, 0 or 1.
    int Compare(const ExactDecimal& other) const;
    bool operator==(const ExactDecimal& other) const { return Compare(other) == 0; }
    bool operator!=(const ExactDecimal& other) const { return Compare(other) != 0; }
    bool operator<(const ExactDecimal& other) const { return Compare(other) < 0; }
    bool operator<=(const ExactDecimal& other) const { return Compare(other) <= 0; }
    bool operator>(const ExactDecimal& other) const { return Compare(other) > 0; }

    // The smallest whole number at or above the value; the value must lie
    // within the range of long.
    long Ceiling() const;

    // value = (negative ? -1 : 1) x digits x 10^exponent, digits without
    // leading or trailing zeros; empty digits for zero.
    void Decompose(bool& negative, std::string& digits, long& exponent) const;

private:
    ExactDecimal(mpz_class coefficient, long exponent) : coefficient_(std::move(coefficient)), exponent_(exponent) {}
    // Both values with the smaller exponent of the two.
    static void Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& ca, mpz_class& cb, long& exponent);

    mpz_class coefficient_;
    long exponent_ = 0;
};
