// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the tests of owner-drawn windows: a paint device that keeps the
// texts painted on it, with their pen colour, boldness and box.
#pragma once

#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>

#include "DrawGrid.h"

struct PaintedText {
    QString text;
    QColor colour;
    bool bold;
    QRectF box;
};

// A paint device that keeps the texts drawn on it, with pen and font.
class TextRecorder : public QPaintDevice, public QPaintEngine {
public:
    explicit TextRecorder(QSize size) : QPaintEngine(AllFeatures), size_(size) {}
    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& s) override { pen_ = s.state() & DirtyPen ? s.pen() : pen_; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override
    {
        texts.push_back({t.text(), pen_.color(), t.font().bold(),
                         QRectF(p.x(), p.y() - t.ascent(), t.width(), t.ascent() + t.descent())});
    }
    int metric(PaintDeviceMetric m) const override
    {
        return m == PdmWidth ? size_.width() : m == PdmHeight ? size_.height()
             : m == PdmDevicePixelRatio ? 1 : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale()) : 96;
    }
    QList<PaintedText> texts;

private:
    QSize size_;
    QPen pen_;
};

// The texts painted inside one cell of a grid, top to bottom.
inline QList<PaintedText> CellTexts(DrawGrid* grid, int col, int row)
{
    TextRecorder recorder(grid->viewport()->size());
    QPainter p(&recorder);
    grid->paintCells(p);
    QList<PaintedText> found;
    for (const PaintedText& t : recorder.texts)
        if (grid->cellRect(col, row).contains(t.box.center().toPoint()))
            found.push_back(t);
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
    return found;
}

inline QStringList Strings(const QList<PaintedText>& texts)
{
    QStringList s;
    for (const PaintedText& t : texts)
        s << t.text;
    return s;
}
