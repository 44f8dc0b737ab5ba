// SPDX-License-Identifier: GPL-3.0-or-later
// The size boxes of the fit and reference windows: the key rules of the main
// window's size box, and the red text of a box that holds no number.
#pragma once

#include <optional>

#include "ExactDecimal.h"
#include "Units.h"

class QChar;
class QLineEdit;

// The characters a number box takes as typed: digits, ",", "+" and "-"
// ("." is typed as ",").
bool IsNumberKeyChar(QChar c);

// "." types ","; of the other characters only the number ones get in.
// Editing keys and shortcuts (Ctrl+C, Ctrl+V …) keep working; a pasted
// text keeps its characters, a point in it becoming the comma.
void AcceptNumberKeysOnly(QLineEdit* box);

// The box's number; its text turns red when it holds none.
std::optional<ExactDecimal> ReadNumberBox(QLineEdit* box);

// The size a size box holds, read as the tool reads a designation's size
// (ReadSizeText); its text turns red when it holds none.
std::optional<Millimetres> ReadSizeBox(QLineEdit* box);
