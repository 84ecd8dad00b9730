#include "reports/report_tables.h"

#include "analysis/analysis_pass.h"
#include "analysis/breaks.h"
#include "analysis/distribution.h"
#include "analysis/log_charts.h"
#include "analysis/multiplier_tables.h"
#include "analysis/qso_listings.h"
#include "analysis/qso_minutes.h"
#include "analysis/two_radio.h"
#include "reports/print_layout.h"

#include <stdexcept>

const std::array<std::string, kReportTableCount>& reportTableNames()
{
    static const std::array<std::string, kReportTableCount> names = {
        "Summary", "Distribution hour-rate-continents", "QSO by countries", "WPX by countries", "Remaining mults",
        "All callsigns", "WAZ", "ITU", "2 Radio", "Breaks", "Band changes for M/2", "WPX", "Log"};
    return names;
}

std::string reportTitle(const std::string& logTitle, ReportTable table)
{
    return logTitle + " - " + reportTableNames()[static_cast<size_t>(table)];
}

namespace {

// The grid shapes the pages give their tables before a command fills them.
TKeoEGrid dxccGrid() { return TKeoEGrid(5, 2, 1, 1); }

void fill(ReportTable table, AppState& s, TCty_search& cty, const ReportOptions& o, ReportTableResult& out)
{
    TKeoEGrid& g = out.grid;
    switch (table) {
    case ReportTable::Summary: {
        SummaryPage page;
        // Its conversion errors were told when the log was loaded.
        Process_log_and_summary(s, cty, o.master, o.markNotInMaster, page);
        g = page.Summary_Grid;
        break;
    }
    case ReportTable::HourRate:
        g = dxccGrid();
        hourContinents(s, cty, g);
        break;
    case ReportTable::QsoByCountries:
        g = dxccGrid();
        qsoByCountries(s, cty, g, o.distanceKm);
        break;
    case ReportTable::WpxByCountries:
        g = dxccGrid();
        wpxByCountries(s, cty, g);
        break;
    case ReportTable::RemainingMults:
        g = dxccGrid();
        remainingMults(s, cty, g);
        break;
    case ReportTable::AllCallsigns: {
        const BandDistribution d = distributionByBands(s.log_grid, s.header.QsoCount, false);
        if (std::string many = tooManyBandsText(d); !many.empty()) out.messages.push_back(std::move(many));
        g = callsignListGrid(d.all);
        break;
    }
    case ReportTable::WAZ:
    case ReportTable::ITU:
        g = dxccGrid();
        zoneTable(s, cty, g, table == ReportTable::WAZ ? ZoneKind::WAZ : ZoneKind::ITU);
        break;
    case ReportTable::TwoRadio: {
        g = TKeoEGrid(8, 2, 0, 1);
        initSecondRadioGrid(g);
        SecondRadioCharts charts;
        Two_radio(s, o.qsyLimit, o.onlyMults, g, charts);
        break;
    }
    case ReportTable::Breaks: {
        initBreaksGrid(g);
        const int last = lastQsoRow(s.log_grid, s.header.QsoCount);
        Breaks(g, s.log_grid, qsoMinutes(s.log_grid, last), o.breakMinimum, o.breakMaximum);
        break;
    }
    case ReportTable::BandChangesM2:
        initM2Grid(g);
        if (!Get_m2_bc(s, g)) {
            out.messages.push_back(noTransmitterIdsText());
            out.printable = false;
        }
        break;
    case ReportTable::WPX:
        g = TKeoEGrid(10, 2, 1, 1);
        wpxTable(s, cty, g);
        break;
    case ReportTable::Log:
        break;
    }
}

} // namespace

ReportTableResult makeReportTable(ReportTable table, const AppState& state, TCty_search& cty,
                                  const ReportOptions& options)
{
    ReportTableResult out;
    if (table == ReportTable::Log) {
        out.grid = state.log_grid;
        out.grid.OnChanged = nullptr;
        return out;
    }
    AppState s = state;
    s.log_grid.OnChanged = nullptr;
    s.error_keo.OnChanged = nullptr;
    try {
        fill(table, s, cty, options, out);
    } catch (const std::exception& e) {
        // As on the page: the message, and the table as far as it was filled.
        out.messages.push_back(e.what());
    }
    out.grid.OnChanged = nullptr;
    return out;
}
