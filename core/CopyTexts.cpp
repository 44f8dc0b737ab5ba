// SPDX-License-Identifier: GPL-3.0-or-later
#include "CopyTexts.h"

#include <algorithm>

#include "NumberText.h"
#include "Texts.h"

namespace {

std::string Mm(const Micrometres& length) { return LengthText(length, DeviationUnit::Millimetres); }

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

std::string Signed(const Micrometres& value, const std::string& text)
{
    return value.Sign() > 0 ? "+" + text : text;
}

}  // namespace

std::optional<ClipboardTexts> FieldCopy(const FieldResult& r)
{
    if (!r.defined || r.size.Sign() <= 0)
        return std::nullopt;
    const std::string name = r.field ? iso286::FieldName(*r.field) : std::string();
    const std::string sizeText = FormatGeneral(r.size.Value());
    const std::string upper = Mm(r.upper);
    const std::string lower = Mm(r.lower);
    std::string deviations;
    if (r.upper.Sign() > 0 && r.upper == -r.lower) {
        deviations = "±" + upper;
    } else {
        // Drawings write both deviations with as many decimals, a field's to
        // the micrometre at least ("+0,030/-0,012", "+0,010/0"); typed
        // deviations keep the decimals they were typed with.
        const int decimals = std::max({r.field ? 3 : 0, Decimals(upper), Decimals(lower)});
        deviations = Signed(r.upper, WithDecimals(upper, decimals)) + "/" + Signed(r.lower, WithDecimals(lower, decimals));
    }
    ClipboardTexts t;
    t.drawing = "Ø" + sizeText + name + "(" + deviations + ")";
    t.table = name + "\t" + sizeText + "\t" + upper + "\t" + lower + "\t" + FormatGeneral(r.max.Value()) + "\t"
              + FormatGeneral(r.min.Value());
    return t;
}

std::optional<ClipboardTexts> FitCopy(const FitResult& fit)
{
    if (!fit.defined)
        return std::nullopt;
    const FitFigures figures = FitFiguresOf(fit);
    const std::string name = iso286::FieldName(*fit.hole.field) + "/" + iso286::FieldName(*fit.shaft.field);
    const std::string sizeText = FormatGeneral(fit.hole.size.Value());
    ClipboardTexts t;
    t.drawing = "Ø" + sizeText + name + "\n" + figures.first.symbol + " = " + figures.first.mm + "; "
                + figures.second.symbol + " = " + figures.second.mm + " (" + FitKindText(fit.analysis.kind) + ")";
    t.table = name + "\t" + sizeText;
    for (const Micrometres* length : {&fit.hole.upper, &fit.hole.lower, &fit.shaft.upper, &fit.shaft.lower,
                                      &fit.maxClearance, &fit.minClearance, &fit.mean, &fit.tolerance})
        t.table += "\t" + Mm(*length);
    return t;
}
