// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExactDecimal.h"

#include <array>
#include <limits>
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

// Values whose coefficients fit a machine word are added, compared and
// written in words; anything that might not fit takes the GMP route, so the
// results are the same.
constexpr int kWordDigits = std::numeric_limits<long>::digits10;
constexpr long kLowestWord = std::numeric_limits<long>::min();

const std::array<long, kWordDigits + 1>& WordPowers()
{
    static const auto powers = [] {
        std::array<long, kWordDigits + 1> p{};
        long v = 1;
        for (auto& x : p) {
            x = v;
            if (v <= std::numeric_limits<long>::max() / 10)
                v *= 10;
        }
        return p;
    }();
    return powers;
}

int CompareMagnitudes(const mpz_class& a, const mpz_class& b) { return mpz_cmpabs(a.get_mpz_t(), b.get_mpz_t()); }

// Decimal digits of |c| (none for zero), exactly.
long DigitCount(const mpz_class& c)
{
    if (sgn(c) == 0)
        return 0;
    long n = static_cast<long>(mpz_sizeinbase(c.get_mpz_t(), 10));  // exact or one too many
    if (n > 1 && CompareMagnitudes(c, ComputePowerOfTen(static_cast<unsigned long>(n - 1))) < 0)
        --n;
    return n;
}

unsigned long Magnitude(long v) { return v < 0 ? 0ul - static_cast<unsigned long>(v) : static_cast<unsigned long>(v); }

}  // namespace

ExactDecimal::ExactDecimal(const std::string& digits, bool negative, long exponent) : exponent_(exponent)
{
    if (digits.size() <= static_cast<size_t>(kWordDigits)) {
        long value = 0;
        for (const char c : digits)
            value = value * 10 + (c - '0');
        small_ = negative ? -value : value;
        return;
    }
    mpz_class c(digits, 10);
    if (negative)
        c = -c;
    *this = FromBig(std::move(c), exponent);
}

ExactDecimal::ExactDecimal(const ExactDecimal& other)
    : small_(other.small_), exponent_(other.exponent_),
      big_(other.big_ ? std::make_unique<mpz_class>(*other.big_) : nullptr)
{
}

ExactDecimal& ExactDecimal::operator=(const ExactDecimal& other)
{
    if (this != &other) {
        small_ = other.small_;
        exponent_ = other.exponent_;
        big_ = other.big_ ? std::make_unique<mpz_class>(*other.big_) : nullptr;
    }
    return *this;
}

ExactDecimal ExactDecimal::FromBig(mpz_class coefficient, long exponent)
{
    ExactDecimal d;
    d.exponent_ = exponent;
    if (coefficient.fits_slong_p())
        d.small_ = coefficient.get_si();
    else
        d.big_ = std::make_unique<mpz_class>(std::move(coefficient));
    return d;
}

bool ExactDecimal::ScaledWord(long shift, long& out) const
{
    if (big_ || shift < 0 || shift > kWordDigits)
        return false;
    return !__builtin_mul_overflow(small_, WordPowers()[static_cast<size_t>(shift)], &out);
}

void ExactDecimal::Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& ca, mpz_class& cb, long& exponent)
{
    exponent = a.exponent_ < b.exponent_ ? a.exponent_ : b.exponent_;
    ca = TimesPowerOfTen(a.Coefficient(), static_cast<unsigned long>(a.exponent_ - exponent));
    cb = TimesPowerOfTen(b.Coefficient(), static_cast<unsigned long>(b.exponent_ - exponent));
}

ExactDecimal ExactDecimal::operator+(const ExactDecimal& other) const
{
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long a, b, sum;
    if (ScaledWord(exponent_ - exponent, a) && other.ScaledWord(other.exponent_ - exponent, b)
        && !__builtin_add_overflow(a, b, &sum))
        return ExactDecimal(sum, exponent);
    mpz_class ca, cb;
    long e;
    Align(*this, other, ca, cb, e);
    return FromBig(ca + cb, e);
}

