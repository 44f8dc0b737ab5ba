// SPDX-License-Identifier: GPL-3.0-or-later
// General tolerances for dimensions and features without individual tolerance
// indications: ГОСТ 30893.1-2002 (= ISO 2768-1:1989, classes f, m, c, v) and
// ГОСТ 30893.2-2002 (= ISO 2768-2:1989, classes H, K, L). Data only, plain
// C++17, no Qt. docs/general-tolerance-sources.md lists every source and every
// cell on which public copies disagree.
//
// Units, one per quantity and never mixed:
//   - lengths, range bounds included: whole micrometres (0,5 mm = 500, ±0,05 mm = 50);
//   - angles: whole arc-minutes (±1°30' = 90).
// A cell the standard prints as "—" is kNotDefined (an empty optional), never 0.
// Linear and angular cells are the half-width of a symmetric deviation: the
// standard prints them as "±value".
#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace general_tolerances {

using Cell = std::optional<int>;
inline constexpr Cell kNotDefined = std::nullopt;

// One size range of a table. Every table reads "over a up to and including b":
// lower < s <= upper. The exceptions are spelled out in the data, not assumed:
// - lowerIncluded: the first range of ISO 2768-1 Tables 1 and 2 is printed
//   "0,5 up to 3" and its footnote leaves only sizes below 0,5 mm to the drawing
//   (JIS B 0405, the Japanese counterpart, prints it "0,5 以上 3 以下": at or
//   above 0,5, at or below 3), so 0,5 mm itself belongs to it;
// - a first range printed "up to b" has lowerUm = 0 and lowerIncluded = false:
//   any length above zero;
// - upperUm is empty for a last range printed "over a" with no upper figure.
// A size above the last finite upper bound lies outside the table: not defined.
struct Range {
    int lowerUm;
    bool lowerIncluded;
    std::optional<int> upperUm;
};

// cells[class][range], classes in the order of the class enum below.
template <std::size_t Classes, std::size_t Ranges>
struct Table {
    std::array<Range, Ranges> ranges;
    std::array<std::array<Cell, Ranges>, Classes> cells;
};

// ---------------------------------------------------------------- ISO 2768-1

// Finest to coarsest, with the class names Russian drawings use.
enum class LinearClass { f, m, c, v };
inline constexpr std::size_t kLinearClassCount = 4;
inline constexpr std::array<const char*, kLinearClassCount> kLinearClassLetter = {"f", "m", "c", "v"};
inline constexpr std::array<const char*, kLinearClassCount> kLinearClassName = {
    "точный", "средний", "грубый", "очень грубый"};
constexpr std::size_t Index(LinearClass c) { return static_cast<std::size_t>(c); }

// Below 0,5 mm Tables 1 and 2 give nothing: the standard's footnote says the
// deviation is to be written at the nominal size itself.
inline constexpr int kStatedAtSizeBelowUm = 500;

