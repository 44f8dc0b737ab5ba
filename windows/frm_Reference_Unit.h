// SPDX-License-Identifier: GPL-3.0-or-later
// «Справочник ISO 286»: any field of the standard at any size up to 3150 mm,
// and the same field over all its size intervals in a table. Non-modal; the
// main window creates it once.
#pragma once

#include <optional>
#include <vector>

#include "FieldResult.h"
#include "Iso286.h"
#include "ToolWindow.h"

class DrawGrid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;

class Tfrm_Reference : public ToolWindow {
    Q_OBJECT

public:
    explicit Tfrm_Reference(QWidget* parent = nullptr);

    // The field and size the main window stands on. Taken over unless they
    // are the ones handed over last time: then what was chosen here stays.
    // `always`: taken over even when handed over last time (the user asked
    // for this field again elsewhere).
    void Preset(const iso286::Field& field, const QString& sizeText, bool always = false);

    // The field the letter and grade pickers stand on.
    iso286::Field ChosenField() const;
    void Recalc();
    void CopyClick() override;
    void TableCurrentChanged(int col, int row);
    void DrawTableCell(QPainter& p, int col, int row, const QRect& rect);

protected:
    // The table's columns share its width.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpControls();
    void ChooseField(const iso286::Field& field);
    // The table's rows: the field over every interval, one result each.
    void ListIntervals(const iso286::Field& field);

    QComboBox *letter_, *grade_;
    QLineEdit* size_;
    QCheckBox* micrometres_;
    QRadioButton *asIs_, *twoDigits_, *threeDigits_;
    QPushButton* copy_;
    QLineEdit* name_;
    // The rows' names, with the unit of their numbers.
    QLabel* rowNames_[7];
    // Upper, lower deviation, tolerance, largest, smallest size, mid value, radius.
    QLineEdit* boxes_[7];
    QLabel* reason_;
    DrawGrid* table_;
    QLabel* cellInfo_;

    const std::vector<iso286::SizeRange> ranges_;
    std::vector<FieldResult> rows_;
    // The interval of the typed size, marked in the table; 0 while the size
    // is no valid size (a row the user picks is marked too).
    int markedRow_ = 0;
    // The field at the typed size, as shown and copied.
    FieldResult shown_;
    QString lastPreset_;
};