ExactDecimal ExactDecimal::operator-(const ExactDecimal& other) const
{
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long a, b, difference;
    if (ScaledWord(exponent_ - exponent, a) && other.ScaledWord(other.exponent_ - exponent, b)
        && !__builtin_sub_overflow(a, b, &difference))
        return ExactDecimal(difference, exponent);
    mpz_class ca, cb;
    long e;
    Align(*this, other, ca, cb, e);
    return FromBig(ca - cb, e);
}

ExactDecimal ExactDecimal::operator-() const
{
    if (!big_ && small_ != kLowestWord)
        return ExactDecimal(-small_, exponent_);
    return FromBig(-Coefficient(), exponent_);
}

ExactDecimal ExactDecimal::operator*(long factor) const
{
    long product;
    if (!big_ && !__builtin_mul_overflow(small_, factor, &product))
        return ExactDecimal(product, exponent_);
    return FromBig(Coefficient() * factor, exponent_);
}

ExactDecimal ExactDecimal::operator*(const ExactDecimal& other) const
{
    long product;
    if (!big_ && !other.big_ && !__builtin_mul_overflow(small_, other.small_, &product))
        return ExactDecimal(product, exponent_ + other.exponent_);
    return FromBig(Coefficient() * other.Coefficient(), exponent_ + other.exponent_);
}

ExactDecimal ExactDecimal::Shifted(long places) const
{
    ExactDecimal d(*this);
    d.exponent_ += places;
    return d;
}

