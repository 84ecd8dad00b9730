#include "analysis/qso_listings.h"

#include "analysis/call_country.h"
#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/cty_search.h"

#include <cstdlib>
#include <unordered_map>

const std::array<std::string, 6>& ContinentCodes()
{
    static const std::array<std::string, 6> c = {"EU", "AS", "NA", "SA", "AF", "OC"};
    return c;
}

std::vector<int> Add_header(TKeoEGrid& grid)
{
    grid.SetColCount(7);
    static const char* const titles[] = {" #", "Country", "Callsign", "Frequency", "Mode", "Date", "Time"};
    for (int c = 0; c < 7; ++c) grid.SetCell(c, 0, titles[c]);
    return {30, 130, 100, 60, 60, 60, 60};
}

namespace {

void writeListRow(TKeoEGrid& grid, int k, const std::string& country, const TKeoEGrid& log, int r)
{
    if (grid.RowCount() <= k) grid.SetRowCount(k + 1);
    grid.WriteRow(k, {std::to_string(k), country, log.Cell(lcCallsign, r), log.Cell(lcKHz, r), log.Cell(lcMode, r),
                      log.Cell(lcDate, r), log.Cell(lcTime, r)});
}

void startList(TKeoEGrid& grid)
{
    grid.ClearGrid();
    grid.SetHeader({});
    Add_header(grid);
}

} // namespace

void chronologicalList(AppState& s, TCty_search& cty, TKeoEGrid& grid, const std::string& continent, int bandKHz,
                       const AnalysisProgress& progress)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startList(grid);
    std::vector<bool> listed(static_cast<size_t>(std::max(0, cty.CountryCount()) + 1), false);
    const TKeoEGrid& log = s.log_grid;
    const int last = log.RowCount() - 1;
    int k = 1;
    for (int r = 1; r <= last; ++r) {
        if (progress && r % 100 == 0) progress(r, last);
        s.RowCounter = r;
        try {
            if (bandKHz != 0 && bandOfKHz(static_cast<double>(zem::toInt64(log.Cell(lcKHz, r)))) != bandOfKHz(bandKHz))
                continue;
            s.CurrentCall = log.Cell(lcCallsign, r);
            const CountryRecord* rec = countryOfCall(cty, s.CurrentCall);
            if (!rec || rec->CountryNum < 1 || rec->CountryNum >= static_cast<int>(listed.size())) continue;
            if (!continent.empty() && rec->Continent != continent) continue;
            if (listed[static_cast<size_t>(rec->CountryNum)]) continue;
            listed[static_cast<size_t>(rec->CountryNum)] = true;
            writeListRow(grid, k++, shownCountryName(cty.CountryName(rec->CountryNum)), log, r);
        } catch (const std::exception&) {
            Bad_QSO(s);
        }
    }
    grid.SetRowCount(k);
}

bool countryStations(AppState& s, TCty_search& cty, TKeoEGrid& grid, const std::string& targetCall,
                     std::array<int, SummaryBandCount>& bandCounts)
{
    s.CurrentCall = targetCall;
    const CountryRecord* target = countryOfCall(cty, targetCall);
    if (!target) return false;
    const int targetNum = target->CountryNum;
    bandCounts.fill(0);
    TKeoEGrid::BatchUpdate batch(grid);
    startList(grid);
    const TKeoEGrid& log = s.log_grid;
    int k = 1;
    for (int r = 1; r < log.RowCount(); ++r) {
        s.CurrentCall = log.Cell(lcCallsign, r);
        try {
            const CountryRecord* rec = countryOfCall(cty, s.CurrentCall);
            if (!rec || rec->CountryNum != targetNum) continue;
            writeListRow(grid, k++, shownCountryName(cty.CountryName(rec->CountryNum)), log, r);
            for (int b = 0; b < SummaryBandCount; ++b)
                if (log.Cell(lcBand, r) == BandNames()[static_cast<size_t>(b)]) ++bandCounts[static_cast<size_t>(b)];
        } catch (const std::exception&) {
            // A QSO that cannot be placed is left out of this listing.
        }
    }
    grid.SetRowCount(k);
    return true;
}

void hourContinents(AppState& s, TCty_search& cty, TKeoEGrid& grid, const AnalysisProgress& progress)
{
    TKeoEGrid::BatchUpdate batch(grid);
    grid.ClearGrid();
    grid.SetColCount(8);
    grid.SetHeader({"Day/hour", "Rate", "EU", "AS", "NA", "SA", "AF", "OC"});
    const auto& codes = ContinentCodes();
    const TKeoEGrid& log = s.log_grid;
    const int last = log.RowCount() - 1;
    // One row per date and clock hour, in the order of their first QSO: the
    // same hour of two days stays two rows, and QSOs of one hour that the
    // log does not keep together (two stations of a multi-op log) meet in one.
    struct HourRow {
        std::string label;
        std::array<long long, 6> counts{};
    };
    std::vector<HourRow> hours;
    std::unordered_map<std::string, std::size_t> rowOfHour;
    for (int r = 1; r <= last; ++r) {
        if (progress && r % 100 == 0) progress(r, last);
        const std::string& date = log.Cell(lcDate, r);
        const std::string hour = log.Cell(lcTime, r).substr(0, 2);
        const auto [it, isNew] = rowOfHour.try_emplace(date + " " + hour, hours.size());
        if (isNew) hours.push_back({(date.size() > 8 ? date.substr(8, 2) : std::string()) + " " + hour, {}});
        s.CurrentCall = log.Cell(lcCallsign, r);
        if (const CountryRecord* rec = countryOfCall(cty, s.CurrentCall)) {
            for (size_t i = 0; i < codes.size(); ++i)
                if (rec->Continent == codes[i]) ++hours[it->second].counts[i];
        }
    }
    std::array<long long, 7> sums{};
    grid.SetRowCount(static_cast<int>(hours.size()) + 2);
    int k = 1;
    for (const HourRow& h : hours) {
        long long rate = 0;
        for (long long c : h.counts) rate += c;
        std::vector<std::string> row = {h.label, std::to_string(rate)};
        sums[0] += rate;
        for (size_t i = 0; i < h.counts.size(); ++i) {
            row.push_back(std::to_string(h.counts[i]));
            sums[i + 1] += h.counts[i];
        }
        grid.WriteRow(k++, row);
    }
    std::vector<std::string> total = {"Total"};
    for (long long v : sums) total.push_back(std::to_string(v));
    grid.WriteRow(k, total);
}
