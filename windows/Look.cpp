// SPDX-License-Identifier: GPL-3.0-or-later
#include "Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

#include <initializer_list>

QColor clBtnFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }
QColor clWindowText() { return QApplication::palette().color(QPalette::Active, QPalette::WindowText); }

QColor KindColour(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Hole:
        return clRed;
    case FieldKind::Symmetric:
        return clGreen;
    case FieldKind::Shaft:
        break;
    }
    return clBlue;
}

QColor TableCellColour(bool present, int row)
{
    if (!present)
        return QColor(166, 202, 240);
    return row % 2 != 0 ? QColor(192, 220, 192) : QColor(255, 255, 255);
}

namespace {

// The first of the faces that is installed; the last is there on every Debian desktop.
QString FirstInstalled(std::initializer_list<const char*> families)
{
    for (const char* family : families)
        if (QFontDatabase::hasFamily(QLatin1String(family)))
            return QLatin1String(family);
    return QLatin1String(*(families.end() - 1));
}

}  // namespace

const QString& SansFamily()
{
    // Liberation Sans has Arial's metrics, the nearest free face to the
    // texts' intended widths.
    static const QString family = FirstInstalled({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    return family;
}

const QString& MemoFamily()
{
    static const QString family = FirstInstalled({"Comic Sans MS", "Comic Neue", "Liberation Sans", "DejaVu Sans"});
    return family;
}

void SetApplicationFont() { QApplication::setFont(SansFont(11)); }

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool underline)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

void SetTextColour(QWidget* w, const QColor& colour)
{
    // Recalculations set colours often; an unchanged palette costs a repaint.
    if (TextColour(w) == colour && w->palette().color(QPalette::Inactive, QPalette::WindowText) == colour)
        return;
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, colour);
        p.setColor(group, QPalette::Text, colour);
        p.setColor(group, QPalette::ButtonText, colour);
    }
    w->setPalette(p);
}

QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Text); }

void SetBaseColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Base, colour);
    w->setPalette(p);
}

QColor BaseColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Base); }
