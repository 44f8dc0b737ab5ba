// The copy commands' clipboard: the drawing-ready text as plain text and the
// spreadsheet row as tab-separated values on the same data.
#pragma once

#include <QString>

#include "CopyTexts.h"

inline const QString kSpreadsheetMimeType = QStringLiteral("text/tab-separated-values");

void PutOnClipboard(const ClipboardTexts& texts);
