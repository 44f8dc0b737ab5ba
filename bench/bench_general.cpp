// SPDX-License-Identifier: GPL-3.0-or-later
// General tolerances: one look-up in the core, one size answered by
// kalimar-cli general, and the «Общие допуски» window's recalculation for a
// typed size and its first opening.
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "GeneralToleranceWindow.h"
#include "GeneralTolerances.h"
#include "NumberText.h"
#include "frm_Main_Unit.h"
#include "WindowBenchMain.h"

namespace {

namespace gt = general_tolerances;

// Sizes over every table, bounds and fractions among them, some not defined.
std::vector<Millimetres> Sizes()
{
    std::vector<Millimetres> sizes;
    for (const char* s : {"0,3", "0,5", "2", "3", "5,5", "25", "120", "120,001", "400", "999,9", "2500", "3150",
                          "4000", "4500"})
        sizes.emplace_back(*ReadDecimalText(s));
    return sizes;
}

void BM_GeneralTolerance(benchmark::State& state)
{
    const std::vector<Millimetres> sizes = Sizes();
    const GeneralRule rules[] = {GeneralRule::Class(gt::LinearClass::m), GeneralRule::Class(gt::LinearClass::v),
                                 GeneralRule::ItForm(14), GeneralRule::ItForm(12)};
    const GeneralElement elements[] = {GeneralElement::OtherLinear, GeneralElement::Internal,
                                       GeneralElement::BrokenEdge, GeneralElement::Angle};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GeneralTolerance(rules[i % 4], elements[(i / 4) % 4], sizes[i % sizes.size()]));
        ++i;
    }
}
BENCHMARK(BM_GeneralTolerance);

void BM_GeometricTolerance(benchmark::State& state)
{
    const std::vector<Millimetres> sizes = Sizes();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GeometricTolerance(static_cast<gt::GeometricClass>(i % 3),
                                                    static_cast<GeometricFeature>(i % 5), sizes[i % sizes.size()]));
        ++i;
    }
}
BENCHMARK(BM_GeometricTolerance);

// kalimar-cli --json general m with 1000 sizes in one call; the time is per size.
void BM_GeneralCliPerSize(benchmark::State& state)
{
    std::vector<std::string> args = {"--json", "general", "m"};
    const char* sizes[] = {"0,3", "2", "5,5", "25", "120", "120,001", "999,9", "2500", "4000", "4500"};
    for (int i = 0; i < 1000; ++i)
        args.push_back(sizes[i % 10]);
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out, err;
        benchmark::DoNotOptimize(RunCli(args, in, out, err));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_GeneralCliPerSize)->Unit(benchmark::kMillisecond);

// A size typed into the open window: every box, the form and position
// tolerances and the notes written again.
void BM_GeneralWindowTypedSize(benchmark::State& state)
{
    GeneralToleranceWindow* window = SideWindow<GeneralToleranceWindow>();
    window->show();
    QApplication::processEvents();
    QLineEdit* size = window->findChild<QLineEdit*>(QStringLiteral("GenSize"));
    const QString sizes[] = {QStringLiteral("5"), QStringLiteral("120")};
    int i = 0;
    for (auto _ : state) {
        size->setText(sizes[i]);
        i ^= 1;
    }
    benchmark::DoNotOptimize(window->findChild<QLineEdit*>(QStringLiteral("GenMax"))->text());
    window->hide();
}
BENCHMARK(BM_GeneralWindowTypedSize);

// The window made, shown and painted for the first time, as F11 does.
void BM_GeneralWindowFirstOpening(benchmark::State& state)
{
    for (auto _ : state) {
        auto* window = new GeneralToleranceWindow(Form1);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GeneralWindowFirstOpening)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
