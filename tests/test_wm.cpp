// SPDX-License-Identifier: GPL-3.0-or-later
// Under a real X window manager (scripts/wm-tests.sh runs this with Xvfb and
// openbox): where the side windows open and how the table's size limit holds
// depend on the frame that the window manager draws. Not part of the
// headless ctest run.
#include <QtTest>

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

#include <set>
#include <utility>

#include "QtTestSupport.h"
#include "SideWindowPlace.h"
#include "frm_About_Unit.h"
#include "frm_Fit_Unit.h"
#include "frm_List_unit.h"
#include "frm_Reference_Unit.h"
#include "frm_Tabl_unit.h"

using testsupport::RestartProgram;
using testsupport::WhenModalShows;

namespace {

// Twice the centre, so that odd sizes need no rounding.
QPoint DoubleCentre(const QRect& r) { return {2 * r.left() + r.width(), 2 * r.top() + r.height()}; }

QString Text(const QRect& r) { return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }
QString Text(const QSize& s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); }

// Another X client, as a user's tools and pointer are.
QString Xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        qWarning("xdotool %s failed", qPrintable(args.join(' ')));
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString Num(int n) { return QString::number(n); }

// The client size as the X server has it, not as Qt believes it.
QSize ServerSize(QWidget* w)
{
    const QString out = Xdotool({QStringLiteral("getwindowgeometry"), Num(int(w->winId()))});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Geometry: (\\d+)x(\\d+)")).match(out);
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

// The frame round a shown window, once the window manager has told it.
QSize FrameOf(QWidget* w)
{
    if (!QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); }, 3000))
        return {};
    return w->frameGeometry().size() - w->size();
}

