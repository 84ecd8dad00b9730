#include "analysis/log_charts.h"
#include "analysis/two_radio.h"
#include "main/log_table.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

// A 20,000-QSO multi-two log over two days: two transmitters, each on a band
// for a run of QSOs, the second one hopping more often; scored, K indices.
const AppState& chartLog()
{
    static const AppState s = [] {
        AppState a;
        constexpr int n = 20000;
        static const int bandKHz[] = {3520, 7020, 14020, 21020, 28020};
        std::mt19937 rng(7);
        a.log_grid.SetRowCount(n + 1);
        int run0 = 0, run1 = 0, band0 = 2, band1 = 3;
        for (int r = 1; r <= n; ++r) {
            const int minute = (r - 1) * 2880 / n;
            const bool tx1 = r % 3 == 0;
            int& run = tx1 ? run1 : run0;
            int& band = tx1 ? band1 : band0;
            if (run-- <= 0) {
                run = static_cast<int>(rng() % (tx1 ? 8 : 60)) + 1;
                band = static_cast<int>(rng() % 5);
            }
            char t[16];
            std::snprintf(t, sizeof t, "%02d%02d", (minute / 60) % 24, minute % 60);
            auto& g = a.log_grid;
            g.SetCell(lcNumber, r, std::to_string(r));
            g.SetCell(lcKHz, r, std::to_string(bandKHz[band] + static_cast<int>(rng() % 200)));
            g.SetCell(lcMode, r, "PH");
            g.SetCell(lcDate, r, minute < 1440 ? "2025-03-29" : "2025-03-30");
            g.SetCell(lcTime, r, t);
            g.SetCell(lcCallsign, r, "DL" + std::to_string(r));
            g.SetCell(lcPts, r, std::to_string(1 + rng() % 3));
            g.SetCell(lcK, r, std::to_string(rng() % 5));
            g.SetCell(lcTX, r, tx1 ? "1" : "0");
        }
        a.header.QsoCount = n;
        a.header.LogTitle = "BENCH";
        a.FirstQsoMinute = get_time_for_qso(a.log_grid, 1, 0);
        return a;
    }();
    return s;
}

template <typename F> void runChart(benchmark::State& st, F&& f)
{
    const AppState& s = chartLog();
    ChartData c = makeAnalysisChart();
    for (auto _ : st) {
        f(s, c);
        benchmark::DoNotOptimize(c.series.data());
    }
}

void BM_Growth(benchmark::State& st) { runChart(st, [](const AppState& s, ChartData& c) { growthChart(s, c); }); }
void BM_TimeBetween(benchmark::State& st)
{
    runChart(st, [](const AppState& s, ChartData& c) { timeBetweenQsosChart(s, c); });
}
void BM_TimeFor10(benchmark::State& st) { runChart(st, timeFor10QsoChart); }
void BM_Rate60(benchmark::State& st) { runChart(st, [](const AppState& s, ChartData& c) { rate60Chart(s, c); }); }
void BM_Points(benchmark::State& st) { runChart(st, [](const AppState& s, ChartData& c) { pointsChart(s, c); }); }
void BM_MainSecond(benchmark::State& st)
{
    runChart(st, [](const AppState& s, ChartData& c) { mainSecondRadioChart(s, c); });
}
void BM_BandChanges(benchmark::State& st) { runChart(st, bandChangeChart); }

void BM_SecondRadio(benchmark::State& st)
{
    const AppState& s = chartLog();
    TKeoEGrid g(8, 2, 0, 1);
    initSecondRadioGrid(g);
    SecondRadioCharts charts;
    for (auto _ : st) benchmark::DoNotOptimize(Two_radio(s, 10, false, g, charts));
}

void BM_MultiTwo(benchmark::State& st)
{
    const AppState& s = chartLog();
    TKeoEGrid g(8, 2, 0, 1);
    for (auto _ : st) benchmark::DoNotOptimize(Get_m2_bc(s, g));
}

} // namespace

BENCHMARK(BM_Growth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeBetween)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeFor10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rate60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandChanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondRadio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiTwo)->Unit(benchmark::kMillisecond);
