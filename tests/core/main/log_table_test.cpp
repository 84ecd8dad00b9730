#include "main/log_table.h"

#include <gtest/gtest.h>

namespace {
TKeoEGrid logWith(const std::vector<std::pair<int, std::string>>& cells)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.AppendRow({"1"});
    for (const auto& [c, t] : cells) g.SetCell(c, 1, t);
    return g;
}
} // namespace

TEST(LogTable, TitlesAndBaseWidths)
{
    EXPECT_EQ(logColumnTitles().size(), 20u);
    EXPECT_EQ(logColumnTitles()[16], "Callsign");
    int sum = 0;
    for (int w : logColumnBaseWidths()) sum += w;
    EXPECT_EQ(sum, 760);
    EXPECT_EQ(logColumnWidths(761)[0], 39);
    EXPECT_EQ(logColumnWidths(1522)[16], 149);
}

TEST(LogTable, QsoMinuteCountsFromAFixedDate)
{
    struct Case { std::string date, time; QsoMinute minute; };
    const std::vector<Case> cases = {
        {"1900-01-01", "0005", 5},
        {"1900-01-01", "0000", 1},                       // 0 becomes 1
        {"1900-01-02", "0000", 1440},
        {"2007-03-17", "0005", 39156LL * 1440 + 5},
        {"2007-03-00", "2330", 39139LL * 1440 + 1410},   // day 0: the last of February
        {"2007-13-01", "0000", 39446LL * 1440},          // month 13: January of the next year
        {"9999-12-31", "2359", 2958463LL * 1440 + 1439}, // beyond 32 bits
    };
    for (const auto& c : cases) {
        auto g = logWith({{lcDate, c.date}, {lcTime, c.time}});
        EXPECT_EQ(get_time_for_qso(g, 1, 0), c.minute) << c.date << " " << c.time;
    }
    // Over a month's and a year's end the minutes go on by one.
    const std::vector<std::pair<std::pair<std::string, std::string>, std::pair<std::string, std::string>>> ends = {
        {{"2024-11-30", "2359"}, {"2024-12-01", "0000"}},
        {{"2007-02-28", "2359"}, {"2007-03-01", "0000"}},
        {{"2024-02-29", "2359"}, {"2024-03-01", "0000"}},
        {{"2024-12-31", "2359"}, {"2025-01-01", "0000"}},
    };
    for (const auto& [a, b] : ends) {
        auto ga = logWith({{lcDate, a.first}, {lcTime, a.second}});
        auto gb = logWith({{lcDate, b.first}, {lcTime, b.second}});
        EXPECT_EQ(get_time_for_qso(gb, 1, 0) - get_time_for_qso(ga, 1, 0), 1) << a.first << " " << b.first;
    }
    auto g = logWith({{lcDate, "2007-03-1x"}, {lcTime, "0000"}});
    EXPECT_EQ(get_time_for_qso(g, 0, 41), 42);
    EXPECT_THROW(get_time_for_qso(g, 1, 0), std::invalid_argument);
    auto shortTime = logWith({{lcDate, "2007-03-10"}, {lcTime, "1"}});
    EXPECT_THROW(get_time_for_qso(shortTime, 1, 0), std::invalid_argument);
    auto badMonth = logWith({{lcDate, "2007-x3-10"}, {lcTime, "1200"}});
    EXPECT_THROW(get_time_for_qso(badMonth, 1, 0), std::invalid_argument);
}

