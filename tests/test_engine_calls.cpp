// SPDX-License-Identifier: GPL-3.0-or-later
// How often one answer asks the engine for a field's limits: a fit is two
// fields, each computed once; a copy takes what is shown; the reference
// table paints from one result per interval. The executable is linked with
// the engine's LimitsOf wrapped (tests/CMakeLists.txt), so every call from
// outside the engine is counted.
#include <QtTest>

#include <QClipboard>

#include <sstream>
#include <string>

#include "Cli.h"
#include "DrawGrid.h"
#include "Iso286.h"
#include "QtTestSupport.h"
#include "frm_Fit_Unit.h"
#include "frm_Reference_Unit.h"

namespace {
int calls = 0;
}

// iso286::LimitsOf(const iso286::Field&, int), as the linker names it.
extern "C" iso286::FieldLimits __real__ZN6iso2868LimitsOfERKNS_5FieldEi(const iso286::Field& field, int ceiling);
extern "C" iso286::FieldLimits __wrap__ZN6iso2868LimitsOfERKNS_5FieldEi(const iso286::Field& field, int ceiling)
{
    ++calls;
    return __real__ZN6iso2868LimitsOfERKNS_5FieldEi(field, ceiling);
}

using testsupport::Child;
using testsupport::Click;
using testsupport::RestartProgram;
using testsupport::Retype;
using testsupport::TypeFieldName;

class EngineCallsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { RestartProgram(); }
    void cleanupTestCase() { DestroyForms(); }

    void toolAsksTwiceForAFitOnceForAField_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("designation");
        QTest::addColumn<int>("expected");
        for (const char* format : {"", "--json", "--csv"}) {
            QTest::addRow("fit %s", format) << format << "25H7/g6" << 2;
            QTest::addRow("undefined fit %s", format) << format << "0,5H7/a11" << 2;
            QTest::addRow("field %s", format) << format << "25H7" << 1;
            QTest::addRow("written wrongly %s", format) << format << "25Q7" << 0;
        }
    }
    void toolAsksTwiceForAFitOnceForAField()
    {
        QFETCH(QString, format);
        QFETCH(QString, designation);
        QFETCH(int, expected);
        std::vector<std::string> args;
        if (!format.isEmpty())
            args.push_back(format.toStdString());
        args.push_back(designation.toStdString());
        std::istringstream in;
        std::ostringstream out, err;
        calls = 0;
        RunCli(args, in, out, err);
        QCOMPARE(calls, expected);
    }

    // The fit window keeps its result: the copy asks nothing again.
    void fitCopyAsksNothing()
    {
        Tfrm_Fit* fit = SideWindow<Tfrm_Fit>();
        fit->show();
        Retype(Child<QLineEdit>(fit, "FitSize"), QStringLiteral("25"));
        TypeFieldName(Child<QComboBox>(fit, "FitHole"), QStringLiteral("H7"));
        calls = 0;
        TypeFieldName(Child<QComboBox>(fit, "FitShaft"), QStringLiteral("s6"));
        QVERIFY(calls >= 2);  // once per field at each recalculation
        QCOMPARE(calls % 2, 0);
        calls = 0;
        Click(Child(fit, "FitCopy"));
        QCOMPARE(calls, 0);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Ø25H7/s6")));
    }

    // A new field lists its intervals once; painting and moving about the
    // table read those results, and so does the copy.
    void referencePaintsFromItsRows()
    {
        Tfrm_Reference* reference = SideWindow<Tfrm_Reference>();
        reference->show();
        QVERIFY(QTest::qWaitForWindowExposed(reference));
        auto* table = Child<DrawGrid>(reference, "RefTable");
        const int intervals = static_cast<int>(iso286::Ranges().size());
        calls = 0;
        reference->Preset(*iso286::ParseField("k4"), QStringLiteral("40"));
        QCOMPARE(calls, intervals + 1);
        calls = 0;
        table->viewport()->repaint();
        for (int row = 1; row <= intervals; row += 5)
            table->setCurrent(1, row);
        Click(Child(reference, "RefCopy"));
        QCOMPARE(calls, 0);
        // Another size of the same field asks for that size alone.
        Retype(Child<QLineEdit>(reference, "RefSize"), QStringLiteral("41"));
        QCOMPARE(calls, 2);  // "4", then "41"
    }
};

QTEST_MAIN(EngineCallsTest)
#include "test_engine_calls.moc"
