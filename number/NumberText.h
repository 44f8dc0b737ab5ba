// SPDX-License-Identifier: GPL-3.0-or-later
// How numbers are written and read in the boxes: decimal comma, rounding
// half away from zero on the exact decimal digits. Plain C++17, no Qt,
// independent of the C locale.
#pragma once

#include <optional>
#include <string>

#include "ExactDecimal.h"

// At most 15 significant digits, trailing zeros dropped; positional for
// decimal exponents -3..15 (value = 0.d1d2... x 10^E), scientific otherwise
// ("1E-5", "1,5E20"). Never "-0".
std::string FormatGeneral(const ExactDecimal& value);

// Rounded to min(precision, E + digits) significant digits; exactly `digits`
// decimals, or scientific with an exponent of at least `digits` digits when
// the rounded value has more than `precision` integer digits ("1,23457E06").
// No comma when `digits` is 0. Precision is held to 1..18, digits to 0..18.
std::string FormatFixed(const ExactDecimal& value, int precision, int digits);

// Every digit of an exact value, positional, nothing rounded, with the given
// decimal point: "25.0105", "-0.007", "3000" (for machine-read output).
std::string ExactPositional(const ExactDecimal& value, char point);

// UTF-8 text: blanks around, optional sign, digits with at most one comma,
// optional exponent. nullopt when the text is not a number or its magnitude
// is above DBL_MAX; too small a magnitude reads as the nearest subnormal or as
// a zero of the text's sign. Any non-ASCII byte makes it not a number.
std::optional<double> ReadNumberText(const std::string& text);
// The exact value of a text that ReadNumberText reads as a nonzero number;
// zero where it reads zero; nullopt where it reads no number.
std::optional<ExactDecimal> ReadDecimalText(const std::string& text);

// Reverses the sign of a number text without reading it as a number. A text
// of only "+" and blanks gives "".
std::string FlipSignText(const std::string& text);

// A number text with its sign reversed and every digit kept as typed
// ("+0,025" gives "-0,025", " -7 " gives "7"); a zero gets no sign. nullopt
// when the text is not a number.
std::optional<std::string> NegateNumberText(const std::string& text);
