// SPDX-License-Identifier: GPL-3.0-or-later
// Which fits the standards advise: the ISO preferred fits and the fits
// ГОСТ 25347-82 recommends, as constant data for the fit search (preferred
// first, then the rest of a list, then fits in no list). Plain C++17, no Qt.
//
// Names are written as ISO writes them and as iso286::ParseField reads them:
// capital letters for the hole, small for the shaft. ЕСДП prints the symmetric
// hole as "Js7"; it is kept here as "JS7", because ParseField reads "Js7" as
// the shaft js7.
//
// Every list was keyed from public copies of the standard or of books that
// reprint it; the copies, what they disagree on and what they could not settle
// are in docs/fit-list-sources.md.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace fit_lists {

enum class Basis { Hole, Shaft };

// Whether the list marks a fit as preferred. Unknown: the fit is in the list,
// but the copies we had lost the frames that mark preferred fits, so it must
// not be ranked as preferred, nor reported as "not preferred".
enum class Preference { Preferred, NotPreferred, Unknown };

// Nominal sizes from fromMm up to and including toMm, as a heading "от 1 до
// 500 мм" gives them. {0, 0}: no size limit is stated.
struct SizeSpan {
    int fromMm = 0;
    int toMm = 0;
    constexpr bool Stated() const { return toMm != 0; }
};

struct Fit {
    std::string_view hole;   // "H7", "JS7"
    std::string_view shaft;  // "g6", "js6"
    Preference preference;
    SizeSpan sizes;          // narrower sizes a note of the table gives the fit
    std::string_view note;   // that note as the table prints it; "" when none
};

struct FitList {
    std::string_view title;  // Russian, for a window
    Basis basis;
    SizeSpan sizes;          // the sizes the whole table is given for
    bool complete;           // false: only part of the standard's list is confirmed
    const Fit* fits;
    std::size_t count;
    constexpr const Fit* begin() const { return fits; }
    constexpr const Fit* end() const { return fits + count; }
};

