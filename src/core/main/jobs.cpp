#include "main/jobs.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <chrono>
#include <ctime>

JobTime JobNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return {((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + ms};
}

double JobElapsedMs(JobTime start, JobTime end) { return static_cast<double>(end.msOfDay - start.msOfDay); }

std::string elapsedText(double elapsedMs) { return ">>" + zem::formatShortest(elapsedMs / 1000.0) + " s."; }

int PercentOf(int Min, int Max, int Value, int Scale)
{
    if (Min > Max || Min > Value) return 0;
    if (Max < Value) return 100;
    if (Value == Min && Min == Max) return 100;
    // Min < Max here, so the step is never 0 while Scale is positive.
    if (Scale < 1) return 0;
    const double step = (static_cast<double>(Max) - Min) / Scale;
    return static_cast<int>(zem::roundHalfEven((static_cast<double>(Value) - Min) / step));
}

std::string except_proc_text(const AppState& s)
{
    return "Line: " + std::to_string(s.RowCounter) + "\r" + "Callsign: " + s.log_grid.Cell(lcCallsign, s.RowCounter);
}