TEST(LogTable, FrequencyToBand)
{
    // Today's band plan, bounds included, and the whole frequency: 144 MHz
    // is no 20 m, 70 MHz no 40 m.
    const std::vector<std::pair<double, std::string>> cases = {
        {1800.0, "160"}, {2000.0, "160"}, {2000.1, ""},  {1799.9, ""},   {3500, "80"},   {4000, "80"},
        {7000, "40"},    {7200, "40"},    {7250, "40"},  {7300, "40"},   {7300.1, ""},   {14350, "20"},
        {14351, ""},     {21000, "15"},   {21450, "15"}, {28000, "10"},  {29500, "10"},  {29600, "10"},
        {29700, "10"},   {29701, ""},     {50100, ""},   {144300, ""},   {70150, ""},    {14, ""}};
    for (const auto& [khz, band] : cases) EXPECT_EQ(Freq_to_band(khz), band) << khz;
}

TEST(LogTable, BandOfAKHzCell)
{
    // The "kHz" cell as the readers leave it: kHz, or a Cabrillo band
    // designator above 30 MHz in MHz or GHz.
    const struct {
        const char* cell;
        int band;
        const char* key;
    } cases[] = {
        {"14025", 4, "20"},         {" 7250 ", 3, "40"},         {"29600", 6, "10"},
        {"144300", 0, "144 MHz"},   {"144", 0, "144 MHz"},       {"50", 0, "50 MHz"},
        {"50125", 0, "50 MHz"},     {"1.2G", 0, "1200 MHz"},     {"70", 0, "70 MHz"},
        {"7301", 0, "7 MHz"},       {"x14", 0, "x14"},           {"", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bandOfKHzCell(c.cell), c.band) << c.cell;
        EXPECT_EQ(bandKeyOfKHzCell(c.cell), c.key) << c.cell;
    }
    double kHz = 0;
    ASSERT_TRUE(kHzOfCell("144", kHz));
    EXPECT_EQ(kHz, 144000);
    ASSERT_TRUE(kHzOfCell("136", kHz)); // 2200 m, in kHz
    EXPECT_EQ(kHz, 136);
    EXPECT_EQ(contestBandName(1), "160");
    EXPECT_EQ(contestBandName(0), "");
}

TEST(LogTable, AutoSizeMeasuresTwoFifthsOfTheRows)
{
    TKeoEGrid g(2, 5, 1, 1);
    g.SetCell(0, 2, "xxxxxxxxxx"); // row 2: measured
    g.SetCell(1, 3, "xxxxxxxxxxxxxxxxxxxx"); // row 3: not measured
    int measuredRows = 0;
    auto w = AutoSizeGridColumn(g, [&](const std::string& s) { ++measuredRows; return static_cast<int>(s.size()); }, 1, 105);
    EXPECT_EQ(measuredRows, 6); // rows 0..2 of two columns
    // widths before scaling: 1+10+4 = 15 and 1+0+4 = 5; total 20; scaled by 100/20.
    EXPECT_EQ(w, (std::vector<int>{73, 23}));
}

