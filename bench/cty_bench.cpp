#include "refdata/cty_search.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

// The shipped country files: data/ of the source tree, found from this file.
std::filesystem::path dataFolder()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}

// Calls as a contest log holds them: a prefix with its call-area digit, a
// suffix of one to three letters, now and then a portable form.
std::vector<std::string> contestCalls(int count)
{
    static const char* const prefixes[] = {
        "DL", "DK", "G", "M", "F", "I", "IK", "EA", "OH", "SM", "OK", "OM", "SP", "HA", "YO", "LZ", "YU", "9A",
        "S5", "UR", "UT", "US", "EW", "LY", "ES", "YL", "RA", "RW", "RK", "RN", "RZ", "R", "UA", "UB", "K", "W",
        "N", "AA", "KG", "VE", "VA", "JA", "JH", "BY", "BG", "HL", "VK", "ZL", "PY", "LU", "CE", "ZS", "CN", "EA8",
        "4X", "TA", "UN", "EX", "4L", "EK", "KH6", "KL7", "VU", "HS", "YB", "DU", "9M2", "A6", "CT", "ON", "PA"};
    std::mt19937 rng(2024);
    std::vector<std::string> calls;
    calls.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string call = prefixes[rng() % std::size(prefixes)];
        call += static_cast<char>('0' + rng() % 10);
        const int letters = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < letters; ++k) call += static_cast<char>('A' + rng() % 26);
        switch (rng() % 20) {
        case 0: call += "/P"; break;
        case 1: call += '/'; call += static_cast<char>('0' + rng() % 10); break;
        case 2: call.insert(0, "DL/"); break;
        case 3: call += "/QRP"; break;
        default: break;
        }
        calls.push_back(std::move(call));
    }
    return calls;
}

} // namespace

static void BM_CtyLookup20000(benchmark::State& st)
{
    TCty_search cty(dataFolder());
    const std::vector<std::string> calls = contestCalls(20000);
    long found = 0;
    for (auto _ : st) {
        for (const std::string& call : calls) found += cty.LookupCall(call) ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
    st.counters["found"] = static_cast<double>(found) / static_cast<double>(st.iterations());
}
BENCHMARK(BM_CtyLookup20000)->Unit(benchmark::kMillisecond);

static void BM_CtyLoad(benchmark::State& st)
{
    for (auto _ : st) {
        TCty_search cty(dataFolder());
        benchmark::DoNotOptimize(cty.CountryCount());
    }
}
BENCHMARK(BM_CtyLoad)->Unit(benchmark::kMillisecond);
