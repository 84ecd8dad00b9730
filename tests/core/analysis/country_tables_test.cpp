#include "analysis/country_tables.h"

#include "country_log_fixture.h"

#include <gtest/gtest.h>

using namespace countryfixture;

namespace {

std::vector<std::string> column(const TKeoEGrid& g, int col)
{
    std::vector<std::string> v;
    for (int r = 0; r < g.RowCount(); ++r) v.push_back(g.Cell(col, r));
    return v;
}

TKeoEGrid keyedGrid(const std::vector<std::string>& keys)
{
    TKeoEGrid g(2, static_cast<int>(keys.size()) + 1);
    for (size_t i = 0; i < keys.size(); ++i) {
        g.SetCell(0, static_cast<int>(i) + 1, keys[i]);
        g.SetCell(1, static_cast<int>(i) + 1, "r" + std::to_string(i + 1));
    }
    return g;
}

} // namespace

TEST(Sortgrid, DescendingSelectionSortByKind)
{
    struct Case {
        std::vector<std::string> keys;
        int kind;
        std::vector<std::string> rowsAfter; // column 1 of rows 1..n
    };
    const Case cases[] = {
        // Equal keys do not keep their order: the exchange moves the top one down.
        {{"5", "5", "9"}, 1, {"r3", "r2", "r1"}},
        {{"2", "10", "9"}, 1, {"r2", "r3", "r1"}},
        // Text keys compare by bytes: "9" > "10", "ab" > "a", "a" > "Z".
        {{"10", "9", "a", "ab", "Z"}, 0, {"r4", "r3", "r5", "r2", "r1"}},
        // Any other kind leaves the rows alone.
        {{"1", "3", "2"}, 2, {"r1", "r2", "r3"}},
    };
    for (const Case& c : cases) {
        TKeoEGrid g = keyedGrid(c.keys);
        sortgrid(g, 0, c.kind);
        auto after = column(g, 1);
        after.erase(after.begin());
        EXPECT_EQ(after, c.rowsAfter) << "kind " << c.kind << ", first key " << c.keys[0];
    }
}

TEST(Sortgrid, KeyThatIsNoNumberThrowsAndMovesNothing)
{
    TKeoEGrid g = keyedGrid({"1", "x", "3"});
    EXPECT_THROW(sortgrid(g, 0, 1), std::invalid_argument);
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"", "r1", "r2", "r3"}));
}

TEST(CountryTables, QsoByCountries)
{
    TCty_search cty = loadCty("qso");
    AppState s;
    fillLog(s, mainLog());
    TKeoEGrid g;
    const TopTenChart chart =
        qsoByCountries(s, cty, g, [](double lat, double lon) { return lat * 1000 + lon; });

    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(0), (std::vector<std::string>{"#", "Country", "Last callsign", "QSO", "%", "Accum %", "Dist."}));
    // The unknown call counts for no country (not for Germany before it),
    // so the running share ends at 7 of the 9 QSOs; Germany and the United
    // States tie and keep the selection sort's order.
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "Germany", "DL1AAA", "3", "33.3", "33.3", "49990"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "United States", "K1AR", "3", "33.3", "66.7", "49990"}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"3", "Japan", "JA1ABC", "1", "11.1", "77.8", "49990"}));
    EXPECT_EQ(g.FixedRows(), 1);

    EXPECT_EQ(chart.Title, "ZEM Log Analysis.QSO by countries.Top Ten  - TEST SM5XX 2024");
    EXPECT_EQ(chart.BottomAxisTitle, "QSO");
    ASSERT_EQ(chart.Bars.size(), 3u); // only the countries there are
    EXPECT_EQ(chart.Bars[0].Label, "Germany - 33.3%");
    EXPECT_EQ(chart.Bars[2].Value, 1);
    EXPECT_EQ(s.BadQsoCount, 0);
}

