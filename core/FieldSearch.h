// SPDX-License-Identifier: GPL-3.0-or-later
// From limit deviations back to the ISO 286 field: every field whose limits
// at a size are the given ones, then the nearest others; and the deviations
// as an old drawing writes them ("Ø25+0,021", "40 -0,025 -0,050"). Plain
// C++17, no Qt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Iso286.h"
#include "Units.h"

// Which fields a search looks at.
enum class SearchSide { Hole, Shaft, Either };

// A length as the engine's whole nanometres: nullopt when it is finer than
// 1 nm or above 1000 mm either way. The searches compare whole nanometres;
// the standard has no finer value and no larger one.
std::optional<iso286::Nanometres> SearchNanometres(const Micrometres& length);
// Why a length is not searched (`what` names it: "Верхнее отклонение"), and
// why a size is not: one Russian sentence each.
std::string SearchLengthError(const Micrometres& length, const char* what);
std::string SearchSizeError(const Millimetres& size);

struct FieldMatch {
    iso286::Field field;
    iso286::Nanometres upper, lower;          // the field's limits at the size
    iso286::Nanometres diffUpper, diffLower;  // the field's less the given ones
    bool Exact() const { return diffUpper == 0 && diffLower == 0; }
};

struct FieldSearch {
    // Why nothing was searched, one Russian sentence; "" when searched.
    std::string error;
    int sizeCeiling = 0;
    // The given deviations as searched: the larger is the upper one.
    iso286::Nanometres upper = 0, lower = 0;
    bool swapped = false;  // they were given lower first
    // Every field of the side with exactly these limits, in the standard's
    // order (holes before shafts, letters A to ZC, grades 01 to 18).
    std::vector<FieldMatch> exact;
    // Every other field of the side defined at the size, nearest first: by
    // the larger of |ΔES| and |ΔEI|, then by their sum, then in the
    // standard's order.
    std::vector<FieldMatch> nearest;
};

// Sizes above 0 and at most 3150 mm; deviations in whole nanometres (see
// SearchNanometres), in either order.
FieldSearch FindFields(const Millimetres& size, SearchSide side, const Micrometres& upper, const Micrometres& lower);

// ---- Deviations as drawings write them

struct DrawingDeviations {
    Millimetres size;
    Millimetres upper, lower;  // as written: the first is the upper one
};

struct DrawingReading {
    std::optional<DrawingDeviations> deviations;
    std::string error;  // Russian, one short sentence, when nothing was read
};

// Blanks around and between the parts; an optional diameter sign (Ø, ø, ⌀);
// the size, digits with an optional fraction after "," or "."; then the
// deviations in millimetres, each with its sign ("+", "-", the minus sign
// U+2212 or a dash U+2013; a zero may go without): one ("+0,021": the
// other is 0), two ("-0,025 -0,050", "+0,1/-0,05"), or "±0,0065" (also
// "+-" and "+/-"), each form also in parentheses. A field name ("Ø25 H7")
// is not deviations. Any input gives deviations or a reason, never both.
DrawingReading ReadDrawingDeviations(std::string_view text);

// A number typed as a command-line argument or into a box: an optional sign
// (as above), digits, an optional fraction after "," or "."; blanks around.
std::optional<ExactDecimal> ReadSignedDecimal(std::string_view text);
