// SPDX-License-Identifier: GPL-3.0-or-later
// Slow, independent model of the number texts for the fuzzers: exact
// decimal rounding, the expected texts, and grammar checkers. Nothing here calls
// printf/strtod on the value being checked except ExpectedRead, which asks
// strtod_l in the "C" locale for the correctly rounded double.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ref {

// value = (negative ? -1 : 1) * 0.digits * 10^exponent; digits has no
// leading or trailing zeros; empty digits means zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
    bool zero() const { return digits.empty(); }
};

// Exact decimal value of a finite, canonical x87 80-bit value (the read
// model compares texts with DBL_MAX through it).
Decimal ExactDecimal(long double value);

// Cut to `keep` significant digits, half away from zero on the digits;
// keep == 0 keeps one unit at the first digit's place or nothing.
Decimal CutHalfAway(const Decimal& d, long long keep);

// The texts of an exact decimal value: cut half away from zero, no 18-digit step.
std::string ExpectedGeneralOf(const Decimal& exact);
std::string ExpectedFixedOf(const Decimal& exact, int precision, int digits);

// Empty when the text has the shape of its form, else what is wrong.
std::string GeneralShapeError(const std::string& text);
std::string FixedShapeError(const std::string& text, int precision, int digits);

struct ReadResult {
    bool accepted = false;
    double value = 0;
};
bool MatchesReadGrammar(const std::string& text);
ReadResult ExpectedRead(const std::string& text);

[[noreturn]] void Fail(const char* what, const std::string& detail);

std::string Quote(const std::string& text);

}  // namespace ref
