// SPDX-License-Identifier: GPL-3.0-or-later
// A deviation cell of a tolerance table, as the catalogue table and the ISO
// 286 reference both paint it: the background by row, "---" without data,
// "±half" in green for a symmetric field, else the upper deviation above
// the lower, maroon when the upper is positive and blue otherwise, in
// micrometres. Each table places the texts in its own way.
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "Units.h"

class QPainter;
class QRect;

struct CellDeviations {
    Micrometres upper, lower;
};

// Where in the cell a text goes.
enum class CellLine { Middle, Upper, Lower };

void PaintDeviationCell(QPainter& p, const QRect& rect, int row, const std::optional<CellDeviations>& deviations,
                        const std::function<void(const QString& text, CellLine line)>& write);
