#pragma once
// A small log table for the tests of the commands that walk the log's time
// line: each QSO is kHz, date, time and callsign; band from the frequency.

#include "analysis/qso_minutes.h"
#include "main/log_table.h"

#include <string>
#include <vector>

struct TimeLineQso {
    std::string kHz, date, time, call;
};

inline TKeoEGrid timeLineLog(const std::vector<TimeLineQso>& qsos)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(static_cast<int>(qsos.size()) + 1);
    for (size_t i = 0; i < qsos.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCell(lcNumber, r, std::to_string(r));
        g.SetCell(lcKHz, r, qsos[i].kHz);
        g.SetCell(lcBand, r, Freq_to_band(std::stod(qsos[i].kHz)));
        g.SetCell(lcMode, r, "CW");
        g.SetCell(lcDate, r, qsos[i].date);
        g.SetCell(lcTime, r, qsos[i].time);
        g.SetCell(lcCallsign, r, qsos[i].call);
    }
    return g;
}

// QSOs on one day at the given times, all on 14025 unless told.
inline TKeoEGrid timesLog(const std::vector<std::string>& times, const std::string& date = "2024-03-16")
{
    std::vector<TimeLineQso> q;
    for (size_t i = 0; i < times.size(); ++i) q.push_back({"14025", date, times[i], "C" + std::to_string(i + 1)});
    return timeLineLog(q);
}

inline std::vector<QsoMinute> minutesOf(const TKeoEGrid& log) { return qsoMinutes(log, log.RowCount() - 1); }
