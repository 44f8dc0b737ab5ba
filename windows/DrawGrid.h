// SPDX-License-Identifier: GPL-3.0-or-later
// A small owner-drawn grid: it knows cells, one fixed header row and column,
// scrolling and a current cell; what a cell shows is up to its painter.
#pragma once

#include <QAbstractScrollArea>
#include <QRect>

#include <functional>

class QPainter;

class DrawGrid : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int colCount READ colCount WRITE setColCount)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int defaultColWidth READ defaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)

public:
    // Called for every cell painted, after its background and before its
    // edge and focus rectangle; font, pen and brush are fresh for each cell.
    using CellPainter = std::function<void(QPainter& p, int col, int row, const QRect& rect)>;

    explicit DrawGrid(QWidget* parent = nullptr);

    int colCount() const { return cols_; }
    void setColCount(int n);
    int rowCount() const { return rows_; }
    void setRowCount(int n);
    int defaultColWidth() const { return colWidth_; }
    void setDefaultColWidth(int w);
    int defaultRowHeight() const { return rowHeight_; }
    void setDefaultRowHeight(int h);
    void setDrawCell(CellPainter painter) { drawCell_ = std::move(painter); }

    // The painter of the cell being painted; null outside painting.
    QPainter* canvas() const { return canvas_; }

    int col() const { return col_; }
    int row() const { return row_; }
    void setCurrent(int col, int row);
    // First scrollable column and row in view.
    int leftCol() const;
    int topRow() const;

    // Cell rectangle in viewport coordinates, without the grid lines;
    // empty when the cell is scrolled out of view.
    QRect cellRect(int col, int row) const;
    // Paints every visible cell as the viewport shows them.
    void paintCells(QPainter& p);

signals:
    // The current cell moved (by a click, a key or setCurrent).
    void currentChanged(int col, int row);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int fullCols() const;
    int fullRows() const;
    void updateScrollBars();
    void paintCell(QPainter& p, int col, int row, const QRect& rect);

    int cols_ = 5, rows_ = 5;
    int colWidth_ = 64, rowHeight_ = 24;
    int col_ = 1, row_ = 1;
    CellPainter drawCell_;
    QPainter* canvas_ = nullptr;
};
