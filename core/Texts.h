// SPDX-License-Identifier: GPL-3.0-or-later
// Every Russian word the core writes about results: "нет данных", why the
// standard defines no field, the kinds and figures of a fit. The engine
// answers in data; these functions say it in words. Plain C++17, no Qt.
#pragma once

#include <string>

#include "Iso286.h"

// What a box shows when its value cannot be given.
extern const char* const kNoDataText;
// What a fit's kind reads as when the fit is not defined.
extern const char* const kNotDefinedText;

// One short sentence, ending in a full stop, on why the engine leaves a
// field undefined: "Основное отклонение cd определено только для размеров
// до 10 мм."; "" for a defined field.
std::string UndefinedText(const iso286::FieldLimits& limits);

// «с зазором», «переходная», «с натягом».
const char* FitKindText(iso286::FitKind kind);

// The names a figure of a fit goes by, as a designer reads it.
struct FigureName {
    const char* symbol;  // "Smax", "Nmin", "Sm", "T" …
    const char* name;    // «Наибольший зазор» …
};
extern const FigureName kLargestClearance, kSmallestClearance, kLargestInterference, kSmallestInterference,
    kMeanClearance, kMeanInterference, kFitTolerance;
