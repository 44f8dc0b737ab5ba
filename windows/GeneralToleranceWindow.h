// SPDX-License-Identifier: GPL-3.0-or-later
// «Общие допуски»: the general tolerances a drawing's note gives a size —
// a ГОСТ 30893.1 class or the IT form for linear sizes, radii, chamfers and
// angles, the ГОСТ 30893.2 class for form and position — and the note to
// copy onto the drawing. Non-modal; the main window creates it once.
#pragma once

#include <QString>

#include <array>

#include "GeneralTolerances.h"
#include "ToolWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class GeneralToleranceWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit GeneralToleranceWindow(QWidget* parent = nullptr);

    // The main window's size, taken over when it is a size above 0 and not
    // the one handed over last time (then what was typed here stays).
    void Preset(const QString& sizeText);

    GeneralRule ChosenRule() const;
    GeneralElement ChosenElement() const;
    general_tolerances::GeometricClass ChosenGeometricClass() const;
    void Recalc();
    // The first note, on the clipboard.
    void CopyClick() override;

private:
    void SetUpControls();
    void ShowLinear(const std::optional<Millimetres>& size);
    void ShowGeometric(const std::optional<Millimetres>& size);

    QLineEdit* size_;
    QLabel* sizeLabel_;
    QComboBox *element_, *class_, *grade_, *geometricClass_;
    QRadioButton *byClass_, *byGrade_;
    QCheckBox* micrometres_;
    QRadioButton *asIs_, *twoDigits_, *threeDigits_;
    QLineEdit* value_;
    // Upper, lower deviation, tolerance, largest, smallest size, mid value, radius.
    std::array<QLineEdit*, 7> boxes_;
    QLabel* info_;
    // Straightness and flatness, perpendicularity, symmetry, run-out.
    std::array<QLineEdit*, 4> geometricBoxes_;
    QLabel* geometricInfo_;
    QLineEdit *note_, *geometricNote_;
    QPushButton *copyNote_, *copyGeometricNote_;

    // What the window shows, computed once per change.
    GeneralResult shown_;
    std::array<GeometricResult, 4> geometric_;
    QString lastPreset_;
};
