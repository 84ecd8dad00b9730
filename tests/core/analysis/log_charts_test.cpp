#include "analysis/log_charts.h"

#include "qso_log_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

std::vector<double> ys(const ChartSeries& s)
{
    std::vector<double> v;
    for (const auto& p : s.points) v.push_back(p.y);
    return v;
}

std::vector<double> xs(const ChartSeries& s)
{
    std::vector<double> v;
    for (const auto& p : s.points) v.push_back(p.x);
    return v;
}

QsoLog threeQsos()
{
    QsoLog l("ZZ CALL 2025");
    l.add({"14025", "1000", "2025-03-29", "0", "CW", "3"})
        .add({"21030", "1000"})
        .add({"14026", "1007", "2025-03-29", "1"});
    return l;
}

} // namespace

TEST(ClearAllSeries, ResetsTitlesAxesSeriesAndMarks)
{
    ChartData c = makeAnalysisChart();
    c.title = "x";
    c.left = {"L", true, 7000};
    c.bottom.title = "B";
    c.right.title = "R";
    c.right.visible = true;
    c.Series("Series2").marksVisible = true;
    c.Series("Series13").AddXY(1, 2);
    clear_all_series(c);
    EXPECT_EQ(c.title, "ZEM Log Analysis");
    EXPECT_EQ(c.left.title, "");
    EXPECT_EQ(c.left.increment, 0);
    EXPECT_EQ(c.bottom.title, "");
    EXPECT_EQ(c.right.title, "");
    EXPECT_FALSE(c.right.visible);
    EXPECT_FALSE(c.Series("Series2").marksVisible);
    for (const auto& s : c.series) EXPECT_TRUE(s.points.empty()) << s.name;
    // The K-index scale is fixed by design.
    EXPECT_FALSE(c.right.automatic);
    EXPECT_EQ(c.right.maximum, 10);
}

TEST(RoundTickStep, OneTwoOrFiveTimesAPowerOfTen)
{
    const struct {
        double span;
        int intervals;
        bool whole;
        double step;
    } cases[] = {
        {1093, 10, true, 200},  // the longest Top Ten bar
        {2879, 6, true, 500},   // the minutes of a 48-hour contest
        {1000, 10, true, 100},  // a span that divides exactly keeps its step
        {0.74, 10, false, 0.1}, // fractions
        {3, 10, false, 0.5},
        {3, 10, true, 1}, // counts never tick between whole numbers
        {0, 10, true, 1}, // nothing to divide
        {26700, 8, true, 5000},
    };
    for (const auto& k : cases)
        EXPECT_DOUBLE_EQ(roundTickStep(k.span, k.intervals, k.whole), k.step) << k.span << "/" << k.intervals;
}

TEST(LogCharts, TitlesAndAxesOfEachChart)
{
    QsoLog l = threeQsos();
    struct Case {
        const char* name;
        void (*run)(const AppState&, ChartData&);
        const char* title;
        const char* left;
        const char* bottom;
        double increment;
    } cases[] = {
        {"growth", [](const AppState& s, ChartData& c) { growthChart(s, c); },
         "ZEM.Growth of QSO quantity in time. ZZ CALL 2025", "QSO", "Time, min.", 0},
        {"between", [](const AppState& s, ChartData& c) { timeBetweenQsosChart(s, c); },
         "ZEM Log Analysis. Time between QSO.ZZ CALL 2025", "Time, min.", "QSO", 0},
        {"ten", timeFor10QsoChart, "ZEM Log Analysis.Time for 10 QSO. ZZ CALL 2025", "Time, min.", "QSOs", 0},
        {"msr", [](const AppState& s, ChartData& c) { mainSecondRadioChart(s, c); },
         "ZEM Log Analysis.Main - second radio.ZZ CALL 2025", "Frequency", "Time, min.", 7000},
        {"qsy", bandChangeChart, "ZEM Log Analysis.Band changes.ZZ CALL 2025", "Frequency", "Time, min.", 7000},
    };
    for (const auto& k : cases) {
        ChartData c = makeAnalysisChart();
        c.Series("Series6").Add(5); // a previous chart's bars go
        k.run(l.s, c);
        EXPECT_EQ(c.title, k.title) << k.name;
        EXPECT_EQ(c.left.title, k.left) << k.name;
        EXPECT_EQ(c.bottom.title, k.bottom) << k.name;
        EXPECT_EQ(c.left.increment, k.increment) << k.name;
        EXPECT_TRUE(c.Series("Series6").points.empty()) << k.name;
    }
}

