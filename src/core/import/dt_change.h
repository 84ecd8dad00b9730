#pragma once
// Shifting the date and time of logged QSOs by a number of minutes, for a
// log written with the computer clock off or in local time.

#include "main/keoe_grid.h"

#include <string>

// A QSO's moment: day number (1899-12-30 is day 0) and minute of the day.
struct QsoDateTime {
    long day = 0;
    int minute = 0;
    bool operator==(const QsoDateTime&) const = default;
};

// Reads row's "Date" ("yyyy-mm-dd") and "Time" (hour in characters 1..2,
// minute in 3..4; anything after is not looked at). Throws
// std::invalid_argument when they do not make a date and time.
QsoDateTime readQsoDateTime(const TKeoEGrid& log, int row);

// The moment moved by a number of minutes, across days, months and years.
QsoDateTime shiftMinutes(QsoDateTime t, long long minutes);

std::string dateText(QsoDateTime t); // "yyyy-mm-dd"
std::string timeText(QsoDateTime t); // "hhmm"
// The example labels' text: "yyyy-mm-dd hhmm".
std::string dateTimeText(QsoDateTime t);

// The "New" example for the "Old" one: the old moment plus the offset.
std::string exampleAfterShift(QsoDateTime old, long long minutes);

// Moves the QSOs of log rows first..last (limited to the data rows) by the
// offset and writes "Date" and "Time" back in the standard formats. A row
// whose date or time does not read stops the work with
// std::invalid_argument; the rows before it stay moved.
void shiftLogDateTime(TKeoEGrid& log, long long minutes, int first, int last);
// All data rows.
void shiftLogDateTime(TKeoEGrid& log, long long minutes);
