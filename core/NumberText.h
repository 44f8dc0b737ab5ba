// How numbers are written and read in the boxes: decimal comma, rounding
// half away from zero on the 18-digit decimal expansion. Plain C++17, no Qt,
// independent of the C locale.
#pragma once

#include <limits>
#include <optional>
#include <string>

// Results are summed in long double and then rounded on their decimal digits;
// a 53-bit long double (MSVC) would change the last digit of ties such as
// 5,0125. Build with GCC or Clang (MinGW-w64 on Windows) instead.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "long double must be the 80-bit extended type (use GCC/Clang, e.g. MinGW-w64 on Windows)");

// At most 15 significant digits, trailing zeros dropped; positional for
// decimal exponents -3..15 (value = 0.d1d2... x 10^E), scientific otherwise
// ("1E-5", "1,5E20"). Never "-0". Infinity and NaN give "INF", "-INF", "NAN".
std::string FormatGeneral(long double value);

// Rounded to min(precision, E + digits) significant digits; exactly `digits`
// decimals, or scientific with an exponent of at least `digits` digits when
// the rounded value has more than `precision` integer digits ("1,23457E06").
// No comma when `digits` is 0. Precision is held to 1..18, digits to 0..18.
std::string FormatFixed(long double value, int precision, int digits);

// UTF-8 text: blanks around, optional sign, digits with at most one comma,
// optional exponent. nullopt when the text is not a number or its magnitude
// is above DBL_MAX; too small a magnitude reads as the nearest subnormal or as
// a zero of the text's sign. Any non-ASCII byte makes it not a number.
std::optional<double> ReadNumberText(const std::string& text);

// Reverses the sign of a number text without reading it as a number. A text
// of only "+" and blanks gives "".
std::string FlipSignText(const std::string& text);
