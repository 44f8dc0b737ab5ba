// SPDX-License-Identifier: GPL-3.0-or-later
// The tolerance table as the user sees it: headings, cell texts and colours,
// scrolling, the resize limit and where the window opens.
#include <QComboBox>
#include <QPaintEngine>
#include <QScreen>
#include <QtTest>

#include "Data_Unit.h"
#include "PaintedTexts.h"
#include "QtTestSupport.h"
#include "frm_Tabl_unit.h"

namespace {

DrawGrid* Grid() { return testsupport::Child<DrawGrid>(SideWindow<Tfrm_Table>(), "DrawGrid1"); }

QList<PaintedText> TextsOfCell(int col, int row) { return CellTexts(Grid(), col, row); }

int Distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Pixels of a cell in the ink rather than the paper (text is antialiased).
int InkPixels(const QImage& image, const QRect& cell, QColor ink, QColor paper)
{
    int n = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            n += 3 * Distance(image.pixelColor(x, y), ink) < Distance(image.pixelColor(x, y), paper);
    return n;
}

const QColor kPaleGreen{192, 220, 192}, kWhite{255, 255, 255}, kSkyBlue{166, 202, 240};
const QColor kGreen{0, 128, 0}, kMaroon{128, 0, 0}, kBlue{0, 0, 255};

}  // namespace

