#include "main/keoe_grid.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {
TKeoEGrid makeLog(int rows)
{
    TKeoEGrid g(20, 2, 1, 1);
    std::mt19937 rng(7);
    g.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < 20; ++c)
            g.SetCell(c, r, c == 16 ? "K" + std::to_string(rng() % 10) + "X" + std::string(1, char('A' + rng() % 26))
                                    : std::to_string(rng() % 100000));
    return g;
}
} // namespace

static void BM_SortGridInteger(benchmark::State& st)
{
    auto base = makeLog(20000);
    for (auto _ : st) {
        st.PauseTiming();
        auto g = base;
        st.ResumeTiming();
        g.SortInteger(12, 0);
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_SortGridInteger)->Unit(benchmark::kMillisecond);

static void BM_SortGridText(benchmark::State& st)
{
    auto base = makeLog(20000);
    for (auto _ : st) {
        st.PauseTiming();
        auto g = base;
        st.ResumeTiming();
        g.SortText(16, 1);
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_SortGridText)->Unit(benchmark::kMillisecond);
