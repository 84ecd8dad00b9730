#pragma once
// The time and rate charts of the log, computed from the log table into the
// analysis chart's data. Each starts by clearing the chart. A cell that does
// not convert throws std::invalid_argument; the chart then keeps the points
// added before it.

#include "analysis/chart_data.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <functional>
#include <string>

// Captions of the chart commands; some titles are built from them.
inline constexpr const char* kGrowthCaption = "Growth of QSO quantity in time";
inline constexpr const char* kTimeBetweenCaption = "Time between QSOs";
inline constexpr const char* kTimeFor10Caption = "Time for 10 QSO";
inline constexpr const char* kRate60Caption = "60 min. rate for 100 QSO";
inline constexpr const char* kPointsCaption = "Points for 20 QSO";
inline constexpr const char* kMainSecondCaption = "Main - second radio";
inline constexpr const char* kHourRateCaption = "Hour/rate/continents";
inline constexpr const char* kQsyCaption = "QSY";

// "In the log there are no identifiers of transmitters", "\r", "(Column "TX")".
std::string noTransmitterIdsText();

// Series2: QSO k (k = 2..N) at its elapsed minutes, y = k - 1.
void growthChart(const AppState& s, ChartData& c, const ChartProgress& progress = {});
// Series2: the minutes between each QSO and the next, in order. A log whose
// time runs backwards gives 0, never a negative time.
void timeBetweenQsosChart(const AppState& s, ChartData& c, const ChartProgress& progress = {});
// Series2: for i = 1..N-11, x = i, y = minutes from QSO i to QSO i + 10
// (0 where the time runs backwards). Fewer than 12 QSOs: titles, no points.
void timeFor10QsoChart(const AppState& s, ChartData& c);
// Rate of each run of 100 QSOs in QSOs per hour (Series2, labelled with the
// run's first time) and the K index beside it (Series11). Does nothing and
// returns false with fewer than 200 QSOs. A run made within one minute (or
// whose time runs backwards) has no rate and gets no rate point.
bool rate60Chart(const AppState& s, ChartData& c);
// Series2: for i = 1..N-20 the sum of the "Pts." of QSOs i..i+20. Does
// nothing and returns false with fewer than 120 QSOs.
bool pointsChart(const AppState& s, ChartData& c);
// Series13: every QSO's frequency against its elapsed minutes, blue for
// transmitter "1", red otherwise. Returns true when the first QSO has no
// transmitter id (the caller tells the user).
bool mainSecondRadioChart(const AppState& s, ChartData& c);
// Series2: one value per hour row of the hour table (all rows but the title
// and the last, "Total"), from the given column (1 "Rate", 2..7 continents);
// an empty cell counts 0.
void hourRateChart(const TKeoEGrid& hourTable, int column, const std::string& logTitle, ChartData& c);
// Series2: every QSO's frequency against its elapsed minutes; Series11 its K
// index where it has one.
void bandChangeChart(const AppState& s, ChartData& c);
