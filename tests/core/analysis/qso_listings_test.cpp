#include "analysis/qso_listings.h"

#include "country_log_fixture.h"

#include <gtest/gtest.h>

using namespace countryfixture;

namespace {

std::vector<std::string> calls(const TKeoEGrid& g)
{
    std::vector<std::string> v;
    for (int r = 1; r < g.RowCount(); ++r) v.push_back(g.Cell(2, r));
    return v;
}

} // namespace

TEST(QsoListings, ChronologicalFirstQsoPerCountryThroughBothFilters)
{
    TCty_search cty = loadCty("chrono");
    AppState s;
    auto log = mainLog();
    log.push_back({"JA7AA", "15001", "", "1400"});
    log.push_back({"JA2AA", "13000", "", "1401"});
    log.push_back({"UA3ZZ", "14350", "20", "1402"});
    log.push_back({"UA9AA", "29600", "10", "1403"});
    fillLog(s, log);
    struct Case {
        std::string continent;
        int band;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"", 0, {"DL1AAA", "K55AA", "JA1ABC", "UA3ZZ", "UA9AA"}},
        {"AS", 0, {"JA1ABC", "UA9AA"}},
        // Germany first worked on 20 m is listed with its first 40 m QSO.
        {"", 7000, {"DL2BBB"}},
        // The band filter takes the band plan: 14350 is 20 m, 13000 and
        // 15001 are not; 29600 is 10 m.
        {"", 14000, {"DL1AAA", "K55AA", "UA3ZZ"}},
        {"NA", 14000, {"K55AA"}},
        {"", 21000, {"JA1ABC"}},
        {"", 28000, {"K1AR", "UA9AA"}},
        {"SA", 0, {}},
    };
    for (const Case& c : cases) {
        TKeoEGrid g;
        chronologicalList(s, cty, g, c.continent, c.band);
        EXPECT_EQ(calls(g), c.listed) << c.continent << " " << c.band;
    }
    TKeoEGrid g;
    chronologicalList(s, cty, g, "", 0);
    EXPECT_EQ(g.RowCells(0), (std::vector<std::string>{" #", "Country", "Callsign", "Frequency", "Mode", "Date", "Time"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "United States", "K55AA", "14030", "CW", "2024-03-16", "1210"}));
    EXPECT_EQ(s.BadQsoCount, 0);
}

TEST(QsoListings, ChronologicalListsABadFrequencyAsAProcessingError)
{
    TCty_search cty = loadCty("chronobad");
    AppState s;
    fillLog(s, {{"DL1AAA", "x14", "20"}, {"DL2AAA", "14010", "20"}});
    TKeoEGrid g;
    chronologicalList(s, cty, g, "", 14000);
    EXPECT_EQ(calls(g), std::vector<std::string>{"DL2AAA"});
    EXPECT_EQ(s.BadQsoCount, 1);
    EXPECT_EQ(s.error_keo.Cell(5, 1), "DL1AAA");
}

TEST(QsoListings, StationsOfOneCountryWithBandCounts)
{
    TCty_search cty = loadCty("stations");
    AppState s;
    fillLog(s, mainLog());
    TKeoEGrid g;
    std::array<int, SummaryBandCount> bands{};
    ASSERT_TRUE(countryStations(s, cty, g, "DL", bands));
    EXPECT_EQ(calls(g), (std::vector<std::string>{"DL1AAA", "DL2BBB", "DL1AAA"}));
    EXPECT_EQ(g.Cell(0, 3), "3");
    EXPECT_EQ(bands, (std::array<int, SummaryBandCount>{0, 1, 1, 1, 0, 0}));

    g.SetCell(0, 1, "kept");
    EXPECT_FALSE(countryStations(s, cty, g, "XX", bands));
    EXPECT_EQ(g.Cell(0, 1), "kept");
}

TEST(QsoListings, HourContinentsKeepsDaysApartAndGathersAnHour)
{
    TCty_search cty = loadCty("hours");
    AppState s;
    auto log = mainLog();
    // Next day, same hour digits as the QSO before: a row of its own. A QSO
    // of an earlier hour logged late joins that hour's row.
    log.push_back({"JA2AAA", "14000", "20", "1355", "2024-03-17"});
    log.push_back({"UA3AAA", "14000", "20", "1259", "2024-03-16"});
    fillLog(s, log);
    TKeoEGrid g;
    hourContinents(s, cty, g);
    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.RowCells(0), (std::vector<std::string>{"Day/hour", "Rate", "EU", "AS", "NA", "SA", "AF", "OC"}));
    // The unknown calls (also the island that only the oblast file names)
    // count in no continent.
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"16 12", "4", "3", "0", "1", "0", "0", "0"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"16 13", "4", "1", "1", "2", "0", "0", "0"}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"17 13", "1", "0", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(g.RowCells(4), (std::vector<std::string>{"Total", "9", "4", "2", "3", "0", "0", "0"}));
}

TEST(QsoListings, RussianRowsNameTheCountryNotTheOblast)
{
    TCty_search cty = loadCty("oblastnames");
    AppState s;
    fillLog(s, {{"UA3AAA", "14000", "20", "1200"}, {"UA3ZZ", "14000", "20", "1201"}, {"UA9CAA", "14000", "20", "1202"}});
    auto countries = [](const TKeoEGrid& g) {
        std::vector<std::string> v;
        for (int r = 1; r < g.RowCount(); ++r) v.push_back(g.Cell(1, r));
        return v;
    };
    TKeoEGrid g;
    chronologicalList(s, cty, g, "", 0);
    EXPECT_EQ(calls(g), (std::vector<std::string>{"UA3AAA", "UA9CAA"}));
    EXPECT_EQ(countries(g), (std::vector<std::string>{"European Russia", "Asiatic Russia"}));
    std::array<int, SummaryBandCount> bands{};
    ASSERT_TRUE(countryStations(s, cty, g, "UA3AAA", bands));
    EXPECT_EQ(calls(g), (std::vector<std::string>{"UA3AAA", "UA3ZZ"}));
    EXPECT_EQ(countries(g), (std::vector<std::string>{"European Russia", "European Russia"}));
}

TEST(QsoListings, OneHourGivesOneRowAndAnEqualTotal)
{
    TCty_search cty = loadCty("onehour");
    AppState s;
    fillLog(s, {{"DL1AAA", "14000", "20", "0900"}, {"JA1AAA", "14000", "20", "0959"}});
    TKeoEGrid g;
    hourContinents(s, cty, g);
    ASSERT_EQ(g.RowCount(), 3);
    auto total = g.RowCells(2);
    total[0] = g.Cell(0, 1);
    EXPECT_EQ(g.RowCells(1), total);
    EXPECT_EQ(g.Cell(0, 1), "16 09");
}
