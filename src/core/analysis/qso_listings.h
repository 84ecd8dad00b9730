#pragma once
// The QSO listings of the DXCC page: the first QSO with each country in log
// order, every QSO with one country, and the QSOs per clock hour split by
// continent.

#include "analysis/analysis_pass.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <array>
#include <string>
#include <vector>

class TCty_search;

inline constexpr const char* ChronologicalCaption = "In the chronological order";
inline constexpr const char* CountryStationsCaption = "Stations from the certain country";
inline constexpr const char* HourContinentsCaption = "Distribution hour-rate-continents";

// The six continents of the hour table, in its column order.
const std::array<std::string, 6>& ContinentCodes();

// The QSO list layout: 7 columns " #", "Country", "Callsign", "Frequency",
// "Mode", "Date", "Time" in row 0. Returns the column widths in pixels.
std::vector<int> Add_header(TKeoEGrid& grid);

// The first QSO with each country among the QSOs that pass both filters.
// continent: "" for all, else a continent code. bandKHz: 0 for all bands,
// else the band's lower edge in kHz; a QSO passes when its frequency lies
// on that band (bandOfKHz). A QSO whose call the country file does not resolve is
// not listed; a QSO that fails (a "kHz" that is not a number while a band is
// chosen) goes to the processing-error list. Both lists name a row after its
// country, as the country tables do, never after the oblast of its call.
void chronologicalList(AppState& s, TCty_search& cty, TKeoEGrid& grid, const std::string& continent, int bandKHz,
                       const AnalysisProgress& progress = {});

// Every QSO with the country of targetCall, in log order, and its QSOs per
// band ("160" .. "10" of the log's "band" cells). Returns false, leaving the
// grid alone, when the country file does not resolve targetCall.
bool countryStations(AppState& s, TCty_search& cty, TKeoEGrid& grid, const std::string& targetCall,
                     std::array<int, SummaryBandCount>& bandCounts);

// QSOs per clock hour of the log, split by continent, and a "Total" row: one
// row per date and hour, in the order of each one's first QSO.
// Not guarded: a failure ends the command and is thrown on.
void hourContinents(AppState& s, TCty_search& cty, TKeoEGrid& grid, const AnalysisProgress& progress = {});
