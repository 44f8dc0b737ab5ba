#include "NumberText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace {

constexpr int kExpandedDigits = 18;
constexpr int kGeneralDigits = 15;

// value = (negative ? -1 : 1) * 0.d1d2...dcount * 10^exponent, d1 != 0
// unless zero. Trailing zeros are not kept after rounding.
struct Decimal {
    bool negative = false;
    bool zero = true;
    int exponent = 0;
    int count = 0;
    char digits[kExpandedDigits] = {};
};

// Nearest 18-significant-digit decimal form of the value. printf does the
// exact binary-to-decimal step, but its radix character follows LC_NUMERIC
// (Qt sets the locale from the environment, so it may be ',' or a multibyte
// character): only the sign, the digits and the part after the last 'e' are
// taken from its output.
Decimal Expand(long double value)
{
    Decimal d;
    char buf[128];
    const int len = std::snprintf(buf, sizeof buf, "%.*Le", kExpandedDigits - 1, value);
    if (len <= 0 || len >= static_cast<int>(sizeof buf))
        return d;
    const char* end = buf + len;
    const char* e = end;
    while (e != buf && *(e - 1) != 'e')
        --e;
    if (e == buf)
        return d;
    const char* mark = e - 1;  // the 'e'

    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != mark; ++p) {
        if (*p >= '0' && *p <= '9' && d.count < kExpandedDigits)
            d.digits[d.count++] = *p;
    }
    bool expNegative = false;
    if (e != end && (*e == '+' || *e == '-')) {
        expNegative = *e == '-';
        ++e;
    }
    int exp10 = 0;
    for (; e != end && *e >= '0' && *e <= '9'; ++e)
        exp10 = exp10 * 10 + (*e - '0');  // at most 4 digits for long double

    d.zero = true;
    for (int i = 0; i < d.count; ++i)
        if (d.digits[i] != '0')
            d.zero = false;
    if (d.zero || d.count == 0 || d.digits[0] == '0') {
        d = Decimal();
        return d;
    }
    d.exponent = (expNegative ? -exp10 : exp10) + 1;
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    return d;
}

void MakeZero(Decimal& d)
{
    d.zero = true;
    d.negative = false;
    d.count = 0;
    d.exponent = 0;
}

