#include "IsoLimits.h"

#include "NumberText.h"

std::optional<int> SizeCeiling(const ExactDecimal& size)
{
    static const ExactDecimal largest(iso286::kMaxSizeCeil, 0);
    if (size.Sign() <= 0 || size > largest)
        return std::nullopt;
    return static_cast<int>(size.Ceiling());
}

ExactDecimal NanometresToMicrometres(iso286::Nanometres nm) { return ExactDecimal(nm, -3); }

FieldKind KindOfIsoField(const iso286::Field& field)
{
    if (field.letter == iso286::Letter::JS)
        return FieldKind::Symmetric;
    return field.side == iso286::Side::Hole ? FieldKind::Hole : FieldKind::Shaft;
}

IsoFieldDisplay IsoFieldLimits(const iso286::Field& field, const ExactDecimal& size, DeviationUnit unit,
                               Rounding rounding)
{
    IsoFieldDisplay d;
    const std::optional<int> ceiling = SizeCeiling(size);
    d.limits = iso286::LimitsOf(field, ceiling.value_or(0));
    d.defined = d.limits.undefined == iso286::Undefined::None;
    if (!d.defined) {
        d.reason = d.limits.reason.empty() ? iso286::DescribeUndefined(d.limits.undefined) : d.limits.reason;
        d.upper.text = d.lower.text = kNoDataText;
        d.results = NoDataResults();
        return d;
    }
    const ExactDecimal upper = NanometresToMicrometres(d.limits.upper);
    const ExactDecimal lower = NanometresToMicrometres(d.limits.lower);
    d.upper = DeviationDisplay(upper, unit);
    d.lower = DeviationDisplay(lower, unit);
    d.results = LimitResults(size, upper, lower, rounding);
    return d;
}

const char* FitKindText(iso286::FitKind kind)
{
    switch (kind) {
    case iso286::FitKind::Clearance:
        return "с зазором";
    case iso286::FitKind::Transition:
        return "переходная";
    case iso286::FitKind::Interference:
        break;
    }
    return "с натягом";
}

FitDisplay IsoFitLimits(const iso286::Field& hole, const iso286::Field& shaft, const ExactDecimal& size,
                        DeviationUnit unit, Rounding rounding)
{
    FitDisplay d;
    d.hole = IsoFieldLimits(hole, size, unit, rounding);
    d.shaft = IsoFieldLimits(shaft, size, unit, rounding);
    d.analysis = iso286::AnalyseFit(hole, shaft, SizeCeiling(size).value_or(0));
    d.defined = d.analysis.defined;
    if (!d.defined) {
        d.reason = !d.hole.defined    ? d.hole.reason
                   : !d.shaft.defined ? d.shaft.reason
                                      : iso286::DescribeUndefined(iso286::Undefined::SideMismatch);
        for (std::string* t : {&d.maxClearanceUm, &d.minClearanceUm, &d.meanUm, &d.toleranceUm, &d.maxClearanceMm,
                               &d.minClearanceMm, &d.meanMm, &d.toleranceMm, &d.kind})
            *t = kNoDataText;
        return d;
    }
    const auto write = [](iso286::Nanometres nm, std::string& um, std::string& mm) {
        const ExactDecimal micrometres = NanometresToMicrometres(nm);
        um = FormatGeneral(micrometres);
        mm = FormatGeneral(micrometres.Shifted(-3));
    };
    write(d.analysis.maxClearance, d.maxClearanceUm, d.maxClearanceMm);
    write(d.analysis.minClearance, d.minClearanceUm, d.minClearanceMm);
    write(d.analysis.mean, d.meanUm, d.meanMm);
    write(d.analysis.fitTolerance, d.toleranceUm, d.toleranceMm);
    d.kind = FitKindText(d.analysis.kind);
    return d;
}
