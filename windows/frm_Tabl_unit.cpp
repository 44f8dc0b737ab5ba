#include "frm_Tabl_unit.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

#include "CatalogueFields.h"
#include "Data_Unit.h"
#include "Limits.h"
#include "Look.h"
#include "NumberText.h"

Tfrm_Table* frm_Table = nullptr;

namespace {

const QColor kOddRow{192, 220, 192};
const QColor kEvenRow{255, 255, 255};
const QColor kNoData{166, 202, 240};

// In micrometres, "+" only in front of positive numbers.
QString Signed(double micrometres)
{
    return QString::fromStdString(DeviationDisplay(ExactMicrometres(micrometres), DeviationUnit::Micrometres).text);
}

}  // namespace

Tfrm_Table::Tfrm_Table(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setFont(SansFont(11));
    DrawGrid1->setDrawCell([this](QPainter&, int col, int row, const QRect& rect) {
        DrawGrid1DrawCell(col, row, rect);
    });
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
        DrawCenteredText(QString::fromStdString(FieldName(static_cast<uint8_t>(F))), Rect, 7);
    } else if (F == 0 && ARow > 0) {
        const SizeRange& range = SizeRanges[ARow];
        canvas.setPen(clBlack);
        canvas.setFont(bold);
        DrawCenteredText(QStringLiteral("%1-%2").arg(range.lower).arg(range.upper), Rect, 7);
    } else if (F > 0 && ARow > 0) {
        const DeviationValues P = DeviationsOf(F, ARow);
        if (!P.present) {
            canvas.setBrush(kNoData);
            canvas.fillRect(Rect, kNoData);
            DrawCenteredText(QStringLiteral("---"), Rect, 7);
            return;
        }
        const QColor back = ARow % 2 != 0 ? kOddRow : kEvenRow;
        canvas.setBrush(back);
        canvas.fillRect(Rect, back);
        const double U = P.upper, L = P.lower;
        if (U == -L) {
            canvas.setPen(clGreen);
            DrawCenteredText(QStringLiteral("±") + QString::fromStdString(FormatGeneral(ExactMicrometres(U))), Rect, 7);
            return;
        }
        canvas.setPen(U > 0 ? clMaroon : clBlue);
        DrawCenteredText(Signed(U), Rect, 2);
        DrawCenteredText(Signed(L), Rect, 15);
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

QSize Tfrm_Table::FrameExtra() const { return frameGeometry().size() - size(); }

void Tfrm_Table::showEvent(QShowEvent* e)
{
    // Centred on the desktop at the first showing only: once moved, QDialog
    // no longer centres it on the main window either.
    if (!e->spontaneous() && !testAttribute(Qt::WA_Moved)) {
        QSize outer = frameGeometry().size();
        if (outer == size())
            outer += QSize(8, 34);  // the frame is unknown before the first mapping
        const QRect desk = screen()->virtualGeometry();
        // A window larger than the desktop keeps its title bar on it.
        move(std::max(desk.x(), desk.x() + (desk.width() - outer.width()) / 2),
             std::max(desk.y(), desk.y() + (desk.height() - outer.height()) / 2));
    }
    QDialog::showEvent(e);
    // The current cell shows its focus rectangle from the start.
    DrawGrid1->setFocus(Qt::ActiveWindowFocusReason);
    // Lets the window manager stop a drag at the limit instead of bouncing
    // (the offscreen platform has none to tell).
    if (windowHandle() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        windowHandle()->setMinimumSize(QSize(400, 300) - FrameExtra());
}

// The table closes with its title-bar button only, not with Escape.
void Tfrm_Table::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Tfrm_Table::resizeEvent(QResizeEvent* e)
{
    const QSize outer = e->size() + FrameExtra();
    if (e->oldSize().isValid() && !FormCanResize(outer.width(), outer.height())) {
        resize(e->oldSize());  // refused as a whole: neither dimension changes
        return;
    }
    QDialog::resizeEvent(e);
    FormResize();
}
