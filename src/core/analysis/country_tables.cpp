#include "analysis/country_tables.h"

#include "analysis/call_country.h"
#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/cty_search.h"

#include <algorithm>
#include <unordered_set>

void sortgrid(TKeoEGrid& Grid, int Column, int Kind)
{
    if (Kind != 0 && Kind != 1) return;
    const int rows = Grid.RowCount();
    // Keys converted once; a bad one stops the sort before anything moves.
    std::vector<long long> numbers;
    if (Kind == 1) {
        numbers.reserve(static_cast<size_t>(rows));
        numbers.push_back(0);
        for (int r = 1; r < rows; ++r) numbers.push_back(zem::toInt64(Grid.Cell(Column, r)));
    }
    std::vector<std::vector<std::string>> cells;
    cells.reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) cells.push_back(Grid.RowCells(r));

    auto better = [&](int a, int b) {
        if (Kind == 1) return numbers[static_cast<size_t>(a)] > numbers[static_cast<size_t>(b)];
        const auto col = static_cast<size_t>(Column);
        const std::string& ta = col < cells[static_cast<size_t>(a)].size() ? cells[static_cast<size_t>(a)][col] : "";
        const std::string& tb = col < cells[static_cast<size_t>(b)].size() ? cells[static_cast<size_t>(b)][col] : "";
        return ta.compare(tb) > 0;
    };
    bool moved = false;
    for (int i = 1; i < rows; ++i) {
        int best = i;
        for (int j = i; j < rows; ++j)
            if (better(j, best)) best = j;
        if (best == i) continue;
        std::swap(cells[static_cast<size_t>(i)], cells[static_cast<size_t>(best)]);
        if (Kind == 1) std::swap(numbers[static_cast<size_t>(i)], numbers[static_cast<size_t>(best)]);
        moved = true;
    }
    if (!moved) return;
    TKeoEGrid::BatchUpdate batch(Grid);
    for (int r = 1; r < rows; ++r) Grid.WriteRow(r, cells[static_cast<size_t>(r)]);
}

namespace {

// The working table of a per-country command: one row per country number of
// the loaded country file, a worked flag per country, and the count of
// countries met.
class CountryRows {
public:
    CountryRows(TCty_search& cty, TKeoEGrid& grid) : count_(std::max(0, cty.CountryCount())), grid_(grid)
    {
        grid_.SetRowCount(count_ + 1);
        for (int r = 1; r <= count_; ++r) grid_.SetCell(3, r, "0");
        worked_.assign(static_cast<size_t>(count_ + 1), false);
    }
    int count() const { return count_; }
    // The row of a QSO's country after marking it worked, or 0 when the QSO
    // belongs to no country row.
    int rowOf(const CountryRecord* rec)
    {
        if (!rec || rec->CountryNum < 1 || rec->CountryNum > count_) return 0;
        const int c = rec->CountryNum;
        if (!worked_[static_cast<size_t>(c)]) {
            worked_[static_cast<size_t>(c)] = true;
            ++n_;
        }
        return c;
    }
    void addOne(int col, int row) { grid_.SetCell(col, row, std::to_string(zem::toInt(grid_.Cell(col, row)) + 1)); }
    // Sorts by the count in column 3 and cuts the table to the worked
    // countries. A worked country may count 0 (only calls without a prefix,
    // only QSOs off the bands): it is kept, below the others.
    int sortAndCut()
    {
        sortgrid(grid_, 3, 1);
        int k = 0;
        for (int r = 1; r < grid_.RowCount() && k < n_; ++r)
            if (!grid_.Cell(1, r).empty() && ++k != r) grid_.WriteRow(k, grid_.RowCells(r));
        grid_.SetRowCount(n_ + 1);
        return n_;
    }

private:
    int count_;
    int n_ = 0;
    TKeoEGrid& grid_;
    std::vector<bool> worked_;
};

void startTable(TKeoEGrid& grid, std::vector<std::string> titles, int colCount)
{
    grid.ClearGrid();
    grid.SetColCount(colCount);
    grid.SetHeader(std::move(titles));
    grid.SetFixedRows(1);
}

// Runs step for every QSO of the log; a QSO whose step raises goes to the
// processing-error list and the walk goes on.
template <class Step>
void forEachQso(AppState& s, Step step)
{
    const int last = s.log_grid.RowCount() - 1;
    for (int r = 1; r <= last; ++r) {
        s.RowCounter = r;
        try {
            s.CurrentCall = s.log_grid.Cell(lcCallsign, r);
            step(r, s.CurrentCall);
        } catch (const std::exception&) {
            Bad_QSO(s);
        }
    }
}

void numberRows(TKeoEGrid& grid, int n)
{
    for (int i = 1; i <= n; ++i) grid.SetCell(0, i, std::to_string(i));
}

TopTenChart topTen(const TKeoEGrid& grid, int n, const char* caption, const std::string& valueTitle,
                   const std::string& logTitle, bool withShare)
{
    TopTenChart c;
    c.Title = std::string("ZEM Log Analysis.") + caption + ".Top Ten " + " - " + logTitle;
    c.BottomAxisTitle = valueTitle;
    for (int i = 1; i <= std::min(10, n); ++i) {
        std::string label = grid.Cell(1, i);
        if (withShare) label += " - " + grid.Cell(4, i) + "%";
        c.Bars.push_back({label, static_cast<double>(zem::toInt64(grid.Cell(3, i)))});
    }
    return c;
}

} // namespace

