#include "import/dt_change.h"

#include "main/app_state.h"
#include "main/log_table.h"

#include <gtest/gtest.h>

namespace {

TKeoEGrid logWith(const std::vector<std::pair<std::string, std::string>>& qsos)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.ClearGrid();
    g.SetRowCount(static_cast<int>(qsos.size()) + 1);
    for (size_t i = 0; i < qsos.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCell(lcNumber, r, std::to_string(r));
        g.SetCell(lcCallsign, r, "K" + std::to_string(r) + "AA");
        g.SetCell(lcDate, r, qsos[i].first);
        g.SetCell(lcTime, r, qsos[i].second);
    }
    return g;
}

std::string dt(const TKeoEGrid& g, int r) { return g.Cell(lcDate, r) + " " + g.Cell(lcTime, r); }

} // namespace

TEST(DateTimeChange, CrossesDaysMonthsAndYears)
{
    struct Case {
        const char* date;
        const char* time;
        long long minutes;
        const char* expected;
    } cases[] = {
        {"2007-03-01", "0030", -60, "2007-02-28 2330"},
        {"2008-03-01", "0030", -60, "2008-02-29 2330"}, // leap year
        {"2007-12-31", "2345", 30, "2008-01-01 0015"},
        {"2008-01-01", "0005", -10, "2007-12-31 2355"},
        {"2007-05-10", "1200", 3 * 1440, "2007-05-13 1200"},
        {"2007-05-10", "1200", -45, "2007-05-10 1115"},
    };
    for (const auto& c : cases) {
        TKeoEGrid g = logWith({{c.date, c.time}});
        shiftLogDateTime(g, c.minutes);
        EXPECT_EQ(dt(g, 1), c.expected) << c.date << " " << c.time << " " << c.minutes;
    }
}

TEST(DateTimeChange, SelectedRowsOnly)
{
    std::vector<std::pair<std::string, std::string>> qsos(12, {"2007-03-01", "1000"});
    TKeoEGrid g = logWith(qsos);
    shiftLogDateTime(g, 120, 5, 9);
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(dt(g, r), r >= 5 && r <= 9 ? "2007-03-01 1200" : "2007-03-01 1000") << r;
    EXPECT_EQ(g.Cell(lcCallsign, 5), "K5AA");
}

TEST(DateTimeChange, ZeroOffsetRewritesFormats)
{
    TKeoEGrid g = logWith({{" 2007-03-01", "930 "}, {"2007-03-01", "093015"}});
    // "930 " has no minute in characters 3..4.
    EXPECT_THROW(shiftLogDateTime(g, 0, 1, 1), std::invalid_argument);
    g.SetCell(lcTime, 1, "0930");
    shiftLogDateTime(g, 0);
    EXPECT_EQ(dt(g, 1), "2007-03-01 0930");
    EXPECT_EQ(dt(g, 2), "2007-03-01 0930");
}

TEST(DateTimeChange, BadCellStopsAtItsRow)
{
    TKeoEGrid g = logWith({{"2007-03-01", "1000"}, {"2007-03-01", "1000"}, {"2007-02-30", "1000"},
                           {"2007-03-01", "1000"}});
    EXPECT_THROW(shiftLogDateTime(g, 5), std::invalid_argument);
    EXPECT_EQ(dt(g, 1), "2007-03-01 1005");
    EXPECT_EQ(dt(g, 2), "2007-03-01 1005");
    EXPECT_EQ(dt(g, 3), "2007-02-30 1000");
    EXPECT_EQ(dt(g, 4), "2007-03-01 1000");

    for (const char* time : {"2400", "1260", "1a00", ""}) {
        TKeoEGrid h = logWith({{"2007-03-01", time}});
        EXPECT_THROW(readQsoDateTime(h, 1), std::invalid_argument) << time;
    }
}

TEST(DateTimeChange, ExampleTexts)
{
    TKeoEGrid g = logWith({{"2007-03-01", "0000"}});
    const QsoDateTime old = readQsoDateTime(g, 1);
    EXPECT_EQ(dateTimeText(old), "2007-03-01 0000");
    EXPECT_EQ(exampleAfterShift(old, -1), "2007-02-28 2359");
    EXPECT_EQ(exampleAfterShift(old, 0), "2007-03-01 0000");
}
