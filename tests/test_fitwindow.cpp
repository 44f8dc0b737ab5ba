// SPDX-License-Identifier: GPL-3.0-or-later
// The fit window driven as a user drives it: typed sizes and fields, picks
// from the lists and the common-fit row, the copy, what it takes over from
// the main window and keeps between showings, and the zone picture as drawn.
#include <QtTest>

#include <QClipboard>
#include <QMimeData>

#include <algorithm>
#include <string>

#include "Catalogue.h"
#include "Clipboard.h"
#include "CopyTexts.h"
#include "FitPicture.h"
#include "FitResult.h"
#include "Texts.h"
#include "Look.h"
#include "NumberText.h"
#include "PaintedTexts.h"
#include "QtTestSupport.h"
#include "frm_Fit_Unit.h"

using testsupport::Child;
using testsupport::ChooseItem;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartWithWindow;
using testsupport::Retype;
using testsupport::SelectRow;
using testsupport::TypeFieldName;

namespace {

QLineEdit* Box(const char* name) { return Child<QLineEdit>(SideWindow<Tfrm_Fit>(), name); }
QLineEdit* SizeBox() { return Box("FitSize"); }
QComboBox* HoleBox() { return Child<QComboBox>(SideWindow<Tfrm_Fit>(), "FitHole"); }
QComboBox* ShaftBox() { return Child<QComboBox>(SideWindow<Tfrm_Fit>(), "FitShaft"); }
FitPicture* Picture() { return Child<FitPicture>(SideWindow<Tfrm_Fit>(), "FitPicture"); }

const char* const kSideBoxes[] = {"Upper", "Lower", "Max", "Min", "Tolerance"};
const char* const kFigureBoxes[] = {"First", "Second", "Mean", "FitTolerance"};
const QString kNoData = QStringLiteral("нет данных");

QString Text(const std::string& s) { return QString::fromStdString(s); }

Millimetres Size(const QString& size) { return Millimetres(*ReadDecimalText(size.toStdString())); }

std::string SignedMicrometres(iso286::Nanometres nm)
{
    return SignedDeviation(Micrometres(WholeNanometres(nm)), DeviationUnit::Micrometres).text;
}

iso286::Field Iso(const QString& name) { return *iso286::ParseField(name.toStdString()); }

// Size and both fields as a user enters them.
void Enter(const QString& size, const QString& hole, const QString& shaft)
{
    Retype(SizeBox(), size);
    TypeFieldName(HoleBox(), hole);
    TypeFieldName(ShaftBox(), shaft);
}

// The boxes against the engine's texts for the fit at that size.
void CompareWithEngine(const iso286::Field& hole, const iso286::Field& shaft, const QString& size, DeviationUnit unit)
{
    const FitResult fit = IsoFit(hole, shaft, Size(size));
    for (const auto& [side, result] : {std::pair{"Hole", &fit.hole}, std::pair{"Shaft", &fit.shaft}}) {
        const FieldTexts shown = WriteFieldTexts(*result, unit, Rounding::AsIs);
        const std::string texts[] = {shown.upper.text, shown.lower.text, shown.results.max, shown.results.min,
                                     shown.tolerance};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(Box(qPrintable(QStringLiteral("Fit%1%2").arg(side, kSideBoxes[i])))->text(), Text(texts[i]));
    }
    const FitFigures figures = FitFiguresOf(fit);
    const FitFigure* rows[] = {&figures.first, &figures.second, &figures.mean, &figures.tolerance};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Child<QLabel>(SideWindow<Tfrm_Fit>(), qPrintable(QStringLiteral("Fit%1Name").arg(kFigureBoxes[i])))->text(),
                 Text(rows[i]->name + " " + rows[i]->symbol));
        QCOMPARE(Box(qPrintable(QStringLiteral("Fit%1Um").arg(kFigureBoxes[i])))->text(), Text(rows[i]->um));
        QCOMPARE(Box(qPrintable(QStringLiteral("Fit%1Mm").arg(kFigureBoxes[i])))->text(), Text(rows[i]->mm));
    }
    QCOMPARE(Box("FitKind")->text(), fit.defined ? Text(FitKindText(fit.analysis.kind)) : QStringLiteral("не определено"));
}

