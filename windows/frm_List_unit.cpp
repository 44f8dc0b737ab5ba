// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_List_unit.h"

#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

#include "Catalogue.h"
#include "Look.h"
#include "WindowFrame.h"

namespace {

using Handler = void (Tfrm_ListOf_PoleDop::*)();

// One chart cell: column over b d g f F h H Js k/K N R S U, row over the
// grades 6 7 8 9 11 12 13 14 15 16.
struct PickerButton {
    const char* name;
    const char* caption;
    int column;
    int row;
    Handler click;
};

using T = Tfrm_ListOf_PoleDop;
const PickerButton kButtons[] = {
    {"SpeedButton1", "g6", 2, 0, &T::SpeedButton1Click},
    {"SpeedButton2", "K6", 8, 0, &T::SpeedButton2Click},
    {"SpeedButton3", "N6", 9, 0, &T::SpeedButton3Click},
    {"SpeedButton4", "R6", 10, 0, &T::SpeedButton4Click},
    {"SpeedButton5", "f7", 3, 1, &T::SpeedButton5Click},
    {"SpeedButton6", "F8", 4, 2, &T::SpeedButton6Click},
    {"SpeedButton7", "H6", 6, 0, &T::SpeedButton7Click},
    {"SpeedButton8", "h6", 5, 0, &T::SpeedButton8Click},
    {"SpeedButton9", "Js6", 7, 0, &T::SpeedButton9Click},
    {"SpeedButton10", "h7", 5, 1, &T::SpeedButton10Click},
    {"SpeedButton11", "H7", 6, 1, &T::SpeedButton11Click},
    {"SpeedButton12", "S7", 11, 1, &T::SpeedButton12Click},
    {"SpeedButton13", "Js7", 7, 1, &T::SpeedButton13Click},
    {"SpeedButton14", "h8", 5, 2, &T::SpeedButton14Click},
    {"SpeedButton15", "H8", 6, 2, &T::SpeedButton15Click},
    {"SpeedButton17", "h9", 5, 3, &T::SpeedButton17Click},
    {"SpeedButton18", "H9", 6, 3, &T::SpeedButton18Click},
    {"SpeedButton20", "d11", 1, 4, &T::SpeedButton20Click},
    {"SpeedButton21", "b12", 0, 5, &T::SpeedButton21Click},
    {"SpeedButton23", "h11", 5, 4, &T::SpeedButton23Click},
    {"SpeedButton24", "H11", 6, 4, &T::SpeedButton24Click},
    {"SpeedButton26", "h12", 5, 5, &T::SpeedButton26Click},
    {"SpeedButton27", "H12", 6, 5, &T::SpeedButton27Click},
    {"SpeedButton28", "Js12", 7, 5, &T::SpeedButton28Click},
    {"SpeedButton29", "h13", 5, 6, &T::SpeedButton29Click},
    {"SpeedButton30", "H13", 6, 6, &T::SpeedButton30Click},
    {"SpeedButton31", "Js13", 7, 6, &T::SpeedButton31Click},
    {"SpeedButton32", "h14", 5, 7, &T::SpeedButton32Click},
    {"SpeedButton33", "H14", 6, 7, &T::SpeedButton33Click},
    {"SpeedButton34", "Js14", 7, 7, &T::SpeedButton34Click},
    {"SpeedButton35", "h15", 5, 8, &T::SpeedButton35Click},
    {"SpeedButton36", "H15", 6, 8, &T::SpeedButton36Click},
    {"SpeedButton37", "Js15", 7, 8, &T::SpeedButton37Click},
    {"SpeedButton38", "h16", 5, 9, &T::SpeedButton38Click},
    {"SpeedButton39", "H16", 6, 9, &T::SpeedButton39Click},
    {"SpeedButton40", "Js16", 7, 9, &T::SpeedButton40Click},
    {"SpeedButton41", "k7", 8, 1, &T::SpeedButton41Click},
    {"SpeedButton42", "U8", 12, 2, &T::SpeedButton42Click},
    {"SpeedButton43", "f8", 3, 2, &T::SpeedButton43Click},
    {"SpeedButton44", "d9", 1, 3, &T::SpeedButton44Click},
    {"SpeedButton45", "f9", 3, 3, &T::SpeedButton45Click},
};

}  // namespace

