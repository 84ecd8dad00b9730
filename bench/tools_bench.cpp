// The near zone, the operator table and the QSO filter on a 20,000-QSO log
// after the analysis pass.
#include "analysis/analysis_pass.h"
#include "analysis/find_qso.h"
#include "analysis/near_zone.h"
#include "analysis/operators.h"
#include "bench_log.h"

#include <benchmark/benchmark.h>

using namespace benchlog;

namespace {

AppState& analysedLog()
{
    static AppState s = [] {
        AppState a;
        makeLog(a, 20000);
        // Eight operators taking turns, one in twenty QSOs without one.
        for (int r = 1; r <= 20000; ++r)
            a.log_grid.SetCell(lcOperator, r, r % 20 == 0 ? "" : "OP" + std::to_string(r / 37 % 8));
        SummaryPage page;
        Process_log_and_summary(a, countryFiles(), nullptr, false, page);
        return a;
    }();
    return s;
}

} // namespace

static void BM_NearZone(benchmark::State& st)
{
    const AppState& s = analysedLog();
    std::array<TKeoEGrid, NearZoneBandCount> g;
    for (auto _ : st) {
        const auto counts = nearZone(s.log_grid, countryFiles(), "DL1ABC", {4000, 4000, 4000, 4000},
                                     {&g[0], &g[1], &g[2], &g[3]});
        benchmark::DoNotOptimize(counts);
    }
    st.counters["near7"] = g[0].RowCount() - 1;
}

static void BM_OperatorTableAndChart(benchmark::State& st)
{
    const AppState& s = analysedLog();
    TKeoEGrid table;
    ChartData chart = makeAnalysisChart();
    for (auto _ : st) {
        clear_all_series(chart);
        fillOperatorTable(s.log_grid, table);
        operatorChart(table, OperatorTotalColumn, s.header.LogTitle, chart, [] { return 0x123456u; });
        benchmark::DoNotOptimize(chart.series.data());
    }
    st.counters["operators"] = table.RowCount() - 1;
}

static void BM_FindByCountryAndZone(benchmark::State& st)
{
    const AppState& s = analysedLog();
    FindCriteria c;
    c.notFromCountry = true;
    c.chosenCountry = chosenCountryOf(countryFiles(), "DL");
    c.waz = 14;
    c.callsign = "A";
    TKeoEGrid found;
    for (auto _ : st) benchmark::DoNotOptimize(findQsos(s.log_grid, countryFiles(), c, found));
    st.counters["found"] = found.RowCount() - 1;
}

static void BM_FindEveryRow(benchmark::State& st)
{
    const AppState& s = analysedLog();
    FindCriteria c;
    c.notFromCountry = true;
    c.chosenCountry = -1;
    TKeoEGrid found;
    for (auto _ : st) benchmark::DoNotOptimize(findQsos(s.log_grid, countryFiles(), c, found));
    st.counters["found"] = found.RowCount() - 1;
}

BENCHMARK(BM_NearZone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OperatorTableAndChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindByCountryAndZone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindEveryRow)->Unit(benchmark::kMillisecond);
