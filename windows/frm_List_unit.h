// SPDX-License-Identifier: GPL-3.0-or-later
// The field picker: a chart of field buttons, letter across, grade down.
// A click stores the button's caption as the pick and closes the chart.
#pragma once

#include <QDialog>
#include <QString>

#include "ui_frm_List_unit.h"

class Tfrm_ListOf_PoleDop : public QDialog, private Ui::Tfrm_ListOf_PoleDop {
    Q_OBJECT

public:
    explicit Tfrm_ListOf_PoleDop(QWidget* parent = nullptr);

    // The caller presets the pick before showing and reads it afterwards;
    // closing the chart without a click leaves the preset.
    void SetPickedFieldName(const QString& name) { PickedFieldName = name; }
    QString pickedFieldName() const { return PickedFieldName; }

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    void SpeedButton17Click();
    void SpeedButton18Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    void SpeedButton23Click();
    void SpeedButton24Click();
    void SpeedButton26Click();
    void SpeedButton27Click();
    void SpeedButton28Click();
    void SpeedButton29Click();
    void SpeedButton30Click();
    void SpeedButton31Click();
    void SpeedButton32Click();
    void SpeedButton33Click();
    void SpeedButton34Click();
    void SpeedButton35Click();
    void SpeedButton36Click();
    void SpeedButton37Click();
    void SpeedButton38Click();
    void SpeedButton39Click();
    void SpeedButton40Click();
    void SpeedButton41Click();
    void SpeedButton42Click();
    void SpeedButton43Click();
    void SpeedButton44Click();
    void SpeedButton45Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Pick(const QString& fieldName);

    QString PickedFieldName;
};
