#include "analysis/analysis_pass.h"

#include "analysis/call_country.h"
#include "analysis/qso_minutes.h"
#include "analysis/dupe_key.h"
#include "main/log_table.h"
#include "main/text_util.h"
#include "refdata/cty_search.h"
#include "refdata/master_call_db.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <unordered_set>

namespace {

const std::vector<std::string>& summaryTitles()
{
    static const std::vector<std::string> t = {"Band", "QSO",  "qso %",  "CW",       "cw %",  "SSB",     "ssb %",
                                               "RTTY", "rtty %", "Time", "time %",   "QSO/min.", "Moves", "moves %",
                                               "DXCC", "WAZ",  "ITU",    "Oblasts", "Points"};
    return t;
}

// Multiplier kinds of the worked flags.
enum { kindDxcc = 0, kindWaz = 1, kindItu = 2 };

std::string percentText(long long part, long long whole)
{
    return std::to_string(zem::roundHalfEven(static_cast<double>(part) * 100.0 / static_cast<double>(whole)));
}

} // namespace

const std::array<std::string, SummaryBandCount>& BandNames()
{
    static const std::array<std::string, SummaryBandCount> n = {"160", "80", "40", "20", "15", "10"};
    return n;
}

std::string formatQsoPerMinute(double v)
{
    // Round to three significant digits first, then show three decimals;
    // to_chars keeps "." whatever the user's locale.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 3);
    double rounded = v;
    std::from_chars(buf, r.ptr, rounded);
    r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 3);
    return std::string(buf, r.ptr);
}

void initSummaryGrid(TKeoEGrid& grid)
{
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.SetColCount(SummaryColumnCount);
    grid.Alignment = TAlignment::Center;
    grid.SetHeader(summaryTitles());
    grid.ClearGrid();
    grid.SetRowCount(SummaryTotalRow + 1);
}

SummaryPage::SummaryPage() : Summary_Grid(SummaryColumnCount, SummaryTotalRow + 1, 1, 1)
{
    initSummaryGrid(Summary_Grid);
    Summary_Grid.Title = "Summary";
}

SummaryCellPaint Summary_GridDrawCell(const TKeoEGrid& grid, int aCol, int aRow)
{
    SummaryCellPaint p;
    p.buttonFace = aCol == scQSOPct || aCol == scCWPct || aCol == scSSBPct || aCol == scRTTYPct ||
                   aCol == scTimePct || aCol == scMovesPct;
    p.bold = aCol == scQSO || aCol == scCW || aCol == scSSB;
    p.paint = aCol > 0 && aRow > 0;
    if (p.paint) p.text = grid.Cell(aCol, aRow);
    return p;
}

