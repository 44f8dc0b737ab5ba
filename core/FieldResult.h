// SPDX-License-Identifier: GPL-3.0-or-later
// A field at a size, computed once: the limit deviations, the limit sizes,
// the mid value and the radius as exact values, or why there are none. The
// catalogue, typed deviations and the whole ISO system each give one
// FieldResult; every window, copy text and tool output reads it, and the
// texts the boxes show are written from it here. Plain C++17, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Iso286.h"
#include "Units.h"

// The unit deviations are shown (catalogue) or typed (manual) in.
enum class DeviationUnit { Millimetres, Micrometres };

// How the mid value and the radius are written.
enum class Rounding {
    AsIs,         // "Как есть": the general form
    TwoDigits,    // "2 цифры": mid 2 decimals, radius 3 (6 significant digits)
    ThreeDigits,  // "3 цифры": mid 3 decimals, radius 4 (8 significant digits)
};

struct FieldResult {
    // Deviations known at the size; when false every length below is 0.
    bool defined = false;
    // The ISO field whose deviations these are (for a catalogue field, the
    // ISO name of its deviations); none for typed deviations.
    std::optional<iso286::Field> field;
    // The engine's answer on the ISO route: why the field is undefined, its
    // IT and the size interval.
    std::optional<iso286::FieldLimits> iso;
    Millimetres size;
    Micrometres upper, lower;
    // size + deviation; the mid value is their mean and the radius its half.
    Millimetres max, min, mid, radius;

    Micrometres Tolerance() const { return upper - lower; }
};

// Catalogue field 1..40 at a size; not defined where the catalogue has no
// deviations for it (no range holds the size, or the range has none).
FieldResult CatalogueField(uint8_t field, const Millimetres& size);
// Typed deviations at any size.
FieldResult TypedField(const Millimetres& size, const Micrometres& upper, const Micrometres& lower);
// Any field of ISO 286 at a size (valid sizes: IsoSizeCeiling).
FieldResult IsoField(const iso286::Field& field, const Millimetres& size);

// A catalogue deviation (whole or half micrometres, as DeviationsOf hands
// them out) as an exact value.
Micrometres CatalogueMicrometres(double micrometres);

// ---- Texts

// A deviation as a box or a table cell writes it: "+" before a positive
// number ("+21", "0", "-0,007").
struct DeviationText {
    std::string text;
    bool positive = false;
};
DeviationText SignedDeviation(const Micrometres& deviation, DeviationUnit unit);
// A length in the unit asked for, in the general form ("21", "0,021").
std::string LengthText(const Micrometres& length, DeviationUnit unit);

// Largest and smallest limit size, mid value and radius.
struct ResultTexts {
    std::string max, min, mid, radius;
};
ResultTexts NoDataResults();

// What a window's boxes show for a result: "нет данных" throughout when it
// is not defined.
struct FieldTexts {
    DeviationText upper, lower;
    std::string tolerance;
    ResultTexts results;
};
FieldTexts WriteFieldTexts(const FieldResult& result, DeviationUnit unit, Rounding rounding);

// The mid value as the windows beyond the main one show it: in the chosen
// rounding, unless that would put it outside the limits (k4 at 25 mm with
// 2 decimals: 25,01 for a field of 25,002…25,008); then with the fewest
// decimals that keep it inside, and `widened` set, with every digit in
// `exact` for the user to see. A machinist who works to the mean must
// never be given a value outside the field.
struct MidText {
    std::string text;
    bool widened = false;
    std::string exact;
};
MidText MidInsideLimits(const FieldResult& result, Rounding rounding);

// Why an ISO field is not defined, as one sentence; "" otherwise.
std::string ReasonText(const FieldResult& result);

// ---- The main window's two routes, from the texts of its boxes

// A catalogue field (1..40) at a typed size.
struct CatalogueDisplay {
    bool sizeIsNumber = false;
    // The catalogue has deviations for the size; else every result box
    // reads "нет данных".
    bool present = false;
    DeviationText upper, lower;
    ResultTexts results;
    FieldResult result;
};
CatalogueDisplay CatalogueLimits(uint8_t field, const std::string& sizeText, DeviationUnit unit,
                                 Rounding rounding);

// Typed deviations at a typed size; the results read "нет данных" unless all
// three texts are numbers.
struct ManualDisplay {
    bool sizeIsNumber = false;
    bool upperIsNumber = false;
    bool lowerIsNumber = false;
    ResultTexts results;
    FieldResult result;  // defined when all three are numbers
};
ManualDisplay ManualLimits(const std::string& sizeText, const std::string& upperText,
                           const std::string& lowerText, DeviationUnit unit, Rounding rounding);