QStringList ItemTexts(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList Names(const std::vector<iso286::Field>& fields)
{
    QStringList names;
    for (const iso286::Field& f : fields)
        names << Text(iso286::FieldName(f));
    return names;
}

// Rows and columns a colour takes in a picture, exactly that colour.
struct Extent {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    bool found() const { return right >= 0; }
};
Extent ExtentOf(const QImage& image, const QColor& colour)
{
    Extent e;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

// The row with the most black pixels: the zero line.
int ZeroLineRow(const QImage& image)
{
    int best = -1, most = 0;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == QColor(Qt::black);
        if (n > most) {
            most = n;
            best = y;
        }
    }
    return best;
}

}  // namespace

class FitWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartWithWindow<Tfrm_Fit>(Qt::Key_F7);
    }
    void cleanupTestCase() { DestroyForms(); }

    void typedFitAgreesWithTheEngine_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QString>("shownSize");
        QTest::addColumn<QStringList>("spots");  // hole's upper, shaft's lower, first figure (µm), kind
        QTest::newRow("H7/g6 25") << "25" << "H7" << "g6" << false << "25"
                                  << QStringList{"+0,021", "-0,02", "41", "с зазором"};
        QTest::newRow("H7/k6 25 in µm") << "25" << "H7" << "k6" << true << "25"
                                        << QStringList{"+21", "+2", "19", "переходная"};
        QTest::newRow("H7/s6 25") << "25" << "H7" << "s6" << false << "25"
                                  << QStringList{"+0,021", "+0,035", "48", "с натягом"};
        QTest::newRow("Js7 typed as the hole") << "7" << "Js7" << "h6" << false << "7"
                                               << QStringList{"+0,007", "-0,009", "16", "переходная"};
        QTest::newRow("a dot types a comma") << "25.5" << "F8" << "h7" << false << "25,5"
                                             << QStringList{"+0,053", "-0,021", "74", "с зазором"};
        QTest::newRow("H18/h18 3000") << "3000" << "H18" << "h18" << true << "3000"
                                      << QStringList{"+33000", "-33000", "66000", "с зазором"};
    }
    void typedFitAgreesWithTheEngine()
    {
        QFETCH(QString, size);
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        QFETCH(bool, micrometres);
        QFETCH(QString, shownSize);
        QFETCH(QStringList, spots);
        if (micrometres)
            Click(Child(SideWindow<Tfrm_Fit>(), "FitMicrometres"));
        Enter(size, hole, shaft);
        QCOMPARE(SizeBox()->text(), shownSize);
        QCOMPARE(TextColour(SizeBox()), clWindowText());
        QCOMPARE((QStringList{Box("FitHoleUpper")->text(), Box("FitShaftLower")->text(), Box("FitFirstUm")->text(),
                              Box("FitKind")->text()}),
                 spots);
        CompareWithEngine(*ReadFieldText(hole.toStdString(), iso286::Side::Hole), Iso(shaft), shownSize,
                          micrometres ? DeviationUnit::Micrometres : DeviationUnit::Millimetres);
        QCOMPARE(Child<QLabel>(SideWindow<Tfrm_Fit>(), "FitReason")->text(), QString());
        QVERIFY(Child(SideWindow<Tfrm_Fit>(), "FitCopy")->isEnabled());
    }

    void keysOfTheSizeBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("dot") << "12.5" << "12,5";
        QTest::newRow("letters dropped") << "1a2b" << "12";
        QTest::newRow("exponent dropped") << "1e5" << "15";
        QTest::newRow("blank dropped") << "3 4" << "34";
        QTest::newRow("signs and comma pass") << "+-,7" << "+-,7";
        QTest::newRow("Cyrillic dropped") << "2б0ю" << "20";
    }
    void keysOfTheSizeBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Retype(SizeBox(), QString());
        // A character at a time, Cyrillic included.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, SizeBox(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(SizeBox()->text(), shown);
    }

    // Input that is no number or no field, and fits the standard leaves open.
    void whatCannotBeShown_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::addColumn<QString>("red");     // the box that turns red, "" for none
        QTest::addColumn<QString>("reason");  // the start of the reason shown
        QTest::addColumn<QString>("holeUpper");
        QTest::newRow("size no number") << "2,,5" << "H7" << "g6" << "FitSize" << "Размер — не число" << kNoData;
        QTest::newRow("shaft in the hole box") << "25" << "g6" << "g6" << "FitHole"
                                               << "Поле отверстия не распознано: «g6»"
                                               << kNoData;
        QTest::newRow("hole in the shaft box") << "25" << "H7" << "H7" << "FitShaft" << "Поле вала не распознано: «H7»"
                                               << kNoData;
        QTest::newRow("a11 up to 1 mm") << "0,5" << "H7" << "a11" << "" << "*" << "+0,01";
        QTest::newRow("above 3150 mm") << "4000" << "H7" << "g6" << "" << "*" << kNoData;
        QTest::newRow("IT01 above 500 mm") << "600" << "H7" << "h01" << "" << "*" << "+0,07";
    }
    void whatCannotBeShown()
    {
        QFETCH(QString, size);
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        QFETCH(QString, red);
        QFETCH(QString, reason);
        QFETCH(QString, holeUpper);
        Enter(size, hole, shaft);
        for (const char* name : {"FitSize", "FitHole", "FitShaft"})
            QCOMPARE(TextColour(Child(SideWindow<Tfrm_Fit>(), name)) == clRed, red == QLatin1String(name));
        const QString shownReason = Child<QLabel>(SideWindow<Tfrm_Fit>(), "FitReason")->text();
        if (reason.startsWith(u'*')) {
            // The fields are read: the engine says why it defines nothing.
            const FitResult fit = IsoFit(Iso(hole), Iso(shaft), Size(size));
            QVERIFY(!fit.defined);
            QVERIFY2(shownReason.contains(Text(FitReasonText(fit))), qPrintable(shownReason));
            QCOMPARE(Box("FitKind")->text(), QStringLiteral("не определено"));
        } else {
            QVERIFY2(shownReason.startsWith(reason), qPrintable(shownReason));
            // One word for a fit that cannot be given, whatever the cause.
            QCOMPARE(Box("FitKind")->text(), QStringLiteral("не определено"));
        }
        QCOMPARE(Box("FitHoleUpper")->text(), holeUpper);
        // The picture draws the hole's zone only where the hole has one.
        const QImage image = Picture()->grab().toImage();
        QCOMPARE(ExtentOf(image, KindColour(FieldKind::Hole)).found(), holeUpper != kNoData);
        QVERIFY(!ExtentOf(image, KindColour(FieldKind::Shaft)).found());
        for (const char* name : {"FitShaftUpper", "FitFirstUm", "FitSecondMm", "FitMeanUm", "FitFitToleranceMm"})
            QCOMPARE(Box(name)->text(), kNoData);
        QVERIFY(!Child(SideWindow<Tfrm_Fit>(), "FitCopy")->isEnabled());
    }

    // The lists hold what the engine defines at the size, and a pick from
    // them is taken at once.
    void fieldListsFollowTheSize_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::newRow("0,5") << "0,5" << "H01" << "js13";
        QTest::newRow("8") << "8" << "CD6" << "zc11";
        QTest::newRow("600") << "600" << "JS7" << "d9";
        QTest::newRow("3150") << "3150" << "U18" << "h18";
    }
    void fieldListsFollowTheSize()
    {
        QFETCH(QString, size);
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        Retype(SizeBox(), size);
        const int ceiling = *IsoSizeCeiling(Size(size));
        QCOMPARE(ItemTexts(HoleBox()), Names(iso286::DefinedFields(iso286::Side::Hole, ceiling)));
        QCOMPARE(ItemTexts(ShaftBox()), Names(iso286::DefinedFields(iso286::Side::Shaft, ceiling)));
        ChooseItem(HoleBox(), hole);
        ChooseItem(ShaftBox(), shaft);
        CompareWithEngine(Iso(hole), Iso(shaft), size, DeviationUnit::Millimetres);
    }

    void commonFitsOneClick_data()
    {
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::addColumn<QString>("kind");
        QTest::newRow("H7/g6") << "H7" << "g6" << "с зазором";
        QTest::newRow("H7/h6") << "H7" << "h6" << "с зазором";
        QTest::newRow("H7/js6") << "H7" << "js6" << "переходная";
        QTest::newRow("H7/k6") << "H7" << "k6" << "переходная";
        QTest::newRow("H7/n6") << "H7" << "n6" << "переходная";
        QTest::newRow("H7/p6") << "H7" << "p6" << "с натягом";
        QTest::newRow("H7/s6") << "H7" << "s6" << "с натягом";
        QTest::newRow("H8/f7") << "H8" << "f7" << "с зазором";
        QTest::newRow("H8/h7") << "H8" << "h7" << "с зазором";
        QTest::newRow("H9/d9") << "H9" << "d9" << "с зазором";
        QTest::newRow("H11/c11") << "H11" << "c11" << "с зазором";
    }
    void commonFitsOneClick()
    {
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        QFETCH(QString, kind);
        Retype(SizeBox(), QStringLiteral("25"));
        auto* button = Child<QAbstractButton>(SideWindow<Tfrm_Fit>(), qPrintable(QStringLiteral("FitCommon_%1_%2").arg(hole, shaft)));
        QCOMPARE(button->text(), hole + u'/' + shaft);
        Click(button);
        QCOMPARE(HoleBox()->currentText(), hole);
        QCOMPARE(ShaftBox()->currentText(), shaft);
        QCOMPARE(Box("FitKind")->text(), kind);
        CompareWithEngine(Iso(hole), Iso(shaft), QStringLiteral("25"), DeviationUnit::Millimetres);
    }

    void copyPutsTheFitOnTheClipboard_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::addColumn<QString>("drawing");
        QTest::newRow("H7/g6") << "25" << "H7" << "g6" << "Ø25H7/g6\nSmax = 0,041; Smin = 0,007 (с зазором)";
        QTest::newRow("Js7/h6 at 7,0") << "7,0" << "Js7" << "h6" << "Ø7JS7/h6\nSmax = 0,016; Nmax = 0,007 (переходная)";
    }
    void copyPutsTheFitOnTheClipboard()
    {
        QFETCH(QString, size);
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        QFETCH(QString, drawing);
        Enter(size, hole, shaft);
        QGuiApplication::clipboard()->clear();
        Click(Child(SideWindow<Tfrm_Fit>(), "FitCopy"));
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), drawing);
        const ClipboardTexts expected =
            *FitCopy(IsoFit(*ReadFieldText(hole.toStdString(), iso286::Side::Hole), Iso(shaft), Size(size)));
        QCOMPARE(data->data(kSpreadsheetMimeType), QByteArray::fromStdString(expected.table));
        QCOMPARE(data->data(kSpreadsheetMimeType).count('\t'), 9);
    }

    // A hole of the main window is tried with h6, a shaft with H7; the size comes along.
    void presetFromTheMainWindow_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("hole");
        QTest::addColumn<QString>("shaft");
        QTest::newRow("H9") << "H9" << "5" << "H9" << "h6";
        QTest::newRow("K6 is the shaft k6") << "K6" << "25" << "H7" << "k6";
        QTest::newRow("k7 is the hole K7") << "k7" << "40" << "K7" << "h6";
        QTest::newRow("Js6 is the shaft js6") << "Js6" << "3" << "H7" << "js6";
    }
    void presetFromTheMainWindow()
    {
        QFETCH(QString, field);
        QFETCH(QString, size);
        QFETCH(QString, hole);
        QFETCH(QString, shaft);
        SideWindow<Tfrm_Fit>()->close();
        testsupport::ActivateMainWindow();
        SelectRow(field);
        Retype(M().Edit2, size);
        QTest::keyClick(M().Edit2, Qt::Key_F7);
        QTRY_VERIFY(SideWindow<Tfrm_Fit>()->isVisible());
        QCOMPARE(SizeBox()->text(), size);
        QCOMPARE(HoleBox()->currentText(), hole);
        QCOMPARE(ShaftBox()->currentText(), shaft);
        CompareWithEngine(Iso(hole), Iso(shaft), size, DeviationUnit::Millimetres);
    }

    // Closed and opened again, the window is where it was with what it held,
    // until the main window stands on another field or size.
    void remembersBetweenShowings()
    {
        Enter(QStringLiteral("40"), QStringLiteral("F8"), QStringLiteral("h7"));
        SideWindow<Tfrm_Fit>()->resize(720, 660);
        SideWindow<Tfrm_Fit>()->move(SideWindow<Tfrm_Fit>()->screen()->availableGeometry().topLeft() + QPoint(40, 30));
        QTRY_COMPARE(SideWindow<Tfrm_Fit>()->size(), QSize(720, 660));
        const QRect where = SideWindow<Tfrm_Fit>()->geometry();
        SideWindow<Tfrm_Fit>()->close();
        testsupport::ActivateMainWindow();
        Tfrm_Fit* const window = SideWindow<Tfrm_Fit>();
        QTest::keyClick(M().Edit2, Qt::Key_F7);
        QCOMPARE(SideWindow<Tfrm_Fit>(), window);
        QTRY_VERIFY(SideWindow<Tfrm_Fit>()->isVisible());
        QTRY_COMPARE(SideWindow<Tfrm_Fit>()->geometry(), where);
        QCOMPARE(SizeBox()->text(), QStringLiteral("40"));
        QCOMPARE(HoleBox()->currentText(), QStringLiteral("F8"));

        SideWindow<Tfrm_Fit>()->close();
        SelectRow(QStringLiteral("S7"));
        Click(Child(Form1, "LabelFit"));
        QTRY_VERIFY(SideWindow<Tfrm_Fit>()->isVisible());
        QCOMPARE(SizeBox()->text(), QStringLiteral("5"));
        QCOMPARE((QStringList{HoleBox()->currentText(), ShaftBox()->currentText()}), (QStringList{"H7", "s7"}));
        QTRY_COMPARE(SideWindow<Tfrm_Fit>()->geometry(), where);
    }

    void everyControlIsNamed()
    {
        int checked = 0;
        for (QWidget* w : SideWindow<Tfrm_Fit>()->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(w->parentWidget()) || !w->isVisible())
                continue;  // a drop-down box's own line edit
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w)
                && !qobject_cast<FitPicture*>(w))
                continue;
            QVERIFY2(w->objectName().startsWith(QLatin1String("Fit")), qPrintable(w->objectName()));
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 30);
        QCOMPARE(SideWindow<Tfrm_Fit>()->windowTitle(), QStringLiteral("Посадка"));
    }

    // The zones on the rendered picture: edges within a pixel of the
    // deviations on one scale, the zero line where that scale puts 0, the mid
    // lines half-way, and both zones with a margin inside the picture.
    void pictureToScale_data()
    {
        QTest::addColumn<QString>("shaft");
        QTest::addColumn<QSize>("window");
        for (const char* shaft : {"g6", "k6", "s6"})
            for (const QSize size : {QSize(600, 620), QSize(1100, 800)})
                QTest::addRow("H7/%s in %dx%d", shaft, size.width(), size.height()) << shaft << size;
    }
    void pictureToScale()
    {
        QFETCH(QString, shaft);
        QFETCH(QSize, window);
        Enter(QStringLiteral("25"), QStringLiteral("H7"), shaft);
        SideWindow<Tfrm_Fit>()->resize(window);
        QTRY_COMPARE(SideWindow<Tfrm_Fit>()->size(), window);
        // The picture takes what the figures leave: a quarter of the narrow
        // default window, a third and more of a wide one.
        QVERIFY(Picture()->width() > window.width() / (window.width() < 800 ? 4 : 3));
        const QImage image = Picture()->grab().toImage();

        const iso286::FieldLimits hole = iso286::LimitsOf(Iso(QStringLiteral("H7")), 25);
        const iso286::FieldLimits shaftLimits = iso286::LimitsOf(Iso(shaft), 25);
        const double high = std::max({0LL, hole.upper, shaftLimits.upper});
        const double low = std::min({0LL, hole.lower, shaftLimits.lower});
        const Extent h = ExtentOf(image, KindColour(FieldKind::Hole));
        const Extent s = ExtentOf(image, KindColour(FieldKind::Shaft));
        QVERIFY(h.found() && s.found());
        QVERIFY(h.right < s.left);  // hole left, shaft right
        const int top = std::min(h.top, s.top), bottom = std::max(h.bottom, s.bottom);
        QVERIFY(top >= 10 && bottom <= image.height() - 10);
        QVERIFY(bottom - top >= image.height() / 2);
        const auto rowOf = [&](double nm) { return top + (high - nm) * (bottom - top) / (high - low); };
        const auto near = [](int row, double expected) { return std::abs(row - expected) <= 1.0; };
        QVERIFY2(near(h.top, rowOf(hole.upper)), qPrintable(QString::number(h.top)));
        QVERIFY2(near(h.bottom, rowOf(hole.lower)), qPrintable(QString::number(h.bottom)));
        QVERIFY2(near(s.top, rowOf(shaftLimits.upper)), qPrintable(QString::number(s.top)));
        QVERIFY2(near(s.bottom, rowOf(shaftLimits.lower)), qPrintable(QString::number(s.bottom)));
        QVERIFY2(near(ZeroLineRow(image), rowOf(0)), qPrintable(QString::number(ZeroLineRow(image))));
        // Only the mid line reaches past its zone's side.
        for (const auto& [extent, limits, colour] :
             {std::tuple{h, hole, KindColour(FieldKind::Hole)},
              std::tuple{s, shaftLimits, KindColour(FieldKind::Shaft)}}) {
            QList<int> rows;
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(extent.left, y) == colour)
                    rows << y;
            QCOMPARE(rows.size(), 1);
            QVERIFY(near(rows.first(), rowOf((limits.upper + limits.lower) / 2.0)));
        }

        // Names and deviations are written, and nothing is cut off.
        TextRecorder recorder(Picture()->size());
        Picture()->render(&recorder);
        QStringList texts = Strings(recorder.texts);
        for (const std::string& label : {std::string("H7"), shaft.toStdString(), SignedMicrometres(hole.upper),
                                         SignedMicrometres(hole.lower), SignedMicrometres(shaftLimits.upper),
                                         SignedMicrometres(shaftLimits.lower)}) {
            QVERIFY2(texts.contains(Text(label)), qPrintable(Text(label) + " in " + texts.join(' ')));
            texts.removeOne(Text(label));
        }
        for (const PaintedText& t : recorder.texts)
            QVERIFY2(QRectF(Picture()->rect()).contains(t.box), qPrintable(t.text));
    }

    void pictureNamesWhatIsNotDefined()
    {
        Enter(QStringLiteral("0,5"), QStringLiteral("H7"), QStringLiteral("a11"));
        const QImage image = Picture()->grab().toImage();
        QVERIFY(ExtentOf(image, KindColour(FieldKind::Hole)).found());
        QVERIFY(!ExtentOf(image, KindColour(FieldKind::Shaft)).found());
        TextRecorder recorder(Picture()->size());
        Picture()->render(&recorder);
        QVERIFY(Strings(recorder.texts).contains(QStringLiteral("не определено")));
    }
};

QTEST_MAIN(FitWindowTest)
#include "test_fitwindow.moc"
