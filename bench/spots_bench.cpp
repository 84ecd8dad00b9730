// A weekend of a busy DX cluster: 500,000 spot lines from some 2,000
// spotters (skimmers among them) of about 20,000 DX calls, read from disk and
// counted, then searched for one callsign.
#include "bench_calls.h"
#include "spots/spots.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

constexpr int kLines = 500000;

std::string spotLine(const std::string& spotter, double kHz, const std::string& dx, int minute)
{
    char freq[16];
    std::snprintf(freq, sizeof freq, "%.1f", kHz);
    std::string s(75, ' ');
    s.replace(0, 6, "DX de ");
    s.replace(6, spotter.size() + 1, spotter + ":");
    const std::string f = freq;
    s.replace(24 - f.size(), f.size(), f);
    s.replace(26, dx.size(), dx);
    s.replace(39, 18, "CW 12 dB 25 WPM CQ");
    char time[8];
    std::snprintf(time, sizeof time, "%02d%02dZ", minute / 60 % 24, minute % 60);
    s.replace(70, 5, time);
    return s;
}

const std::string& spotFile()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / ("zem-spots-bench-" + std::to_string(::getpid()) + ".txt");
        std::mt19937 rng(7);
        std::ofstream out(p, std::ios::binary);
        static const double bands[] = {1820, 3510, 7010, 14010, 21010, 28010};
        for (int i = 0; i < kLines; ++i) {
            const std::string spotter = benchcalls::callOf(rng, static_cast<int>(rng() % 2000) + 100000);
            // A few calls are spotted very often, most now and then.
            const int dx = rng() % 4 == 0 ? static_cast<int>(rng() % 50) : static_cast<int>(rng() % 20000);
            out << spotLine(spotter, bands[rng() % 6] + (rng() % 400) / 10.0, benchcalls::callOf(rng, dx), i / 350) << "\r\n";
        }
        return p.string();
    }();
    return path;
}

} // namespace

static void BM_SpotFileReadAndCount500k(benchmark::State& st)
{
    const std::string& path = spotFile();
    for (auto _ : st) {
        TKeoEGrid spots, spotters(3, 2), dx(3, 2);
        initSpotGrid(spots);
        const int n = readSpotFile(path, spots).spots;
        benchmark::DoNotOptimize(countSpotsBy(spots, n, spcSpotter, spotters));
        benchmark::DoNotOptimize(countSpotsBy(spots, n, spcDX, dx));
    }
}
BENCHMARK(BM_SpotFileReadAndCount500k)->Unit(benchmark::kMillisecond);

static void BM_SpotSearch500k(benchmark::State& st)
{
    TKeoEGrid spots, found(SpotColumnCount, 2);
    initSpotGrid(spots);
    const int n = readSpotFile(spotFile(), spots).spots;
    const std::string call = spots.Cell(spcDX, 1);
    int hits = 0;
    for (auto _ : st) benchmark::DoNotOptimize(hits = searchSpots(spots, n, call, found));
    st.counters["found"] = hits;
}
BENCHMARK(BM_SpotSearch500k)->Unit(benchmark::kMillisecond);
