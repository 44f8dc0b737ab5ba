// SPDX-License-Identifier: GPL-3.0-or-later
// Size ranges and the tolerance field catalogue, built once at start-up.
// Plain C++17, no Qt. Field numbers and range indices count from 1 (slot 0
// of the 1-based tables is unused); list rows count from 0.
#pragma once

#include <cstdint>

constexpr int kRangeCount = 28;
constexpr int kFieldCount = 40;

// A nominal size s belongs to the range with lower < s <= upper (mm).
struct SizeRange {
    int32_t lower;
    int32_t upper;
};

struct ToleranceField {
    uint8_t grade;    // IT grade, 6..16
    char letter[6];   // "h", "Js", ...: at most 5 characters, NUL-terminated
};

// Stored limit deviations in micrometres (field 3, "Js6", in tenths).
struct DeviationPair {
    int32_t lower;
    int32_t upper;
    bool present;
};

// What DeviationsOf hands out: real micrometres. lower/upper are 0 when absent.
struct DeviationValues {
    bool present;
    double lower;
    double upper;
};

struct TFieldCatalogue {
    ToleranceField fields[kFieldCount + 1];                   // [1..40]
    DeviationPair pairs[kFieldCount + 1][kRangeCount + 1];    // [field][range]
};

extern SizeRange SizeRanges[kRangeCount + 1];   // [1..28]
extern TFieldCatalogue FieldCatalogue;
extern const char* const ColourCode[kFieldCount + 1];   // [1..40]: "b", "r" or "gr"
extern const uint8_t GradeOrder[kFieldCount + 1];       // [1..40]: field numbers, grade-sorted
extern uint8_t ListFieldMap[kFieldCount];               // [row 0..39]: field number on that row

void BuildSizeRanges();
void BuildDeviationTable();
void BuildFieldNames();

// Range index 1..28 of a size in mm; 0 when no range holds it
// (0 or less, above 1000, not a number).
uint8_t RangeOfSize(double size);

// fieldNumber 1..40, rangeIndex 1..28; anything else gives "not present".
DeviationValues DeviationsOf(uint8_t fieldNumber, uint8_t rangeIndex);

uint8_t FieldOfRow(uint8_t row);
