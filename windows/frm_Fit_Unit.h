// SPDX-License-Identifier: GPL-3.0-or-later
// «Посадка»: a hole and a shaft of the ISO 286 system at one size, their
// limits, the clearances or interferences of the fit and a to-scale picture
// of both tolerance zones. Non-modal; the main window creates it once.
#pragma once

#include <optional>

#include "FitResult.h"
#include "Iso286.h"
#include "ToolWindow.h"

class FitPicture;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Tfrm_Fit : public ToolWindow {
    Q_OBJECT

public:
    explicit Tfrm_Fit(QWidget* parent = nullptr);

    // The fit and size the main window stands on. Taken over unless they are
    // the ones handed over last time: then what was chosen here stays.
    // `always`: taken over even when handed over last time (the user asked
    // for this fit again elsewhere).
    void Preset(const iso286::Field& hole, const iso286::Field& shaft, const QString& sizeText, bool always = false);

    void Recalc();
    void CopyClick() override;
    void CommonFitClick(const QString& hole, const QString& shaft);


private:
    void SetUpControls();
    void ListDefinedFields(int sizeCeiling);
    void ShowNoFit(const QString& reason);

    QLineEdit* size_;
    QComboBox *hole_, *shaft_;
    QCheckBox* micrometres_;
    QPushButton* copy_;
    QLabel *holeHeading_, *shaftHeading_;
    // The rows' names, with the unit of their numbers.
    QLabel* rowNames_[5];
    // Per side: upper and lower deviation, largest and smallest size, tolerance.
    QLineEdit* holeBoxes_[5];
    QLineEdit* shaftBoxes_[5];
    // Per figure (first, second, mean, tolerance): its name, µm and mm.
    QLabel* figureNames_[4];
    QLineEdit* figureBoxes_[4][2];
    QLineEdit* kind_;
    QLabel* reason_;
    FitPicture* picture_;

    int listedCeiling_ = 0;
    // The fit as shown, and copied.
    FitResult fit_;
    QString lastPreset_;
};
