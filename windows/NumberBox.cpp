// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberBox.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

#include "Designation.h"
#include "Look.h"
#include "NumberText.h"

bool IsNumberKeyChar(QChar c) { return (c >= u'0' && c <= u'9') || c == u',' || c == u'+' || c == u'-'; }

namespace {

class NumberKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (command || text.isEmpty() || text.at(0) < QChar(u' '))
            return false;  // editing keys, Tab, Backspace, Enter, shortcuts
        if (text == QLatin1String(".")) {
            static_cast<QLineEdit*>(watched)->insert(QStringLiteral(","));
            return true;
        }
        return !std::all_of(text.begin(), text.end(), IsNumberKeyChar);
    }
};

}  // namespace

void AcceptNumberKeysOnly(QLineEdit* box)
{
    box->installEventFilter(new NumberKeys(box));
    // A pasted or dropped "25.4" reads as typed: the point becomes the comma.
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        if (!text.contains(u'.'))
            return;
        const int cursor = box->cursorPosition();
        QString comma = text;
        comma.replace(u'.', u',');
        box->setText(comma);
        box->setCursorPosition(cursor);
    });
}

std::optional<ExactDecimal> ReadNumberBox(QLineEdit* box)
{
    const std::optional<ExactDecimal> value = ReadDecimalText(box->text().toStdString());
    SetTextColour(box, value ? clWindowText() : clRed);
    return value;
}

std::optional<Millimetres> ReadSizeBox(QLineEdit* box)
{
    std::optional<Millimetres> size = ReadSizeText(box->text().toStdString());
    SetTextColour(box, size ? clWindowText() : clRed);
    return size;
}
