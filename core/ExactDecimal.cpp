#include "ExactDecimal.h"

#include <utility>

namespace {

mpz_class PowerOfTen(unsigned long n)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
    return p;
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
    ca = a.exponent_ == exponent ? a.coefficient_ : a.coefficient_ * PowerOfTen(a.exponent_ - exponent);
    cb = b.exponent_ == exponent ? b.coefficient_ : b.coefficient_ * PowerOfTen(b.exponent_ - exponent);
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
        return mpz_class(coefficient_ * PowerOfTen(exponent_)).get_si();
    mpz_class q;
    mpz_cdiv_q(q.get_mpz_t(), coefficient_.get_mpz_t(), PowerOfTen(-exponent_).get_mpz_t());
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
