#include "analysis/distribution.h"
#include "main/log_table.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// A 20,000-QSO log of a few thousand stations, each met on one to six bands
// and now and then twice on a band, in runs of 20 to 200 QSOs per band.
TKeoEGrid makeDistributionLog(int qsos)
{
    static const char* prefixes[] = {"DL", "UA3", "RA9", "K", "W", "JA", "G", "F", "I", "SP", "OK", "HA", "YO",
                                     "LZ", "PA", "EA", "VE", "LU", "PY", "VK", "ZL", "UT", "OH", "SM", "9A"};
    static const char* bands[] = {"160", "80", "40", "20", "15", "10"};
    static const int bandKHz[] = {1820, 3520, 7020, 14020, 21020, 28020};
    static const char* modes[] = {"CW", "PH"};
    std::mt19937 rng(7);
    std::vector<std::string> stations;
    for (int i = 0; i < qsos / 4; ++i) {
        std::string call = prefixes[rng() % std::size(prefixes)];
        if (call.back() < '0' || call.back() > '9') call += std::to_string(rng() % 10);
        for (int k = 0; k < 2 + static_cast<int>(rng() % 2); ++k) call += static_cast<char>('A' + rng() % 26);
        stations.push_back(call);
    }
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(qsos + 1);
    int band = 3, left = 0;
    for (int r = 1; r <= qsos; ++r) {
        if (left-- <= 0) {
            band = static_cast<int>(rng() % 6);
            left = 20 + static_cast<int>(rng() % 180);
        }
        g.SetCell(lcNumber, r, std::to_string(r));
        g.SetCell(lcBand, r, bands[band]);
        g.SetCell(lcKHz, r, std::to_string(bandKHz[band] + static_cast<int>(rng() % 30)));
        g.SetCell(lcMode, r, modes[rng() % 2]);
        g.SetCell(lcCallsign, r, stations[rng() % stations.size()]);
    }
    return g;
}

// The chain's three steps over the log: dupe marks, the distribution by
// bands (as qso_proc runs it) and the band counts of the QSO column.
void BM_DupesDistributionQsoColumn(benchmark::State& state)
{
    const int qsos = static_cast<int>(state.range(0));
    const TKeoEGrid fresh = makeDistributionLog(qsos);
    for (auto _ : state) {
        state.PauseTiming();
        TKeoEGrid log = fresh;
        state.ResumeTiming();
        benchmark::DoNotOptimize(Mark_dupes(log, qsos));
        const BandDistribution d = distributionByBands(log, qsos, false);
        qso_proc(log, qsos, d);
        benchmark::DoNotOptimize(d.all.size());
    }
}
BENCHMARK(BM_DupesDistributionQsoColumn)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_TotalOnBand(benchmark::State& state)
{
    const int qsos = static_cast<int>(state.range(0));
    const TKeoEGrid log = makeDistributionLog(qsos);
    for (auto _ : state) benchmark::DoNotOptimize(totalOnBand(log, qsos).all.size());
}
BENCHMARK(BM_TotalOnBand)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace
