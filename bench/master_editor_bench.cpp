#include "analysis/distribution.h"
#include "main/log_table.h"
#include "refdata/master_call_db.h"
#include "refdata/master_editor.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

std::filesystem::path benchFolder()
{
    static const auto dir = [] {
        auto d = std::filesystem::temp_directory_path() / "zem_master_editor_bench";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// The master file the program ships, built from the same call list.
const TMasterCallDB& shippedMaster()
{
    static const TMasterCallDB m = [] {
        const auto file = (benchFolder() / "master.dta").string();
        MasterCallList calls;
        calls.AddAll(readCallTextFile(std::string(ZEM_SOURCE_DIR) + "/data-src/MASTER.SCP"));
        Cteate_master(calls.Calls(), file);
        TMasterCallDB db;
        db.LoadFromFile(file);
        return db;
    }();
    return m;
}

// 20,000 QSOs with about 5,000 stations on the six bands.
const TKeoEGrid& log20k()
{
    static const TKeoEGrid g = [] {
        static const char* prefixes[] = {"DL", "UA3", "RA9", "K", "W", "JA", "G", "F", "SP", "OK", "VE", "LU", "VK"};
        static const char* bands[] = {"160", "80", "40", "20", "15", "10"};
        std::mt19937 rng(11);
        TKeoEGrid log;
        initLogGrid(log);
        const int qsos = 20000;
        log.SetRowCount(qsos + 1);
        for (int r = 1; r <= qsos; ++r) {
            std::string call = prefixes[rng() % std::size(prefixes)];
            if (call.back() < '0' || call.back() > '9') call += std::to_string(rng() % 10);
            call += static_cast<char>('A' + rng() % 26);
            call += static_cast<char>('A' + rng() % 8);
            log.SetCell(lcNumber, r, std::to_string(r));
            log.SetCell(lcBand, r, bands[rng() % 6]);
            log.SetCell(lcCallsign, r, call);
        }
        return log;
    }();
    return g;
}

// Open current log, open the master file, merge both and save a master file.
void BM_MasterEditorGatherAndSave(benchmark::State& state)
{
    const TMasterCallDB& master = shippedMaster();
    const TKeoEGrid& log = log20k();
    const auto out = (benchFolder() / "mine.dta").string();
    for (auto _ : state) {
        MasterCallList list;
        list.AddAll(master.AllCalls());
        list.AddAll(distributionByBands(log, 20000, false).all);
        Cteate_master(list.Calls(), out);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_MasterEditorGatherAndSave)->Unit(benchmark::kMillisecond);

} // namespace
