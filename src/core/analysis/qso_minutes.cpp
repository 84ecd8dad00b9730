#include "analysis/qso_minutes.h"

#include <algorithm>

int lastQsoRow(const TKeoEGrid& log, int qsoCount) { return qsoCount > 0 ? std::max(0, log.RowCount() - 1) : 0; }

std::vector<QsoMinute> qsoMinutes(const TKeoEGrid& log, int lastRow, std::vector<std::string>* errors)
{
    const size_t size = static_cast<size_t>(std::max(0, lastRow) + 1);
    std::vector<QsoMinute> m(size, 0);
    std::vector<bool> unread(size, false);
    if (errors) errors->assign(size, std::string());
    // The first readable minute stands in for the rows before it.
    QsoMinute prev = 1;
    bool found = false;
    for (int r = 1; r <= lastRow; ++r) {
        const auto i = static_cast<size_t>(r);
        if (const auto v = tryQsoMinute(log, r, errors ? &(*errors)[i] : nullptr)) {
            m[i] = *v;
            if (!found) prev = *v;
            found = true;
        } else {
            unread[i] = true;
        }
    }
    for (int r = 1; r <= lastRow; ++r) {
        const auto i = static_cast<size_t>(r);
        if (unread[i]) m[i] = prev;
        prev = m[i];
    }
    return m;
}
