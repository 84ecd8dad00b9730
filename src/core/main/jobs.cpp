#include "main/jobs.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
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

double JobElapsedMs(JobTime start, JobTime end, double modalMs)
{
    // Whole milliseconds, as the time of day gives them: the panel shows at most three decimals.
    return static_cast<double>(end.msOfDay - start.msOfDay) - std::nearbyint(modalMs);
}

void ModalTime::opened(const void* window, double nowMs)
{
    for (const Open& o : open_)
        if (o.window == window) return;
    open_.push_back({window, nowMs});
}

void ModalTime::closed(const void* window, double nowMs)
{
    for (size_t i = 0; i < open_.size(); ++i) {
        if (open_[i].window != window) continue;
        if (spent_.size() <= i) spent_.resize(i + 1, 0.0);
        spent_[i] += std::max(0.0, nowMs - open_[i].atMs);
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

ModalTime::Mark ModalTime::mark(double nowMs) const
{
    const size_t d = open_.size();
    return {d, d < spent_.size() ? spent_[d] : 0.0, nowMs};
}

double ModalTime::spentSince(const Mark& m, double nowMs) const
{
    double t = (m.depth < spent_.size() ? spent_[m.depth] : 0.0) - m.spentMs;
    // A window below the job's closing first moves the ones over it down a
    // place: none of them counts from before the job's start.
    if (m.depth < open_.size()) t += std::max(0.0, nowMs - std::max(open_[m.depth].atMs, m.atMs));
    return std::max(0.0, t);
}

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
