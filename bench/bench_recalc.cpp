// What a user waits for: one recalculation of the main window's boxes, and
// one full paint of the catalogue table at its start size.
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <clocale>

#include "DrawGrid.h"
#include "Look.h"
#include "frm_Main_Unit.h"
#include "frm_Tabl_unit.h"

namespace {

template <typename T>
T* Control(const char* name) { return Form1->findChild<T*>(QLatin1String(name)); }

// Catalogue mode, as the program starts.
void CatalogueMode()
{
    Control<QCheckBox>("CheckBox1")->setChecked(false);
    Control<QRadioButton>("RadioButton1")->setChecked(true);
    Control<QListWidget>("ListBox1")->setCurrentRow(0);
}

// Typing a new size: setText fires textChanged, which recalculates. Two
// sizes in different ranges so every box text really changes.
void BM_RecalcTypedSize(benchmark::State& state)
{
    CatalogueMode();
    const QString sizes[] = {QStringLiteral("5"), QStringLiteral("25")};
    int i = 0;
    QLineEdit* size = Control<QLineEdit>("Edit2");
    for (auto _ : state) {
        size->setText(sizes[i]);
        i ^= 1;
    }
    benchmark::DoNotOptimize(Control<QLineEdit>("Edit8")->text());
}
BENCHMARK(BM_RecalcTypedSize);

// The handler itself on alternating fields of the list, size fixed.
void BM_RecalcButton2Click(benchmark::State& state)
{
    CatalogueMode();
    Control<QLineEdit>("Edit2")->setText(QStringLiteral("25"));
    QListWidget* list = Control<QListWidget>("ListBox1");
    const int rows[] = {0, list->count() / 2};
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            // Move the row without the list's own recalculation.
            const QSignalBlocker quiet(list);
            list->setCurrentRow(rows[i]);
        }
        state.ResumeTiming();
        Form1->Button2Click();
        i ^= 1;
    }
    benchmark::DoNotOptimize(Control<QLineEdit>("Edit8")->text());
}
BENCHMARK(BM_RecalcButton2Click);

// Every cell of the table window at its start size, into an image.
void BM_TablePaint(benchmark::State& state)
{
    frm_Table->show();
    QApplication::processEvents();
    QWidget* viewport = frm_Table->findChild<DrawGrid*>(QStringLiteral("DrawGrid1"))->viewport();
    QImage image(frm_Table->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        frm_Table->render(&image);
    }
    benchmark::DoNotOptimize(image.bits());
    // Labels, not counters: the CSV output wants the same columns everywhere.
    state.SetLabel(QStringLiteral("window %1x%2, viewport %3x%4")
                       .arg(frm_Table->width())
                       .arg(frm_Table->height())
                       .arg(viewport->width())
                       .arg(viewport->height())
                       .toStdString());
    frm_Table->hide();
}
BENCHMARK(BM_TablePaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // Headless unless the caller chose a platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallFontSubstitutions();
    CreateForms();
    Form1->show();
    QApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyForms();
    return 0;
}