// Table 1: permissible deviations for linear dimensions except broken edges, µm.
// Keyed from ISO 2768-1:1989 Table 1 as reprinted at
//   https://www.modulusmetal.com/iso-2768-1-and-iso-2768-2-tolerances/
// checked against JIS B 0405-1991 Table 1 (the Japanese ISO 2768-1) at
//   http://www.jaish.gr.jp/horei/hor1-43/hor1-43-3-1-6.html
// Class c up to 6 mm is ±0,2 / ±0,3: copies after DIN ISO 2768-1 that print
// ±0,15 / ±0,2 there disagree with every copy of the standard's own table.
inline constexpr Table<kLinearClassCount, 8> kLinear = {
    {{
        {500, true, 3'000},          // 0,5 up to 3
        {3'000, false, 6'000},       // over 3 up to 6
        {6'000, false, 30'000},
        {30'000, false, 120'000},
        {120'000, false, 400'000},
        {400'000, false, 1'000'000},
        {1'000'000, false, 2'000'000},
        {2'000'000, false, 4'000'000},
    }},
    {{
        {50, 50, 100, 150, 200, 300, 500, kNotDefined},               // f
        {100, 100, 200, 300, 500, 800, 1'200, 2'000},                 // m
        {200, 300, 500, 800, 1'200, 2'000, 3'000, 4'000},             // c
        {kNotDefined, 500, 1'000, 1'500, 2'500, 4'000, 6'000, 8'000}, // v
    }},
};

// Table 2: permissible deviations for broken edges (external radii and chamfer
// heights), µm. Same copies as Table 1. The standard prints f and m as one
// merged row, and c and v as another.
inline constexpr Table<kLinearClassCount, 3> kBrokenEdge = {
    {{
        {500, true, 3'000},       // 0,5 up to 3
        {3'000, false, 6'000},    // over 3 up to 6
        {6'000, false, std::nullopt},  // over 6
    }},
    {{
        {200, 500, 1'000},    // f
        {200, 500, 1'000},    // m
        {400, 1'000, 2'000},  // c
        {400, 1'000, 2'000},  // v
    }},
};

// Table 3: permissible deviations of angular dimensions, arc-minutes, by the
// length of the shorter side of the angle concerned. Same copies as Table 1;
// f and m are one merged row in the standard.
inline constexpr Table<kLinearClassCount, 5> kAngular = {
    {{
        {0, false, 10'000},         // up to 10
        {10'000, false, 50'000},    // over 10 up to 50
        {50'000, false, 120'000},
        {120'000, false, 400'000},
        {400'000, false, std::nullopt},  // over 400
    }},
    {{
        {60, 30, 20, 10, 5},     // f: ±1°, ±0°30', ±0°20', ±0°10', ±0°5'
        {60, 30, 20, 10, 5},     // m
        {90, 60, 30, 15, 10},    // c: ±1°30', ±1°, ±0°30', ±0°15', ±0°10'
        {180, 120, 60, 30, 20},  // v: ±3°, ±2°, ±1°, ±0°30', ±0°20'
    }},
};

// ---------------------------------------------------------------- ISO 2768-2

enum class GeometricClass { H, K, L };
inline constexpr std::size_t kGeometricClassCount = 3;
inline constexpr std::array<const char*, kGeometricClassCount> kGeometricClassLetter = {"H", "K", "L"};
constexpr std::size_t Index(GeometricClass c) { return static_cast<std::size_t>(c); }

// The 2768-2 tables below are keyed from JIS B 0419-1991 (identical text of
// ISO 2768-2:1989) as reprinted at
//   http://kikai-seizu.s-projects.net/general-geometrical-tolerance.html
// whose cells run together in the page text ("0.611.52"); each row was split by
// the table's column count and confirmed against the row-per-range copy at
//   https://rivi-manufacturing.com/普通公差（削り加工・機械加工など）/

// Table 1: straightness and flatness, µm, by nominal length: the length of the
// line for straightness, the longer side of the surface (or the diameter of a
// circular one) for flatness.
inline constexpr Table<kGeometricClassCount, 6> kStraightnessFlatness = {
    {{
        {0, false, 10'000},           // up to 10
        {10'000, false, 30'000},      // over 10 up to 30
        {30'000, false, 100'000},
        {100'000, false, 300'000},
        {300'000, false, 1'000'000},
        {1'000'000, false, 3'000'000},
    }},
    {{
        {20, 50, 100, 200, 300, 400},       // H
        {50, 100, 200, 400, 600, 800},      // K
        {100, 200, 400, 800, 1'200, 1'600}, // L
    }},
};

// Table 2: perpendicularity, µm, by the nominal length of the shorter side.
// K over 1000 up to 3000 is 1 mm; one vendor copy prints 0,8 there against
// every other copy.
inline constexpr Table<kGeometricClassCount, 4> kPerpendicularity = {
    {{
        {0, false, 100'000},           // up to 100
        {100'000, false, 300'000},     // over 100 up to 300
        {300'000, false, 1'000'000},
        {1'000'000, false, 3'000'000},
    }},
    {{
        {200, 300, 400, 500},       // H
        {400, 600, 800, 1'000},     // K
        {600, 1'000, 1'500, 2'000}, // L
    }},
};

// Table 3: symmetry, µm, by nominal length; the same length ranges as Table 2.
// The standard prints H as one cell over all four ranges and K's first cell
// over the first two.
inline constexpr Table<kGeometricClassCount, 4> kSymmetry = {
    {{
        {0, false, 100'000},
        {100'000, false, 300'000},
        {300'000, false, 1'000'000},
        {1'000'000, false, 3'000'000},
    }},
    {{
        {500, 500, 500, 500},       // H
        {600, 600, 800, 1'000},     // K
        {600, 1'000, 1'500, 2'000}, // L
    }},
};

// Table 4: circular run-out, µm: one value per class, whatever the size.
inline constexpr std::array<int, kGeometricClassCount> kCircularRunOutUm = {100, 200, 500};

}  // namespace general_tolerances
