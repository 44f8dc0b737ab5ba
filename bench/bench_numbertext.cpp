// SPDX-License-Identifier: GPL-3.0-or-later
// Per-call cost of the number texts and the limit texts on values the
// calculator really shows.
#include "Data_Unit.h"
#include "FieldResult.h"
#include "NumberText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Limit sizes, mid values and radii as the calculator computes them:
// exact sums and halves of typed sizes and deviations.
std::vector<ExactDecimal> Results()
{
    std::vector<ExactDecimal> values;
    for (const char* size : {"5", "25", "12345", "0,5", "400"}) {
        for (const char* deviation : {"0,025", "-0,007", "-0,028", "0,012", "0,5", "-0,001"}) {
            const ExactDecimal s = *ReadDecimalText(size);
            const ExactDecimal sum = s + *ReadDecimalText(deviation) + s;
            values.push_back(sum.Half());
            values.push_back(sum.Quarter());
        }
    }
    return values;
}

void BM_FormatGeneral(benchmark::State& state)
{
    const std::vector<ExactDecimal> values = Results();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatGeneral(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatFixed(benchmark::State& state)
{
    const std::vector<ExactDecimal> values = Results();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFixed(values[i], 8, 3));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatFixed);

const std::vector<std::string> kTyped = {"5", "25", "+0,012", "-0,028", "12345", "0,5",
                                         "  -0,007 ", ",", "1,5E-3", "24,9825"};

void BM_ReadDecimalText(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadDecimalText(kTyped[i]));
        i = (i + 1) % kTyped.size();
    }
}
BENCHMARK(BM_ReadDecimalText);

// All seven texts of one recalculation, without the window.
void BM_CatalogueLimits(benchmark::State& state)
{
    BuildSizeRanges();
    BuildDeviationTable();
    BuildFieldNames();
    const char* sizes[] = {"5", "25", "2,675", "400"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CatalogueLimits(static_cast<uint8_t>(1 + i % 40), sizes[i % 4], DeviationUnit::Millimetres, Rounding::TwoDigits));
        ++i;
    }
}
BENCHMARK(BM_CatalogueLimits);

void BM_ReadNumberText(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadNumberText(kTyped[i]));
        i = (i + 1) % kTyped.size();
    }
}
BENCHMARK(BM_ReadNumberText);

void BM_FlipSignText(benchmark::State& state)
{
    const std::vector<std::string> texts = {"+0,025", "-0,025", "0", "25", "+"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FlipSignText(texts[i]));
        i = (i + 1) % texts.size();
    }
}
BENCHMARK(BM_FlipSignText);

}  // namespace
