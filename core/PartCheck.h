// SPDX-License-Identifier: GPL-3.0-or-later
// «Контроль»: measured sizes of parts against the limits of their field. A
// measured size is read as the exact decimal typed and compared exactly with
// the exact limit sizes, so a part measured on a limit is always good. The
// statistics of a batch come from exact sums; only the mean, the standard
// deviation and the capability indices round, to 12 significant digits.
// Plain C++17, no Qt.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FieldResult.h"
#include "Units.h"

enum class Verdict { Good, Rework, Scrap };

// «годен», «брак исправимый», «брак неисправимый».
const char* VerdictText(Verdict verdict);

// A field's limits and, a guard band inside them, the acceptance limits
// that decide. A shaft above its acceptance limit, or a hole below it, can
// still have material removed: rework; the other way round it is scrap.
struct CheckLimits {
    FieldResult field;  // defined, with its ISO field
    Micrometres guard;  // 0 or more, less than half the tolerance
    Millimetres acceptUpper, acceptLower;

    bool IsHole() const { return field.field->side == iso286::Side::Hole; }
    Millimetres Tolerance() const { return field.max - field.min; }
};

struct CheckSetup {
    std::optional<CheckLimits> limits;
    std::string error;  // one Russian sentence when there are no limits
};
// A defined field and a guard band; the error says why not (the field is
// not defined, the guard band is negative or leaves no room for good parts).
CheckSetup CheckLimitsOf(const FieldResult& field, const Micrometres& guard);
// A designation of one field as drawings write it ("25H7", "Ø40g6").
CheckSetup ReadCheck(std::string_view designation, const Micrometres& guard);

struct Judgement {
    Verdict verdict = Verdict::Good;
    // A reject lies above the upper acceptance limit, else below the lower.
    bool above = false;
    // Rejected by the guard band alone: the size lies within the tolerance.
    bool byGuard = false;
    // To the largest and to the smallest limit size; negative outside.
    Micrometres toUpper, toLower;
    // Where the size lies in the tolerance: 0 at the smallest limit size,
    // 100 at the largest; rounded half away from zero to 0,1.
    ExactDecimal position;
};
Judgement Judge(const CheckLimits& limits, const Millimetres& measured);

// Why a verdict was given, for a person: «в пределах допуска», «больше
// наибольшего предельного размера 25,021 мм», «в допуске, но больше верхней
// приёмочной границы 25,019 мм» …
std::string VerdictReason(const CheckLimits& limits, const Judgement& judgement);

// ---- Reading typed numbers

// A number with a decimal comma or point and blanks (spaces, tabs,
// no-break spaces) around; nullopt for anything else.
std::optional<ExactDecimal> ReadCommaOrPoint(std::string_view text);

struct MeasuredReading {
    std::optional<Millimetres> value;
    std::string error;  // why the text is no measured size
};
// A measured size in millimetres, above 0.
MeasuredReading ReadMeasured(std::string_view text);
// A guard band in micrometres, 0 or more; blank reads as 0.
std::optional<Micrometres> ReadGuard(std::string_view text);

// ---- A batch

struct BatchSummary {
    size_t count = 0;                  // measured sizes
    std::array<size_t, 3> verdicts{};  // by Verdict
    size_t invalid = 0;                // entries that were no measured size
    std::optional<Millimetres> min, max;
    std::optional<Millimetres> mean;         // to 12 significant digits
    std::optional<Micrometres> meanFromMid;  // mean - mid-tolerance size, to 12 significant digits
    // Sample standard deviation (n - 1), to 12 significant digits; n >= 2.
    std::optional<Micrometres> stdev;
    // T / 6s and min(USL - mean, mean - LSL) / 3s from the exact values, to
    // 12 significant digits; n >= 2 and s > 0.
    std::optional<ExactDecimal> cp, cpk;
};

// Sums of a batch's sizes kept exactly, one size at a time.
class BatchTally {
public:
    explicit BatchTally(const CheckLimits& limits) : limits_(limits) {}

    void Add(const Millimetres& value, Verdict verdict);
    void AddInvalid() { ++invalid_; }
    BatchSummary Summary() const;

private:
    CheckLimits limits_;
    std::array<size_t, 3> verdicts_{};
    size_t count_ = 0, invalid_ = 0;
    std::optional<Millimetres> min_, max_;
    ExactDecimal sum_, sumOfSquares_;  // mm and mm²
};

// A histogram whose bins split the tolerance into equal parts, so that both
// limit sizes fall on bin edges: bin i holds the sizes from min + i w up to
// (not including) min + (i + 1) w, w = T / kBinsPerTolerance; the last bin
// inside the tolerance also holds the largest limit size.
struct HistogramBins {
    static constexpr int kBinsPerTolerance = 10;
    static constexpr int kBinsOutside = 5;  // at most, on each side

    int first = -1;                             // index of the first bin shown
    std::vector<std::array<size_t, 3>> counts;  // per bin shown, by Verdict
    // Sizes beyond the bins shown, counted in the first or last bin.
    size_t beyondBelow = 0, beyondAbove = 0;

    int Last() const { return first + static_cast<int>(counts.size()) - 1; }
};

class HistogramTally {
public:
    explicit HistogramTally(const CheckLimits& limits);

    void Add(const Millimetres& value, Verdict verdict);
    // At least one bin on either side of the tolerance.
    HistogramBins Bins() const;

private:
    ExactDecimal min_, max_, tolerance_;
    // From index -kBinsOutside - 1 (everything below) to kBinsPerTolerance +
    // kBinsOutside (everything above).
    std::array<std::array<size_t, 3>, HistogramBins::kBinsPerTolerance + 2 * HistogramBins::kBinsOutside + 2> bins_{};
};

// ---- Texts of a summary, as the window, the protocol and the tool's text
// line write them: "—" where a figure is not defined.

struct SummaryTexts {
    std::string count, good, rework, scrap, invalid;
    std::string min, max, mean, meanFromMid, stdev, cp, cpk;
};
SummaryTexts WriteSummaryTexts(const BatchSummary& summary);

// How the figures are computed, in a line each, for the window and the protocol.
extern const char* const kStatisticsFormulas[3];