Tfrm_ListOf_PoleDop::Tfrm_ListOf_PoleDop(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    struct Look {
        QLabel* Ui::Tfrm_ListOf_PoleDop::*label;
        int pixelSize;
    };
    const Look kLooks[] = {
        {&T::LabelLetter, 13},   {&T::LabelKvalitet, 13}, {&T::LabelB, 24},       {&T::LabelD, 24},
        {&T::LabelG, 24},        {&T::LabelF, 24},        {&T::LabelH, 24},       {&T::LabelJs, 24},
        {&T::LabelK, 24},        {&T::LabelN, 24},        {&T::LabelR, 24},       {&T::LabelS, 24},
        {&T::LabelU, 24},        {&T::LabelGrade6, 24},   {&T::LabelGrade7, 24},  {&T::LabelGrade8, 24},
        {&T::LabelGrade9, 24},   {&T::LabelGrade11, 24},  {&T::LabelGrade12, 24}, {&T::LabelGrade13, 24},
        {&T::LabelGrade14, 24},  {&T::LabelGrade15, 24},  {&T::LabelGrade16, 24},
    };
    for (const Look& look : kLooks) {
        QLabel* label = this->*look.label;
        label->setFont(SansFont(look.pixelSize, true));
        // Headings size to their text, as the fixed lefts assume.
        if (!label->wordWrap())
            label->adjustSize();
    }

    for (const PickerButton& b : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(b.name));
        const QString caption = QLatin1String(b.caption);
        button->setText(caption);
        button->setGeometry(88 + 48 * b.column, 64 + 48 * b.row, 41, 33);
        button->setAutoRaise(true);
        // No focus: Enter and Space must never press a button of the chart.
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(SansFont(13, true));
        SetTextColour(button, KindColour(KindOfFieldName(caption.toStdString())));
        connect(button, &QToolButton::clicked, this, b.click);
    }
}

void Tfrm_ListOf_PoleDop::showEvent(QShowEvent* event)
{
    // Centred on the main window at the first showing, frame on frame as the
    // window manager draws them; later showings open where the user left it.
    if (!event->spontaneous() && !testAttribute(Qt::WA_Moved) && parentWidget()) {
        const QWidget* main = parentWidget()->window();
        CentreFrameOn(this, main->frameGeometry(), main->screen()->availableGeometry());
    }
    setAttribute(Qt::WA_Moved, true);
    QDialog::showEvent(event);
}

void Tfrm_ListOf_PoleDop::Pick(const QString& fieldName)
{
    PickedFieldName = fieldName;
    accept();
}

