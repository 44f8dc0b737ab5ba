// SPDX-License-Identifier: GPL-3.0-or-later
// The ISO 286 reference window driven as a user drives it: a field picked by
// letter and grade at a typed size, the rounding and unit choices, the table
// of the field over all size intervals, the copy, and what it takes over from
// the main window and keeps between showings.
#include <QtTest>

#include <QClipboard>
#include <QMimeData>

#include <string>

#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "DrawGrid.h"
#include "FieldResult.h"
#include "Texts.h"
#include "Look.h"
#include "NumberText.h"
#include "PaintedTexts.h"
#include "QtTestSupport.h"
#include "frm_Reference_Unit.h"

using testsupport::Child;
using testsupport::ChooseItem;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartWithWindow;
using testsupport::Retype;
using testsupport::SelectRow;

namespace {

Millimetres Size(const QString& size) { return Millimetres(*ReadDecimalText(size.toStdString())); }

std::string SignedMicrometres(iso286::Nanometres nm)
{
    return SignedDeviation(Micrometres(WholeNanometres(nm)), DeviationUnit::Micrometres).text;
}

std::string ToleranceText(const iso286::FieldLimits& limits)
{
    return LengthText(Micrometres(WholeNanometres(limits.upper - limits.lower)), DeviationUnit::Micrometres);
}

QLineEdit* Box(const char* name) { return Child<QLineEdit>(SideWindow<Tfrm_Reference>(), name); }
QLineEdit* SizeBox() { return Box("RefSize"); }
QComboBox* LetterBox() { return Child<QComboBox>(SideWindow<Tfrm_Reference>(), "RefLetter"); }
QComboBox* GradeBox() { return Child<QComboBox>(SideWindow<Tfrm_Reference>(), "RefGrade"); }
DrawGrid* Table() { return Child<DrawGrid>(SideWindow<Tfrm_Reference>(), "RefTable"); }
QString Info() { return Child<QLabel>(SideWindow<Tfrm_Reference>(), "RefCellInfo")->text(); }
QString Reason() { return Child<QLabel>(SideWindow<Tfrm_Reference>(), "RefReason")->text(); }

const char* const kBoxes[] = {"RefUpper", "RefLower", "RefTolerance", "RefMax", "RefMin", "RefMid", "RefRadius"};
const QString kNoData = QStringLiteral("нет данных");
const QColor kPaleGreen{192, 220, 192}, kWhite{255, 255, 255}, kSkyBlue{166, 202, 240};

QString Text(const std::string& s) { return QString::fromStdString(s); }

// Letter and grade picked from their lists, then the size typed.
void Enter(const QString& letter, const QString& grade, const QString& size)
{
    ChooseItem(LetterBox(), letter);
    ChooseItem(GradeBox(), grade);
    Retype(SizeBox(), size);
}

iso286::Field Field(const QString& letter, const QString& grade)
{
    return *iso286::ParseField((letter + grade).toStdString());
}

QStringList Shown()
{
    QStringList texts;
    for (const char* name : kBoxes)
        texts << Box(name)->text();
    return texts;
}

}  // namespace

class ReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartWithWindow<Tfrm_Reference>(Qt::Key_F8);
    }
    void cleanupTestCase() { DestroyForms(); }

    void fieldAtASize_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("rounding");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QStringList>("spots");  // upper, lower, mid
        QTest::newRow("H7 25 2 digits") << "H" << "7" << "25" << "RefTwoDigits" << false
                                        << QStringList{"+0,021", "0", "25,01"};
        QTest::newRow("js6 25 in µm 3 digits") << "js" << "6" << "25" << "RefThreeDigits" << true
                                               << QStringList{"+6,5", "-6,5", "25,000"};
        QTest::newRow("e8 50 as is") << "e" << "8" << "50" << "RefAsIs" << false
                                     << QStringList{"-0,05", "-0,089", "49,9305"};
        QTest::newRow("K8 2") << "K" << "8" << "2" << "RefTwoDigits" << false
                                               << QStringList{"0", "-0,014", "1,99"};
        QTest::newRow("H01 2") << "H" << "01" << "2" << "RefAsIs" << true << QStringList{"+0,3", "0", "2,00015"};
        QTest::newRow("h18 3000") << "h" << "18" << "3000" << "RefAsIs" << false
                                  << QStringList{"0", "-33", "2983,5"};
        QTest::newRow("ZC11 typed 400.0") << "ZC" << "11" << "400.0" << "RefThreeDigits" << false << QStringList{};
        QTest::newRow("JS7 7 odd IT") << "JS" << "7" << "7" << "RefAsIs" << true << QStringList{"+7", "-7", "7"};
    }
    void fieldAtASize()
    {
        QFETCH(QString, letter);
        QFETCH(QString, grade);
        QFETCH(QString, size);
        QFETCH(QString, rounding);
        QFETCH(bool, micrometres);
        QFETCH(QStringList, spots);
        if (micrometres)
            Click(Child(SideWindow<Tfrm_Reference>(), "RefMicrometres"));
        Click(Child(SideWindow<Tfrm_Reference>(), qPrintable(rounding)));
        Enter(letter, grade, size);
        if (!spots.isEmpty())
            QCOMPARE((QStringList{Box("RefUpper")->text(), Box("RefLower")->text(), Box("RefMid")->text()}), spots);

        const iso286::Field field = Field(letter, grade);
        const DeviationUnit unit = micrometres ? DeviationUnit::Micrometres : DeviationUnit::Millimetres;
        const Rounding r = rounding == QLatin1String("RefAsIs")        ? Rounding::AsIs
                           : rounding == QLatin1String("RefTwoDigits") ? Rounding::TwoDigits
                                                                        : Rounding::ThreeDigits;
        const FieldResult result = IsoField(field, Size(SizeBox()->text()));
        QVERIFY(result.defined);
        const FieldTexts d = WriteFieldTexts(result, unit, r);
        QCOMPARE(Shown(), (QStringList{Text(d.upper.text), Text(d.lower.text), Text(d.tolerance),
                                       Text(d.results.max), Text(d.results.min), Text(d.results.mid),
                                       Text(d.results.radius)}));
        QCOMPARE(Box("RefField")->text(), letter + grade);
        QCOMPARE(TextColour(Box("RefField")), KindColour(KindOf(field)));
        QCOMPARE(TextColour(Box("RefUpper")), d.upper.positive ? clMaroon : clNavy);
        QCOMPARE(Reason(), QString());
        QVERIFY(Child(SideWindow<Tfrm_Reference>(), "RefCopy")->isEnabled());
    }

    void notDefinedHasAReason_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("isNumber");
        QTest::newRow("IT01 above 500") << "H" << "01" << "600" << true;
        QTest::newRow("a up to 1 mm") << "a" << "11" << "0,5" << true;
        QTest::newRow("j9") << "j" << "9" << "10" << true;
        QTest::newRow("K finer than IT3") << "K" << "1" << "10" << true;
        QTest::newRow("above 3150") << "h" << "7" << "3150,001" << true;
        QTest::newRow("no number") << "h" << "7" << "1,,0" << false;
    }
    void notDefinedHasAReason()
    {
        QFETCH(QString, letter);
        QFETCH(QString, grade);
        QFETCH(QString, size);
        QFETCH(bool, isNumber);
        Enter(letter, grade, size);
        QCOMPARE(Shown(), QStringList(7, kNoData));
        QCOMPARE(TextColour(SizeBox()) == clRed, !isNumber);
        QVERIFY(!Child(SideWindow<Tfrm_Reference>(), "RefCopy")->isEnabled());
        if (!isNumber) {
            QCOMPARE(Reason(), QStringLiteral("Размер — не число."));
            return;
        }
        const std::string reason = ReasonText(IsoField(Field(letter, grade), Size(size)));
        QVERIFY(!reason.empty());
        QCOMPARE(Reason(), QStringLiteral("Не определено. ") + Text(reason));
    }

    // Every interval up to 3150 mm, painted as the tolerance table paints.
    void tableOverAllIntervals_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<int>("open");  // intervals where the standard defines nothing
        const struct {
            const char *letter, *grade;
            int open;
        } rows[] = {{"H", "7", 0},  {"js", "6", 0},  {"JS", "9", 0},  {"a", "11", 17},
                    {"b", "12", 17}, {"t", "7", 7}, {"H", "01", 16}, {"zc", "18", 17}};
        for (const auto& r : rows)
            QTest::addRow("%s%s", r.letter, r.grade) << r.letter << r.grade << r.open;
    }
    void tableOverAllIntervals()
    {
        QFETCH(QString, letter);
        QFETCH(QString, grade);
        QFETCH(int, open);
        Enter(letter, grade, QStringLiteral("25"));
        const iso286::Field field = Field(letter, grade);
        const std::vector<iso286::SizeRange> ranges = iso286::Ranges();
        QCOMPARE(Table()->rowCount(), int(ranges.size()) + 1);
        QCOMPARE(Strings(CellTexts(Table(), 1, 0)).join(QString()), letter + grade + QStringLiteral(", мкм"));
        int undefined = 0;
        for (int row = 1; row <= int(ranges.size()); ++row) {
            Table()->setCurrent(1, row);
            const QString range = QStringLiteral("%1-%2").arg(ranges[row - 1].lower).arg(ranges[row - 1].upper);
            QCOMPARE(Strings(CellTexts(Table(), 0, row)), QStringList(range));
            const iso286::FieldLimits limits = iso286::LimitsOf(field, ranges[row - 1].upper);
            const QList<PaintedText> deviations = CellTexts(Table(), 1, row);
            const QList<PaintedText> tolerance = CellTexts(Table(), 2, row);
            QColor paper;
            if (limits.undefined != iso286::Undefined::None) {
                ++undefined;
                QCOMPARE(Strings(deviations), QStringList("---"));
                QCOMPARE(Strings(tolerance), QStringList("---"));
                QVERIFY2(Info().contains(Text(UndefinedText(limits))), qPrintable(Info()));
                paper = kSkyBlue;
            } else {
                const bool symmetric = limits.upper == -limits.lower;
                const QString half = Text(FormatGeneral(Micrometres(WholeNanometres(limits.upper)).Value()));
                const QStringList want =
                    symmetric ? QStringList(QStringLiteral("±") + half)
                              : QStringList{Text(SignedMicrometres(limits.upper)), Text(SignedMicrometres(limits.lower))};
                QCOMPARE(Strings(deviations), want);
                for (const PaintedText& t : deviations)
                    QCOMPARE(t.colour, symmetric ? clGreen : limits.upper > 0 ? clMaroon : clBlue);
                QCOMPARE(Strings(tolerance), QStringList(Text(ToleranceText(limits))));
                QVERIFY2(Info().contains(Text(SignedMicrometres(limits.upper))), qPrintable(Info()));
                paper = row % 2 != 0 ? kPaleGreen : kWhite;
            }
            const QImage image = Table()->viewport()->grab().toImage();
            for (int col : {1, 2}) {
                const QRect cell = Table()->cellRect(col, row);
                QVERIFY(QRectF(cell).contains(col == 1 ? deviations.first().box : tolerance.first().box));
                QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(2, 2)), paper);
            }
        }
        QCOMPARE(undefined, open);
    }

    void tableFollowsTheSize_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("interval");
        QTest::newRow("1 is in up to 1") << "1" << "До 1 мм";
        QTest::newRow("1,0001") << "1,0001" << "Св. 1 до 3 мм";
        QTest::newRow("100") << "100" << "Св. 80 до 100 мм";
        QTest::newRow("3150") << "3150" << "Св. 2800 до 3150 мм";
    }
    void tableFollowsTheSize()
    {
        QFETCH(QString, size);
        QFETCH(QString, interval);
        Enter(QStringLiteral("H"), QStringLiteral("7"), size);
        const iso286::SizeRange range = *iso286::RangeOf(*IsoSizeCeiling(Size(size)));
        QCOMPARE(iso286::Ranges()[Table()->row() - 1], range);
        QVERIFY2(Info().startsWith(QStringLiteral("H7, ") + interval + u':'), qPrintable(Info()));
        QVERIFY(!Table()->cellRect(1, Table()->row()).isEmpty());
        // A click elsewhere tells about that interval.
        const int other = Table()->row() == 1 ? 2 : Table()->row() - 1;
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->cellRect(2, other).center());
        QCOMPARE(Table()->row(), other);
        QVERIFY(!Info().contains(interval + u':'));
    }

    void columnsShareTheWidth()
    {
        for (const QSize size : {QSize(800, 600), QSize(1200, 700)}) {
            SideWindow<Tfrm_Reference>()->resize(size);
            QTRY_COMPARE(SideWindow<Tfrm_Reference>()->size(), size);
            const int width = Table()->viewport()->width();
            QVERIFY(Table()->cellRect(2, 0).right() < width);
            QVERIFY(Table()->cellRect(2, 0).right() >= width - 4);
        }
    }

    void copyPutsTheFieldOnTheClipboard_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QString>("table");
        QTest::newRow("H7 25") << "H" << "7" << "25" << "Ø25H7(+0,021/0)" << "H7\t25\t0,021\t0\t25,021\t25";
        QTest::newRow("js6 25") << "js" << "6" << "25" << "Ø25js6(±0,0065)"
                                << "js6\t25\t0,0065\t-0,0065\t25,0065\t24,9935";
    }
    void copyPutsTheFieldOnTheClipboard()
    {
        QFETCH(QString, letter);
        QFETCH(QString, grade);
        QFETCH(QString, size);
        QFETCH(QString, drawing);
        QFETCH(QString, table);
        Click(Child(SideWindow<Tfrm_Reference>(), "RefMicrometres"));  // the copy is in millimetres all the same
        Enter(letter, grade, size);
        QGuiApplication::clipboard()->clear();
        Click(Child(SideWindow<Tfrm_Reference>(), "RefCopy"));
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), drawing);
        QCOMPARE(QString::fromUtf8(data->data(kSpreadsheetMimeType)), table);
    }

    void presetFromTheMainWindow_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("grade");
        QTest::newRow("K6 is the shaft k6") << "K6" << "k" << "6";
        QTest::newRow("k7 is the hole K7") << "k7" << "K" << "7";
        QTest::newRow("Js7 is the hole JS7") << "Js7" << "JS" << "7";
    }
    void presetFromTheMainWindow()
    {
        QFETCH(QString, field);
        QFETCH(QString, letter);
        QFETCH(QString, grade);
        SideWindow<Tfrm_Reference>()->close();
        testsupport::ActivateMainWindow();
        SelectRow(field);
        Retype(M().Edit2, QStringLiteral("18"));
        Click(Child(Form1, "LabelReference"));
        QTRY_VERIFY(SideWindow<Tfrm_Reference>()->isVisible());
        QCOMPARE((QStringList{LetterBox()->currentText(), GradeBox()->currentText(), SizeBox()->text()}),
                 (QStringList{letter, grade, "18"}));
        // The same deviations as the main window shows.
        QCOMPARE(Box("RefUpper")->text(), M().Edit3->text());
        QCOMPARE(Box("RefLower")->text(), M().Edit4->text());
    }

    void remembersBetweenShowings()
    {
        Enter(QStringLiteral("ZA"), QStringLiteral("9"), QStringLiteral("77"));
        SideWindow<Tfrm_Reference>()->resize(820, 640);
        SideWindow<Tfrm_Reference>()->move(SideWindow<Tfrm_Reference>()->screen()->availableGeometry().topLeft() + QPoint(20, 50));
        QTRY_COMPARE(SideWindow<Tfrm_Reference>()->size(), QSize(820, 640));
        const QRect where = SideWindow<Tfrm_Reference>()->geometry();
        SideWindow<Tfrm_Reference>()->close();
        testsupport::ActivateMainWindow();
        QTest::keyClick(M().Edit2, Qt::Key_F8);
        QTRY_VERIFY(SideWindow<Tfrm_Reference>()->isVisible());
        QTRY_COMPARE(SideWindow<Tfrm_Reference>()->geometry(), where);
        QCOMPARE((QStringList{LetterBox()->currentText(), GradeBox()->currentText(), SizeBox()->text()}),
                 (QStringList{"ZA", "9", "77"}));
    }

    void everyControlIsNamed()
    {
        int checked = 0;
        for (QWidget* w : SideWindow<Tfrm_Reference>()->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w)
                && !qobject_cast<DrawGrid*>(w))
                continue;
            QVERIFY2(w->objectName().startsWith(QLatin1String("Ref")), qPrintable(w->objectName()));
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            ++checked;
        }
        QCOMPARE(checked, 17);
        QCOMPARE(SideWindow<Tfrm_Reference>()->windowTitle(), QStringLiteral("Справочник ISO 286"));
        QCOMPARE(LetterBox()->count(), 2 * iso286::kLetterCount);
        QCOMPARE(GradeBox()->count(), 20);
    }
};

QTEST_MAIN(ReferenceTest)
#include "test_reference.moc"
