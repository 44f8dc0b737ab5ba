// The tolerance table: every field's deviations in every size range, painted
// cell by cell straight from the catalogue.
#pragma once

#include <QDialog>
#include <QString>

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

    bool gradeOrder_ = true;
};

extern Tfrm_Table* frm_Table;
