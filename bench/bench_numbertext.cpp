#include <benchmark/benchmark.h>
static void BM_None(benchmark::State& s) { for (auto _ : s) {} }
BENCHMARK(BM_None);
