// Fields and fits of the whole ISO 286 system as the program shows them:
// the engine's nanometres turned into the same texts the main window writes.
#pragma once

#include <optional>
#include <string>

#include "CatalogueFields.h"
#include "ExactDecimal.h"
#include "Iso286.h"
#include "Limits.h"

// The engine's size argument: the smallest whole millimetre at or above the
// size; nullopt for a size not above 0 or above 3150 mm.
std::optional<int> SizeCeiling(const ExactDecimal& size);

// Nanometres as an exact number of micrometres.
ExactDecimal NanometresToMicrometres(iso286::Nanometres nm);

// How a field's name is coloured: holes, shafts, and the symmetric js/JS.
FieldKind KindOfIsoField(const iso286::Field& field);

// One field at one size.
struct IsoFieldDisplay {
    bool defined = false;
    std::string reason;  // Russian, when not defined
    iso286::FieldLimits limits;
    DeviationText upper, lower;
    ResultTexts results;
};
IsoFieldDisplay IsoFieldLimits(const iso286::Field& field, const ExactDecimal& size, DeviationUnit unit,
                               Rounding rounding);

// «с зазором», «переходная», «с натягом».
const char* FitKindText(iso286::FitKind kind);

// A hole and a shaft at one size. Clearances are positive, interferences
// negative; each is given in micrometres and in millimetres.
struct FitDisplay {
    bool defined = false;
    std::string reason;  // Russian, when not defined
    iso286::FitAnalysis analysis;
    IsoFieldDisplay hole, shaft;
    std::string maxClearanceUm, minClearanceUm, meanUm, toleranceUm;
    std::string maxClearanceMm, minClearanceMm, meanMm, toleranceMm;
    std::string kind;
};
FitDisplay IsoFitLimits(const iso286::Field& hole, const iso286::Field& shaft, const ExactDecimal& size,
                        DeviationUnit unit, Rounding rounding);
