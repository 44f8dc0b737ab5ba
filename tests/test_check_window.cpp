// SPDX-License-Identifier: GPL-3.0-or-later
// The inspection window as an inspector uses it, through its controls'
// names: typed sizes and their verdicts, a batch pasted from a spreadsheet,
// CSV files with decimal commas and points and one in Windows-1251, the
// histogram's bars on the right side of the limit lines, the protocol saved
// as CSV and read back, as PDF and on a printer, and a long batch read
// without freezing the window.
#include <QtTest>

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QProgressDialog>
#include <QTableView>
#include <QTemporaryDir>

#include "CheckHistogram.h"
#include "CheckWindow.h"
#include "Look.h"
#include "QtTestSupport.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::M;
using testsupport::RestartWithWindow;
using testsupport::Retype;
using testsupport::SelectRow;
using testsupport::WhenModalShows;

namespace {

CheckWindow* Window() { return Form1->findChild<CheckWindow*>(); }
QLineEdit* Box(const char* name) { return Child<QLineEdit>(Window(), name); }
QLabel* Label(const char* name) { return Child<QLabel>(Window(), name); }
QTableView* Table() { return Child<QTableView>(Window(), "CheckTable"); }
QAbstractItemModel* Rows() { return Table()->model(); }
QString Cell(int row, int column) { return Rows()->index(row, column).data().toString(); }

void SetDesignation(const QString& designation, const QString& guard = QStringLiteral("0"))
{
    Retype(Box("CheckDesignation"), designation);
    Retype(Box("CheckGuard"), guard);
}

void Paste(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    Click(Child(Window(), "CheckPaste"));
    QTRY_VERIFY(!Window()->Busy());
}

// Chooses `path` in the file dialog that the next click opens; `filters`
// gets the dialog's name filters.
void ChooseFileWhenAsked(const QString& path, QStringList* filters = nullptr)
{
    WhenModalShows([path, filters](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name) {
            modal->close();
            QFAIL("the window that came up is not the file dialog");
        }
        if (filters)
            *filters = dialog->nameFilters();
        // Typed, not selectFile(): that leaves a focused name box empty, and a
        // loaded machine may activate the dialog before this runs.
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible()) {
            dialog->reject();
            QFAIL("the file dialog did not take the file");
        }
    });
}

QString DataFile(const char* name) { return QStringLiteral(KALIMAR_TEST_DATA "/") + QLatin1String(name); }

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Column(int column)
{
    QStringList cells;
    for (int row = 0; row < Rows()->rowCount(); ++row)
        cells << Cell(row, column);
    return cells;
}

}  // namespace

class CheckWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        RestartWithWindow<CheckWindow>(Qt::Key_F10);
    }
    void cleanupTestCase() { DestroyForms(); }

    // F10 opens it beside the main window, with the main window's field and size.
    void opensWithTheMainWindowsField()
    {
        QVERIFY(Window()->width() <= 620);
        QCOMPARE(Window()->windowTitle(), QStringLiteral("Контроль"));
        Window()->close();
        testsupport::ActivateMainWindow();
        SelectRow(QStringLiteral("K6"));  // the catalogue's K6 carries the shaft's k6
        Retype(M().Edit2, QStringLiteral("40"));
        QTest::keyClick(M().Edit2, Qt::Key_F10);
        QTRY_VERIFY(Window()->isVisible());
        QCOMPARE(Box("CheckDesignation")->text(), QStringLiteral("40k6"));
        QVERIFY(Label("CheckLimits")->text().startsWith(QStringLiteral("Вал k6: наибольший 40,018 мм")));
        // What was typed here stays while the main window stands where it stood.
        Retype(Box("CheckDesignation"), QStringLiteral("12H8"));
        QTest::keyClick(M().Edit2, Qt::Key_F10);
        QCOMPARE(Box("CheckDesignation")->text(), QStringLiteral("12H8"));
        QCOMPARE(Form1->findChildren<CheckWindow*>().size(), qsizetype(1));
    }

    void typedSizes_data()
    {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QString>("guard");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("margins");
        QTest::addColumn<QString>("decided");
        const QColor green = VerdictColour(Verdict::Good), amber = VerdictColour(Verdict::Rework),
                     red = VerdictColour(Verdict::Scrap);
        QTest::newRow("good") << "25H7" << "0" << "25,013" << "Годен" << green
                              << "до наибольшего 8 мкм · до наименьшего 13 мкм · 61,9 % допуска"
                              << "По предельным размерам: в пределах допуска.";
        QTest::newRow("exactly on the limit, typed with a point") << "Ø2,3H7" << "0" << "2.31" << "Годен" << green
            << "до наибольшего 0 мкм · до наименьшего 10 мкм · 100 % допуска"
            << "По предельным размерам: в пределах допуска.";
        QTest::newRow("a shaft too large") << "40g6" << "0" << "39,9911" << "Брак исправимый" << amber
            << "до наибольшего -0,1 мкм · до наименьшего 16,1 мкм · 100,6 % допуска"
            << "По предельным размерам: больше наибольшего предельного размера 39,991 мм.";
        QTest::newRow("a hole too large") << "25H7" << "0" << "25,021000001" << "Брак неисправимый" << red
            << "до наибольшего -0,000001 мкм · до наименьшего 21,000001 мкм · 100 % допуска"
            << "По предельным размерам: больше наибольшего предельного размера 25,021 мм.";
        QTest::newRow("inside the tolerance, outside acceptance") << "25H7" << "2" << "25,0195" << "Брак неисправимый"
            << red << "до наибольшего 1,5 мкм · до наименьшего 19,5 мкм · 92,9 % допуска"
            << "По приёмочным границам: в допуске, но больше верхней приёмочной границы 25,019 мм.";
        QTest::newRow("on the acceptance limit") << "25H7" << "2" << "25,019" << "Годен" << green
            << "до наибольшего 2 мкм · до наименьшего 19 мкм · 90,5 % допуска"
            << "По приёмочным границам: в пределах приёмочных границ.";
    }
    void typedSizes()
    {
        QFETCH(QString, designation);
        QFETCH(QString, guard);
        QFETCH(QString, typed);
        QFETCH(QString, verdict);
        QFETCH(QColor, colour);
        QFETCH(QString, margins);
        QFETCH(QString, decided);
        SetDesignation(designation, guard);
        Retype(Box("CheckValue"), typed);
        QCOMPARE(Box("CheckValue")->text(), QString(typed).replace(u'.', u','));
        QCOMPARE(Label("CheckVerdict")->text(), verdict);
        QCOMPARE(TextColour(Label("CheckVerdict")), colour);
        QCOMPARE(Label("CheckMargins")->text(), margins);
        QCOMPARE(Label("CheckDecided")->text(), decided);
        // Updated as the user types: one more digit turns the verdict.
        if (typed == QLatin1String("25,019")) {
            QTest::keyClicks(Box("CheckValue"), QStringLiteral("1"));
            QCOMPARE(Label("CheckVerdict")->text(), QStringLiteral("Брак неисправимый"));
        }
    }

    void whatCannotBeJudged()
    {
        Retype(Box("CheckValue"), QStringLiteral("25,,1"));
        QCOMPARE(TextColour(Box("CheckValue")), clRed);
        QCOMPARE(Label("CheckVerdict")->text(), QStringLiteral("—"));
        QCOMPARE(Label("CheckMargins")->text(), QStringLiteral("Не число: нужен размер в миллиметрах, например 25,013."));
        SetDesignation(QStringLiteral("25H7/g6"));
        QCOMPARE(TextColour(Box("CheckDesignation")), clRed);
        QCOMPARE(Label("CheckLimits")->text(),
                 QStringLiteral("Для контроля нужно одно поле — отверстия или вала, а не посадка."));
        SetDesignation(QStringLiteral("25H7"), QStringLiteral("11"));
        QVERIFY(Label("CheckLimits")->text().startsWith(QStringLiteral("Смещение приёмочных границ 11 мкм")));
        Retype(Box("CheckValue"), QStringLiteral("25,01"));
        QCOMPARE(Label("CheckMargins")->text(), QStringLiteral("Нет поля допуска."));
    }

    // Columns from a spreadsheet: tabs, decimal commas and points, a head
    // row, an empty and a wrong cell kept and marked.
    void pastedBatch()
    {
        SetDesignation(QStringLiteral("40g6"));
        Paste(QStringLiteral("№\tДиаметр, мм\n1\t39,98\n2\t39.992\n3\t\n4\tсорок\n5\t39,97\n"));
        QCOMPARE(Rows()->rowCount(), 5);
        QCOMPARE(Column(1), (QStringList{"39,98", "39,992", "", "сорок", "39,97"}));
        QCOMPARE(Column(2), (QStringList{"годен", "брак исправимый", "ошибка: Нет значения.",
                                          "ошибка: Не число: нужен размер в миллиметрах, например 25,013.",
                                          "брак неисправимый"}));
        QCOMPARE(Rows()->index(1, 2).data(Qt::ForegroundRole).value<QBrush>().color(), VerdictColour(Verdict::Rework));
        QVERIFY(Rows()->index(3, 1).data(Qt::BackgroundRole).isValid());  // marked
        QVERIFY(!Rows()->index(0, 1).data(Qt::BackgroundRole).isValid());
        QCOMPARE(Column(3), (QStringList{"11", "-1", "", "", "21"}));
        QVERIFY(Label("CheckSource")->text().contains(QStringLiteral("строк заголовка не взято: 1")));
        QCOMPARE(Label("CheckCounts")->text(),
                 QStringLiteral("Измерено 3: годен 1, брак исправимый 1, брак неисправимый 1; с ошибками 2."));
        QCOMPARE(Label("CheckRange")->text(), QStringLiteral("Наименьший 39,97 мм, наибольший 39,992 мм."));
        QCOMPARE(Label("CheckMean")->text(),
                 QStringLiteral("Среднее x̄ = 39,9806666667 мм, от середины поля -2,33333333333 мкм."));
        QCOMPARE(Label("CheckSpread")->text(),
                 QStringLiteral("s = 11,0151410946 мкм, Cp = 0,242091013068, Cpk = 0,171481134256."));
        QVERIFY(Label("CheckFormulas")->text().contains(QStringLiteral("Cp = T / 6s")));
        // The other column is offered, and read when chosen.
        auto* column = Child<QComboBox>(Window(), "CheckColumn");
        QVERIFY(column->isVisible());
        QCOMPARE(column->currentText(), QStringLiteral("2: Диаметр, мм"));
        column->activated(0);
        QTRY_COMPARE(Rows()->rowCount(), 5);
        QCOMPARE(Cell(0, 1), QStringLiteral("1"));
        // A new limit judges the same sizes again.
        SetDesignation(QStringLiteral("40g6"));
        column->activated(1);
        QTRY_COMPARE(Cell(1, 1), QStringLiteral("39,992"));
        Retype(Box("CheckDesignation"), QStringLiteral("40h6"));
        QCOMPARE(Cell(1, 2), QStringLiteral("годен"));
        // Typed sizes go into the batch with Enter; a cell can be corrected.
        Retype(Box("CheckValue"), QStringLiteral("40,001"));
        QTest::keyClick(Box("CheckValue"), Qt::Key_Return);
        QCOMPARE(Rows()->rowCount(), 6);
        QCOMPARE(Cell(5, 2), QStringLiteral("брак исправимый"));
        // Another column would read the text again: no longer offered.
        QVERIFY(!column->isVisible());
        QVERIFY(Label("CheckSource")->text().endsWith(QStringLiteral("; изменено в окне.")));
        QVERIFY(Rows()->setData(Rows()->index(3, 1), QStringLiteral("39,995")));
        QCOMPARE(Cell(3, 2), QStringLiteral("годен"));
        Click(Child(Window(), "CheckClear"));
        QCOMPARE(Rows()->rowCount(), 0);
    }

    // Files as spreadsheets save them: comma-separated with points, or
    // semicolons with decimal commas; chosen in the file dialog.
    void csvFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("commas and points") << QByteArray("part,size_mm,note\r\n1,25.013,\r\n2,25.0215,\"re, check\"\r\n3,24.999,\r\n");
        QTest::newRow("semicolons and commas") << QByteArray("деталь;размер, мм\r\n1;25,013\r\n2;25,0215\r\n3;24,999\r\n");
        QTest::newRow("one column with a mark") << QByteArray("\xEF\xBB\xBF" "25,013\n25.0215\n24,999\n");
    }
    void csvFiles()
    {
        QFETCH(QByteArray, bytes);
        SetDesignation(QStringLiteral("25H7"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("замеры.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(Window()->OpenFile(path));
        QTRY_COMPARE(Rows()->rowCount(), 3);
        QCOMPARE(Column(1), (QStringList{"25,013", "25,0215", "24,999"}));
        QCOMPARE(Column(2), (QStringList{"годен", "брак неисправимый", "брак исправимый"}));
        QVERIFY(Label("CheckSource")->text().startsWith(QStringLiteral("Файл «замеры.csv»: строк с размерами 3")));
    }

    // «Открыть…» asks for a file among tables and text, and loads the one chosen.
    void openButtonAsksForAFile()
    {
        SetDesignation(QStringLiteral("25H7"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("замеры.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("25,013\n24,999\n");
        file.close();
        QStringList filters;
        ChooseFileWhenAsked(path, &filters);
        Click(Child(Window(), "CheckOpen"));
        QTRY_COMPARE(Rows()->rowCount(), 2);
        QCOMPARE(filters.value(0), QStringLiteral("Таблицы и текст (*.csv *.txt *.tsv)"));
        QCOMPARE(Column(2), (QStringList{"годен", "брак исправимый"}));
    }

    void windows1251File()
    {
        SetDesignation(QStringLiteral("Ø40g6"));
        QVERIFY(Window()->OpenFile(DataFile("measured-1251.csv")));
        QTRY_COMPARE(Rows()->rowCount(), 7);
        QVERIFY(Label("CheckSource")->text().contains(QStringLiteral("Windows-1251")));
        QCOMPARE(Child<QComboBox>(Window(), "CheckColumn")->currentText(), QStringLiteral("2: Диаметр, мм"));
        QCOMPARE(Column(2), (QStringList{"годен", "годен", "брак исправимый", "годен", "брак неисправимый",
                                          "ошибка: Не число: нужен размер в миллиметрах, например 25,013.", "годен"}));
        QCOMPARE(Cell(5, 1), QStringLiteral("нет замера"));
        QVERIFY(Label("CheckSource")->text().contains(QStringLiteral("строк заголовка не взято: 2")));
    }

    // Every bar pixel of good sizes lies between the limit lines; the
    // rejects of a hole lie below (rework) or above (scrap) them.
    void histogramBarsBetweenTheLines()
    {
        SetDesignation(QStringLiteral("25H7"));
        Paste(QStringLiteral("25\n25,021\n25,0105\n25,002\n25,019\n25,0211\n25,03\n24,9999\n24,99\n25,0001\n"));
        auto* histogram = Child<CheckHistogram>(Window(), "CheckHistogram");
        const QImage image = histogram->grab().toImage();
        const int lower = histogram->XOf(0), upper = histogram->XOf(HistogramBins::kBinsPerTolerance);
        QVERIFY(lower > 0 && upper > lower + 50);
        int counted[3] = {0, 0, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == VerdictColour(Verdict::Good)) {
                    ++counted[0];
                    QVERIFY2(x > lower && x < upper, qPrintable(QStringLiteral("good at %1").arg(x)));
                } else if (c == VerdictColour(Verdict::Rework)) {
                    ++counted[1];
                    QVERIFY2(x < lower, qPrintable(QStringLiteral("rework at %1").arg(x)));
                } else if (c == VerdictColour(Verdict::Scrap)) {
                    ++counted[2];
                    QVERIFY2(x > upper, qPrintable(QStringLiteral("scrap at %1").arg(x)));
                }
            }
        QVERIFY(counted[0] > 100 && counted[1] > 20 && counted[2] > 20);
        const int middle = image.height() / 2;
        QCOMPARE(image.pixelColor(lower, middle), kLimitLineColour);
        QCOMPARE(image.pixelColor(upper, middle), kLimitLineColour);
    }

    // The protocol in CSV: a mark for spreadsheets, semicolons, decimal
    // commas, CRLF; opened again it gives the same batch.
    void savedCsvReadsBack()
    {
        SetDesignation(QStringLiteral("40g6"), QStringLiteral("1"));
        Paste(QStringLiteral("39,98\n39.9905\nx\n39,97\n39,9853\n"));
        const QString before = Label("CheckCounts")->text() + Label("CheckSpread")->text();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("протокол.csv"));
        ChooseFileWhenAsked(path);
        Click(Child(Window(), "CheckSave"));
        QTRY_VERIFY(QFile::exists(path));
        const QByteArray csv = FileBytes(path);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF" "Протокол контроля\r\n"));
        QVERIFY(csv.contains("Обозначение: 40g6 (вал)\r\n"));
        QVERIFY(csv.contains("Приёмочные границы: 39,976 мм – 39,99 мм (внутрь на 1 мкм)\r\n"));
        QVERIFY(csv.contains("2;39,9905;брак исправимый;0,5;15,5;96,9\r\n"));
        QCOMPARE(csv.count("\n"), csv.count("\r\n"));
        Click(Child(Window(), "CheckClear"));
        QVERIFY(Window()->OpenFile(path));
        QTRY_COMPARE(Rows()->rowCount(), 5);
        QCOMPARE(Column(1), (QStringList{"39,98", "39,9905", "x", "39,97", "39,9853"}));
        QCOMPARE(Label("CheckCounts")->text() + Label("CheckSpread")->text(), before);
    }

    void pdfAndPrinter()
    {
        SetDesignation(QStringLiteral("25H7"));
        Paste(QStringLiteral("25,013\n25,0215\n24,999\n"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("протокол.pdf"));
        QVERIFY(Window()->SaveProtocol(pdf));
        const QByteArray bytes = FileBytes(pdf);
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.size() > 5000);
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
        // A batch of 150 sizes takes more pages.
        QString many;
        for (int i = 0; i < 150; ++i)
            many += QStringLiteral("25,0%1\n").arg(i % 25, 2, 10, QLatin1Char('0'));
        Paste(many);
        QVERIFY(Window()->SaveProtocol(pdf));
        QVERIFY(FileBytes(pdf).count("/Type /Page") > 3);
        // The printer gets the same pages.
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString printed = dir.filePath(QStringLiteral("печать.pdf"));
        printer.setOutputFileName(printed);
        QVERIFY(Window()->PrintProtocol(printer));
        QVERIFY(FileBytes(printed).startsWith("%PDF-"));
        // Nothing to save without a batch: said, and no file.
        Click(Child(Window(), "CheckClear"));
        QVERIFY(!Window()->SaveProtocol(dir.filePath(QStringLiteral("пусто.csv"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("пусто.csv"))));
        QCOMPARE(Label("CheckProblem")->text(), QStringLiteral("Сохранять нечего: партия пуста."));
    }

    // 100000 sizes are read in a worker: the window answers meanwhile, a
    // progress dialog shows, and a cancel keeps what was there.
    void longBatchWithoutFreezing()
    {
        SetDesignation(QStringLiteral("25H7"));
        QString text;
        for (int i = 0; i < 100000; ++i)
            text += QStringLiteral("25,0%1\n").arg(i % 30, 2, 10, QLatin1Char('0'));
        QGuiApplication::clipboard()->setText(text);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(5);
        Click(Child(Window(), "CheckPaste"));
        QVERIFY(Window()->Busy());
        QVERIFY(Window()->findChild<QProgressDialog*>(QStringLiteral("CheckProgress")));
        QTRY_VERIFY_WITH_TIMEOUT(!Window()->Busy(), 60000);
        QVERIFY(ticks > 0);
        QCOMPARE(Rows()->rowCount(), 100000);
        QVERIFY(Label("CheckCounts")->text().startsWith(QStringLiteral("Измерено 100000: годен 73336,")));
        const QString source = Label("CheckSource")->text();

        // Another long paste, cancelled at once: the batch stays.
        QString other;
        for (int i = 0; i < 300000; ++i)
            other += QStringLiteral("24,9%1\n").arg(i % 90 + 10);
        QGuiApplication::clipboard()->setText(other);
        Click(Child(Window(), "CheckPaste"));
        auto* progress = Window()->findChild<QProgressDialog*>(QStringLiteral("CheckProgress"));
        QVERIFY(progress);
        emit progress->canceled();  // as its button does
        QTRY_VERIFY_WITH_TIMEOUT(!Window()->Busy(), 60000);
        QCOMPARE(Rows()->rowCount(), 100000);
        QCOMPARE(Label("CheckProblem")->text(), QStringLiteral("Чтение отменено: партия осталась прежней."));
        QCOMPARE(Label("CheckSource")->text(), source);
    }

    void copyPutsTheJudgementOnTheClipboard()
    {
        SetDesignation(QStringLiteral("25H7"));
        Retype(Box("CheckValue"), QStringLiteral("25,013"));
        QTest::keyClick(Box("CheckValue"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("25H7 25,013 мм: годен; до наибольшего 8 мкм, до наименьшего 13 мкм; 61,9 % допуска"));
        Paste(QStringLiteral("25,013\n25,03\n"));
        QTest::keyClick(Box("CheckValue"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->text().startsWith(QStringLiteral("Протокол контроля\nОбозначение: 25H7 (отверстие)\n")));
        QVERIFY(QString::fromUtf8(data->data(QStringLiteral("text/tab-separated-values")))
                    .endsWith(QStringLiteral("2\t25,03\tбрак неисправимый\t-9\t30\t142,9\n")));
    }
};

QTEST_MAIN(CheckWindowTest)
#include "test_check_window.moc"
