// Per-call cost of the number texts on values the calculator really shows.
#include "NumberText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Limit sizes, mid values and radii as long double sums of box values.
std::vector<long double> Results()
{
    std::vector<long double> values;
    const double sizes[] = {5, 25, 12345, 0.5, 400};
    const double deviations[] = {0.025, -0.007, -0.028, 0.012, 0.5, -0.001};
    for (double size : sizes) {
        for (double up : deviations) {
            const long double hi = static_cast<long double>(size) + up;
            const long double s = hi + static_cast<long double>(size);
            values.push_back(s / 2);
            values.push_back(s / 4);
        }
    }
    return values;
}

void BM_FormatGeneral(benchmark::State& state)
{
    const std::vector<long double> values = Results();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatGeneral(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatFixed(benchmark::State& state)
{
    const std::vector<long double> values = Results();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFixed(values[i], 8, 3));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatFixed);

void BM_ReadNumberText(benchmark::State& state)
{
    const std::vector<std::string> texts = {"5", "25", "+0,012", "-0,028", "12345", "0,5",
                                            "  -0,007 ", ",", "1,5E-3", "24,9825"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadNumberText(texts[i]));
        i = (i + 1) % texts.size();
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
