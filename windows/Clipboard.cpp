#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "Boxes.h"

void PutOnClipboard(const ClipboardTexts& texts)
{
    auto* data = new QMimeData;
    data->setText(Text(texts.drawing));
    data->setData(kSpreadsheetMimeType, QByteArray::fromStdString(texts.table));
    QGuiApplication::clipboard()->setMimeData(data);
}
