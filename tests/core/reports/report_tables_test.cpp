#include "reports/report_tables.h"

#include "../analysis/country_log_fixture.h"
#include "analysis/analysis_pass.h"
#include "analysis/log_charts.h"
#include "reports/print_layout.h"

#include <gtest/gtest.h>

using namespace countryfixture;

namespace {

struct ReportTablesTest : ::testing::Test {
    TCty_search cty = loadCty("report_tables");
    AppState s;
    void SetUp() override
    {
        std::vector<Qso> qsos;
        const char* calls[] = {"DL1AA", "UA3AB", "UA9CC", "K1AB", "JA1XX", "W2BC"};
        for (int i = 0; i < 25; ++i) {
            char t[8];
            std::snprintf(t, sizeof t, "12%02d", i * 2);
            const bool high = i % 2;
            qsos.push_back({std::string(calls[i % 6]).substr(0, 2) + std::to_string(i) + "X", high ? "21020" : "14020",
                            high ? "15" : "20", t});
        }
        fillLog(s, qsos);
    }
};

} // namespace

TEST_F(ReportTablesTest, EveryTableIsMadeWithoutTouchingTheSharedState)
{
    const AppState before = s;
    ReportOptions o;
    for (int i = 0; i < kReportTableCount; ++i) {
        const auto t = static_cast<ReportTable>(i);
        const ReportTableResult r = makeReportTable(t, s, cty, o);
        SCOPED_TRACE(reportTableNames()[static_cast<size_t>(i)]);
        if (t == ReportTable::BandChangesM2) {
            // The log has no transmitter ids: told, nothing printed.
            EXPECT_FALSE(r.printable);
            EXPECT_EQ(r.messages, std::vector<std::string>{noTransmitterIdsText()});
            continue;
        }
        EXPECT_TRUE(r.printable);
        EXPECT_TRUE(r.messages.empty()) << r.messages.front();
        EXPECT_GE(r.grid.RowCount(), 1);
    }
    for (int row = 0; row <= s.header.QsoCount; ++row) EXPECT_EQ(s.log_grid.RowCells(row), before.log_grid.RowCells(row));
    EXPECT_EQ(s.BadQsoCount, before.BadQsoCount);
    EXPECT_EQ(s.WpxCount, before.WpxCount);
}

TEST_F(ReportTablesTest, TablesHoldWhatTheirCommandsFill)
{
    ReportOptions o;
    const auto summary = makeReportTable(ReportTable::Summary, s, cty, o).grid;
    EXPECT_EQ(summary.Cell(scQSO, SummaryTotalRow), "25");

    const auto all = makeReportTable(ReportTable::AllCallsigns, s, cty, o).grid;
    EXPECT_EQ(all.RowCount(), 3); // 25 callsigns: rows of 10, 10 and 5
    EXPECT_EQ(all.Cell(4, 2).empty(), false);
    EXPECT_EQ(all.Cell(5, 2), "");

    const auto log = makeReportTable(ReportTable::Log, s, cty, o).grid;
    EXPECT_EQ(log.RowCount(), s.log_grid.RowCount());
    EXPECT_EQ(log.Cell(lcCallsign, 1), "DL0X");

    const auto waz = makeReportTable(ReportTable::WAZ, s, cty, o).grid;
    EXPECT_GT(waz.RowCount(), 2);

    o.breakMinimum = 1;
    const auto breaks = makeReportTable(ReportTable::Breaks, s, cty, o).grid;
    // 25 QSOs two minutes apart: 24 one-minute pauses, none longer than 1.
    EXPECT_EQ(breaks.Cell(0, 1), "Total");
}

TEST_F(ReportTablesTest, TitlesNameLogAndTable)
{
    EXPECT_EQ(reportTableNames().front(), "Summary");
    EXPECT_EQ(reportTableNames().back(), "Log");
    EXPECT_EQ(reportTitle("CQWW 2024", ReportTable::BandChangesM2), "CQWW 2024 - Band changes for M/2");
}

TEST_F(ReportTablesTest, ConversionFailureIsToldAndTheRowsSoFarKept)
{
    s.log_grid.SetCell(lcKHz, 3, "14x20");
    s.log_grid.SetCell(lcTX, 1, "0");
    const ReportTableResult r = makeReportTable(ReportTable::TwoRadio, s, cty, {});
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_TRUE(r.printable);
}
