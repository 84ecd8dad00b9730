#include "refdata/call_info.h"

#include "main/log_table.h"

#include <gtest/gtest.h>

TEST(CallInfo, BandMatrixListsTheBandsOfTheCallOnly)
{
    TKeoEGrid log;
    initLogGrid(log);
    log.SetRowCount(5);
    const char* rows[][2] = {{"UA3ABC", "20"}, {"UA3ABC", "40"}, {"ua3abc", "10"}, {"UA3ABD", "80"}};
    for (int r = 1; r <= 4; ++r) {
        log.SetCell(lcCallsign, r, rows[r - 1][0]);
        log.SetCell(lcBand, r, rows[r - 1][1]);
    }
    const TBandMatrix m = Get_band_matrix(log, "UA3ABC");
    EXPECT_EQ(m, (TBandMatrix{"", "", "40", "20", "", ""}));
    EXPECT_EQ(Get_band_matrix(log, "K1AA"), TBandMatrix{});
}

TEST(CallInfo, UnknownCallShowsNoFacts)
{
    const CallFacts none = callFacts(nullptr, 55, -37);
    EXPECT_FALSE(none.known);
    EXPECT_EQ(none.Country, "");
    EXPECT_EQ(none.Distance, "");

    CountryRecord rec;
    rec.Country = "Sweden ";
    rec.CQ = "14";
    rec.ITU = "18";
    rec.Continent = "EU";
    rec.Latitude = 0;
    rec.Longitude = 1;
    rec.TimeOffset = -1.5;
    const CallFacts f = callFacts(&rec, 0, 0);
    EXPECT_EQ(f.Country, "Sweden"); // shown without the record's blank
    EXPECT_EQ(f.Distance, "111");
    EXPECT_EQ(f.TimeOffset, "-1.5");
    EXPECT_EQ(f.Longitude, "1");
}

TEST(CallInfo, CallOfQsoLine)
{
    // kHz, mode, date, time, callsign joined by two blanks.
    EXPECT_EQ(callOfQsoLine("14025  CW  2024-12-08  1205  UA3ABC/P"), "UA3ABC/P");
    EXPECT_EQ(callOfQsoLine("short"), "");
}
