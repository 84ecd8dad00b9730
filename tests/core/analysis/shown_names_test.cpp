// Country names wherever the analyses show them: the country file's record
// keeps the blank it appends to a name, no table, chart label or callsign
// fact shows it.
#include "analysis/country_tables.h"
#include "analysis/qso_listings.h"
#include "refdata/call_info.h"

#include "country_log_fixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace countryfixture;

TEST(ShownCountryNames, NoPlaceShowsTheBlankOfTheRecord)
{
    TCty_search cty = loadCty("shown");
    AppState s;
    fillLog(s, {{"K1AR", "14025", "20"}, {"W1AW", "7010", "40"}, {"DL1AAA", "14030", "20"}});
    ASSERT_TRUE(cty.LookupCall("K1AR"));
    ASSERT_EQ(cty.Result().Country, "United States "); // the record as the analyses read it

    TKeoEGrid g;
    std::array<int, SummaryBandCount> bands{};
    const struct {
        const char* place;
        std::function<std::string()> shown;
        std::string expected;
    } cases[] = {
        {"QSO by countries", [&] { qsoByCountries(s, cty, g, {}); return g.Cell(1, 1); }, "United States"},
        {"its Top Ten label", [&] { return qsoByCountries(s, cty, g, {}).Bars[0].Label; }, "United States - 66.7%"},
        {"WPX by countries", [&] { wpxByCountries(s, cty, g); return g.Cell(1, 1); }, "United States"},
        {"its Top Ten label", [&] { return wpxByCountries(s, cty, g).Bars[0].Label; }, "United States"},
        {"Remaining mults", [&] { remainingMults(s, cty, g); return g.Cell(1, 1); }, "United States"},
        {"In the chronological order", [&] { chronologicalList(s, cty, g, "", 0); return g.Cell(1, 1); },
         "United States"},
        {"Stations from the certain country", [&] { countryStations(s, cty, g, "W", bands); return g.Cell(1, 2); },
         "United States"},
        {"callsign facts", [&] { cty.LookupCall("DL1AAA"); return callFacts(&cty.Result(), 0, 0).Country; },
         "Germany"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown(), c.expected) << c.place;
}
