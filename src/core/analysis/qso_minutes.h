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

// Minutes of rows 1..lastRow (index 0 unused). A row whose date or time does
// not read takes the minute of the row before it (the first readable row's
// for the rows before that), so that it adds no time and stops no command;
// errors, when given, gets for each such row (by row) why it did not read,
// and an empty text for every other row.
std::vector<QsoMinute> qsoMinutes(const TKeoEGrid& log, int lastRow, std::vector<std::string>* errors = nullptr);

// Called now and then with the row reached, so a window can show progress.
using RowProgress = std::function<void(int row)>;
