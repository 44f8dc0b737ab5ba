// SPDX-License-Identifier: GPL-3.0-or-later
// «Подбор»: the ISO 286 field that has a drawing's limit deviations, and
// the fits that give a required clearance or interference, preferred ones
// first. Non-modal; the main window creates it once and opens what is
// double-clicked here in its reference and fit windows.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "FieldSearch.h"
#include "FitSearch.h"
#include "Iso286.h"
#include "ToolWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

class SelectionWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit SelectionWindow(QWidget* parent = nullptr);

    // The main window's size, taken over by both pages when it is a size
    // of the ISO system, unless it is the one handed over last time.
    void Preset(const QString& sizeText);

    void SearchFields();
    void SearchFits();
    // The drawing's text into the size and deviation boxes.
    void ReadDrawingText();
    // The selected row's field or fit, as the other windows copy it.
    void CopyClick() override;

    // Rows the fit table shows at most; the count covers all.
    static constexpr int kShownFits = 200;
    // Nearest fields shown after the exact ones.
    static constexpr int kShownNearest = 10;

signals:
    // A field or a fit double-clicked (or Enter), with the size it was found at.
    void openField(const iso286::Field& field, const QString& sizeText);
    void openFit(const iso286::Field& hole, const iso286::Field& shaft, const QString& sizeText);

private:
    QWidget* FieldPage();
    QWidget* FitPage();
    void FieldActivated(int row);
    void FitActivated(int row);
    // Clearance or interference: the bound labels and the table's headings.
    void SenseChanged();
    bool Interference() const;

    QTabWidget* pages_;
    QPushButton* copy_;

    // «Поле по отклонениям».
    QLineEdit *drawing_, *fieldSize_, *upper_, *lower_;
    QLabel *drawingReason_, *fieldSummary_;
    QCheckBox* micrometres_;
    QRadioButton *holes_, *shafts_, *either_;
    QTableWidget* fields_;
    std::vector<FieldMatch> shownFields_;
    QString fieldSizeText_;  // the size the shown fields were found at

    // «Посадка по зазору».
    QLineEdit *fitSize_, *min_, *max_;
    QComboBox *sense_, *system_, *candidates_;
    QLabel *minLabel_, *maxLabel_, *fitSummary_;
    QTableWidget* fits_;
    std::vector<FitMatch> shownFits_;
    QString fitSizeText_;

    QString lastPreset_;
};
