#include "analysis/two_radio.h"

#include "qso_log_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

std::vector<double> ys(const ChartData& c)
{
    std::vector<double> v;
    for (const auto& p : c.series.front().points) v.push_back(p.y);
    return v;
}

} // namespace

TEST(TwoRadio, SecondRadioQsosByTheFrequencyRule)
{
    struct Case {
        const char* name;
        std::vector<std::string> kHz;
        std::vector<int> listedRows;
    } cases[] = {
        {"away and back", {"14025", "21030", "14026"}, {2}},
        {"within 1000 kHz", {"14025", "14300", "14026"}, {}},
        {"not back on the first band", {"14025", "21030", "21031"}, {}},
        {"exactly 1000 kHz away", {"14025", "15025", "14025"}, {}},
        {"two in a row", {"7010", "14020", "7011", "14021", "7012"}, {2, 3, 4}},
        {"too short", {"14025", "21030"}, {}},
    };
    for (const auto& k : cases) {
        QsoLog l;
        for (size_t i = 0; i < k.kHz.size(); ++i)
            l.add({k.kHz[i], "100" + std::to_string(i), "2025-03-29", "", i % 2 ? "PH" : "CW", "", "",
                   k.kHz[i].size() == 4 ? "40" : "20"});
        TKeoEGrid g(8, 2, 0, 1);
        initSecondRadioGrid(g);
        SecondRadioCharts charts;
        const int n = Two_radio(l.s, 5, false, g, charts);
        ASSERT_EQ(n, static_cast<int>(k.listedRows.size())) << k.name;
        EXPECT_EQ(g.RowCount(), n == 0 ? 2 : n + 1) << k.name;
        for (int i = 0; i < n; ++i) {
            const int row = k.listedRows[static_cast<size_t>(i)];
            EXPECT_EQ(g.Cell(0, i + 1), std::to_string(i + 1)) << k.name;
            EXPECT_EQ(g.Cell(3, i + 1), k.kHz[static_cast<size_t>(row - 1)]) << k.name;
            EXPECT_EQ(g.Cell(7, i + 1), std::to_string(row)) << k.name;
        }
        EXPECT_EQ(ys(charts.Tot_to_sec), (std::vector<double>{double(k.kHz.size()) - n, double(n)})) << k.name;
    }
}

TEST(TwoRadio, RowContentAndCharts)
{
    QsoLog l;
    l.add({"14025", "1000"})
        .add({"21030", "1002", "2025-03-29", "", "PH", "", "", "15", "", "JA1XX"})
        .add({"14026", "1004"});
    TKeoEGrid g(8, 2, 0, 1);
    initSecondRadioGrid(g);
    SecondRadioCharts charts;
    ASSERT_EQ(Two_radio(l.s, 5, false, g, charts), 1);
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "2025-03-29", "1002", "21030", "PH", "JA1XX", "4", "2"}));
    EXPECT_EQ(ys(charts.Sec_mode), (std::vector<double>{0, 1}));
    EXPECT_EQ(ys(charts.sec_band), (std::vector<double>{0, 0, 0, 0, 1, 0}));
    const auto& band = charts.sec_band.series.front().points;
    EXPECT_EQ(band[0].label, "160m");
    EXPECT_EQ(band[5].label, "10m");
    EXPECT_EQ(band[0].color, zemcolor::Red);
    EXPECT_EQ(band[1].color, zemcolor::Blue);
    EXPECT_EQ(charts.Tot_to_sec.series.front().points[0].label, "Main");
    EXPECT_EQ(charts.Tot_to_sec.series.front().points[1].label, "Second");
    EXPECT_TRUE(charts.Tot_to_sec.series.front().percentMarks);
}

TEST(TwoRadio, TimeLimitNewCountriesAndBackwardTime)
{
    struct Case {
        const char* name;
        const char* lastTime;
        int limit;
        bool onlyMults;
        const char* dxcc;
        int listed;
        const char* shownTime;
    } cases[] = {
        {"5 minutes apart", "1005", 5, false, "", 0, ""},
        {"4 minutes apart", "1004", 5, false, "", 1, "4"},
        {"limit 0", "1000", 0, false, "", 0, ""},
        {"only new countries, none", "1001", 5, true, "", 0, ""},
        {"only new countries, one", "1001", 5, true, "JA", 1, "1"},
        {"time backwards", "0950", 0, false, "", 1, "0"},
    };
    for (const auto& k : cases) {
        QsoLog l;
        l.add({"14025", "1000"}).add({"21030", "1000", "2025-03-29", "", "CW", "", "", "", k.dxcc}).add({"14026", k.lastTime});
        TKeoEGrid g(8, 2, 0, 1);
        initSecondRadioGrid(g);
        SecondRadioCharts charts;
        EXPECT_EQ(Two_radio(l.s, k.limit, k.onlyMults, g, charts), k.listed) << k.name;
        EXPECT_EQ(g.Cell(6, 1), k.shownTime) << k.name;
    }
}

