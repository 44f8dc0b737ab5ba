// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bevel.h"

#include <QPainter>

void Bevel::setShape(Shape shape)
{
    shape_ = shape;
    update();
}

void Bevel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const int w = width(), h = height();
    switch (shape_) {
    case TopLine:
        p.fillRect(0, 0, w, 1, shadow);
        p.fillRect(0, 1, w, 1, highlight);
        break;
    case BottomLine:
        p.fillRect(0, h - 2, w, 1, shadow);
        p.fillRect(0, h - 1, w, 1, highlight);
        break;
    case LeftLine:
        p.fillRect(0, 0, 1, h, shadow);
        p.fillRect(1, 0, 1, h, highlight);
        break;
    case RightLine:
        p.fillRect(w - 2, 0, 1, h, shadow);
        p.fillRect(w - 1, 0, 1, h, highlight);
        break;
    }
}
