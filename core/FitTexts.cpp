#include "FitTexts.h"

#include <algorithm>

#include "CatalogueIso.h"
#include "Data_Unit.h"
#include "IsoLimits.h"
#include "NumberText.h"

namespace {

// The names a clearance and an interference go by.
struct Sense {
    const char* symbol;
    const char* name;
};
constexpr Sense kLargestClearance{"Smax", "Наибольший зазор"};
constexpr Sense kSmallestClearance{"Smin", "Наименьший зазор"};
constexpr Sense kLargestInterference{"Nmax", "Наибольший натяг"};
constexpr Sense kSmallestInterference{"Nmin", "Наименьший натяг"};
constexpr Sense kMeanClearance{"Sm", "Средний зазор"};
constexpr Sense kMeanInterference{"Nm", "Средний натяг"};
constexpr Sense kFitTolerance{"T", "Допуск посадки"};

std::string Millimetres(const ExactDecimal& micrometres) { return FormatGeneral(micrometres.Shifted(-3)); }

FitFigure Figure(const Sense& sense, const ExactDecimal* micrometres)
{
    FitFigure f{sense.symbol, sense.name, kNoDataText, kNoDataText};
    if (micrometres) {
        f.um = FormatGeneral(*micrometres);
        f.mm = Millimetres(*micrometres);
    }
    return f;
}

// Decimals of a positional number text; -1 for one with an exponent.
int Decimals(const std::string& text)
{
    if (text.find('E') != std::string::npos)
        return -1;
    const size_t comma = text.find(',');
    return comma == std::string::npos ? 0 : static_cast<int>(text.size() - comma - 1);
}

std::string WithDecimals(std::string text, int decimals)
{
    int have = Decimals(text);
    if (have < 0 || text == "0")
        return text;
    if (have == 0 && decimals > 0)
        text += ',';
    for (; have < decimals; ++have)
        text += '0';
    return text;
}

std::string Signed(const ExactDecimal& value, const std::string& text)
{
    return value.Sign() > 0 ? "+" + text : text;
}

}  // namespace

FitFigures FitFiguresOf(const iso286::FitAnalysis& fit)
{
    if (!fit.defined)
        return {Figure(kLargestClearance, nullptr), Figure(kSmallestClearance, nullptr),
                Figure(kMeanClearance, nullptr), Figure(kFitTolerance, nullptr)};
    const ExactDecimal largest = NanometresToMicrometres(fit.maxClearance);
    const ExactDecimal smallest = NanometresToMicrometres(fit.minClearance);
    const ExactDecimal mean = NanometresToMicrometres(fit.mean);
    const ExactDecimal tolerance = NanometresToMicrometres(fit.fitTolerance);
    const ExactDecimal largestInterference = -smallest;
    const ExactDecimal smallestInterference = -largest;
    const ExactDecimal meanInterference = -mean;
    FitFigures f;
    switch (fit.kind) {
    case iso286::FitKind::Clearance:
        f.first = Figure(kLargestClearance, &largest);
        f.second = Figure(kSmallestClearance, &smallest);
        break;
    case iso286::FitKind::Transition:
        f.first = Figure(kLargestClearance, &largest);
        f.second = Figure(kLargestInterference, &largestInterference);
        break;
    case iso286::FitKind::Interference:
        f.first = Figure(kLargestInterference, &largestInterference);
        f.second = Figure(kSmallestInterference, &smallestInterference);
        break;
    }
    f.mean = mean.Sign() < 0 ? Figure(kMeanInterference, &meanInterference) : Figure(kMeanClearance, &mean);
    f.tolerance = Figure(kFitTolerance, &tolerance);
    return f;
}

std::string ToleranceText(const iso286::FieldLimits& limits, DeviationUnit unit)
{
    if (limits.undefined != iso286::Undefined::None)
        return kNoDataText;
    const ExactDecimal micrometres = NanometresToMicrometres(limits.upper - limits.lower);
    return FormatGeneral(unit == DeviationUnit::Micrometres ? micrometres : micrometres.Shifted(-3));
}

std::string SignedMicrometres(iso286::Nanometres nm)
{
    return DeviationDisplay(NanometresToMicrometres(nm), DeviationUnit::Micrometres).text;
}

