// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldSearch.h"

#include <algorithm>
#include <cstdlib>

#include "Catalogue.h"
#include "TextCursor.h"

namespace {

using Nm = iso286::Nanometres;  // the engine's whole nanometres

constexpr Nm kLargestSearched = 1000LL * 1000 * 1000;  // 1000 mm


// "+", "-", "−" (U+2212) or "–" (U+2013): -1 or 1; 0 when no sign stands there.
int TakeSign(TextCursor& c)
{
    if (c.Take("+"))
        return 1;
    if (c.Take("-") || c.Take("\xE2\x88\x92") || c.Take("\xE2\x80\x93"))
        return -1;
    return 0;
}

// Digits with an optional fraction after "," or "."; nullopt when no digit
// starts it or none follows the separator.
std::optional<ExactDecimal> TakeNumber(TextCursor& c, bool negative)
{
    const std::string_view whole = c.TakeWhile(IsDigit);
    if (whole.empty())
        return std::nullopt;
    std::string_view fraction;
    if (c.Take(",") || c.Take(".")) {
        fraction = c.TakeWhile(IsDigit);
        if (fraction.empty())
            return std::nullopt;
    }
    return ExactDecimal(std::string(whole) + std::string(fraction), negative, -static_cast<long>(fraction.size()));
}

DrawingReading Failed(std::string reason)
{
    DrawingReading r;
    r.error = std::move(reason);
    return r;
}

const char* const kExample = "например Ø25+0,021 или 40 -0,025 -0,050.";

// One deviation with its sign; a zero may stand without one.
std::optional<ExactDecimal> TakeDeviation(TextCursor& c, std::string& error)
{
    const int sign = TakeSign(c);
    std::optional<ExactDecimal> value = TakeNumber(c, sign < 0);
    if (!value) {
        error = sign != 0 ? "После знака отклонения нет числа."
                          : std::string("Отклонения пишутся числами, ") + kExample;
        return std::nullopt;
    }
    if (sign == 0 && value->Sign() != 0) {
        error = "Отклонение пишется со знаком: +0,021 или -0,025.";
        return std::nullopt;
    }
    return value;
}

bool AtSign(TextCursor& c)
{
    const char p = c.Peek();
    return p == '+' || p == '-' || p == '\xE2';
}

// The deviations after the size, up to a closing parenthesis or the end.
bool TakeDeviations(TextCursor& c, DrawingDeviations& d, std::string& error)
{
    if (c.Take("\xC2\xB1") || c.Take("+/-") || c.Take("+-")) {  // ±
        c.SkipBlanks();
        const std::optional<ExactDecimal> half = TakeNumber(c, false);
        if (!half) {
            error = "После «±» нет числа.";
            return false;
        }
        d.upper = Millimetres(*half);
        d.lower = Millimetres(-*half);
        return true;
    }
    const std::optional<ExactDecimal> first = TakeDeviation(c, error);
    if (!first)
        return false;
    c.SkipBlanks();
    const bool slash = c.Take("/");
    if (slash)
        c.SkipBlanks();
    if (slash || AtSign(c) || IsDigit(c.Peek())) {
        const std::optional<ExactDecimal> second = TakeDeviation(c, error);
        if (!second)
            return false;
        d.upper = Millimetres(*first);
        d.lower = Millimetres(*second);
        return true;
    }
    // One deviation: the other, not written, is 0.
    if (first->Sign() == 0) {
        error = "Если отклонение одно, оно не нулевое: например Ø25+0,021 или Ø40-0,025.";
        return false;
    }
    d.upper = Millimetres(first->Sign() > 0 ? *first : ExactDecimal());
    d.lower = Millimetres(first->Sign() > 0 ? ExactDecimal() : *first);
    return true;
}

}  // namespace

std::optional<ExactDecimal> ReadSignedDecimal(std::string_view text)
{
    TextCursor c(text);
    c.SkipBlanks();
    const int sign = TakeSign(c);
    std::optional<ExactDecimal> value = TakeNumber(c, sign < 0);
    c.SkipBlanks();
    if (!value || !c.AtEnd())
        return std::nullopt;
    return value;
}

