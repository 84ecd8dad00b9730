#include "main/countdown.h"

#include "main/text_util.h"

#include <cmath>
#include <cstdlib>

namespace {

CivilDateTime thirdSaturdayOfMarch(int year)
{
    CivilDateTime d{year, 3, 1, 12, 0, 0, 0};
    for (int day = 1; day <= 30; ++day)
        if (zem::dayOfWeekIso(year, 3, day) == 6) {
            d.day = day;
            break;
        }
    d.day += 14;
    return d;
}

long long msSinceEpoch(const CivilDateTime& t)
{
    return ((zem::daysFromCivil(t.year, t.month, t.day) * 24LL + t.hour) * 60 + t.minute) * 60000LL + t.second * 1000LL +
           t.msec;
}

} // namespace

CivilDateTime contestDate(const CivilDateTime& now)
{
    CivilDateTime c = thirdSaturdayOfMarch(now.year);
    if (msSinceEpoch(now) - msSinceEpoch(c) > 1) c = thirdSaturdayOfMarch(now.year + 1);
    return c;
}

int daysBetween(const CivilDateTime& a, const CivilDateTime& b)
{
    return static_cast<int>(std::llabs(msSinceEpoch(b) - msSinceEpoch(a)) / 86400000LL);
}

std::string countdownText(int days) { return std::to_string(days) + " days left till Russian DX Contest..."; }
