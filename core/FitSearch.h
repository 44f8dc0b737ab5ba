// SPDX-License-Identifier: GPL-3.0-or-later
// From a required clearance or interference to the fits that give it: every
// hole and shaft pair the standard defines at a size whose clearances lie in
// the window, ranked as a designer would pick them. Works on the engine's
// whole nanometres, one LimitsOf per field, so all 200 000 pairs of a size
// are searched exactly. Plain C++17, no Qt.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Iso286.h"
#include "Units.h"

// Which pairs are looked at.
enum class FitSystem {
    HoleBasis,   // H holes (any grade) with any shaft
    ShaftBasis,  // h shafts with any hole
    Any,
};
enum class FitCandidates {
    Preferred,    // the preferred fits only
    Recommended,  // the preferred and the recommended fits
    All,          // every pair of fields defined at the size
};

// How the standards' lists stand on a fit at a size (fit_lists in FitLists.h):
// preferred when an ISO preferred list holds it or a ГОСТ list marks it
// preferred; recommended when a ГОСТ list holds it otherwise; other when no
// list does. A list, and a fit of a list, counts only at the sizes it is
// given for (ГОСТ 25347: 1 to 500 mm).
enum class FitStanding { Preferred, Recommended, Other };
FitStanding StandingOf(const iso286::Field& hole, const iso286::Field& shaft, const Millimetres& size);
// «предпочтительная», «рекомендуемая», "".
const char* StandingText(FitStanding standing);

struct FitMatch {
    iso286::Field hole, shaft;
    // Clearances (an interference is negative) and the fit tolerance.
    iso286::Nanometres minClearance, maxClearance, tolerance;
    iso286::FitKind kind;
    FitStanding standing;
};

// The required window of clearances in micrometres, each bound optional.
struct ClearanceWindow {
    std::optional<Micrometres> min, max;
};

struct FitSearch {
    // Why nothing was searched, one Russian sentence; "" when searched.
    std::string error;
    int sizeCeiling = 0;
    // Every pair that qualifies.
    std::size_t count = 0;
    // The first `limit` of them in rank order: preferred, recommended, then
    // the rest; within each the larger fit tolerance first (cheaper to
    // make); then the mean clearance nearest the middle of the window (with
    // one bound: nearest that bound; with none, no preference); then in the
    // standard's order of the hole, then of the shaft (letters A to ZC,
    // grades 01 to 18).
    std::vector<FitMatch> fits;
};

constexpr std::size_t kAllFits = std::numeric_limits<std::size_t>::max();

// A pair qualifies when it is defined at the size, belongs to the system and
// the candidates, its smallest clearance is at least window.min and its
// largest at most window.max. Sizes above 0 and at most 3150 mm; bounds in
// whole nanometres (SearchNanometres in FieldSearch.h), min not above max.
FitSearch FindFits(const Millimetres& size, const ClearanceWindow& window, FitSystem system, FitCandidates candidates,
                   std::size_t limit = kAllFits);