TEST(LogCharts, PointsOfTheTimeCharts)
{
    QsoLog l = threeQsos();
    ChartData c = makeAnalysisChart();

    growthChart(l.s, c);
    EXPECT_EQ(xs(c.Series("Series2")), (std::vector<double>{0, 7}));
    EXPECT_EQ(ys(c.Series("Series2")), (std::vector<double>{1, 2}));
    EXPECT_EQ(c.Series("Series2").points[0].color, zemcolor::Blue);

    // Same minute gives 0; x counts from 0.
    timeBetweenQsosChart(l.s, c);
    EXPECT_EQ(xs(c.Series("Series2")), (std::vector<double>{0, 1}));
    EXPECT_EQ(ys(c.Series("Series2")), (std::vector<double>{0, 7}));

    bandChangeChart(l.s, c);
    const auto& s2 = c.Series("Series2");
    ASSERT_EQ(s2.points.size(), 3u);
    EXPECT_EQ(s2.points[1], (ChartPoint{0, 21030, "1000", zemcolor::Blue, true}));
    EXPECT_EQ(s2.points[2].x, 7);
    // The log starts with a K index: the right axis shows; only QSOs with one get a K point.
    EXPECT_TRUE(c.right.visible);
    EXPECT_EQ(c.right.title, "K Indices");
    EXPECT_EQ(ys(c.Series("Series11")), (std::vector<double>{3}));

    EXPECT_TRUE(mainSecondRadioChart(l.s, c) == false);
    const auto& s13 = c.Series("Series13");
    ASSERT_EQ(s13.points.size(), 3u);
    EXPECT_EQ(s13.points[0].color, zemcolor::Red);  // TX "0"
    EXPECT_EQ(s13.points[1].color, zemcolor::Red);  // no TX
    EXPECT_EQ(s13.points[2].color, zemcolor::Blue); // TX "1"
    EXPECT_EQ(s13.points[2].label, "1007");
}

TEST(LogCharts, TimeRunningBackwardsGivesNoNegativeDurations)
{
    QsoLog l;
    l.add({"14025", "1010"}).add({"14025", "1000"});
    for (int i = 0; i < 12; ++i) l.add({"14025", "1001"});
    ChartData c = makeAnalysisChart();
    timeBetweenQsosChart(l.s, c);
    for (double v : ys(c.Series("Series2"))) EXPECT_GE(v, 0);
    timeFor10QsoChart(l.s, c);
    for (double v : ys(c.Series("Series2"))) EXPECT_GE(v, 0);
    // Rows logged before the first QSO stand at the start of the time axis.
    growthChart(l.s, c);
    for (double v : xs(c.Series("Series2"))) EXPECT_GE(v, 0);
    bandChangeChart(l.s, c);
    for (double v : xs(c.Series("Series2"))) EXPECT_GE(v, 0);
}

TEST(LogCharts, ShortLogsGiveNoPoints)
{
    for (int n : {0, 1, 2, 11}) {
        QsoLog l;
        l.addRun(n, 1);
        ChartData c = makeAnalysisChart();
        timeFor10QsoChart(l.s, c);
        EXPECT_TRUE(c.Series("Series2").points.empty()) << n;
        growthChart(l.s, c);
        EXPECT_EQ(c.Series("Series2").points.size(), static_cast<size_t>(std::max(0, n - 1))) << n;
    }
    QsoLog twelve;
    twelve.addRun(12, 3);
    ChartData c = makeAnalysisChart();
    timeFor10QsoChart(twelve.s, c);
    ASSERT_EQ(c.Series("Series2").points.size(), 1u);
    EXPECT_EQ(c.Series("Series2").points[0].x, 1);
    EXPECT_EQ(c.Series("Series2").points[0].y, 30);
}

TEST(LogCharts, SixtyMinuteRate)
{
    struct Case {
        int qsos, step;
        bool drawn;
        size_t points;
        double firstRate;
    } cases[] = {
        {199, 1, false, 0, 0},
        {200, 1, true, 100, 60},  // 100 QSOs in 100 minutes
        {300, 2, true, 200, 30},
    };
    for (const auto& k : cases) {
        QsoLog l;
        l.addRun(k.qsos, k.step);
        ChartData c = makeAnalysisChart();
        c.title = "before";
        EXPECT_EQ(rate60Chart(l.s, c), k.drawn) << k.qsos;
        if (!k.drawn) {
            EXPECT_EQ(c.title, "before"); // left alone
            continue;
        }
        EXPECT_EQ(c.title, "ZEM Log Analysis.60 min. rate for 100 QSO. TEST");
        EXPECT_EQ(c.left.title, "Rate, QSO/hour");
        EXPECT_EQ(c.bottom.title, "Time");
        ASSERT_EQ(c.Series("Series2").points.size(), k.points);
        EXPECT_EQ(c.Series("Series2").points[0].y, k.firstRate);
        EXPECT_EQ(c.Series("Series2").points[1].label, k.step == 1 ? "0001" : "0002");
    }
}

