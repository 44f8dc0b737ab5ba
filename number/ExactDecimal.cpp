#include "ExactDecimal.h"

#include <array>
#include <utility>

namespace {

mpz_class ComputePowerOfTen(unsigned long n)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
    return p;
}

// c x 10^n. Sums of typed sizes and micrometres align by a few places at
// most: those powers are made once.
mpz_class TimesPowerOfTen(const mpz_class& c, unsigned long n)
{
    static const auto small = [] {
        std::array<mpz_class, 40> powers;
        for (unsigned long i = 0; i < powers.size(); ++i)
            powers[i] = ComputePowerOfTen(i);
        return powers;
    }();
    if (n < small.size())
        return c * small[n];
    return c * ComputePowerOfTen(n);
}

}  // namespace

ExactDecimal::ExactDecimal(long coefficient, long exponent) : coefficient_(coefficient), exponent_(exponent) {}

ExactDecimal::ExactDecimal(const std::string& digits, bool negative, long exponent) : exponent_(exponent)
{
    if (!digits.empty())
        coefficient_.set_str(digits, 10);
    if (negative)
        coefficient_ = -coefficient_;
}

void ExactDecimal::Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& ca, mpz_class& cb, long& exponent)
{
    exponent = a.exponent_ < b.exponent_ ? a.exponent_ : b.exponent_;
    ca = TimesPowerOfTen(a.coefficient_, static_cast<unsigned long>(a.exponent_ - exponent));
    cb = TimesPowerOfTen(b.coefficient_, static_cast<unsigned long>(b.exponent_ - exponent));
}

ExactDecimal ExactDecimal::operator+(const ExactDecimal& other) const
{
    mpz_class a, b;
    long exponent;
    Align(*this, other, a, b, exponent);
    return ExactDecimal(mpz_class(a + b), exponent);
}

ExactDecimal ExactDecimal::operator-(const ExactDecimal& other) const { return *this + -other; }

ExactDecimal ExactDecimal::operator-() const { return ExactDecimal(mpz_class(-coefficient_), exponent_); }

ExactDecimal ExactDecimal::operator*(long factor) const
{
    return ExactDecimal(mpz_class(coefficient_ * factor), exponent_);
}

ExactDecimal ExactDecimal::Shifted(long places) const { return ExactDecimal(coefficient_, exponent_ + places); }

int ExactDecimal::Compare(const ExactDecimal& other) const
{
    const int sa = Sign(), sb = other.Sign();
    if (sa != sb || sa == 0)
        return sa < sb ? -1 : sa > sb ? 1 : 0;
    mpz_class a, b;
    long exponent;
    Align(*this, other, a, b, exponent);
    const int c = cmp(a, b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

long ExactDecimal::Ceiling() const
{
    if (exponent_ >= 0)
        return TimesPowerOfTen(coefficient_, static_cast<unsigned long>(exponent_)).get_si();
    mpz_class q;
    const mpz_class divisor = ComputePowerOfTen(static_cast<unsigned long>(-exponent_));
    mpz_cdiv_q(q.get_mpz_t(), coefficient_.get_mpz_t(), divisor.get_mpz_t());
    return q.get_si();
}

void ExactDecimal::Decompose(bool& negative, std::string& digits, long& exponent) const
{
    negative = Sign() < 0;
    exponent = exponent_;
    if (Sign() == 0) {
        digits.clear();
        return;
    }
    digits = mpz_class(abs(coefficient_)).get_str(10);
    size_t end = digits.size();
    while (digits[end - 1] == '0')
        --end;
    exponent += static_cast<long>(digits.size() - end);
    digits.resize(end);
}
