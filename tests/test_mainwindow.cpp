// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: start state, filters, display,
// key filter, bad input, and the ways into the side windows.
#include <QtTest>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#define KALIMAR_HEAP_BYTES() mallinfo2().uordblks
#endif

#include "Look.h"
#include "Version.h"
#include "QtTestSupport.h"
#include "frm_About_Unit.h"
#include "frm_List_unit.h"
#include "frm_Tabl_unit.h"

using testsupport::M;
using testsupport::RestartProgram;
using testsupport::Click;
using testsupport::Retype;
using testsupport::SelectRow;
using testsupport::WhenModalShows;

namespace {

const QString NoData = QStringLiteral("нет данных");

QStringList Rows()
{
    QStringList rows;
    for (int i = 0; i < M().ListBox1->count(); ++i)
        rows << M().ListBox1->item(i)->text();
    return rows;
}

QString Selected()
{
    const QListWidgetItem* item = M().ListBox1->currentItem();
    return item ? item->text() : QString();
}

// The rows drawn highlighted, as the user sees the list.
QStringList Highlighted()
{
    QListWidget* list = M().ListBox1;
    const QImage image = list->viewport()->grab().toImage();
    const QColor highlight = list->palette().color(QPalette::Highlight);
    const QColor base = list->palette().color(QPalette::Base);
    auto distance = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) {
        const QRect r = list->visualItemRect(list->item(i));
        if (!image.rect().contains(r.center()))
            continue;
        // Right of the text, where only the row's background is.
        const QColor c = image.pixelColor(r.right() - 4, r.center().y());
        if (distance(c, highlight) < distance(c, base))
            rows << list->item(i)->text();
    }
    return rows;
}

// Edit1, Edit3 .. Edit8 as the user reads them.
QStringList Shown()
{
    QStringList texts;
    for (QLineEdit* box : {M().Edit1, M().Edit3, M().Edit4, M().Edit5, M().Edit6, M().Edit7,
                           M().Edit8})
        texts << box->text();
    return texts;
}

