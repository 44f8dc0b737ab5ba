// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace {

constexpr int kGeneralDigits = 15;
// Decimal places a word's coefficient is written with straight away.
constexpr long kWordPlaces = 24;
constexpr int kMaxPrecision = 18;

// value = (negative ? -1 : 1) * 0.d1d2...dn * 10^exponent with d1 != 0 and
// no trailing zeros; no digits for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;
    bool zero() const { return digits.empty(); }
};

Decimal FromExact(const ExactDecimal& value)
{
    Decimal d;
    long exponent = 0;
    value.Decompose(d.negative, d.digits, exponent);
    if (d.zero())
        return Decimal();
    d.exponent = exponent + static_cast<long>(d.digits.size());
    return d;
}

// Keeps `keep` significant digits, half away from zero on the decimal digits.
// keep == 0: only the first digit decides between zero and one unit at the
// first digit's place; keep < 0: zero.
void RoundTo(Decimal& d, long keep)
{
    if (d.zero() || keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d = Decimal();
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (!d.digits.empty()) {
            ++d.digits.back();
        } else {
            // All kept digits were 9 (or none were kept): one more digit.
            d.digits = "1";
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.zero())
        d = Decimal();
}

void AppendInt(std::string& out, long value, int minDigits)
{
    char buf[24];
    int n = 0;
    unsigned long v = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0)
        out += '-';
    for (int i = n; i < minDigits; ++i)
        out += '0';
    while (n > 0)
        out += buf[--n];
}

char DigitAt(const Decimal& d, long pos)
{
    return pos >= 0 && pos < static_cast<long>(d.digits.size()) ? d.digits[static_cast<size_t>(pos)] : '0';
}

// d1[,d2...]E<exponent - 1>, the exponent padded with zeros to expDigits.
void AppendScientific(std::string& out, const Decimal& d, int expDigits)
{
    if (d.negative)
        out += '-';
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += ',';
        out.append(d.digits, 1, std::string::npos);
    }
    out += 'E';
    AppendInt(out, d.exponent - 1, expDigits);
}

