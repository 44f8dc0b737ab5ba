// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the benchmarks that measure the program's windows: a headless
// program with its main window shown, then the registered benchmarks.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <clocale>

#include "frm_Main_Unit.h"

inline int RunWindowBenchmarks(int argc, char** argv)
{
    // Headless unless the caller chose a platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
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
