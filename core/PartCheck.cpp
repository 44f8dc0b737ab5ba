// SPDX-License-Identifier: GPL-3.0-or-later
#include "PartCheck.h"

#include "Designation.h"
#include "NumberText.h"

namespace {

constexpr int kStatisticsDigits = 12;
const char* const kUndefinedFigure = "—";

size_t Index(Verdict v) { return static_cast<size_t>(v); }

std::string Mm(const Millimetres& length) { return FormatGeneral(length.Value()) + " мм"; }
std::string Um(const Micrometres& length) { return FormatGeneral(length.Value()) + " мкм"; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view s)
{
    for (;;) {
        if (!s.empty() && IsBlank(s.front()))
            s.remove_prefix(1);
        else if (s.substr(0, 2) == "\xC2\xA0")  // no-break space
            s.remove_prefix(2);
        else
            break;
    }
    for (;;) {
        if (!s.empty() && IsBlank(s.back()))
            s.remove_suffix(1);
        else if (s.size() >= 2 && s.substr(s.size() - 2) == "\xC2\xA0")
            s.remove_suffix(2);
        else
            break;
    }
    return s;
}

}  // namespace

const char* VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Good: return "годен";
    case Verdict::Rework: return "брак исправимый";
    case Verdict::Scrap: break;
    }
    return "брак неисправимый";
}

CheckSetup CheckLimitsOf(const FieldResult& field, const Micrometres& guard)
{
    CheckSetup setup;
    if (!field.defined || !field.field) {
        setup.error = ReasonText(field);
        if (setup.error.empty())
            setup.error = "Поле допуска не определено.";
        return setup;
    }
    if (guard.Sign() < 0) {
        setup.error = "Приёмочные границы смещаются внутрь допуска: смещение не может быть отрицательным.";
        return setup;
    }
    const Micrometres tolerance = field.Tolerance();
    if (tolerance <= guard + guard) {
        setup.error = "Смещение приёмочных границ " + Um(guard) + " не меньше половины допуска " + Um(tolerance)
                      + ": годных размеров не остаётся.";
        return setup;
    }
    CheckLimits limits;
    limits.field = field;
    limits.guard = guard;
    limits.acceptUpper = field.max - Millimetres(guard);
    limits.acceptLower = field.min + Millimetres(guard);
    setup.limits = std::move(limits);
    return setup;
}

CheckSetup ReadCheck(std::string_view designation, const Micrometres& guard)
{
    DesignationReading reading = ReadDesignation(designation);
    if (!reading.designation) {
        CheckSetup setup;
        setup.error = std::move(reading.error);
        return setup;
    }
    const Designation& d = *reading.designation;
    if (d.shaft) {
        CheckSetup setup;
        setup.error = "Для контроля нужно одно поле — отверстия или вала, а не посадка.";
        return setup;
    }
    return CheckLimitsOf(IsoField(d.field, d.size), guard);
}

Judgement Judge(const CheckLimits& limits, const Millimetres& measured)
{
    Judgement j;
    const Millimetres toUpper = limits.field.max - measured;
    const Millimetres toLower = measured - limits.field.min;
    j.toUpper = Micrometres(toUpper);
    j.toLower = Micrometres(toLower);
    const bool above = limits.acceptUpper < measured;
    const bool below = measured < limits.acceptLower;
    if (above || below) {
        // Material comes off a shaft that is too large or a hole that is too small.
        j.verdict = above != limits.IsHole() ? Verdict::Rework : Verdict::Scrap;
        j.above = above;
        j.byGuard = (above ? toUpper : toLower).Sign() >= 0;
    }
    j.position = RoundedQuotient(toLower.Value() * 100, limits.Tolerance().Value(), -1);
    return j;
}

