// SPDX-License-Identifier: GPL-3.0-or-later
#include "FitPicture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Look.h"

namespace {

// Vertical room above and below the zones for the names and labels, and the
// least height the zones keep between them.
constexpr int kGap = 6;

// Deviations as rows of the picture: the largest value at `top`, the
// smallest at `bottom`.
struct Scale {
    double high, low;
    int top, bottom;
    int Y(double nm) const
    {
        if (high <= low)
            return (top + bottom) / 2;
        return top + static_cast<int>(std::lround((high - nm) * (bottom - top) / (high - low)));
    }
};

}  // namespace

FitPicture::FitPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(SansFont(12));
}

void FitPicture::SetZones(const std::optional<Zone>& hole, const std::optional<Zone>& shaft,
                          const QString& holeName, const QString& shaftName)
{
    hole_ = hole;
    shaft_ = shaft;
    holeName_ = holeName;
    shaftName_ = shaftName;
    update();
}

QSize FitPicture::sizeHint() const { return {360, 320}; }

QSize FitPicture::minimumSizeHint() const { return {220, 180}; }

void FitPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), clWhite);
    const QFontMetrics metrics(font());
    const int line = metrics.height();

    double high = 0, low = 0;
    for (const std::optional<Zone>* zone : {&hole_, &shaft_})
        if (*zone) {
            high = std::max<double>(high, (*zone)->upper);
            low = std::min<double>(low, (*zone)->lower);
        }
    // A name above the top zone and a label below the bottom one.
    const Scale scale{high, low, 2 * line + kGap, height() - line - 2 * kGap};

    // Axis caption and the zero line across the picture.
    p.setPen(clBlack);
    p.drawText(QRect(kGap, kGap, width() - 2 * kGap, line), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("мкм"));
    const int zero = scale.Y(0);
    const int left = kGap + metrics.horizontalAdvance(QStringLiteral("0")) + kGap;
    p.drawLine(left, zero, width() - kGap, zero);
    p.drawText(QRect(kGap, zero - line / 2, left - 2 * kGap, line), Qt::AlignCenter, QStringLiteral("0"));

    const int barWidth = std::clamp(width() / 6, 24, 90);
    struct Column {
        const std::optional<Zone>& zone;
        const QString& name;
        QColor colour;
        int centre;
        bool labelsLeft;
    };
    const Column columns[] = {
        {hole_, holeName_, KindColour(FieldKind::Hole), width() * 2 / 5, true},
        {shaft_, shaftName_, KindColour(FieldKind::Shaft), width() * 3 / 5 + barWidth / 2, false},
    };
    for (const Column& c : columns) {
        const int x0 = c.centre - barWidth / 2;
        if (!c.zone) {
            if (c.name.isEmpty())
                continue;
            p.setPen(clBlack);
            p.drawText(QRect(x0 - barWidth, zero - 2 * line - kGap, 3 * barWidth, 2 * line),
                       Qt::AlignHCenter | Qt::AlignBottom, c.name + QStringLiteral("\nне определено"));
            continue;
        }
        const Zone& z = *c.zone;
        const int top = scale.Y(z.upper), bottom = scale.Y(z.lower);
        QColor fill = c.colour;
        fill.setAlpha(50);
        p.fillRect(QRect(x0, top, barWidth, bottom - top), fill);
        p.setPen(c.colour);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(x0, top, barWidth, bottom - top));
        // The mid line reaches past the zone so that it shows on a thin one.
        QPen dashed(c.colour, 1, Qt::DashLine);
        p.setPen(dashed);
        const int mid = scale.Y((static_cast<double>(z.upper) + z.lower) / 2);
        p.drawLine(x0 - kGap, mid, x0 + barWidth + kGap, mid);

        p.setPen(clBlack);
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(QRect(x0 - barWidth, top - line - kGap / 2, 3 * barWidth, line), Qt::AlignHCenter | Qt::AlignBottom,
                   z.name);
        p.setFont(font());
        const int labelWidth = std::max(metrics.horizontalAdvance(z.upperText), metrics.horizontalAdvance(z.lowerText));
        const int labelX = c.labelsLeft ? x0 - kGap - labelWidth : x0 + barWidth + kGap;
        const Qt::Alignment side = c.labelsLeft ? Qt::AlignRight : Qt::AlignLeft;
        // Upper label above its edge, lower label below its edge: never on each other.
        p.drawText(QRect(labelX, top - line, labelWidth, line), side | Qt::AlignBottom, z.upperText);
        p.drawText(QRect(labelX, bottom + 1, labelWidth, line), side | Qt::AlignTop, z.lowerText);
    }
}
