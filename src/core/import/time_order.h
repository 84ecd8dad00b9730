#pragma once
// Putting the QSOs of a log into time order before they reach the log table.
// Rates, breaks and the Summary walk the table in row order and take it for
// the time line; a database or an ADIF file keeps its QSOs in any order
// (entry order, newest first), so their readers sort them here.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

// When a QSO was made, as its reader holds it: dates "yyyy-mm-dd" and times
// of fixed width compare as text. A QSO without a usable date and time
// (timed false) goes after all the others.
struct QsoTimeOf {
    bool timed;
    const std::string& date;
    const std::string& time;
};

// Stable: QSOs of the same time, and those without one, keep their order.
// timeOf(qso) gives the QsoTimeOf of one element.
template <class Qso, class TimeOf>
void sortByQsoTime(std::vector<Qso>& qsos, TimeOf timeOf)
{
    std::stable_sort(qsos.begin(), qsos.end(), [&](const Qso& a, const Qso& b) {
        const QsoTimeOf ta = timeOf(a);
        const QsoTimeOf tb = timeOf(b);
        if (ta.timed != tb.timed) return ta.timed;
        if (!ta.timed) return false;
        return std::tie(ta.date, ta.time) < std::tie(tb.date, tb.time);
    });
}
