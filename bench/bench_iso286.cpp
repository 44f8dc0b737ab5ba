// SPDX-License-Identifier: GPL-3.0-or-later
// ISO 286 engine lookups. Goal: LimitsOf under 100 ns per call, defined or not.
#include "Iso286.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using iso286::Field;

// A fixed pseudo-random spread of fields (both sides, every letter and grade) and sizes.
std::vector<std::pair<Field, int>> Spread(bool definedOnly)
{
    std::vector<std::pair<Field, int>> lookups;
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    while (lookups.size() < 4096) {
        const Field f{next() % 2 ? iso286::Side::Hole : iso286::Side::Shaft,
                      static_cast<iso286::Letter>(next() % iso286::kLetterCount),
                      static_cast<int>(next() % 20) - 1};
        const int ceil = 1 + static_cast<int>(next() % iso286::kMaxSizeCeil);
        if (definedOnly && iso286::LimitsOf(f, ceil).undefined != iso286::Undefined::None)
            continue;
        lookups.push_back({f, ceil});
    }
    return lookups;
}

void BM_LimitsOfDefined(benchmark::State& state)
{
    const auto lookups = Spread(true);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [field, ceil] = lookups[i++ & 4095];
        benchmark::DoNotOptimize(iso286::LimitsOf(field, ceil));
    }
}
BENCHMARK(BM_LimitsOfDefined);

// Every field and size, so about half the calls build a reason sentence.
void BM_LimitsOfAny(benchmark::State& state)
{
    const auto lookups = Spread(false);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [field, ceil] = lookups[i++ & 4095];
        benchmark::DoNotOptimize(iso286::LimitsOf(field, ceil));
    }
}
BENCHMARK(BM_LimitsOfAny);

void BM_AnalyseFit(benchmark::State& state)
{
    const Field holes[] = {{iso286::Side::Hole, iso286::Letter::H, 7}, {iso286::Side::Hole, iso286::Letter::JS, 7},
                           {iso286::Side::Hole, iso286::Letter::P, 7}, {iso286::Side::Hole, iso286::Letter::F, 8}};
    const Field shafts[] = {{iso286::Side::Shaft, iso286::Letter::G, 6}, {iso286::Side::Shaft, iso286::Letter::K, 6},
                            {iso286::Side::Shaft, iso286::Letter::S, 6}, {iso286::Side::Shaft, iso286::Letter::H, 7}};
    std::size_t i = 0;
    for (auto _ : state) {
        const int ceil = 1 + static_cast<int>((i * 37) % iso286::kMaxSizeCeil);
        benchmark::DoNotOptimize(iso286::AnalyseFit(holes[i & 3], shafts[(i >> 2) & 3], ceil));
        ++i;
    }
}
BENCHMARK(BM_AnalyseFit);

void BM_DefinedFields(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(iso286::DefinedFields(iso286::Side::Hole, 25));
}
BENCHMARK(BM_DefinedFields);

}  // namespace
