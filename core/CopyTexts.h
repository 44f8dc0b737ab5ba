// SPDX-License-Identifier: GPL-3.0-or-later
// What the copy commands put on the clipboard, written from a result: a
// drawing-ready text and one line of tab-separated cells for a spreadsheet
// (decimal comma, millimetres). Plain C++17, no Qt.
#pragma once

#include <optional>
#include <string>

#include "FieldResult.h"
#include "FitResult.h"

struct ClipboardTexts {
    std::string drawing;
    std::string table;
};

// "Ø25H7(+0,021/0)", "Ø25js6(±0,0065)", "Ø25g6(-0,007/-0,020)",
// "Ø1H7(+0,010/0)": millimetres, a sign on nonzero values, zero as "0",
// both deviations with as many decimals (a field's to the micrometre at
// least), under the result's ISO name; typed deviations without one and
// with their own decimals, "Ø25(+0,1/-0,05)". Table: name, size,
// upper, lower, largest and smallest size. nullopt unless the result is
// defined and its size above 0.
std::optional<ClipboardTexts> FieldCopy(const FieldResult& result);

// "Ø25H7/g6" and on the next line "Smax = 0,041; Smin = 0,007 (с зазором)"
// in millimetres. Table: "H7/g6", size, ES, EI, es, ei, then the largest and
// smallest clearance (an interference negative), the mean and the fit
// tolerance. nullopt where the fit is not defined.
std::optional<ClipboardTexts> FitCopy(const FitResult& fit);
