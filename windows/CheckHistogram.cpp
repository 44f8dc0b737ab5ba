// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckHistogram.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "Boxes.h"
#include "Look.h"
#include "NumberText.h"

namespace {

constexpr int kBins = HistogramBins::kBinsPerTolerance;

// A place in bin units for drawing: (value - min) k / T to a thousandth of a bin.
double BinUnits(const CheckLimits& limits, const Millimetres& value)
{
    const ExactDecimal thousandths = RoundedQuotient((value - limits.field.min).Value() * (kBins * 1000),
                                                     limits.Tolerance().Value(), 0);
    // Far outside the picture either way; the picture clips it.
    const ExactDecimal bound(1000000000, 0);
    if (bound < thousandths)
        return 1e6;
    if (thousandths < -bound)
        return -1e6;
    return static_cast<double>(thousandths.Ceiling()) / 1000.0;
}

// The geometry of one drawing: the plot's rectangle and its bins.
struct Layout {
    QRect plot;
    int first = 0, count = 1;
    double X(double units) const { return plot.left() + (units - first) * plot.width() / count; }
};

Layout LayoutOf(const QRect& area, const HistogramPicture& picture, const QFontMetrics& metrics, double unit)
{
    Layout l;
    const int line = metrics.height();
    const int countWidth = metrics.horizontalAdvance(QStringLiteral("00000")) + static_cast<int>(6 * unit);
    l.plot = QRect(area.left() + countWidth, area.top() + line + static_cast<int>(6 * unit),
                   area.width() - countWidth - static_cast<int>(8 * unit),
                   area.height() - 2 * line - static_cast<int>(12 * unit));
    l.first = picture.bins.first;
    l.count = static_cast<int>(picture.bins.counts.size());
    return l;
}

}  // namespace

QColor VerdictColour(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Good: return QColor(0, 140, 0);
    case Verdict::Rework: return QColor(205, 140, 0);
    case Verdict::Scrap: break;
    }
    return QColor(210, 0, 0);
}

HistogramPicture HistogramPictureOf(const CheckLimits& limits, const HistogramBins& bins,
                                    const BatchSummary& summary)
{
    HistogramPicture p;
    p.bins = bins;
    p.guard = limits.guard.Sign() > 0;
    p.acceptLower = BinUnits(limits, limits.acceptLower);
    p.acceptUpper = BinUnits(limits, limits.acceptUpper);
    if (summary.mean) {
        p.mean = BinUnits(limits, *summary.mean);
        p.meanText = QStringLiteral("x̄ = ") + Text(FormatGeneral(summary.mean->Value()));
    }
    p.lowerText = Text(FormatGeneral(limits.field.min.Value()));
    p.upperText = Text(FormatGeneral(limits.field.max.Value()));
    return p;
}

