// SPDX-License-Identifier: GPL-3.0-or-later
// «Подбор» driven as a user drives it, through its object names: a drawing's
// text pasted, deviations typed in either unit, a clearance or interference
// window, the rows against the core's searches, double-click and Enter into
// the reference and fit windows, the copy, and every control named and
// reached by the keyboard.
#include <QtTest>

#include <QClipboard>
#include <QMimeData>
#include <QTabWidget>
#include <QTableWidget>

#include <set>
#include <string>

#include "Catalogue.h"
#include "CopyTexts.h"
#include "FieldResult.h"
#include "FieldSearch.h"
#include "FitSearch.h"
#include "NumberText.h"
#include "QtTestSupport.h"
#include "SelectionWindow.h"
#include "Texts.h"
#include "frm_Fit_Unit.h"
#include "frm_Reference_Unit.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartWithWindow;
using testsupport::Retype;

namespace {

SelectionWindow* Window() { return Form1->findChild<SelectionWindow*>(); }
QLineEdit* Box(const char* name) { return Child<QLineEdit>(Window(), name); }
QTableWidget* Table(const char* name) { return Child<QTableWidget>(Window(), name); }
QLabel* Label(const char* name) { return Child<QLabel>(Window(), name); }
QComboBox* Combo(const char* name) { return Child<QComboBox>(Window(), name); }

QStringList Column(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, column)->text();
    return texts;
}

Millimetres Size(const QString& text) { return Millimetres(*ReadDecimalText(text.toStdString())); }
Micrometres Um(long long whole) { return Micrometres(ExactDecimal(whole, 0)); }

void ShowFitPage()
{
    Child<QTabWidget>(Window(), "SelPages")->setCurrentIndex(1);
}

// Replaces a box's text as pasted: the whole text at once.
void Paste(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    box->insert(text);
}

}  // namespace

class SelectionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartWithWindow<SelectionWindow>(Qt::Key_F9);
        QGuiApplication::clipboard()->setText(QStringLiteral("до копирования"));
    }
    void cleanupTestCase() { DestroyForms(); }

    // One window, beside the main one and narrow enough for it.
    void opensOnceBySizeOfTheMainWindow()
    {
        QCOMPARE(Window()->windowTitle(), QStringLiteral("Подбор"));
        QVERIFY(Window()->frameGeometry().width() <= 620);
        QTest::keyClick(M().Edit2, Qt::Key_F9);
        QCOMPARE(Form1->findChildren<SelectionWindow*>().size(), qsizetype(1));
        // The main window's size of the moment is taken over: 5 at start.
        QCOMPARE(Box("SelFieldSize")->text(), QStringLiteral("5"));
        QCOMPARE(Box("SelFitSize")->text(), QStringLiteral("5"));
    }

    void presetTakesOnlyIsoSizes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");
        QTest::newRow("40") << "40" << "40";
        QTest::newRow("3150") << "3150" << "3150";
        QTest::newRow("3151 is none") << "3151" << "5";
        QTest::newRow("not a number") << "4,,0" << "5";
    }
    void presetTakesOnlyIsoSizes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        Window()->close();
        testsupport::ActivateMainWindow();
        M().CheckBox1->setChecked(true);  // manual entry takes any text
        Retype(M().Edit2, typed);
        QTest::keyClick(M().Edit2, Qt::Key_F9);
        QTRY_VERIFY(Window()->isVisible());
        QCOMPARE(Box("SelFieldSize")->text(), taken);
        QCOMPARE(Box("SelFitSize")->text(), taken);
    }

    void everyControlNamedAndReachedByTab()
    {
        const QList<QWidget*> all = Window()->findChildren<QWidget*>();
        std::set<QWidget*> controls;
        for (QWidget* w : all) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w)
                && !qobject_cast<QTableWidget*>(w) && !qobject_cast<QTabWidget*>(w))
                continue;
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parent()))
                continue;  // a combo box's own line edit
            if (w->parent() && w->parent()->inherits("QTableCornerButton"))
                continue;
            if (w->inherits("QTableCornerButton") || w->inherits("QTabBar") || w->inherits("QToolButton"))
                continue;  // parts of the table and the tab widget
            QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (w->isVisible() && w->focusPolicy() & Qt::TabFocus)
                controls.insert(w);
        }
        // Tab from the first box visits every visible control of the page.
        for (int page = 0; page < 2; ++page) {
            Child<QTabWidget>(Window(), "SelPages")->setCurrentIndex(page);
            QWidget* first = page == 0 ? static_cast<QWidget*>(Box("SelDrawing")) : Box("SelFitSize");
            first->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), first);
            std::set<QWidget*> reached;
            for (int i = 0; i < 40; ++i) {
                reached.insert(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            for (QWidget* w : Window()->findChildren<QWidget*>()) {
                if (!w->isVisible() || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
                    continue;
                if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parent()))
                    continue;
                if (qobject_cast<QRadioButton*>(w))
                    continue;  // a group of radio buttons takes one stop, its arrows the rest
                if (qobject_cast<QTabWidget*>(w))
                    continue;  // its tab bar takes the focus
                QVERIFY2(reached.count(w), qPrintable(w->objectName()));
            }
        }
    }

    // A drawing's text fills the boxes and finds its field.
    void drawingText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("micrometres");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("summary");
        QTest::newRow("Ø25+0,021") << "Ø25+0,021" << false << "25" << "+0,021" << "0" << "H7"
                                   << "Совпадает: H7. Дальше — ближайшие поля.";
        QTest::newRow("two minus signs") << "40 −0,025 −0,050" << false << "40" << "-0,025" << "-0,05" << "R7"
                                         << "Совпадают: R7, f7. Дальше — ближайшие поля.";
        QTest::newRow("in µm") << "Ø25±0,0065" << true << "25" << "+6,5" << "-6,5" << "JS6"
                               << "Совпадают: JS6, js6. Дальше — ближайшие поля.";
        QTest::newRow("none exact") << "Ø25 +0,022 +0,001" << false << "25" << "+0,022" << "+0,001" << "H7"
                                    << "Точного совпадения нет. Ближайшие поля — по наибольшей из разностей:";
    }
    void drawingText()
    {
        QFETCH(QString, text);
        QFETCH(bool, micrometres);
        QFETCH(QString, size);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, first);
        QFETCH(QString, summary);
        Child<QCheckBox>(Window(), "SelMicrometres")->setChecked(micrometres);
        Paste(Box("SelDrawing"), text);
        QCOMPARE(Label("SelDrawingReason")->text(), QString());
        QCOMPARE(Box("SelFieldSize")->text(), size);
        QCOMPARE(Box("SelUpper")->text(), upper);
        QCOMPARE(Box("SelLower")->text(), lower);
        QCOMPARE(Label("SelFieldSummary")->text(), summary);
        QTableWidget* table = Table("SelFields");
        QCOMPARE(table->item(0, 0)->text(), first);
        QCOMPARE(table->currentRow(), 0);
        // The rows: the core's exact fields, then its nearest ten, each as the
        // boxes write deviations.
        const DrawingReading read = ReadDrawingDeviations(text.toStdString());
        const FieldSearch found = FindFields(read.deviations->size, SearchSide::Either, Micrometres(read.deviations->upper),
                                             Micrometres(read.deviations->lower));
        std::vector<FieldMatch> want = found.exact;
        want.insert(want.end(), found.nearest.begin(), found.nearest.begin() + 10);
        QCOMPARE(table->rowCount(), int(want.size()));
        const DeviationUnit unit = micrometres ? DeviationUnit::Micrometres : DeviationUnit::Millimetres;
        for (int row = 0; row < table->rowCount(); ++row) {
            const FieldMatch& m = want[size_t(row)];
            const auto shown = [unit](iso286::Nanometres nm) {
                return QString::fromStdString(SignedDeviation(Micrometres(WholeNanometres(nm)), unit).text);
            };
            QCOMPARE(table->item(row, 0)->text(), QString::fromStdString(iso286::FieldName(m.field)));
            QCOMPARE(table->item(row, 1)->text(), shown(m.upper));
            QCOMPARE(table->item(row, 2)->text(), shown(m.lower));
            QCOMPARE(table->item(row, 3)->text(), m.Exact() ? QStringLiteral("совпадает") : shown(m.diffUpper));
            QCOMPARE(table->item(row, 4)->text(), m.Exact() ? QStringLiteral("совпадает") : shown(m.diffLower));
        }
    }

    void drawingTextNotRead()
    {
        const QStringList before = Column(Table("SelFields"), 0);
        Paste(Box("SelDrawing"), QStringLiteral("Ø25 H7"));
        QVERIFY(Label("SelDrawingReason")->text().startsWith(QStringLiteral("После размера стоит поле допуска")));
        // The boxes and the rows stay as they were.
        QCOMPARE(Box("SelUpper")->text(), QStringLiteral("+0,021"));
        QCOMPARE(Column(Table("SelFields"), 0), before);
        Paste(Box("SelDrawing"), QString());
        QCOMPARE(Label("SelDrawingReason")->text(), QString());
    }

    void typedDeviationsSideAndUnit()
    {
        Retype(Box("SelFieldSize"), QStringLiteral("5"));
        Retype(Box("SelUpper"), QStringLiteral("0"));
        Retype(Box("SelLower"), QStringLiteral("-0.012"));  // the point types a comma
        QCOMPARE(Box("SelLower")->text(), QStringLiteral("-0,012"));
        QCOMPARE(Label("SelFieldSummary")->text(), QStringLiteral("Совпадают: M7, h7. Дальше — ближайшие поля."));
        Click(Child<QRadioButton>(Window(), "SelShafts"));
        QCOMPARE(Column(Table("SelFields"), 0).first(), QStringLiteral("h7"));
        // The lengths stay, the unit changes.
        Click(Child<QCheckBox>(Window(), "SelMicrometres"));
        QCOMPARE(Box("SelLower")->text(), QStringLiteral("-12"));
        QCOMPARE(Box("SelUpper")->text(), QStringLiteral("0"));
        QCOMPARE(Table("SelFields")->horizontalHeaderItem(1)->text(), QStringLiteral("Верхнее, мкм"));
        QCOMPARE(Table("SelFields")->item(0, 2)->text(), QStringLiteral("-12"));
        Retype(Box("SelUpper"), QStringLiteral("x"));
        QCOMPARE(Label("SelFieldSummary")->text(), QStringLiteral("Верхнее отклонение — не число."));
        QCOMPARE(Table("SelFields")->rowCount(), 0);
        Retype(Box("SelUpper"), QStringLiteral("-14"));
        QVERIFY(Label("SelFieldSummary")->text().endsWith(QStringLiteral("Верхним взято большее отклонение.")));
    }

    // The fit page against the core's search, in both senses.
    void fitWindow_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("sense");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<int>("system");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("summary");
        QTest::newRow("10..60 recommended") << "25" << 0 << "10" << "60" << 0 << 1 << "Подходит посадок: 1.";
        QTest::newRow("10..60 all") << "25" << 0 << "10" << "60" << 2 << 2
                                    << "Подходит посадок: 3002; показаны первые 200.";
        QTest::newRow("interference 20..60") << "25" << 1 << "20" << "60" << 0 << 1 << "Подходит посадок: 2.";
        QTest::newRow("at least 500 µm") << "25" << 0 << "500" << "" << 1 << 0 << "Ни одна посадка не подходит.";
        QTest::newRow("at most N 5, shaft basis") << "40" << 1 << "" << "5" << 1 << 2 << "Подходит посадок: 3340; показаны первые 200.";
    }
    void fitWindow()
    {
        QFETCH(QString, size);
        QFETCH(int, sense);
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(int, system);
        QFETCH(int, from);
        QFETCH(QString, summary);
        ShowFitPage();
        Combo("SelSense")->setCurrentIndex(sense);
        Combo("SelSystem")->setCurrentIndex(system);
        Combo("SelCandidates")->setCurrentIndex(from);
        Retype(Box("SelFitSize"), size);
        Retype(Box("SelMin"), low);
        Retype(Box("SelMax"), high);
        QCOMPARE(Label("SelFitSummary")->text(), summary);
        const bool n = sense == 1;
        QCOMPARE(Label("SelMinLabel")->text().remove(u'&'), n ? QStringLiteral("Nmin, мкм:") : QStringLiteral("Smin, мкм:"));
        QCOMPARE(Table("SelFits")->horizontalHeaderItem(1)->text(), n ? QStringLiteral("Nmin, мкм") : QStringLiteral("Smin, мкм"));

        ClearanceWindow window;
        const std::optional<Micrometres> typedLow = low.isEmpty() ? std::nullopt : std::optional(Um(low.toLongLong()));
        const std::optional<Micrometres> typedHigh = high.isEmpty() ? std::nullopt : std::optional(Um(high.toLongLong()));
        if (n) {
            if (typedHigh)
                window.min = -*typedHigh;
            if (typedLow)
                window.max = -*typedLow;
        } else {
            window = {typedLow, typedHigh};
        }
        const FitSystem systems[] = {FitSystem::HoleBasis, FitSystem::ShaftBasis, FitSystem::Any};
        const FitCandidates froms[] = {FitCandidates::Preferred, FitCandidates::Recommended, FitCandidates::All};
        const FitSearch found = FindFits(Size(size), window, systems[system], froms[from], 200);
        QTableWidget* table = Table("SelFits");
        QCOMPARE(table->rowCount(), int(found.fits.size()));
        const auto um = [](iso286::Nanometres nm) {
            return QString::fromStdString(LengthText(Micrometres(WholeNanometres(nm)), DeviationUnit::Micrometres));
        };
        for (int row = 0; row < table->rowCount(); ++row) {
            const FitMatch& m = found.fits[size_t(row)];
            QCOMPARE(table->item(row, 0)->text(),
                     QString::fromStdString(iso286::FieldName(m.hole) + "/" + iso286::FieldName(m.shaft)));
            QCOMPARE(table->item(row, 1)->text(), n ? um(-m.maxClearance) : um(m.minClearance));
            QCOMPARE(table->item(row, 2)->text(), n ? um(-m.minClearance) : um(m.maxClearance));
            QCOMPARE(table->item(row, 3)->text(), QString::fromUtf8(FitKindText(m.kind)));
            QCOMPARE(table->item(row, 4)->text(), QString::fromUtf8(StandingText(m.standing)));
            // Margins: what is left to each typed bound, never negative.
            for (int column : {5, 6}) {
                const QString margin = table->item(row, column)->text();
                const QString& bound = column == 5 ? low : high;
                QVERIFY2(bound.isEmpty() ? margin == QStringLiteral("—") : !margin.startsWith(u'-'), qPrintable(margin));
            }
        }
    }

    void fitMargins()
    {
        ShowFitPage();
        Retype(Box("SelFitSize"), QStringLiteral("25"));
        Retype(Box("SelMin"), QStringLiteral("5"));
        Retype(Box("SelMax"), QStringLiteral("45"));
        Combo("SelCandidates")->setCurrentIndex(0);
        // H7/g6 at 25 mm: 7..41 µm, 2 and 4 µm inside the bounds.
        const QStringList names = Column(Table("SelFits"), 0);
        const int row = int(names.indexOf(QStringLiteral("H7/g6")));
        QVERIFY(row >= 0);
        QCOMPARE(Table("SelFits")->item(row, 5)->text(), QStringLiteral("+2"));
        QCOMPARE(Table("SelFits")->item(row, 6)->text(), QStringLiteral("+4"));
        Combo("SelSense")->setCurrentIndex(1);
        Retype(Box("SelMin"), QStringLiteral("60"));
        QCOMPARE(Label("SelFitSummary")->text(), QStringLiteral("Nmin больше Nmax."));
        QCOMPARE(Table("SelFits")->rowCount(), 0);
        Paste(Box("SelMin"), QStringLiteral("a"));
        QCOMPARE(Label("SelFitSummary")->text(), QStringLiteral("Nmin — не число."));
    }

    // Double-click or Enter: the field in the reference window, the fit in
    // the fit window, at the size searched.
    void openInTheOtherWindows()
    {
        Paste(Box("SelDrawing"), QStringLiteral("Ø40 -0,025 -0,050"));
        QTableWidget* fields = Table("SelFields");
        QCOMPARE(fields->item(1, 0)->text(), QStringLiteral("f7"));
        const QRect cell = fields->visualItemRect(fields->item(1, 0));
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(fields->viewport(), Qt::LeftButton, {}, cell.center());
        auto* reference = Form1->findChild<Tfrm_Reference*>();
        QVERIFY(reference);
        QTRY_VERIFY(reference->isVisible());
        QCOMPARE(QString::fromStdString(iso286::FieldName(reference->ChosenField())), QStringLiteral("f7"));
        QCOMPARE(Child<QLineEdit>(reference, "RefSize")->text(), QStringLiteral("40"));
        // Asked for again after a change there, it shows the field again.
        Retype(Child<QLineEdit>(reference, "RefSize"), QStringLiteral("41"));
        QTest::mouseDClick(fields->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_COMPARE(Child<QLineEdit>(reference, "RefSize")->text(), QStringLiteral("40"));

        ShowFitPage();
        Retype(Box("SelFitSize"), QStringLiteral("30"));
        Retype(Box("SelMin"), QStringLiteral(""));
        Retype(Box("SelMax"), QStringLiteral("0"));
        QTableWidget* fits = Table("SelFits");
        QVERIFY(fits->rowCount() > 1);
        fits->setFocus();
        fits->setCurrentCell(1, 0);
        const QString chosen = fits->item(1, 0)->text();
        QTest::keyClick(fits, Qt::Key_Return);
        auto* fitWindow = Form1->findChild<Tfrm_Fit*>();
        QVERIFY(fitWindow);
        QTRY_VERIFY(fitWindow->isVisible());
        QCOMPARE(Child<QComboBox>(fitWindow, "FitHole")->currentText() + u'/'
                     + Child<QComboBox>(fitWindow, "FitShaft")->currentText(),
                 chosen);
        QCOMPARE(Child<QLineEdit>(fitWindow, "FitSize")->text(), QStringLiteral("30"));
    }

    // The selected row, as the other windows copy it.
    void copySelectedRow()
    {
        Paste(Box("SelDrawing"), QStringLiteral("Ø25+0,021"));
        QTest::keyClick(Window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ø25H7(+0,021/0)"));
        ShowFitPage();
        Retype(Box("SelFitSize"), QStringLiteral("25"));
        Retype(Box("SelMin"), QStringLiteral("10"));
        Retype(Box("SelMax"), QStringLiteral("60"));
        Click(Child<QPushButton>(Window(), "SelCopy"));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString(FitCopy(IsoFit(*iso286::ParseField("H6"), *iso286::ParseField("f6"), Size("25")))->drawing));
        // Nothing found, nothing copied.
        Retype(Box("SelMin"), QStringLiteral("900"));
        QGuiApplication::clipboard()->setText(QStringLiteral("до копирования"));
        Click(Child<QPushButton>(Window(), "SelCopy"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("до копирования"));
    }

    void escapeCloses()
    {
        Box("SelFieldSize")->setFocus();
        QTest::keyClick(Box("SelFieldSize"), Qt::Key_Escape);
        QTRY_VERIFY(!Window()->isVisible());
    }
};

QTEST_MAIN(SelectionWindowTest)
#include "test_selectionwindow.moc"
