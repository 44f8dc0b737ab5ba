// SPDX-License-Identifier: GPL-3.0-or-later
// The quick-value palette: twenty frequent deviation values; a click stores
// the value for the caller and closes the palette.
#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_FastNamber_Unit.h"

class Tfrm_FastNamber : public QDialog, private Ui::Tfrm_FastNamber {
    Q_OBJECT

public:
    explicit Tfrm_FastNamber(QWidget* parent = nullptr);

    // The caller presets the value before showing and reads it afterwards;
    // closing the palette without a click leaves the preset.
    void SetQuickValueText(const QString& text) { QuickValueText = text; }
    QString quickValueText() const { return QuickValueText; }

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

private:
    void Choose(const QString& value);

    QString QuickValueText;
};
