#include "analysis/analysis_pass.h"
#include "import/cabrillo_reader.h"
#include "refdata/cty_search.h"
#include "reports/html_export.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// A 20,000-QSO multi-transmitter log in the usual fixed columns.
std::string writeBigLog(int qsos)
{
    const auto path = std::filesystem::temp_directory_path() / ("zem_bench_" + std::to_string(::getpid()) + ".cbr");
    std::ofstream out(path, std::ios::binary);
    out << "START-OF-LOG: 3.0\r\nCONTEST: CQ-WW-CW\r\nCALLSIGN: RZ9ZEM\r\nCATEGORY-OPERATOR: MULTI-OP\r\n"
           "CATEGORY-TRANSMITTER: TWO\r\nCREATED-BY: bench\r\n";
    static const char* prefixes[] = {"DL", "OH", "K", "W", "JA", "UA3", "RA9", "G", "EA", "I", "SP", "OK", "VE", "LU"};
    static const int freqs[] = {1830, 3510, 7010, 14020, 21030, 28040};
    std::mt19937 rng(11);
    for (int i = 0; i < qsos; ++i) {
        std::string call = prefixes[rng() % 14];
        if (call.back() < '0' || call.back() > '9') call += char('0' + rng() % 10);
        for (int k = 0; k < 2 + int(rng() % 2); ++k) call += char('A' + rng() % 26);
        const int minute = i * 2880 / qsos;
        char line[128];
        std::snprintf(line, sizeof line, "QSO: %5d CW 2024-11-%02d %02d%02d RZ9ZEM        599 17     %-13s 599 %-6d %d\r\n",
                      freqs[rng() % 6] + int(rng() % 40), 23 + minute / 1440, minute / 60 % 24, minute % 60,
                      call.c_str(), 1 + int(rng() % 40), int(rng() % 2));
        out << line;
    }
    out << "END-OF-LOG:\r\n";
    return path.string();
}

} // namespace

static void BM_ReadCabrillo20000(benchmark::State& st)
{
    const std::string path = writeBigLog(20000);
    for (auto _ : st) {
        AppState s;
        auto r = readCabrilloLog(s, path);
        benchmark::DoNotOptimize(r);
        if (r.qsoCount != 20000) st.SkipWithError("wrong QSO count");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadCabrillo20000)->Unit(benchmark::kMillisecond);

// What opening a log costs without the drawing: reader, analysis pass and the
// Summary page.
static void BM_OpenAndProcess20000(benchmark::State& st)
{
    const std::string path = writeBigLog(20000);
    const auto data = std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
    TCty_search cty;
    cty.LoadFiles(data / "cty.dat", data / "zem-cty.dat");
    const auto out = std::filesystem::temp_directory_path() / ("zem_bench_out_" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    for (auto _ : st) {
        AppState s;
        readCabrilloLog(s, path);
        SummaryPage page;
        auto rep = Process_log_and_summary(s, cty, nullptr, false, page);
        grid_to_html(page.Summary_Grid, "Summary", out.string(), s.header, true);
        benchmark::DoNotOptimize(rep);
    }
    std::filesystem::remove_all(out);
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndProcess20000)->Unit(benchmark::kMillisecond);