namespace detail {

constexpr Fit Preferred(std::string_view hole, std::string_view shaft)
{
    return {hole, shaft, Preference::Preferred, {}, {}};
}
// A fit of a copy whose frames were lost.
constexpr Fit Listed(std::string_view hole, std::string_view shaft)
{
    return {hole, shaft, Preference::Unknown, {}, {}};
}

// ---------------------------------------------------------------- ISO

// The preferred fits of ISO 1829, reprinted in ANSI B4.2-1978 ("Preferred
// metric limits and fits", table of preferred fits) and in handbooks.
// Keyed from: amesweb.info, "Preferred metric fits and tolerances",
//   https://www.amesweb.info/FitTolerance/PreferredTolerances.aspx
// Checked against (tests/test_fit_lists.cpp): marineengineering.softecks.in,
//   https://marineengineering.softecks.in/942 , the same table; and, as far
//   as its copy could be read, https://www.jpe-innovations.com/precision-point/preferred-fits/
// Order: loosest to tightest, as the table runs.
inline constexpr Fit kIsoHoleBasisFits[] = {
    Preferred("H11", "c11"),  // loose running
    Preferred("H9", "d9"),    // free running
    Preferred("H8", "f7"),    // close running
    Preferred("H7", "g6"),    // sliding
    Preferred("H7", "h6"),    // locational clearance
    Preferred("H7", "k6"),    // locational transition
    Preferred("H7", "n6"),    // locational transition
    Preferred("H7", "p6"),    // locational interference
    Preferred("H7", "s6"),    // medium drive
    Preferred("H7", "u6"),    // force
};
inline constexpr Fit kIsoShaftBasisFits[] = {
    Preferred("C11", "h11"),
    Preferred("D9", "h9"),
    Preferred("F8", "h7"),
    Preferred("G7", "h6"),
    Preferred("H7", "h6"),
    Preferred("K7", "h6"),
    Preferred("N7", "h6"),
    Preferred("P7", "h6"),
    Preferred("S7", "h6"),
    Preferred("U7", "h6"),
};

// ---------------------------------------------------------------- ГОСТ 25347-82

// ГОСТ 25347-82 «ЕСДП. Поля допусков и рекомендуемые посадки», table
// «Рекомендуемые посадки в системе отверстия при номинальных размерах от 1
// до 500 мм». ГОСТ 25347-2013 (ISO 286-2:2010), which replaced it, has no
// table of recommended fits.
// Keyed from: В. М. Волков, «Рекомендуемые посадки и поля допусков»,
//   учебное издание, 2006, table «Рекомендуемые посадки в системе отверстия
//   (ГОСТ 25347-89 [sic])», https://studfile.net/preview/14714471/page:6
// The copy names preferred fits in its legend but lost the frames, and its
// note is cut off after «Примечание.»: no fit is marked preferred and no note
// is keyed. The second keying (by columns, from the same copy) and the 8 fits
// that Г. О. Залева's table 21 also prints are checked in the test.
// Rows as the table runs: by hole, then by shaft letter a … z.
inline constexpr Fit kGostHoleBasisFits[] = {
    Listed("H5", "g4"), Listed("H5", "h4"), Listed("H5", "js4"), Listed("H5", "k4"),
    Listed("H5", "m4"), Listed("H5", "n4"),

    Listed("H6", "f6"), Listed("H6", "g5"), Listed("H6", "h5"), Listed("H6", "js5"),
    Listed("H6", "k5"), Listed("H6", "m5"), Listed("H6", "n5"), Listed("H6", "p5"),
    Listed("H6", "r5"), Listed("H6", "s5"),

    Listed("H7", "c8"), Listed("H7", "d8"), Listed("H7", "e7"), Listed("H7", "e8"),
    Listed("H7", "f7"), Listed("H7", "g6"), Listed("H7", "h6"), Listed("H7", "js6"),
    Listed("H7", "k6"), Listed("H7", "m6"), Listed("H7", "n6"), Listed("H7", "p6"),
    Listed("H7", "r6"), Listed("H7", "s6"), Listed("H7", "s7"), Listed("H7", "t6"),
    Listed("H7", "u7"),

    // H8 takes two rows in the table: grade 7 and 8 shafts, then grade 9.
    Listed("H8", "c8"), Listed("H8", "d8"), Listed("H8", "e8"), Listed("H8", "f7"),
    Listed("H8", "f8"), Listed("H8", "h7"), Listed("H8", "h8"), Listed("H8", "js7"),
    Listed("H8", "k7"), Listed("H8", "m7"), Listed("H8", "n7"), Listed("H8", "s7"),
    Listed("H8", "u8"), Listed("H8", "x8"), Listed("H8", "z8"),
    Listed("H8", "d9"), Listed("H8", "e9"), Listed("H8", "f9"), Listed("H8", "h9"),

    Listed("H9", "d9"), Listed("H9", "e8"), Listed("H9", "e9"), Listed("H9", "f8"),
    Listed("H9", "f9"), Listed("H9", "h8"), Listed("H9", "h9"),

    Listed("H10", "d10"), Listed("H10", "h9"), Listed("H10", "h10"),

    Listed("H11", "a11"), Listed("H11", "b11"), Listed("H11", "c11"), Listed("H11", "d11"),
    Listed("H11", "h11"),

    Listed("H12", "b12"), Listed("H12", "h12"),
};

// ГОСТ 25347-82, table «Рекомендуемые посадки в системе вала …». No public
// copy of the table itself was found; these are only the shaft-basis fits
// that Г. О. Залева, «Метрология, стандартизация и сертификация», 2006,
// table 21 (continued) prints with their limit clearances,
//   https://zzapomni.com/zaleva-metrologiya-standartizaci-2006-5192/105
// The list is therefore incomplete; whether any of them is preferred is not
// shown there either.
inline constexpr Fit kGostShaftBasisFits[] = {
    Listed("A11", "h11"), Listed("B11", "h11"), Listed("C11", "h11"), Listed("D11", "h11"),
    Listed("H11", "h11"),
    Listed("B12", "h12"), Listed("H12", "h12"),
};

}  // namespace detail

inline constexpr FitList kIsoPreferredHoleBasis{
    "ISO: предпочтительные посадки в системе отверстия", Basis::Hole, {}, true,
    detail::kIsoHoleBasisFits, std::size(detail::kIsoHoleBasisFits)};
inline constexpr FitList kIsoPreferredShaftBasis{
    "ISO: предпочтительные посадки в системе вала", Basis::Shaft, {}, true,
    detail::kIsoShaftBasisFits, std::size(detail::kIsoShaftBasisFits)};
inline constexpr FitList kGostHoleBasis{
    "ГОСТ 25347-82: рекомендуемые посадки в системе отверстия", Basis::Hole, {1, 500}, true,
    detail::kGostHoleBasisFits, std::size(detail::kGostHoleBasisFits)};
inline constexpr FitList kGostShaftBasis{
    "ГОСТ 25347-82: рекомендуемые посадки в системе вала", Basis::Shaft, {1, 500}, false,
    detail::kGostShaftBasisFits, std::size(detail::kGostShaftBasisFits)};

inline constexpr const FitList* kAllLists[] = {
    &kIsoPreferredHoleBasis, &kIsoPreferredShaftBasis, &kGostHoleBasis, &kGostShaftBasis};

}  // namespace fit_lists
