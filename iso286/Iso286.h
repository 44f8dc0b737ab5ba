// SPDX-License-Identifier: GPL-3.0-or-later
// The ISO 286-1 system of limits and fits: standard tolerance grades IT01..IT18
// and the fundamental deviations of every hole and shaft letter for nominal
// sizes up to 3150 mm, with the values of ISO 286-2. Plain C++17, no Qt.
//
// Every value is a whole number of nanometres, so nothing is ever rounded
// (IT01 up to 3 mm is 300 nm; js/JS halves are multiples of 50 nm).
// All tables are built at compile time; lookups do not allocate on the
// defined path.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace iso286 {

using Nanometres = long long;

enum class Side { Hole, Shaft };

// Letters in the standard's order; the same enum for holes and shafts (Side tells which).
enum class Letter { A, B, C, CD, D, E, EF, F, FG, G, H, J, JS, K, M, N, P, R, S, T, U, V, X, Y, Z, ZA, ZB, ZC };
constexpr int kLetterCount = 28;

constexpr int kGrade01 = -1;   // IT01; IT0 is 0; IT1..IT18 are 1..18
constexpr int kGradeMax = 18;

struct Field {
    Side side;
    Letter letter;
    int grade;
};
bool operator==(const Field& a, const Field& b);
bool operator!=(const Field& a, const Field& b);

// "H7", "h7", "js6", "JS6", "Js6" (read as the shaft's js6), "h01", "H0", "zc18", "CD5".
// Case-sensitive as in ISO (capital = hole), except the symmetric field: "Js" is the shaft's.
// nullopt for an unknown letter (I, L, O, Q, W …), mixed case other than "Js", no grade,
// a grade above 18, a leading zero other than "01", and any leading or trailing garbage.
std::optional<Field> ParseField(std::string_view text);
// As ISO writes it: "H7", "js6", "JS6", "h01", "CD5".
std::string FieldName(const Field& f);
// The letter alone as ISO writes it for that side: "cd", "JS".
std::string LetterName(Side side, Letter letter);

// The size is given as the smallest whole millimetre at or above it (its ceiling), which is
// all a range lookup needs because every bound is a whole millimetre: a size s lies in
// (a, b] exactly when ceil(s) lies in [a + 1, b]. Valid ceilings are 1..3150.
constexpr int kMaxSizeCeil = 3150;

struct SizeRange {
    int lower, upper;   // mm, "over lower up to and including upper"
};
bool operator==(const SizeRange& a, const SizeRange& b);

// The finest interval the engine uses: the standard's intervals with their
// intermediate subdivisions, and "up to 3 mm" split at 1 mm, because IT14..IT18,
// a, b, A, B and N above IT8 are not used up to 1 mm. Every result of LimitsOf
// is the same for all ceilings of one interval.
std::optional<SizeRange> RangeOf(int sizeCeilMm);
// All those intervals in ascending order: (0, 1], (1, 3], (3, 6] … (2800, 3150].
std::vector<SizeRange> Ranges();

// Why a field is not defined. The kind with the bounds it names (FieldLimits) is all a
// caller needs to say it in words.
enum class Undefined {
    None,
    SizeOutOfRange,       // size <= 0 or above boundMm (3150)
    GradeNotInSystem,     // grade outside gradeLow..gradeHigh (01..18)
    InvalidField,         // side or letter outside its enum
    GradeNotAtSize,       // IT01, IT0 above 500 mm; IT14..IT18 up to 1 mm (boundMm; the
                          // grades gradeLow..gradeHigh)
    LetterNotUpToSize,    // used only above boundMm: a, b, A, B (1); t, T (24); v, V (14);
                          // y, Y (18); N coarser than IT8 (1)
    LetterNotAboveSize,   // used only up to boundMm: cd, ef, fg (and capitals, 10 mm);
                          // a, b, c, v, x, y, z, za, zb, zc, j, J (and capitals, 500);
                          // j8 (3); K coarser than IT8 (3)
    GradeNotForLetter,    // j other than j5..j8, J other than J6..J8 (gradeLow..gradeHigh)
    NoDeltaForGrade,      // K, M, N, P..ZC finer than IT3 over 3 up to 500 mm: the standard
                          // gives the delta only for IT3..IT8 (gradeLow..gradeHigh)
    SideMismatch,         // AnalyseFit only: a shaft given as the hole or a hole as the shaft
};

// What a size rule of an undefined field covers.
enum class Scope {
    Letter,        // the letter in every grade
    Field,         // this letter and grade only (j8)
    CoarseGrades,  // the letter's grades coarser than IT gradeHigh (K and N: IT8)
};

struct FieldLimits {
    Field field;               // the field asked for
    Undefined undefined;       // None when defined
    Scope scope;               // with boundMm, gradeLow and gradeHigh: the rule that leaves it
    int boundMm;               // undefined; each is 0 where the rule names none
    int gradeLow, gradeHigh;
    Nanometres upper, lower;   // ES/es and EI/ei
    Nanometres it;             // the IT value of the grade at the size; for js7..js11 and
                               // JS7..JS11 with an odd IT in whole µm, upper - lower is
                               // IT - 1 µm (the even value below, as ISO 286-1 permits)
    Nanometres fundamental;    // the deviation the standard tabulates for the letter: EI for
                               // A..H, ES for J..ZC, es for a..h, ei for j..zc; for js/JS the
                               // upper. For all but j/J it is the limit nearest the zero line.
    SizeRange range;           // interval of the size ({0, 0} when the size is out of range)

    bool Defined() const { return undefined == Undefined::None; }
};
// upper, lower, it and fundamental are 0 when undefined. Allocates nothing.
FieldLimits LimitsOf(const Field& f, int sizeCeilMm);

// IT value alone: nullopt where the grade is not defined at that size.
std::optional<Nanometres> ToleranceGrade(int grade, int sizeCeilMm);

enum class FitKind { Clearance, Transition, Interference };
struct FitAnalysis {
    FieldLimits hole, shaft;
    bool defined;               // both defined; when false every number below is 0
    Nanometres maxClearance;    // ES - ei (negative = interference)
    Nanometres minClearance;    // EI - es
    Nanometres mean;            // (max + min) / 2, always whole nanometres
    Nanometres fitTolerance;    // max - min = (ES - EI) + (es - ei): IT_hole + IT_shaft, less the
                                // rounding of js/JS7..11 where it applies
    FitKind kind;               // min >= 0 clearance; max <= 0 interference; else transition
};
// Both fields' limits at one size; a field on the wrong side is SideMismatch.
FitAnalysis AnalyseFit(const FieldLimits& hole, const FieldLimits& shaft);
FitAnalysis AnalyseFit(const Field& hole, const Field& shaft, int sizeCeilMm);

// Every field the engine defines at a size, in a stable order (letters in the standard's
// order, then grade 01, 0, 1 … 18) — used to fill pickers. Empty for an invalid size.
std::vector<Field> DefinedFields(Side side, int sizeCeilMm);

}  // namespace iso286
