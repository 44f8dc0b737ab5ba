// Texts of the fit and reference windows beyond the boxes the main window
// shares: clearances and interferences named as a designer reads them, a
// field's tolerance, and the drawing-ready texts put on the clipboard.
// Plain C++17, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ExactDecimal.h"
#include "Iso286.h"
#include "Limits.h"

// One figure of a fit, as a magnitude under the name that gives its sense.
struct FitFigure {
    std::string symbol;  // "Smax", "Nmin", "Sm", "T" …
    std::string name;    // «Наибольший зазор» …
    std::string um, mm;  // "нет данных" when the fit is not defined
};

// Clearance fit: Smax, Smin; transition: Smax, Nmax; interference: Nmax,
// Nmin. The mean is Sm, or Nm when it is an interference; T the fit tolerance.
struct FitFigures {
    FitFigure first, second, mean, tolerance;
};
FitFigures FitFiguresOf(const iso286::FitAnalysis& fit);

// Upper minus lower deviation, in the unit asked for; "нет данных" when the
// field is not defined.
std::string ToleranceText(const iso286::FieldLimits& limits, DeviationUnit unit);

// A deviation in micrometres as a table cell writes it: "+21", "0", "-7".
std::string SignedMicrometres(iso286::Nanometres nm);

// What the copy commands put on the clipboard: a drawing-ready text and one
// line of tab-separated cells for a spreadsheet (decimal comma, millimetres).
struct ClipboardTexts {
    std::string drawing;
    std::string table;
};

// "Ø25H7(+0,021/0)", "Ø25js6(±0,0065)", "Ø25g6(-0,007/-0,020)": millimetres,
// a sign on nonzero values, both deviations with as many decimals; without a
// name "Ø25(+0,1/-0,05)". Table: name, size, upper, lower, largest and
// smallest size. nullopt unless the size is above 0.
std::optional<ClipboardTexts> FieldClipboard(const std::string& name, const ExactDecimal& size,
                                             const ExactDecimal& upperMicrometres,
                                             const ExactDecimal& lowerMicrometres);
// An ISO field at a size; nullopt where the standard defines nothing.
std::optional<ClipboardTexts> IsoFieldClipboard(const iso286::Field& field, const ExactDecimal& size);
// A catalogue field (1..40) at a typed size, named by the ISO field whose
// deviations it carries; nullopt where the catalogue has none.
std::optional<ClipboardTexts> CatalogueClipboard(uint8_t field, const std::string& sizeText);
// Typed deviations at a typed size, without a field name; nullopt unless all
// three texts are numbers.
std::optional<ClipboardTexts> ManualClipboard(const std::string& sizeText, const std::string& upperText,
                                              const std::string& lowerText, DeviationUnit unit);
// "Ø25H7/g6" and on the next line "Smax = 0,041; Smin = 0,007 (с зазором)"
// in millimetres. Table: "H7/g6", size, ES, EI, es, ei, then the largest and
// smallest clearance (an interference negative), the mean and the fit
// tolerance. nullopt where the fit is not defined.
std::optional<ClipboardTexts> FitClipboard(const iso286::Field& hole, const iso286::Field& shaft,
                                           const ExactDecimal& size);
