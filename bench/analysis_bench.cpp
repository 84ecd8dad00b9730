#include "analysis/analysis_pass.h"
#include "bench_log.h"
#include "main/log_table.h"
#include "refdata/cty_search.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace benchlog;

static void BM_AnalysisPass20000(benchmark::State& st)
{
    TCty_search& cty = countryFiles();
    AppState base;
    makeLog(base, 20000);
    SummaryPage page;
    int wpx = 0;
    for (auto _ : st) {
        st.PauseTiming();
        AppState s = base;
        st.ResumeTiming();
        auto report = Process_log_and_summary(s, cty, nullptr, false, page);
        benchmark::DoNotOptimize(report);
        wpx = s.WpxCount;
        if (s.BadQsoCount != 0) throw std::runtime_error("the generated log should convert cleanly");
    }
    st.counters["WPX"] = wpx;
}
BENCHMARK(BM_AnalysisPass20000)->Unit(benchmark::kMillisecond);
