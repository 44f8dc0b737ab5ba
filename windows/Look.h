// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts by pixel size and text colours through the palette, as every window
// of the program sets them.
#pragma once

#include <QColor>
#include <QFont>

#include "Catalogue.h"

class QWidget;

inline const QColor clMaroon{128, 0, 0};
inline const QColor clNavy{0, 0, 128};
inline const QColor clRed{255, 0, 0};
inline const QColor clBlue{0, 0, 255};
inline const QColor clGreen{0, 128, 0};
inline const QColor clWhite{255, 255, 255};
inline const QColor clBlack{0, 0, 0};
QColor clBtnFace();     // the button-face colour of the current style
QColor clWindowText();  // the default text colour

// The colour a field's name is written in: shafts blue, holes red, Js green.
QColor KindColour(FieldKind kind);

// The background of a tolerance table's data cell: light sky blue without
// data, else pale green in odd rows and white in even ones.
QColor TableCellColour(bool present, int row);


// The windows' faces, resolved once: "MS Sans Serif" and "Comic Sans MS"
// where installed, else straight their metric-alike stand-ins, so that no
// font request goes through fallback lookups for an absent family.
const QString& SansFamily();
const QString& MemoFamily();

// The application's font, 11 px sans, for every window and control that
// sets no font of its own; set before the first window is built.
void SetApplicationFont();

QFont PixelFont(const QString& family, int pixelSize, bool bold = false, bool underline = false);
inline QFont SansFont(int pixelSize, bool bold = false, bool underline = false)
{
    return PixelFont(SansFamily(), pixelSize, bold, underline);
}

// Text colour of a label, box, button or list, active and inactive alike.
void SetTextColour(QWidget* w, const QColor& colour);
QColor TextColour(const QWidget* w);
// Background of an edit box or list.
void SetBaseColour(QWidget* w, const QColor& colour);
QColor BaseColour(const QWidget* w);
