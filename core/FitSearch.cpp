// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Catalogue.h"
#include "FieldSearch.h"
#include "FitLists.h"

namespace {

using iso286::Field;
using Nm = iso286::Nanometres;  // the engine's whole nanometres

// A field's place in the standard's order of its side: letter, then grade.
constexpr int kGrades = iso286::kGradeMax - iso286::kGrade01 + 1;
constexpr int kSlots = iso286::kLetterCount * kGrades;
int Slot(const Field& f) { return static_cast<int>(f.letter) * kGrades + (f.grade - iso286::kGrade01); }

bool Covers(const fit_lists::SizeSpan& span, const Millimetres& size)
{
    if (!span.Stated())
        return true;
    return Millimetres(ExactDecimal(span.fromMm, 0)) <= size && size <= Millimetres(ExactDecimal(span.toMm, 0));
}

struct ListedFit {
    Field hole, shaft;
    FitStanding standing;
};

// Every fit the lists give at the size, once, with its best standing.
std::vector<ListedFit> ListedFits(const Millimetres& size)
{
    std::vector<ListedFit> listed;
    for (const fit_lists::FitList* list : fit_lists::kAllLists) {
        if (!Covers(list->sizes, size))
            continue;
        for (const fit_lists::Fit& fit : *list) {
            if (!Covers(fit.sizes, size))
                continue;
            const std::optional<Field> hole = iso286::ParseField(fit.hole);
            const std::optional<Field> shaft = iso286::ParseField(fit.shaft);
            if (!hole || !shaft || hole->side != iso286::Side::Hole || shaft->side != iso286::Side::Shaft)
                continue;
            const FitStanding standing = fit.preference == fit_lists::Preference::Preferred ? FitStanding::Preferred
                                                                                            : FitStanding::Recommended;
            const auto same = std::find_if(listed.begin(), listed.end(),
                                           [&](const ListedFit& l) { return l.hole == *hole && l.shaft == *shaft; });
            if (same == listed.end())
                listed.push_back({*hole, *shaft, standing});
            else
                same->standing = std::min(same->standing, standing);
        }
    }
    return listed;
}

bool InSystem(FitSystem system, const Field& hole, const Field& shaft)
{
    switch (system) {
    case FitSystem::HoleBasis: return hole.letter == iso286::Letter::H;
    case FitSystem::ShaftBasis: return shaft.letter == iso286::Letter::H;
    case FitSystem::Any: break;
    }
    return true;
}

bool Admits(FitCandidates candidates, FitStanding standing)
{
    switch (candidates) {
    case FitCandidates::Preferred: return standing == FitStanding::Preferred;
    case FitCandidates::Recommended: return standing != FitStanding::Other;
    case FitCandidates::All: break;
    }
    return true;
}

struct Bounds {
    std::optional<Nm> min, max;
    bool Admit(Nm minClearance, Nm maxClearance) const
    {
        return (!min || minClearance >= *min) && (!max || maxClearance <= *max);
    }
};

FitMatch Match(const Field& hole, Nm holeUpper, Nm holeLower, const Field& shaft, Nm shaftUpper, Nm shaftLower,
               FitStanding standing)
{
    FitMatch m;
    m.hole = hole;
    m.shaft = shaft;
    m.minClearance = holeLower - shaftUpper;
    m.maxClearance = holeUpper - shaftLower;
    m.tolerance = m.maxClearance - m.minClearance;
    // As AnalyseFit tells them.
    m.kind = m.minClearance >= 0   ? iso286::FitKind::Clearance
             : m.maxClearance <= 0 ? iso286::FitKind::Interference
                                   : iso286::FitKind::Transition;
    m.standing = standing;
    return m;
}

struct Limits {
    Field field;
    Nm upper, lower;
};

// The fields of one side defined at the size, those of the basis only.
std::vector<Limits> SideFields(iso286::Side side, bool basisOnly, int ceiling)
{
    std::vector<Limits> fields;
    for (int letter = 0; letter < iso286::kLetterCount; ++letter) {
        if (basisOnly && static_cast<iso286::Letter>(letter) != iso286::Letter::H)
            continue;
        for (int grade = iso286::kGrade01; grade <= iso286::kGradeMax; ++grade) {
            const Field f{side, static_cast<iso286::Letter>(letter), grade};
            const iso286::FieldLimits limits = iso286::LimitsOf(f, ceiling);
            if (limits.Defined())
                fields.push_back({f, limits.upper, limits.lower});
        }
    }
    return fields;
}

}  // namespace

FitStanding StandingOf(const Field& hole, const Field& shaft, const Millimetres& size)
{
    for (const ListedFit& l : ListedFits(size))
        if (l.hole == hole && l.shaft == shaft)
            return l.standing;
    return FitStanding::Other;
}

const char* StandingText(FitStanding standing)
{
    switch (standing) {
    case FitStanding::Preferred: return "предпочтительная";
    case FitStanding::Recommended: return "рекомендуемая";
    case FitStanding::Other: break;
    }
    return "";
}

