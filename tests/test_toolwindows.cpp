// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows beside the main window share, and what users met first
// in the fit and reference windows: where they open, that they remember
// their place across runs, Escape, a pasted point, a copy with nothing to
// copy, units in the row names, a field box that a long text does not
// widen, a mid value never outside its field, and the tolerance table on a
// small screen.
#include <QtTest>

#include <QClipboard>
#include <QScreen>
#include <QSettings>
#include <QToolTip>

#include "Designation.h"
#include "Look.h"
#include "QtTestSupport.h"
#include "SideWindowPlace.h"
#include "frm_Fit_Unit.h"
#include "frm_Reference_Unit.h"
#include "frm_Tabl_unit.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::RestartProgram;
using testsupport::Retype;
using testsupport::TypeFieldName;

namespace {

long Overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : long(both.width()) * both.height();
}

// A main window's frame centred on a screen, as the program places it.
QRect CentredMain(const QRect& screen)
{
    const QSize main(628 + 10, 408 + 34);
    return QRect(screen.center() - QPoint(main.width() / 2, main.height() / 2), main);
}

// The frames the two windows take at their default size (client + a usual frame).
QSize FrameOf(QWidget* window) { return window->size() + QSize(10, 34); }

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { RestartProgram(); }
    void cleanupTestCase() { DestroyForms(); }

    // ---------------------------------------------------------------- places

    void bothOpenBesideTheMainWindowOnAWideScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920x1080") << QSize(1920, 1040);
        QTest::newRow("2560x1440") << QSize(2560, 1400);
    }
    void bothOpenBesideTheMainWindowOnAWideScreen()
    {
        QFETCH(QSize, screen);
        const QRect desk(QPoint(0, 0), screen);
        const QRect main = CentredMain(desk);
        // The fit window on the right, the reference on the left: both at once.
        const QRect fit = SideWindowPlace::FirstPlace(FrameOf(SideWindow<Tfrm_Fit>()), main, desk, false);
        const QRect reference = SideWindowPlace::FirstPlace(FrameOf(SideWindow<Tfrm_Reference>()), main, desk, true);
        for (const QRect& place : {fit, reference}) {
            QVERIFY(desk.contains(place));
            QCOMPARE(Overlap(place, main), 0L);
            QCOMPARE(place.top(), main.top());
        }
        QVERIFY(fit.left() > main.right());
        QVERIFY(reference.right() < main.left());
    }

    void onASmallScreenTheLeastOfTheMainWindowIsCovered_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("1366x768") << QSize(1366, 728) << QSize(610, 640);
        QTest::newRow("1024x768") << QSize(1024, 728) << QSize(610, 640);
        QTest::newRow("800x600") << QSize(800, 560) << QSize(610, 640);
    }
    void onASmallScreenTheLeastOfTheMainWindowIsCovered()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        const QRect desk(QPoint(0, 0), screen);
        const QRect main = CentredMain(desk);
        const QRect place = SideWindowPlace::FirstPlace(window, main, desk);
        QVERIFY(desk.contains(place.topLeft()));
        // No place on the screen with the same size covers less.
        const long cover = Overlap(place, main);
        const QSize size = place.size();
        for (int x = desk.left(); x + size.width() <= desk.right() + 1; x += 8)
            for (int y = desk.top(); y + size.height() <= desk.bottom() + 1; y += 8)
                QVERIFY2(Overlap(QRect(QPoint(x, y), size), main) >= cover,
                         qPrintable(QStringLiteral("%1,%2 covers less").arg(x).arg(y)));
    }

    // Where the user left a window is where it opens, in this run and the
    // next; a broken or missing setting, or a place off every screen, is not.
    void placeRemembered_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("fit") << "fit";
        QTest::newRow("reference") << "reference";
    }
    void placeRemembered()
    {
        QFETCH(QString, which);
        const auto open = [&which]() -> QWidget* {
            if (which == QLatin1String("fit")) {
                SideWindow<Tfrm_Fit>()->ShowBeside(Form1->frameGeometry());
                return SideWindow<Tfrm_Fit>();
            }
            SideWindow<Tfrm_Reference>()->ShowBeside(Form1->frameGeometry());
            return SideWindow<Tfrm_Reference>();
        };
        QWidget* window = open();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect moved(QPoint(30, 40), window->size() + QSize(20, 10));
        window->setGeometry(moved);
        QTRY_COMPARE(window->geometry(), moved);
        window->close();
        // The next run.
        DestroyForms();
        CreateForms();
        Form1->show();
        window = open();
        QTRY_COMPARE(window->geometry(), moved);

        // A setting that is not a window's geometry is ignored.
        window->close();
        DestroyForms();
        QSettings().setValue(QStringLiteral("windows/%1/geometry").arg(which), QByteArray("\x01garbage"));
        CreateForms();
        Form1->show();
        window = open();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(window->geometry() != moved);
        QVERIFY(window->screen()->availableGeometry().intersects(window->frameGeometry()));

        // A place on a screen that is gone comes back onto this one.
        window->setGeometry(QRect(QPoint(30000, 30000), window->size()));
        window->close();
        DestroyForms();
        CreateForms();
        Form1->show();
        window = open();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(window->screen()->availableGeometry().intersects(window->geometry()));
    }

    // ---------------------------------------------------------------- keys

    // Escape closes an open list first, the window only after it.
    void escapeClosesTheListFirst_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("box");
        QTest::newRow("fit, hole list") << "fit" << "FitHole";
        QTest::newRow("fit, shaft list") << "fit" << "FitShaft";
        QTest::newRow("reference, grade list") << "reference" << "RefGrade";
        QTest::newRow("reference, letter list") << "reference" << "RefLetter";
    }
    void escapeClosesTheListFirst()
    {
        QFETCH(QString, which);
        QFETCH(QString, box);
        QWidget* window = which == QLatin1String("fit") ? static_cast<QWidget*>(SideWindow<Tfrm_Fit>())
                                                        : static_cast<QWidget*>(SideWindow<Tfrm_Reference>());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* combo = Child<QComboBox>(window, qPrintable(box));
        combo->setFocus();
        combo->showPopup();
        QWidget* popup = combo->view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : popup, Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(window->isVisible());
        QTest::qWait(300);  // a second press, not the same one
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
    }

    void escapeClosesTheCompletionFirst()
    {
        Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
        fit->show();
        fit->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fit));
        auto* hole = Child<QComboBox>(fit, "FitHole");
        hole->lineEdit()->setFocus();
        hole->lineEdit()->selectAll();
        QTest::keyClicks(hole->lineEdit(), QStringLiteral("H"));
        QAbstractItemView* completion = hole->completer()->popup();
        QTRY_VERIFY(completion->isVisible());
        QTest::keyClick(completion, Qt::Key_Escape);
        QTRY_VERIFY(!completion->isVisible());
        QVERIFY(fit->isVisible());
    }

    // A pasted point is the comma, in every size box of these windows.
    void pastedPointIsTheComma_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("fit") << "FitSize";
        QTest::newRow("reference") << "RefSize";
    }
    void pastedPointIsTheComma()
    {
        QFETCH(QString, box);
        QWidget* window = box == QLatin1String("FitSize") ? static_cast<QWidget*>(SideWindow<Tfrm_Fit>())
                                                          : static_cast<QWidget*>(SideWindow<Tfrm_Reference>());
        window->show();
        auto* size = Child<QLineEdit>(window, qPrintable(box));
        size->setFocus();
        size->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("25.4"));
        QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(size->text(), QStringLiteral("25,4"));
        QVERIFY(TextColour(size) != clRed);
        QCOMPARE(size->cursorPosition(), 4);
    }

    // Ctrl+Shift+C with nothing to copy leaves the clipboard as it was and
    // says so beside the copy button.
    void nothingToCopyIsSaid()
    {
        Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
        fit->show();
        fit->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fit));
        Retype(Child<QLineEdit>(fit, "FitSize"), QStringLiteral("0,5"));
        TypeFieldName(Child<QComboBox>(fit, "FitShaft"), QStringLiteral("a11"));
        QGuiApplication::clipboard()->setText(QStringLiteral("до"));
        QTest::keyClick(fit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("до"));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Копировать нечего: посадка не определена."));
        // With something to copy, the key copies.
        TypeFieldName(Child<QComboBox>(fit, "FitShaft"), QStringLiteral("g6"));
        QTest::keyClick(fit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Ø0,5H7/g6")));
    }

    // One rule for sizes: the reference window takes the sizes the tool
    // takes in a designation, and refuses the others.
    void sizesAsTheToolReadsThem_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("valid");
        QTest::newRow("25") << "25" << true;
        QTest::newRow("point") << " 25.4 " << true;
        QTest::newRow("tiny, 900 zeros") << QStringLiteral("0,") + QString(900, u'0') + u'1' << true;
        QTest::newRow("3150") << "3150" << true;
        QTest::newRow("above 3150") << "3150,0000000000000000001" << false;
        QTest::newRow("zero") << "0,000" << false;
        QTest::newRow("exponent") << "1E3" << false;
        QTest::newRow("sign") << "+25" << false;
        QTest::newRow("two commas") << "2,,5" << false;
    }
    void sizesAsTheToolReadsThem()
    {
        QFETCH(QString, size);
        QFETCH(bool, valid);
        const DesignationReading tool = ReadDesignation((size.trimmed() + QStringLiteral("H7")).toStdString());
        QCOMPARE(tool.designation.has_value(), valid);
        Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
        reference->show();
        reference->Preset(*iso286::ParseField("H7"), size);
        QCOMPARE(Child<QLabel>(reference, "RefReason")->text().isEmpty(), valid);
        QCOMPARE(Child<QLineEdit>(reference, "RefUpper")->text() != QStringLiteral("нет данных"), valid);
    }

    // ---------------------------------------------------------------- fit window

    void rowNamesCarryTheirUnit()
    {
        Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
        fit->show();
        const auto names = [fit] {
            QStringList texts;
            for (const char* key : {"Upper", "Lower", "Max", "Min", "Tolerance"})
                texts << Child<QLabel>(fit, qPrintable(QStringLiteral("FitRow%1").arg(key)))->text();
            return texts;
        };
        QCOMPARE(names(), (QStringList{"Верхнее отклонение, мм", "Нижнее отклонение, мм", "Наибольший размер, мм",
                                       "Наименьший размер, мм", "Допуск, мм"}));
        Click(Child(fit, "FitMicrometres"));
        QCOMPARE(names(), (QStringList{"Верхнее отклонение, мкм", "Нижнее отклонение, мкм", "Наибольший размер, мм",
                                       "Наименьший размер, мм", "Допуск, мкм"}));
    }

    // A long text typed into a field box neither widens the window nor
    // the box.
    void aLongFieldNameWidensNothing()
    {
        Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
        fit->show();
        QVERIFY(QTest::qWaitForWindowExposed(fit));
        const int width = fit->width();
        auto* hole = Child<QComboBox>(fit, "FitHole");
        const int boxWidth = hole->width();
        TypeFieldName(hole, QString(300, u'W'));
        QApplication::processEvents();
        QCOMPARE(fit->width(), width);
        QCOMPARE(hole->width(), boxWidth);
        QVERIFY(fit->minimumSizeHint().width() <= 620);
    }

    // ---------------------------------------------------------------- reference window

    // k4 at 25 mm with 2 decimals: 25,01 would lie outside 25,002…25,008.
    void midValueStaysInsideTheField()
    {
        Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
        reference->show();
        reference->Preset(*iso286::ParseField("k4"), QStringLiteral("25"));
        auto* mid = Child<QLineEdit>(reference, "RefMid");
        QCOMPARE(mid->text(), QStringLiteral("25,005"));
        QVERIFY(TextColour(mid) != clNavy);
        QVERIFY(mid->toolTip().contains(QStringLiteral("25,005")));
        Click(Child(reference, "RefThreeDigits"));
        QCOMPARE(mid->text(), QStringLiteral("25,005"));
        QCOMPARE(TextColour(mid), clNavy);
        QVERIFY(mid->toolTip().isEmpty());
        // The main window keeps its own rounding.
        Click(Child(reference, "RefTwoDigits"));
        reference->Preset(*iso286::ParseField("H7"), QStringLiteral("25"));
        QCOMPARE(mid->text(), QStringLiteral("25,01"));
        QCOMPARE(TextColour(mid), clNavy);
    }

    void noIntervalMarkedForASizeThatIsNone_data()
    {
        QTest::addColumn<QString>("size");
        QTest::newRow("0") << "0";
        QTest::newRow("above 3150") << "3151";
        QTest::newRow("no number") << "abc";
    }
    void noIntervalMarkedForASizeThatIsNone()
    {
        QFETCH(QString, size);
        Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
        reference->show();
        auto* table = Child<DrawGrid>(reference, "RefTable");
        auto* info = Child<QLabel>(reference, "RefCellInfo");
        Retype(Child<QLineEdit>(reference, "RefSize"), QStringLiteral("25"));
        QVERIFY(!info->text().isEmpty());
        const QColor highlight = reference->palette().color(QPalette::Highlight);
        const auto marked = [&] {
            int rows = 0;
            const QImage image = table->viewport()->grab().toImage();
            for (int row = 1; row < table->rowCount(); ++row) {
                const QRect cell = table->cellRect(0, row);
                rows += !cell.isEmpty() && image.pixelColor(cell.topLeft() + QPoint(3, 3)) == highlight;
            }
            return rows;
        };
        QCOMPARE(marked(), 1);
        Retype(Child<QLineEdit>(reference, "RefSize"), size);
        QCOMPARE(info->text(), QString());
        QCOMPARE(marked(), 0);
        // A row the user picks is marked and told about.
        table->setCurrent(1, 3);
        QVERIFY(info->text().contains(QStringLiteral("Св. 3 до 6 мм")));
    }

    // ---------------------------------------------------------------- the table

    // The offscreen screen is 800x600: the table's frame stays inside it.
    void tableKeepsItsFrameOnTheScreen()
    {
        Tfrm_Table* table = SideWindow<Tfrm_Table>();
        QTimer::singleShot(0, table, [table] {
            QVERIFY(table->isVisible());
            const QRect free = table->screen()->availableGeometry();
            QVERIFY2(free.contains(table->frameGeometry()),
                     qPrintable(QStringLiteral("%1x%2").arg(table->frameGeometry().width()).arg(table->frameGeometry().height())));
            table->done(0);
        });
        table->exec();
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "test_toolwindows.moc"