// Lets the window manager's answers to earlier requests arrive.
void Settle() { QTest::qWait(400); }

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

    // Client sizes the table went through, from its resize events.
    QList<QSize> resized;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == SideWindow<Tfrm_Table>() && event->type() == QEvent::Resize)
            resized << static_cast<QResizeEvent*>(event)->size();
        return false;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is needed");
    }
    void init()
    {
        RestartProgram();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QVERIFY2(!FrameOf(Form1).isNull(), "no window manager frames the main window");
        resized.clear();
    }
    void cleanup()
    {
        if (auto* table = Form1->findChild<Tfrm_Table*>())
            table->removeEventFilter(this);
    }
    void cleanupTestCase() { DestroyForms(); }

    // ---- Windows beside the main window ----

    // Opened by their keys, as a user opens them: beside the main window
    // without covering it where the screen has room (1920 px and wider),
    // else covering the least of it; the screen size is the script's.
    void toolWindowsOpenBesideTheMainWindow()
    {
        const QRect free = Form1->screen()->availableGeometry();
        const QRect main = Form1->frameGeometry();
        for (const Qt::Key key : {Qt::Key_F7, Qt::Key_F8}) {
            Form1->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(Form1));
            QTest::keyClick(Form1, key);
            QWidget* window = key == Qt::Key_F7 ? static_cast<QWidget*>(SideWindow<Tfrm_Fit>())
                                                : static_cast<QWidget*>(SideWindow<Tfrm_Reference>());
            QVERIFY(QTest::qWaitForWindowExposed(window));
            FrameOf(window);
            Settle();
            const QRect frame = window->frameGeometry();
            QVERIFY2(free.contains(frame), qPrintable(Text(frame) + " on " + Text(free)));
            const QRect cover = frame.intersected(main);
            const long covered = cover.isEmpty() ? 0 : long(cover.width()) * cover.height();
            if (free.width() >= 1900) {
                QVERIFY2(covered == 0, qPrintable(Text(frame) + " covers " + Text(main)));
                // The fit window on the right, the reference on the left.
                QVERIFY(key == Qt::Key_F7 ? frame.left() > main.right() : frame.right() < main.left());
            } else {
                const QRect least = SideWindowPlace::FirstPlace(frame.size(), main, free, key == Qt::Key_F8);
                const QRect leastCover = least.intersected(main);
                QCOMPARE(covered, leastCover.isEmpty() ? 0L : long(leastCover.width()) * leastCover.height());
            }
            qInfo("%s: %s beside %s", qPrintable(window->objectName()), qPrintable(Text(frame)), qPrintable(Text(main)));
            window->close();
        }
    }

    // Real Escape keys from another X client: an open list closes first,
    // the window only with a second Escape.
    void escapeClosesAnOpenListFirst_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("hole list") << "FitHole";
        QTest::newRow("shaft list") << "FitShaft";
        QTest::newRow("grade list") << "RefGrade";
        QTest::newRow("hole completion") << "FitHole typed";
    }
    void escapeClosesAnOpenListFirst()
    {
        QFETCH(QString, box);
        const bool fit = box.startsWith(QLatin1String("Fit"));
        const bool typed = box.endsWith(QLatin1String(" typed"));
        box = box.section(u' ', 0, 0);
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QTest::keyClick(Form1, fit ? Qt::Key_F7 : Qt::Key_F8);
        QWidget* window = fit ? static_cast<QWidget*>(SideWindow<Tfrm_Fit>())
                              : static_cast<QWidget*>(SideWindow<Tfrm_Reference>());
        QVERIFY(QTest::qWaitForWindowActive(window));
        Settle();
        auto* combo = window->findChild<QComboBox*>(box);
        QVERIFY(combo);
        // The list opened with the mouse, on the box's arrow; or the
        // completion, by typing into the box.
        QWidget* list = typed ? static_cast<QWidget*>(combo->completer()->popup()) : combo->view();
        if (typed) {
            const QPoint text = combo->mapToGlobal(QPoint(10, combo->height() / 2));
            Xdotool({QStringLiteral("mousemove"), Num(text.x()), Num(text.y()), QStringLiteral("click"), QStringLiteral("1")});
            Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("H")});
        } else {
            const QPoint arrow = combo->mapToGlobal(QPoint(combo->width() - 8, combo->height() / 2));
            Xdotool({QStringLiteral("mousemove"), Num(arrow.x()), Num(arrow.y()), QStringLiteral("click"), QStringLiteral("1")});
        }
        QTRY_VERIFY(list->isVisible());
        Settle();
        Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        QTRY_VERIFY(!list->isVisible());
        Settle();
        QVERIFY2(window->isVisible(), "the first Escape closed the window");
        QTRY_VERIFY2(window->isActiveWindow(), "the window lost the focus with its list");
        Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        QTRY_VERIFY(!window->isVisible());
    }

    // ---- First showings: the frame centred, and no jump once shown ----

    void firstShowingCentredOnTheRealFrame_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("picker on the main window") << QStringLiteral("frm_ListOf_PoleDop");
        QTest::newRow("About on the main window") << QStringLiteral("frm_About");
        QTest::newRow("table on the desktop") << QStringLiteral("frm_Table");
    }

    void firstShowingCentredOnTheRealFrame()
    {
        QFETCH(QString, window);
        const bool table = window == QLatin1String("frm_Table");
        QDialog* dialog = table ? static_cast<QDialog*>(SideWindow<Tfrm_Table>())
                          : window == QLatin1String("frm_About") ? static_cast<QDialog*>(SideWindow<Tfrm_About>())
                                                                : SideWindow<Tfrm_ListOf_PoleDop>();
        QRect exposedAt, settled, frame;
        WhenModalShows([&](QWidget* w) {
            if (!QTest::qWaitForWindowExposed(w))
                qWarning("not exposed");
            exposedAt = w->geometry();
            FrameOf(w);
            Settle();
            settled = w->geometry();
            frame = w->frameGeometry();
            w->close();
        });
        dialog->exec();
        const QRect target = table ? Form1->screen()->virtualGeometry() : Form1->frameGeometry();
        const QPoint off = DoubleCentre(frame) - DoubleCentre(target);
        // One pixel either way where an odd difference of sizes is halved.
        QVERIFY2(std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2,
                 qPrintable(QStringLiteral("frame %1, centred on %2: off by %3,%4 half pixels")
                                .arg(Text(frame), Text(target)).arg(off.x()).arg(off.y())));
        QCOMPARE(settled, exposedAt);

        // Later showings open where the window was left.
        const QPoint dragged = frame.topLeft() + QPoint(23, 17);
        bool moved = false;
        WhenModalShows([&](QWidget* w) {
            w->move(dragged);
            moved = QTest::qWaitFor([&] { return w->frameGeometry().topLeft() == dragged; }, 3000);
            w->close();
        });
        dialog->exec();
        QVERIFY(moved);
        QRect again;
        WhenModalShows([&](QWidget* w) {
            if (!QTest::qWaitForWindowExposed(w))
                qWarning("not exposed");
            Settle();
            again = w->frameGeometry();
            w->close();
        });
        dialog->exec();
        QCOMPARE(again.topLeft(), dragged);
    }

    // The table's current cell shows its focus rectangle as soon as the
    // window manager has shown and activated the window.
    void tableShowsItsCurrentCellAtOnce()
    {
        bool marked = false;
        WhenModalShows([&](QWidget* w) {
            marked = QTest::qWaitFor([&] { return testsupport::FocusRectangleShown(w); }, 3000);
            w->close();
        });
        SideWindow<Tfrm_Table>()->exec();
        QVERIFY(marked);
    }

    // ---- The table's size limit, frame included, as a whole ----

    // Exactly 400 x 300 outer is accepted at the first showing; one pixel
    // less in either dimension is refused.
    void tableLimitRightFromTheFirstShowing()
    {
        SideWindow<Tfrm_Table>()->show();
        QVERIFY(QTest::qWaitForWindowExposed(SideWindow<Tfrm_Table>()));
        const QSize frame = FrameOf(SideWindow<Tfrm_Table>());
        SideWindow<Tfrm_Table>()->resize(QSize(400, 300) - frame);
        Settle();
        QCOMPARE(Text(SideWindow<Tfrm_Table>()->frameGeometry().size()), Text(QSize(400, 300)));
        QCOMPARE(ServerSize(SideWindow<Tfrm_Table>()), QSize(400, 300) - frame);
        for (const QSize outer : {QSize(399, 300), QSize(400, 299)}) {
            SideWindow<Tfrm_Table>()->resize(outer - frame);
            Settle();
            QCOMPARE(Text(SideWindow<Tfrm_Table>()->frameGeometry().size()), Text(QSize(400, 300)));
        }
        SideWindow<Tfrm_Table>()->hide();
    }

    // From the program and from another client through the window manager:
    // below the limit in one dimension, neither dimension changes.
    void tableRefusesAResizeAsAWhole_data()
    {
        QTest::addColumn<bool>("byRequest");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("program, too narrow") << false << QSize(350, 450) << false;
        QTest::newRow("program, too low") << false << QSize(700, 280) << false;
        QTest::newRow("program, exactly the limit") << false << QSize(400, 300) << true;
        QTest::newRow("request, too narrow") << true << QSize(350, 450) << false;
        QTest::newRow("request, too low") << true << QSize(700, 280) << false;
        QTest::newRow("request, exactly the limit") << true << QSize(400, 300) << true;
        QTest::newRow("request, larger") << true << QSize(650, 420) << true;
    }

    void tableRefusesAResizeAsAWhole()
    {
        QFETCH(bool, byRequest);
        QFETCH(QSize, outer);
        QFETCH(bool, accepted);
        SideWindow<Tfrm_Table>()->show();
        QVERIFY(QTest::qWaitForWindowExposed(SideWindow<Tfrm_Table>()));
        const QSize frame = FrameOf(SideWindow<Tfrm_Table>());
        // A size of its own first, that neither dimension of the request has.
        SideWindow<Tfrm_Table>()->resize(QSize(600, 500) - frame);
        QTRY_COMPARE(SideWindow<Tfrm_Table>()->frameGeometry().size(), QSize(600, 500));
        Settle();
        const QSize before = SideWindow<Tfrm_Table>()->size();

        const QSize client = outer - frame;
        if (byRequest)
            Xdotool({QStringLiteral("windowsize"), Num(int(SideWindow<Tfrm_Table>()->winId())), Num(client.width()),
                     Num(client.height())});
        else
            SideWindow<Tfrm_Table>()->resize(client);
        Settle();
        const QSize expected = accepted ? client : before;
        QCOMPARE(Text(SideWindow<Tfrm_Table>()->size()), Text(expected));
        QCOMPARE(ServerSize(SideWindow<Tfrm_Table>()), expected);
        QCOMPARE(SideWindow<Tfrm_Table>()->findChild<QWidget*>(QStringLiteral("DrawGrid1"))->geometry(), SideWindow<Tfrm_Table>()->rect());
        SideWindow<Tfrm_Table>()->hide();
    }

    // A drag of the corner towards 350 x 450 outer stops at the last size
    // the limit let through; the height does not follow on its own.
    void tableDragStopsAsAWhole()
    {
        SideWindow<Tfrm_Table>()->show();
        QVERIFY(QTest::qWaitForWindowExposed(SideWindow<Tfrm_Table>()));
        const QSize frame = FrameOf(SideWindow<Tfrm_Table>());
        Settle();
        SideWindow<Tfrm_Table>()->installEventFilter(this);
        const QRect outer = SideWindow<Tfrm_Table>()->frameGeometry();
        const QPoint from = outer.bottomRight() - QPoint(1, 1);
        const QPoint to = from - QPoint(outer.width() - 350, outer.height() - 450);
        Xdotool({QStringLiteral("mousemove"), Num(from.x() - 200), Num(from.y() - 200)});
        QTest::qWait(100);
        Xdotool({QStringLiteral("mousemove"), Num(from.x()), Num(from.y())});
        QTest::qWait(200);
        Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
        QTest::qWait(100);
        const int steps = 20;
        for (int i = 1; i <= steps; ++i) {
            const QPoint p = from + (to - from) * i / steps;
            Xdotool({QStringLiteral("mousemove"), Num(p.x()), Num(p.y())});
            QTest::qWait(40);
        }
        Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        Settle();

        const QSize final = SideWindow<Tfrm_Table>()->size();
        const QSize finalOuter = final + frame;
        QVERIFY2(resized.size() > 2, "the drag resized nothing");
        QVERIFY2(finalOuter.width() >= 400 && finalOuter.height() >= 300, qPrintable(Text(finalOuter)));
        QVERIFY2(final.height() > 450 - frame.height(),
                 qPrintable(QStringLiteral("ended at %1: the height followed on its own").arg(Text(final))));
        QVERIFY2(resized.contains(final), qPrintable(Text(final)));
        QCOMPARE(ServerSize(SideWindow<Tfrm_Table>()), final);
        SideWindow<Tfrm_Table>()->hide();
    }
};

QTEST_MAIN(WindowManagerTest)
#include "test_wm.moc"
