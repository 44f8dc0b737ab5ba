// SPDX-License-Identifier: GPL-3.0-or-later
// An etched line along one edge of its rectangle, where the original's
// bevels draw it: the shadow line, then the highlight line below or right
// of it.
#pragma once

#include <QWidget>

class Bevel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Shape shape READ shape WRITE setShape)

public:
    enum Shape { TopLine, BottomLine, LeftLine, RightLine };
    Q_ENUM(Shape)

    using QWidget::QWidget;

    Shape shape() const { return shape_; }
    void setShape(Shape shape);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_ = TopLine;
};
