#include "analysis/near_zone.h"

#include "country_log_fixture.h"
#include "refdata/distance.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace countryfixture;

namespace {

std::string placed(const std::string& name, const std::string& cont, double lat, double lon,
                   const std::string& prefix)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%-26s14:  18:  %s:  %6.2f:  %7.2f:  -1.0:  %s:\n    %s;\n", (name + ":").c_str(),
                  cont.c_str(), lat, lon, prefix.c_str(), prefix.c_str());
    return buf;
}

TCty_search nearCty(const std::string& test)
{
    return loadCtyText(test,
                       placed("Sweden", "EU", 60, -15, "SM") + placed("Finland", "EU", 62, -25, "OH") +
                           placed("United States", "NA", 40, 90, "K"),
                       "");
}

struct Grids {
    std::array<TKeoEGrid, NearZoneBandCount> g;
    std::array<TKeoEGrid*, NearZoneBandCount> ptrs() { return {&g[0], &g[1], &g[2], &g[3]}; }
};

std::vector<std::string> calls(const TKeoEGrid& g)
{
    std::vector<std::string> v;
    for (int r = 1; r < g.RowCount(); ++r) v.push_back(g.Cell(2, r));
    return v;
}

} // namespace

TEST(NearZone, RadiusIsStrictAndBandsAreWholeMhz)
{
    TCty_search cty = nearCty("strict");
    const int dOH = static_cast<int>(Calc_distance(60, -15, 62, -25));
    ASSERT_GT(dOH, 100);

    AppState s;
    fillLog(s, {{"OH1AA", "7150", "40", "1201", "2024-03-16", "CW"},
                {"OH2BB", "3500", "80"},
                {"OH3CC", "70150", ""},   // 4 m, not 7 MHz
                {"SM5DD", "144300", ""},  // 2 m, not 14 MHz
                {"SM6EE", "14025", "20", "1305", "2024-03-16", "PH"},
                {"K1FF", "21025", "15"},
                {"OH4GG", "28400", "10"},
                {"XX9ZZ", "7050", "40"}}); // unknown after a known call: no borrowed position

    struct Case {
        std::array<int, 4> radii;
        std::array<std::vector<std::string>, 4> near;
    };
    const Case cases[] = {
        {{dOH + 1, 400, 1000, dOH + 1}, {{{"OH1AA"}, {"SM6EE"}, {}, {"OH4GG"}}}},
        {{dOH, 400, 1000, dOH}, {{{}, {"SM6EE"}, {}, {}}}},
        {{4000, 0, 4000, 4000}, {{{"OH1AA"}, {}, {}, {"OH4GG"}}}}, // radius 0: not even the own country
    };
    for (const Case& c : cases) {
        Grids g;
        const auto counts = nearZone(s.log_grid, cty, "SM5XX", c.radii, g.ptrs());
        for (int b = 0; b < 4; ++b) {
            EXPECT_EQ(calls(g.g[b]), c.near[b]) << "band " << NearZoneMhz[b] << " radius " << c.radii[b];
            EXPECT_EQ(counts[b], static_cast<int>(c.near[b].size()));
            EXPECT_EQ(g.g[b].RowCount(), counts[b] + 1);
        }
    }

    Grids g;
    nearZone(s.log_grid, cty, "SM5XX", {dOH + 1, 400, 1000, 1500}, g.ptrs());
    EXPECT_EQ(g.g[0].RowCells(0), (std::vector<std::string>{"#", "Distance", "Callsign", "Time", "Mode"}));
    EXPECT_EQ(g.g[0].RowCells(1), (std::vector<std::string>{"1", std::to_string(dOH), "OH1AA", "1201", "CW"}));
    EXPECT_EQ(g.g[1].RowCells(1), (std::vector<std::string>{"1", "0", "SM6EE", "1305", "PH"}));
}

TEST(NearZone, UnknownReferenceFindsNothingAndEmptiesOldResults)
{
    TCty_search cty = nearCty("unknownref");
    AppState s;
    fillLog(s, {{"SM6EE", "14025", "20"}});
    Grids g;
    nearZone(s.log_grid, cty, "SM5XX", NearZoneStartRadii, g.ptrs());
    ASSERT_EQ(calls(g.g[1]), std::vector<std::string>{"SM6EE"});
    // A lookup of a known call just before must not lend its position.
    cty.LookupCall("SM5XX");
    const auto counts = nearZone(s.log_grid, cty, "XX9ZZ", NearZoneStartRadii, g.ptrs());
    EXPECT_EQ(counts, (std::array<int, 4>{}));
    for (const TKeoEGrid& grid : g.g) EXPECT_EQ(grid.RowCount(), 1);
}
