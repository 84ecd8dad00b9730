#include "analysis/breaks.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>

namespace {

constexpr int kProgressStep = 1000;

} // namespace

void initBreaksGrid(TKeoEGrid& grid)
{
    grid.SetColCount(8);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.Alignment = TAlignment::Center;
    grid.SetHeader({"#", "Break, min", "Bands", "Time", "Callsign 1", "Callsign 2", "Line in log", "With QSY"});
    grid.ClearGrid();
}

BreaksSummary Breaks(TKeoEGrid& grid, const TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int minimum,
                     int maximum, const RowProgress& progress)
{
    TKeoEGrid::BatchUpdate batch(grid);
    grid.ClearGrid();
    BreaksSummary sum;
    const int last = static_cast<int>(minutes.size()) - 1;
    int latestRow = 1;
    for (int r = 1; r < last; ++r) {
        if (progress && r % kProgressStep == 0) progress(r);
        if (minutes[static_cast<size_t>(r)] >= minutes[static_cast<size_t>(latestRow)]) latestRow = r;
        const QsoMinute gap = minutes[static_cast<size_t>(r + 1)] - minutes[static_cast<size_t>(latestRow)] - 1;
        if (gap <= minimum || gap > maximum) continue;
        ++sum.breaks;
        sum.total += gap;
        const int a = latestRow, b = r + 1;
        const std::string& k1 = log.Cell(lcKHz, a);
        const std::string& k2 = log.Cell(lcKHz, b);
        std::string qsy;
        if (bandKeyOfKHzCell(k1) != bandKeyOfKHzCell(k2)) qsy = std::to_string(++sum.moves);
        grid.SetRowCount(sum.breaks + 1);
        grid.WriteRow(sum.breaks, {std::to_string(sum.breaks), std::to_string(gap), k1 + " - " + k2,
                                   log.Cell(lcTime, a) + " - " + log.Cell(lcTime, b), log.Cell(lcCallsign, a),
                                   log.Cell(lcCallsign, b), std::to_string(a), qsy});
    }
    grid.SetRowCount(sum.breaks + 2);
    grid.WriteRow(sum.breaks + 1, {"Total", std::to_string(sum.total), "", "", "", "", "", std::to_string(sum.moves)});
    grid.Row = sum.breaks + 1;
    return sum;
}

std::string breaksTotalText(QsoMinute total)
{
    return "Total: " + std::to_string(total / 60) + "h " + std::to_string(total % 60) + "min";
}

std::string breaksTitle(int minimum, bool withMaximum, int maximum)
{
    std::string t = "Breaks more then " + std::to_string(minimum) + " minuts";
    if (withMaximum) t += " and less then " + std::to_string(maximum) + " minuts";
    return t;
}

int Check_bands_change_rule(TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int limitMinutes,
                            const RowProgress& progress)
{
    TKeoEGrid::BatchUpdate batch(log);
    const int last = static_cast<int>(minutes.size()) - 1;
    auto m = [&](int r) { return minutes[static_cast<size_t>(r)]; };
    int count = 0;
    int runStart = 1;
    // The stay runs from its earliest QSO to the latest of its own QSOs and
    // the first QSO on the next band: the same as first-to-first for a log in
    // time order, and never negative for one that is not.
    QsoMinute runEarliest = last >= 1 ? m(1) : 0;
    QsoMinute runLatest = runEarliest;
    for (int r = 1; r < last; ++r) {
        if (progress && r % kProgressStep == 0) progress(r);
        log.SetCell(lcNumber, r, std::to_string(r));
        runEarliest = std::min(runEarliest, m(r));
        runLatest = std::max(runLatest, m(r));
        if (bandKeyOfKHzCell(log.Cell(lcKHz, r)) == bandKeyOfKHzCell(log.Cell(lcKHz, r + 1))) continue;
        if (std::max(runLatest, m(r + 1)) - runEarliest < limitMinutes) {
            for (int q = runStart; q <= r; ++q) log.SetCell(lcNumber, q, "+" + log.Cell(lcNumber, q));
            ++count;
        }
        runStart = r + 1;
        runEarliest = runLatest = m(r + 1);
    }
    return count;
}

std::string bandsChangeRuleMessage(int infringements)
{
    return "Total infringements:\n\n" + std::to_string(infringements) + "\n\nInfringements are painted in red color";
}
