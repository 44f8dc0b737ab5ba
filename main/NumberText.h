// How numbers are written and read in the boxes: decimal comma, rounding
// half away from zero on the 18-digit decimal expansion. Plain C++17, no Qt,
// independent of the C locale.
#pragma once

#include <optional>
#include <string>

// At most 15 significant digits, trailing zeros dropped; positional for
// decimal exponents -3..15 (value = 0.d1d2... x 10^E), scientific otherwise
// ("1E-5", "1,5E20"). Never "-0".
std::string FormatGeneral(long double value);

// Rounded to min(precision, E + digits) significant digits; exactly `digits`
// decimals, or scientific with an exponent of at least `digits` digits when
// the value has more than `precision` integer digits ("1,23457E06").
std::string FormatFixed(long double value, int precision, int digits);

// UTF-8 text: blanks around, optional sign, digits with at most one comma,
// optional exponent. nullopt when the text is not a number (also on overflow).
std::optional<double> ReadNumberText(const std::string& text);

// Reverses the sign of a number text without reading it as a number.
std::string FlipSignText(const std::string& text);
