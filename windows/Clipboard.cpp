// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QToolTip>
#include <QWidget>

#include "Boxes.h"

void PutOnClipboard(const ClipboardTexts& texts)
{
    auto* data = new QMimeData;
    data->setText(Text(texts.drawing));
    data->setData(kSpreadsheetMimeType, QByteArray::fromStdString(texts.table));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CopyOrSayWhy(const std::optional<ClipboardTexts>& texts, QWidget* anchor, const QString& why)
{
    if (texts) {
        PutOnClipboard(*texts);
        return;
    }
    QToolTip::showText(anchor->mapToGlobal(QPoint(0, anchor->height())), QStringLiteral("Копировать нечего: ") + why,
                       anchor, QRect(), 4000);
}
