#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void PutOnClipboard(const ClipboardTexts& texts)
{
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(texts.drawing));
    data->setData(kSpreadsheetMimeType, QByteArray::fromStdString(texts.table));
    QGuiApplication::clipboard()->setMimeData(data);
}
