#pragma once
// Per-country tables of the DXCC page: QSOs by country, WPX prefixes by
// country and the band-country multipliers still missing, with the Top Ten
// chart of the first two; and the descending row sort they share with the
// multiplier tables.

#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <functional>
#include <string>
#include <vector>

class TCty_search;

// Captions of the commands; the HTML pages and chart titles are named after them.
inline constexpr const char* QsoByCountriesCaption = "QSO by countries";
inline constexpr const char* WpxByCountriesCaption = "WPX by countries";
inline constexpr const char* RemainingMultsCaption = "Remaining mults";

// Sorts data rows 1 .. RowCount - 1 in descending order of column `Column`:
// Kind 0 compares the texts byte by byte, Kind 1 as whole numbers; any other
// kind leaves the rows alone. A selection sort that exchanges whole rows, so
// among equal keys the topmost row at each pass is taken (5a, 5b, 9 end as
// 9, 5b, 5a). A key that is not a whole number throws std::invalid_argument
// before any row moves.
void sortgrid(TKeoEGrid& Grid, int Column, int Kind);

// One bar of a horizontal bar chart, in place order.
struct TopTenBar {
    std::string Label;
    double Value = 0;
};

// What the ui draws as the Top Ten chart (red horizontal bars with value marks).
struct TopTenChart {
    std::string Title;
    std::string BottomAxisTitle; // the value axis
    std::string LeftAxisTitle;
    std::vector<TopTenBar> Bars; // places 1 .. at most 10
};

// Distance in km from the home position to a position (west longitudes positive).
using DistanceFn = std::function<double(double dxLat, double dxLon)>;

// The tables below read the log's "Callsign" cells and count a QSO whose
// call the country file does not resolve, or whose country number lies
// outside the file's countries, in no country row. A QSO whose step raises is
// counted in BadQsoCount and copied to the processing-error list.

// "QSO by countries" into grid: "#", "Country", "Last callsign", "QSO", "%",
// "Accum %", "Dist.". "Dist." stays empty without a distance function.
TopTenChart qsoByCountries(AppState& s, TCty_search& cty, TKeoEGrid& grid, const DistanceFn& distanceKm);

// "WPX by countries": "#", "Country", "Last callsign", "WPXs" and a "Total" row.
TopTenChart wpxByCountries(AppState& s, TCty_search& cty, TKeoEGrid& grid);

// "Remaining mults": "#", "Country", "Callsign", "Bands", then "OK" under
// each band ("160" .. "10") the country was worked on. A QSO off the six
// bands lists its country but marks no band.
void remainingMults(AppState& s, TCty_search& cty, TKeoEGrid& grid);