std::optional<ClipboardTexts> FieldClipboard(const std::string& name, const ExactDecimal& size,
                                             const ExactDecimal& upperMicrometres,
                                             const ExactDecimal& lowerMicrometres)
{
    if (size.Sign() <= 0)
        return std::nullopt;
    const std::string sizeText = FormatGeneral(size);
    const std::string upper = Millimetres(upperMicrometres);
    const std::string lower = Millimetres(lowerMicrometres);
    std::string deviations;
    if (upperMicrometres.Sign() > 0 && upperMicrometres == -lowerMicrometres) {
        deviations = "±" + upper;
    } else {
        // Drawings write both deviations with as many decimals.
        const int decimals = std::max(Decimals(upper), Decimals(lower));
        deviations = Signed(upperMicrometres, WithDecimals(upper, decimals)) + "/"
                     + Signed(lowerMicrometres, WithDecimals(lower, decimals));
    }
    const ResultTexts results = LimitResults(size, upperMicrometres, lowerMicrometres, Rounding::AsIs);
    ClipboardTexts t;
    t.drawing = "Ø" + sizeText + name + "(" + deviations + ")";
    t.table = name + "\t" + sizeText + "\t" + upper + "\t" + lower + "\t" + results.max + "\t" + results.min;
    return t;
}

std::optional<ClipboardTexts> IsoFieldClipboard(const iso286::Field& field, const ExactDecimal& size)
{
    const iso286::FieldLimits limits = iso286::LimitsOf(field, SizeCeiling(size).value_or(0));
    if (limits.undefined != iso286::Undefined::None)
        return std::nullopt;
    return FieldClipboard(iso286::FieldName(field), size, NanometresToMicrometres(limits.upper),
                          NanometresToMicrometres(limits.lower));
}

std::optional<ClipboardTexts> CatalogueClipboard(uint8_t field, const std::string& sizeText)
{
    const std::optional<ExactDecimal> size = ReadDecimalText(sizeText);
    if (!size || field < 1 || field > kFieldCount)
        return std::nullopt;
    const DeviationValues pair = DeviationsOf(field, RangeOfExactSize(*size));
    if (!pair.present)
        return std::nullopt;
    return FieldClipboard(iso286::FieldName(IsoFieldOfCatalogue(field)), *size, ExactMicrometres(pair.upper),
                          ExactMicrometres(pair.lower));
}

std::optional<ClipboardTexts> ManualClipboard(const std::string& sizeText, const std::string& upperText,
                                              const std::string& lowerText, DeviationUnit unit)
{
    const std::optional<ExactDecimal> size = ReadDecimalText(sizeText);
    const std::optional<ExactDecimal> upper = ReadDecimalText(upperText);
    const std::optional<ExactDecimal> lower = ReadDecimalText(lowerText);
    if (!size || !upper || !lower)
        return std::nullopt;
    const long toMicrometres = unit == DeviationUnit::Micrometres ? 0 : 3;
    return FieldClipboard("", *size, upper->Shifted(toMicrometres), lower->Shifted(toMicrometres));
}

std::optional<ClipboardTexts> FitClipboard(const iso286::Field& hole, const iso286::Field& shaft,
                                           const ExactDecimal& size)
{
    const iso286::FitAnalysis fit = iso286::AnalyseFit(hole, shaft, SizeCeiling(size).value_or(0));
    if (!fit.defined)
        return std::nullopt;
    const FitFigures figures = FitFiguresOf(fit);
    const std::string name = iso286::FieldName(hole) + "/" + iso286::FieldName(shaft);
    const std::string sizeText = FormatGeneral(size);
    ClipboardTexts t;
    t.drawing = "Ø" + sizeText + name + "\n" + figures.first.symbol + " = " + figures.first.mm + "; "
                + figures.second.symbol + " = " + figures.second.mm + " (" + FitKindText(fit.kind) + ")";
    t.table = name + "\t" + sizeText;
    for (const iso286::Nanometres nm : {fit.hole.upper, fit.hole.lower, fit.shaft.upper, fit.shaft.lower,
                                        fit.maxClearance, fit.minClearance, fit.mean, fit.fitTolerance})
        t.table += "\t" + Millimetres(NanometresToMicrometres(nm));
    return t;
}
