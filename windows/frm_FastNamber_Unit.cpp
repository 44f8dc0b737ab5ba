#include "frm_FastNamber_Unit.h"

#include <QMouseEvent>

#include "Look.h"

Tfrm_FastNamber* frm_FastNamber = nullptr;

namespace {

using T = Tfrm_FastNamber;

struct ValueLabel {
    QLabel* Ui::Tfrm_FastNamber::*label;
    void (Tfrm_FastNamber::*click)();
};

const ValueLabel kLabels[] = {
    {&T::Label1, &T::Label1Click},   {&T::Label2, &T::Label2Click},   {&T::Label3, &T::Label3Click},
    {&T::Label4, &T::Label4Click},   {&T::Label5, &T::Label5Click},   {&T::Label6, &T::Label6Click},
    {&T::Label7, &T::Label7Click},   {&T::Label8, &T::Label8Click},   {&T::Label9, &T::Label9Click},
    {&T::Label10, &T::Label10Click}, {&T::Label11, &T::Label11Click}, {&T::Label12, &T::Label12Click},
    {&T::Label13, &T::Label13Click}, {&T::Label14, &T::Label14Click}, {&T::Label15, &T::Label15Click},
    {&T::Label16, &T::Label16Click}, {&T::Label17, &T::Label17Click}, {&T::Label18, &T::Label18Click},
    {&T::Label19, &T::Label19Click}, {&T::Label20, &T::Label20Click},
};

}  // namespace

Tfrm_FastNamber::Tfrm_FastNamber(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(SansFont(11));
    for (const ValueLabel& v : kLabels) {
        QLabel* label = this->*v.label;
        label->setFont(SansFont(13, true));
        SetTextColour(label, clMaroon);
        // The hover and click area is the text itself.
        label->adjustSize();
        label->installEventFilter(this);
    }
}

bool Tfrm_FastNamber::eventFilter(QObject* watched, QEvent* event)
{
    for (const ValueLabel& v : kLabels) {
        QLabel* label = this->*v.label;
        if (watched != label)
            continue;
        switch (event->type()) {
        case QEvent::Enter:
            Label20MouseEnter(watched);
            break;
        case QEvent::Leave:
            Label20MouseLeave(watched);
            break;
        case QEvent::MouseButtonPress:
            // Taking the press makes the label the mouse grabber, so the
            // release comes back here: press and release on the same label.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                return true;
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
                (this->*v.click)();
                return true;
            }
            break;
        }
        default:
            break;
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
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
