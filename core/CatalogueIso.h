// The ISO 286 fields behind the catalogue's 40 names. A few names are written
// in the other case than the deviations they carry ("K6" holds the shaft's
// k6, "k7" the hole's K7), and the catalogue writes every symmetric field
// "Js". Plain C++17, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Iso286.h"

// The ISO field whose deviations catalogue field 1..40 carries.
iso286::Field IsoFieldOfCatalogue(uint8_t field);

// A hole and a shaft to start a fit from.
struct FitFields {
    iso286::Field hole, shaft;
};
// A hole field with h6 as its shaft; a shaft field (js included) with H7 as its hole.
FitFields FitAroundField(const iso286::Field& field);

// A field name typed for one side: blanks around are ignored, and "Js…"
// names the hole's JS when a hole is asked for. nullopt for a name that is
// no field, or a field of the other side.
std::optional<iso286::Field> ReadFieldText(const std::string& text, iso286::Side side);
