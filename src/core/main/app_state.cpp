#include "main/app_state.h"

#include "main/log_table.h"

AppState::AppState() : error_keo(7, 2, 0, 1)
{
    initLogGrid(log_grid);
    error_keo.SetHeader({"Line", "kHz", "Mode", "Date", "Time", "Callsign", "TX"});
}

void Bad_QSO(AppState& s)
{
    if (!s.listedRows.insert(s.RowCounter).second) return;
    ++s.BadQsoCount;
    auto& e = s.error_keo;
    if (e.RowCount() <= s.BadQsoCount) e.SetRowCount(s.BadQsoCount + 1);
    const auto& l = s.log_grid;
    const int r = s.RowCounter;
    e.WriteRow(s.BadQsoCount, {l.Cell(lcNumber, r), l.Cell(lcKHz, r), l.Cell(lcMode, r), l.Cell(lcDate, r),
                               l.Cell(lcTime, r), l.Cell(lcCallsign, r), ""});
}

void resetErrorList(AppState& s)
{
    s.BadQsoCount = 0;
    s.listedRows.clear();
    s.error_keo.ClearGrid();
}