AnalysisPassReport Process_log_and_summary(AppState& s, TCty_search& cty, const TMasterCallDB* master,
                                           bool markNotInMaster, SummaryPage& page,
                                           const AnalysisProgress& progress)
{
    AnalysisPassReport report;
    TKeoEGrid& log = s.log_grid;
    TKeoEGrid& sum = page.Summary_Grid;
    TKeoEGrid::BatchUpdate logBatch(log);
    TKeoEGrid::BatchUpdate sumBatch(sum);

    const int asRussia = russianCountryNum(cty, AsiaticRussiaCall);
    const int euRussia = russianCountryNum(cty, EuropeanRussiaCall);

    // Oblast keys ("4--3A") and WPX keys side by side, held once without regard to case.
    std::unordered_set<std::string> workList;
    s.WpxCount = 0;
    initSummaryGrid(sum);
    std::array<std::array<long long, SummaryBandCount + 1>, SummaryColumnCount> totals{};

    // Worked flags: countries are numbered by the country file, zones are
    // whatever numbers its records hold, so neither gets a fixed-size table.
    const int countryCount = std::max(0, cty.CountryCount());
    std::vector<char> dxccWorked(static_cast<size_t>(countryCount + 1) * (SummaryBandCount + 1), 0);
    std::unordered_set<long long> zonesWorked; // (kind, band, zone)
    auto zoneKey = [](int kind, int band, int zone) {
        return (static_cast<long long>(kind * (SummaryBandCount + 1) + band) << 32) | static_cast<unsigned>(zone);
    };

    const int lastRow = s.header.QsoCount > 0 ? log.RowCount() - 1 : 0;
    const bool master_check = markNotInMaster && master != nullptr && master->Loaded();
    // A dupe is no multiplier. Outside UCG mode its prefix was always counted
    // on the QSO it repeats; in UCG mode it may come on a new frequency.
    const std::vector<bool> dupe = s.UcgMode ? dupeRows(log) : std::vector<bool>{};

    // QSO minutes of every row. A date or time that does not convert is
    // reported on its row and takes its neighbour's minute, so that it adds
    // no time instead of stopping the pass.
    std::vector<std::string> minuteError;
    const std::vector<QsoMinute> minute = qsoMinutes(log, lastRow, &minuteError);
    if (lastRow >= 1) s.PrevMinute = minute[1] + 1;
    // Minutes from the earliest to the latest QSO of rows first..last, both
    // counted. For a log in time order that is last minus first plus one;
    // rows out of order never make it negative.
    auto spanMinutes = [&](int first, int last) -> QsoMinute {
        const auto from = minute.begin() + first;
        const auto [lo, hi] = std::minmax_element(from, from + (last - first + 1));
        return *hi - *lo + 1;
    };

    int runStart = 1;
    int runBand = -1;

    for (int r = 1; r <= lastRow; ++r) {
        s.RowCounter = r;
        if (s.header.QsoCount > 499 && r % 100 == 0 && progress) progress(r, s.header.QsoCount);

        // A QSO goes into the processing-error list once, however many of its cells fail.
        bool listed = false;
        auto listRow = [&] {
            if (!listed) Bad_QSO(s);
            listed = true;
        };
        auto conversionError = [&](const std::string& what) {
            report.ConversionErrors.push_back("Row " + std::to_string(r) + ": " + what);
            listRow();
        };
        if (!minuteError[static_cast<size_t>(r)].empty()) conversionError(minuteError[static_cast<size_t>(r)]);

        const std::string call = log.Cell(lcCallsign, r);
        s.CurrentCall = call;
        const CountryRecord* country = nullptr;
        try {
            country = countryOfCall(cty, call);
        } catch (const std::invalid_argument& e) {
            conversionError(e.what());
        }
        log.SetCell(lcCont, r, country ? country->Continent : std::string());

        int kHz = 0;
        try {
            kHz = zem::toInt(log.Cell(lcKHz, r));
        } catch (const std::invalid_argument& e) {
            conversionError(e.what());
            continue; // no band: nothing more to count for this QSO
        }
        const std::string kHzText = std::to_string(kHz);
        log.SetCell(lcKHz, r, kHzText);

        const int band = bandOfKHzCell(kHzText);
        if (band == 0) continue;

        // Oblast of a Russian station worked at home.
        if (country && (country->CountryNum == asRussia || country->CountryNum == euRussia) &&
            call.find('/') == std::string::npos) {
            const auto open = country->Country.find('(');
            if (open != std::string::npos) {
                const std::string code = country->Country.substr(open + 1, 2);
                if (!code.empty() && workList.insert(zem::upperAscii(std::to_string(band) + "--" + code)).second) {
                    log.SetCell(lcRUS, r, code);
                    ++totals[scOblasts][static_cast<size_t>(band)];
                }
            }
        }

        if (master_check && !master->ExactSearch(call)) log.SetCell(lcMaster, r, "NO.");

        std::string prefix;
        try {
            prefix = cty.WpxPrefix(cty.NormalizePortable(call));
        } catch (const std::exception&) {
            listRow();
            prefix = call;
        }
        s.CurrentCall = prefix;
        log.SetCell(lcWPX, r, "");
        // A call without a prefix (no digit followed by a letter) is no WPX
        // multiplier. In UCG mode a prefix counts once per frequency; the
        // separator keeps "UA92" on 1830 apart from "UA9" on 21830.
        if (!prefix.empty() && !(s.UcgMode && dupe[static_cast<size_t>(r)])) {
            const std::string key = s.UcgMode ? prefix + "|" + kHzText : prefix;
            if (workList.insert(zem::upperAscii(key)).second) {
                log.SetCell(lcWPX, r, prefix);
                ++s.WpxCount;
            }
        }

        const std::string& mode = log.Cell(lcMode, r);
        int modeCol = -1;
        if (!mode.empty()) {
            if (mode[0] == 'P') modeCol = scSSB;
            else if (mode[0] == 'C') modeCol = scCW;
            else if (mode[0] == 'R') modeCol = scRTTY;
        }
        if (modeCol >= 0) ++totals[static_cast<size_t>(modeCol)][static_cast<size_t>(band)];
        ++totals[scQSO][static_cast<size_t>(band)];

        const std::string& pts = log.Cell(lcPts, r);
        if (!zem::trim(pts).empty()) {
            try {
                totals[scPoints][static_cast<size_t>(band)] += zem::toInt(pts);
            } catch (const std::invalid_argument& e) {
                conversionError(e.what());
            }
        }

        if (country) {
            const int num = country->CountryNum;
            if (num >= 1 && num <= countryCount) {
                char& flag = dxccWorked[static_cast<size_t>(num) * (SummaryBandCount + 1) + static_cast<size_t>(band)];
                if (!flag) {
                    flag = 1;
                    ++totals[scDXCC][static_cast<size_t>(band)];
                    log.SetCell(lcDXCC, r, country->Prefix);
                }
            }
            const struct { int kind; const std::string& text; int col; int summaryCol; } zones[] = {
                {kindWaz, country->CQ, lcWAZ, scWAZ}, {kindItu, country->ITU, lcITU, scITU}};
            for (const auto& z : zones) {
                const int zone = zoneNumber(z.text);
                if (zone > 0 && zonesWorked.insert(zoneKey(z.kind, band, zone)).second) {
                    ++totals[static_cast<size_t>(z.summaryCol)][static_cast<size_t>(band)];
                    log.SetCell(z.col, r, z.text);
                }
            }
        }

        log.SetCell(lcBand, r, contestBandName(band));

        // A new band closes the run made on the previous one.
        if (band != runBand) {
            ++totals[scMoves][static_cast<size_t>(band)];
            if (runBand > 0) totals[scTime][static_cast<size_t>(runBand)] += spanMinutes(runStart, r - 1);
            runStart = r;
            runBand = band;
        }
    }
    if (runBand > 0) totals[scTime][static_cast<size_t>(runBand)] += spanMinutes(runStart, lastRow);

    // --- the Summary table ---
    auto setNum = [&](int col, int row, long long v) { sum.SetCell(col, row, std::to_string(v)); };
    std::array<long long, SummaryColumnCount> total{};
    for (int b = 1; b <= SummaryBandCount; ++b)
        for (int c = 0; c < SummaryColumnCount; ++c) {
            const long long v = totals[static_cast<size_t>(c)][static_cast<size_t>(b)];
            setNum(c, b, v);
            if (c > 0) total[static_cast<size_t>(c)] += v;
        }
    for (int c = 1; c < SummaryColumnCount; ++c) setNum(c, SummaryTotalRow, total[static_cast<size_t>(c)]);

    auto bandValue = [&](int col, int b) { return totals[static_cast<size_t>(col)][static_cast<size_t>(b)]; };
    const long long totalQso = total[scQSO];
    if (lastRow >= 1) {
        const QsoMinute span = spanMinutes(1, lastRow) - 1;
        if (span > 0)
            sum.SetCell(scQSOPerMin, SummaryTotalRow, formatQsoPerMinute(static_cast<double>(totalQso) / static_cast<double>(span)));
    }
    for (int b = 1; b <= SummaryBandCount; ++b) {
        if (s.header.QsoCount > 0) sum.SetCell(scQSOPct, b, percentText(bandValue(scQSO, b), s.header.QsoCount));
        for (int c : {scCW, scSSB, scRTTY})
            if (total[static_cast<size_t>(c)] != 0)
                sum.SetCell(c + 1, b, percentText(bandValue(c, b), total[static_cast<size_t>(c)]));
        if (total[scTime] != 0) sum.SetCell(scTimePct, b, percentText(bandValue(scTime, b), total[scTime]));
        if (bandValue(scTime, b) != 0)
            sum.SetCell(scQSOPerMin, b,
                        formatQsoPerMinute(static_cast<double>(bandValue(scQSO, b)) / bandValue(scTime, b)));
        if (total[scMoves] != 0) sum.SetCell(scMovesPct, b, percentText(bandValue(scMoves, b), total[scMoves]));
    }
    if (totalQso != 0)
        for (int c : {scCW, scSSB, scRTTY})
            sum.SetCell(c + 1, SummaryTotalRow, percentText(total[static_cast<size_t>(c)], totalQso));
    for (int b = 1; b <= SummaryBandCount; ++b) sum.SetCell(scBand, b, BandNames()[static_cast<size_t>(b - 1)]);
    sum.SetCell(scBand, SummaryTotalRow, "Total");

    // --- the chart ---
    SummaryChartData& chart = page.Chart_sum;
    chart = SummaryChartData{};
    chart.Title = "ZEM Log Analysis.Summary " + s.header.LogTitle;
    const struct { const char* name; std::uint32_t color; int col; } series[] = {
        {"QSO`s", 0xFF0000, scQSOPct}, {"Time", 0x0000FF, scTimePct}, {"Moves", 0x00FFFF, scMovesPct}};
    for (const auto& sd : series) {
        SummaryChartSeries out;
        out.Name = sd.name;
        out.Color = sd.color;
        for (int b = 1; b <= SummaryBandCount; ++b) {
            out.Labels.push_back(BandNames()[static_cast<size_t>(b - 1)]);
            out.Values.push_back(static_cast<double>(zem::roundHalfEven(zem::toDouble(sum.Cell(sd.col, b)))));
        }
        chart.Series.push_back(std::move(out));
    }

    sum.SetRowCount(SummaryTotalRow + 1);
    sum.Row = SummaryTotalRow;
    return report;
}