std::string VerdictReason(const CheckLimits& limits, const Judgement& j)
{
    if (j.verdict == Verdict::Good)
        return limits.guard.Sign() > 0 ? "в пределах приёмочных границ" : "в пределах допуска";
    if (j.byGuard)
        return j.above ? "в допуске, но больше верхней приёмочной границы " + Mm(limits.acceptUpper)
                       : "в допуске, но меньше нижней приёмочной границы " + Mm(limits.acceptLower);
    return j.above ? "больше наибольшего предельного размера " + Mm(limits.field.max)
                   : "меньше наименьшего предельного размера " + Mm(limits.field.min);
}

// ---- Reading typed numbers

std::optional<ExactDecimal> ReadCommaOrPoint(std::string_view text)
{
    std::string s(Trimmed(text));
    const size_t point = s.find('.');
    if (point != std::string::npos && s.find(',') == std::string::npos)
        s[point] = ',';
    return ReadDecimalText(s);
}

MeasuredReading ReadMeasured(std::string_view text)
{
    MeasuredReading r;
    if (Trimmed(text).empty()) {
        r.error = "Нет значения.";
        return r;
    }
    std::optional<ExactDecimal> value = ReadCommaOrPoint(text);
    if (!value)
        r.error = "Не число: нужен размер в миллиметрах, например 25,013.";
    else if (value->Sign() <= 0)
        r.error = "Размер детали должен быть больше 0 мм.";
    else
        r.value = Millimetres(std::move(*value));
    return r;
}

std::optional<Micrometres> ReadGuard(std::string_view text)
{
    if (Trimmed(text).empty())
        return Micrometres();
    std::optional<ExactDecimal> value = ReadCommaOrPoint(text);
    if (!value || value->Sign() < 0)
        return std::nullopt;
    return Micrometres(std::move(*value));
}

// ---- A batch

void BatchTally::Add(const Millimetres& value, Verdict verdict)
{
    ++count_;
    ++verdicts_[Index(verdict)];
    if (!min_ || value < *min_)
        min_ = value;
    if (!max_ || *max_ < value)
        max_ = value;
    sum_ = sum_ + value.Value();
    sumOfSquares_ = sumOfSquares_ + value.Value() * value.Value();
}

BatchSummary BatchTally::Summary() const
{
    BatchSummary s;
    s.count = count_;
    s.verdicts = verdicts_;
    s.invalid = invalid_;
    if (count_ == 0)
        return s;
    s.min = min_;
    s.max = max_;
    const ExactDecimal n(static_cast<long>(count_), 0);
    s.mean = Millimetres(SignificantQuotient(sum_, n, kStatisticsDigits));
    // (sum - n mid) / n, in micrometres.
    s.meanFromMid = Micrometres(Millimetres(
        SignificantQuotient(sum_ - limits_.field.mid.Value() * static_cast<long>(count_), n, kStatisticsDigits)));
    if (count_ < 2)
        return s;
    // s² = (n Σx² - (Σx)²) / (n (n - 1)): one exact quotient, one rounding.
    const ExactDecimal spread = sumOfSquares_ * n - sum_ * sum_;
    const ExactDecimal pairs = n * ExactDecimal(static_cast<long>(count_ - 1), 0);
    s.stdev = Micrometres(Millimetres(SignificantSquareRoot(spread, pairs, kStatisticsDigits)));
    if (spread.Sign() == 0)
        return s;
    // Cp² = T² n (n - 1) / (36 spread).
    const ExactDecimal t = limits_.Tolerance().Value();
    s.cp = SignificantSquareRoot(t * t * pairs, spread * 36, kStatisticsDigits);
    // With D = min(n USL - Σx, Σx - n LSL): Cpk = D / (3 n s), so Cpk² = D² (n - 1) / (9 n spread).
    const ExactDecimal upper = limits_.field.max.Value() * static_cast<long>(count_) - sum_;
    const ExactDecimal lower = sum_ - limits_.field.min.Value() * static_cast<long>(count_);
    const ExactDecimal d = upper < lower ? upper : lower;
    const ExactDecimal cpk = SignificantSquareRoot(d * d * ExactDecimal(static_cast<long>(count_ - 1), 0),
                                                   spread * n * 9, kStatisticsDigits);
    s.cpk = d.Sign() < 0 ? -cpk : cpk;
    return s;
}

