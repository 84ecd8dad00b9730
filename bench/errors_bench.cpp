// The checks of the Errors page on a 20,000-QSO log: each, with the
// distribution it starts from, must stay well under half a second.
#include "analysis/distribution.h"
#include "analysis/log_checks.h"
#include "main/log_table.h"
#include "refdata/master_call_db.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A pool of plausible calls: prefix, digit, two or three letter suffix.
std::vector<std::string> callPool(int count, unsigned seed)
{
    static const char* prefixes[] = {"DL", "UA", "RA", "K", "W", "N", "JA", "G", "F", "I", "SP", "OK", "HA",
                                     "YO", "LZ", "PA", "EA", "VE", "LU", "PY", "UT", "OH", "SM", "9A", "S5"};
    std::mt19937 rng(seed);
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string c = prefixes[rng() % std::size(prefixes)];
        c += static_cast<char>('0' + rng() % 10);
        const int len = 2 + static_cast<int>(rng() % 2);
        for (int k = 0; k < len; ++k) c += static_cast<char>('A' + rng() % 26);
        out.push_back(c);
    }
    return out;
}

struct Fixture {
    AppState state;
    TMasterCallDB master;
    fs::path masterFile;

    explicit Fixture(int qsos)
    {
        // Master file of 40,000 calls; the log works three quarters of its
        // stations from it and the rest from calls it does not hold.
        const std::vector<std::string> known = callPool(40000, 1);
        masterFile = fs::temp_directory_path() / ("zem_errors_bench_" + std::to_string(::getpid()) + ".dta");
        Cteate_master(known, masterFile.string());
        master.LoadFromFile(masterFile.string());
        const std::vector<std::string> unknown = callPool(4000, 2);

        static const int bandKHz[] = {1820, 3520, 7020, 14020, 21020, 28020};
        std::mt19937 rng(7);
        TKeoEGrid& log = state.log_grid;
        initLogGrid(log);
        log.SetRowCount(qsos + 1);
        int minute = 0;
        for (int r = 1; r <= qsos; ++r) {
            const std::string& call = rng() % 4 ? known[rng() % 12000] : unknown[rng() % unknown.size()];
            const int khz = bandKHz[rng() % 6];
            minute += static_cast<int>(rng() % 3);
            if (rng() % 200 == 0) minute -= 2; // now and then a QSO logged late
            const int day = 1 + minute / 1440, hh = minute % 1440 / 60, mm = minute % 60;
            char date[32], time[16];
            std::snprintf(date, sizeof date, "2024-03-%02d", day);
            std::snprintf(time, sizeof time, "%02d%02d", hh, mm);
            log.SetCell(lcNumber, r, std::to_string(r));
            log.SetCell(lcKHz, r, std::to_string(khz));
            log.SetCell(lcBand, r, Freq_to_band(khz));
            log.SetCell(lcMode, r, "CW");
            log.SetCell(lcDate, r, date);
            log.SetCell(lcTime, r, time);
            log.SetCell(lcCallsign, r, call);
        }
        state.header.QsoCount = qsos;
    }
    ~Fixture() { fs::remove(masterFile); }
};

Fixture& fixture()
{
    static Fixture f(20000);
    return f;
}

void BM_SuspectCallsigns(benchmark::State& st)
{
    Fixture& f = fixture();
    TKeoEGrid errors;
    initErrorsGrid(errors);
    for (auto _ : st) benchmark::DoNotOptimize(suspectCallsigns(f.state, errors));
}
BENCHMARK(BM_SuspectCallsigns)->Unit(benchmark::kMillisecond);

void BM_TimeOrder(benchmark::State& st)
{
    Fixture& f = fixture();
    TKeoEGrid errors;
    initErrorsGrid(errors);
    for (auto _ : st) benchmark::DoNotOptimize(timeOrder(f.state.log_grid, f.state.header.QsoCount, errors));
}
BENCHMARK(BM_TimeOrder)->Unit(benchmark::kMillisecond);

// A check that starts from the distribution by bands, as the page runs it.
template <typename Check>
void runAfterDistribution(benchmark::State& st, Check check)
{
    Fixture& f = fixture();
    TKeoEGrid errors;
    initErrorsGrid(errors);
    for (auto _ : st) {
        const BandDistribution d = distributionByBands(f.state.log_grid, f.state.header.QsoCount, false);
        benchmark::DoNotOptimize(check(f, d, errors));
    }
}

void BM_PossibleMistakes(benchmark::State& st)
{
    runAfterDistribution(st, [](Fixture& f, const BandDistribution& d, TKeoEGrid& errors) {
        return possibleMistakes(f.state.log_grid, d.columns[0], f.master, errors);
    });
}
BENCHMARK(BM_PossibleMistakes)->Unit(benchmark::kMillisecond);

void BM_Partials(benchmark::State& st)
{
    runAfterDistribution(st, [](Fixture& f, const BandDistribution& d, TKeoEGrid& errors) {
        return partialsInLog(f.state.log_grid, d.columns, &f.master, errors);
    });
}
BENCHMARK(BM_Partials)->Unit(benchmark::kMillisecond);

void BM_MasterCheck(benchmark::State& st)
{
    Fixture& f = fixture();
    for (auto _ : st) {
        const BandDistribution d = distributionByBands(f.state.log_grid, f.state.header.QsoCount, false);
        benchmark::DoNotOptimize(masterCheck(d.all, f.master).notFound.size());
    }
}
BENCHMARK(BM_MasterCheck)->Unit(benchmark::kMillisecond);

} // namespace
