#include "analysis/rates.h"

#include "main/text_util.h"

#include <deque>
#include <stdexcept>

std::string qsoInMinuteTitle(int n) { return std::to_string(n) + " QSO in minute"; }

std::string qsoLine(const TKeoEGrid& log, int row)
{
    return log.Cell(lcKHz, row) + "  " + log.Cell(lcMode, row) + "  " + log.Cell(lcDate, row) + "  " +
           log.Cell(lcTime, row) + "  " + log.Cell(lcCallsign, row);
}

namespace {

// Calls close(first, last) for every stretch of neighbouring rows in one minute.
template <class Close>
void forEachStretch(const std::vector<QsoMinute>& minutes, Close close)
{
    const int last = static_cast<int>(minutes.size()) - 1;
    int first = 1;
    for (int r = 1; r <= last; ++r)
        if (r == last || minutes[static_cast<size_t>(r + 1)] != minutes[static_cast<size_t>(r)]) {
            close(first, r);
            first = r + 1;
        }
}

} // namespace

AllRates allRatesPerMinute(const std::vector<QsoMinute>& minutes)
{
    AllRates a;
    forEachStretch(minutes, [&](int first, int last) {
        const int n = last - first + 1;
        if (n >= 2 && n <= 9) ++a.counts[static_cast<size_t>(n - 2)];
    });
    a.lines = {std::string(kRatePerMinuteCaption) + " " + kTimesCaption, ""};
    for (int n = 2; n <= 9; ++n)
        a.lines.push_back(qsoInMinuteTitle(n) + "  " + std::to_string(a.counts[static_cast<size_t>(n - 2)]));
    return a;
}

RunListing ratePerMinuteRuns(const TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int n)
{
    RunListing out;
    forEachStretch(minutes, [&](int first, int last) {
        if (last - first + 1 != n) return;
        ++out.runs;
        for (int r = first; r <= last; ++r) out.lines.push_back(qsoLine(log, r));
        out.lines.push_back("(" + std::to_string(out.runs) + ")rate " + std::to_string(n) + " QSOs/min.");
        // Row 0 holds the titles, so a run from the first QSO always follows a "band change".
        if (log.Cell(lcBand, first - 1) != log.Cell(lcBand, first)) out.lines.push_back("After QSY");
        out.lines.push_back("");
        out.lines.push_back("");
    });
    return out;
}

std::string runsFileName(int n, int runs)
{
    return std::to_string(n) + " QSO per min. rate(" + std::to_string(runs) + ").txt";
}

BestWindow bestWindow(const std::vector<QsoMinute>& minutes, int period)
{
    // A window of log rows s..r that never shrinks: it grows while its QSOs
    // lie within the period and slides by one row otherwise. The span is the
    // latest minus the earliest minute in the window (kept by two monotonic
    // queues), so rows out of time order never widen a window.
    BestWindow best;
    const int last = static_cast<int>(minutes.size()) - 1;
    auto m = [&](int r) { return minutes[static_cast<size_t>(r)]; };
    std::deque<int> hi, lo;
    int s = 1;
    for (int r = 1; r <= last; ++r) {
        while (!hi.empty() && m(hi.back()) <= m(r)) hi.pop_back();
        hi.push_back(r);
        while (!lo.empty() && m(lo.back()) >= m(r)) lo.pop_back();
        lo.push_back(r);
        while (hi.front() < s) hi.pop_front();
        while (lo.front() < s) lo.pop_front();
        if (m(hi.front()) - m(lo.front()) <= period - 1) {
            if (r - s + 1 > best.qsos) best = {s, r, r - s + 1};
        } else {
            ++s;
        }
    }
    return best;
}

void initRateGrid(TKeoEGrid& grid)
{
    grid.SetColCount(4);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    grid.Alignment = TAlignment::Center;
    grid.SetHeader({"Period", "Rate", "QSO", "Time"});
    grid.ClearGrid();
    grid.SetRowCount(static_cast<int>(kRatePeriods.size()) + 1);
}

BestWindow Get_rate(TKeoEGrid& grid, int period, int row, const TKeoEGrid& log,
                    const std::vector<QsoMinute>& minutes)
{
    if (period < 1) throw std::invalid_argument("'" + std::to_string(period) + "' is not a period of minutes");
    const BestWindow w = bestWindow(minutes, period);
    if (row >= grid.RowCount()) grid.SetRowCount(row + 1);
    grid.WriteRow(row, {std::to_string(period), zem::formatFixed(static_cast<double>(w.qsos) / period, 2),
                        std::to_string(w.qsos),
                        w.qsos > 0 ? log.Cell(lcTime, w.first) + " - " + log.Cell(lcTime, w.last) : std::string()});
    return w;
}

std::vector<std::string> periodListing(const TKeoEGrid& log, int period, const BestWindow& w)
{
    std::vector<std::string> lines = {kMaximalRatesCaption, "", std::to_string(period) + " minuts", ""};
    if (w.qsos > 0)
        for (int r = w.first; r <= w.last; ++r) lines.push_back(qsoLine(log, r));
    return lines;
}

std::string periodFileName(const std::string& period) { return "Rate - " + period + " minuts.txt"; }

