// The DXCC page's commands on a 20,000-QSO log, after the analysis pass has
// written the band cells.
#include "analysis/analysis_pass.h"
#include "analysis/country_tables.h"
#include "analysis/multiplier_tables.h"
#include "analysis/qso_listings.h"
#include "bench_log.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace benchlog;

namespace {

AppState& analysedLog()
{
    static AppState s = [] {
        AppState a;
        makeLog(a, 20000);
        SummaryPage page;
        Process_log_and_summary(a, countryFiles(), nullptr, false, page);
        return a;
    }();
    return s;
}

template <class Command>
void runTable(benchmark::State& st, Command command)
{
    AppState s = analysedLog();
    TKeoEGrid grid;
    for (auto _ : st) {
        command(s, countryFiles(), grid);
        benchmark::DoNotOptimize(grid.RowCount());
    }
    if (s.BadQsoCount != 0) throw std::runtime_error("the generated log should convert cleanly");
    st.counters["rows"] = grid.RowCount();
}

} // namespace

static void BM_QsoByCountries(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) {
        qsoByCountries(s, c, g, [](double lat, double lon) { return lat + lon; });
    });
}
static void BM_WpxByCountries(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) { wpxByCountries(s, c, g); });
}
static void BM_RemainingMults(benchmark::State& st) { runTable(st, remainingMults); }
static void BM_ChronologicalList(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) { chronologicalList(s, c, g, "EU", 14000); });
}
static void BM_CountryStations(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) {
        std::array<int, SummaryBandCount> bands{};
        countryStations(s, c, g, "DL", bands);
    });
}
static void BM_HourContinents(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) { hourContinents(s, c, g); });
}
static void BM_WpxTable(benchmark::State& st) { runTable(st, wpxTable); }
static void BM_WazTable(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) { zoneTable(s, c, g, ZoneKind::WAZ); });
}
static void BM_OblastTable(benchmark::State& st)
{
    runTable(st, [](AppState& s, TCty_search& c, TKeoEGrid& g) { oblastTable(s, c, g); });
}
BENCHMARK(BM_QsoByCountries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WpxByCountries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemainingMults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChronologicalList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountryStations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HourContinents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WpxTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WazTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OblastTable)->Unit(benchmark::kMillisecond);
