// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitResult.h"

#include "NumberText.h"
#include "Texts.h"

FitResult IsoFit(const iso286::Field& hole, const iso286::Field& shaft, const Millimetres& size)
{
    FitResult fit;
    fit.hole = IsoField(hole, size);
    fit.shaft = IsoField(shaft, size);
    // Each field's limits are computed once: the analysis reads them.
    fit.analysis = iso286::AnalyseFit(*fit.hole.iso, *fit.shaft.iso);
    fit.defined = fit.analysis.defined;
    if (fit.defined) {
        fit.maxClearance = Micrometres(WholeNanometres(fit.analysis.maxClearance));
        fit.minClearance = Micrometres(WholeNanometres(fit.analysis.minClearance));
        fit.mean = Micrometres(WholeNanometres(fit.analysis.mean));
        fit.tolerance = Micrometres(WholeNanometres(fit.analysis.fitTolerance));
    }
    return fit;
}

namespace {

FitFigure Figure(const FigureName& sense, const Micrometres* value)
{
    FitFigure f{sense.symbol, sense.name, kNoDataText, kNoDataText};
    if (value) {
        f.um = LengthText(*value, DeviationUnit::Micrometres);
        f.mm = LengthText(*value, DeviationUnit::Millimetres);
    }
    return f;
}

}  // namespace

FitFigures FitFiguresOf(const FitResult& fit)
{
    if (!fit.defined)
        return {Figure(kLargestClearance, nullptr), Figure(kSmallestClearance, nullptr),
                Figure(kMeanClearance, nullptr), Figure(kFitTolerance, nullptr)};
    const Micrometres largestInterference = -fit.minClearance;
    const Micrometres smallestInterference = -fit.maxClearance;
    const Micrometres meanInterference = -fit.mean;
    FitFigures f;
    switch (fit.analysis.kind) {
    case iso286::FitKind::Clearance:
        f.first = Figure(kLargestClearance, &fit.maxClearance);
        f.second = Figure(kSmallestClearance, &fit.minClearance);
        break;
    case iso286::FitKind::Transition:
        f.first = Figure(kLargestClearance, &fit.maxClearance);
        f.second = Figure(kLargestInterference, &largestInterference);
        break;
    case iso286::FitKind::Interference:
        f.first = Figure(kLargestInterference, &largestInterference);
        f.second = Figure(kSmallestInterference, &smallestInterference);
        break;
    }
    f.mean = fit.mean.Sign() < 0 ? Figure(kMeanInterference, &meanInterference) : Figure(kMeanClearance, &fit.mean);
    f.tolerance = Figure(kFitTolerance, &fit.tolerance);
    return f;
}

std::string FitReasonText(const FitResult& fit)
{
    if (fit.defined)
        return {};
    if (!fit.analysis.hole.Defined())
        return UndefinedText(fit.analysis.hole);
    return UndefinedText(fit.analysis.shaft);
}