FitSearch FindFits(const Millimetres& size, const ClearanceWindow& window, FitSystem system, FitCandidates candidates,
                   std::size_t limit)
{
    FitSearch r;
    const std::optional<int> ceiling = IsoSizeCeiling(size);
    if (!ceiling) {
        r.error = SearchSizeError(size);
        return r;
    }
    Bounds bounds;
    if (window.min && !(bounds.min = SearchNanometres(*window.min))) {
        r.error = SearchLengthError(*window.min, "Наименьший зазор");
        return r;
    }
    if (window.max && !(bounds.max = SearchNanometres(*window.max))) {
        r.error = SearchLengthError(*window.max, "Наибольший зазор");
        return r;
    }
    if (bounds.min && bounds.max && *bounds.min > *bounds.max) {
        r.error = "Наименьший зазор задан больше наибольшего.";
        return r;
    }
    r.sizeCeiling = *ceiling;

    // Each field's limits once, by its place; then whole-nanometre sums per pair.
    std::vector<Limits> holes = SideFields(iso286::Side::Hole, system == FitSystem::HoleBasis, *ceiling);
    std::vector<Limits> shafts = SideFields(iso286::Side::Shaft, system == FitSystem::ShaftBasis, *ceiling);
    std::vector<const Limits*> holeAt(kSlots, nullptr), shaftAt(kSlots, nullptr);
    for (const Limits& h : holes)
        holeAt[Slot(h.field)] = &h;
    for (const Limits& s : shafts)
        shaftAt[Slot(s.field)] = &s;

    // Twice the middle of the window, so that a half nanometre stays whole;
    // with one bound, twice that bound; with none, every pair is as near.
    const Nm middle2 = bounds.min && bounds.max ? *bounds.min + *bounds.max
                       : bounds.min             ? 2 * *bounds.min
                       : bounds.max             ? 2 * *bounds.max
                                                : 0;
    const bool centred = bounds.min || bounds.max;
    // A pair's rank as two integers compared as a pair, which sorts several
    // times faster than the matches would: the standing and the tolerance
    // (below 2^61) in the first; the distance from the middle (below 2^33,
    // the bounds being at most 1000 mm) and the places of the hole and the
    // shaft (below 2^10 each), which name the pair, in the second.
    struct Keyed {
        std::uint64_t first, second;
    };
    std::vector<Keyed> keyed;
    const auto add = [&](const Limits& h, const Limits& s, FitStanding standing) {
        const Nm minClearance = h.lower - s.upper, maxClearance = h.upper - s.lower;
        if (!bounds.Admit(minClearance, maxClearance))
            return;
        const auto tolerance = static_cast<std::uint64_t>(maxClearance - minClearance);
        const auto offMiddle = static_cast<std::uint64_t>(centred ? std::llabs(minClearance + maxClearance - middle2)
                                                                  : 0);
        keyed.push_back({(static_cast<std::uint64_t>(standing) << 62) | ((std::uint64_t{1} << 61) - 1 - tolerance),
                         (offMiddle << 20) | (static_cast<std::uint64_t>(Slot(h.field)) << 10)
                             | static_cast<std::uint64_t>(Slot(s.field))});
    };
    const std::vector<ListedFit> listed = ListedFits(size);
    if (candidates != FitCandidates::All) {
        for (const ListedFit& l : listed) {
            const Limits* h = holeAt[Slot(l.hole)];
            const Limits* s = shaftAt[Slot(l.shaft)];
            if (h && s && Admits(candidates, l.standing) && InSystem(system, l.hole, l.shaft))
                add(*h, *s, l.standing);
        }
    } else {
        std::vector<std::uint8_t> standing(static_cast<std::size_t>(kSlots) * kSlots,
                                           static_cast<std::uint8_t>(FitStanding::Other));
        for (const ListedFit& l : listed)
            standing[static_cast<std::size_t>(Slot(l.hole)) * kSlots + Slot(l.shaft)] = static_cast<std::uint8_t>(
                l.standing);
        keyed.reserve(std::min<std::size_t>(holes.size() * shafts.size(), 1 << 16));
        for (const Limits& h : holes) {
            const std::uint8_t* row = &standing[static_cast<std::size_t>(Slot(h.field)) * kSlots];
            for (const Limits& s : shafts)
                add(h, s, static_cast<FitStanding>(row[Slot(s.field)]));
        }
    }
    r.count = keyed.size();

    const auto before = [](const Keyed& a, const Keyed& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    const std::size_t kept = std::min(limit, keyed.size());
    if (kept < keyed.size())
        std::partial_sort(keyed.begin(), keyed.begin() + static_cast<std::ptrdiff_t>(kept), keyed.end(), before);
    else
        std::sort(keyed.begin(), keyed.end(), before);
    r.fits.reserve(kept);
    constexpr std::uint64_t kPlace = (1 << 10) - 1;
    for (std::size_t i = 0; i < kept; ++i) {
        const Limits& h = *holeAt[(keyed[i].second >> 10) & kPlace];
        const Limits& s = *shaftAt[keyed[i].second & kPlace];
        r.fits.push_back(Match(h.field, h.upper, h.lower, s.field, s.upper, s.lower,
                               static_cast<FitStanding>(keyed[i].first >> 62)));
    }
    return r;
}
