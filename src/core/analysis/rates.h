#pragma once
// The operator's speed: minutes that hold several QSOs, and the best QSO
// count over periods of 10 to 120 minutes.

#include "analysis/qso_minutes.h"
#include "main/keoe_grid.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

inline constexpr const char* kRatePerMinuteCaption = "Rate per minute";
inline constexpr const char* kTimesCaption = "Times";
inline constexpr const char* kMaximalRatesCaption = "Maximal rates for the period of time, minutes:";
inline constexpr const char* kRatesForPeriodsPage = "Rates for periods";
inline constexpr const char* kRatesFolder = "Rates";
inline constexpr const char* kAllRatesFile = "All rates.txt";
inline constexpr std::array<int, 5> kRatePeriods = {10, 20, 30, 60, 120};

// "N QSO in minute", the title of the count of minutes with N QSOs.
std::string qsoInMinuteTitle(int n);

// A QSO as one line: "kHz", "Mode", "Date", "Time" and "Callsign" cells
// joined by two blanks. A click on such a line reads the callsign back, so
// the order is fixed.
std::string qsoLine(const TKeoEGrid& log, int row);

// Minutes with exactly 2..9 QSOs (counts[0] is 2 QSOs). Only neighbouring
// rows of one minute make a stretch; the stretch that ends the log counts too.
struct AllRates {
    std::array<int, 8> counts{};
    std::vector<std::string> lines; // the table as it is listed and saved
};
AllRates allRatesPerMinute(const std::vector<QsoMinute>& minutes);

// Every stretch of exactly n QSOs in one minute, listed with its QSO lines,
// its title "(k)rate n QSOs/min.", "After QSY" when the band differs from the
// row before it, and two empty lines.
struct RunListing {
    int runs = 0;
    std::vector<std::string> lines;
};
RunListing ratePerMinuteRuns(const TKeoEGrid& log, const std::vector<QsoMinute>& minutes, int n);
// n + " QSO per min. rate(" + runs + ").txt"
std::string runsFileName(int n, int runs);

// The most QSOs of consecutive log rows that lie within `period` consecutive
// minutes; the earliest such window wins a tie. qsos 0 only for an empty log.
struct BestWindow {
    int first = 0;
    int last = 0;
    int qsos = 0;
};
BestWindow bestWindow(const std::vector<QsoMinute>& minutes, int period);

// The period table: "Period", "Rate", "QSO", "Time", one row per period.
void initRateGrid(TKeoEGrid& grid);
// Finds the best window for `period` and writes it into row `row` of grid.
BestWindow Get_rate(TKeoEGrid& grid, int period, int row, const TKeoEGrid& log,
                    const std::vector<QsoMinute>& minutes);
// The QSOs of one period's best window, as listed and saved.
std::vector<std::string> periodListing(const TKeoEGrid& log, int period, const BestWindow& w);
// "Rate - " + period + " minuts.txt"
std::string periodFileName(const std::string& period);

