// SPDX-License-Identifier: GPL-3.0-or-later
// General tolerances of a drawing at a size: the ГОСТ 30893.1 classes
// f, m, c, v (ISO 2768-1) for linear sizes, radii, chamfers and angles; the
// older IT form «отверстий H14, валов h14, остальных ±IT14/2» from the ISO 286
// engine; the ГОСТ 30893.2 classes H, K, L (ISO 2768-2) for form and
// position; and the notes a drawing carries for them. Every value is looked
// up once into a result that the window and the tool both read. Plain C++17,
// no Qt.
#pragma once

#include <optional>
#include <string>

#include "FieldResult.h"
#include "GeneralToleranceTables.h"
#include "Units.h"

// What a linear general tolerance is asked for. The classes give outside,
// inside and other linear sizes one value; the IT form makes an outside size
// a shaft (h), an inside one a hole (H) and any other ±IT/2.
enum class GeneralElement { External, Internal, OtherLinear, BrokenEdge, Angle };

// The grades the IT form is written with.
constexpr int kItFormFinestGrade = 12;
constexpr int kItFormCoarsestGrade = 17;
constexpr int kItFormDefaultGrade = 14;

// A ГОСТ 30893.1 class, or else the IT form with its grade.
struct GeneralRule {
    std::optional<general_tolerances::LinearClass> linearClass;
    int grade = kItFormDefaultGrade;

    static GeneralRule Class(general_tolerances::LinearClass c) { return {c, kItFormDefaultGrade}; }
    static GeneralRule ItForm(int grade) { return {std::nullopt, grade}; }
};
// "m", "IT14".
std::string RuleName(const GeneralRule& rule);

struct GeneralResult {
    GeneralRule rule;
    GeneralElement element = GeneralElement::OtherLinear;
    Millimetres size;  // for an angle, its shorter side
    bool defined = false;
    std::string reason;  // why not, one sentence, when not defined

    // Linear sizes, radii and chamfers: the deviations and what follows from
    // them (limit sizes, mid value, radius); for the IT form's holes and
    // shafts the engine's H or h field itself.
    FieldResult limits;
    // Angles: the deviation is ± this many arc-minutes.
    int arcMinutes = 0;
    // The IT form: the grade's IT value at the size.
    std::optional<Micrometres> it;
    // Classes: the table's range that holds the size ("св. 30 до 120 мм").
    std::string rangeText;
};
GeneralResult GeneralTolerance(const GeneralRule& rule, GeneralElement element, const Millimetres& size);

// ГОСТ 30893.2's tolerances. Straightness and flatness share one table.
enum class GeometricFeature { Straightness, Flatness, Perpendicularity, Symmetry, CircularRunOut };

struct GeometricResult {
    general_tolerances::GeometricClass geometricClass = general_tolerances::GeometricClass::K;
    GeometricFeature feature = GeometricFeature::Straightness;
    Millimetres size;  // the length the table is read by; run-out takes none
    bool defined = false;
    std::string reason;
    Micrometres tolerance;
    std::string rangeText;  // "" for run-out, which has one value per class
};
GeometricResult GeometricTolerance(general_tolerances::GeometricClass geometricClass, GeometricFeature feature,
                                   const Millimetres& size);

// ---- Texts

// Degrees and minutes as the standard prints them: "1°", "0°20′", "1°30′";
// `minuteSign` is "′" for a person, "'" for plain ASCII.
std::string AngleText(int arcMinutes, const char* minuteSign = "′");

// Both deviations in millimetres as a drawing writes them: "±0,3", "+0,87/0",
// "0/-0,87".
std::string DeviationPairText(const FieldResult& limits);

// «Общие допуски по ГОСТ 30893.1 — m», or «Неуказанные предельные отклонения
// размеров: отверстий H14, валов h14, остальных ±IT14/2».
std::string GeneralNote(const GeneralRule& rule);
// «Общие допуски по ГОСТ 30893.2 — mK»; under the IT form, where no class of
// ГОСТ 30893.1 applies, its letter is left out: «… — K».
std::string GeometricNote(const GeneralRule& rule, general_tolerances::GeometricClass geometricClass);

// "f — точный" … "v — очень грубый".
std::string LinearClassText(general_tolerances::LinearClass c);
// «наружный (вал)», «радиус или фаска», «угол» …
std::string ElementText(GeneralElement element);
// «прямолинейность», «плоскостность», «перпендикулярность», «симметричность», «биение».
std::string FeatureText(GeometricFeature feature);
