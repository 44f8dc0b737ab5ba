// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_FastNamber_Unit.h"

#include "Look.h"

namespace {

using T = Tfrm_FastNamber;
using U = Ui::Tfrm_FastNamber;

struct ValueLabel {
    ClickableLabel* Ui::Tfrm_FastNamber::*label;
    void (Tfrm_FastNamber::*click)();
};

const ValueLabel kLabels[] = {
    {&U::Label1, &T::Label1Click},   {&U::Label2, &T::Label2Click},   {&U::Label3, &T::Label3Click},
    {&U::Label4, &T::Label4Click},   {&U::Label5, &T::Label5Click},   {&U::Label6, &T::Label6Click},
    {&U::Label7, &T::Label7Click},   {&U::Label8, &T::Label8Click},   {&U::Label9, &T::Label9Click},
    {&U::Label10, &T::Label10Click}, {&U::Label11, &T::Label11Click}, {&U::Label12, &T::Label12Click},
    {&U::Label13, &T::Label13Click}, {&U::Label14, &T::Label14Click}, {&U::Label15, &T::Label15Click},
    {&U::Label16, &T::Label16Click}, {&U::Label17, &T::Label17Click}, {&U::Label18, &T::Label18Click},
    {&U::Label19, &T::Label19Click}, {&U::Label20, &T::Label20Click},
};

}  // namespace

Tfrm_FastNamber::Tfrm_FastNamber(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    for (const ValueLabel& v : kLabels) {
        ClickableLabel* label = this->*v.label;
        label->setFont(SansFont(13, true));
        SetTextColour(label, clMaroon);
        // The hover and click area is the text itself.
        label->adjustSize();
        connect(label, &ClickableLabel::clicked, this, v.click);
        connect(label, &ClickableLabel::entered, this, [this, label] { Label20MouseEnter(label); });
        connect(label, &ClickableLabel::left, this, [this, label] { Label20MouseLeave(label); });
    }
}

void Tfrm_FastNamber::hideEvent(QHideEvent* event)
{
    // The pointer leaves the values as the palette goes; no leave event
    // comes for a hidden label, so the clicked one would stay red.
    for (const ValueLabel& v : kLabels)
        Label20MouseLeave(this->*v.label);
    QDialog::hideEvent(event);
}

void Tfrm_FastNamber::Label20MouseEnter(QObject* Sender)
{
    for (const ValueLabel& v : kLabels)
        if (Sender == this->*v.label)
            SetTextColour(this->*v.label, clRed);
}

void Tfrm_FastNamber::Label20MouseLeave(QObject* Sender)
{
    for (const ValueLabel& v : kLabels)
        if (Sender == this->*v.label)
            SetTextColour(this->*v.label, clMaroon);
}

void Tfrm_FastNamber::Choose(const QString& value)
{
    QuickValueText = value;
    accept();
}

// Stored texts drop a trailing zero of the second decimal; each is its own
// constant, not derived from the shown text.
void Tfrm_FastNamber::Label1Click() { Choose(QStringLiteral("0,1")); }
void Tfrm_FastNamber::Label19Click() { Choose(QStringLiteral("0,12")); }
void Tfrm_FastNamber::Label2Click() { Choose(QStringLiteral("0,15")); }
void Tfrm_FastNamber::Label20Click() { Choose(QStringLiteral("0,18")); }
void Tfrm_FastNamber::Label3Click() { Choose(QStringLiteral("0,2")); }
void Tfrm_FastNamber::Label4Click() { Choose(QStringLiteral("0,25")); }
void Tfrm_FastNamber::Label5Click() { Choose(QStringLiteral("0,3")); }
void Tfrm_FastNamber::Label16Click() { Choose(QStringLiteral("0,35")); }
void Tfrm_FastNamber::Label6Click() { Choose(QStringLiteral("0,4")); }
void Tfrm_FastNamber::Label7Click() { Choose(QStringLiteral("0,45")); }
void Tfrm_FastNamber::Label8Click() { Choose(QStringLiteral("0,5")); }
void Tfrm_FastNamber::Label9Click() { Choose(QStringLiteral("0,55")); }
void Tfrm_FastNamber::Label10Click() { Choose(QStringLiteral("0,6")); }
void Tfrm_FastNamber::Label17Click() { Choose(QStringLiteral("0,65")); }
void Tfrm_FastNamber::Label11Click() { Choose(QStringLiteral("0,7")); }
void Tfrm_FastNamber::Label12Click() { Choose(QStringLiteral("0,8")); }
void Tfrm_FastNamber::Label13Click() { Choose(QStringLiteral("0,9")); }
void Tfrm_FastNamber::Label14Click() { Choose(QStringLiteral("1,0")); }
void Tfrm_FastNamber::Label15Click() { Choose(QStringLiteral("1,1")); }
void Tfrm_FastNamber::Label18Click() { Choose(QStringLiteral("1,2")); }
