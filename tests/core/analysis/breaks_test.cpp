#include "analysis/breaks.h"
#include "time_line_fixture.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(Breaks, GapsAgainstMinimumAndMaximum)
{
    // Gaps (minutes without a QSO): 5, 6, 0, 2880, 2881.
    const auto log = timeLineLog({{"14025", "2024-03-16", "1200", "A"},
                                  {"14025", "2024-03-16", "1206", "B"},
                                  {"7025", "2024-03-16", "1213", "C"},
                                  {"7100", "2024-03-16", "1214", "D"},
                                  {"7100", "2024-03-18", "1215", "E"},
                                  {"7100", "2024-03-20", "1217", "F"}});
    TKeoEGrid grid;
    initBreaksGrid(grid);
    auto sum = Breaks(grid, log, minutesOf(log), 5, kNoBreakMaximum);
    EXPECT_EQ(grid.Header(),
              (Lines{"#", "Break, min", "Bands", "Time", "Callsign 1", "Callsign 2", "Line in log", "With QSY"}));
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.RowCells(1), (Lines{"1", "6", "14025 - 7025", "1206 - 1213", "B", "C", "2", "1"}));
    EXPECT_EQ(grid.RowCells(2), (Lines{"2", "2880", "7100 - 7100", "1214 - 1215", "D", "E", "4", ""}));
    EXPECT_EQ(grid.RowCells(3), (Lines{"Total", "2886", "", "", "", "", "", "1"}));
    EXPECT_EQ(grid.Row, 3);
    EXPECT_EQ(sum.breaks, 2);
    EXPECT_EQ(sum.total, 2886);
    EXPECT_EQ(breaksTotalText(sum.total), "Total: 48h 6min");
    EXPECT_EQ(breaksTotalText(307), "Total: 5h 7min");

    sum = Breaks(grid, log, minutesOf(log), 5, 100); // with a maximum: only the 6
    EXPECT_EQ(sum.breaks, 1);
    EXPECT_EQ(grid.RowCells(2)[0], "Total");
    EXPECT_EQ(breaksTitle(5, false, 100), "Breaks more then 5 minuts");
    EXPECT_EQ(breaksTitle(5, true, 100), "Breaks more then 5 minuts and less then 100 minuts");
}

TEST(Breaks, MovesAreBandChangesNotTextChanges)
{
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {"7025", "7100", false},   // both 40 m
        {"14025", "14300", false},
        {"14025", "21025", true},
        {"3799", "3800", false},
        {"1830", "3510", true},
        {"50100", "50200", false}, // outside the six bands: by MHz
        {"50100", "144300", true},
    };
    for (const auto& [a, b, moved] : cases) {
        const auto log = timeLineLog({{a, "2024-03-16", "1200", "A"}, {b, "2024-03-16", "1300", "B"}});
        TKeoEGrid grid;
        initBreaksGrid(grid);
        EXPECT_EQ(Breaks(grid, log, minutesOf(log), 10, kNoBreakMaximum).moves, moved ? 1 : 0) << a << " " << b;
    }
}

TEST(Breaks, MonthAndYearEndsAndRowsOutOfOrder)
{
    const auto log = timeLineLog({{"14025", "2024-11-30", "2350", "A"},
                                  {"14025", "2024-12-01", "0010", "B"}, // 19 minutes over the month's end
                                  {"14025", "2024-12-31", "2355", "C"},
                                  {"14025", "2025-01-01", "0030", "D"}, // 34 over the year's end
                                  {"14025", "2025-01-01", "0020", "E"}, // logged late: no pause
                                  {"14025", "2025-01-01", "0100", "F"}}); // 29 after D, not 39 after E
    TKeoEGrid grid;
    initBreaksGrid(grid);
    const auto sum = Breaks(grid, log, minutesOf(log), 15, kNoBreakMaximum);
    EXPECT_EQ(grid.RowCells(1), (Lines{"1", "19", "14025 - 14025", "2350 - 0010", "A", "B", "1", ""}));
    EXPECT_EQ(grid.Cell(1, 2), "34");
    EXPECT_EQ(grid.RowCells(3), (Lines{"3", "29", "14025 - 14025", "0030 - 0100", "D", "F", "4", ""}));
    EXPECT_EQ(sum.breaks, 3); // B..C, a month, is beyond the two days
    for (int r = 1; r <= sum.breaks; ++r) EXPECT_GT(std::stoll(grid.Cell(1, r)), 0);
}

TEST(Breaks, SingleQsoGivesOnlyTheTotalRow)
{
    const auto log = timesLog({"1200"});
    TKeoEGrid grid;
    initBreaksGrid(grid);
    Breaks(grid, log, minutesOf(log), 5, kNoBreakMaximum);
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.RowCells(1), (Lines{"Total", "0", "", "", "", "", "", "0"}));
}

