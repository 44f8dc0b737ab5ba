// The limit calculation: from a size and two deviations to the limit sizes,
// the mid value and the radius, and the texts the boxes show for them.
#pragma once

#include <cstdint>
#include <string>

#include "ExactDecimal.h"

// What a box shows when its value cannot be given.
extern const char* const kNoDataText;

// How the mid value and the radius are written.
enum class Rounding {
    AsIs,         // "Как есть": the general form
    TwoDigits,    // "2 цифры": mid 2 decimals, radius 3 (6 significant digits)
    ThreeDigits,  // "3 цифры": mid 3 decimals, radius 4 (8 significant digits)
};

// The unit deviations are shown (catalogue) or typed (manual) in.
enum class DeviationUnit { Millimetres, Micrometres };

// A deviation as its box shows it: "+" before a positive number.
struct DeviationText {
    std::string text;
    bool positive = false;
};

// Largest and smallest limit size, mid value and radius.
struct ResultTexts {
    std::string max, min, mid, radius;
};
ResultTexts NoDataResults();

// A catalogue deviation (whole or half micrometres, as DeviationsOf hands
// them out) as an exact value in micrometres.
ExactDecimal ExactMicrometres(double micrometres);

// The range (1..28) of the catalogue that holds a size, compared exactly
// with the bounds; 0 when none does.
uint8_t RangeOfExactSize(const ExactDecimal& size);

// A deviation in micrometres, written in the unit asked for.
DeviationText DeviationDisplay(const ExactDecimal& micrometres, DeviationUnit unit);

// Limit sizes (size + deviation), mid value (their sum / 2) and radius
// (sum / 4), exact, in millimetres, of a size in millimetres and two
// deviations in micrometres.
struct LimitValues {
    ExactDecimal max, min, mid, radius;
};
LimitValues ComputeLimits(const ExactDecimal& size, const ExactDecimal& upperMicrometres,
                          const ExactDecimal& lowerMicrometres);

// The same values written as the boxes show them.
ResultTexts LimitResults(const ExactDecimal& size, const ExactDecimal& upperMicrometres,
                         const ExactDecimal& lowerMicrometres, Rounding rounding);

// A catalogue field (1..40) at a typed size.
struct CatalogueDisplay {
    bool sizeIsNumber = false;
    // The catalogue has deviations for the size; else every result box
    // reads "нет данных".
    bool present = false;
    DeviationText upper, lower;
    ResultTexts results;
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
};
ManualDisplay ManualLimits(const std::string& sizeText, const std::string& upperText,
                           const std::string& lowerText, DeviationUnit unit, Rounding rounding);
