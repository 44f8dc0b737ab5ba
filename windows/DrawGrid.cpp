// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

DrawGrid::DrawGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    updateScrollBars();
}

void DrawGrid::setColCount(int n)
{
    cols_ = std::max(1, n);
    setCurrent(col_, row_);
    updateScrollBars();
}

void DrawGrid::setRowCount(int n)
{
    rows_ = std::max(1, n);
    setCurrent(col_, row_);
    updateScrollBars();
}

void DrawGrid::setDefaultColWidth(int w)
{
    colWidth_ = std::max(1, w);
    updateScrollBars();
}

void DrawGrid::setDefaultRowHeight(int h)
{
    rowHeight_ = std::max(1, h);
    updateScrollBars();
}

int DrawGrid::leftCol() const { return 1 + horizontalScrollBar()->value(); }
int DrawGrid::topRow() const { return 1 + verticalScrollBar()->value(); }

// Scrollable cells that fit whole beside the fixed ones (their trailing line may not).
int DrawGrid::fullCols() const
{
    const int pitch = colWidth_ + 1;
    return std::clamp((viewport()->width() - pitch + 1) / pitch, 1, std::max(1, cols_ - 1));
}

int DrawGrid::fullRows() const
{
    const int pitch = rowHeight_ + 1;
    return std::clamp((viewport()->height() - pitch + 1) / pitch, 1, std::max(1, rows_ - 1));
}

void DrawGrid::updateScrollBars()
{
    // Scrolled by whole cells, like a spreadsheet: the value is the first
    // scrollable cell in view minus one.
    horizontalScrollBar()->setRange(0, std::max(0, cols_ - 1 - fullCols()));
    horizontalScrollBar()->setPageStep(fullCols());
    verticalScrollBar()->setRange(0, std::max(0, rows_ - 1 - fullRows()));
    verticalScrollBar()->setPageStep(fullRows());
    viewport()->update();
}

void DrawGrid::setCurrent(int col, int row)
{
    const int oldCol = col_, oldRow = row_;
    col_ = std::clamp(col, 1, std::max(1, cols_ - 1));
    row_ = std::clamp(row, 1, std::max(1, rows_ - 1));
    QScrollBar* h = horizontalScrollBar();
    if (col_ < leftCol())
        h->setValue(col_ - 1);
    else if (col_ >= leftCol() + fullCols())
        h->setValue(col_ - fullCols());
    QScrollBar* v = verticalScrollBar();
    if (row_ < topRow())
        v->setValue(row_ - 1);
    else if (row_ >= topRow() + fullRows())
        v->setValue(row_ - fullRows());
    viewport()->update();
    if (col_ != oldCol || row_ != oldRow)
        emit currentChanged(col_, row_);
}

QRect DrawGrid::cellRect(int col, int row) const
{
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
        return {};
    if ((col > 0 && col < leftCol()) || (row > 0 && row < topRow()))
        return {};
    const int x = col == 0 ? 0 : (colWidth_ + 1) * (1 + col - leftCol());
    const int y = row == 0 ? 0 : (rowHeight_ + 1) * (1 + row - topRow());
    const QRect r(x, y, colWidth_, rowHeight_);
    return r.intersects(viewport()->rect()) ? r : QRect();
}

void DrawGrid::paintCells(QPainter& p)
{
    const QRect vp = viewport()->rect();
    int lastCol = leftCol() - 1, lastRow = topRow() - 1;
    while (lastCol + 1 < cols_ && !cellRect(lastCol + 1, 0).isEmpty())
        ++lastCol;
    while (lastRow + 1 < rows_ && !cellRect(0, lastRow + 1).isEmpty())
        ++lastRow;

    // Grid lines are what the cells leave uncovered.
    p.fillRect(vp, palette().color(QPalette::Base));
    const int right = lastCol < leftCol() ? colWidth_ + 1 : cellRect(lastCol, 0).right() + 2;
    const int bottom = lastRow < topRow() ? rowHeight_ + 1 : cellRect(0, lastRow).bottom() + 2;
    p.fillRect(QRect(0, 0, right, bottom), palette().color(QPalette::Mid));

    canvas_ = &p;
    // Headers last, so that nothing drawn past a body cell's edge covers them.
    for (int r = topRow(); r <= lastRow; ++r)
        for (int c = leftCol(); c <= lastCol; ++c)
            paintCell(p, c, r, cellRect(c, r));
    for (int c = leftCol(); c <= lastCol; ++c)
        paintCell(p, c, 0, cellRect(c, 0));
    for (int r = topRow(); r <= lastRow; ++r)
        paintCell(p, 0, r, cellRect(0, r));
    paintCell(p, 0, 0, cellRect(0, 0));
    canvas_ = nullptr;
}

void DrawGrid::paintCell(QPainter& p, int col, int row, const QRect& rect)
{
    const bool fixed = col == 0 || row == 0;
    const QColor back = palette().color(fixed ? QPalette::Button : QPalette::Base);
    p.save();
    p.fillRect(rect, back);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.setBrush(back);
    if (drawCell_)
        drawCell_(p, col, row, rect);
    p.restore();

    p.save();
    if (fixed) {
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(rect.topLeft(), rect.topRight());
        p.drawLine(rect.topLeft(), rect.bottomLeft());
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        p.drawLine(rect.topRight(), rect.bottomRight());
    }
    if (col == col_ && row == row_ && hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    p.restore();
}

void DrawGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    paintCells(p);
}

void DrawGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void DrawGrid::scrollContentsBy(int, int) { viewport()->update(); }

// The focus rectangle is drawn in the viewport, which the frame's own
// repaint on a focus change leaves alone.
void DrawGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void DrawGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

void DrawGrid::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(e);
    const QPoint pos = e->position().toPoint();
    const int across = pos.x() / (colWidth_ + 1), down = pos.y() / (rowHeight_ + 1);
    const int c = across == 0 ? 0 : leftCol() + across - 1;
    const int r = down == 0 ? 0 : topRow() + down - 1;
    if (c > 0 && r > 0 && cellRect(c, r).contains(pos))
        setCurrent(c, r);
}

void DrawGrid::keyPressEvent(QKeyEvent* e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    int c = col_, r = row_;
    switch (e->key()) {
    case Qt::Key_Left: --c; break;
    case Qt::Key_Right: ++c; break;
    case Qt::Key_Up: --r; break;
    case Qt::Key_Down: ++r; break;
    case Qt::Key_Home: c = 1; if (ctrl) r = 1; break;
    case Qt::Key_End: c = cols_ - 1; if (ctrl) r = rows_ - 1; break;
    case Qt::Key_PageUp: r -= fullRows(); break;
    case Qt::Key_PageDown: r += fullRows(); break;
    default: return QAbstractScrollArea::keyPressEvent(e);
    }
    setCurrent(c, r);
}
