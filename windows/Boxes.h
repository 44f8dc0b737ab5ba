// SPDX-License-Identifier: GPL-3.0-or-later
// How the windows read their choices and write the core's texts into their
// boxes: one rule each for the unit box, the rounding buttons and a
// deviation box's colour.
#pragma once

#include <QString>

#include <string>

#include "FieldResult.h"

class QAbstractButton;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QWidget;

// The core's UTF-8 texts as Qt's strings.
inline QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The unit the "в мкм" box asks for.
DeviationUnit UnitOf(const QAbstractButton* micrometresBox);
// A box that shows a result: read-only and focused only by a click (to
// select and copy), bold 14 px on the button face; `minimumWidth` when the
// window wants room for longer numbers.
QLineEdit* ResultBox(QWidget* parent, const QString& objectName, const QString& accessible, int minimumWidth = 0);

// The rounding buttons of a window built on layouts, as the main window has
// them: a group «Точность» with "2 цифры" chosen. Object names are `prefix`
// + "Rounding", "AsIs", "TwoDigits", "ThreeDigits".
struct RoundingButtons {
    QGroupBox* group;
    QRadioButton* asIs;
    QRadioButton* twoDigits;
    QRadioButton* threeDigits;
};
RoundingButtons MakeRoundingButtons(QWidget* parent, const QString& prefix);

// The rounding the three buttons choose: "Как есть", "3 цифры", else "2 цифры".
Rounding RoundingOf(const QAbstractButton* asIs, const QAbstractButton* threeDigits);

// A deviation box: its text, maroon when positive, else navy.
void ShowDeviation(QLineEdit* box, const DeviationText& deviation);
// A result box: its text in navy.
void ShowPlain(QLineEdit* box, const std::string& text);