TEST(LogCharts, SixtyMinuteRateRoundsAndSkipsRunsWithoutTime)
{
    // 100 QSOs in 60 minutes give 100, in 50 minutes 120; a run all in one minute has no rate.
    auto rateOf = [](int spanMinutes) {
        QsoLog l;
        for (int i = 0; i < 200; ++i) {
            const int m = i <= 100 ? (i * spanMinutes) / 100 : spanMinutes + i;
            char t[16];
            std::snprintf(t, sizeof t, "%02d%02d", m / 60, m % 60);
            l.add({"14025", t, "2025-03-29", "", "CW", i >= 50 && i < 100 ? "4" : ""});
        }
        ChartData c = makeAnalysisChart();
        rate60Chart(l.s, c);
        EXPECT_FALSE(c.right.visible); // the first QSO has no K index
        EXPECT_EQ(c.Series("Series11").points.size(), 50u);
        return c.Series("Series2").points;
    };
    EXPECT_EQ(rateOf(60).front().y, 100);
    EXPECT_EQ(rateOf(50).front().y, 120);
    EXPECT_EQ(rateOf(50).size(), 100u);
    EXPECT_EQ(rateOf(0).size(), 99u);
}

TEST(LogCharts, PointsForTwentyQsos)
{
    QsoLog small;
    small.addRun(119, 1, "14025", "2");
    ChartData c = makeAnalysisChart();
    EXPECT_FALSE(pointsChart(small.s, c));

    QsoLog l;
    l.addRun(120, 1, "14025", "2");
    l.s.log_grid.SetCell(lcPts, 21, "10");
    ASSERT_TRUE(pointsChart(l.s, c));
    const auto& s2 = c.Series("Series2");
    ASSERT_EQ(s2.points.size(), 100u);
    EXPECT_EQ(s2.points[0].y, 20 * 2 + 10); // 21 QSOs, the 21st worth 10
    EXPECT_EQ(s2.points[1].y, 20 * 2 + 10);
    EXPECT_EQ(s2.points[21].y, 42);
    EXPECT_EQ(s2.points[0].label, "0000");
    EXPECT_EQ(c.left.title, "Points");

    // Unscored QSOs stop the chart with what was drawn so far.
    l.s.log_grid.SetCell(lcPts, 60, "");
    EXPECT_THROW(pointsChart(l.s, c), std::invalid_argument);
    EXPECT_EQ(c.Series("Series2").points.size(), 39u);
}

TEST(LogCharts, MainSecondRadioWarnsWithoutTransmitterIds)
{
    QsoLog l;
    l.add({"14025", "1000"}).add({"21025", "1001", "2025-03-29", "1"});
    ChartData c = makeAnalysisChart();
    EXPECT_TRUE(mainSecondRadioChart(l.s, c));
    EXPECT_EQ(c.Series("Series13").points.size(), 2u);
    EXPECT_EQ(noTransmitterIdsText(), "In the log there are no identifiers of transmitters\r(Column \"TX\")");

    l.s.log_grid.SetCell(lcKHz, 2, "21O25");
    EXPECT_THROW(mainSecondRadioChart(l.s, c), std::invalid_argument);
}

TEST(LogCharts, HourRateFromTheHourTable)
{
    TKeoEGrid t(8, 4, 1, 1);
    t.SetHeader({"Day/hour", "Rate", "EU", "AS", "NA", "SA", "AF", "OC"});
    t.WriteRow(1, {"29 00", "12", "10", "", "2"});
    t.WriteRow(2, {"29 01", "7", "7"});
    t.WriteRow(3, {"Total", "19", "17", "", "2"});
    ChartData c = makeAnalysisChart();
    struct Case {
        int column;
        std::vector<double> values;
        const char* title;
    } cases[] = {{1, {12, 7}, "ZEM Log Analysis.Distribution hour-rate - Rate - T"},
                 {3, {0, 0}, "ZEM Log Analysis.Distribution hour-rate - AS - T"},
                 {4, {2, 0}, "ZEM Log Analysis.Distribution hour-rate - NA - T"}};
    for (const auto& k : cases) {
        hourRateChart(t, k.column, "T", c);
        const auto& s2 = c.Series("Series2");
        EXPECT_EQ(ys(s2), k.values) << k.column;
        EXPECT_EQ(xs(s2), (std::vector<double>{0, 1}));
        EXPECT_EQ(s2.points[0].label, "00z");
        EXPECT_EQ(s2.points[1].label, "01z");
        EXPECT_TRUE(s2.marksVisible);
        EXPECT_EQ(c.title, k.title);
        EXPECT_EQ(c.left.title, "Rate");
        EXPECT_EQ(c.bottom.title, "Time");
    }
}
