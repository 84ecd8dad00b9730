#include "analysis/two_radio.h"

#include "analysis/analysis_pass.h"
#include "analysis/qso_minutes.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>

namespace {

int qsoCount(const AppState& s) { return std::min(s.header.QsoCount, s.log_grid.RowCount() - 1); }

int kHzOf(const AppState& s, int row) { return zem::toInt(s.log_grid.Cell(lcKHz, row)); }

} // namespace

void initSecondRadioGrid(TKeoEGrid& grid)
{
    grid.SetColCount(8);
    grid.SetFixedCols(0);
    grid.SetHeader({"#", "Date", "Time", "Freq.", "Mode", "Callsign", "Time for QSY", "Line"});
    grid.ClearGrid();
}

SecondRadioCharts::SecondRadioCharts()
    : sec_band(makePercentBarChart("Second radio bands distribution", ChartSeriesKind::VerticalBars)),
      Tot_to_sec(makePercentBarChart("Main - second radio QSO distribution", ChartSeriesKind::HorizontalBars)),
      Sec_mode(makePercentBarChart("Second radio mode distribution", ChartSeriesKind::HorizontalBars))
{
}

void SecondRadioCharts::clear()
{
    for (ChartData* c : {&sec_band, &Tot_to_sec, &Sec_mode}) c->series.front().Clear();
}

int Two_radio(const AppState& s, int qsyLimit, bool onlyMults, TKeoEGrid& grid, SecondRadioCharts& charts,
              const ChartProgress& progress)
{
    grid.ClearGrid();
    charts.clear();
    const int n = qsoCount(s);
    int k = 0, cw = 0, ph = 0;
    std::array<int, 6> bands{};
    {
        TKeoEGrid::BatchUpdate batch(grid);
        const TKeoEGrid& log = s.log_grid;
        const std::vector<QsoMinute> minutes = qsoMinutes(log, n);
        int a = n >= 3 ? kHzOf(s, 1) : 0;
        int b = n >= 3 ? kHzOf(s, 2) : 0;
        for (int r = 1; r <= n - 2; ++r) {
            if (progress && r % 200 == 0) progress(r, s.log_grid.RowCount());
            const int c = kHzOf(s, r + 2);
            const int q = r + 1;
            if (std::abs(a - c) < 1000 && std::abs(a - b) > 1000) {
                const int t = static_cast<int>(minutes[static_cast<size_t>(r) + 2] - minutes[static_cast<size_t>(r)]);
                const bool keep = !onlyMults || !log.Cell(lcDXCC, q).empty();
                if (keep && (t < qsyLimit || t < 0)) {
                    ++k;
                    grid.AppendRow({std::to_string(k), log.Cell(lcDate, q), log.Cell(lcTime, q), log.Cell(lcKHz, q),
                                    log.Cell(lcMode, q), log.Cell(lcCallsign, q), std::to_string(std::max(t, 0)),
                                    std::to_string(q)});
                    const std::string& mode = log.Cell(lcMode, q);
                    if (mode == "CW") ++cw;
                    else if (mode == "PH") ++ph;
                    const auto& names = BandNames();
                    const auto it = std::find(names.begin(), names.end(), log.Cell(lcBand, q));
                    if (it != names.end()) ++bands[static_cast<size_t>(it - names.begin())];
                }
            }
            a = b;
            b = c;
        }
        grid.SetRowCount(k == 0 ? 2 : k + 1);
    }
    auto& tot = charts.Tot_to_sec.series.front();
    tot.Add(n - k, "Main", zemcolor::Red);
    tot.Add(k, "Second", zemcolor::Blue);
    auto& mode = charts.Sec_mode.series.front();
    mode.Add(cw, "CW", zemcolor::Red);
    mode.Add(ph, "PH", zemcolor::Blue);
    auto& band = charts.sec_band.series.front();
    for (size_t i = 0; i < bands.size(); ++i)
        band.Add(bands[i], BandNames()[i] + "m", i % 2 == 0 ? band.color : zemcolor::Blue);
    return k;
}

