// SPDX-License-Identifier: GPL-3.0-or-later
// The «Общие допуски» window driven as a user drives it: a size, an element
// and a rule chosen, the deviations and limit sizes under the main window's
// rounding choices, angles in degrees and minutes, form and position
// tolerances of a class, the reasons where nothing is defined, the drawing
// notes and their copies, and what it takes over from the main window.
#include <QtTest>

#include <QClipboard>
#include <QMimeData>

#include <string>

#include "Clipboard.h"
#include "GeneralToleranceWindow.h"
#include "Look.h"
#include "QtTestSupport.h"

using testsupport::Child;
using testsupport::ChooseItem;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartWithWindow;
using testsupport::Retype;

namespace {

GeneralToleranceWindow* Window() { return SideWindow<GeneralToleranceWindow>(); }
QLineEdit* Box(const char* name) { return Child<QLineEdit>(Window(), name); }
QComboBox* Combo(const char* name) { return Child<QComboBox>(Window(), name); }
QString Label(const char* name) { return Child<QLabel>(Window(), name)->text(); }

const char* const kBoxes[] = {"GenUpper", "GenLower", "GenTolerance", "GenMax", "GenMin", "GenMid", "GenRadius"};
const char* const kGeometricBoxes[] = {"GenStraightness", "GenPerpendicularity", "GenSymmetry", "GenRunOut"};
const QString kNoData = QStringLiteral("нет данных");

QStringList Shown(const char* const* names, int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << Box(names[i])->text();
    return texts;
}
QStringList Shown() { return Shown(kBoxes, 7); }
QStringList ShownGeometric() { return Shown(kGeometricBoxes, 4); }

// "m — средний" or "IT14" from its list, the element from its list, the size typed.
void Enter(const QString& rule, const QString& element, const QString& size)
{
    if (rule.startsWith(QLatin1String("IT"))) {
        Click(Child(Window(), "GenByGrade"));
        ChooseItem(Combo("GenGrade"), rule);
    } else {
        Click(Child(Window(), "GenByClass"));
        ChooseItem(Combo("GenClass"), rule);
    }
    ChooseItem(Combo("GenElement"), element);
    Retype(Box("GenSize"), size);
}

}  // namespace

class GeneralWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartWithWindow<GeneralToleranceWindow>(Qt::Key_F11);
    }
    void cleanupTestCase() { DestroyForms(); }

    void deviationsAndLimitSizes_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("rounding");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("info");
        QTest::newRow("m 120") << "m — средний" << "прочий линейный" << "120" << "GenTwoDigits" << false << "±0,3"
                               << QStringList{"+0,3", "-0,3", "0,6", "120,3", "119,7", "120,00", "60,000"}
                               << "Класс m — средний, размеры св. 30 до 120 мм.";
        QTest::newRow("IT14 hole 120") << "IT14" << "внутренний (отверстие)" << "120" << "GenThreeDigits" << false
                                       << "H14 +0,87/0"
                                       << QStringList{"+0,87", "0", "0,87", "120,87", "120", "120,435", "60,2175"}
                                       << "IT14 = 870 мкм, поле H14.";
        QTest::newRow("IT14 shaft 120 in µm") << "IT14" << "наружный (вал)" << "120" << "GenAsIs" << true
                                              << "h14 0/-0,87"
                                              << QStringList{"0", "-870", "870", "120", "119,13", "119,565", "59,7825"}
                                              << "IT14 = 870 мкм, поле h14.";
        QTest::newRow("IT14 other 120 in µm") << "IT14" << "прочий линейный" << "120" << "GenTwoDigits" << true
                                              << "±0,435"
                                              << QStringList{"+435", "-435", "870", "120,435", "119,565", "120,00",
                                                             "60,000"}
                                              << "IT14 = 870 мкм, отклонения ±IT/2 без округления.";
        QTest::newRow("f chamfer on a bound 0,5") << "f — точный" << "радиус или фаска" << "0.5" << "GenThreeDigits"
                                                  << false << "±0,2"
                                                  << QStringList{"+0,2", "-0,2", "0,4", "0,7", "0,3", "0,500",
                                                                 "0,2500"}
                                                  << "Класс f — точный, размеры от 0,5 до 3 мм.";
    }
    void deviationsAndLimitSizes()
    {
        QFETCH(QString, rule);
        QFETCH(QString, element);
        QFETCH(QString, size);
        QFETCH(QString, rounding);
        QFETCH(bool, micrometres);
        QFETCH(QString, value);
        QFETCH(QStringList, boxes);
        QFETCH(QString, info);
        if (micrometres)
            Click(Child(Window(), "GenMicrometres"));
        Click(Child(Window(), qPrintable(rounding)));
        Enter(rule, element, size);
        QCOMPARE(Box("GenValue")->text(), value);
        QCOMPARE(Shown(), boxes);
        QCOMPARE(Label("GenInfo"), info);
        QCOMPARE(TextColour(Box("GenUpper")), boxes[0].startsWith(u'+') ? clMaroon : clNavy);
    }

    void anglesInDegreesAndMinutes_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("tolerance");
        QTest::newRow("m 60") << "m — средний" << "60" << "±0°20′" << "0°40′";
        QTest::newRow("c up to 10") << "c — грубый" << "10" << "±1°30′" << "3°";
        QTest::newRow("v over 400") << "v — очень грубый" << "400,01" << "±0°20′" << "0°40′";
    }
    void anglesInDegreesAndMinutes()
    {
        QFETCH(QString, rule);
        QFETCH(QString, side);
        QFETCH(QString, value);
        QFETCH(QString, tolerance);
        Enter(rule, QStringLiteral("угол"), side);
        QCOMPARE(Child<QLabel>(Window(), "GenSizeLabel")->text(), QStringLiteral("Меньшая сторона, мм:"));
        QCOMPARE(Box("GenValue")->text(), value);
        const QString half = value.mid(1);
        QCOMPARE(Shown(), (QStringList{u'+' + half, u'-' + half, tolerance, "—", "—", "—", "—"}));
        QVERIFY2(Label("GenInfo").contains(QStringLiteral("номинал ") + value), qPrintable(Label("GenInfo")));
        // Back to a length: the size box says so again.
        ChooseItem(Combo("GenElement"), QStringLiteral("прочий линейный"));
        QCOMPARE(Child<QLabel>(Window(), "GenSizeLabel")->text(), QStringLiteral("Размер, мм:"));
    }

    void notDefinedSaysWhy_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("reason");
        QTest::newRow("v up to 3") << "v — очень грубый" << "прочий линейный" << "2"
                                   << "Не определено. Для размеров от 0,5 до 3 мм ГОСТ 30893.1 не устанавливает "
                                      "общего допуска класса v (очень грубый).";
        QTest::newRow("IT form, angle") << "IT14" << "угол" << "20"
                                        << "Не определено. Запись в квалитетах (H14, h14, ±IT14/2) не задаёт "
                                           "отклонений радиусов, фасок и углов: для них выберите класс ГОСТ 30893.1.";
        QTest::newRow("IT17 up to 1 mm") << "IT17" << "внутренний (отверстие)" << "0,8"
                                         << "Не определено. Квалитеты IT14–IT18 не применяются для размеров до 1 мм.";
        QTest::newRow("no number") << "m — средний" << "прочий линейный" << "1,,0" << "Размер — не число.";
    }
    void notDefinedSaysWhy()
    {
        QFETCH(QString, rule);
        QFETCH(QString, element);
        QFETCH(QString, size);
        QFETCH(QString, reason);
        Enter(rule, element, size);
        QCOMPARE(Shown(), QStringList(7, kNoData));
        QCOMPARE(Box("GenValue")->text(), QStringLiteral("—"));
        QCOMPARE(Label("GenInfo"), reason);
        QCOMPARE(TextColour(Child(Window(), "GenInfo")), clMaroon);
        QCOMPARE(TextColour(Box("GenSize")) == clRed, size == QLatin1String("1,,0"));
        // The note stays: it does not depend on the size.
        QVERIFY(!Box("GenNote")->text().isEmpty());
    }

    void formAndPositionOfAClass_data()
    {
        QTest::addColumn<QString>("geometricClass");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("info");
        QTest::newRow("K 150") << "K" << "150" << false << QStringList{"0,4", "0,6", "0,6", "0,2"}
                               << "Длины св. 100 до 300 мм; перпендикулярность и симметричность — св. 100 до 300 мм.";
        QTest::newRow("H 5 in µm") << "H" << "5" << true << QStringList{"20", "200", "500", "100"}
                                   << "Длины до 10 мм; перпендикулярность и симметричность — до 100 мм.";
        QTest::newRow("L above 3000") << "L" << "3500" << false << QStringList{kNoData, kNoData, kNoData, "0,5"}
                                      << "Не определено. ГОСТ 30893.2 устанавливает общие допуски формы и "
                                         "расположения только для длин до 3000 мм.";
    }
    void formAndPositionOfAClass()
    {
        QFETCH(QString, geometricClass);
        QFETCH(QString, size);
        QFETCH(bool, micrometres);
        QFETCH(QStringList, boxes);
        QFETCH(QString, info);
        if (micrometres)
            Click(Child(Window(), "GenMicrometres"));
        ChooseItem(Combo("GenGeometricClass"), geometricClass);
        Retype(Box("GenSize"), size);
        QCOMPARE(ShownGeometric(), boxes);
        QCOMPARE(Label("GenGeometricInfo"), info);
    }

    void notesAndTheirCopies_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("geometricClass");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("geometricNote");
        QTest::newRow("m K") << "m — средний" << "K" << "Общие допуски по ГОСТ 30893.1 — m"
                             << "Общие допуски по ГОСТ 30893.2 — mK";
        QTest::newRow("f H") << "f — точный" << "H" << "Общие допуски по ГОСТ 30893.1 — f"
                             << "Общие допуски по ГОСТ 30893.2 — fH";
        QTest::newRow("IT14 L") << "IT14" << "L"
                                << "Неуказанные предельные отклонения размеров: отверстий H14, валов h14, остальных "
                                   "±IT14/2"
                                << "Общие допуски по ГОСТ 30893.2 — L";
    }
    void notesAndTheirCopies()
    {
        QFETCH(QString, rule);
        QFETCH(QString, geometricClass);
        QFETCH(QString, note);
        QFETCH(QString, geometricNote);
        Enter(rule, QStringLiteral("прочий линейный"), QStringLiteral("25"));
        ChooseItem(Combo("GenGeometricClass"), geometricClass);
        QCOMPARE(Box("GenNote")->text(), note);
        QCOMPARE(Box("GenGeometricNote")->text(), geometricNote);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        Click(Child(Window(), "GenCopyGeometricNote"));
        QCOMPARE(clipboard->mimeData()->text(), geometricNote);
        Click(Child(Window(), "GenCopyNote"));
        QCOMPARE(clipboard->mimeData()->text(), note);
        QCOMPARE(QString::fromUtf8(clipboard->mimeData()->data(kSpreadsheetMimeType)), note);
        clipboard->clear();
        QTest::keyClick(Box("GenSize"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->mimeData()->text(), note);
    }

    // Picking from a rule's list chooses that rule; the grade starts at IT14.
    void aListChoosesItsRule()
    {
        QVERIFY(Child<QRadioButton>(Window(), "GenByClass")->isChecked());
        QCOMPARE(Combo("GenGrade")->currentText(), QStringLiteral("IT14"));
        QCOMPARE(Combo("GenClass")->currentText(), QStringLiteral("m — средний"));
        ChooseItem(Combo("GenGrade"), QStringLiteral("IT16"));
        QVERIFY(Child<QRadioButton>(Window(), "GenByGrade")->isChecked());
        QVERIFY(Box("GenNote")->text().endsWith(QStringLiteral("±IT16/2")));
        ChooseItem(Combo("GenClass"), QStringLiteral("c — грубый"));
        QVERIFY(Child<QRadioButton>(Window(), "GenByClass")->isChecked());
        QCOMPARE(Box("GenNote")->text(), QStringLiteral("Общие допуски по ГОСТ 30893.1 — c"));
    }

    void presetFromTheMainWindow()
    {
        // Opened from the main window's size box ("5" at start).
        QCOMPARE(Box("GenSize")->text(), QStringLiteral("5"));
        QCOMPARE(Box("GenValue")->text(), QStringLiteral("±0,1"));
        const auto reopen = [] {
            Window()->close();
            testsupport::ActivateMainWindow();
            QTest::keyClick(M().Edit2, Qt::Key_F11);
            QTRY_VERIFY(Window()->isVisible());
        };
        Retype(M().Edit2, QStringLiteral("18"));
        reopen();
        QCOMPARE(Box("GenSize")->text(), QStringLiteral("18"));
        // What was typed here stays while the main window's size is the same.
        Retype(Box("GenSize"), QStringLiteral("250"));
        reopen();
        QCOMPARE(Box("GenSize")->text(), QStringLiteral("250"));
        // A size box that holds no size hands nothing over.
        for (const QString& typed : {QStringLiteral("1,,0"), QStringLiteral("0"), QStringLiteral("-3")}) {
            Retype(M().Edit2, typed);
            reopen();
            QCOMPARE(Box("GenSize")->text(), QStringLiteral("250"));
        }
        // Reached from the menu as well.
        QAction* action = Form1->findChild<QAction*>(QStringLiteral("ActionGeneral"));
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("Общие допуски…"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F11));
    }

    void everyControlIsNamedAndTheWindowFitsBeside()
    {
        int checked = 0;
        for (QWidget* w : Window()->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))
                continue;  // a drop-down box's own line
            QVERIFY2(w->objectName().startsWith(QLatin1String("Gen")), qPrintable(w->objectName()));
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            ++checked;
        }
        QCOMPARE(checked, 27);
        QCOMPARE(Window()->windowTitle(), QStringLiteral("Общие допуски"));
        // Beside the centred main window at 1920 x 1080, frame included.
        QVERIFY(Window()->width() <= 600);
        QVERIFY(Window()->height() <= 1000);
        // Every text fits its box at that size, the longest note included.
        Enter(QStringLiteral("IT17"), QStringLiteral("прочий линейный"), QStringLiteral("2999,5"));
        for (const char* name : {"GenNote", "GenValue", "GenMax", "GenMin"}) {
            QLineEdit* box = Box(name);
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= box->contentsRect().width() - 4,
                     qPrintable(box->text()));
        }
        QTest::keyClick(Box("GenSize"), Qt::Key_Escape);
        QVERIFY(!Window()->isVisible());
    }
};

QTEST_MAIN(GeneralWindowTest)
#include "test_general_window.moc"
