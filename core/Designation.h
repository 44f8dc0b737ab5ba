// SPDX-License-Identifier: GPL-3.0-or-later
// A size with a field or a fit as drawings write them: "25H7", "Ø 40 g6",
// "3,001JS7", "25H7/g6". Plain C++17, no Qt.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Iso286.h"
#include "Units.h"

struct Designation {
    Millimetres size;                    // exact, above 0 and at most 3150
    int ceiling = 0;                     // IsoSizeCeiling(size), the engine's size argument
    iso286::Field field;                 // the field, or the hole of a fit
    std::optional<iso286::Field> shaft;  // set for a fit
};

struct DesignationReading {
    std::optional<Designation> designation;
    std::string error;  // Russian, one short sentence, when nothing was read
};

// Blanks (space, tab, no-break space) around and between the parts; an
// optional diameter sign (Ø, ø or ⌀) before the size; the size as digits
// with an optional fraction after "," or "."; the field as ParseField reads
// it; for a fit "/" and the shaft's field. The field's letters decide where
// the size ends: "1E1" is 1 mm E1 and "25e7" is 25 mm e7. Any input gives
// a designation or a reason, never both.
DesignationReading ReadDesignation(std::string_view text);

// A size as typed into a size box: digits with an optional fraction after
// "," or ".", blanks around; exact, however many digits. The one reading of
// a size for the tool's designations and the windows beyond the main one
// (whether the ISO system has the size is IsoSizeCeiling's to say).
std::optional<Millimetres> ReadSizeText(std::string_view text);

// As ISO writes it, every digit of the size, with the given decimal point:
// "25H7", "3,001JS7", "25H7/g6". Reads back as the same designation.
std::string DesignationText(const Designation& d, char point);
