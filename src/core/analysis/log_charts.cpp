#include "analysis/log_charts.h"

#include "analysis/qso_minutes.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kProgressStep = 200;

int qsoCount(const AppState& s) { return std::min(s.header.QsoCount, s.log_grid.RowCount() - 1); }

// The minutes of the log's rows, read once for a chart; a row whose date or
// time does not read stands at its neighbour's minute.
class LogMinutes {
public:
    explicit LogMinutes(const AppState& s) : minutes_(qsoMinutes(s.log_grid, qsoCount(s))), first_(s.FirstQsoMinute) {}
    int at(int row) const { return static_cast<int>(minutes_[static_cast<size_t>(row)]); }
    // Minutes since the log's first QSO; a row logged before it stands at 0.
    int elapsed(int row) const { return std::max<int>(0, at(row) - first_); }

private:
    std::vector<QsoMinute> minutes_;
    QsoMinute first_;
};

// The frequency as the charts read it: the whole number in the first ten characters.
int kHzOf(const AppState& s, int row) { return zem::toInt(s.log_grid.Cell(lcKHz, row).substr(0, 10)); }

void report(const ChartProgress& p, int row, int rowCount)
{
    if (p && (row % kProgressStep == 0 || row == rowCount)) p(row, rowCount);
}

// A right axis for the K indices, shown when the log starts with one.
void kIndexAxis(const AppState& s, ChartData& c)
{
    if (qsoCount(s) >= 1 && !s.log_grid.Cell(lcK, 1).empty()) {
        c.right.title = "K Indices";
        c.right.visible = true;
    }
}

void addKIndex(const AppState& s, ChartData& c, int row, double x)
{
    const std::string& k = s.log_grid.Cell(lcK, row);
    if (!k.empty()) c.Series("Series11").AddXY(x, zem::toInt(k));
}

// Every chart starts on a cleared chart with its axis titles and title.
void beginChart(ChartData& c, const char* left, const char* bottom, std::string title)
{
    clear_all_series(c);
    c.left.title = left;
    c.bottom.title = bottom;
    c.title = std::move(title);
}

} // namespace

std::string noTransmitterIdsText()
{
    return std::string("In the log there are no identifiers of transmitters") + '\r' + "(Column \"TX\")";
}

void growthChart(const AppState& s, ChartData& c, const ChartProgress& progress)
{
    beginChart(c, "QSO", "Time, min.", std::string("ZEM.") + kGrowthCaption + ". " + s.header.LogTitle);
    const int n = qsoCount(s);
    const LogMinutes minutes(s);
    auto& s2 = c.Series("Series2");
    for (int k = 2; k <= n; ++k) {
        s2.AddXY(minutes.elapsed(k), k - 1, {}, zemcolor::Blue);
        report(progress, k, s.log_grid.RowCount());
    }
}

void timeBetweenQsosChart(const AppState& s, ChartData& c, const ChartProgress& progress)
{
    beginChart(c, "Time, min.", "QSO", "ZEM Log Analysis. Time between QSO." + s.header.LogTitle);
    const int n = qsoCount(s);
    const LogMinutes minutes(s);
    auto& s2 = c.Series("Series2");
    int prev = n >= 1 ? minutes.at(1) : 0;
    for (int i = 1; i < n; ++i) {
        const int next = minutes.at(i + 1);
        s2.Add(std::max(0, next - prev));
        prev = next;
        report(progress, i, s.log_grid.RowCount());
    }
}

void timeFor10QsoChart(const AppState& s, ChartData& c)
{
    beginChart(c, "Time, min.", "QSOs", std::string("ZEM Log Analysis.") + kTimeFor10Caption + ". " + s.header.LogTitle);
    const int n = qsoCount(s);
    const LogMinutes minutes(s);
    auto& s2 = c.Series("Series2");
    for (int i = 1; i <= n - 11; ++i)
        s2.AddXY(i, std::max(0, minutes.at(i + 10) - minutes.at(i)), {}, zemcolor::Blue);
}