namespace {
Lines numbers(const TKeoEGrid& log)
{
    Lines out;
    for (int r = 1; r < log.RowCount(); ++r) out.push_back(log.Cell(lcNumber, r));
    return out;
}
} // namespace

TEST(BandChangeRule, ShortStaysAreMarkedAtFiveAndTenMinutes)
{
    // 40 m from 1200, 20 m from 1204 (a stay of 4), 40 m again from 1212
    // (a stay of 8 on 20 m), 15 m from 1222 (10 on 40 m); the last stay is
    // never checked.
    auto log = timeLineLog({{"7010", "2024-03-16", "1200", "A"},
                            {"7011", "2024-03-16", "1203", "B"},
                            {"14010", "2024-03-16", "1204", "C"},
                            {"14011", "2024-03-16", "1210", "D"},
                            {"7012", "2024-03-16", "1212", "E"},
                            {"21010", "2024-03-16", "1222", "F"},
                            {"21010", "2024-03-16", "1223", "G"}});
    const auto m = minutesOf(log);
    EXPECT_EQ(Check_bands_change_rule(log, m, 5, {}), 1);
    EXPECT_EQ(numbers(log), (Lines{"+1", "+2", "3", "4", "5", "6", "7"}));
    // The 10-minute check renumbers first, so only its own marks remain.
    EXPECT_EQ(Check_bands_change_rule(log, m, 10, {}), 2);
    EXPECT_EQ(numbers(log), (Lines{"+1", "+2", "+3", "+4", "5", "6", "7"}));
    EXPECT_EQ(bandsChangeRuleMessage(2),
              "Total infringements:\n\n2\n\nInfringements are painted in red color");
}

TEST(BandChangeRule, StayOfExactlyTheLimitAndOddLogs)
{
    auto exact = timeLineLog({{"7010", "2024-03-16", "1200", "A"}, {"14010", "2024-03-16", "1205", "B"}});
    EXPECT_EQ(Check_bands_change_rule(exact, minutesOf(exact), 5, {}), 0);
    EXPECT_EQ(numbers(exact), (Lines{"1", "2"}));

    // Over a month's end the stay is 3 minutes, not a negative number.
    auto monthEnd = timeLineLog({{"7010", "2024-11-30", "2359", "A"}, {"14010", "2024-12-01", "0002", "B"},
                                 {"14010", "2024-12-01", "0030", "C"}});
    EXPECT_EQ(Check_bands_change_rule(monthEnd, minutesOf(monthEnd), 5, {}), 1);
    auto longStay = timeLineLog({{"7010", "2024-11-30", "2350", "A"}, {"14010", "2024-12-01", "0002", "B"}});
    EXPECT_EQ(Check_bands_change_rule(longStay, minutesOf(longStay), 10, {}), 0);

    // A row logged late: the stay on 40 m still runs from 1200 to 1210.
    auto late = timeLineLog({{"7010", "2024-03-16", "1200", "A"}, {"7010", "2024-03-16", "1210", "B"},
                             {"14010", "2024-03-16", "1205", "C"}, {"14010", "2024-03-16", "1230", "D"}});
    EXPECT_EQ(Check_bands_change_rule(late, minutesOf(late), 10, {}), 0);

    auto single = timesLog({"1200"});
    EXPECT_EQ(Check_bands_change_rule(single, minutesOf(single), 5, {}), 0);
}

TEST(QsoMinutes, ARowThatDoesNotReadTakesItsNeighboursMinute)
{
    // Rows before the first readable one take its minute, the others the
    // minute before them; each such row says why.
    auto log = timesLog({"12x0", "1200", "19.03", "1205", ""});
    log.SetCell(lcDate, 4, "20240316");
    std::vector<std::string> why;
    const auto m = qsoMinutes(log, 5, &why);
    const QsoMinute noon = get_time_for_qso(log, 2, 0);
    EXPECT_EQ(m, (std::vector<QsoMinute>{0, noon, noon, noon, noon, noon}));
    EXPECT_EQ(why, (std::vector<std::string>{"", "'12x0' is not a valid time", "", "'19.03' is not a valid time",
                                             "'20240316' is not a valid date", "'' is not a valid time"}));

    const auto none = timesLog({"x", "y"});
    EXPECT_EQ(minutesOf(none), (std::vector<QsoMinute>{0, 1, 1}));

    // A bad time no longer stops the commands that walk the time line.
    auto breaks = timesLog({"1200", "12.30", "1300"});
    TKeoEGrid g;
    initBreaksGrid(g);
    EXPECT_EQ(Breaks(g, breaks, minutesOf(breaks), 15, kNoBreakMaximum).breaks, 1);
}