// Picks an item from the drop-down list with the mouse.
void Choose(QComboBox* box, int index)
{
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    const QRect r = view->visualRect(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    QTRY_VERIFY(!view->isVisible());
}

// Types any text, Cyrillic included, a character at a time.
void TypeText(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TypeInto(QComboBox* box, const QString& text)
{
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
    TypeText(box->lineEdit(), text);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartProgram();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    void cleanupTestCase() { DestroyForms(); }

    // Pasting long texts again and again keeps no history of them, so memory
    // stays flat; a typed number keeps its undo for the context menu.
    void longPastesKeepNoHistory()
    {
        QLineEdit* box = M().Edit2;
        const QString huge(32767, u'7');
#ifdef KALIMAR_HEAP_BYTES
        const size_t before = KALIMAR_HEAP_BYTES();
#endif
        for (int i = 0; i < 30; ++i) {
            box->selectAll();
            QApplication::clipboard()->setText(huge.left(huge.size() - i % 2));
            box->paste();
        }
        QCOMPARE(box->text().size(), huge.size() - 1);
        QVERIFY(!box->isUndoAvailable());
        QCOMPARE(M().Edit5->text(), QStringLiteral("нет данных"));  // recalculated: far beyond 1000 mm
#ifdef KALIMAR_HEAP_BYTES
        // Each paste kept about 1 MB of history before.
        QVERIFY2(KALIMAR_HEAP_BYTES() < before + 4 * 1024 * 1024,
                 qPrintable(QString::number((KALIMAR_HEAP_BYTES() - before) / 1024) + " KiB more"));
#endif
        Retype(box, QStringLiteral("25"));
        QVERIFY(box->isUndoAvailable());
        box->undo();  // the typing, back to the cleared box; the long text is gone for good
        QCOMPARE(box->text(), QString());
        QVERIFY(!box->isUndoAvailable());
    }

    void startState()
    {
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Поле допуска"));
        QCOMPARE(Form1->size(), QSize(628, 408));
        QCOMPARE(Form1->minimumSize(), Form1->maximumSize());
        QCOMPARE(Form1->findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"))->text(),
                 QStringLiteral("Версия " KALIMAR_VERSION));
        QCOMPARE(M().ListBox1->count(), 40);
        QCOMPARE(M().ListBox1->currentRow(), 20);
        QCOMPARE(Selected(), QStringLiteral("H9"));
        QCOMPARE(M().Edit2->text(), QStringLiteral("5"));
        QCOMPARE(QApplication::focusWidget(), M().Edit2);
        QVERIFY(M().Button1->isHidden());
        QVERIFY(M().Button5->isHidden());
        QVERIFY(!M().Button3->isEnabled());
        QVERIFY(!M().Button4->isEnabled());
        QVERIFY(!M().SpeedButton1->isEnabled());
        QVERIFY(M().Edit3->isReadOnly());
        QVERIFY(M().Edit4->isReadOnly());
        QVERIFY(M().RadioButton2->isChecked());
        QVERIFY(!M().CheckBox1->isChecked());
        QVERIFY(!M().CheckBox2->isChecked());
        QCOMPARE(M().ComboBox1->currentText(), QStringLiteral("ВСЕ (сортировка по квалитету)"));
        QCOMPARE(M().ComboBox4->count(), 11);
        QCOMPARE(M().ComboBox3->count(), 12);
        for (QComboBox* box : {M().ComboBox1, M().ComboBox4, M().ComboBox3})
            QVERIFY(box->isEditable() && !box->completer());
    }

    // The program starts with the main window alone; each side window is
    // made when it is first shown.
    void sideWindowsWaitForTheirFirstShowing()
    {
        QVERIFY(Form1->findChildren<QDialog*>().isEmpty());
        QVERIFY(Form1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size() > 0);
        WhenModalShows([](QWidget* modal) { modal->close(); });
        Click(M().Label13);
        QCOMPARE(Form1->findChildren<QDialog*>().size(), qsizetype(1));
        QCOMPARE(Form1->findChildren<QDialog*>().first(), static_cast<QDialog*>(SideWindow<Tfrm_About>()));
    }

    // Every font asks for a face that is installed: none goes through the
    // fallback lookups of an absent "MS Sans Serif".
    void fontsNameInstalledFaces()
    {
        QVERIFY(QFontDatabase::hasFamily(QApplication::font().family()));
        QCOMPARE(QApplication::font().pixelSize(), 11);
        for (const QWidget* w : Form1->findChildren<QWidget*>())
            QVERIFY2(QFontDatabase::hasFamily(w->font().family()), qPrintable(w->objectName()));
        QCOMPARE(QFontInfo(M().Edit2->font()).family(), SansFamily());
    }

    // The window icon comes from the program at the sizes title bars show.
    void windowIconAtSmallSizes()
    {
        QCOMPARE(ProgramIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    }

    void startDisplayIsH9AtFive()
    {
        QCOMPARE(Shown(), (QStringList{"H9", "+0,03", "0", "5,03", "5", "5,02", "2,508"}));
        QCOMPARE(TextColour(M().Edit1), clRed);
        QCOMPARE(TextColour(M().Edit3), clMaroon);
        QCOMPARE(TextColour(M().Edit4), clNavy);
        QCOMPARE(BaseColour(M().Edit2), clWhite);
        QCOMPARE(BaseColour(M().Edit5), clBtnFace());
    }

    void tabVisitsTheInputs()
    {
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            QWidget* w = QApplication::focusWidget();
            // An editable drop-down box focuses its line edit; name the box.
            if (qobject_cast<QComboBox*>(w->parentWidget()))
                w = w->parentWidget();
            visited << w->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"Edit2", "ListBox1", "ComboBox1", "ComboBox4", "ComboBox3", "RadioButton2",
                                       "Button20"}));
    }

    // Every arrow key moves the rounding choice, wrapping round like the
    // platform's radio groups, and recalculates as a click does.
    void arrowsMoveTheRoundingChoice_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("Right from 2") << 2 << int(Qt::Key_Right) << 3;
        QTest::newRow("Down from 2") << 2 << int(Qt::Key_Down) << 3;
        QTest::newRow("Left from 2") << 2 << int(Qt::Key_Left) << 1;
        QTest::newRow("Up from 2") << 2 << int(Qt::Key_Up) << 1;
        QTest::newRow("Down from 1") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("Down from 3 wraps") << 3 << int(Qt::Key_Down) << 1;
        QTest::newRow("Right from 3 wraps") << 3 << int(Qt::Key_Right) << 1;
        QTest::newRow("Up from 1 wraps") << 1 << int(Qt::Key_Up) << 3;
        QTest::newRow("Left from 1 wraps") << 1 << int(Qt::Key_Left) << 3;
        QTest::newRow("Up from 3") << 3 << int(Qt::Key_Up) << 2;
    }

    void arrowsMoveTheRoundingChoice()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        QRadioButton* radios[] = {nullptr, M().RadioButton1, M().RadioButton2, M().RadioButton3};
        SelectRow(QStringLiteral("h7"));
        Retype(M().Edit2, QStringLiteral("25"));
        // What a click on each choice shows.
        QStringList clicked[4];
        for (int r = 1; r <= 3; ++r) {
            QTest::mouseClick(radios[r], Qt::LeftButton);
            clicked[r] = Shown();
        }
        QCOMPARE(clicked[1].mid(5), (QStringList{"24,9895", "12,49475"}));
        QCOMPARE(clicked[2].mid(5), (QStringList{"24,99", "12,495"}));
        QCOMPARE(clicked[3].mid(5), (QStringList{"24,990", "12,4948"}));

        QTest::mouseClick(radios[from], Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), radios[from]);
        QTest::keyClick(radios[from], Qt::Key(key));
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(radios[r]->isChecked(), r == to);
        QCOMPARE(QApplication::focusWidget(), radios[to]);
        QCOMPARE(Shown(), clicked[to]);
        // Tab still enters the group at the checked button only.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), M().Button20);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), radios[to]);
    }

    // Enter presses the button that has the focus; in Edit2 it is dropped.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        QSignalSpy tableClosed(SideWindow<Tfrm_Table>(), &QDialog::finished);
        testsupport::ModalCloser closer;
        QTest::keyClick(M().Edit2, Qt::Key(key));
        QCOMPARE(closer.count(), 0);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), M().Button20);
        QTest::keyClick(M().Button20, Qt::Key(key));
        QCOMPARE(closer.count(), 1);
        QCOMPARE(tableClosed.count(), 1);
    }

    // A list box always has its selected row, and the results follow it.
    void listKeepsItsSelectedRow()
    {
        QListWidget* list = M().ListBox1;
        Choose(M().ComboBox3, 3);
        QCOMPARE(Rows(), (QStringList{"Js6", "Js7", "Js12", "Js13", "Js14", "Js15", "Js16"}));
        QCOMPARE(Highlighted(), QStringList{"Js13"});

        // A click on the empty area below the last row changes nothing.
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, last.bottom() + 40));
        QCOMPARE(Highlighted(), QStringList{"Js13"});
        Retype(M().Edit2, QStringLiteral("25"));
        QCOMPARE(M().Edit1->text(), QStringLiteral("Js13"));
        QCOMPARE(M().Edit3->text(), QStringLiteral("+0,165"));

        // Ctrl+click and Ctrl+Space on the selected row do not deselect it.
        const QRect js13 = list->visualItemRect(list->item(3));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, js13.center());
        QCOMPARE(Highlighted(), QStringList{"Js13"});
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(Highlighted(), QStringList{"Js13"});

        // A press below the rows dragged onto a row selects that row.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, QPoint(20, last.bottom() + 40));
        QTest::mouseMove(list->viewport(), list->visualItemRect(list->item(1)).center());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(Highlighted().size(), 1);
        QCOMPARE(M().Edit1->text(), Highlighted().value(0));

        SelectRow(QStringLiteral("Js7"));
        QCOMPARE(Highlighted(), QStringList{"Js7"});
        QCOMPARE(M().Edit1->text(), QStringLiteral("Js7"));
    }

    // ---- Frames, on the rendered window ----

    void roundingPanelHasALoweredOuterAndARaisedInnerBevel()
    {
        QWidget* panel = testsupport::Child(Form1, "Panel1");
        QCOMPARE(panel->geometry(), QRect(384, 80, 233, 47));
        const QImage image = Form1->grab().toImage().copy(panel->geometry());
        // As painted: 8 bits a channel.
        const QRgb dark = panel->palette().color(QPalette::Dark).rgb();
        const QRgb light = panel->palette().color(QPalette::Light).rgb();
        const QRgb face = panel->palette().color(QPalette::Window).rgb();
        const int right = 232, bottom = 46;
        for (const int x : {5, 70, 150, 227}) {
            QCOMPARE(image.pixel(x, 0), dark);           // outer ring, lowered
            QCOMPARE(image.pixel(x, bottom), light);
            QCOMPARE(image.pixel(x, 1), light);          // inner ring, raised
            QCOMPARE(image.pixel(x, bottom - 1), dark);
        }
        for (const int y : {5, 23, 42}) {
            QCOMPARE(image.pixel(0, y), dark);
            QCOMPARE(image.pixel(right, y), light);
            QCOMPARE(image.pixel(1, y), light);
            QCOMPARE(image.pixel(right - 1, y), dark);
            QCOMPARE(image.pixel(2, y), face);
            QCOMPARE(image.pixel(right - 2, y), face);
        }
    }

    void filterCaptionSitsInTheFrameLine()
    {
        auto* group = testsupport::Child<QGroupBox>(Form1, "GroupBox1");
        QCOMPARE(group->geometry(), QRect(88, 8, 529, 65));
        QCOMPARE(M().Label1->geometry().topLeft(), QPoint(8, 16));
        QCOMPARE(M().Label2->geometry().topLeft(), QPoint(264, 16));
        QCOMPARE(M().Label3->geometry().topLeft(), QPoint(408, 16));
        for (QComboBox* box : {M().ComboBox1, M().ComboBox4, M().ComboBox3})
            QCOMPARE(box->y(), 32);
        const QImage image = Form1->grab().toImage().copy(group->geometry());
        const QColor face = QColor(group->palette().color(QPalette::Window).rgb());

        // Rows that the frame's top edge draws: one colour across a stretch
        // where nothing else is (between the caption and the right corner).
        auto edgeRow = [&](int y) {
            const QColor c = image.pixelColor(150, y);
            if (c == face)
                return false;
            for (int x = 100; x <= 500; ++x)
                if (image.pixelColor(x, y) != c)
                    return false;
            return true;
        };
        QList<int> edge;
        for (int y = 0; y < 32; ++y)
            if (edgeRow(y))
                edge << y;
        QVERIFY2(!edge.isEmpty(), "no top edge");
        // The frame runs above the labels and leaves their glyphs alone.
        QVERIFY2(edge.last() < 16, qPrintable(QStringLiteral("top edge at row %1").arg(edge.last())));

        // The caption is set in the line: its ink lies above and below it.
        const int line = edge.first();
        const int captionWidth = QFontMetrics(group->font()).horizontalAdvance(group->title());
        auto inkRows = [&](int from, int to) {
            int n = 0;
            for (int y = from; y <= to; ++y)
                for (int x = 8; x <= 10 + captionWidth; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    n += c.blue() > c.red() + 40;  // navy, antialiased
                }
            return n;
        };
        QVERIFY(inkRows(0, line - 1) > 0);
        QVERIFY(inkRows(line + 1, 15) > 0);
        // The line stops before the caption and starts again after it.
        const QColor edgeColour = image.pixelColor(150, line);
        QCOMPARE(image.pixelColor(3, line), edgeColour);
        int covered = 0;
        for (int x = 10; x < 8 + captionWidth; ++x)
            covered += image.pixelColor(x, line) == edgeColour;
        QCOMPARE(covered, 0);
    }

    void statusBarIs19PixelsHigh()
    {
        auto* bar = testsupport::Child<QStatusBar>(Form1, "StatusBar1");
        QCOMPARE(bar->geometry(), QRect(0, 389, 628, 19));
        const QImage image = Form1->grab().toImage();
        QCOMPARE(image.size(), QSize(628, 408));
        QCOMPARE(bar->grab().size(), QSize(628, 19));
        // The version text is drawn inside the bar.
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < 200; ++x)
                if (y >= 380 && qGray(image.pixel(x, y)) < 100) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        QVERIFY(top >= 389 && bottom <= 407);
    }

    void filters_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("letter");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        const QStringList all = {"g6", "h6", "Js6", "K6", "N6", "R6", "f7", "h7", "S7", "f8", "h8", "U8", "d9", "f9",
                                 "h9", "d11", "h11", "b12", "h12", "H7", "Js7", "k7", "F8", "H8", "H9", "H11", "H12",
                                 "Js12", "h13", "H13", "Js13", "h14", "H14", "Js14", "h15", "H15", "Js15", "h16",
                                 "H16", "Js16"};
        QTest::newRow("catalogue order") << 0 << 0 << 0 << all << "Js7";
        QTest::newRow("shafts") << 1 << 0 << 0 << all.mid(0, 19) << "f8";
        QTest::newRow("holes") << 2 << 0 << 0 << all.mid(19, 9) << "H8";
        QTest::newRow("general") << 3 << 0 << 0 << all.mid(28) << "h15";
        QTest::newRow("grade 7 sorted") << 4 << 2 << 0 << QStringList{"f7", "h7", "H7", "S7", "Js7", "k7"} << "S7";
        QTest::newRow("grade 7 unsorted") << 0 << 2 << 0 << QStringList{"f7", "h7", "S7", "H7", "Js7", "k7"} << "H7";
        QTest::newRow("letter G") << 4 << 0 << 1 << QStringList{"g6"} << "g6";
        QTest::newRow("letter K") << 4 << 0 << 4 << QStringList{"K6", "k7"} << "K6";
        QTest::newRow("letter D") << 0 << 0 << 10 << QStringList{"d9", "d11"} << "d9";
        QTest::newRow("letter JS") << 4 << 0 << 3
                                   << QStringList{"Js6", "Js7", "Js12", "Js13", "Js14", "Js15", "Js16"} << "Js13";
        QTest::newRow("shafts grade 7") << 1 << 2 << 0 << QStringList{"f7", "h7", "S7"} << "h7";
        QTest::newRow("general grade 7") << 3 << 2 << 0 << QStringList{} << "";
        QTest::newRow("holes letter N") << 2 << 0 << 5 << QStringList{} << "";
        QTest::newRow("grade 13 letter K") << 4 << 7 << 4 << QStringList{} << "";
        QTest::newRow("grade 16 letter H") << 4 << 10 << 2 << QStringList{"h16", "H16"} << "h16";
    }

    void filters()
    {
        QFETCH(int, type);
        QFETCH(int, grade);
        QFETCH(int, letter);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        if (type != 4)
            Choose(M().ComboBox1, type);
        if (grade != 0)
            Choose(M().ComboBox4, grade);
        if (letter != 0)
            Choose(M().ComboBox3, letter);
        QCOMPARE(Rows(), rows);
        QCOMPARE(Selected(), selected);
        if (rows.isEmpty()) {
            QCOMPARE(Shown(), QStringList(7, NoData));
            QCOMPARE(TextColour(M().Edit2), clWindowText());
        } else {
            QCOMPARE(M().Edit1->text(), selected);
        }
    }

    void typedFilterText()
    {
        TypeInto(M().ComboBox4, QStringLiteral("7"));
        QCOMPARE(Rows(), (QStringList{"f7", "h7", "H7", "S7", "Js7", "k7"}));
        TypeInto(M().ComboBox4, QStringLiteral("77"));
        QCOMPARE(Rows(), QStringList());
        QCOMPARE(Shown(), QStringList(7, NoData));
        QTest::keyClick(M().ComboBox4->lineEdit(), Qt::Key_Return);
        QCOMPARE(M().ComboBox4->count(), 11);
        // Case matters: "вал" is no item.
        TypeInto(M().ComboBox4, QStringLiteral("ВСЕ"));
        TypeInto(M().ComboBox1, QStringLiteral("вал"));
        QCOMPARE(Rows(), QStringList());
        TypeInto(M().ComboBox1, QStringLiteral("ВАЛ"));
        QCOMPARE(Rows().size(), 19);
        // The type reset treats typed text as no item and resets it.
        Click(M().Label1);
        QCOMPARE(M().ComboBox1->currentText(), QStringLiteral("ВСЕ (сортировка по квалитету)"));
        QCOMPARE(Rows().size(), 40);
        QCOMPARE(Selected(), QStringLiteral("H9"));
    }

    void resetLabels()
    {
        // Already reset: nothing happens, not even to the selected row.
        SelectRow(QStringLiteral("h7"));
        Click(M().Label1);
        Click(M().Label2);
        Click(M().Label3);
        QCOMPARE(Selected(), QStringLiteral("h7"));

        Choose(M().ComboBox1, 1);
        Choose(M().ComboBox4, 2);
        Choose(M().ComboBox3, 7);
        QCOMPARE(Rows(), QStringList{"f7"});
        Click(M().Label3);
        QCOMPARE(M().ComboBox3->currentIndex(), 0);
        QCOMPARE(Rows(), (QStringList{"f7", "h7", "S7"}));
        Click(M().Label2);
        QCOMPARE(Rows().size(), 19);
        Click(M().Label1);
        QCOMPARE(Rows().size(), 40);
        QCOMPARE(Selected(), QStringLiteral("H9"));
        QCOMPARE(M().Edit1->text(), QStringLiteral("H9"));
    }

    void refillLosesTheUsersRow()
    {
        SelectRow(QStringLiteral("h7"));
        QCOMPARE(M().Edit1->text(), QStringLiteral("h7"));
        Choose(M().ComboBox4, 2);
        Choose(M().ComboBox4, 0);
        QCOMPARE(Selected(), QStringLiteral("H9"));
    }

    void keyboardSelectionRecalculates()
    {
        M().ListBox1->setFocus();
        QTest::keyClick(M().ListBox1, Qt::Key_Down);
        QCOMPARE(Selected(), QStringLiteral("d11"));
        QCOMPARE(M().Edit1->text(), QStringLiteral("d11"));
        QCOMPARE(TextColour(M().Edit1), clBlue);
    }

    void display_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("rounding");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("H9 as is") << "H9" << "5" << 1 << false
                                  << QStringList{"H9", "+0,03", "0", "5,03", "5", "5,015", "2,5075"};
        QTest::newRow("H9 3 digits") << "H9" << "5" << 3 << false
                                     << QStringList{"H9", "+0,03", "0", "5,03", "5", "5,015", "2,5075"};
        QTest::newRow("H9 in um") << "H9" << "5" << 2 << true
                                  << QStringList{"H9", "+30", "0", "5,03", "5", "5,02", "2,508"};
        QTest::newRow("H7 3 digits") << "H7" << "5" << 3 << false
                                     << QStringList{"H7", "+0,012", "0", "5,012", "5", "5,006", "2,5030"};
        QTest::newRow("H7 in um") << "H7" << "5" << 3 << true
                                  << QStringList{"H7", "+12", "0", "5,012", "5", "5,006", "2,5030"};
        QTest::newRow("h7 at 25") << "h7" << "25" << 1 << false
                                  << QStringList{"h7", "0", "-0,021", "25", "24,979", "24,9895", "12,49475"};
        QTest::newRow("Js6 halves") << "Js6" << "8" << 1 << true
                                    << QStringList{"Js6", "+4,5", "-4,5", "8,0045", "7,9955", "8", "4"};
        QTest::newRow("k7 signs") << "k7" << "4" << 2 << false
                                  << QStringList{"k7", "+0,003", "-0,009", "4,003", "3,991", "4,00", "1,999"};
        QTest::newRow("size 1 is range 2") << "h6" << "1" << 1 << true
                                           << QStringList{"h6", "0", "-6", "1", "0,994", "0,997", "0,4985"};
        QTest::newRow("comma alone is zero") << "h6" << "," << 1 << true
                                             << QStringList{"h6", "нет данных", "нет данных", "нет данных",
                                                            "нет данных", "нет данных", "нет данных"};
        QTest::newRow("g6 below 1 mm") << "g6" << "0,5" << 2 << false
                                       << QStringList{"g6", "нет данных", "нет данных", "нет данных",
                                                      "нет данных", "нет данных", "нет данных"};
        QTest::newRow("h11 above 500") << "h11" << "600" << 1 << false
                                       << QStringList{"h11", "0", "-0,44", "600", "599,56", "599,78", "299,89"};
        QTest::newRow("H7 above 500") << "H7" << "600" << 1 << false
                                      << QStringList{"H7", "нет данных", "нет данных", "нет данных", "нет данных",
                                                     "нет данных", "нет данных"};
    }

    void display()
    {
        QFETCH(QString, field);
        QFETCH(QString, size);
        QFETCH(int, rounding);
        QFETCH(bool, micrometres);
        QFETCH(QStringList, shown);
        QRadioButton* radios[] = {nullptr, M().RadioButton1, M().RadioButton2, M().RadioButton3};
        QTest::mouseClick(radios[rounding], Qt::LeftButton);
        if (micrometres)
            QTest::mouseClick(M().CheckBox2, Qt::LeftButton);
        SelectRow(field);
        Retype(M().Edit2, size);
        QCOMPARE(Shown(), shown);
        QCOMPARE(TextColour(M().Edit2), clWindowText());
    }

    void fieldNameColours_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("shaft blue") << "h7" << clBlue;
        QTest::newRow("hole red") << "H7" << clRed;
        QTest::newRow("upper-case shaft red") << "K6" << clRed;
        QTest::newRow("lower-case hole blue") << "k7" << clBlue;
        QTest::newRow("Js green") << "Js12" << clGreen;
    }

    void fieldNameColours()
    {
        QFETCH(QString, field);
        QFETCH(QColor, colour);
        SelectRow(field);
        QCOMPARE(TextColour(M().Edit1), colour);
    }

    void absentDataKeepsTheDeviationColours()
    {
        SelectRow(QStringLiteral("g6"));
        const QColor upper = TextColour(M().Edit3);
        Retype(M().Edit2, QStringLiteral("0,5"));
        QCOMPARE(M().Edit3->text(), NoData);
        QCOMPARE(TextColour(M().Edit3), upper);
        QCOMPARE(TextColour(M().Edit1), clBlue);
    }

    void keyFilter()
    {
        Retype(M().Edit2, QStringLiteral("1.5"));
        QCOMPARE(M().Edit2->text(), QStringLiteral("1,5"));
        QTest::keyClicks(M().Edit2, QStringLiteral("a b"));
        QTest::keyClick(M().Edit2, Qt::Key_Return);
        QTest::keyClick(M().Edit2, Qt::Key_Enter);
        QCOMPARE(M().Edit2->text(), QStringLiteral("1,5"));
        QTest::keyClick(M().Edit2, Qt::Key_Home);
        QTest::keyClick(M().Edit2, Qt::Key_2);
        QTest::keyClick(M().Edit2, Qt::Key_End);
        QTest::keyClick(M().Edit2, Qt::Key_Left);
        QTest::keyClick(M().Edit2, Qt::Key_Delete);
        QCOMPARE(M().Edit2->text(), QStringLiteral("21,"));
        QTest::keyClick(M().Edit2, Qt::Key_Backspace);
        QTest::keyClicks(M().Edit2, QStringLiteral("-+"));
        QCOMPARE(M().Edit2->text(), QStringLiteral("21-+"));
        // Clipboard keys carry control characters and are dropped.
        QApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(M().Edit2, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(M().Edit2, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(M().Edit2->text(), QStringLiteral("21-+"));
    }

    void sizeThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("plus") << "+";
        QTest::newRow("minus") << "-";
        QTest::newRow("two commas") << "1,2,3";
        QTest::newRow("sign after digit") << "5-";
    }

    void sizeThatIsNoNumber()
    {
        QFETCH(QString, text);
        M().Edit2->clear();
        QTest::keyClicks(M().Edit2, text);
        QCOMPARE(M().Edit2->text(), text);
        QCOMPARE(TextColour(M().Edit2), clRed);
        QCOMPARE(Shown(), (QStringList{"H9", NoData, NoData, NoData, NoData, NoData, NoData}));
        QCOMPARE(TextColour(M().Edit1), clRed);
        // Back to a number: everything returns.
        Retype(M().Edit2, QStringLiteral("5"));
        QCOMPARE(Shown(), (QStringList{"H9", "+0,03", "0", "5,03", "5", "5,02", "2,508"}));
        QCOMPARE(TextColour(M().Edit2), clWindowText());
    }

    void pastedTextIsReadByTheRules_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("max");
        QTest::newRow("letters") << "abc" << NoData;
        QTest::newRow("point") << "5.5" << NoData;
        QTest::newRow("blanks around") << "  12 " << "12,018";
        QTest::newRow("exponent") << "1,2e1" << "12,018";
        QTest::newRow("cyrillic") << "пять" << NoData;
        QTest::newRow("very long") << QString(5000, u'9') << NoData;
        QTest::newRow("tiny") << "1E-400" << NoData;
        QTest::newRow("overflow") << "1E400" << NoData;
    }

    void pastedTextIsReadByTheRules()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, max);
        SelectRow(QStringLiteral("H7"));
        QApplication::clipboard()->setText(pasted);
        M().Edit2->selectAll();
        M().Edit2->paste();  // what the context menu's paste does
        QCOMPARE(M().Edit2->text(), pasted);
        QCOMPARE(M().Edit5->text(), max);
    }

    void sizeOutsideTheCatalogue_data()
    {
        QTest::addColumn<QString>("size");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-5";
        QTest::newRow("above 1000") << "2000";
        QTest::newRow("just above 1000") << "1000,0001";
    }

    void sizeOutsideTheCatalogue()
    {
        QFETCH(QString, size);
        SelectRow(QStringLiteral("h11"));
        Retype(M().Edit2, size);
        QCOMPARE(Shown(), (QStringList{"h11", NoData, NoData, NoData, NoData, NoData, NoData}));
        QCOMPARE(TextColour(M().Edit2), clWindowText());
    }

    void writingADeviationBoxFromCodeLeavesTheSingleRunDisplay()
    {
        const QStringList before = Shown();
        M().Edit3->setText(QStringLiteral("999"));
        QCOMPARE(Shown(), before);
        M().Edit4->setText(QStringLiteral("-1"));
        QCOMPARE(Shown(), before);
        QCOMPARE(TextColour(M().Edit3), clMaroon);
    }

    void pickerClosedWithoutPickSelectsH9()
    {
        Choose(M().ComboBox1, 1);
        SelectRow(QStringLiteral("h7"));
        WhenModalShows([](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(SideWindow<Tfrm_ListOf_PoleDop>()));
            w->close();
        });
        Click(M().Label5);
        QVERIFY(!SideWindow<Tfrm_ListOf_PoleDop>()->isVisible());
        QCOMPARE(M().ComboBox1->currentIndex(), 4);
        QCOMPARE(Rows().size(), 40);
        QCOMPARE(Selected(), QStringLiteral("H9"));
        QCOMPARE(M().Edit1->text(), QStringLiteral("H9"));
    }

    void pickerPick_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("row");
        QTest::newRow("h7") << "SpeedButton10" << "h7" << 7;
        QTest::newRow("H7") << "SpeedButton11" << "H7" << 8;
        QTest::newRow("h6") << "SpeedButton8" << "h6" << 1;
        QTest::newRow("H6 is no field") << "SpeedButton7" << "H9" << 20;
        QTest::newRow("Js12") << "SpeedButton28" << "Js12" << 27;
    }

    void pickerPick()
    {
        QFETCH(QString, button);
        QFETCH(QString, selected);
        QFETCH(int, row);
        Choose(M().ComboBox3, 2);
        WhenModalShows([button](QWidget* w) {
            auto* b = w->findChild<QAbstractButton*>(button);
            QVERIFY(b);
            QTest::mouseClick(b, Qt::LeftButton);
        });
        QTest::mouseDClick(M().Edit1, Qt::LeftButton);
        QVERIFY(!SideWindow<Tfrm_ListOf_PoleDop>()->isVisible());
        QCOMPARE(M().ComboBox3->currentIndex(), 0);
        QCOMPARE(M().ListBox1->currentRow(), row);
        QCOMPARE(Selected(), selected);
        QCOMPARE(M().Edit1->text(), selected);
    }

    void listDoubleClickOpensThePicker()
    {
        WhenModalShows([](QWidget* w) { w->close(); });
        QListWidget* list = M().ListBox1;
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(20)).center());
        QCOMPARE(Selected(), QStringLiteral("H9"));
        QVERIFY(!SideWindow<Tfrm_ListOf_PoleDop>()->isVisible());
    }

    void tableAndAboutChangeNothing()
    {
        SelectRow(QStringLiteral("Js7"));
        const QStringList before = Shown();
        WhenModalShows([](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(SideWindow<Tfrm_Table>()));
            w->close();
        });
        QTest::mouseClick(M().Button20, Qt::LeftButton);
        WhenModalShows([](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(SideWindow<Tfrm_About>()));
            w->close();
        });
        Click(M().Label13);
        QCOMPARE(Shown(), before);
        QCOMPARE(Selected(), QStringLiteral("Js7"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