// Keeps `keep` significant digits, half away from zero on the decimal digits.
// keep == 0: only the first digit decides between zero and one unit at the
// first digit's place; keep < 0: zero.
void RoundTo(Decimal& d, int keep)
{
    if (d.zero || keep >= d.count)
        return;
    if (keep < 0) {
        MakeZero(d);
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            --i;
        if (i >= 0) {
            ++d.digits[i];
            d.count = i + 1;
        } else {
            // All kept digits were 9 (or none were kept): one more digit.
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    if (d.count == 0)
        MakeZero(d);
}

void AppendInt(std::string& out, int value, int minDigits)
{
    char buf[16];
    int n = 0;
    unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
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

char DigitAt(const Decimal& d, int pos)
{
    return pos >= 0 && pos < d.count ? d.digits[pos] : '0';
}

// d1[,d2...]E<exponent - 1>, the exponent padded with zeros to expDigits.
void AppendScientific(std::string& out, const Decimal& d, int expDigits)
{
    if (d.negative)
        out += '-';
    out += d.digits[0];
    if (d.count > 1) {
        out += ',';
        out.append(d.digits + 1, d.digits + d.count);
    }
    out += 'E';
    AppendInt(out, d.exponent - 1, expDigits);
}

bool NotFinite(long double value, std::string& out)
{
    if (std::isnan(value)) {
        out = "NAN";
        return true;
    }
    if (std::isinf(value)) {
        out = value < 0 ? "-INF" : "INF";
        return true;
    }
    return false;
}

}  // namespace

std::string FormatGeneral(long double value)
{
    std::string out;
    if (NotFinite(value, out))
        return out;
    Decimal d = Expand(value);
    RoundTo(d, kGeneralDigits);
    if (d.zero)
        return "0";

    out.reserve(32);
    if (d.exponent < -3 || d.exponent > 15) {
        AppendScientific(out, d, 1);
        return out;
    }
    if (d.negative)
        out += '-';
    if (d.exponent <= 0) {
        out += "0,";
        out.append(static_cast<size_t>(-d.exponent), '0');
        out.append(d.digits, d.digits + d.count);
        return out;
    }
    for (int i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (d.count > d.exponent) {
        out += ',';
        out.append(d.digits + d.exponent, d.digits + d.count);
    }
    return out;
}

// Precision is held to 1..18 (the expansion has no more digits) and the
// decimals to 0..18. With no decimals the text has no comma. The choice
// between the two layouts is made on the rounded value, so a carry into a
// new digit (999999,5 with precision 6) goes scientific ("1E06") rather
// than showing more integer digits than the precision allows.
std::string FormatFixed(long double value, int precision, int digits)
{
    std::string out;
    if (NotFinite(value, out))
        return out;
    const int p = precision < 1 ? 1 : (precision > kExpandedDigits ? kExpandedDigits : precision);
    const int dec = digits < 0 ? 0 : (digits > kExpandedDigits ? kExpandedDigits : digits);

    Decimal d = Expand(value);
    if (!d.zero) {
        const int byDecimals = d.exponent + dec;
        RoundTo(d, byDecimals < p ? byDecimals : p);
    }

    out.reserve(40);
    if (!d.zero && d.exponent > p) {
        AppendScientific(out, d, dec);
        return out;
    }
    if (d.negative)
        out += '-';
    if (d.exponent <= 0)
        out += '0';
    for (int i = 0; i < d.exponent; ++i)
        out += DigitAt(d, i);
    if (dec > 0) {
        out += ',';
        for (int i = 0; i < dec; ++i)
            out += DigitAt(d, d.exponent + i);
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

}  // namespace

std::optional<double> ReadNumberText(const std::string& text)
{
    size_t i = 0;
    size_t end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;

    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // value = 0.<sig> x 10^scale, sig without leading zeros.
    std::string sig;
    bool sticky = false;  // a nonzero digit was dropped past kReadDigits
    long long scale = 0;
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
        if (sig.empty() && c == '0') {
            if (comma)
                --scale;
            continue;
        }
        if (!comma)
            ++scale;
        if (sig.size() < kReadDigits)
            sig += c;
        else if (c != '0')
            sticky = true;
    }
    if (!anyDigit && !comma)
        return std::nullopt;

    long long exp10 = 0;
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
            if (exp10 < 1000000000LL)
                exp10 = exp10 * 10 + (text[i] - '0');
        }
        if (expNegative)
            exp10 = -exp10;
    }
    if (i != end)
        return std::nullopt;  // anything else, including non-ASCII bytes

    const double zero = negative ? -0.0 : 0.0;
    if (sig.empty())
        return zero;
    const long long total = scale + exp10;
    if (total > 310)
        return std::nullopt;  // at least 1E309
    if (total < -340)
        return zero;  // far below half the smallest subnormal
    if (sticky)
        sig += '1';

    // "0.<sig>e<total>" for from_chars, which is locale-free and correctly
    // rounded.
    std::string buf;
    buf.reserve(sig.size() + 12);
    buf += "0.";
    buf += sig;
    buf += 'e';
    AppendInt(buf, static_cast<int>(total), 1);

    double value = 0;
    const auto [ptr, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (ec == std::errc::result_out_of_range)
        return total > 0 ? std::nullopt : std::optional<double>(zero);
    if (ec != std::errc() || ptr != buf.data() + buf.size())
        return std::nullopt;
    // Texts just above DBL_MAX still round to it; they are beyond it all the same.
    if (value == DBL_MAX && total == 309 && AboveMaxDouble(sig))
        return std::nullopt;
    return negative ? -value : value;
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
