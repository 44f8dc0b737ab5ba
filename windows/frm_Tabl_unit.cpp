// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_Tabl_unit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include "Boxes.h"
#include "Catalogue.h"
#include "Data_Unit.h"
#include "DeviationCell.h"
#include "FieldResult.h"
#include "Look.h"
#include "WindowFrame.h"

Tfrm_Table::Tfrm_Table(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    DrawGrid1->setDrawCell([this](QPainter&, int col, int row, const QRect& rect) {
        DrawGrid1DrawCell(col, row, rect);
    });
    confirm_.setSingleShot(true);
    confirm_.setInterval(100);
    connect(&confirm_, &QTimer::timeout, this, &Tfrm_Table::ConfirmAcceptedSize);
}

void Tfrm_Table::SetGradeOrder(bool gradeOrder)
{
    gradeOrder_ = gradeOrder;
    DrawGrid1->viewport()->update();
}

void Tfrm_Table::DrawCenteredText(const QString& Text, const QRect& Rect, int DY)
{
    QPainter& canvas = *DrawGrid1->canvas();
    const QFontMetrics metrics = canvas.fontMetrics();
    const int W = Rect.width();
    const int T = metrics.horizontalAdvance(Text);
    const int X = Rect.left() + W / 2 - T / 2;
    const int Y = Rect.top() + DY;
    canvas.fillRect(QRect(X, Y, T, metrics.height()), canvas.brush());
    canvas.drawText(X, Y + metrics.ascent(), Text);
}

void Tfrm_Table::DrawGrid1DrawCell(int ACol, int ARow, const QRect& Rect)
{
    QPainter& canvas = *DrawGrid1->canvas();
    int F = ACol;
    if (F > 0 && gradeOrder_)
        F = GradeOrder[F];

    QFont bold = canvas.font();
    bold.setBold(true);
    if (ARow == 0 && F > 0) {
        canvas.setPen(clBlack);
        canvas.setFont(bold);
        DrawCenteredText(Text(FieldName(static_cast<uint8_t>(F))), Rect, 7);
    } else if (F == 0 && ARow > 0) {
        const SizeRange& range = SizeRanges[ARow];
        canvas.setPen(clBlack);
        canvas.setFont(bold);
        DrawCenteredText(QStringLiteral("%1-%2").arg(range.lower).arg(range.upper), Rect, 7);
    } else if (F > 0 && ARow > 0) {
        const DeviationValues P = DeviationsOf(F, ARow);
        std::optional<CellDeviations> deviations;
        if (P.present)
            deviations = CellDeviations{CatalogueMicrometres(P.upper), CatalogueMicrometres(P.lower)};
        PaintDeviationCell(canvas, Rect, ARow, deviations, [this, &Rect](const QString& text, CellLine line) {
            DrawCenteredText(text, Rect, line == CellLine::Upper ? 2 : line == CellLine::Lower ? 15 : 7);
        });
    }
}

bool Tfrm_Table::FormCanResize(int NewWidth, int NewHeight) const
{
    return NewWidth >= 400 && NewHeight >= 300;
}

void Tfrm_Table::FormResize()
{
    DrawGrid1->setGeometry(rect());
    DrawGrid1->viewport()->repaint();
}

QSize Tfrm_Table::FrameExtra() const
{
    const QSize known = frameGeometry().size() - size();
    if (!known.isNull())
        return known;
    return {frame_.left() + frame_.right(), frame_.top() + frame_.bottom()};
}

void Tfrm_Table::showEvent(QShowEvent* e)
{
    if (!e->spontaneous()) {
        // The limit counts the frame from the first showing on.
        frame_ = FrameMargins(this);
        // Centred on the desktop at the first showing only: once moved,
        // QDialog no longer centres it on the main window either. On a
        // screen too small for it, its frame is held inside the free area,
        // so that its close button and scroll bars stay in reach.
        if (!testAttribute(Qt::WA_Moved)) {
            const QRect desk = screen()->virtualGeometry();
            const QRect free = screen()->availableGeometry();
            const QSize frame(frame_.left() + frame_.right(), frame_.top() + frame_.bottom());
            const QSize fitting = size().boundedTo(free.size() - frame);
            if (fitting != size())
                resize(fitting);
            CentreFrameOn(this, desk, free);
        }
    }
    QDialog::showEvent(e);
    // The current cell shows its focus rectangle from the start.
    DrawGrid1->setFocus(Qt::ActiveWindowFocusReason);
}

// A window manager may overrule the way back while the user still drags the
// frame; ask again until the window system has the accepted size.
void Tfrm_Table::ConfirmAcceptedSize()
{
    QWindow* window = windowHandle();
    if (!window || !isVisible() || window->geometry().size() == accepted_ || ++confirmTries_ > 100)
        return;
    window->resize(accepted_);
    confirm_.start();
}

// The table closes with its title-bar button only, not with Escape.
void Tfrm_Table::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Cancel) || e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Tfrm_Table::resizeEvent(QResizeEvent* e)
{
    // No minimum size is given to the window manager: it would hold each
    // dimension on its own. The program refuses a size as a whole instead,
    // going back to the last size it accepted.
    const QSize outer = e->size() + FrameExtra();
    if (accepted_.isValid() && !FormCanResize(outer.width(), outer.height())) {
        resize(accepted_);
        confirmTries_ = 0;
        confirm_.start();
        return;
    }
    accepted_ = e->size();
    QDialog::resizeEvent(e);
    FormResize();
}
