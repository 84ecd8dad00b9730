#include "analysis/number_column.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <string>

void clearBandChangeMarks(TKeoEGrid& log, int qsoCount)
{
    TKeoEGrid::BatchUpdate batch(log);
    const int last = std::min(qsoCount, log.RowCount() - 1);
    for (int r = 1; r <= last; ++r) log.SetCell(lcNumber, r, std::to_string(zem::toInt(log.Cell(lcNumber, r))));
}