bool rate60Chart(const AppState& s, ChartData& c)
{
    const int n = qsoCount(s);
    if (n < 200) return false;
    const LogMinutes minutes(s);
    beginChart(c, "Rate, QSO/hour", "Time", std::string("ZEM Log Analysis.") + kRate60Caption + ". " + s.header.LogTitle);
    kIndexAxis(s, c);
    auto& s2 = c.Series("Series2");
    for (int i = 1; i <= n - 100; ++i) {
        const int first = minutes.at(i);
        const int span = minutes.at(i + 100) - first;
        const double x = minutes.elapsed(i);
        if (span > 0)
            s2.AddXY(x, static_cast<double>(zem::roundHalfEven(100.0 * 60.0 / span)),
                     s.log_grid.Cell(lcTime, i).substr(0, 4), zemcolor::Blue);
        addKIndex(s, c, i, x);
    }
    return true;
}

bool pointsChart(const AppState& s, ChartData& c)
{
    const int n = qsoCount(s);
    if (n < 120) return false;
    const LogMinutes minutes(s);
    beginChart(c, "Points", "Time", std::string("ZEM Log Analysis.") + kPointsCaption + ". " + s.header.LogTitle);
    auto& s2 = c.Series("Series2");
    auto pts = [&](int row) { return static_cast<long long>(zem::toInt(s.log_grid.Cell(lcPts, row))); };
    // A sliding window over 21 QSOs: each row's points are read once.
    long long sum = 0;
    for (int r = 1; r <= 20; ++r) sum += pts(r);
    for (int i = 1; i <= n - 20; ++i) {
        sum += pts(i + 20);
        s2.AddXY(minutes.elapsed(i), static_cast<double>(sum), s.log_grid.Cell(lcTime, i), zemcolor::Blue);
        sum -= pts(i);
    }
    return true;
}

bool mainSecondRadioChart(const AppState& s, ChartData& c)
{
    beginChart(c, "Frequency", "Time, min.",
               std::string("ZEM Log Analysis.") + kMainSecondCaption + "." + s.header.LogTitle);
    c.left.increment = 7000;
    const int n = qsoCount(s);
    const LogMinutes minutes(s);
    auto& s13 = c.Series("Series13");
    for (int i = 1; i <= n; ++i)
        s13.AddXY(minutes.elapsed(i), kHzOf(s, i), s.log_grid.Cell(lcTime, i),
                  s.log_grid.Cell(lcTX, i) == "1" ? zemcolor::Blue : zemcolor::Red);
    return n >= 1 && s.log_grid.Cell(lcTX, 1).empty();
}

void hourRateChart(const TKeoEGrid& hourTable, int column, const std::string& logTitle, ChartData& c)
{
    beginChart(c, "Rate", "Time", {});
    auto& s2 = c.Series("Series2");
    s2.marksVisible = true;
    for (int r = 1; r <= hourTable.RowCount() - 2; ++r) {
        const std::string& v = hourTable.Cell(column, r);
        const std::string& dayHour = hourTable.Cell(0, r);
        s2.Add(v.empty() ? 0 : zem::toInt(v), (dayHour.size() > 3 ? dayHour.substr(3, 2) : std::string()) + "z",
               zemcolor::Blue);
    }
    c.title = "ZEM Log Analysis.Distribution hour-rate - " + hourTable.Cell(column, 0) + " - " + logTitle;
}

void bandChangeChart(const AppState& s, ChartData& c)
{
    beginChart(c, "Frequency", "Time, min.", "ZEM Log Analysis.Band changes." + s.header.LogTitle);
    c.left.increment = 7000;
    kIndexAxis(s, c);
    const int n = qsoCount(s);
    const LogMinutes minutes(s);
    auto& s2 = c.Series("Series2");
    for (int i = 1; i <= n; ++i) {
        const double x = minutes.elapsed(i);
        s2.AddXY(x, kHzOf(s, i), s.log_grid.Cell(lcTime, i), zemcolor::Blue);
        addKIndex(s, c, i, x);
    }
}
