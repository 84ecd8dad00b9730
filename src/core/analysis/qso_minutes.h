#pragma once
// The QSO minutes of the whole log, read once for the commands that walk the
// log's time line (rates, breaks, the band-change rule).

#include "main/keoe_grid.h"
#include "main/log_table.h"

#include <functional>
#include <string>
#include <vector>

// The last QSO row of the log table: 0 while no QSO is loaded.
int lastQsoRow(const TKeoEGrid& log, int qsoCount);

// Minutes of rows 1..lastRow (index 0 unused). Throws std::invalid_argument
// naming the row when a date or time does not convert.
std::vector<QsoMinute> qsoMinutes(const TKeoEGrid& log, int lastRow);

// Called now and then with the row reached, so a window can show progress.
using RowProgress = std::function<void(int row)>;
