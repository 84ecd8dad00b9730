#include "analysis/find_qso.h"

#include "country_log_fixture.h"
#include "main/log_table.h"

#include <gtest/gtest.h>

using namespace countryfixture;

namespace {

// Countries 1 Germany (CQ 14, ITU 28), 2 European Russia (16, 29),
// 3 Asiatic Russia (17, 30), 4 United States (5, 8), 5 Japan (25, 45).
struct FindFixture {
    TCty_search cty = loadCty("find");
    AppState s;
    FindFixture()
    {
        fillLog(s, {{"DL1AA", "14025", "20", "1200", "2024-03-16", "CW"},
                    {"UA9AA", "7010", "40", "1201", "2024-03-16", "PH"},
                    {"K1AA", "28400", "10", "1202", "2024-03-16", "RY"},
                    {"XX9XX", "28400", "10"}, // unknown: no country, no zones
                    {"DL1AA", "14025", "20"},
                    {"JA1ABC", "21000", "15"}});
        auto& g = s.log_grid;
        const char* cont[] = {"EU", "AS", "NA", "", "EU", "AS"};
        for (int r = 1; r <= 6; ++r) g.SetCell(lcCont, r, cont[r - 1]);
        g.SetCell(lcQSO, 5, "DUPE.");
        g.SetCell(lcDXCC, 1, "1");
        g.SetCell(lcWAZ, 2, "17");
        g.SetCell(lcITU, 3, "8");
        g.SetCell(lcWPX, 6, "JA1");
        g.SetCell(lcRUS, 2, "SV");
        g.SetCell(lcMaster, 4, "*");
    }
    std::vector<std::string> found(const FindCriteria& c, int* count = nullptr)
    {
        TKeoEGrid out;
        const int n = findQsos(s.log_grid, cty, c, out);
        if (count) *count = n;
        std::vector<std::string> numbers;
        for (int r = 1; r < out.RowCount(); ++r)
            if (!out.IsRowEmpty(r)) numbers.push_back(out.Cell(lcNumber, r));
        return numbers;
    }
};

using V = std::vector<std::string>;

} // namespace

TEST(FindQso, EachCriterion)
{
    FindFixture f;
    const ChosenCountry germany = chosenCountryOf(f.cty, "DL");
    ASSERT_EQ(germany, 1);
    struct Case {
        const char* what;
        FindCriteria c;
        V rows;
    };
    const auto with = [](auto set) {
        FindCriteria c;
        set(c);
        return c;
    };
    const Case cases[] = {
        {"callsign part", with([](FindCriteria& c) { c.callsign = "1A"; }), V{"1", "3", "5", "6"}},
        {"empty callsign", with([](FindCriteria& c) { c.callsign = ""; }), V{}},
        {"country", with([&](FindCriteria& c) { c.country = true; c.chosenCountry = germany; }), V{"1", "5"}},
        {"not from", with([&](FindCriteria& c) { c.notFromCountry = true; c.chosenCountry = germany; }),
         V{"2", "3", "4", "6"}},
        {"country unknown prefix", with([](FindCriteria& c) { c.country = true; }), V{}},
        {"not from unknown prefix", with([](FindCriteria& c) { c.notFromCountry = true; }), V{}},
        {"itu", with([](FindCriteria& c) { c.itu = 30; }), V{"2"}},
        {"waz", with([](FindCriteria& c) { c.waz = 5; }), V{"3"}},
        {"band", with([](FindCriteria& c) { c.band = "10"; }), V{"3", "4"}},
        {"mode", with([](FindCriteria& c) { c.mode = "PH"; }), V{"2"}},
        {"continent", with([](FindCriteria& c) { c.continent = "AS"; }), V{"2", "6"}},
        {"dupes", with([](FindCriteria& c) { c.dupes = true; }), V{"5"}},
        {"new dxcc", with([](FindCriteria& c) { c.newDxcc = true; }), V{"1"}},
        {"new waz", with([](FindCriteria& c) { c.newWaz = true; }), V{"2"}},
        {"new itu", with([](FindCriteria& c) { c.newItu = true; }), V{"3"}},
        {"new wpx", with([](FindCriteria& c) { c.newWpx = true; }), V{"6"}},
        {"new oblast", with([](FindCriteria& c) { c.newRus = true; }), V{"2"}},
        {"not in master", with([](FindCriteria& c) { c.notInMaster = true; }), V{"4"}},
        {"all ticked must pass", with([](FindCriteria& c) { c.band = "20"; c.callsign = "DL"; c.dupes = true; }),
         V{"5"}},
        {"nothing ticked", FindCriteria{}, V{}},
    };
    for (const Case& c : cases) EXPECT_EQ(f.found(c.c), c.rows) << c.what;
}

TEST(FindQso, UnknownCallBorrowsNoZoneFromThePreviousRow)
{
    FindFixture f;
    // Row 4 (unknown) follows K1AA (CQ 5, ITU 8); it must not match those.
    FindCriteria c;
    c.waz = 5;
    c.band = "10";
    EXPECT_EQ(f.found(c), V{"3"});
    EXPECT_EQ(chosenCountryOf(f.cty, "XX"), std::nullopt);
}

TEST(FindQso, FoundGridCopiesWholeRowsUnderTheLogTitles)
{
    FindFixture f;
    FindCriteria c;
    c.dupes = true;
    TKeoEGrid out;
    ASSERT_EQ(findQsos(f.s.log_grid, f.cty, c, out), 1);
    EXPECT_EQ(out.RowCells(0), logColumnTitles());
    EXPECT_EQ(out.RowCells(1), f.s.log_grid.RowCells(5));
    c.dupes = false;
    c.mode = "XX";
    EXPECT_EQ(findQsos(f.s.log_grid, f.cty, c, out), 0);
    EXPECT_EQ(out.RowCount(), 2);
    EXPECT_TRUE(out.IsRowEmpty(1));
}
