#include "analysis/operators.h"

#include "country_log_fixture.h"
#include "main/log_table.h"

#include <gtest/gtest.h>

using namespace countryfixture;

namespace {

void addOperatorQsos(std::vector<Qso>& qsos, std::vector<std::string>& ops, const std::string& op,
                     const std::string& band, int n)
{
    for (int i = 0; i < n; ++i) {
        qsos.push_back({"K1AA", "0", band});
        ops.push_back(op);
    }
}

AppState logOf(const std::vector<Qso>& qsos, const std::vector<std::string>& ops)
{
    AppState s;
    fillLog(s, qsos);
    for (size_t i = 0; i < ops.size(); ++i) s.log_grid.SetCell(lcOperator, static_cast<int>(i) + 1, ops[i]);
    return s;
}

std::vector<std::vector<std::string>> rows(const TKeoEGrid& t)
{
    std::vector<std::vector<std::string>> v;
    for (int r = 0; r < t.RowCount(); ++r) v.push_back(t.RowCells(r));
    return v;
}

} // namespace

TEST(OperatorTable, SortedByTotalWithBandColumns)
{
    std::vector<Qso> q;
    std::vector<std::string> ops;
    addOperatorQsos(q, ops, "A", "20", 10);
    addOperatorQsos(q, ops, "B", "40", 30);
    AppState s = logOf(q, ops);
    TKeoEGrid t;
    fillOperatorTable(s.log_grid, t);
    EXPECT_EQ(rows(t), (std::vector<std::vector<std::string>>{
                           {"#", "Callsign", "Total QSO", "160", "80", "40", "20", "15", "10"},
                           {"1", "B", "30", "0", "0", "30", "0", "0", "0"},
                           {"2", "A", "10", "0", "0", "0", "10", "0", "0"}}));

    ChartData chart = makeAnalysisChart();
    std::uint32_t next = 0x10;
    operatorChart(t, OperatorTotalColumn, "TEST SM5XX 2024", chart, [&] { return next++; });
    const auto& bars = chart.Series("Series1");
    ASSERT_EQ(bars.points.size(), 2u);
    EXPECT_EQ(bars.kind, ChartSeriesKind::VerticalBars);
    EXPECT_EQ(bars.points[0], (ChartPoint{0, 30, "B", 0x10, true}));
    EXPECT_EQ(bars.points[1], (ChartPoint{1, 10, "A", 0x11, true}));
    EXPECT_EQ(chart.title, "ZEM Log Analysis.QSO vs. Op. All bands. TEST SM5XX 2024");
    EXPECT_EQ(chart.left.title, "QSOs");
    EXPECT_EQ(chart.bottom.title, "Callsign");

    clear_all_series(chart);
    operatorChart(t, 6, "TEST SM5XX 2024", chart, [] { return 0u; });
    EXPECT_EQ(chart.title, "ZEM Log Analysis.QSO vs. Op. 20 meters. TEST SM5XX 2024");
    EXPECT_EQ(chart.Series("Series1").points[1].y, 10);
    EXPECT_THROW(operatorChart(t, 9, "", chart, [] { return 0u; }), std::invalid_argument);
}

TEST(OperatorCounts, NoOperatorCaseAndBandsOutsideTheSix)
{
    // Rows: band "" (outside the six, first QSO), "6" (no such band), then
    // ordinary ones. Outside bands count in the total only, never as the
    // band of the QSO before.
    AppState s = logOf({{"K1AA", "50100", ""},
                        {"K1AB", "14025", "20"},
                        {"K1AC", "144300", "6"},
                        {"K1AD", "1830", "160"},
                        {"K1AE", "28400", "10"},
                        {"K1AF", "7000", "40"}},
                       {"op1", "OP1", "OP1", "", "ZZ", "Op1"});
    const auto counts = operatorCounts(s.log_grid);
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0].op, "");
    EXPECT_EQ(counts[0].total, 1);
    EXPECT_EQ(counts[0].bands, (std::array<int, 6>{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(counts[1].op, "op1"); // spelt as first met
    EXPECT_EQ(counts[1].total, 4);
    EXPECT_EQ(counts[1].bands, (std::array<int, 6>{0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(counts[2].op, "ZZ");
    EXPECT_EQ(counts[2].bands, (std::array<int, 6>{0, 0, 0, 0, 0, 1}));
}

TEST(OperatorCounts, ManyOperatorsAllCounted)
{
    std::vector<Qso> q;
    std::vector<std::string> ops;
    for (int i = 0; i < 40; ++i) addOperatorQsos(q, ops, "OP" + std::to_string(i), "15", i + 1);
    AppState s = logOf(q, ops);
    TKeoEGrid t;
    fillOperatorTable(s.log_grid, t);
    ASSERT_EQ(t.RowCount(), 41);
    EXPECT_EQ(t.RowCells(1)[1], "OP39");
    EXPECT_EQ(t.RowCells(1)[7], "40");
    EXPECT_EQ(t.RowCells(40)[0], "40");
    EXPECT_EQ(t.RowCells(40)[1], "OP0");
}

TEST(OperatorChart, QsosWithoutAnOperatorAreNamedOnTheChartOnly)
{
    std::vector<Qso> q;
    std::vector<std::string> ops;
    addOperatorQsos(q, ops, "OP1", "20", 2);
    addOperatorQsos(q, ops, "", "40", 3);
    AppState s = logOf(q, ops);
    TKeoEGrid t;
    fillOperatorTable(s.log_grid, t);
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cell(1, 1), ""); // the table keeps the empty value: choosing it loads those QSOs

    ChartData chart = makeAnalysisChart();
    operatorChart(t, OperatorTotalColumn, "", chart, [] { return 0x10u; });
    const auto& bars = chart.Series("Series1").points;
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].label, "(none)");
    EXPECT_EQ(bars[0].y, 3);
    EXPECT_EQ(bars[1].label, "OP1");
}
