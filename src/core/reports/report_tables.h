#pragma once
// The tables the report window prints, each produced afresh by the analysis
// that fills it on the main window. They run on a copy of the shared state
// into grids of their own, so printing never changes what the pages show.

#include "analysis/country_tables.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <array>
#include <string>
#include <vector>

class TCty_search;
class TMasterCallDB;

enum class ReportTable {
    Summary, HourRate, QsoByCountries, WpxByCountries, RemainingMults, AllCallsigns, WAZ, ITU, TwoRadio,
    Breaks, BandChangesM2, WPX, Log
};
inline constexpr int kReportTableCount = 13;

// The tables' names in list order.
const std::array<std::string, kReportTableCount>& reportTableNames();

// "<log title> - <table name>"
std::string reportTitle(const std::string& logTitle, ReportTable table);

// What the analyses read besides the log: the settings and the controls of
// the pages whose commands they repeat.
struct ReportOptions {
    const TMasterCallDB* master = nullptr;
    bool markNotInMaster = false;
    DistanceFn distanceKm;
    int breakMinimum = 15;
    int breakMaximum = 2880;
    int qsyLimit = 2;
    bool onlyMults = false;
};

struct ReportTableResult {
    TKeoEGrid grid;
    // What the analysis would have told the user (conversion errors, a log
    // without transmitter ids), in order.
    std::vector<std::string> messages;
    // False when the analysis made no table (nothing to print).
    bool printable = true;
};

ReportTableResult makeReportTable(ReportTable table, const AppState& state, TCty_search& cty,
                                  const ReportOptions& options);
