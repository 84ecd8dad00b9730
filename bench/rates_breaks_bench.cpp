#include "analysis/breaks.h"
#include "analysis/rates.h"
#include "main/log_table.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

// A 20,000-QSO log over two days and a month's end: bursts of QSOs with
// pauses, band changes now and then.
const TKeoEGrid& bigLog()
{
    static const TKeoEGrid log = [] {
        TKeoEGrid g;
        initLogGrid(g);
        const int n = 20000;
        g.SetRowCount(n + 1);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> step(0, 9);
        const char* bands[] = {"7010", "14020", "21030", "28040"};
        long minute = 30 * 1440 + 12 * 60; // 30 November, 12:00
        int band = 0;
        for (int r = 1; r <= n; ++r) {
            const int s = step(rng);
            minute += s < 6 ? 0 : s < 9 ? 1 : 25;
            if (s == 9) band = (band + 1) % 4;
            const long day = minute / 1440;
            char date[16], time[8];
            std::snprintf(date, sizeof date, "2024-%02ld-%02ld", day <= 30 ? 11L : 12L, day <= 30 ? day : day - 30);
            std::snprintf(time, sizeof time, "%02ld%02ld", minute % 1440 / 60, minute % 60);
            g.SetCell(lcNumber, r, std::to_string(r));
            g.SetCell(lcKHz, r, bands[band]);
            g.SetCell(lcMode, r, "CW");
            g.SetCell(lcDate, r, date);
            g.SetCell(lcTime, r, time);
            g.SetCell(lcCallsign, r, "K" + std::to_string(r) + "AA");
        }
        return g;
    }();
    return log;
}

void BM_PeriodTable(benchmark::State& st)
{
    const auto& log = bigLog();
    TKeoEGrid grid;
    initRateGrid(grid);
    for (auto _ : st) {
        const auto minutes = qsoMinutes(log, log.RowCount() - 1);
        int row = 1;
        for (int p : kRatePeriods) Get_rate(grid, p, row++, log, minutes);
        benchmark::DoNotOptimize(grid.Cell(2, 5));
    }
}
BENCHMARK(BM_PeriodTable)->Unit(benchmark::kMillisecond);

void BM_RatePerMinute(benchmark::State& st)
{
    const auto& log = bigLog();
    for (auto _ : st) {
        const auto minutes = qsoMinutes(log, log.RowCount() - 1);
        benchmark::DoNotOptimize(allRatesPerMinute(minutes));
        benchmark::DoNotOptimize(ratePerMinuteRuns(log, minutes, 3));
    }
}
BENCHMARK(BM_RatePerMinute)->Unit(benchmark::kMillisecond);

void BM_Breaks(benchmark::State& st)
{
    const auto& log = bigLog();
    TKeoEGrid grid;
    initBreaksGrid(grid);
    for (auto _ : st) {
        const auto minutes = qsoMinutes(log, log.RowCount() - 1);
        benchmark::DoNotOptimize(Breaks(grid, log, minutes, 15, kNoBreakMaximum));
    }
}
BENCHMARK(BM_Breaks)->Unit(benchmark::kMillisecond);

void BM_BandChangeRule(benchmark::State& st)
{
    TKeoEGrid log = bigLog();
    for (auto _ : st) {
        const auto minutes = qsoMinutes(log, log.RowCount() - 1);
        benchmark::DoNotOptimize(Check_bands_change_rule(log, minutes, 10));
    }
}
BENCHMARK(BM_BandChangeRule)->Unit(benchmark::kMillisecond);

} // namespace
