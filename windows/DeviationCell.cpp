// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviationCell.h"

#include <QPainter>

#include "Boxes.h"
#include "FieldResult.h"
#include "Look.h"

void PaintDeviationCell(QPainter& p, const QRect& rect, int row, const std::optional<CellDeviations>& deviations,
                        const std::function<void(const QString& text, CellLine line)>& write)
{
    const QColor back = TableCellColour(deviations.has_value(), row);
    p.setBrush(back);
    p.fillRect(rect, back);
    if (!deviations) {
        write(QStringLiteral("---"), CellLine::Middle);
        return;
    }
    const Micrometres& upper = deviations->upper;
    const Micrometres& lower = deviations->lower;
    if (upper == -lower) {
        p.setPen(clGreen);
        write(QStringLiteral("±") + Text(LengthText(upper, DeviationUnit::Micrometres)), CellLine::Middle);
        return;
    }
    p.setPen(upper.Sign() > 0 ? clMaroon : clBlue);
    write(Text(SignedDeviation(upper, DeviationUnit::Micrometres).text), CellLine::Upper);
    write(Text(SignedDeviation(lower, DeviationUnit::Micrometres).text), CellLine::Lower);
}
