#include "analysis/rates.h"
#include "main/text_util.h"
#include "time_line_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <unistd.h>

using Lines = std::vector<std::string>;

TEST(RatePerMinute, AllMinutesCountsStretchesOfNeighbouringRows)
{
    // 1200 x2, 1201 x4, 1202 x1, 1203 x2 then 1204 x1, 1203 x1 (out of order:
    // a separate stretch), and the log ends with 1210 x3.
    const auto log = timesLog({"1200", "1200", "1201", "1201", "1201", "1201", "1202", "1203", "1203", "1204",
                                  "1203", "1210", "1210", "1210"});
    const auto a = allRatesPerMinute(minutesOf(log));
    EXPECT_EQ(a.counts, (std::array<int, 8>{2, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(a.lines[0], "Rate per minute Times");
    EXPECT_EQ(a.lines[1], "");
    EXPECT_EQ(a.lines[2], "2 QSO in minute  2");
    EXPECT_EQ(a.lines[3], "3 QSO in minute  1");
    EXPECT_EQ(a.lines[9], "9 QSO in minute  0");
    EXPECT_EQ(a.lines.size(), 10u);
}

TEST(RatePerMinute, StretchesOfOneOrTenAndMoreAreNotCounted)
{
    std::vector<std::string> t(10, "1200");
    t.push_back("1201");
    EXPECT_EQ(allRatesPerMinute(minutesOf(timesLog(t))).counts, (std::array<int, 8>{}));
    EXPECT_EQ(allRatesPerMinute(minutesOf(timesLog({"1200"}))).counts, (std::array<int, 8>{}));
}

TEST(RatePerMinute, RunsOfExactlyNAreListedWithTitleAndQsy)
{
    const auto log = timeLineLog({
        {"14025", "2024-03-16", "1200", "K1AA"}, // run 1 from the first QSO: "After QSY"
        {"14026", "2024-03-16", "1200", "K1AB"},
        {"14027", "2024-03-16", "1201", "K1AC"}, // 4 in one minute: not a run of 2
        {"14028", "2024-03-16", "1201", "K1AD"},
        {"14029", "2024-03-16", "1201", "K1AE"},
        {"14030", "2024-03-16", "1201", "K1AF"},
        {"14031", "2024-03-16", "1202", "K1AG"}, // run 2, same band as before
        {"14032", "2024-03-16", "1202", "K1AH"},
        {"7010", "2024-03-16", "1203", "K1AI"},  // run 3 at the log's end, after a band change
        {"7011", "2024-03-16", "1203", "K1AJ"},
    });
    const auto two = ratePerMinuteRuns(log, minutesOf(log), 2);
    EXPECT_EQ(two.runs, 3);
    EXPECT_EQ(two.lines, (Lines{"14025  CW  2024-03-16  1200  K1AA", "14026  CW  2024-03-16  1200  K1AB",
                                "(1)rate 2 QSOs/min.", "After QSY", "", "",
                                "14031  CW  2024-03-16  1202  K1AG", "14032  CW  2024-03-16  1202  K1AH",
                                "(2)rate 2 QSOs/min.", "", "",
                                "7010  CW  2024-03-16  1203  K1AI", "7011  CW  2024-03-16  1203  K1AJ",
                                "(3)rate 2 QSOs/min.", "After QSY", "", ""}));
    const auto four = ratePerMinuteRuns(log, minutesOf(log), 4);
    EXPECT_EQ(four.runs, 1);
    EXPECT_EQ(four.lines[4], "(1)rate 4 QSOs/min.");
    EXPECT_EQ(ratePerMinuteRuns(log, minutesOf(log), 3).runs, 0);
    EXPECT_EQ(runsFileName(3, 12), "3 QSO per min. rate(12).txt");

    const auto single = timesLog({"1200"});
    const auto none = ratePerMinuteRuns(single, minutesOf(single), 2);
    EXPECT_EQ(none.runs, 0);
    EXPECT_TRUE(none.lines.empty());
}

TEST(RatePerMinute, SameDayOfDifferentMonthsIsNotOneMinute)
{
    const auto log = timeLineLog({{"14025", "2024-11-16", "1200", "A"}, {"14025", "2024-12-16", "1200", "B"}});
    EXPECT_EQ(allRatesPerMinute(minutesOf(log)).counts[0], 0);
}

TEST(BestWindow, HandWorkedCases)
{
    struct Case {
        std::vector<std::string> times;
        int period;
        BestWindow best;
    };
    const std::vector<Case> cases = {
        {{"1200", "1203", "1209"}, 10, {1, 3, 3}},                 // 1200..1209 is one window
        {{"1200", "1203", "1210"}, 10, {1, 2, 2}},                 // 1210 is outside it
        {{"1200", "1230", "1231", "1232"}, 10, {2, 4, 3}},         // best window at the last QSO
        {{"1200", "1201", "1202", "1300", "1400"}, 10, {1, 3, 3}}, // best window at the first QSO
        {{"1200", "1201", "1300", "1301"}, 10, {1, 2, 2}},         // a tie keeps the earlier
        {{"1200", "1300", "1400"}, 10, {1, 1, 1}},                 // no two QSOs within the period
        {{"1200"}, 120, {1, 1, 1}},
        {{}, 10, {0, 0, 0}},
        // Out of time order: rows 2..4 (1200, 1215, 1206) are not within ten
        // minutes although 1206 - 1200 is; rows 3..5 (1206 to 1215) are.
        {{"1205", "1200", "1215", "1206", "1207"}, 10, {3, 5, 3}},
        {{"1205", "1200", "1215", "1206", "1230"}, 10, {1, 2, 2}},
    };
    for (const auto& c : cases) {
        const auto w = bestWindow(minutesOf(timesLog(c.times)), c.period);
        EXPECT_EQ(std::tie(w.first, w.last, w.qsos), std::tie(c.best.first, c.best.last, c.best.qsos))
            << ::testing::PrintToString(c.times) << " period " << c.period;
    }
}

TEST(BestWindow, CountsOverMonthAndYearEnds)
{
    const auto log = timeLineLog({{"14025", "2024-11-30", "2355", "A"},
                                  {"14025", "2024-11-30", "2359", "B"},
                                  {"14025", "2024-12-01", "0003", "C"},
                                  {"14025", "2024-12-31", "2358", "D"},
                                  {"14025", "2025-01-01", "0000", "E"},
                                  {"14025", "2025-01-01", "0001", "F"},
                                  {"14025", "2025-01-01", "0002", "G"}});
    const auto w = bestWindow(minutesOf(log), 10);
    EXPECT_EQ(std::tie(w.first, w.last, w.qsos), std::make_tuple(4, 7, 4));
    EXPECT_EQ(bestWindow(minutesOf(log), 9).qsos, 4);
    const auto m = minutesOf(log);
    EXPECT_EQ(m[3] - m[1], 8);
}

TEST(BestWindow, GetRateWritesTheRowAndListing)
{
    const auto log = timesLog({"1200", "1203", "1209", "1230"});
    TKeoEGrid grid;
    initRateGrid(grid);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Header(), (Lines{"Period", "Rate", "QSO", "Time"}));
    const auto w = Get_rate(grid, 10, 1, log, minutesOf(log));
    EXPECT_EQ(grid.RowCells(1), (Lines{"10", "0.30", "3", "1200 - 1209"}));
    Get_rate(grid, 120, 5, log, minutesOf(log));
    EXPECT_EQ(grid.RowCells(5), (Lines{"120", "0.03", "4", "1200 - 1230"}));

    EXPECT_EQ(periodListing(log, 10, w),
              (Lines{"Maximal rates for the period of time, minutes:", "", "10 minuts", "",
                     "14025  CW  2024-03-16  1200  C1", "14025  CW  2024-03-16  1203  C2",
                     "14025  CW  2024-03-16  1209  C3"}));
    EXPECT_EQ(periodFileName("10"), "Rate - 10 minuts.txt");

    TKeoEGrid empty;
    initRateGrid(empty);
    Get_rate(empty, 10, 1, timesLog({}), {0});
    EXPECT_EQ(empty.RowCells(1), (Lines{"10", "0.00", "0", ""}));
}

TEST(RatesFiles, WritesLinesAndReportsAMissingFolder)
{
    const auto dir = std::filesystem::temp_directory_path() / ("zem_rates_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    zem::writeLines((dir / "a.txt").string(), {"one", "", "two"});
    zem::writeLines((dir / "a.txt").string(), {"x"}); // replaced, not appended
    std::ifstream in(dir / "a.txt", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "x\n");
    EXPECT_THROW(zem::writeLines((dir / "missing" / "b.txt").string(), {"x"}), std::runtime_error);
    std::filesystem::remove_all(dir);
}
