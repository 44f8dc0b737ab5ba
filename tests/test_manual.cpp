// SPDX-License-Identifier: GPL-3.0-or-later
// Manual entry of deviations: the mode switch, the "0", "±" and swap buttons,
// and the quick insert from the palette.
#include <QtTest>

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "Look.h"
#include "NumberText.h"
#include "QtTestSupport.h"
#include "frm_FastNamber_Unit.h"

using testsupport::M;
using testsupport::RestartProgram;
using testsupport::Click;
using testsupport::Retype;
using testsupport::SelectRow;
using testsupport::WhenModalShows;

namespace {

const QString NoData = QStringLiteral("нет данных");

QStringList Results()
{
    return {M().Edit5->text(), M().Edit6->text(), M().Edit7->text(), M().Edit8->text()};
}

void SetManual(bool on)
{
    if (M().CheckBox1->isChecked() != on)
        Click(M().CheckBox1);
    QCOMPARE(M().CheckBox1->isChecked(), on);
}

// Manual mode with the three inputs typed as a user types them.
void EnterManually(const QString& size, const QString& upper, const QString& lower)
{
    SetManual(true);
    Retype(M().Edit2, size);
    Retype(M().Edit3, upper);
    Retype(M().Edit4, lower);
}

// Replaces a box's text as a paste does: the key filter would drop an
// exponent's "E" and blanks.
void PasteInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QApplication::clipboard()->setText(text);
    box->paste();
}

}  // namespace

class ManualEntryTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartProgram();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    void cleanupTestCase() { DestroyForms(); }

    void controlStatesOfBothModes()
    {
        SetManual(true);
        QVERIFY(M().Edit1->isHidden());
        QVERIFY(M().Button3->isEnabled() && M().Button4->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{M().Label1, M().Label2, M().Label3, M().Label5,
                                                          M().ListBox1, M().ComboBox1, M().ComboBox3,
                                                          M().ComboBox4})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(M().Button1->isVisible() && M().Button1->isEnabled());
        QVERIFY(M().Button5->isVisible() && M().Button5->isEnabled());
        QVERIFY(M().SpeedButton1->isEnabled() && M().SpeedButton1->isVisible());
        QCOMPARE(M().SpeedButton1->icon().pixmap(18, 18).size(), QSize(18, 18));
        QCOMPARE(M().Edit3->toolTip(), QStringLiteral("Верхнее значение допуска. (Двойной щелчек для быстрой вставки)"));
        QCOMPARE(M().Edit4->toolTip(), QStringLiteral("Нижнее значение допуска. (Двойной щелчек для быстрой вставки) "));
        QCOMPARE(M().Edit4->accessibleName(), M().Edit4->toolTip());
        for (QLineEdit* box : {M().Edit3, M().Edit4}) {
            QVERIFY(!box->isReadOnly());
            QCOMPARE(BaseColour(box), clWhite);
            QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
        }

        SetManual(false);
        QVERIFY(M().Edit1->isVisible());
        QVERIFY(!M().Button3->isEnabled() && !M().Button4->isEnabled());
        QVERIFY(M().Label5->isEnabled() && M().ListBox1->isEnabled() && M().ComboBox4->isEnabled());
        QVERIFY(M().Button1->isHidden() && !M().Button1->isEnabled());
        QVERIFY(M().Button5->isHidden() && !M().Button5->isEnabled());
        QVERIFY(!M().SpeedButton1->isEnabled());
        QCOMPARE(M().Edit3->toolTip(), QStringLiteral("Верхнее значение допуска"));
        QCOMPARE(M().Edit4->toolTip(), QStringLiteral("Нижнее значение допуска"));
        for (QLineEdit* box : {M().Edit3, M().Edit4}) {
            QVERIFY(box->isReadOnly());
            QCOMPARE(BaseColour(box), clBtnFace());
            QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        }
    }

    void disabledControlsIgnoreClicksInManualMode()
    {
        EnterManually(QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("0"));
        testsupport::ModalCloser closer;
        for (QLabel* label : {M().Label5, M().Label1, M().Label2, M().Label3})
            QTest::mouseClick(Form1->windowHandle(), Qt::LeftButton, {},
                              label->mapTo(Form1, label->rect().center()));
        QListWidget* list = M().ListBox1;
        const QPoint row = list->viewport()->mapTo(Form1, list->visualItemRect(list->item(3)).center());
        QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {}, row);
        QTest::qWait(50);
        QCOMPARE(closer.count(), 0);
        QCOMPARE(M().Edit3->text(), QStringLiteral("1"));
        QCOMPARE(M().ListBox1->currentRow(), 20);
        QCOMPARE(Results(), (QStringList{"6", "5", "5,50", "2,750"}));
    }

    void switchingOnKeepsTheCatalogueResults_data()
    {
        QTest::addColumn<bool>("micrometres");
        QTest::newRow("mm") << false;
        QTest::newRow("um") << true;
    }

    void switchingOnKeepsTheCatalogueResults()
    {
        QFETCH(bool, micrometres);
        if (micrometres)
            Click(M().CheckBox2);
        SelectRow(QStringLiteral("H7"));
        QCOMPARE(M().Edit3->text(), micrometres ? QStringLiteral("+12") : QStringLiteral("+0,012"));
        const QStringList before = Results();
        SetManual(true);
        QCOMPARE(Results(), before);
        QCOMPARE(TextColour(M().Edit3), clNavy);
        QCOMPARE(TextColour(M().Edit4), clNavy);
        // Off again: the catalogue overwrites what was typed.
        Retype(M().Edit3, QStringLiteral("1"));
        SetManual(false);
        QCOMPARE(M().Edit3->text(), micrometres ? QStringLiteral("+12") : QStringLiteral("+0,012"));
        QCOMPARE(Results(), before);
    }

    void noDataTurnsRedOnTheSwitch()
    {
        SelectRow(QStringLiteral("g6"));
        Retype(M().Edit2, QStringLiteral("0,5"));
        SetManual(true);
        QCOMPARE(TextColour(M().Edit3), clRed);
        QCOMPARE(TextColour(M().Edit4), clRed);
        QCOMPARE(Results(), QStringList(4, NoData));
    }

    void micrometreSwitchReinterpretsTypedNumbers()
    {
        EnterManually(QStringLiteral("5"), QStringLiteral("25"), QStringLiteral("0"));
        QCOMPARE(M().Edit5->text(), QStringLiteral("30"));
        Click(M().CheckBox2);
        QCOMPARE(M().Edit3->text(), QStringLiteral("25"));
        QCOMPARE(M().Edit5->text(), QStringLiteral("5,025"));
        QVERIFY(M().CheckBox1->isChecked());
    }

    void manualResults_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<int>("rounding");
        QTest::addColumn<QStringList>("results");
        QTest::newRow("as is") << "5" << "0,025" << "0" << false << 1
                               << QStringList{"5,025", "5", "5,0125", "2,50625"};
        QTest::newRow("2 digits") << "5" << "0,025" << "0" << false << 2
                                  << QStringList{"5,025", "5", "5,01", "2,506"};
        QTest::newRow("3 digits") << "5" << "0,025" << "0" << false << 3
                                  << QStringList{"5,025", "5", "5,013", "2,5063"};
        QTest::newRow("3 digits um") << "5" << "25" << "0" << true << 3
                                     << QStringList{"5,025", "5", "5,013", "2,5063"};
        QTest::newRow("negative pair as is") << "25" << "-7" << "-28" << true << 1
                                             << QStringList{"24,993", "24,972", "24,9825", "12,49125"};
        QTest::newRow("negative pair 2 digits") << "25" << "-7" << "-28" << true << 2
                                                << QStringList{"24,993", "24,972", "24,98", "12,491"};
        QTest::newRow("negative pair 3 digits") << "25" << "-0,007" << "-0,028" << false << 3
                                                << QStringList{"24,993", "24,972", "24,983", "12,4913"};
        QTest::newRow("six digits survive") << "12345" << "0,5" << "0" << false << 2
                                            << QStringList{"12345,5", "12345", "12345,30", "6172,630"};
        QTest::newRow("just below") << "5" << "-0,001" << "-0,002" << false << 2
                                    << QStringList{"4,999", "4,998", "5,00", "2,499"};
        QTest::newRow("no minus zero") << "0" << "-0,001" << "0" << false << 2
                                       << QStringList{"-0,001", "0", "0,00", "0,000"};
        QTest::newRow("upper below lower") << "10" << "-1" << "1" << false << 1
                                           << QStringList{"9", "11", "10", "5"};
        QTest::newRow("any real size") << "2000" << "0,025" << "0" << false << 1
                                       << QStringList{"2000,025", "2000", "2000,0125", "1000,00625"};
        QTest::newRow("leading plus") << "5" << "+0,012" << "0" << false << 3
                                      << QStringList{"5,012", "5", "5,006", "2,5030"};
    }

    void manualResults()
    {
        QFETCH(QString, size);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(bool, micrometres);
        QFETCH(int, rounding);
        QFETCH(QStringList, results);
        QRadioButton* radios[] = {nullptr, M().RadioButton1, M().RadioButton2, M().RadioButton3};
        Click(radios[rounding]);
        if (micrometres)
            Click(M().CheckBox2);
        EnterManually(size, upper, lower);
        QCOMPARE(Results(), results);
        QCOMPARE(TextColour(M().Edit3), clNavy);
        QCOMPARE(TextColour(M().Edit4), clNavy);
    }

    void inputThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("red");
        QTest::newRow("size") << "+" << "0,1" << "0" << "Edit2";
        QTest::newRow("upper") << "5" << "-" << "0" << "Edit3";
        QTest::newRow("lower") << "5" << "0,1" << "1,,2" << "Edit4";
    }

    void inputThatIsNoNumber()
    {
        QFETCH(QString, size);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, red);
        EnterManually(size, upper, lower);
        QCOMPARE(Results(), QStringList(4, NoData));
        for (QLineEdit* box : {M().Edit2, M().Edit3, M().Edit4})
            QCOMPARE(TextColour(box) == clRed, box->objectName() == red);
        QCOMPARE(M().Edit3->text(), upper);
        QCOMPARE(M().Edit4->text(), lower);
    }

    void zeroButtons()
    {
        EnterManually(QStringLiteral("5"), QStringLiteral("0,3"), QStringLiteral("-0,2"));
        Click(M().Button1);
        QCOMPARE(M().Edit3->text(), QStringLiteral("0"));
        Click(M().Button5);
        QCOMPARE(M().Edit4->text(), QStringLiteral("0"));
        QCOMPARE(Results(), (QStringList{"5", "5", "5,00", "2,500"}));
    }

    void plusMinus_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("flipped");
        QTest::newRow("plus") << "+0,025" << "-0,025";
        QTest::newRow("minus") << "-0,025" << "0,025";
        QTest::newRow("zero stays zero") << "0" << "0";
        QTest::newRow("minus zero") << "-0" << "0";
        QTest::newRow("micrometres") << "25" << "-25";
        // The digits stay as typed: the sign is turned, the number not rewritten.
        QTest::newRow("trailing zeros kept") << "0,250" << "-0,250";
        QTest::newRow("more digits than the general form") << "0,12345678901234567" << "-0,12345678901234567";
        QTest::newRow("largest double") << "1,7976931348623157E308" << "-1,7976931348623157E308";
        QTest::newRow("comma alone") << "-,6" << ",6";
        QTest::newRow("blanks") << " +25 " << "-25";
        QTest::newRow("zero with digits") << "+0,000" << "0,000";
    }

    void plusMinus()
    {
        QFETCH(QString, typed);
        QFETCH(QString, flipped);
        EnterManually(QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"));
        PasteInto(M().Edit3, typed);
        PasteInto(M().Edit4, typed);
        Click(M().Button3);
        QCOMPARE(M().Edit3->text(), flipped);
        Click(M().Button4);
        QCOMPARE(M().Edit4->text(), flipped);
        QCOMPARE(TextColour(M().Edit3), clNavy);
    }

    void plusMinusOnNoNumberLeavesTheTextRed()
    {
        EnterManually(QStringLiteral("5"), QStringLiteral("+"), QStringLiteral("0"));
        Click(M().Button3);
        QCOMPARE(M().Edit3->text(), QStringLiteral("+"));
        QCOMPARE(TextColour(M().Edit3), clRed);
    }

    void plusMinusDoesNothingInNormalMode()
    {
        const QString upper = M().Edit3->text();
        Form1->Button3Click();
        Form1->Button4Click();
        QCOMPARE(M().Edit3->text(), upper);
        QCOMPARE(M().Edit4->text(), QStringLiteral("0"));
    }

    void swap_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("newUpper");
        QTest::addColumn<QString>("newLower");
        QTest::newRow("mirror") << "+0,025" << "0" << "0" << "-0,025";
        QTest::newRow("back") << "0" << "-0,025" << "0,025" << "0";
        QTest::newRow("both negative") << "-7" << "-28" << "28" << "7";
        // A text that is no number moves across as it is, still red.
        QTest::newRow("plus alone") << "+" << "5" << "-5" << "+";
        QTest::newRow("no numbers") << "+ 5" << "--5" << "--5" << "+ 5";
    }

    void swap()
    {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, newUpper);
        QFETCH(QString, newLower);
        EnterManually(QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"));
        PasteInto(M().Edit3, upper);
        PasteInto(M().Edit4, lower);
        Click(M().SpeedButton1);
        QCOMPARE(M().Edit3->text(), newUpper);
        QCOMPARE(M().Edit4->text(), newLower);
        const bool numbers = ReadNumberText(newUpper.toStdString()) && ReadNumberText(newLower.toStdString());
        QCOMPARE(M().Edit7->text() == QStringLiteral("нет данных"), !numbers);
    }

    void swapMirrorsTheZone()
    {
        EnterManually(QStringLiteral("10"), QStringLiteral("0,1"), QStringLiteral("0,04"));
        QCOMPARE(Results(), (QStringList{"10,1", "10,04", "10,07", "5,035"}));
        Click(M().SpeedButton1);
        QCOMPARE(Results(), (QStringList{"9,96", "9,9", "9,93", "4,965"}));
    }

    void quickInsert_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("label");  // empty: closed without a pick
        QTest::addColumn<QString>("after");
        QTest::newRow("lower gets a minus") << "Edit4" << "0" << "Label1" << "-0,1";
        QTest::newRow("lower same value") << "Edit4" << "0,1" << "Label1" << "0,1";
        QTest::newRow("lower closed") << "Edit4" << "0,3" << "" << "0,3";
        QTest::newRow("upper without sign") << "Edit3" << "0" << "Label14" << "1,0";
        QTest::newRow("upper two decimals") << "Edit3" << "-0,5" << "Label19" << "0,12";
        QTest::newRow("upper closed") << "Edit3" << "0,3" << "" << "0,3";
    }

    void quickInsert()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, label);
        QFETCH(QString, after);
        auto* edit = Form1->findChild<QLineEdit*>(box);
        EnterManually(QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"));
        Retype(edit, before);
        QPoint shownAt;
        QString preset;
        WhenModalShows([&](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(SideWindow<Tfrm_FastNamber>()));
            shownAt = w->pos();
            preset = SideWindow<Tfrm_FastNamber>()->quickValueText();
            if (label.isEmpty())
                w->close();
            else
                Click(w->findChild<QLabel*>(label));
        });
        QTest::mouseDClick(edit, Qt::LeftButton, {}, edit->rect().center());
        QVERIFY(!SideWindow<Tfrm_FastNamber>()->isVisible());
        QCOMPARE(preset, before);
        QCOMPARE(edit->text(), after);
        const int top = box == QLatin1String("Edit3") ? 215 : 287;
        QCOMPARE(shownAt, Form1->pos() + QPoint(283, top));
    }

    void quickInsertByTheHiddenButton()
    {
        SetManual(true);
        WhenModalShows([](QWidget* w) { Click(w->findChild<QLabel*>(QStringLiteral("Label8"))); });
        M().Button21->click();
        QCOMPARE(M().Edit3->text(), QStringLiteral("0,5"));
        QCOMPARE(M().Edit5->text(), QStringLiteral("5,5"));
    }

    void doubleClickInNormalModeOpensNothing()
    {
        testsupport::ModalCloser closer;
        QTest::mouseDClick(M().Edit3, Qt::LeftButton);
        QTest::mouseDClick(M().Edit4, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(closer.count(), 0);
    }
};

QTEST_MAIN(ManualEntryTest)
#include "test_manual.moc"