DrawingReading ReadDrawingDeviations(std::string_view text)
{
    TextCursor c(text);
    c.SkipBlanks();
    if (c.AtEnd())
        return Failed(std::string("Пустой текст: нужны размер и отклонения, ") + kExample);
    if (c.Take("\xC3\x98") || c.Take("\xC3\xB8") || c.Take("\xE2\x8C\x80"))  // Ø ø ⌀
        c.SkipBlanks();
    if (AtSign(c))
        return Failed("Размер пишется без знака.");
    std::optional<ExactDecimal> size = TakeNumber(c, false);
    if (!size)
        return Failed(std::string("Текст начинается с размера в миллиметрах, ") + kExample);
    DrawingDeviations d;
    d.size = Millimetres(*size);
    c.SkipBlanks();
    if (IsLatinLetter(c.Peek()) || c.AtCyrillic())
        return Failed("После размера стоит поле допуска, а не отклонения: здесь поле ищется по отклонениям, "
                      "например Ø25+0,021.");
    if (c.AtEnd())
        return Failed(std::string("После размера нет отклонений, ") + kExample);
    const bool parenthesis = c.Take("(");
    if (parenthesis)
        c.SkipBlanks();
    std::string error;
    if (!TakeDeviations(c, d, error))
        return Failed(error);
    c.SkipBlanks();
    if (parenthesis && !c.Take(")"))
        return Failed("Нет закрывающей скобки после отклонений.");
    c.SkipBlanks();
    if (!c.AtEnd())
        return Failed("После отклонений лишние символы.");
    return {d, {}};
}

std::optional<Nm> SearchNanometres(const Micrometres& length)
{
    bool negative = false;
    std::string digits;
    long exponent = 0;
    Nanometres(length).Value().Decompose(negative, digits, exponent);
    if (digits.empty())
        return 0;
    // Whole nanometres, at most 10 digits before the check of the bound.
    if (exponent < 0 || static_cast<long>(digits.size()) + exponent > 10)
        return std::nullopt;
    Nm value = std::stoll(digits);
    for (long i = 0; i < exponent; ++i)
        value *= 10;
    if (value > kLargestSearched)
        return std::nullopt;
    return negative ? -value : value;
}

std::string SearchLengthError(const Micrometres& length, const char* what)
{
    static const Micrometres largest(Millimetres(ExactDecimal(1000, 0)));
    const bool tooLarge = length > largest || -length > largest;
    return std::string(what)
           + (tooLarge ? ": значение больше 1000 мм, а в ISO 286 таких нет."
                       : ": значение точнее 1 нм (0,000001 мм), а в ISO 286 таких нет.");
}

std::string SearchSizeError(const Millimetres& size)
{
    if (size.Sign() <= 0)
        return "Размер должен быть больше 0 мм.";
    return "Размер больше 3150 мм: система ISO 286 задана только до 3150 мм.";
}

FieldSearch FindFields(const Millimetres& size, SearchSide side, const Micrometres& upper, const Micrometres& lower)
{
    FieldSearch s;
    const std::optional<int> ceiling = IsoSizeCeiling(size);
    if (!ceiling) {
        s.error = SearchSizeError(size);
        return s;
    }
    const std::optional<Nm> up = SearchNanometres(upper);
    const std::optional<Nm> low = SearchNanometres(lower);
    if (!up || !low) {
        s.error = SearchLengthError(!up ? upper : lower, !up ? "Верхнее отклонение" : "Нижнее отклонение");
        return s;
    }
    s.sizeCeiling = *ceiling;
    s.upper = std::max(*up, *low);
    s.lower = std::min(*up, *low);
    s.swapped = *up < *low;

    // The standard's order, which the ranking below keeps among equals.
    for (const iso286::Side fieldSide : {iso286::Side::Hole, iso286::Side::Shaft}) {
        if ((side == SearchSide::Hole && fieldSide != iso286::Side::Hole)
            || (side == SearchSide::Shaft && fieldSide != iso286::Side::Shaft))
            continue;
        for (int letter = 0; letter < iso286::kLetterCount; ++letter)
            for (int grade = iso286::kGrade01; grade <= iso286::kGradeMax; ++grade) {
                const iso286::Field field{fieldSide, static_cast<iso286::Letter>(letter), grade};
                const iso286::FieldLimits limits = iso286::LimitsOf(field, *ceiling);
                if (!limits.Defined())
                    continue;
                const FieldMatch m{field, limits.upper, limits.lower, limits.upper - s.upper, limits.lower - s.lower};
                (m.Exact() ? s.exact : s.nearest).push_back(m);
            }
    }
    std::stable_sort(s.nearest.begin(), s.nearest.end(), [](const FieldMatch& a, const FieldMatch& b) {
        const Nm au = std::llabs(a.diffUpper), al = std::llabs(a.diffLower);
        const Nm bu = std::llabs(b.diffUpper), bl = std::llabs(b.diffLower);
        const Nm amax = std::max(au, al), bmax = std::max(bu, bl);
        if (amax != bmax)
            return amax < bmax;
        return au + al < bu + bl;
    });
    return s;
}
