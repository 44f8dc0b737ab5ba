// SPDX-License-Identifier: GPL-3.0-or-later
// What an inspector waits for with a long batch: 100000 pasted sizes read,
// judged and summarised, in the core alone and in the window (from the
// paste until the table, the summary and the histogram show the batch).
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

#include "BatchText.h"
#include "CheckWindow.h"
#include "frm_Main_Unit.h"
#include "WindowBenchMain.h"

namespace {

// 100000 sizes of a 25H7 hole as a spreadsheet column copies them.
std::string PastedColumn()
{
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        const int um = (i * 7919) % 27 - 3;
        text += um < 0 ? "24," + std::to_string(1000 + um)
                       : "25,0" + std::string(um < 10 ? "0" : "") + std::to_string(um);
        if (i % 3 == 1)
            text += std::to_string(i % 10);
        text += "\r\n";
    }
    return text;
}

const CheckLimits& Limits()
{
    static const CheckLimits limits = *ReadCheck("25H7", Micrometres()).limits;
    return limits;
}

// The core's part: the text split, its column found, every size read and
// judged, the summary and the histogram.
void BM_BatchSummary100k(benchmark::State& state)
{
    const std::string text = PastedColumn();
    for (auto _ : state) {
        const TextTable table = SplitTable(DecodeText(text).utf8);
        const BatchValues values = ValuesOfColumn(table, LikelyValueColumn(table));
        const std::optional<BatchJudgement> judged = JudgeBatch(values, Limits());
        benchmark::DoNotOptimize(judged->summary.count);
    }
}
BENCHMARK(BM_BatchSummary100k)->Unit(benchmark::kMillisecond);

// The window's: from the paste until it shows the batch. The work runs in a
// worker thread, so the wall time counts.
void BM_WindowSummary100k(benchmark::State& state)
{
    CheckWindow* window = SideWindow<CheckWindow>();
    window->findChild<QLineEdit*>(QStringLiteral("CheckDesignation"))->setText(QStringLiteral("25H7"));
    window->show();
    const QByteArray text = QByteArray::fromStdString(PastedColumn());
    for (auto _ : state) {
        window->LoadText(text, QString());
        while (window->Busy())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QApplication::processEvents();
    }
    window->hide();
}
BENCHMARK(BM_WindowSummary100k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
