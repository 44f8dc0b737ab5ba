// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the program: without a usable display it says what is missing
// and ends with status 1; on a screen too small for it, the main window
// keeps its top-left corner in reach.
#include <QtTest>

#include <QProcess>
#include <QScreen>

#include "QtTestSupport.h"

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void noDisplay_data()
    {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QString>("says");
        QTest::newRow("no X server") << QStringList{"DISPLAY=:97"} << "no X server answers at DISPLAY=:97";
        QTest::newRow("unknown platform") << QStringList{"QT_QPA_PLATFORM=nosuch"}
                                          << "QT_QPA_PLATFORM names the platform \"nosuch\"";
        QTest::newRow("empty platform") << QStringList{"QT_QPA_PLATFORM="} << "DISPLAY is not set";
        QTest::newRow("Wayland without a compositor") << QStringList{"WAYLAND_DISPLAY=kalimar-none"}
                                                      << "WAYLAND_DISPLAY=kalimar-none";
        QTest::newRow("nothing at all") << QStringList{} << "DISPLAY is not set";
    }
    void noDisplay()
    {
        QFETCH(QStringList, env);
        QFETCH(QString, says);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"})
            e.remove(QLatin1String(name));
        for (const QString& pair : env)
            e.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QProcess program;
        program.setProcessEnvironment(e);
        program.start(QStringLiteral(KALIMAR_EXE), {});
        QVERIFY(program.waitForFinished(20000));
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);  // no abort
        QCOMPARE(program.exitCode(), 1);
        QVERIFY2(err.contains(says), qPrintable(err));
        QVERIFY2(!err.contains(QLatin1String("Reinstalling")), qPrintable(err));
    }

    // Run at scale 2 on the 800 x 600 offscreen screen: 400 x 300 logical.
    void smallScreenKeepsTheCornerInReach()
    {
        testsupport::RestartProgram();
        const QRect free = Form1->screen()->availableGeometry();
        QVERIFY2(free.width() < Form1->width(), "the test needs a screen smaller than the window");
        QVERIFY(free.contains(Form1->frameGeometry().topLeft()));
        QCOMPARE(Form1->pos(), free.topLeft());
        DestroyForms();
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
