#include "import/dt_change.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr long long kMinutesPerDay = 1440;

int twoDigits(const std::string& time, size_t from)
{
    const std::string part = time.substr(from, 2);
    if (part.size() != 2 || !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw std::invalid_argument("'" + time + "' is not a valid time");
    return (part[0] - '0') * 10 + (part[1] - '0');
}

} // namespace

QsoDateTime readQsoDateTime(const TKeoEGrid& log, int row)
{
    const std::string& date = log.Cell(lcDate, row);
    const std::string& time = log.Cell(lcTime, row);
    QsoDateTime t;
    t.day = DateTextToDayNumber(date);
    if (time.size() < 4) throw std::invalid_argument("'" + time + "' is not a valid time");
    const int h = twoDigits(time, 0);
    const int m = twoDigits(time, 2);
    if (h > 23 || m > 59) throw std::invalid_argument("'" + time + "' is not a valid time");
    t.minute = h * 60 + m;
    return t;
}

QsoDateTime shiftMinutes(QsoDateTime t, long long minutes)
{
    long long total = static_cast<long long>(t.day) * kMinutesPerDay + t.minute + minutes;
    long long day = total / kMinutesPerDay;
    long long minute = total % kMinutesPerDay;
    if (minute < 0) {
        minute += kMinutesPerDay;
        --day;
    }
    return {static_cast<long>(day), static_cast<int>(minute)};
}

std::string dateText(QsoDateTime t)
{
    int y = 0, m = 0, d = 0;
    zem::civilFromDays(t.day + zem::daysFromCivil(1899, 12, 30), y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string timeText(QsoDateTime t)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d", t.minute / 60, t.minute % 60);
    return buf;
}

std::string dateTimeText(QsoDateTime t) { return dateText(t) + " " + timeText(t); }

std::string exampleAfterShift(QsoDateTime old, long long minutes) { return dateTimeText(shiftMinutes(old, minutes)); }

void shiftLogDateTime(TKeoEGrid& log, long long minutes, int first, int last)
{
    first = std::max(first, log.FixedRows());
    last = std::min(last, log.RowCount() - 1);
    TKeoEGrid::BatchUpdate batch(log);
    for (int r = first; r <= last; ++r) {
        const QsoDateTime t = shiftMinutes(readQsoDateTime(log, r), minutes);
        log.SetCell(lcDate, r, dateText(t));
        log.SetCell(lcTime, r, timeText(t));
    }
}

void shiftLogDateTime(TKeoEGrid& log, long long minutes) { shiftLogDateTime(log, minutes, 1, log.RowCount() - 1); }