class TestTable : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::RestartProgram();
        if (SizeRanges[kRangeCount].upper == 0) {  // in case the main window has not built them
            BuildSizeRanges();
            BuildDeviationTable();
            BuildFieldNames();
        }
        SideWindow<Tfrm_Table>()->show();
        QVERIFY(QTest::qWaitForWindowExposed(SideWindow<Tfrm_Table>()));
    }
    void cleanup() { SideWindow<Tfrm_Table>()->hide(); }

    // Texts, colours and backgrounds of headings and data cells.
    void cells_data()
    {
        QTest::addColumn<bool>("byGrade");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QColor>("ink");    // invalid: the grid's own text colour
        QTest::addColumn<QColor>("paper");  // invalid: headings, not checked
        const QColor plain, black(Qt::black);
        auto row = [](const char* tag, bool g, int c, int r, QStringList l, QColor ink, QColor paper) {
            QTest::newRow(tag) << g << QPoint(c, r) << l << ink << paper;
        };
        row("col 9 by grade", true, 9, 0, {"H7"}, black, plain);
        row("col 9 catalogue", false, 9, 0, {"S7"}, black, plain);
        row("col 26 by grade", true, 26, 0, {"h12"}, black, plain);
        row("col 40 by grade", true, 40, 0, {"Js16"}, black, plain);
        row("row 1", false, 0, 1, {"0-1"}, black, plain);
        row("row 28", true, 0, 28, {"800-1000"}, black, plain);
        row("h7 3-6", false, 8, 3, {"0", "-12"}, kBlue, kPaleGreen);
        row("K6 1-3", false, 4, 2, {"+6", "0"}, kMaroon, kWhite);
        row("U8 1-3", false, 12, 2, {"+32", "+18"}, kMaroon, kWhite);
        row("k7 3-6 by upper", false, 22, 3, {"+3", "-9"}, kMaroon, kPaleGreen);
        row("h11 500-630", false, 17, 26, {"0", "-440"}, kBlue, kWhite);
        row("S7 450-500", false, 9, 25, {"+315", "+252"}, kMaroon, kPaleGreen);
        row("H7 in col 9 by grade", true, 9, 2, {"+10", "0"}, kMaroon, kWhite);
        row("Js6 1-3", false, 3, 2, {"±3"}, kGreen, kWhite);
        row("Js6 6-10 half", false, 3, 4, {"±4,5"}, kGreen, kWhite);
        row("Js7 6-10", false, 21, 4, {"±7"}, kGreen, kWhite);
        row("Js13 800-1000", false, 31, 28, {"±700"}, kGreen, kWhite);
        row("g6 0-1 absent", false, 1, 1, {"---"}, plain, kSkyBlue);
        row("H7 500-630 absent", false, 20, 26, {"---"}, plain, kSkyBlue);
        row("H7 800-1000 absent", true, 9, 28, {"---"}, plain, kSkyBlue);
    }
    void cells()
    {
        QFETCH(bool, byGrade);
        QFETCH(QPoint, cell);
        QFETCH(QStringList, lines);
        QFETCH(QColor, ink);
        QFETCH(QColor, paper);
        if (!ink.isValid())
            ink = Grid()->palette().color(QPalette::WindowText);
        SideWindow<Tfrm_Table>()->SetGradeOrder(byGrade);
        Grid()->setCurrent(std::max(cell.x(), 1), std::max(cell.y(), 1));
        const QRect rect = Grid()->cellRect(cell.x(), cell.y());

        const QList<PaintedText> texts = TextsOfCell(cell.x(), cell.y());
        QCOMPARE(Strings(texts), lines);
        for (const PaintedText& t : texts) {
            QCOMPARE(t.colour, ink);
            QCOMPARE(t.bold, cell.x() == 0 || cell.y() == 0);
            QVERIFY2(QRectF(rect).contains(t.box), qPrintable(t.text + " does not fit its cell"));
        }
        if (paper.isValid()) {
            const QImage image = Grid()->viewport()->grab().toImage();
            QCOMPARE(image.pixelColor(rect.topLeft() + QPoint(2, 2)), paper);
            QCOMPARE(image.pixelColor(rect.bottomRight() - QPoint(2, 2)), paper);
            QVERIFY(InkPixels(image, rect, ink, paper) >= 3);
        }
    }

    void headingsStayWhenScrolled_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QPoint>("current");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("End") << QList<int>{Qt::Key_End} << QPoint(40, 1);
        QTest::newRow("Ctrl+End") << QList<int>{ctrl | Qt::Key_End} << QPoint(40, 28);
        QTest::newRow("PageDown twice") << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown} << QPoint(1, 28);
        QTest::newRow("and back") << QList<int>{ctrl | Qt::Key_End, ctrl | Qt::Key_Home} << QPoint(1, 1);
        QTest::newRow("arrows stop at the edge") << QList<int>{Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left,
                                                               Qt::Key_Left} << QPoint(1, 2);
    }
    void headingsStayWhenScrolled()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QPoint, current);
        SideWindow<Tfrm_Table>()->SetGradeOrder(false);
        for (int key : keys)
            QTest::keyClick(Grid(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QCOMPARE(QPoint(Grid()->col(), Grid()->row()), current);
        QVERIFY(!Grid()->cellRect(current.x(), current.y()).isEmpty());
        // The first visible row and column keep their headings in the fixed strips.
        const int top = Grid()->topRow(), left = Grid()->leftCol();
        const QRect corner = Grid()->cellRect(left, top);
        QCOMPARE(Grid()->cellRect(0, top).topLeft(), QPoint(0, corner.top()));
        QCOMPARE(Grid()->cellRect(left, 0).topLeft(), QPoint(corner.left(), 0));
        QCOMPARE(Strings(TextsOfCell(0, top)), QStringList(QString("%1-%2").arg(SizeRanges[top].lower).arg(SizeRanges[top].upper)));
        QCOMPARE(Strings(TextsOfCell(left, 0)), QStringList(FieldCatalogue.fields[left].letter + QString::number(FieldCatalogue.fields[left].grade)));

        // A click moves the current cell; headings are no place to stand on.
        const QPoint target(left + 1, top + 2);
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->cellRect(target.x(), target.y()).center());
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->cellRect(0, top).center());
        QCOMPARE(QPoint(Grid()->col(), Grid()->row()), target);
    }

    void resizeLimit_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("399 x 300") << QSize(399, 300) << false;
        QTest::newRow("wide but 299 high") << QSize(1500, 299) << false;
        QTest::newRow("400 x 300") << QSize(400, 300) << true;
        QTest::newRow("800 x 500") << QSize(800, 500) << true;
    }
    void resizeLimit()
    {
        QFETCH(QSize, outer);
        QFETCH(bool, accepted);
        QCOMPARE(SideWindow<Tfrm_Table>()->FormCanResize(outer.width(), outer.height()), accepted);
        const QSize before = SideWindow<Tfrm_Table>()->size();
        const QSize frame = SideWindow<Tfrm_Table>()->frameGeometry().size() - before;
        SideWindow<Tfrm_Table>()->resize(outer - frame);
        // A window system may confirm sizes late.
        QTRY_COMPARE(SideWindow<Tfrm_Table>()->size(), accepted ? outer - frame : before);
        QTRY_COMPARE(Grid()->geometry(), SideWindow<Tfrm_Table>()->rect());
    }

    // The main window's type filter decides the order the table opens with.
    void columnOrderFollowsTypeFilter()
    {
        SideWindow<Tfrm_Table>()->hide();
        for (const auto& [item, heading] : {std::pair{0, "S7"}, std::pair{4, "H7"}, std::pair{1, "S7"}}) {
            testsupport::M().ComboBox1->setCurrentIndex(item);
            QStringList seen;
            testsupport::WhenModalShows([&](QWidget* w) {
                seen = Strings(TextsOfCell(9, 0));
                w->close();
            });
            testsupport::Click(testsupport::M().Button20);
            QCOMPARE(seen, QStringList(QString::fromLatin1(heading)));
        }
    }

    // The focus rectangle marks the current cell as soon as the window opens
    // and follows the focus as it leaves and comes back.
    void focusRectangleOnScreen()
    {
        SideWindow<Tfrm_Table>()->hide();
        testsupport::RestartProgram();
        bool marked = false, clearedOnLeaving = false, backOnReturn = false;
        QWidget* focused = nullptr;
        testsupport::WhenModalShows([&](QWidget* w) {
            // What the screen shows, not a fresh rendering.
            marked = QTest::qWaitFor([&] { return testsupport::FocusRectangleShown(w); }, 2000);
            focused = QApplication::focusWidget();
            Grid()->clearFocus();
            clearedOnLeaving = QTest::qWaitFor([&] { return !testsupport::FocusRectangleShown(w); }, 2000);
            Grid()->setFocus();
            backOnReturn = QTest::qWaitFor([&] { return testsupport::FocusRectangleShown(w); }, 2000);
            w->close();
        });
        SideWindow<Tfrm_Table>()->exec();
        QVERIFY(marked);
        QCOMPARE(focused, static_cast<QWidget*>(Grid()));
        QVERIFY(clearedOnLeaving);
        QVERIFY(backOnReturn);
    }

    void firstShowingCentredOnDesktop()
    {
        SideWindow<Tfrm_Table>()->hide();
        testsupport::RestartProgram();
        SideWindow<Tfrm_Table>()->resize(600, 400);  // smaller than any test desktop
        const QRect desk = SideWindow<Tfrm_Table>()->screen()->virtualGeometry();
        QRect first, second;
        testsupport::WhenModalShows([&](QWidget* w) {
            first = w->frameGeometry();
            w->move(desk.topLeft() + QPoint(30, 40));
            w->close();
        });
        SideWindow<Tfrm_Table>()->exec();
        testsupport::WhenModalShows([&](QWidget* w) {
            second = w->frameGeometry();
            w->close();
        });
        SideWindow<Tfrm_Table>()->exec();
        // Frame and all, to half a pixel where the sizes differ by an odd number.
        const QPoint off = QPoint(2 * first.left() + first.width(), 2 * first.top() + first.height()) -
                           QPoint(2 * desk.left() + desk.width(), 2 * desk.top() + desk.height());
        QVERIFY2(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1,
                 qPrintable(QStringLiteral("off by %1,%2 half pixels").arg(off.x()).arg(off.y())));
        QCOMPARE(second.topLeft(), desk.topLeft() + QPoint(30, 40));
        QCOMPARE(SideWindow<Tfrm_Table>()->windowTitle(), QStringLiteral("Поля допусков (отклонения показаны в мкм)"));
    }
};

QTEST_MAIN(TestTable)
#include "test_table.moc"