HistogramTally::HistogramTally(const CheckLimits& limits)
    : min_(limits.field.min.Value()), max_(limits.field.max.Value()), tolerance_(limits.Tolerance().Value())
{
}

void HistogramTally::Add(const Millimetres& value, Verdict verdict)
{
    constexpr int k = HistogramBins::kBinsPerTolerance, outside = HistogramBins::kBinsOutside;
    static const ExactDecimal lowest(-outside, 0), highest(k - 1 + outside, 0);
    size_t slot;
    if (value.Value() == max_) {
        slot = k - 1 + outside + 1;
    } else {
        const ExactDecimal bin = FloorQuotient((value.Value() - min_) * k, tolerance_);
        if (bin < lowest)
            slot = 0;
        else if (highest < bin)
            slot = bins_.size() - 1;
        else
            slot = static_cast<size_t>(bin.Ceiling() + outside + 1);
    }
    ++bins_[slot][Index(verdict)];
}

HistogramBins HistogramTally::Bins() const
{
    constexpr int k = HistogramBins::kBinsPerTolerance, outside = HistogramBins::kBinsOutside;
    const auto empty = [](const std::array<size_t, 3>& c) { return c[0] + c[1] + c[2] == 0; };
    int low = -1, high = k;
    for (size_t slot = 0; slot < bins_.size(); ++slot) {
        if (empty(bins_[slot]))
            continue;
        int bin = static_cast<int>(slot) - outside - 1;
        bin = bin < -outside ? -outside : bin > k - 1 + outside ? k - 1 + outside : bin;
        low = bin < low ? bin : low;
        high = bin > high ? bin : high;
    }
    HistogramBins h;
    h.first = low;
    h.counts.resize(static_cast<size_t>(high - low + 1));
    for (int bin = low; bin <= high; ++bin)
        h.counts[static_cast<size_t>(bin - low)] = bins_[static_cast<size_t>(bin + outside + 1)];
    const std::array<size_t, 3>& below = bins_.front();
    const std::array<size_t, 3>& above = bins_.back();
    for (size_t v = 0; v < 3; ++v) {
        h.counts.front()[v] += below[v];
        h.counts.back()[v] += above[v];
        h.beyondBelow += below[v];
        h.beyondAbove += above[v];
    }
    return h;
}

SummaryTexts WriteSummaryTexts(const BatchSummary& s)
{
    SummaryTexts t;
    t.count = std::to_string(s.count);
    t.good = std::to_string(s.verdicts[Index(Verdict::Good)]);
    t.rework = std::to_string(s.verdicts[Index(Verdict::Rework)]);
    t.scrap = std::to_string(s.verdicts[Index(Verdict::Scrap)]);
    t.invalid = std::to_string(s.invalid);
    const auto figure = [](const auto& value) {
        return value ? FormatGeneral(value->Value()) : std::string(kUndefinedFigure);
    };
    t.min = figure(s.min);
    t.max = figure(s.max);
    t.mean = figure(s.mean);
    t.meanFromMid = figure(s.meanFromMid);
    t.stdev = figure(s.stdev);
    t.cp = s.cp ? FormatGeneral(*s.cp) : kUndefinedFigure;
    t.cpk = s.cpk ? FormatGeneral(*s.cpk) : kUndefinedFigure;
    return t;
}

const char* const kStatisticsFormulas[3] = {
    "s — выборочное стандартное отклонение: s² = Σ(x − x̄)² / (n − 1)",
    "Cp = T / 6s, T — допуск",
    "Cpk = min(Dmax − x̄, x̄ − Dmin) / 3s, Dmax и Dmin — наибольший и наименьший предельные размеры",
};
