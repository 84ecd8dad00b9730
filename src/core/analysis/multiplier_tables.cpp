#include "analysis/multiplier_tables.h"

#include "analysis/analysis_pass.h"
#include "analysis/call_country.h"
#include "analysis/country_tables.h"
#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/cty_search.h"

#include <map>
#include <stdexcept>
#include <unordered_set>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Band 0 .. 5 of a log "band" cell ("160" .. "10"), -1 for anything else.
int bandIndex(const std::string& band)
{
    for (int b = 0; b < SummaryBandCount; ++b)
        if (band == BandNames()[static_cast<size_t>(b)]) return b;
    return -1;
}

void startTable(TKeoEGrid& grid, std::vector<std::string> titles)
{
    grid.ClearGrid();
    grid.SetColCount(static_cast<int>(titles.size()));
    grid.SetHeader(std::move(titles));
}

} // namespace

void wpxTable(AppState& s, TCty_search& cty, TKeoEGrid& grid)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startTable(grid, {"#", "Prefix", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Total"});
    const TKeoEGrid& log = s.log_grid;
    struct Worked {
        std::string stem;
        char digit;
        std::string call;
    };
    // Stems held once without regard to case, in sorted order.
    std::map<std::string, std::string> stems;
    std::vector<Worked> worked;
    for (int r = 1; r < log.RowCount(); ++r) {
        const std::string& call = log.Cell(lcCallsign, r);
        const std::string p = cty.WpxPrefix(cty.NormalizePortable(call));
        if (p.empty()) continue;
        if (!isDigit(p.back())) throw std::invalid_argument("'" + p + "' is not a valid integer value");
        const std::string stem = p.substr(0, std::min<size_t>(p.size() - 1, 10));
        stems.emplace(zem::upperAscii(stem), stem);
        worked.push_back({zem::upperAscii(stem), p.back(), call});
    }
    grid.SetRowCount(static_cast<int>(stems.size()) + 1);
    std::map<std::string, int> rowOf;
    int row = 1;
    for (const auto& [key, stem] : stems) {
        grid.SetCell(1, row, stem);
        rowOf.emplace(key, row++);
    }
    // A later QSO overwrites an earlier one.
    for (const Worked& w : worked) grid.SetCell(w.digit - '0' + 2, rowOf[w.stem], w.call);
    for (int r = 1; r < grid.RowCount(); ++r) {
        int total = 0;
        for (int c = 2; c <= 11; ++c) total += grid.Cell(c, r).empty() ? 0 : 1;
        grid.SetCell(12, r, std::to_string(total));
    }
    sortgrid(grid, 12, 1);
    for (int r = 1; r < grid.RowCount(); ++r) grid.SetCell(0, r, std::to_string(r));
}

void zoneTable(AppState& s, TCty_search& cty, TKeoEGrid& grid, ZoneKind kind)
{
    TKeoEGrid::BatchUpdate batch(grid);
    const bool waz = kind == ZoneKind::WAZ;
    // Zones 1 .. 40 (75), then any higher zone the country file carries (ITU
    // 90, Minami Torishima), so that every zone the Summary counts has a row.
    std::vector<int> zones;
    for (int z = 1; z <= (waz ? 40 : 75); ++z) zones.push_back(z);
    for (int z : cty.ZoneNumbers(waz))
        if (z > zones.back()) zones.push_back(z);
    std::map<int, int> rowOfZone;
    const int rows = static_cast<int>(zones.size());
    startTable(grid, {waz ? "WAZ" : "ITU", "QSOs", "160", "80", "40", "20", "15", "10"});
    grid.SetRowCount(rows + 2);
    for (int r = 1; r <= rows; ++r) {
        const int z = zones[static_cast<size_t>(r - 1)];
        rowOfZone.emplace(z, r);
        grid.SetCell(0, r, std::to_string(z));
        grid.SetCell(1, r, "0");
    }
    const TKeoEGrid& log = s.log_grid;
    for (int r = 1; r < log.RowCount(); ++r) {
        s.RowCounter = r;
        s.CurrentCall = log.Cell(lcCallsign, r);
        try {
            const CountryRecord* rec = countryOfCall(cty, s.CurrentCall);
            if (!rec || rec->Country.empty()) continue;
            const int z = zem::toInt(waz ? rec->CQ : rec->ITU);
            const auto row = rowOfZone.find(z);
            if (row == rowOfZone.end()) throw std::out_of_range("zone " + std::to_string(z));
            const int zr = row->second;
            grid.SetCell(1, zr, std::to_string(zem::toInt(grid.Cell(1, zr)) + 1));
            const int b = bandIndex(log.Cell(lcBand, r));
            if (b >= 0) grid.SetCell(b + 2, zr, s.CurrentCall);
        } catch (const std::exception&) {
            Bad_QSO(s);
        }
    }
    grid.SetCell(0, rows + 1, "Total");
    for (int c = 2; c <= 7; ++c) {
        int n = 0;
        for (int r = 1; r <= rows; ++r) n += grid.Cell(c, r).empty() ? 0 : 1;
        grid.SetCell(c, rows + 1, std::to_string(n));
    }
}

std::vector<std::string> oblastTable(AppState& s, TCty_search& cty, TKeoEGrid& grid)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startTable(grid, {"#", "Oblast", "Last callsign", "QSOs", "Stations", "160", "80", "40", "20", "15", "10"});
    const int asRussia = russianCountryNum(cty, AsiaticRussiaCall);
    const int euRussia = russianCountryNum(cty, EuropeanRussiaCall);
    // Row of an oblast while counting: call-area digit * 26 + letter (A = 1).
    constexpr int kRows = 10 * 26 + 1;
    grid.SetRowCount(kRows);
    for (int r = 1; r < kRows; ++r)
        for (int c = 3; c <= 10; ++c) grid.SetCell(c, r, "0");
    std::vector<bool> seen(kRows, false);
    std::unordered_set<std::string> stations;
    std::vector<std::string> messages;
    int count = 0;
    const TKeoEGrid& log = s.log_grid;
    for (int r = 1; r < log.RowCount(); ++r) {
        const std::string& call = log.Cell(lcCallsign, r);
        s.CurrentCall = call;
        const CountryRecord* rec = nullptr;
        try {
            rec = countryOfCall(cty, call);
        } catch (const std::exception&) {
            messages.push_back("Mistake at definition of the country:\n" + call);
            continue;
        }
        if (!rec || (rec->CountryNum != asRussia && rec->CountryNum != euRussia)) continue;
        const auto open = rec->Country.find('(');
        if (call.find('/') != std::string::npos || open == std::string::npos) continue;
        const std::string code = rec->Country.substr(open + 1, 2);
        if (code.size() != 2 || !isDigit(code[0]) || code[1] < 'A' || code[1] > 'Z') {
            messages.push_back("Mistake at addition in a matrix:\n" + call);
            continue;
        }
        const int i = (code[0] - '0') * 26 + (code[1] - 'A' + 1);
        if (!seen[static_cast<size_t>(i)]) {
            seen[static_cast<size_t>(i)] = true;
            ++count;
        }
        grid.SetCell(1, i, code);
        grid.SetCell(2, i, call);
        try {
            const int b = bandIndex(log.Cell(lcBand, r));
            if (b >= 0) grid.SetCell(b + 5, i, std::to_string(zem::toInt(grid.Cell(b + 5, i)) + 1));
            grid.SetCell(3, i, std::to_string(zem::toInt(grid.Cell(3, i)) + 1));
            if (stations.insert(zem::upperAscii(call)).second)
                grid.SetCell(4, i, std::to_string(zem::toInt(grid.Cell(4, i)) + 1));
        } catch (const std::exception&) {
            messages.push_back("Mistake at a conclusion in the table:\n" + call);
        }
    }
    sortgrid(grid, 3, 1);
    grid.SetRowCount(count + 1);
    for (int r = 1; r <= count; ++r) grid.SetCell(0, r, std::to_string(r));
    return messages;
}
