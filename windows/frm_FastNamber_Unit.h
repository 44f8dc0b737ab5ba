// The quick-value palette: twenty frequent deviation values; a click hands
// the value back through QuickValueText and closes the palette.
#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_FastNamber_Unit.h"

class Tfrm_FastNamber : public QDialog, public Ui::Tfrm_FastNamber {
    Q_OBJECT

public:
    explicit Tfrm_FastNamber(QWidget* parent = nullptr);
    // The value handed back to the caller.
    QString QuickValueText;

    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();
    void Label6Click();
    void Label7Click();
    void Label8Click();
    void Label9Click();
    void Label10Click();
    void Label11Click();
    void Label12Click();
    void Label13Click();
    void Label14Click();
    void Label15Click();
    void Label16Click();
    void Label17Click();
    void Label18Click();
    void Label19Click();
    void Label20Click();
    // Shared by all twenty labels.
    void Label20MouseEnter(QObject* Sender);
    void Label20MouseLeave(QObject* Sender);

protected:
    void hideEvent(QHideEvent* event) override;
    // Labels have no click or hover signals: their events come through here.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(const QString& value);
};

extern Tfrm_FastNamber* frm_FastNamber;
