// SPDX-License-Identifier: GPL-3.0-or-later
// What a user waits for: a keystroke in the size box until the window is
// repainted, one recalculation of the main window's boxes, and the table
// window's first opening and a warm repaint.
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <clocale>

#include "DrawGrid.h"
#include "Look.h"
#include "frm_Main_Unit.h"
#include "frm_Tabl_unit.h"
#include "WindowBenchMain.h"

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

void Key(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// A keystroke in the size box, through the key filter and the
// recalculation, until the changed boxes are painted and flushed: typing "5"
// after "2" and taking it back, so that every result box changes each time.
void BM_KeystrokeToRepaint(benchmark::State& state)
{
    CatalogueMode();
    QLineEdit* size = Control<QLineEdit>("Edit2");
    size->setText(QStringLiteral("2"));
    size->setFocus();
    size->end(false);
    QApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            Key(size, Qt::Key_Backspace, QStringLiteral("\b"));
        else
            Key(size, Qt::Key_5, QStringLiteral("5"));
        typed = !typed;
        QApplication::processEvents();  // the repaint the edit asked for
    }
    benchmark::DoNotOptimize(Control<QLineEdit>("Edit8")->text());
}
BENCHMARK(BM_KeystrokeToRepaint);

// The table window made, shown and painted for the first time, as the
// first click on "Посмотреть таблицу" does (fonts already loaded by the
// main window).
void BM_TableFirstOpening(benchmark::State& state)
{
    for (auto _ : state) {
        auto* table = new Tfrm_Table(Form1);
        table->SetGradeOrder(true);
        table->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete table;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableFirstOpening)->Unit(benchmark::kMillisecond);

// Every cell of the open table window at its start size, into an image:
// a warm repaint.
void BM_TablePaint(benchmark::State& state)
{
    Tfrm_Table* table = SideWindow<Tfrm_Table>();
    // Its start size, which a small (offscreen) screen would cut down.
    const QSize start = table->size();
    table->show();
    table->resize(start);
    QApplication::processEvents();
    QWidget* viewport = table->findChild<DrawGrid*>(QStringLiteral("DrawGrid1"))->viewport();
    QImage image(table->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        table->render(&image);
    }
    benchmark::DoNotOptimize(image.bits());
    // Labels, not counters: the CSV output wants the same columns everywhere.
    state.SetLabel(QStringLiteral("window %1x%2, viewport %3x%4")
                       .arg(table->width())
                       .arg(table->height())
                       .arg(viewport->width())
                       .arg(viewport->height())
                       .toStdString());
    table->hide();
}
BENCHMARK(BM_TablePaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
