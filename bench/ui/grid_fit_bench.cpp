// Fitting the columns of a grid to its texts, on its own: a 500,000-row spot
// table, as the spot window shows a weekend of a busy cluster.
#include "../bench_calls.h"
#include "main/keoe_grid_view.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

TKeoEGrid spotTable(int rows)
{
    static const char* const comments[] = {"CW 12 dB 25 WPM CQ", "CQ WW DX", "tnx QSO 73", "RTTY", "UP 2",
                                           "CW 23 dB 30 WPM CQ"};
    static const char* const bands[] = {"160", "80", "40", "20", "15", "10"};
    std::mt19937 rng(7);
    TKeoEGrid g(7, rows + 1, 0, 1);
    g.SetHeader({"#", "Spotter", "Freq.", "Band", "DX", "Comments", "Time"});
    for (int r = 1; r <= rows; ++r) {
        const int band = static_cast<int>(rng() % 6);
        g.WriteRow(r, {std::to_string(r), benchcalls::callOf(rng, static_cast<int>(rng() % 3000) + 100000),
                       std::to_string(1800 + band * 5000 + static_cast<int>(rng() % 400)) + ".1", bands[band],
                       benchcalls::callOf(rng, static_cast<int>(rng() % 8000)), comments[rng() % 6], "1234Z"});
    }
    return g;
}

// Times the first fit of a fresh view over the grid: the measuring of every
// text and the setting of the widths.
void fitFreshView(benchmark::State& state, TKeoEGrid& grid, const std::function<void(KeoEGridView&)>& setUp)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<KeoEGridView>(grid);
        view->resize(760, 400);
        if (setUp) setUp(*view);
        state.ResumeTiming();
        view->fitColumns();
        benchmark::DoNotOptimize(view->columnWidth(5));
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
}

void BM_FitSpotTable500k(benchmark::State& state)
{
    static TKeoEGrid grid = spotTable(500000);
    fitFreshView(state, grid, {});
}
BENCHMARK(BM_FitSpotTable500k)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
