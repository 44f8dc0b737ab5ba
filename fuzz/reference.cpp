// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <stdlib.h>
#include <vector>

namespace ref {

namespace {

// ------------------------------------------------------------ big integers

// Little-endian limbs in base 10^9.
using Limbs = std::vector<uint32_t>;
constexpr uint32_t kBase = 1000000000u;

Limbs FromU64(uint64_t v)
{
    Limbs a;
    do {
        a.push_back(static_cast<uint32_t>(v % kBase));
        v /= kBase;
    } while (v != 0);
    return a;
}

void MulSmall(Limbs& a, uint32_t m)
{
    uint64_t carry = 0;
    for (uint32_t& limb : a) {
        const uint64_t t = static_cast<uint64_t>(limb) * m + carry;
        limb = static_cast<uint32_t>(t % kBase);
        carry = t / kBase;
    }
    while (carry != 0) {
        a.push_back(static_cast<uint32_t>(carry % kBase));
        carry /= kBase;
    }
}

void MulPow(Limbs& a, uint32_t base, uint32_t chunkPower, uint32_t chunk, long long n)
{
    for (; n >= chunk; n -= chunk)
        MulSmall(a, chunkPower);
    for (; n > 0; --n)
        MulSmall(a, base);
}

std::string ToDigits(const Limbs& a)
{
    std::string s;
    char buf[16];
    for (size_t i = a.size(); i-- > 0;) {
        uint32_t v = a[i];
        for (int k = 8; k >= 0; --k) {
            buf[k] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        s.append(buf, 9);
    }
    const size_t first = s.find_first_not_of('0');
    return first == std::string::npos ? std::string() : s.substr(first);
}

void StripTrailingZeros(std::string& s)
{
    while (!s.empty() && s.back() == '0')
        s.pop_back();
}

// Adds one unit at the last digit of `head`; returns true when it carried
// into a new leading digit (head is then "1").
bool IncrementDigits(std::string& head)
{
    for (size_t i = head.size(); i-- > 0;) {
        if (head[i] != '9') {
            ++head[i];
            return false;
        }
        head[i] = '0';
    }
    head = "1";
    return true;
}

Decimal Zero()
{
    return Decimal();
}

}  // namespace

// ------------------------------------------------------------ expansion

namespace {
Decimal ExpandMagnitude(uint64_t mant, int biased);
}

Decimal ExactDecimal(long double value)
{
    uint8_t b[sizeof(long double)];
    std::memcpy(b, &value, sizeof b);
    uint64_t mant;
    std::memcpy(&mant, b, 8);
    const unsigned se = b[8] | (b[9] << 8);
    const int biased = static_cast<int>(se & 0x7fff);

    // The expansion takes milliseconds at the ends of the range, and each
    // magnitude is asked for several times (both signs, both checks).
    static uint64_t lastMant = 0;
    static int lastBiased = -1;
    static Decimal last;
    if (mant != lastMant || biased != lastBiased) {
        last = ExpandMagnitude(mant, biased);
        lastMant = mant;
        lastBiased = biased;
    }
    Decimal d = last;
    d.negative = (se & 0x8000) != 0;
    return d;
}

namespace {

Decimal ExpandMagnitude(uint64_t mant, int biased)
{
    Decimal d;
    if (mant == 0)
        return d;
    const long long exp2 = (biased == 0 ? 1 : biased) - 16383 - 63;
    Limbs n = FromU64(mant);
    long long shift = 0;  // value = n * 10^-shift
    if (exp2 >= 0) {
        MulPow(n, 2, 1u << 29, 29, exp2);
    } else {
        MulPow(n, 5, 1220703125u, 13, -exp2);  // 5^13
        shift = -exp2;
    }
    d.digits = ToDigits(n);
    d.exponent = static_cast<long long>(d.digits.size()) - shift;
    StripTrailingZeros(d.digits);
    return d;
}

}  // namespace

Decimal CutHalfAway(const Decimal& d, long long keep)
{
    if (d.zero() || keep >= static_cast<long long>(d.digits.size()))
        return d;
    if (keep < 0)
        return Zero();
    Decimal r = d;
    if (keep == 0) {
        if (d.digits[0] < '5')
            return Zero();
        r.digits = "1";
        ++r.exponent;
        return r;
    }
    std::string head = d.digits.substr(0, static_cast<size_t>(keep));
    if (d.digits[static_cast<size_t>(keep)] >= '5' && IncrementDigits(head))
        ++r.exponent;
    StripTrailingZeros(head);
    r.digits = head;
    if (r.digits.empty())
        return Zero();
    return r;
}

// ------------------------------------------------------------ texts

namespace {

char DigitAt(const Decimal& d, long long pos)
{
    return pos >= 0 && pos < static_cast<long long>(d.digits.size()) ? d.digits[pos] : '0';
}

std::string Scientific(const Decimal& d, size_t minExpDigits)
{
    std::string s = d.negative ? "-" : "";
    s += d.digits[0];
    if (d.digits.size() > 1)
        s += "," + d.digits.substr(1);
    s += 'E';
    const long long e = d.exponent - 1;
    std::string digits = std::to_string(e < 0 ? -e : e);
    if (digits.size() < minExpDigits)
        digits.insert(0, minExpDigits - digits.size(), '0');
    if (e < 0)
        s += '-';
    return s + digits;
}

std::string IntegerPart(const Decimal& d)
{
    if (d.zero() || d.exponent <= 0)
        return "0";
    std::string s;
    for (long long i = 0; i < d.exponent; ++i)
        s += DigitAt(d, i);
    return s;
}

}  // namespace

std::string ExpectedGeneralOf(const Decimal& exact)
{
    const Decimal d = CutHalfAway(exact, 15);
    if (d.zero())
        return "0";
    if (d.exponent < -3 || d.exponent > 15)
        return Scientific(d, 1);
    std::string out = d.negative ? "-" : "";
    out += IntegerPart(d);
    std::string fraction;
    // After "0," come -E zeros when E < 0.
    for (long long pos = d.exponent; pos < static_cast<long long>(d.digits.size()); ++pos)
        fraction += DigitAt(d, pos);
    if (!fraction.empty())
        out += "," + fraction;
    return out;
}

std::string ExpectedFixedOf(const Decimal& exact, int precision, int digits)
{
    Decimal d = exact;
    if (!d.zero()) {
        const long long byDecimals = d.exponent + digits;
        d = CutHalfAway(d, byDecimals < precision ? byDecimals : precision);
    }
    if (!d.zero() && d.exponent > precision)
        return Scientific(d, static_cast<size_t>(digits));
    std::string out = (!d.zero() && d.negative) ? "-" : "";
    out += IntegerPart(d);
    if (digits > 0) {
        out += ',';
        for (int i = 0; i < digits; ++i)
            out += d.zero() ? '0' : DigitAt(d, d.exponent + i);
    }
    return out;
}

// ------------------------------------------------------------ shapes

namespace {

bool AllDigits(const std::string& s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Digits from the first nonzero to the last nonzero one.
size_t SignificantCount(const std::string& digitsOnly)
{
    const size_t first = digitsOnly.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    const size_t last = digitsOnly.find_last_not_of('0');
    return last - first + 1;
}

struct Parts {
    bool negative = false;
    std::string integer, fraction, exponent;  // exponent without its sign
    bool comma = false, scientific = false, expNegative = false;
};

// -?digits[,digits][E[-]digits]; anything else gives an error text.
std::string Split(const std::string& text, Parts& p)
{
    if (text.find('.') != std::string::npos)
        return "has a point";
    std::string s = text;
    if (!s.empty() && s[0] == '-') {
        p.negative = true;
        s.erase(0, 1);
    }
    const size_t e = s.find('E');
    if (e != std::string::npos) {
        p.scientific = true;
        std::string ex = s.substr(e + 1);
        s.resize(e);
        if (!ex.empty() && ex[0] == '-') {
            p.expNegative = true;
            ex.erase(0, 1);
        }
        if (ex.empty() || !AllDigits(ex))
            return "bad exponent";
        p.exponent = ex;
    }
    const size_t c = s.find(',');
    if (c != std::string::npos) {
        p.comma = true;
        p.fraction = s.substr(c + 1);
        s.resize(c);
    }
    p.integer = s;
    if (p.integer.empty() || !AllDigits(p.integer) || !AllDigits(p.fraction))
        return "bad digits";
    if (p.integer.size() > 1 && p.integer[0] == '0')
        return "leading zero";
    return "";
}

}  // namespace

std::string GeneralShapeError(const std::string& text)
{
    if (text == "INF" || text == "-INF" || text == "NAN")
        return "";
    Parts p;
    std::string err = Split(text, p);
    if (!err.empty())
        return err;
    if (p.comma && (p.fraction.empty() || p.fraction.back() == '0'))
        return "trailing zero or empty fraction";
    const std::string all = p.integer + p.fraction;
    const size_t sig = SignificantCount(all);
    if (sig == 0)
        return text == "0" ? "" : "zero written other than 0";
    if (sig > 15)
        return "more than 15 significant digits";
    if (p.scientific) {
        if (p.integer.size() != 1 || p.integer[0] == '0')
            return "scientific mantissa not d[,ddd]";
        if (p.exponent[0] == '0')
            return "leading zero in exponent";
        const long long e = std::atoll(p.exponent.c_str()) * (p.expNegative ? -1 : 1);
        if (e >= -4 && e <= 14)
            return "scientific inside the positional range";
    } else {
        if (p.integer != "0" && p.integer.size() > 15)
            return "more than 15 integer digits";
        if (p.integer == "0" && p.fraction.find_first_not_of('0') > 3)
            return "positional below 0,0001";
    }
    return "";
}

std::string FixedShapeError(const std::string& text, int precision, int digits)
{
    if (text == "INF" || text == "-INF" || text == "NAN")
        return "";
    Parts p;
    std::string err = Split(text, p);
    if (!err.empty())
        return err;
    const std::string all = p.integer + p.fraction;
    const size_t sig = SignificantCount(all);
    if (sig > static_cast<size_t>(precision))
        return "more significant digits than the precision";
    if (p.scientific) {
        if (p.integer.size() != 1 || p.integer[0] == '0')
            return "scientific mantissa not d[,ddd]";
        if (p.comma && (p.fraction.empty() || p.fraction.back() == '0'))
            return "trailing zero in scientific mantissa";
        if (p.expNegative)
            return "negative exponent in fixed form";
        if (p.exponent.size() < static_cast<size_t>(digits))
            return "exponent shorter than the decimals";
        if (p.exponent.size() > static_cast<size_t>(digits) && p.exponent.size() > 1 &&
            p.exponent[0] == '0')
            return "exponent padded beyond the decimals";
        if (std::atoll(p.exponent.c_str()) < precision)
            return "scientific with no more integer digits than the precision";
        return "";
    }
    if (p.comma != (digits > 0))
        return "comma present iff decimals";
    if (p.fraction.size() != static_cast<size_t>(digits))
        return "not exactly the decimals";
    if (p.negative && sig == 0)
        return "negative zero";
    if (p.integer != "0" && p.integer.size() > static_cast<size_t>(precision))
        return "more integer digits than the precision";
    return "";
}

// ------------------------------------------------------------ reading

namespace {

struct ReadParts {
    bool negative = false;
    std::string mantissa;  // digits and at most one comma
    std::string exponent;  // "" or [+-]digits
};

bool ParseRead(const std::string& text, ReadParts& p)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-'))
        p.negative = text[i++] == '-';
    int commas = 0;
    for (; i < e && ((text[i] >= '0' && text[i] <= '9') || text[i] == ','); ++i) {
        commas += text[i] == ',';
        p.mantissa += text[i];
    }
    if (p.mantissa.empty() || commas > 1)
        return false;
    if (i < e && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            p.exponent += text[i++];
        size_t n = 0;
        for (; i < e && text[i] >= '0' && text[i] <= '9'; ++i, ++n)
            p.exponent += text[i];
        if (n == 0)
            return false;
    }
    return i == e;
}

locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// The text's exact value as a Decimal (exponent saturated far out).
Decimal TextDecimal(const ReadParts& p)
{
    Decimal d;
    d.negative = p.negative;
    const size_t comma = p.mantissa.find(',');
    const std::string integer = p.mantissa.substr(0, comma);
    const std::string fraction = comma == std::string::npos ? "" : p.mantissa.substr(comma + 1);
    std::string all = integer + fraction;
    const size_t first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return d;
    long long exp10 = 0;
    size_t k = 0;
    bool expNegative = false;
    if (!p.exponent.empty() && (p.exponent[0] == '+' || p.exponent[0] == '-')) {
        expNegative = p.exponent[0] == '-';
        k = 1;
    }
    for (; k < p.exponent.size(); ++k)
        if (exp10 < 1000000000000LL)
            exp10 = exp10 * 10 + (p.exponent[k] - '0');
    d.exponent = static_cast<long long>(integer.size()) - static_cast<long long>(first) +
                 (expNegative ? -exp10 : exp10);
    d.digits = all.substr(first);
    StripTrailingZeros(d.digits);
    return d;
}

int CompareMagnitude(const Decimal& a, const Decimal& b)
{
    if (a.zero() || b.zero())
        return a.zero() == b.zero() ? 0 : (a.zero() ? -1 : 1);
    if (a.exponent != b.exponent)
        return a.exponent < b.exponent ? -1 : 1;
    const size_t n = a.digits.size() > b.digits.size() ? a.digits.size() : b.digits.size();
    for (size_t i = 0; i < n; ++i) {
        const char x = i < a.digits.size() ? a.digits[i] : '0';
        const char y = i < b.digits.size() ? b.digits[i] : '0';
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

}  // namespace

bool MatchesReadGrammar(const std::string& text)
{
    ReadParts p;
    return ParseRead(text, p);
}

ReadResult ExpectedRead(const std::string& text)
{
    ReadResult r;
    ReadParts p;
    if (!ParseRead(text, p))
        return r;
    r.accepted = true;
    if (p.mantissa.find_first_of("0123456789") == std::string::npos) {
        r.value = p.negative ? -0.0 : 0.0;  // a lone comma
        return r;
    }
    std::string c = p.negative ? "-" : "";
    for (char ch : p.mantissa)
        c += ch == ',' ? '.' : ch;
    if (!p.exponent.empty())
        c += "e" + p.exponent;
    char* end = nullptr;
    const double v = strtod_l(c.c_str(), &end, CLocale());
    if (end != c.c_str() + c.size())
        Fail("reference strtod_l did not take the whole text", Quote(c));
    if (std::isinf(v)) {
        r.accepted = false;
        return r;
    }
    if (std::fabs(v) == DBL_MAX &&
        CompareMagnitude(TextDecimal(p), ExactDecimal(static_cast<long double>(DBL_MAX))) > 0) {
        r.accepted = false;
        return r;
    }
    r.value = v;
    return r;
}

// ------------------------------------------------------------ flip

// ------------------------------------------------------------ reports

std::string Quote(const std::string& text)
{
    std::string q = "\"";
    char buf[8];
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            q += static_cast<char>(c);
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            q += buf;
        }
    }
    return q + "\"";
}

void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n  %s\n", what, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace ref
