// SPDX-License-Identifier: GPL-3.0-or-later
// Lengths in the three units the program meets: the engine's whole
// nanometres, the micrometres that tables and deviation boxes write, and the
// millimetres of sizes. Each unit is a type of its own over an exact
// decimal, so a value changes unit only through a conversion, never by a
// shift of its digits written by hand.
#pragma once

#include <optional>
#include <utility>

#include "ExactDecimal.h"

// A length of Value() x 10^Exponent metres.
template <long Exponent>
class Length {
public:
    Length() = default;
    explicit Length(ExactDecimal value) : value_(std::move(value)) {}
    // The same length in another unit.
    template <long From>
    explicit Length(const Length<From>& other) : value_(other.Value().Shifted(From - Exponent))
    {
    }

    const ExactDecimal& Value() const { return value_; }

    Length operator+(const Length& other) const { return Length(value_ + other.value_); }
    Length operator-(const Length& other) const { return Length(value_ - other.value_); }
    Length operator-() const { return Length(-value_); }
    Length Half() const { return Length(value_.Half()); }
    Length Quarter() const { return Length(value_.Quarter()); }

    int Sign() const { return value_.Sign(); }
    bool operator==(const Length& other) const { return value_ == other.value_; }
    bool operator!=(const Length& other) const { return value_ != other.value_; }
    bool operator<(const Length& other) const { return value_ < other.value_; }
    bool operator<=(const Length& other) const { return value_ <= other.value_; }
    bool operator>(const Length& other) const { return value_ > other.value_; }
    bool operator>=(const Length& other) const { return other.value_ <= value_; }

private:
    ExactDecimal value_;
};

using Nanometres = Length<-9>;
using Micrometres = Length<-6>;
using Millimetres = Length<-3>;

// The engine's whole nanometres.
inline Nanometres WholeNanometres(long long count) { return Nanometres(ExactDecimal(count, 0)); }

// The smallest whole millimetre at or above a size, for a size above 0 and
// at most `largestMm`; nullopt for any other. Size intervals have whole
// bounds, so a size lies in (a, b] exactly when its ceiling lies in [a + 1, b].
std::optional<int> SizeCeiling(const Millimetres& size, int largestMm);