int ExactDecimal::Compare(const ExactDecimal& other) const
{
    const int sa = Sign(), sb = other.Sign();
    if (sa != sb || sa == 0)
        return sa < sb ? -1 : sa > sb ? 1 : 0;
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long wa, wb;
    if (ScaledWord(exponent_ - exponent, wa) && other.ScaledWord(other.exponent_ - exponent, wb))
        return wa < wb ? -1 : wa > wb ? 1 : 0;
    mpz_class a, b;
    long e;
    Align(*this, other, a, b, e);
    const int c = cmp(a, b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

long ExactDecimal::Ceiling() const
{
    if (exponent_ >= 0)
        return TimesPowerOfTen(Coefficient(), static_cast<unsigned long>(exponent_)).get_si();
    mpz_class q;
    const mpz_class divisor = ComputePowerOfTen(static_cast<unsigned long>(-exponent_));
    mpz_cdiv_q(q.get_mpz_t(), Coefficient().get_mpz_t(), divisor.get_mpz_t());
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
    if (!big_) {
        unsigned long magnitude = Magnitude(small_);
        while (magnitude % 10 == 0) {
            magnitude /= 10;
            ++exponent;
        }
        char buffer[24];
        char* end = buffer + sizeof buffer;
        char* p = end;
        do {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        digits.assign(p, end);
        return;
    }
    digits = mpz_class(abs(*big_)).get_str(10);
    size_t end = digits.size();
    while (digits[end - 1] == '0')
        --end;
    exponent += static_cast<long>(digits.size() - end);
    digits.resize(end);
}

namespace {

// a / b as whole numbers: a / b x 10^(shift) = n / d.
void QuotientTerms(const mpz_class& a, const mpz_class& b, long shift, mpz_class& n, mpz_class& d)
{
    n = shift > 0 ? TimesPowerOfTen(a, static_cast<unsigned long>(shift)) : a;
    d = shift < 0 ? TimesPowerOfTen(b, static_cast<unsigned long>(-shift)) : b;
}

// n / d rounded half away from zero.
mpz_class RoundedDivision(const mpz_class& n, const mpz_class& d)
{
    mpz_class q, r;
    mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    if (CompareMagnitudes(mpz_class(r * 2), d) >= 0)
        q += sgn(n) == sgn(d) ? 1 : -1;
    return q;
}

// floor(log10(|a| / |b|)) of two nonzero whole numbers.
long DecimalMagnitude(const mpz_class& a, const mpz_class& b)
{
    const long la = DigitCount(a), lb = DigitCount(b);
    // |a| / |b| lies in [10^(la-lb-1), 10^(la-lb+1)): one comparison decides.
    const mpz_class scaledA = la < lb ? TimesPowerOfTen(a, static_cast<unsigned long>(lb - la)) : mpz_class(a);
    const mpz_class scaledB = la > lb ? TimesPowerOfTen(b, static_cast<unsigned long>(la - lb)) : mpz_class(b);
    return CompareMagnitudes(scaledA, scaledB) >= 0 ? la - lb : la - lb - 1;
}

long FloorHalf(long x) { return x >= 0 ? x / 2 : -((-x + 1) / 2); }

}  // namespace

ExactDecimal RoundedQuotient(const ExactDecimal& a, const ExactDecimal& b, long place)
{
    const long shift = a.exponent_ - b.exponent_ - place;
    // Positions in the tolerance, once per measured value: in words where they fit.
    long n, d;
    const bool words = shift >= 0 ? a.ScaledWord(shift, n) && b.ScaledWord(0, d)
                                  : a.ScaledWord(0, n) && b.ScaledWord(-shift, d);
    if (words) {
        const unsigned long un = Magnitude(n), ud = Magnitude(d);
        unsigned long q = un / ud;
        const unsigned long r = un % ud;
        if (r >= ud - r)  // 2r >= d, without overflow
            ++q;
        if (q <= static_cast<unsigned long>(std::numeric_limits<long>::max())) {
            const auto magnitude = static_cast<long>(q);
            return ExactDecimal((n < 0) != (d < 0) ? -magnitude : magnitude, place);
        }
    }
    mpz_class nn, dd;
    QuotientTerms(a.Coefficient(), b.Coefficient(), shift, nn, dd);
    return ExactDecimal::FromBig(RoundedDivision(nn, dd), place);
}

ExactDecimal FloorQuotient(const ExactDecimal& a, const ExactDecimal& b)
{
    const long shift = a.exponent_ - b.exponent_;
    long n, d;
    const bool words = shift >= 0 ? a.ScaledWord(shift, n) && b.ScaledWord(0, d)
                                  : a.ScaledWord(0, n) && b.ScaledWord(-shift, d);
    if (words && n != kLowestWord && d != -1) {
        long q = n / d;
        if (n % d != 0 && (n < 0) != (d < 0))
            --q;
        return ExactDecimal(q, 0);
    }
    mpz_class nn, dd, q;
    QuotientTerms(a.Coefficient(), b.Coefficient(), shift, nn, dd);
    mpz_fdiv_q(q.get_mpz_t(), nn.get_mpz_t(), dd.get_mpz_t());
    return ExactDecimal::FromBig(q, 0);
}

ExactDecimal SignificantQuotient(const ExactDecimal& a, const ExactDecimal& b, int digits)
{
    if (a.Sign() == 0)
        return ExactDecimal();
    const long magnitude = DecimalMagnitude(a.Coefficient(), b.Coefficient()) + a.exponent_ - b.exponent_;
    return RoundedQuotient(a, b, magnitude - (digits < 1 ? 1 : digits) + 1);
}

ExactDecimal SignificantSquareRoot(const ExactDecimal& a, const ExactDecimal& b, int digits)
{
    if (a.Sign() == 0)
        return ExactDecimal();
    // The root's first digit stands at floor(floor(log10(a / b)) / 2).
    const mpz_class ca = abs(a.Coefficient()), cb = abs(b.Coefficient());
    const long magnitude = DecimalMagnitude(ca, cb) + a.exponent_ - b.exponent_;
    const long place = FloorHalf(magnitude) - (digits < 1 ? 1 : digits) + 1;
    // x = a / b / 10^(2 place) = n / d; the root of x rounded to a whole number.
    mpz_class n, d, whole, root;
    QuotientTerms(ca, cb, a.exponent_ - b.exponent_ - 2 * place, n, d);
    mpz_fdiv_q(whole.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    mpz_sqrt(root.get_mpz_t(), whole.get_mpz_t());  // floor(sqrt(floor(x))) = floor(sqrt(x))
    // Up when sqrt(x) >= root + 1/2, that is 4n >= (2 root + 1)^2 d.
    const mpz_class twice = root * 2 + 1;
    if (cmp(mpz_class(n * 4), mpz_class(twice * twice * d)) >= 0)
        ++root;
    return ExactDecimal::FromBig(root, place);
}
