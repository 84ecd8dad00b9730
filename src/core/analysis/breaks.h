#pragma once
// Pauses in the log's time line, and the rule that a band, once changed to,
// must be kept for a least number of minutes.

#include "analysis/qso_minutes.h"
#include "main/keoe_grid.h"

#include <string>

// With no upper limit asked for, pauses up to two days count.
inline constexpr int kNoBreakMaximum = 2880;

struct BreaksSummary {
    int breaks = 0;
    QsoMinute total = 0; // minutes of all breaks
    int moves = 0;       // breaks across which the band changed
};

// Sets up the breaks table: "#", "Break, min", "Bands", "Time",
// "Callsign 1", "Callsign 2", "Line in log", "With QSY".
void initBreaksGrid(TKeoEGrid& grid);

// Fills the table with every pause longer than minimum and not longer than
// maximum minutes (the whole minutes without a QSO), then the "Total" row.
// A pause is measured from the latest QSO so far, so a row logged out of time
// order neither makes a negative pause nor hides the pause after it.
BreaksSummary Breaks(TKeoEGrid& grid, const TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int minimum,
                     int maximum, const RowProgress& progress = {});

// "Total: " + hours + "h " + minutes + "min"
std::string breaksTotalText(QsoMinute total);
// The page title of the saved table.
std::string breaksTitle(int minimum, bool withMaximum, int maximum);

// Renumbers the "#" column and puts "+" before the number of every QSO of a
// stay on a band that lasted less than limitMinutes up to the first QSO on
// the next band. Returns the number of such stays. The log's last stay has no
// band change after it and is not checked.
int Check_bands_change_rule(TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int limitMinutes,
                            const RowProgress& progress = {});
// The message after the check.
std::string bandsChangeRuleMessage(int infringements);
