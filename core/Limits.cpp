#include "Limits.h"

#include <optional>

#include "Data_Unit.h"
#include "NumberText.h"

const char* const kNoDataText = "нет данных";

namespace {

// Limit sizes in mm; mid value and radius follow from their sum.
ResultTexts Results(long double max, long double min, Rounding rounding)
{
    const long double sum = max + min;
    const long double mid = sum / 2;
    const long double radius = sum / 4;
    ResultTexts r;
    r.max = FormatGeneral(max);
    r.min = FormatGeneral(min);
    switch (rounding) {
    case Rounding::AsIs:
        r.mid = FormatGeneral(mid);
        r.radius = FormatGeneral(radius);
        break;
    case Rounding::TwoDigits:
        r.mid = FormatFixed(mid, 6, 2);
        r.radius = FormatFixed(radius, 6, 3);
        break;
    case Rounding::ThreeDigits:
        r.mid = FormatFixed(mid, 8, 3);
        r.radius = FormatFixed(radius, 8, 4);
        break;
    }
    return r;
}

}  // namespace

ResultTexts NoDataResults() { return {kNoDataText, kNoDataText, kNoDataText, kNoDataText}; }

DeviationText DeviationDisplay(double micrometres, DeviationUnit unit)
{
    const long double shown = unit == DeviationUnit::Micrometres ? static_cast<long double>(micrometres)
                                                                 : static_cast<long double>(micrometres) / 1000.0L;
    DeviationText d;
    d.positive = micrometres > 0;
    d.text = (d.positive ? "+" : "") + FormatGeneral(shown);
    return d;
}

CatalogueDisplay CatalogueLimits(uint8_t field, const std::string& sizeText, DeviationUnit unit,
                                 Rounding rounding)
{
    CatalogueDisplay d;
    const std::optional<double> size = ReadNumberText(sizeText);
    d.sizeIsNumber = size.has_value();
    // A size that is no number, or that no range holds, has no deviations.
    const DeviationValues pair = size ? DeviationsOf(field, RangeOfSize(*size)) : DeviationValues{false, 0, 0};
    d.present = pair.present;
    if (!d.present) {
        d.upper.text = d.lower.text = kNoDataText;
        d.results = NoDataResults();
        return d;
    }
    d.upper = DeviationDisplay(pair.upper, unit);
    d.lower = DeviationDisplay(pair.lower, unit);
    d.results = Results(static_cast<long double>(pair.upper) / 1000.0L + *size,
                        static_cast<long double>(pair.lower) / 1000.0L + *size, rounding);
    return d;
}

ManualDisplay ManualLimits(const std::string& sizeText, const std::string& upperText,
                           const std::string& lowerText, DeviationUnit unit, Rounding rounding)
{
    ManualDisplay d;
    const std::optional<double> size = ReadNumberText(sizeText);
    const std::optional<double> upper = ReadNumberText(upperText);
    const std::optional<double> lower = ReadNumberText(lowerText);
    d.sizeIsNumber = size.has_value();
    d.upperIsNumber = upper.has_value();
    d.lowerIsNumber = lower.has_value();
    if (!size || !upper || !lower) {
        d.results = NoDataResults();
        return d;
    }
    long double up = *upper;
    long double lo = *lower;
    if (unit == DeviationUnit::Micrometres) {
        up /= 1000.0L;
        lo /= 1000.0L;
    }
    d.results = Results(*size + up, *size + lo, rounding);
    return d;
}
