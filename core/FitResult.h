// SPDX-License-Identifier: GPL-3.0-or-later
// A hole and a shaft of ISO 286 at one size, computed once: each field's
// result, the clearances (an interference is a negative clearance), the
// fit tolerance and the kind, and the figures named as a designer reads
// them. The fit window, its copy and the tool's outputs all read one
// FitResult. Plain C++17, no Qt.
#pragma once

#include <string>

#include "FieldResult.h"
#include "Iso286.h"
#include "Units.h"

struct FitResult {
    FieldResult hole, shaft;
    // The engine's analysis of the two: the kind, and which side leaves the
    // fit undefined (a field on the wrong side included).
    iso286::FitAnalysis analysis{};
    // Both fields defined and each on its side; when false every length
    // below is 0.
    bool defined = false;
    Micrometres maxClearance, minClearance, mean, tolerance;
};
FitResult IsoFit(const iso286::Field& hole, const iso286::Field& shaft, const Millimetres& size);

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
FitFigures FitFiguresOf(const FitResult& fit);

// Why the fit is not defined: the hole's reason, else the shaft's, as one
// sentence; "" for a defined fit.
std::string FitReasonText(const FitResult& fit);