void Tfrm_ListOf_PoleDop::SpeedButton1Click() { Pick(QStringLiteral("g6")); }
void Tfrm_ListOf_PoleDop::SpeedButton2Click() { Pick(QStringLiteral("K6")); }
void Tfrm_ListOf_PoleDop::SpeedButton3Click() { Pick(QStringLiteral("N6")); }
void Tfrm_ListOf_PoleDop::SpeedButton4Click() { Pick(QStringLiteral("R6")); }
void Tfrm_ListOf_PoleDop::SpeedButton5Click() { Pick(QStringLiteral("f7")); }
void Tfrm_ListOf_PoleDop::SpeedButton6Click() { Pick(QStringLiteral("F8")); }
void Tfrm_ListOf_PoleDop::SpeedButton7Click() { Pick(QStringLiteral("H6")); }
void Tfrm_ListOf_PoleDop::SpeedButton8Click() { Pick(QStringLiteral("h6")); }
void Tfrm_ListOf_PoleDop::SpeedButton9Click() { Pick(QStringLiteral("Js6")); }
void Tfrm_ListOf_PoleDop::SpeedButton10Click() { Pick(QStringLiteral("h7")); }
void Tfrm_ListOf_PoleDop::SpeedButton11Click() { Pick(QStringLiteral("H7")); }
void Tfrm_ListOf_PoleDop::SpeedButton12Click() { Pick(QStringLiteral("S7")); }
void Tfrm_ListOf_PoleDop::SpeedButton13Click() { Pick(QStringLiteral("Js7")); }
void Tfrm_ListOf_PoleDop::SpeedButton14Click() { Pick(QStringLiteral("h8")); }
void Tfrm_ListOf_PoleDop::SpeedButton15Click() { Pick(QStringLiteral("H8")); }
void Tfrm_ListOf_PoleDop::SpeedButton17Click() { Pick(QStringLiteral("h9")); }
void Tfrm_ListOf_PoleDop::SpeedButton18Click() { Pick(QStringLiteral("H9")); }
void Tfrm_ListOf_PoleDop::SpeedButton20Click() { Pick(QStringLiteral("d11")); }
void Tfrm_ListOf_PoleDop::SpeedButton21Click() { Pick(QStringLiteral("b12")); }
void Tfrm_ListOf_PoleDop::SpeedButton23Click() { Pick(QStringLiteral("h11")); }
void Tfrm_ListOf_PoleDop::SpeedButton24Click() { Pick(QStringLiteral("H11")); }
void Tfrm_ListOf_PoleDop::SpeedButton26Click() { Pick(QStringLiteral("h12")); }
void Tfrm_ListOf_PoleDop::SpeedButton27Click() { Pick(QStringLiteral("H12")); }
void Tfrm_ListOf_PoleDop::SpeedButton28Click() { Pick(QStringLiteral("Js12")); }
void Tfrm_ListOf_PoleDop::SpeedButton29Click() { Pick(QStringLiteral("h13")); }
void Tfrm_ListOf_PoleDop::SpeedButton30Click() { Pick(QStringLiteral("H13")); }
void Tfrm_ListOf_PoleDop::SpeedButton31Click() { Pick(QStringLiteral("Js13")); }
void Tfrm_ListOf_PoleDop::SpeedButton32Click() { Pick(QStringLiteral("h14")); }
void Tfrm_ListOf_PoleDop::SpeedButton33Click() { Pick(QStringLiteral("H14")); }
void Tfrm_ListOf_PoleDop::SpeedButton34Click() { Pick(QStringLiteral("Js14")); }
void Tfrm_ListOf_PoleDop::SpeedButton35Click() { Pick(QStringLiteral("h15")); }
void Tfrm_ListOf_PoleDop::SpeedButton36Click() { Pick(QStringLiteral("H15")); }
void Tfrm_ListOf_PoleDop::SpeedButton37Click() { Pick(QStringLiteral("Js15")); }
void Tfrm_ListOf_PoleDop::SpeedButton38Click() { Pick(QStringLiteral("h16")); }
void Tfrm_ListOf_PoleDop::SpeedButton39Click() { Pick(QStringLiteral("H16")); }
void Tfrm_ListOf_PoleDop::SpeedButton40Click() { Pick(QStringLiteral("Js16")); }
void Tfrm_ListOf_PoleDop::SpeedButton41Click() { Pick(QStringLiteral("k7")); }
void Tfrm_ListOf_PoleDop::SpeedButton42Click() { Pick(QStringLiteral("U8")); }
void Tfrm_ListOf_PoleDop::SpeedButton43Click() { Pick(QStringLiteral("f8")); }
void Tfrm_ListOf_PoleDop::SpeedButton44Click() { Pick(QStringLiteral("d9")); }
void Tfrm_ListOf_PoleDop::SpeedButton45Click() { Pick(QStringLiteral("f9")); }
