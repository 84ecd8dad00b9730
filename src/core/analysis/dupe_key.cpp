#include "analysis/dupe_key.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <unordered_set>

std::string dupeKey(const std::string& call, const std::string& mode, const std::string& kHz)
{
    return zem::upperAscii(call + "-" + mode + "-" + bandKeyOfKHzCell(kHz));
}

std::vector<bool> dupeRows(const TKeoEGrid& log)
{
    const int rows = log.RowCount();
    std::vector<bool> dupe(static_cast<size_t>(std::max(rows, 1)), false);
    std::unordered_set<std::string> seen;
    for (int r = 1; r < rows; ++r)
        if (!seen.insert(dupeKey(log.Cell(lcCallsign, r), log.Cell(lcMode, r), log.Cell(lcKHz, r))).second)
            dupe[static_cast<size_t>(r)] = true;
    return dupe;
}
