#pragma once
// Tables of the multipliers worked: WPX prefixes by call area, WAZ and ITU
// zones by band, and the Russian oblasts.

#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <string>
#include <vector>

class TCty_search;

// The WPX table: "#", "Prefix", "0" .. "9", "Total"; one row per prefix less
// its call-area digit (UA for UA3 and UA9), the last callsign worked under
// each digit, rows sorted by "Total" in descending order. Throws
// std::invalid_argument for a prefix that does not end in a digit.
void wpxTable(AppState& s, TCty_search& cty, TKeoEGrid& grid);

enum class ZoneKind { WAZ, ITU };

// The WAZ (zones 1 .. 40) or ITU (1 .. 75) table, with a further row for
// each higher zone the country file carries: zone, "QSOs", the last
// callsign per band ("160" .. "10" of the log's "band" cells), and a
// "Total" row of the zones worked per band. A QSO whose call the country file
// does not resolve is not counted; a zone that is no number in range sends
// the QSO to the processing-error list. A QSO off the six bands counts in
// "QSOs" only.
void zoneTable(AppState& s, TCty_search& cty, TKeoEGrid& grid, ZoneKind kind);

// The Russian oblasts table: "#", "Oblast", "Last callsign", "QSOs",
// "Stations", then the QSOs per band. Returns the message of each QSO that
// could not be placed, in log order.
std::vector<std::string> oblastTable(AppState& s, TCty_search& cty, TKeoEGrid& grid);