void DrawHistogram(QPainter& painter, const QRect& area, const HistogramPicture& picture, const QString& note)
{
    painter.save();
    // Screen pixels at 96 dpi; a printer or a PDF draws the same lengths.
    const double unit = painter.device() ? painter.device()->logicalDpiX() / 96.0 : 1.0;
    const auto px = [unit](double n) { return static_cast<int>(std::lround(n * unit)); };
    const QFontMetrics metrics(painter.font(), painter.device());
    const int line = metrics.height();
    const Layout l = LayoutOf(area, picture, metrics, unit);
    const QRect& plot = l.plot;
    const double binWidth = static_cast<double>(plot.width()) / l.count;

    size_t most = 0;
    for (const auto& c : picture.bins.counts)
        most = std::max(most, c[0] + c[1] + c[2]);

    // Axes: the count on the left, the baseline.
    painter.setPen(clBlack);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRect(area.left(), plot.top() - line / 2, plot.left() - area.left() - 4, line),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(most));
    painter.drawText(QRect(area.left(), plot.bottom() - line / 2, plot.left() - area.left() - 4, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));

    // Bars, stacked good, rework, scrap from the baseline up; a pixel apart.
    if (most > 0) {
        for (size_t bin = 0; bin < picture.bins.counts.size(); ++bin) {
            const auto& c = picture.bins.counts[bin];
            const int x0 = static_cast<int>(std::lround(plot.left() + bin * binWidth)) + px(1);
            const int x1 = static_cast<int>(std::lround(plot.left() + (bin + 1) * binWidth)) - px(1);
            double stacked = 0;
            for (const Verdict v : {Verdict::Good, Verdict::Rework, Verdict::Scrap}) {
                const size_t n = c[static_cast<size_t>(v)];
                if (n == 0)
                    continue;
                const int bottom = plot.bottom() - static_cast<int>(std::lround(stacked * plot.height() / most));
                stacked += static_cast<double>(n);
                const int top = plot.bottom() - static_cast<int>(std::lround(stacked * plot.height() / most));
                if (x1 >= x0 && bottom > top)
                    painter.fillRect(QRect(QPoint(x0, top + 1), QPoint(x1, bottom - 1)), VerdictColour(v));
            }
        }
    } else {
        painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, note);
    }

    // Sizes beyond the bins shown, at the edges.
    painter.setPen(clBlack);
    if (picture.bins.beyondBelow > 0)
        painter.drawText(QRect(plot.left() + px(2), plot.top(), plot.width() / 2, line), Qt::AlignLeft,
                         QStringLiteral("◄ ещё дальше: %1").arg(picture.bins.beyondBelow));
    if (picture.bins.beyondAbove > 0)
        painter.drawText(QRect(plot.center().x(), plot.top(), plot.width() / 2 - px(2), line), Qt::AlignRight,
                         QStringLiteral("ещё дальше: %1 ►").arg(picture.bins.beyondAbove));

    const auto vertical = [&](double units, const QPen& pen) {
        const int x = static_cast<int>(std::lround(l.X(units)));
        painter.setPen(pen);
        painter.drawLine(x, plot.top() - px(4), x, plot.bottom());
        return x;
    };
    if (picture.guard) {
        QPen dashed(kAcceptLineColour, px(2), Qt::DashLine);
        vertical(picture.acceptLower, dashed);
        vertical(picture.acceptUpper, dashed);
    }
    const int lowerX = vertical(0, QPen(kLimitLineColour, px(2)));
    const int upperX = vertical(kBins, QPen(kLimitLineColour, px(2)));
    painter.setPen(clBlack);
    const int labelWidth = std::max(metrics.horizontalAdvance(picture.lowerText),
                                    metrics.horizontalAdvance(picture.upperText))
                           + px(4);
    painter.drawText(QRect(lowerX - labelWidth, plot.bottom() + px(3), labelWidth, line), Qt::AlignRight,
                     picture.lowerText);
    painter.drawText(QRect(upperX, plot.bottom() + px(3), labelWidth, line), Qt::AlignLeft, picture.upperText);
    painter.drawText(QRect(lowerX, plot.bottom() + px(3), upperX - lowerX, line), Qt::AlignHCenter,
                     QStringLiteral("мм"));
    // The legend, top left: what each line is.
    int legendX = plot.left() + px(4);
    const auto legend = [&](const QPen& pen, const QString& name) {
        const int y = area.top() + line / 2 + 1;
        painter.setPen(pen);
        painter.drawLine(legendX, y, legendX + px(14), y);
        painter.setPen(clBlack);
        const int width = metrics.horizontalAdvance(name);
        painter.drawText(QRect(legendX + px(18), area.top(), width + px(2), line), Qt::AlignLeft | Qt::AlignVCenter,
                         name);
        legendX += px(18) + width + px(10);
    };
    legend(QPen(kLimitLineColour, px(2)), QStringLiteral("допуск"));
    if (picture.guard)
        legend(QPen(kAcceptLineColour, px(2), Qt::DashLine), QStringLiteral("приёмка"));
    if (picture.mean)
        legend(QPen(kMeanLineColour, px(2)), QStringLiteral("среднее"));
    if (picture.mean && *picture.mean >= l.first && *picture.mean <= l.first + l.count) {
        const int x = vertical(*picture.mean, QPen(kMeanLineColour, px(2)));
        painter.setPen(kMeanLineColour);
        // Beside the line, clear of the legend where there is room.
        const int width = metrics.horizontalAdvance(picture.meanText) + px(4);
        int left = x + px(4);
        if (left + width > area.right())
            left = x - px(4) - width;
        if (left < legendX)
            left = std::max(legendX, std::min(x + px(4), area.right() - width));
        painter.drawText(QRect(left, area.top(), width, line), Qt::AlignLeft | Qt::AlignVCenter, picture.meanText);
    }
    painter.restore();
}

CheckHistogram::CheckHistogram(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(SansFont(11));
}

void CheckHistogram::SetPicture(std::optional<HistogramPicture> picture)
{
    picture_ = std::move(picture);
    update();
}

int CheckHistogram::XOf(double binUnits) const
{
    if (!picture_)
        return -1;
    return static_cast<int>(
        std::lround(LayoutOf(rect(), *picture_, QFontMetrics(font()), logicalDpiX() / 96.0).X(binUnits)));
}

void CheckHistogram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), clWhite);
    p.setFont(font());
    if (!picture_) {
        p.setPen(clBlack);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Гистограмма — когда задано поле допуска"));
        return;
    }
    DrawHistogram(p, rect(), *picture_, QStringLiteral("Вставьте или откройте размеры партии"));
}
