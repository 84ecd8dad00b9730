#pragma once
// How a station used more than one radio: QSOs made on a second radio between
// two QSOs of the main one, and the band changes per clock hour of each
// transmitter of a multi-two log.

#include "analysis/chart_data.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <string>

// ---- Second radio ----

// Sets up the second-radio grid: 8 columns "#" "Date" "Time" "Freq." "Mode"
// "Callsign" "Time for QSY" "Line", no fixed column, one empty data row.
void initSecondRadioGrid(TKeoEGrid& grid);

struct SecondRadioCharts {
    SecondRadioCharts();
    ChartData sec_band;   // "Second radio bands distribution"
    ChartData Tot_to_sec; // "Main - second radio QSO distribution"
    ChartData Sec_mode;   // "Second radio mode distribution"
    void clear();
};

// Lists every QSO q made between two QSOs of the main radio: the QSOs before
// and after q are within 1000 kHz of each other, q more than 1000 kHz from the
// one before, and the minutes from the one before to the one after are below
// qsyLimit. onlyMults keeps only QSOs that brought a new country. A triple
// whose time runs backwards is listed whatever the limit, its time for QSY
// shown as 0. Fills the grid and the three charts; returns the number of
// QSOs listed. A cell that does not convert throws std::invalid_argument;
// the rows listed so far stay, the charts are not filled.
int Two_radio(const AppState& s, int qsyLimit, bool onlyMults, TKeoEGrid& grid, SecondRadioCharts& charts,
              const ChartProgress& progress = {});

// ---- Multi-two band changes ----

// Sets up the band-change grid: 8 columns "#" "Day" "Hour" "R1 band changes"
// "R0 band changes" "R1 QSO" "R0 QSO" "Total QSO", centred, no fixed column.
void initM2Grid(TKeoEGrid& grid);

// Fills the band-change grid from the log: one row per clock hour with QSOs,
// then a "Total" row. Returns false (grid left cleared) when the log has no
// transmitter ids or more than two.
bool Get_m2_bc(const AppState& s, TKeoEGrid& grid);

// Hours with more band changes than this are shown highlighted.
inline constexpr int kM2BandChangeLimit = 8;
// Whether a cell of the band-change grid is highlighted: a band-change count
// (columns 3 and 4) above the limit, on an hour row.
bool m2CellHighlighted(const TKeoEGrid& grid, int col, int row);
