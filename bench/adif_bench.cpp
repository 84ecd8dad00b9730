#include "import/adif_reader.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// A 20,000-QSO export of about 3 MB: one record per line, the fields a
// contest logger writes, tags in mixed case.
std::string writeBigAdif(int qsos)
{
    const auto path = std::filesystem::temp_directory_path() / ("zem_bench_" + std::to_string(::getpid()) + ".adi");
    std::ofstream out(path, std::ios::binary);
    out << "ADIF export\r\nContest: bench\r\n<ADIF_VER:5>3.1.0 <PROGRAMID:5>bench <EOH>\r\n";
    static const char* prefixes[] = {"DL", "OH", "K", "W", "JA", "UA3", "RA9", "G", "EA", "I", "SP", "OK", "VE", "LU"};
    static const char* bands[] = {"160M", "80M", "40M", "20M", "15M", "10M"};
    static const char* mhz[] = {"1.830", "3.510", "7.010", "14.020", "21.030", "28.040"};
    std::mt19937 rng(11);
    for (int i = 0; i < qsos; ++i) {
        std::string call = prefixes[rng() % 14];
        if (call.back() < '0' || call.back() > '9') call += char('0' + rng() % 10);
        for (int k = 0; k < 2 + int(rng() % 2); ++k) call += char('A' + rng() % 26);
        const int b = int(rng() % 6);
        const int minute = i * 2880 / qsos;
        char line[512];
        std::snprintf(line, sizeof line,
                      "<call:%zu>%s <QSO_DATE:8:D>202411%02d <TIME_ON:6>%02d%02d00 <BAND:%zu>%s <FREQ:%zu>%s "
                      "<MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <STX:%zu>%d <SRX_STRING:2>17 "
                      "<OPERATOR:6>RZ9ZEM <CONTEST_ID:8>CQ-WW-CW <COMMENT:12>bench record <EOR>\r\n",
                      call.size(), call.c_str(), 23 + minute / 1440, minute / 60 % 24, minute % 60,
                      std::string(bands[b]).size(), bands[b], std::string(mhz[b]).size(), mhz[b],
                      std::to_string(i + 1).size(), i + 1);
        out << line;
    }
    return path.string();
}

void BM_ReadAdif20000(benchmark::State& st)
{
    const std::string path = writeBigAdif(20000);
    st.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    for (auto _ : st) {
        AppState s;
        initLogGrid(s.log_grid);
        const std::string data = zem::readFile(path);
        readAdifRecords(s, data);
        if (s.header.QsoCount != 20000) st.SkipWithError("wrong QSO count");
        benchmark::DoNotOptimize(s.log_grid.RowCount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadAdif20000)->Unit(benchmark::kMillisecond);

} // namespace