TEST(CountryTables, OneCountryIsAHundredPercentAndNoDistanceLeavesTheColumnEmpty)
{
    TCty_search cty = loadCty("one");
    AppState s;
    fillLog(s, {{"JA1ABC", "21010", "15"}, {"JA2XYZ", "14010", "20"}});
    TKeoEGrid g;
    qsoByCountries(s, cty, g, {});
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "Japan", "JA2XYZ", "2", "100.0", "100.0", ""}));
}

TEST(CountryTables, AccumulatedShareEndsAtAHundredWithOneDecimalEach)
{
    // Shares whose rounded texts do not add up to the running share: the
    // sums of the texts end at 100.1, 99.9 and "100" where every call has
    // a country.
    struct Case {
        std::vector<std::pair<std::string, int>> callsWorked; // a call of each country, QSOs
        std::vector<std::string> shares, accumulated;
    };
    const Case cases[] = {
        {{{"DL1A", 3}, {"K1A", 2}, {"JA1A", 1}, {"UA3A", 1}},
         {"42.9", "28.6", "14.3", "14.3"},
         {"42.9", "71.4", "85.7", "100.0"}},
        {{{"DL1A", 1}, {"K1A", 1}, {"JA1A", 1}}, {"33.3", "33.3", "33.3"}, {"33.3", "66.7", "100.0"}},
        {{{"DL1A", 1}, {"K1A", 1}}, {"50.0", "50.0"}, {"50.0", "100.0"}},
    };
    TCty_search cty = loadCty("accum");
    for (const Case& c : cases) {
        std::vector<Qso> log;
        for (const auto& [call, n] : c.callsWorked)
            for (int i = 0; i < n; ++i) log.push_back({call, "14000", "20"});
        AppState s;
        fillLog(s, log);
        TKeoEGrid g;
        qsoByCountries(s, cty, g, {});
        std::vector<std::string> shares, accumulated;
        for (int r = 1; r < g.RowCount(); ++r) {
            shares.push_back(g.Cell(4, r));
            accumulated.push_back(g.Cell(5, r));
        }
        EXPECT_EQ(shares, c.shares) << c.callsWorked[0].second << " QSOs first";
        EXPECT_EQ(accumulated, c.accumulated) << c.callsWorked[0].second << " QSOs first";
    }
}

TEST(CountryTables, RussianCallsCountUnderTheirCountryNotTheirOblast)
{
    TCty_search cty = loadCty("oblast");
    AppState s;
    fillLog(s, {{"UA3AAA", "14010", "20"}, {"UA3BBB", "7010", "40"}});
    TKeoEGrid g;
    for (auto fill : {+[](AppState& st, TCty_search& c, TKeoEGrid& grid) { qsoByCountries(st, c, grid, {}); },
                      +[](AppState& st, TCty_search& c, TKeoEGrid& grid) { wpxByCountries(st, c, grid); },
                      +[](AppState& st, TCty_search& c, TKeoEGrid& grid) { remainingMults(st, c, grid); }}) {
        fill(s, cty, g);
        EXPECT_EQ(g.Cell(1, 1), "European Russia");
        EXPECT_EQ(g.Cell(2, 1), "UA3BBB");
    }
}

TEST(CountryTables, TopTenTakesTenPlaces)
{
    // Twelve countries of one file; country k worked k times.
    std::string ctyText;
    for (int k = 1; k <= 12; ++k) {
        const std::string p = std::string(1, static_cast<char>('A' + k)) + "Q";
        ctyText += header("Land" + std::to_string(k), "01", "01", "EU", p) + "\n    " + p + ";\n";
    }
    TCty_search cty = loadCtyText("ten", ctyText, "");
    std::vector<Qso> log;
    for (int k = 1; k <= 12; ++k)
        for (int i = 0; i < k; ++i) log.push_back({std::string(1, static_cast<char>('A' + k)) + "Q1A", "14000", "20"});
    AppState s;
    fillLog(s, log);
    TKeoEGrid g;
    const TopTenChart chart = qsoByCountries(s, cty, g, {});
    EXPECT_EQ(g.RowCount(), 13);
    ASSERT_EQ(chart.Bars.size(), 10u);
    EXPECT_EQ(chart.Bars[0].Label.substr(0, 9), "Land12 - ");
    EXPECT_EQ(chart.Bars[9].Value, 3);
}