std::string WriteGeneral(Decimal d)
{
    RoundTo(d, kGeneralDigits);
    if (d.zero())
        return "0";
    std::string out;
    out.reserve(32);
    if (d.exponent < -3 || d.exponent > 15) {
        AppendScientific(out, d, 1);
        return out;
    }
    if (d.negative)
        out += '-';
    const auto count = static_cast<long>(d.digits.size());
    if (d.exponent <= 0) {
        out += "0,";
        out.append(static_cast<size_t>(-d.exponent), '0');
        out += d.digits;
        return out;
    }
    for (long i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (count > d.exponent) {
        out += ',';
        out.append(d.digits, static_cast<size_t>(d.exponent), std::string::npos);
    }
    return out;
}

// Precision is held to 1..18 and the decimals to 0..18. With no decimals the
// text has no comma. The choice between the two layouts is made on the
// rounded value, so a carry into a new digit (999999,5 with precision 6)
// goes scientific ("1E06") rather than showing more integer digits than the
// precision allows.
std::string WriteFixed(Decimal d, int precision, int digits)
{
    const int p = precision < 1 ? 1 : (precision > kMaxPrecision ? kMaxPrecision : precision);
    const int dec = digits < 0 ? 0 : (digits > kMaxPrecision ? kMaxPrecision : digits);
    if (!d.zero()) {
        const long byDecimals = d.exponent + dec;
        RoundTo(d, byDecimals < p ? byDecimals : p);
    }
    std::string out;
    out.reserve(40);
    if (!d.zero() && d.exponent > p) {
        AppendScientific(out, d, dec);
        return out;
    }
    if (d.negative)
        out += '-';
    if (d.exponent <= 0)
        out += '0';
    for (long i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (dec > 0) {
        out += ',';
        for (int i = 0; i < dec; ++i)
            out += DigitAt(d, d.exponent + i);
    }
    return out;
}

}  // namespace

std::string FormatGeneral(const ExactDecimal& value) { return WriteGeneral(FromExact(value)); }

std::string FormatFixed(const ExactDecimal& value, int precision, int digits)
{
    return WriteFixed(FromExact(value), precision, digits);
}

std::string ExactPositional(const ExactDecimal& value, char point)
{
    long coefficient, exponent;
    if (value.Word(coefficient, exponent) && exponent > -kWordPlaces && exponent <= 0) {
        // A measured size or a limit: written straight from its word.
        char buffer[48];
        char* end = buffer + sizeof buffer;
        char* p = end;
        unsigned long magnitude = coefficient < 0 ? 0ul - static_cast<unsigned long>(coefficient)
                                                  : static_cast<unsigned long>(coefficient);
        long place = exponent;
        while (place < 0 && magnitude % 10 == 0) {
            magnitude /= 10;
            ++place;
        }
        for (; place < 0; ++place) {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        }
        if (p != end)
            *--p = point;
        do {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (coefficient < 0)
            *--p = '-';
        return std::string(p, end);
    }
    const Decimal d = FromExact(value);
    if (d.zero())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.exponent <= 0) {
        out += '0';
        out += point;
        out.append(static_cast<size_t>(-d.exponent), '0');
        return out + d.digits;
    }
    for (long i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (static_cast<long>(d.digits.size()) > d.exponent) {
        out += point;
        out.append(d.digits, static_cast<size_t>(d.exponent), std::string::npos);
    }
    return out;
}

namespace {

// Enough significant digits to decide the rounding of any decimal text to a
// double: every midpoint between two doubles has fewer. Digits beyond this
// only matter as "something nonzero follows".
constexpr size_t kReadDigits = 800;

// Exact decimal digits of DBL_MAX (309 of them, no trailing zeros).
const std::string& MaxDoubleDigits()
{
    static const std::string digits = [] {
        char buf[400];
        // %.0f prints no radix character and no grouping in any locale.
        const int len = std::snprintf(buf, sizeof buf, "%.0f", DBL_MAX);
        std::string s;
        for (int i = 0; i < len && i < static_cast<int>(sizeof buf); ++i)
            if (buf[i] >= '0' && buf[i] <= '9')
                s += buf[i];
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        return s;
    }();
    return digits;
}

// True when 0.<sig> x 10^309 is above DBL_MAX; sig has no leading zeros.
bool AboveMaxDouble(const std::string& sig)
{
    const std::string& max = MaxDoubleDigits();
    const size_t n = sig.size() > max.size() ? sig.size() : max.size();
    for (size_t i = 0; i < n; ++i) {
        const char a = i < sig.size() ? sig[i] : '0';
        const char b = i < max.size() ? max[i] : '0';
        if (a != b)
            return a > b;
    }
    return false;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A text of the reading grammar: value = (negative ? -1 : 1) x 0.<sig> x
// 10^(scale + exp10), sig with no leading zeros (empty for zero).
struct ParsedNumber {
    bool negative = false;
    std::string sig;
    long long scale = 0;
    long long exp10 = 0;
};

std::optional<ParsedNumber> Parse(const std::string& text)
{
    size_t i = 0;
    size_t end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;

    ParsedNumber n;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    bool comma = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c == ',') {
            if (comma)
                return std::nullopt;
            comma = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        anyDigit = true;
        if (n.sig.empty() && c == '0') {
            if (comma)
                --n.scale;
            continue;
        }
        if (!comma)
            ++n.scale;
        n.sig += c;
    }
    if (!anyDigit && !comma)
        return std::nullopt;

    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i == end || !IsDigit(text[i]))
            return std::nullopt;
        for (; i < end && IsDigit(text[i]); ++i) {
            // Saturate: anything this large is far out of range anyway.
            if (n.exp10 < 1000000000LL)
                n.exp10 = n.exp10 * 10 + (text[i] - '0');
        }
        if (expNegative)
            n.exp10 = -n.exp10;
    }
    if (i != end)
        return std::nullopt;  // anything else, including non-ASCII bytes
    return n;
}

// The correctly rounded double of a parsed text; nullopt beyond DBL_MAX.
std::optional<double> ToDouble(const ParsedNumber& n)
{
    const double zero = n.negative ? -0.0 : 0.0;
    if (n.sig.empty())
        return zero;
    const long long total = n.scale + n.exp10;
    if (total > 310)
        return std::nullopt;  // at least 1E309
    if (total < -340)
        return zero;  // far below half the smallest subnormal

    // "0.<sig>e<total>" for from_chars, which is locale-free and correctly
    // rounded; digits past kReadDigits only tell that something follows.
    std::string buf;
    buf.reserve(std::min(n.sig.size(), kReadDigits) + 16);
    buf += "0.";
    if (n.sig.size() <= kReadDigits) {
        buf += n.sig;
    } else {
        buf.append(n.sig, 0, kReadDigits);
        if (n.sig.find_first_not_of('0', kReadDigits) != std::string::npos)
            buf += '1';
    }
    buf += 'e';
    AppendInt(buf, static_cast<long>(total), 1);

    double value = 0;
    const auto [ptr, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (ec == std::errc::result_out_of_range)
        return total > 0 ? std::nullopt : std::optional<double>(zero);
    if (ec != std::errc() || ptr != buf.data() + buf.size())
        return std::nullopt;
    // Texts just above DBL_MAX still round to it; they are beyond it all the same.
    if (value == DBL_MAX && total == 309 && AboveMaxDouble(n.sig))
        return std::nullopt;
    return n.negative ? -value : value;
}

}  // namespace

std::optional<double> ReadNumberText(const std::string& text)
{
    const std::optional<ParsedNumber> parsed = Parse(text);
    if (!parsed)
        return std::nullopt;
    return ToDouble(*parsed);
}

std::optional<ExactDecimal> ReadDecimalText(const std::string& text)
{
    const std::optional<ParsedNumber> parsed = Parse(text);
    if (!parsed)
        return std::nullopt;
    const auto length = static_cast<long long>(parsed->sig.size());
    // What counts as a number, and as zero, is decided as for a double. Nonzero
    // digits within 10^-300 and 10^300 are a normal double: nothing to ask.
    const long long total = parsed->scale + parsed->exp10;
    if (length > 0 && total >= -300 && total <= 300)
        return ExactDecimal(parsed->sig, parsed->negative, static_cast<long>(total - length));
    const std::optional<double> value = ToDouble(*parsed);
    if (!value)
        return std::nullopt;
    if (*value == 0)
        return ExactDecimal();
    return ExactDecimal(parsed->sig, parsed->negative, static_cast<long>(total - length));
}

namespace {

void TrimBlanks(std::string& s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    const size_t last = s.find_last_not_of(' ');
    s = s.substr(first, last - first + 1);
}

}  // namespace

std::string FlipSignText(const std::string& text)
{
    if (text.empty())
        return text;
    if (text == "0")
        return text;
    std::string s = text;
    if (s[0] == '+')
        s[0] = ' ';
    TrimBlanks(s);
    // Nothing left ("+", "+  "): no number to negate, so no lone "-" either.
    if (s.empty())
        return s;
    if (s[0] == '-')
        s[0] = ' ';
    else
        s.insert(s.begin(), '-');
    TrimBlanks(s);
    return s;
}

std::optional<std::string> NegateNumberText(const std::string& text)
{
    const std::optional<ExactDecimal> value = ReadDecimalText(text);
    if (!value)
        return std::nullopt;
    std::string digits = text;
    TrimBlanks(digits);
    const bool negative = digits[0] == '-';
    if (digits[0] == '+' || negative)
        digits.erase(0, 1);
    if (value->Sign() == 0 || negative)
        return digits;
    return "-" + digits;
}
