// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldResult.h"

#include <cmath>

#include "Catalogue.h"
#include "Data_Unit.h"
#include "NumberText.h"
#include "Texts.h"

namespace {

// The lengths that follow from a size and its two deviations.
FieldResult Defined(const Millimetres& size, const Micrometres& upper, const Micrometres& lower)
{
    FieldResult r;
    r.defined = true;
    r.size = size;
    r.upper = upper;
    r.lower = lower;
    r.max = size + Millimetres(upper);
    r.min = size + Millimetres(lower);
    const Millimetres sum = r.max + r.min;
    r.mid = sum.Half();
    r.radius = sum.Quarter();
    return r;
}

std::optional<Millimetres> ReadSize(const std::string& text)
{
    if (std::optional<ExactDecimal> value = ReadDecimalText(text))
        return Millimetres(std::move(*value));
    return std::nullopt;
}

}  // namespace

Micrometres CatalogueMicrometres(double micrometres)
{
    // Tenths are exact for every catalogue value.
    return Micrometres(ExactDecimal(std::lround(micrometres * 10), -1));
}

FieldResult CatalogueField(uint8_t field, const Millimetres& size)
{
    const DeviationValues pair = DeviationsOf(field, CatalogueRange(size));
    FieldResult r;
    if (pair.present)
        r = Defined(size, CatalogueMicrometres(pair.upper), CatalogueMicrometres(pair.lower));
    else
        r.size = size;
    if (field >= 1 && field <= kFieldCount)
        r.field = IsoFieldOfCatalogue(field);
    return r;
}

FieldResult TypedField(const Millimetres& size, const Micrometres& upper, const Micrometres& lower)
{
    return Defined(size, upper, lower);
}

FieldResult IsoField(const iso286::Field& field, const Millimetres& size)
{
    const iso286::FieldLimits limits = iso286::LimitsOf(field, IsoSizeCeiling(size).value_or(0));
    FieldResult r;
    if (limits.Defined())
        r = Defined(size, Micrometres(WholeNanometres(limits.upper)), Micrometres(WholeNanometres(limits.lower)));
    else
        r.size = size;
    r.field = field;
    r.iso = limits;
    return r;
}

// ---- Texts

DeviationText SignedDeviation(const Micrometres& deviation, DeviationUnit unit)
{
    DeviationText d;
    d.positive = deviation.Sign() > 0;
    d.text = (d.positive ? "+" : "") + LengthText(deviation, unit);
    return d;
}

std::string LengthText(const Micrometres& length, DeviationUnit unit)
{
    return FormatGeneral(unit == DeviationUnit::Micrometres ? length.Value() : Millimetres(length).Value());
}

ResultTexts NoDataResults() { return {kNoDataText, kNoDataText, kNoDataText, kNoDataText}; }

FieldTexts WriteFieldTexts(const FieldResult& r, DeviationUnit unit, Rounding rounding)
{
    FieldTexts t;
    if (!r.defined) {
        t.upper.text = t.lower.text = t.tolerance = kNoDataText;
        t.results = NoDataResults();
        return t;
    }
    t.upper = SignedDeviation(r.upper, unit);
    t.lower = SignedDeviation(r.lower, unit);
    t.tolerance = LengthText(r.Tolerance(), unit);
    t.results.max = FormatGeneral(r.max.Value());
    t.results.min = FormatGeneral(r.min.Value());
    switch (rounding) {
    case Rounding::AsIs:
        t.results.mid = FormatGeneral(r.mid.Value());
        t.results.radius = FormatGeneral(r.radius.Value());
        break;
    case Rounding::TwoDigits:
        t.results.mid = FormatFixed(r.mid.Value(), 6, 2);
        t.results.radius = FormatFixed(r.radius.Value(), 6, 3);
        break;
    case Rounding::ThreeDigits:
        t.results.mid = FormatFixed(r.mid.Value(), 8, 3);
        t.results.radius = FormatFixed(r.radius.Value(), 8, 4);
        break;
    }
    return t;
}

MidText MidInsideLimits(const FieldResult& r, Rounding rounding)
{
    MidText m;
    if (!r.defined) {
        m.text = kNoDataText;
        return m;
    }
    m.text = WriteFieldTexts(r, DeviationUnit::Millimetres, rounding).results.mid;
    m.exact = ExactPositional(r.mid.Value(), ',');
    if (rounding == Rounding::AsIs)
        return m;
    const auto inside = [&r](const std::string& text) {
        const std::optional<ExactDecimal> shown = ReadDecimalText(text);
        return shown && r.min.Value() <= *shown && *shown <= r.max.Value();
    };
    if (inside(m.text))
        return m;
    m.widened = true;
    // Every size the program takes has a short integer part: 18 significant
    // digits leave the decimals to the count asked.
    for (int decimals = rounding == Rounding::TwoDigits ? 3 : 4; decimals <= 18; ++decimals) {
        m.text = FormatFixed(r.mid.Value(), 18, decimals);
        if (inside(m.text))
            return m;
    }
    m.text = m.exact;
    return m;
}

std::string ReasonText(const FieldResult& result) { return result.iso ? UndefinedText(*result.iso) : std::string(); }

// ---- The main window's two routes

CatalogueDisplay CatalogueLimits(uint8_t field, const std::string& sizeText, DeviationUnit unit,
                                 Rounding rounding)
{
    CatalogueDisplay d;
    const std::optional<Millimetres> size = ReadSize(sizeText);
    d.sizeIsNumber = size.has_value();
    // A size that is no number has no deviations.
    if (size)
        d.result = CatalogueField(field, *size);
    d.present = d.result.defined;
    const FieldTexts texts = WriteFieldTexts(d.result, unit, rounding);
    d.upper = texts.upper;
    d.lower = texts.lower;
    d.results = texts.results;
    return d;
}

ManualDisplay ManualLimits(const std::string& sizeText, const std::string& upperText,
                           const std::string& lowerText, DeviationUnit unit, Rounding rounding)
{
    ManualDisplay d;
    const std::optional<Millimetres> size = ReadSize(sizeText);
    std::optional<ExactDecimal> upper = ReadDecimalText(upperText);
    std::optional<ExactDecimal> lower = ReadDecimalText(lowerText);
    d.sizeIsNumber = size.has_value();
    d.upperIsNumber = upper.has_value();
    d.lowerIsNumber = lower.has_value();
    if (size && upper && lower) {
        // Typed in millimetres unless the box says micrometres.
        const auto typed = [unit](ExactDecimal value) {
            return unit == DeviationUnit::Micrometres ? Micrometres(std::move(value))
                                                      : Micrometres(Millimetres(std::move(value)));
        };
        d.result = TypedField(*size, typed(std::move(*upper)), typed(std::move(*lower)));
    }
    d.results = WriteFieldTexts(d.result, unit, rounding).results;
    return d;
}
