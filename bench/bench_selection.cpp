// SPDX-License-Identifier: GPL-3.0-or-later
// «Подбор». Goals: FindFits over all pairs of fields at one size under
// 50 ms; FindFields under 1 ms.
#include "FieldSearch.h"
#include "FitSearch.h"

#include <benchmark/benchmark.h>

namespace {

const Millimetres kSize(ExactDecimal(25, 0));
Micrometres Um(long whole) { return Micrometres(ExactDecimal(whole, 0)); }

// All 199 479 pairs at 25 mm, no bound: every pair qualifies and is ranked.
void BM_FindFitsAllPairsRanked(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFits(kSize, {}, FitSystem::Any, FitCandidates::All));
}
BENCHMARK(BM_FindFitsAllPairsRanked)->Unit(benchmark::kMillisecond);

// The same search, the first 20 ranked and all counted (the tool's default
// limit; the window asks for 200).
void BM_FindFitsAllPairsFirst20(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFits(kSize, {}, FitSystem::Any, FitCandidates::All, 20));
}
BENCHMARK(BM_FindFitsAllPairsFirst20)->Unit(benchmark::kMillisecond);

// All pairs, clearance 10..60 µm: 3 002 qualify, all ranked.
void BM_FindFitsAllPairsWindow(benchmark::State& state)
{
    const ClearanceWindow window{Um(10), Um(60)};
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFits(kSize, window, FitSystem::Any, FitCandidates::All));
}
BENCHMARK(BM_FindFitsAllPairsWindow)->Unit(benchmark::kMillisecond);

// The tool's defaults: hole basis, the lists' fits.
void BM_FindFitsRecommended(benchmark::State& state)
{
    const ClearanceWindow window{Um(10), Um(60)};
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFits(kSize, window, FitSystem::HoleBasis, FitCandidates::Recommended, 20));
}
BENCHMARK(BM_FindFitsRecommended)->Unit(benchmark::kMicrosecond);

// Every field of both sides at 25 mm against +21/0 µm.
void BM_FindFields(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFields(kSize, SearchSide::Either, Um(21), Um(0)));
}
BENCHMARK(BM_FindFields)->Unit(benchmark::kMicrosecond);

}  // namespace