TEST(TwoRadio, BadFrequencyStopsWithRowsSoFar)
{
    QsoLog l;
    l.add({"14025", "1000"}).add({"21030", "1001"}).add({"14026", "1002"}).add({"abc", "1003"});
    TKeoEGrid g(8, 2, 0, 1);
    initSecondRadioGrid(g);
    SecondRadioCharts charts;
    EXPECT_THROW(Two_radio(l.s, 5, false, g, charts), std::invalid_argument);
    EXPECT_EQ(g.Cell(5, 1), "DL1ABC");
    EXPECT_TRUE(charts.Tot_to_sec.series.front().points.empty());
}

namespace {

// Ten QSOs of transmitter "0" alternating 14/21 MHz within one hour, while
// transmitter "1" stays on 7 MHz, then one QSO in the next hour.
QsoLog m2Log()
{
    QsoLog l;
    for (int i = 0; i < 10; ++i) {
        l.add({i % 2 ? "21030" : "14025", "10" + std::to_string(10 + i), "2025-03-29", "0"});
        l.add({"7010", "10" + std::to_string(10 + i), "2025-03-29", "1"});
    }
    l.add({"14025", "1100", "2025-03-29", "0"});
    return l;
}

} // namespace

TEST(M2BandChanges, HourRowsAndTotal)
{
    QsoLog l = m2Log();
    TKeoEGrid g(8, 2, 0, 1);
    ASSERT_TRUE(Get_m2_bc(l.s, g));
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(0), (std::vector<std::string>{"#", "Day", "Hour", "R1 band changes ID=1",
                                                      "R0 band changes ID=0", "R1 QSO", "R0 QSO", "Total QSO"}));
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "29", "10", "0", "9", "10", "10", "20"}));
    // The key carries over: the next hour's first QSO on 14 after 21 is a change.
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "29", "11", "0", "1", "0", "1", "1"}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"Total", "", "", "0", "10", "", "", ""}));

    EXPECT_TRUE(m2CellHighlighted(g, 4, 1));
    EXPECT_FALSE(m2CellHighlighted(g, 3, 1));
    EXPECT_FALSE(m2CellHighlighted(g, 5, 1)); // a QSO count is not a band change
    EXPECT_FALSE(m2CellHighlighted(g, 4, 3)); // nor is the total
    g.SetCell(4, 1, "8");
    EXPECT_FALSE(m2CellHighlighted(g, 4, 1));
}

TEST(M2BandChanges, NewDaySameHourOpensARow)
{
    QsoLog l;
    l.add({"14025", "1000", "2025-03-29", "0"}).add({"21025", "1000", "2025-03-30", "0"}).add({"21025", "0900", "2025-03-30", "1"});
    TKeoEGrid g(8, 2, 0, 1);
    ASSERT_TRUE(Get_m2_bc(l.s, g));
    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cell(1, 2), "30");
    EXPECT_EQ(g.Cell(4, 2), "1");
    EXPECT_EQ(g.Cell(2, 3), "09"); // time running backwards just opens another hour
}

TEST(M2BandChanges, TransmitterIds)
{
    struct Case {
        const char* name;
        std::vector<std::string> tx;
        bool ready;
        const char* r1Title;
        const char* r0Title;
        const char* r0Qsos;
        const char* r1Qsos;
    } cases[] = {
        {"none", {"", ""}, false, "", "", "", ""},
        {"three", {"0", "1", "2"}, false, "", "", "", ""},
        {"one", {"0", "0", " 0 "}, true, "R1 band changes ID=", "R0 band changes ID=0", "3", "0"},
        // Ids that share their first characters are still two transmitters.
        {"long ids", {"100", "101", "101"}, true, "R1 band changes ID=101", "R0 band changes ID=100", "1", "2"},
        {"two-character id alone", {"10", "10"}, true, "R1 band changes ID=", "R0 band changes ID=10", "2", "0"},
        {"some QSOs without id", {"0", "", "1"}, true, "R1 band changes ID=1", "R0 band changes ID=0", "1", "1"},
    };
    for (const auto& k : cases) {
        QsoLog l;
        for (const auto& t : k.tx) l.add({"14025", "1000", "2025-03-29", t});
        TKeoEGrid g(8, 2, 0, 1);
        ASSERT_EQ(Get_m2_bc(l.s, g), k.ready) << k.name;
        if (!k.ready) {
            EXPECT_TRUE(g.IsRowEmpty(1)) << k.name;
            continue;
        }
        EXPECT_EQ(g.Cell(3, 0), k.r1Title) << k.name;
        EXPECT_EQ(g.Cell(4, 0), k.r0Title) << k.name;
        EXPECT_EQ(g.Cell(6, 1), k.r0Qsos) << k.name;
        EXPECT_EQ(g.Cell(5, 1), k.r1Qsos) << k.name;
        EXPECT_EQ(g.Cell(7, 1), std::to_string(k.tx.size() - (std::string(k.name) == "some QSOs without id")))
            << k.name;
    }
}

TEST(M2BandChanges, LastQsoOpeningAnHourGetsItsRow)
{
    QsoLog l;
    l.add({"14025", "1059", "2025-03-29", "0"}).add({"21025", "1100", "2025-03-29", "1"});
    TKeoEGrid g(8, 2, 0, 1);
    ASSERT_TRUE(Get_m2_bc(l.s, g));
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "29", "11", "0", "0", "1", "0", "1"}));
}
