// SPDX-License-Identifier: GPL-3.0-or-later
// The ways from the main window to the fit and reference windows: the
// status-bar links, their shortcuts and the free area's context menu; the copy
// of the shown result; and a layout that stays where it was.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>

#include <memory>
#include <optional>

#include "Clipboard.h"
#include "Look.h"
#include "QtTestSupport.h"
#include "GeneralToleranceWindow.h"
#include "frm_Fit_Unit.h"
#include "frm_Reference_Unit.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartProgram;
using testsupport::Retype;
using testsupport::SelectRow;

namespace {

QWidget* CentralArea() { return Child(Form1, "centralWidget"); }

// The menu of the free area and of «Ещё…»: every window beside this one,
// then the copy.
const QStringList kMenu = {"Посадка…", "Справочник…", "Подбор…", "Контроль…", "Общие допуски…", "—",
                           "Копировать результат"};

// A point of the central area that no control covers.
const QPoint kFreePoint(450, 300);

QStringList Entries(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("—")
                                   : a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (недоступно)")));
    return texts;
}

// Right-clicks `widget` at `pos` and picks `entry` from the menu that opens
// (closes it when `entry` is empty or disabled); returns the menu's entries. The menu
// may run its own loop (exec) or not (popup): the timer serves both.
QStringList UseContextMenu(QWidget* widget, QPoint pos, const QString& entry)
{
    auto seen = std::make_shared<std::optional<QStringList>>();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer, seen, entry]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        timer.stop();
        *seen = Entries(menu);
        for (QAction* a : menu->actions())
            if (!entry.isEmpty() && a->text() == entry && a->isEnabled()) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        menu->close();
    });
    timer.start(10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
    if (!QTest::qWaitFor([&] { return seen->has_value(); }, 3000))
        return {};
    return **seen;
}

// The window if it has been made (nothing is made before it is opened).
QWidget* Window(const QString& which)
{
    if (which == QLatin1String("fit"))
        return Form1->findChild<Tfrm_Fit*>();
    if (which == QLatin1String("general"))
        return Form1->findChild<GeneralToleranceWindow*>();
    return Form1->findChild<Tfrm_Reference*>();
}

const QString kSentinel = QStringLiteral("до копирования");

}  // namespace

class SideWindowLinksTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartProgram();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QGuiApplication::clipboard()->setText(kSentinel);
    }
    void cleanupTestCase() { DestroyForms(); }

    // The links sit in the status bar's right part; nothing else moves.
    void linksLeaveTheLayoutAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("fit") << "LabelFit" << "Посадка…" << "F7";
        QTest::newRow("reference") << "LabelReference" << "Справочник…" << "F8";
    }
    void linksLeaveTheLayoutAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, key);
        auto* bar = Child<QStatusBar>(Form1, "StatusBar1");
        QCOMPARE(Form1->size(), QSize(628, 408));
        QCOMPARE(bar->geometry(), QRect(0, 389, 628, 19));
        QCOMPARE(CentralArea()->geometry(), QRect(0, 0, 628, 389));
        QCOMPARE(Child(bar, "StatusBar1Panel0")->geometry(), QRect(2, 3, 200, 14));

        auto* link = Child<QLabel>(bar, qPrintable(name));
        QCOMPARE(link->text(), text);
        QVERIFY(link->isVisible());
        QVERIFY(link->geometry().left() > 202);
        QVERIFY(bar->rect().contains(link->geometry()));
        QVERIFY(link->fontMetrics().horizontalAdvance(text) <= link->contentsRect().width());
        QCOMPARE(TextColour(link), clBlue);
        QVERIFY(link->font().bold());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->toolTip().contains(key));
        QVERIFY(!link->accessibleName().isEmpty());
        // Underlined only under the pointer.
        QVERIFY(!link->font().underline());
        QTest::mouseMove(link, link->rect().center());
        QTRY_VERIFY(link->font().underline());
        QTest::mouseMove(Form1, QPoint(300, 100));
        QTRY_VERIFY(!link->font().underline());
    }

    void waysInOpenOneWindowEach_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("which");
        QTest::newRow("link to the fit") << "link" << "fit";
        QTest::newRow("link to the reference") << "link" << "reference";
        QTest::newRow("F7") << "key" << "fit";
        QTest::newRow("F8") << "key" << "reference";
        QTest::newRow("menu to the fit") << "menu" << "fit";
        QTest::newRow("menu to the reference") << "menu" << "reference";
        QTest::newRow("F11") << "key" << "general";
        QTest::newRow("menu to the general tolerances") << "menu" << "general";
    }
    void waysInOpenOneWindowEach()
    {
        QFETCH(QString, way);
        QFETCH(QString, which);
        const bool fit = which == QLatin1String("fit");
        const bool general = which == QLatin1String("general");
        const QString before = M().Edit5->text();
        const auto open = [&] {
            if (way == QLatin1String("link"))
                Click(Child(Form1, fit ? "LabelFit" : "LabelReference"));
            else if (way == QLatin1String("key"))
                QTest::keyClick(M().Edit2, fit ? Qt::Key_F7 : general ? Qt::Key_F11 : Qt::Key_F8);
            else
                UseContextMenu(CentralArea(), kFreePoint,
                               fit       ? QStringLiteral("Посадка…")
                               : general ? QStringLiteral("Общие допуски…")
                                         : QStringLiteral("Справочник…"));
        };
        QVERIFY(!Window(which));
        open();
        QWidget* window = Window(which);
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        for (const char* other : {"fit", "reference", "general"})
            if (which != QLatin1String(other))
                QVERIFY(!Window(other));
        window->close();
        QVERIFY(!window->isVisible());
        open();
        QCOMPARE(Window(which), window);  // the same window again
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(Form1->findChildren<Tfrm_Fit*>().size() + Form1->findChildren<Tfrm_Reference*>().size()
                     + Form1->findChildren<GeneralToleranceWindow*>().size(),
                 qsizetype(1));
        QCOMPARE(M().Edit2->text(), QStringLiteral("5"));  // the shortcut typed nothing
        QCOMPARE(M().Edit5->text(), before);
    }

    void menuOfTheFreeAreaOnly()
    {
        QVERIFY(!CentralArea()->childAt(kFreePoint));
        QCOMPARE(UseContextMenu(CentralArea(), kFreePoint, QString()), kMenu);
        // «Ещё…» in the status bar opens the same menu.
        auto seen = std::make_shared<QStringList>();
        QTimer::singleShot(50, [seen] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                *seen = Entries(menu);
                menu->close();
            }
        });
        Click(Child(Form1, "LabelMore"));
        QTRY_VERIFY(!seen->isEmpty());
        QCOMPARE(*seen, kMenu);
        // The boxes keep their own menus.
        const QStringList boxMenu = UseContextMenu(M().Edit2, M().Edit2->rect().center(), QString());
        QVERIFY(!boxMenu.isEmpty());
        QVERIFY(!boxMenu.contains(QStringLiteral("Посадка…")));
        // Nothing opened: neither window was even made.
        QVERIFY(Form1->findChildren<Tfrm_Fit*>().isEmpty() && Form1->findChildren<Tfrm_Reference*>().isEmpty()
                && Form1->findChildren<GeneralToleranceWindow*>().isEmpty());
    }

    // What the main window shows goes to the clipboard, by the menu or by
    // Ctrl+Shift+C; nothing when it shows no numbers.
    void copyResult_data()
    {
        QTest::addColumn<QString>("field");  // "" for manual entry
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("upper");  // typed in manual entry
        QTest::addColumn<QString>("lower");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("drawing");  // the sentinel: nothing copied
        QTest::addColumn<QString>("table");
        QTest::newRow("H7 25") << "H7" << "25" << "" << "" << false << false << "Ø25H7(+0,021/0)"
                               << "H7\t25\t0,021\t0\t25,021\t25";
        QTest::newRow("g6 25 in µm") << "g6" << "25" << "" << "" << true << true << "Ø25g6(-0,007/-0,020)"
                                     << "g6\t25\t-0,007\t-0,02\t24,993\t24,98";
        QTest::newRow("K6 carries k6") << "K6" << "25" << "" << "" << false << true << "Ø25k6(+0,015/+0,002)"
                                       << "k6\t25\t0,015\t0,002\t25,015\t25,002";
        QTest::newRow("H7 600 no data") << "H7" << "600" << "" << "" << false << false << kSentinel << "";
        QTest::newRow("manual mm") << "" << "25" << "0,1" << "-0,05" << false << false << "Ø25(+0,10/-0,05)"
                                   << "\t25\t0,1\t-0,05\t25,1\t24,95";
        QTest::newRow("manual µm") << "" << "12" << "15" << "-5" << true << true << "Ø12(+0,015/-0,005)"
                                   << "\t12\t0,015\t-0,005\t12,015\t11,995";
        QTest::newRow("manual bad deviation") << "" << "12" << "1,,5" << "0" << false << false << kSentinel << "";
    }
    void copyResult()
    {
        QFETCH(QString, field);
        QFETCH(QString, size);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(bool, micrometres);
        QFETCH(bool, byKey);
        QFETCH(QString, drawing);
        QFETCH(QString, table);
        if (micrometres)
            Click(M().CheckBox2);
        if (field.isEmpty()) {
            Click(M().CheckBox1);
            Retype(M().Edit3, upper);
            Retype(M().Edit4, lower);
        } else {
            SelectRow(field);
        }
        Retype(M().Edit2, size);
        const QStringList shown{M().Edit3->text(), M().Edit4->text(), M().Edit5->text()};
        if (byKey) {
            QTest::keyClick(M().Edit2, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            // Offered only when there is something to copy.
            const QString copy = QStringLiteral("Копировать результат");
            const QStringList entries = UseContextMenu(CentralArea(), kFreePoint, copy);
            QCOMPARE(entries.last(), copy + (drawing == kSentinel ? QStringLiteral(" (недоступно)") : QString()));
        }
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), drawing);
        QCOMPARE(QString::fromUtf8(data->data(kSpreadsheetMimeType)), table);
        QCOMPARE((QStringList{M().Edit3->text(), M().Edit4->text(), M().Edit5->text()}), shown);
        // Nothing to copy by the key: the status bar says why.
        const QString said = Child<QStatusBar>(Form1, "StatusBar1")->currentMessage();
        if (byKey && drawing == kSentinel)
            QVERIFY2(said.startsWith(QStringLiteral("Копировать нечего: ")), qPrintable(said));
        else
            QCOMPARE(said, QString());
    }

    void nothingToCopySaysWhy_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("why");
        QTest::newRow("1500 mm") << false << "1500" << "для этого размера нет данных";
        QTest::newRow("size no number") << false << "2,,5" << "размер — не число";
        QTest::newRow("manual, deviation no number") << true << "25" << "отклонения — не числа";
    }
    void nothingToCopySaysWhy()
    {
        QFETCH(bool, manual);
        QFETCH(QString, size);
        QFETCH(QString, why);
        if (manual) {
            Click(M().CheckBox1);
            Retype(M().Edit3, QStringLiteral("x"));
        }
        Retype(M().Edit2, size);
        QTest::keyClick(M().Edit2, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), kSentinel);
        QCOMPARE(Child<QStatusBar>(Form1, "StatusBar1")->currentMessage(),
                 QStringLiteral("Копировать нечего: ") + why + u'.');
    }

    // F7 and F8 open their windows from every window of the program.
    void keysWorkFromTheSideWindows()
    {
        QTest::keyClick(M().Edit2, Qt::Key_F7);
        QWidget* fit = Window(QStringLiteral("fit"));
        QVERIFY(fit);
        QTRY_VERIFY(fit->isVisible());
        fit->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), fit);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : fit, Qt::Key_F8);
        QWidget* reference = Window(QStringLiteral("reference"));
        QVERIFY(reference);
        QTRY_VERIFY(reference->isVisible());
    }
};

QTEST_MAIN(SideWindowLinksTest)
#include "test_sidewindow_links.moc"
