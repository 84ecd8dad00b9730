#include "analysis/multiplier_tables.h"

#include "country_log_fixture.h"

#include <gtest/gtest.h>

using namespace countryfixture;

TEST(MultiplierTables, WpxStemsByCallArea)
{
    TCty_search cty = loadCty("wpxtable");
    AppState s;
    fillLog(s, {{"DL1AAA", "14000", "20"},
                {"UA3ABC", "14000", "20"},
                {"K1AR", "14000", "20"},
                {"DL2BBB", "14000", "20"},
                {"UA9XYZ", "14000", "20"},
                {"DL1CCC", "14000", "20"},
                {"ABCDEF", "14000", "20"}}); // no prefix: no row
    TKeoEGrid g;
    wpxTable(s, cty, g);
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(0),
              (std::vector<std::string>{"#", "Prefix", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Total"}));
    // DL and UA tie at 2: the selection sort brings UA up past K.
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "DL", "", "DL1CCC", "DL2BBB", "", "", "", "", "", "", "", "2"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "UA", "", "", "", "UA3ABC", "", "", "", "", "", "UA9XYZ", "2"}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"3", "K", "", "K1AR", "", "", "", "", "", "", "", "", "1"}));
}

TEST(MultiplierTables, ZoneTables)
{
    // Here the zone-0 island is a country of cty.dat.
    TCty_search cty = loadCtyText("zones", fixtureCtyText() + header("Zoneless Island", "00", "00", "OC", "ZL0") +
                                               "\n    ZL0;\n",
                                  fixtureZemText());
    AppState s;
    auto log = mainLog();
    log.insert(log.begin(), {"XX9XX", "14000", "20"}); // unknown, first in the log
    log.push_back({"JA1ABC", "50100", "6"});           // off the bands: counts in "QSOs" only
    fillLog(s, log);

    TKeoEGrid waz;
    zoneTable(s, cty, waz, ZoneKind::WAZ);
    ASSERT_EQ(waz.RowCount(), 42);
    EXPECT_EQ(waz.RowCells(0), (std::vector<std::string>{"WAZ", "QSOs", "160", "80", "40", "20", "15", "10"}));
    EXPECT_EQ(waz.RowCells(14), (std::vector<std::string>{"14", "3", "", "DL1AAA", "DL2BBB", "DL1AAA", "", ""}));
    EXPECT_EQ(waz.RowCells(5), (std::vector<std::string>{"5", "3", "", "", "", "K5AA", "", "K1AR"}));
    EXPECT_EQ(waz.RowCells(25), (std::vector<std::string>{"25", "2", "", "", "", "", "JA1ABC", ""}));
    EXPECT_EQ(waz.RowCells(41), (std::vector<std::string>{"Total", "", "0", "1", "1", "2", "1", "1"}));
    // The zone-0 island is a bad QSO.
    EXPECT_EQ(s.BadQsoCount, 1);
    EXPECT_EQ(s.error_keo.Cell(5, 1), "ZL0AA");

    TKeoEGrid itu;
    resetErrorList(s); // the error window was closed after the first table
    zoneTable(s, cty, itu, ZoneKind::ITU);
    ASSERT_EQ(itu.RowCount(), 77);
    EXPECT_EQ(itu.Cell(0, 0), "ITU");
    EXPECT_EQ(itu.Cell(1, 45), "2");
    EXPECT_EQ(itu.Cell(0, 76), "Total");
    EXPECT_EQ(s.BadQsoCount, 1);
}

TEST(MultiplierTables, ZoneTablesHoldEveryZoneOfTheCountryFile)
{
    // ITU zone 90 (Minami Torishima) through a header, CQ zone 41 only
    // through a prefix override: each gets a row after the usual zones.
    TCty_search cty = loadCtyText("zone90", fixtureCtyText() +
                                                header("Minami Torishima", "27", "90", "OC", "JD1/m") +
                                                "\n    JD1M,JD1Y(41);\n",
                                  fixtureZemText());
    AppState s;
    fillLog(s, {{"JD1MAA", "14000", "20"}, {"JD1YAA", "21000", "15"}, {"DL1AAA", "14000", "20"}});

    TKeoEGrid itu;
    zoneTable(s, cty, itu, ZoneKind::ITU);
    ASSERT_EQ(itu.RowCount(), 78);
    EXPECT_EQ(itu.RowCells(76), (std::vector<std::string>{"90", "2", "", "", "", "JD1MAA", "JD1YAA", ""}));
    EXPECT_EQ(itu.RowCells(77), (std::vector<std::string>{"Total", "", "0", "0", "0", "2", "1", "0"}));

    TKeoEGrid waz;
    zoneTable(s, cty, waz, ZoneKind::WAZ);
    ASSERT_EQ(waz.RowCount(), 43);
    EXPECT_EQ(waz.RowCells(41), (std::vector<std::string>{"41", "1", "", "", "", "", "JD1YAA", ""}));
    EXPECT_EQ(waz.Cell(0, 42), "Total");
    EXPECT_EQ(s.BadQsoCount, 0);
}

TEST(MultiplierTables, Oblasts)
{
    TCty_search cty = loadCty("oblasts");
    AppState s;
    fillLog(s, {{"UA9CAA", "14020", "20"},
                {"UA3AAA", "14010", "20"},
                {"UA3ABB", "7010", "40"},
                {"UA9CAA/M", "14030", "20"}, // signing with "/": left out
                {"DL1AAA", "14000", "20"},
                {"UA3AAA", "14050", "20"},
                {"UA3AAA", "50100", "6"}}); // off the bands: no band column
    TKeoEGrid g;
    const auto messages = oblastTable(s, cty, g);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.RowCells(0), (std::vector<std::string>{"#", "Oblast", "Last callsign", "QSOs", "Stations", "160", "80",
                                                       "40", "20", "15", "10"}));
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "3A", "UA3AAA", "4", "2", "0", "0", "1", "2", "0", "0"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "9C", "UA9CAA", "1", "1", "0", "0", "0", "1", "0", "0"}));
}