TEST(CountryTables, WpxByCountriesCountsWholePrefixesAndTotals)
{
    TCty_search cty = loadCty("wpx");
    AppState s;
    fillLog(s, mainLog());
    TKeoEGrid g;
    const TopTenChart chart = wpxByCountries(s, cty, g);

    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.ColCount(), 4);
    // K5 after K55 is a prefix of its own; DL1AAA again changes nothing but
    // the last callsign.
    EXPECT_EQ(g.RowCells(1), (std::vector<std::string>{"1", "United States", "K1AR", "3"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "Germany", "DL1AAA", "2"}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"3", "Japan", "JA1ABC", "1"}));
    EXPECT_EQ(g.RowCells(4), (std::vector<std::string>{"Total", "", "", "6"}));
    EXPECT_EQ(chart.Title, "ZEM Log Analysis.WPX by countries.Top Ten  - TEST SM5XX 2024");
    EXPECT_EQ(chart.BottomAxisTitle, "WPX");
    ASSERT_EQ(chart.Bars.size(), 3u);
    EXPECT_EQ(chart.Bars[0].Label, "United States");
}

TEST(CountryTables, RemainingMults)
{
    TCty_search cty = loadCty("rm");
    AppState s;
    auto log = mainLog();
    log.push_back({"JA3AAA", "50100", "", "1350"}); // off the bands: Japan stays at one band
    log.push_back({"JA1ABC", "21020", "15", "1355"}); // same band again: only the callsign changes
    for (const char* k : {"1830", "3530", "7030"}) log.push_back({"W1AW", k, "", "1400"});
    fillLog(s, log);
    TKeoEGrid g;
    remainingMults(s, cty, g);

    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(0),
              (std::vector<std::string>{"#", "Country", "Callsign", "Bands", "160", "80", "40", "20", "15", "10"}));
    EXPECT_EQ(g.RowCells(1),
              (std::vector<std::string>{"1", "United States", "W1AW", "5", "OK", "OK", "OK", "OK", "", "OK"}));
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "Germany", "DL1AAA", "3", "", "OK", "OK", "OK", "", ""}));
    EXPECT_EQ(g.RowCells(3), (std::vector<std::string>{"3", "Japan", "JA1ABC", "1", "", "", "", "", "OK", ""}));
}

TEST(CountryTables, CountryWorkedOffTheBandsOnlyStaysListed)
{
    TCty_search cty = loadCty("rm0");
    AppState s;
    fillLog(s, {{"JA1ABC", "50100", ""}, {"DL1AAA", "14000", "20"}});
    TKeoEGrid g;
    remainingMults(s, cty, g);
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(1, 1), "Germany");
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "Japan", "JA1ABC", "0", "", "", "", "", "", ""}));
}

TEST(CountryTables, CountryNumbersBeyondTheFileNeverReachPastTheTable)
{
    // A file of one country: the table has one working row, and a country
    // without a number of its own counts nowhere.
    TCty_search cty = loadCtyText("small", header("Japan", "25", "45", "AS", "JA") + "\n    JA;\n",
                                  header("Elsewhere", "01", "01", "EU", "ZZ") + "\n    ZZ;\n");
    AppState s;
    fillLog(s, {{"ZZ1A", "14000", "20"}, {"JA1A", "14000", "20"}});
    TKeoEGrid g;
    qsoByCountries(s, cty, g, {});
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cell(1, 1), "Japan");
    EXPECT_EQ(g.Cell(3, 1), "1");
}