TopTenChart qsoByCountries(AppState& s, TCty_search& cty, TKeoEGrid& grid, const DistanceFn& distanceKm)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startTable(grid, {"#", "Country", "Last callsign", "QSO", "%", "Accum %", "Dist."}, 7);
    CountryRows rows(cty, grid);
    forEachQso(s, [&](int, const std::string& call) {
        const int c = rows.rowOf(countryOfCall(cty, call));
        if (c == 0) return;
        grid.SetCell(1, c, shownCountryName(cty.CountryName(c)));
        grid.SetCell(2, c, call);
        rows.addOne(3, c);
    });
    const int n = rows.sortAndCut();
    numberRows(grid, n);
    const double total = s.header.QsoCount > 0 ? s.header.QsoCount : 1;
    // The running share comes from the running count: adding the rounded
    // shares would lose their remainders, and a log whose every call has a
    // country would end short of 100.
    long long running = 0;
    for (int i = 1; i <= n; ++i) {
        const long long qsos = zem::toInt64(grid.Cell(3, i));
        running += qsos;
        grid.SetCell(4, i, zem::formatFixed(static_cast<double>(qsos * 100) / total, 1));
        grid.SetCell(5, i, zem::formatFixed(static_cast<double>(running * 100) / total, 1));
    }
    if (distanceKm) {
        for (int i = 1; i <= n; ++i) {
            s.CurrentCall = grid.Cell(2, i);
            if (const CountryRecord* rec = countryOfCall(cty, s.CurrentCall))
                grid.SetCell(6, i, zem::formatShortest(distanceKm(rec->Latitude, rec->Longitude)));
        }
    }
    return topTen(grid, n, QsoByCountriesCaption, "QSO", s.header.LogTitle, true);
}

TopTenChart wpxByCountries(AppState& s, TCty_search& cty, TKeoEGrid& grid)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startTable(grid, {"#", "Country", "Last callsign", "WPXs"}, 4);
    CountryRows rows(cty, grid);
    // The prefixes counted per country, compared whole (S5 and S51 are two).
    std::vector<std::unordered_set<std::string>> prefixes(static_cast<size_t>(rows.count() + 1));
    forEachQso(s, [&](int, const std::string& call) {
        const CountryRecord* rec = countryOfCall(cty, call);
        std::string p = cty.WpxPrefix(cty.NormalizePortable(call));
        if (p.size() > 10) p.resize(10);
        const int c = rows.rowOf(rec);
        if (c == 0) return;
        grid.SetCell(1, c, shownCountryName(cty.CountryName(c)));
        grid.SetCell(2, c, call);
        // A call without a prefix adds no WPX.
        if (!p.empty() && prefixes[static_cast<size_t>(c)].insert(p).second) rows.addOne(3, c);
    });
    const int n = rows.sortAndCut();
    grid.SetRowCount(n + 2);
    numberRows(grid, n);
    long long total = 0;
    for (int i = 1; i <= n; ++i) total += zem::toInt64(grid.Cell(3, i));
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, n + 1, "");
    grid.SetCell(0, n + 1, "Total");
    grid.SetCell(3, n + 1, std::to_string(total));
    return topTen(grid, n, WpxByCountriesCaption, "WPX", s.header.LogTitle, false);
}

void remainingMults(AppState& s, TCty_search& cty, TKeoEGrid& grid)
{
    TKeoEGrid::BatchUpdate batch(grid);
    startTable(grid, {"#", "Country", "Callsign", "Bands", "160", "80", "40", "20", "15", "10"}, 10);
    CountryRows rows(cty, grid);
    forEachQso(s, [&](int r, const std::string& call) {
        const int c = rows.rowOf(countryOfCall(cty, call));
        if (c == 0) return;
        grid.SetCell(1, c, shownCountryName(cty.CountryName(c)));
        grid.SetCell(2, c, call);
        const int band = bandOfKHzCell(s.log_grid.Cell(lcKHz, r));
        const int b = band > 0 ? 3 + band : 0;
        if (b > 0 && grid.Cell(b, c).empty()) {
            grid.SetCell(b, c, "OK");
            rows.addOne(3, c);
        }
    });
    const int n = rows.sortAndCut();
    numberRows(grid, n);
}
