#include "analysis/qso_minutes.h"

#include <algorithm>
#include <stdexcept>

int lastQsoRow(const TKeoEGrid& log, int qsoCount) { return qsoCount > 0 ? std::max(0, log.RowCount() - 1) : 0; }

std::vector<QsoMinute> qsoMinutes(const TKeoEGrid& log, int lastRow)
{
    std::vector<QsoMinute> m(static_cast<size_t>(std::max(0, lastRow) + 1), 0);
    for (int r = 1; r <= lastRow; ++r) {
        try {
            m[static_cast<size_t>(r)] = get_time_for_qso(log, r, 0);
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument("Line " + std::to_string(r) + ": " + e.what());
        }
    }
    return m;
}
