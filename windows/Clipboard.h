// SPDX-License-Identifier: GPL-3.0-or-later
// The copy commands' clipboard: the drawing-ready text as plain text and the
// spreadsheet row as tab-separated values on the same data.
#pragma once

#include <QString>

#include <optional>

#include "CopyTexts.h"

class QWidget;

inline const QString kSpreadsheetMimeType = QStringLiteral("text/tab-separated-values");

void PutOnClipboard(const ClipboardTexts& texts);

// The texts on the clipboard; without them the clipboard keeps what it has
// and a short note by `anchor` says "Копировать нечего: <why>".
void CopyOrSayWhy(const std::optional<ClipboardTexts>& texts, QWidget* anchor, const QString& why);
