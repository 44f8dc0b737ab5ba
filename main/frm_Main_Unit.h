// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: field list and filters, the limit calculation, manual
// entry, and the links to the side windows.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QString>

#include <optional>
#include <vector>

#include "Catalogue.h"
#include "CopyTexts.h"
#include "FieldResult.h"
#include "ui_frm_Main_Unit.h"

class QAction;
class QComboBox;
class QListWidgetItem;
class QLineEdit;

// The item a drop-down box stands on: its selected item while the text shows
// it, else the item whose text equals the typed text exactly, else -1.
int ComboItemIndex(const QComboBox* box);

class TForm1 : public QMainWindow, private Ui::TForm1 {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    // Start and side windows.
    void FormCreate();
    void Button20Click();
    void Label13Click();
    void Label5Click();

    // Field list and filters.
    void FillFieldList();
    void ComboBox1Change();
    void Label1Click();
    void Label2Click();
    void Label3Click();

    // Calculation and display.
    void Button2Click();
    void RecalcFromCatalogue();
    void RecalcFromManual();
    // Returns false when the key is dropped; may replace the character.
    bool Edit2KeyPress(QString& key);

    // Manual entry.
    void CheckBox1Click();
    void Button1Click();
    void Button5Click();
    void Button3Click();
    void Button4Click();
    void SpeedButton1Click();
    void Button21Click();
    void Edit4DblClick();

    // The windows beside this one: links in the status bar, keys that work
    // in every window, a menu on the free area and under «Ещё…», and the
    // shown result on the clipboard.
    void SetUpSideWindowLinks();
    void OpenFitWindow();
    void OpenReferenceWindow();
    void OpenSelectionWindow();
    void OpenGeneralWindow();
    void OpenCheckWindow();
    void CopyResult();
    void CentralAreaMenu(const QPoint& pos);
    void ShowLinksMenu(const QPoint& at);

protected:
    // Double clicks on the boxes and the list, and the boxes' key filter.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QListWidgetItem* ShownRow() const;
    FieldFilters Filters() const;
    DeviationUnit Unit() const;
    Rounding ChosenRounding() const;
    void ShowReadResult(QLineEdit* box, bool isNumber);
    void ResetFilter(QComboBox* box, int resetItem);
    void KeepOneRowSelected();
    void MoveRoundingChoice(QObject* from, int step);
    void WriteResults(const ResultTexts& results);
    void FlipBoxSign(QLineEdit* box);
    void QuickInsert(QLineEdit* box);

    // Fits and the ISO 286 reference.
    std::optional<uint8_t> ShownField() const;
    std::optional<ClipboardTexts> ShownResultTexts() const;
    std::vector<QAction*> toolActions_;
    QAction* copyAction_ = nullptr;
};

extern TForm1* Form1;

// The main window's side windows (Tfrm_Table, Tfrm_About, Tfrm_ListOf_PoleDop,
// Tfrm_FastNamber, Tfrm_Fit, Tfrm_Reference and the other windows beside
// the main one): each is made at its first showing and kept until
// DestroyForms, so the program starts with the main window alone.
template <typename Window>
Window* SideWindow();

// The program's window icon: its own pictures at the sizes title bars and
// task lists show (no icon theme to search, nothing large to decode).
QIcon ProgramIcon();

// Creates the main window; the side windows follow at their first showing.
void CreateForms();
// Destroys them again (tests start each case from a fresh program state).
void DestroyForms();
