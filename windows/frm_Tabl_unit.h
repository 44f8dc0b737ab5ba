// SPDX-License-Identifier: GPL-3.0-or-later
// The tolerance table: every field's deviations in every size range, painted
// cell by cell straight from the catalogue.
#pragma once

#include <QDialog>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QTimer>

#include "ui_frm_Tabl_unit.h"

class Tfrm_Table : public QDialog, private Ui::Tfrm_Table {
    Q_OBJECT

public:
    explicit Tfrm_Table(QWidget* parent = nullptr);

    // Columns in the grade order (the main list's grade-sorted type item)
    // or in catalogue order; the caller sets it before showing.
    void SetGradeOrder(bool gradeOrder);

    void DrawGrid1DrawCell(int ACol, int ARow, const QRect& Rect);
    // Outer window size, frame included.
    bool FormCanResize(int NewWidth, int NewHeight) const;
    void FormResize();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void DrawCenteredText(const QString& Text, const QRect& Rect, int DY);
    QSize FrameExtra() const;
    void ConfirmAcceptedSize();

    bool gradeOrder_ = true;
    QMargins frame_;  // as the window manager answered before the first mapping
    QSize accepted_;  // the last client size the limit let through
    QTimer confirm_;
    int confirmTries_ = 0;
};