TEST(LogTable, PainterRules)
{
    using namespace zemcolor;
    auto last = [](const std::vector<LogPaintOp>& ops) { return ops.back(); };

    auto plus = logWith({{lcNumber, "+12"}, {lcCallsign, "K1AR"}, {lcMode, "SSB"}});
    auto ops = log_gridDrawCell(plus, lcMode, 1, White);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].brush, Red);
    EXPECT_EQ(ops[1].text, "SSB");
    EXPECT_EQ(ops[1].font, White);

    auto cont = log_gridDrawCell(logWith({{lcCont, "AS"}}), lcCont, 1, White);
    EXPECT_EQ(last(cont), (LogPaintOp{LogPaintOp::Text, Red, Yellow, true, 0, 0, "AS"}));

    auto dupe = log_gridDrawCell(logWith({{lcQSO, "DUPE."}}), lcQSO, 1, White);
    EXPECT_EQ(dupe[2], (LogPaintOp{LogPaintOp::Text, Black, Yellow, false, 0, 0, "DUPE"}));
    EXPECT_EQ(last(dupe).text, " DUPE. ");
    EXPECT_EQ(last(dupe).brush, Black);
    EXPECT_EQ(last(dupe).font, Yellow);

    auto no = log_gridDrawCell(logWith({{lcMaster, "NO."}}), lcMaster, 1, White);
    EXPECT_EQ(last(no), (LogPaintOp{LogPaintOp::Text, Blue, White, true, 0, 0, "No"}));
    // "NO." is wiped before "No" is drawn, so no dot stands beside it.
    EXPECT_EQ(no[no.size() - 2], (LogPaintOp{LogPaintOp::Fill, White, Black, false, 0, 0, {}}));

    auto dxcc = log_gridDrawCell(logWith({{lcDXCC, "JA"}}), lcDXCC, 1, White);
    EXPECT_EQ(last(dxcc), (LogPaintOp{LogPaintOp::Text, Red, White, true, 17, 1, "JA"}));

    auto rus = log_gridDrawCell(logWith({{lcRUS, "MA"}}), lcRUS, 1, White);
    EXPECT_EQ(rus[rus.size() - 2].kind, LogPaintOp::Logo);
    EXPECT_EQ(last(rus).x, 15);

    auto khz = log_gridDrawCell(logWith({{lcBand, "80"}, {lcKHz, "3510"}}), lcKHz, 1, White);
    EXPECT_EQ(last(khz), (LogPaintOp{LogPaintOp::Text, Blue, White, false, 0, 0, "3510"}));

    auto cw = log_gridDrawCell(logWith({{lcMode, "CW"}}), lcMode, 1, White);
    EXPECT_EQ(last(cw).font, Blue);

    auto waz = log_gridDrawCell(logWith({{lcWAZ, "16"}}), lcWAZ, 1, White);
    EXPECT_EQ(last(waz), (LogPaintOp{LogPaintOp::Text, Black, White, false, 0, 0, " 16 "}));

    auto call = log_gridDrawCell(logWith({{lcCallsign, "K1AR"}, {lcQSO, "3"}}), lcCallsign, 1, White);
    EXPECT_EQ(last(call), (LogPaintOp{LogPaintOp::Text, Green3, Black, false, -1, 0, " K1AR "}));

    // Row 0: only the kHz and mode rules may run; titles match none of them.
    TKeoEGrid g;
    initLogGrid(g);
    EXPECT_TRUE(log_gridDrawCell(g, lcCont, 0, Aqua).empty());
}

// Texts a rule would draw in (nearly) the colour of their background come out
// in black or white; the others keep the rule's colour.
TEST(LogTable, TextsStayReadableOnTheirBackground)
{
    using namespace zemcolor;
    struct Case {
        std::vector<std::pair<int, std::string>> cells;
        int col;
        std::string text;
        std::uint32_t brush, font;
    };
    const Case cases[] = {
        {{{lcCont, "OC"}}, lcCont, "OC", Aqua, Black},
        {{{lcCont, "SA"}}, lcCont, "SA", Silver, Black},
        {{{lcCont, "EU"}}, lcCont, "EU", Black, Yellow},
        {{{lcCont, "AS"}}, lcCont, "AS", Red, Yellow},
        {{{lcMode, "PH"}}, lcMode, "PH", White, Red},
        {{{lcNumber, "+3"}, {lcMode, "PH"}}, lcMode, "PH", Red, Black},
        {{{lcNumber, "+3"}, {lcDate, "2025-03-29"}}, lcDate, "2025-03-29", Red, White},
        {{{lcNumber, "+3"}, {lcWPX, "K1"}}, lcWPX, " K1 ", Lime, Black},
        {{{lcBand, "160"}, {lcKHz, "1830"}}, lcKHz, "1830", Black, White},
    };
    for (const Case& c : cases) {
        const LogPaintOp op = log_gridDrawCell(logWith(c.cells), c.col, 1, White).back();
        EXPECT_EQ(op.text, c.text);
        EXPECT_EQ(op.brush, c.brush) << c.text;
        EXPECT_EQ(op.font, c.font) << c.text;
    }
}