void initM2Grid(TKeoEGrid& grid)
{
    grid.SetColCount(8);
    grid.SetFixedCols(0);
    grid.Alignment = TAlignment::Center;
    grid.SetHeader({"#", "Day", "Hour", "R1 band changes", "R0 band changes", "R1 QSO", "R0 QSO", "Total QSO"});
    grid.ClearGrid();
}

namespace {

struct Transmitter {
    std::string id;
    std::string bandKey;
    bool hasKey = false;
    int hourQsos = 0;
    int hourChanges = 0;
    int totalChanges = 0;

    void count(const std::string& key)
    {
        ++hourQsos;
        if (!hasKey) {
            bandKey = key;
            hasKey = true;
        } else if (key != bandKey) {
            ++hourChanges;
            ++totalChanges;
            bandKey = key;
        }
    }
};

} // namespace

bool Get_m2_bc(const AppState& s, TKeoEGrid& grid)
{
    initM2Grid(grid);
    const TKeoEGrid& log = s.log_grid;
    const int n = qsoCount(s);
    std::set<std::string> ids;
    for (int r = 1; r <= n; ++r) {
        std::string id = zem::trim(log.Cell(lcTX, r));
        if (!id.empty()) ids.insert(std::move(id));
    }
    if (ids.empty() || ids.size() > 2) return false;

    // Ids are compared whole and trimmed: a single transmitter has no partner
    // (R1 matches no QSO), and ids that share their first characters stay apart.
    Transmitter r0, r1;
    r0.id = *ids.begin();
    if (ids.size() == 2) r1.id = *ids.rbegin();

    auto hourOf = [&](int r) { return log.Cell(lcTime, r).substr(0, 2); };
    auto dayOf = [&](int r) {
        const std::string& d = log.Cell(lcDate, r);
        return d.size() > 8 ? d.substr(8, 2) : std::string();
    };

    TKeoEGrid::BatchUpdate batch(grid);
    int hourRows = 0;
    std::string hour = n >= 1 ? hourOf(1) : std::string();
    std::string day = n >= 1 ? dayOf(1) : std::string();
    auto writeHour = [&] {
        ++hourRows;
        grid.AppendRow({std::to_string(hourRows), day, hour, std::to_string(r1.hourChanges),
                        std::to_string(r0.hourChanges), std::to_string(r1.hourQsos), std::to_string(r0.hourQsos),
                        std::to_string(r0.hourQsos + r1.hourQsos)});
        for (Transmitter* t : {&r0, &r1}) t->hourQsos = t->hourChanges = 0;
    };
    for (int r = 1; r <= n; ++r) {
        const std::string h = hourOf(r);
        const std::string d = dayOf(r);
        if (h != hour || d != day) {
            writeHour();
            hour = h;
            day = d;
        }
        const std::string id = zem::trim(log.Cell(lcTX, r));
        const std::string key = bandKeyOfKHzCell(log.Cell(lcKHz, r));
        if (id.empty()) continue;
        if (id == r0.id) r0.count(key);
        else if (id == r1.id) r1.count(key);
    }
    if (n >= 1) writeHour();
    grid.AppendRow({"Total", "", "", std::to_string(r1.totalChanges), std::to_string(r0.totalChanges)});
    grid.SetRowCount(hourRows + 2);
    auto header = grid.Header();
    header[3] += " ID=" + r1.id;
    header[4] += " ID=" + r0.id;
    grid.SetHeader(header);
    grid.WriteHeader();
    return true;
}

bool m2CellHighlighted(const TKeoEGrid& grid, int col, int row)
{
    if ((col != 3 && col != 4) || row < 1 || row >= grid.RowCount() - 1) return false;
    int v = 0;
    return zem::tryToInt(grid.Cell(col, row), v) && v > kM2BandChangeLimit;
}
