#include "Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

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

void InstallFontSubstitutions()
{
    // Liberation Sans has Arial's metrics, the nearest free face to the
    // texts' intended widths; DejaVu Sans is there on every Debian desktop.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans")});
}

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
