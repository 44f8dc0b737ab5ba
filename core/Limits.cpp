#include "Limits.h"

#include <cmath>
#include <optional>

#include "Data_Unit.h"
#include "NumberText.h"

const char* const kNoDataText = "нет данных";

ResultTexts NoDataResults() { return {kNoDataText, kNoDataText, kNoDataText, kNoDataText}; }

ExactDecimal ExactMicrometres(double micrometres)
{
    // Tenths are exact for every catalogue value.
    return ExactDecimal(std::lround(micrometres * 10), -1);
}

uint8_t RangeOfExactSize(const ExactDecimal& size)
{
    static const ExactDecimal one(1, 0);
    if (size.Sign() <= 0 || size > ExactDecimal(SizeRanges[kRangeCount].upper, 0))
        return 0;
    if (size == one)
        return 2;
    // Every bound is whole: a size lies in (lower, upper] exactly when its
    // ceiling lies in [lower + 1, upper].
    const long ceiling = size.Ceiling();
    for (uint8_t r = 1; r <= kRangeCount; ++r)
        if (SizeRanges[r].lower < ceiling && ceiling <= SizeRanges[r].upper)
            return r;
    return 0;
}

DeviationText DeviationDisplay(const ExactDecimal& micrometres, DeviationUnit unit)
{
    DeviationText d;
    d.positive = micrometres.Sign() > 0;
    const ExactDecimal shown = unit == DeviationUnit::Micrometres ? micrometres : micrometres.Shifted(-3);
    d.text = (d.positive ? "+" : "") + FormatGeneral(shown);
    return d;
}

LimitValues ComputeLimits(const ExactDecimal& size, const ExactDecimal& upperMicrometres,
                          const ExactDecimal& lowerMicrometres)
{
    LimitValues v;
    v.max = size + upperMicrometres.Shifted(-3);
    v.min = size + lowerMicrometres.Shifted(-3);
    const ExactDecimal sum = v.max + v.min;
    v.mid = sum.Half();
    v.radius = sum.Quarter();
    return v;
}

ResultTexts LimitResults(const ExactDecimal& size, const ExactDecimal& upperMicrometres,
                         const ExactDecimal& lowerMicrometres, Rounding rounding)
{
    const LimitValues v = ComputeLimits(size, upperMicrometres, lowerMicrometres);
    ResultTexts r;
    r.max = FormatGeneral(v.max);
    r.min = FormatGeneral(v.min);
    switch (rounding) {
    case Rounding::AsIs:
        r.mid = FormatGeneral(v.mid);
        r.radius = FormatGeneral(v.radius);
        break;
    case Rounding::TwoDigits:
        r.mid = FormatFixed(v.mid, 6, 2);
        r.radius = FormatFixed(v.radius, 6, 3);
        break;
    case Rounding::ThreeDigits:
        r.mid = FormatFixed(v.mid, 8, 3);
        r.radius = FormatFixed(v.radius, 8, 4);
        break;
    }
    return r;
}

CatalogueDisplay CatalogueLimits(uint8_t field, const std::string& sizeText, DeviationUnit unit,
                                 Rounding rounding)
{
    CatalogueDisplay d;
    const std::optional<ExactDecimal> size = ReadDecimalText(sizeText);
    d.sizeIsNumber = size.has_value();
    // A size that is no number, or that no range holds, has no deviations.
    const DeviationValues pair =
        size ? DeviationsOf(field, RangeOfExactSize(*size)) : DeviationValues{false, 0, 0};
    d.present = pair.present;
    if (!d.present) {
        d.upper.text = d.lower.text = kNoDataText;
        d.results = NoDataResults();
        return d;
    }
    const ExactDecimal upper = ExactMicrometres(pair.upper);
    const ExactDecimal lower = ExactMicrometres(pair.lower);
    d.upper = DeviationDisplay(upper, unit);
    d.lower = DeviationDisplay(lower, unit);
    d.results = LimitResults(*size, upper, lower, rounding);
    return d;
}

ManualDisplay ManualLimits(const std::string& sizeText, const std::string& upperText,
                           const std::string& lowerText, DeviationUnit unit, Rounding rounding)
{
    ManualDisplay d;
    const std::optional<ExactDecimal> size = ReadDecimalText(sizeText);
    const std::optional<ExactDecimal> upper = ReadDecimalText(upperText);
    const std::optional<ExactDecimal> lower = ReadDecimalText(lowerText);
    d.sizeIsNumber = size.has_value();
    d.upperIsNumber = upper.has_value();
    d.lowerIsNumber = lower.has_value();
    if (!size || !upper || !lower) {
        d.results = NoDataResults();
        return d;
    }
    // Typed in millimetres unless the box says micrometres.
    const long toMicrometres = unit == DeviationUnit::Micrometres ? 0 : 3;
    d.results = LimitResults(*size, upper->Shifted(toMicrometres), lower->Shifted(toMicrometres), rounding);
    return d;
}
