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

// Measured sizes, limits and their sums mostly fit in a machine word: those
// are added, compared and written without GMP's temporaries. Anything that
// might not fit takes the GMP route, so the results are the same.
constexpr int kWordDigits = std::numeric_limits<long>::digits10;

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

// c x 10^shift as a word, when both fit.
bool WordTimesPowerOfTen(const mpz_class& c, long shift, long& out)
{
    if (shift < 0 || shift > kWordDigits || !c.fits_slong_p())
        return false;
    return !__builtin_mul_overflow(c.get_si(), WordPowers()[static_cast<size_t>(shift)], &out);
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

}  // namespace

ExactDecimal::ExactDecimal(long coefficient, long exponent) : coefficient_(coefficient), exponent_(exponent) {}

ExactDecimal::ExactDecimal(const std::string& digits, bool negative, long exponent) : exponent_(exponent)
{
    if (digits.size() <= static_cast<size_t>(kWordDigits)) {
        long value = 0;
        for (const char c : digits)
            value = value * 10 + (c - '0');
        coefficient_ = negative ? -value : value;
        return;
    }
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
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long a, b, sum;
    if (WordTimesPowerOfTen(coefficient_, exponent_ - exponent, a)
        && WordTimesPowerOfTen(other.coefficient_, other.exponent_ - exponent, b) && !__builtin_add_overflow(a, b, &sum))
        return ExactDecimal(mpz_class(sum), exponent);
    mpz_class ca, cb;
    long e;
    Align(*this, other, ca, cb, e);
    return ExactDecimal(mpz_class(ca + cb), e);
}

ExactDecimal ExactDecimal::operator-(const ExactDecimal& other) const
{
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long a, b, difference;
    if (WordTimesPowerOfTen(coefficient_, exponent_ - exponent, a)
        && WordTimesPowerOfTen(other.coefficient_, other.exponent_ - exponent, b)
        && !__builtin_sub_overflow(a, b, &difference))
        return ExactDecimal(mpz_class(difference), exponent);
    return *this + -other;
}

ExactDecimal ExactDecimal::operator-() const { return ExactDecimal(mpz_class(-coefficient_), exponent_); }

ExactDecimal ExactDecimal::operator*(long factor) const
{
    return ExactDecimal(mpz_class(coefficient_ * factor), exponent_);
}

ExactDecimal ExactDecimal::operator*(const ExactDecimal& other) const
{
    return ExactDecimal(mpz_class(coefficient_ * other.coefficient_), exponent_ + other.exponent_);
}

ExactDecimal ExactDecimal::Shifted(long places) const { return ExactDecimal(coefficient_, exponent_ + places); }

int ExactDecimal::Compare(const ExactDecimal& other) const
{
    const int sa = Sign(), sb = other.Sign();
    if (sa != sb || sa == 0)
        return sa < sb ? -1 : sa > sb ? 1 : 0;
    const long exponent = exponent_ < other.exponent_ ? exponent_ : other.exponent_;
    long wa, wb;
    if (WordTimesPowerOfTen(coefficient_, exponent_ - exponent, wa)
        && WordTimesPowerOfTen(other.coefficient_, other.exponent_ - exponent, wb))
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
    if (coefficient_.fits_slong_p()) {
        const long value = coefficient_.get_si();
        unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
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
    digits = mpz_class(abs(coefficient_)).get_str(10);
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
    const bool words = shift >= 0 ? WordTimesPowerOfTen(a.coefficient_, shift, n) && WordTimesPowerOfTen(b.coefficient_, 0, d)
                                  : WordTimesPowerOfTen(a.coefficient_, 0, n) && WordTimesPowerOfTen(b.coefficient_, -shift, d);
    if (words) {
        const unsigned long un = n < 0 ? 0ul - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
        const unsigned long ud = d < 0 ? 0ul - static_cast<unsigned long>(d) : static_cast<unsigned long>(d);
        unsigned long q = un / ud;
        const unsigned long r = un % ud;
        if (r >= ud - r)  // 2r >= d, without overflow
            ++q;
        if (q <= static_cast<unsigned long>(std::numeric_limits<long>::max())) {
            const auto magnitude = static_cast<long>(q);
            return ExactDecimal(mpz_class((n < 0) != (d < 0) ? -magnitude : magnitude), place);
        }
    }
    mpz_class nn, dd;
    QuotientTerms(a.coefficient_, b.coefficient_, shift, nn, dd);
    return ExactDecimal(RoundedDivision(nn, dd), place);
}

ExactDecimal FloorQuotient(const ExactDecimal& a, const ExactDecimal& b)
{
    mpz_class n, d, q;
    QuotientTerms(a.coefficient_, b.coefficient_, a.exponent_ - b.exponent_, n, d);
    mpz_fdiv_q(q.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    return ExactDecimal(q, 0);
}

ExactDecimal SignificantQuotient(const ExactDecimal& a, const ExactDecimal& b, int digits)
{
    if (a.Sign() == 0)
        return ExactDecimal();
    const long magnitude = DecimalMagnitude(a.coefficient_, b.coefficient_) + a.exponent_ - b.exponent_;
    return RoundedQuotient(a, b, magnitude - (digits < 1 ? 1 : digits) + 1);
}

ExactDecimal SignificantSquareRoot(const ExactDecimal& a, const ExactDecimal& b, int digits)
{
    if (a.Sign() == 0)
        return ExactDecimal();
    // The root's first digit stands at floor(floor(log10(a / b)) / 2).
    const long magnitude = DecimalMagnitude(a.coefficient_, b.coefficient_) + a.exponent_ - b.exponent_;
    const long place = FloorHalf(magnitude) - (digits < 1 ? 1 : digits) + 1;
    // x = a / b / 10^(2 place) = n / d; the root of x rounded to a whole number.
    mpz_class n, d, whole, root;
    QuotientTerms(abs(a.coefficient_), abs(b.coefficient_), a.exponent_ - b.exponent_ - 2 * place, n, d);
    mpz_fdiv_q(whole.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    mpz_sqrt(root.get_mpz_t(), whole.get_mpz_t());  // floor(sqrt(floor(x))) = floor(sqrt(x))
    // Up when sqrt(x) >= root + 1/2, that is 4n >= (2 root + 1)^2 d.
    const mpz_class twice = root * 2 + 1;
    if (cmp(mpz_class(n * 4), mpz_class(twice * twice * d)) >= 0)
        ++root;
    return ExactDecimal(root, place);
}
