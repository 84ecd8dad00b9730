#include "analysis/analysis_pass.h"
#include "import/cabrillo_reader.h"
#include "main/log_table.h"
#include "refdata/cty_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

// The Summary of the sample log that ships with the program, with the shipped
// country files. Two of its Russian calls used to fall back on "European
// Russia" although the oblast file knows their oblast (RV4H Samara, RN4Q
// Tatarstan): the two new oblasts, on 160 and 20 m, are the only difference
// from what the program showed before.
TEST(ShippedSample, Summary)
{
    const fs::path data = fs::path(ZEM_SOURCE_DIR) / "data";
    TCty_search cty;
    cty.LoadFiles(data / "cty.dat", data / "zem-cty.dat");
    AppState s;
    SummaryPage page;
    readCabrilloLog(s, (data / "samples" / "sample.cbr").string());
    Process_log_and_summary(s, cty, nullptr, false, page);

    const char* const expected[] = {
        "Band|QSO|qso %|CW|cw %|SSB|ssb %|RTTY|rtty %|Time|time %|QSO/min.|Moves|moves %|DXCC|WAZ|ITU|Oblasts|Points|",
        "160|35|8|20|8|15|9|0|0|93|11|0.376|4|8|18|10|12|11|0|",
        "80|61|14|33|13|28|16|0|0|127|15|0.480|7|15|25|15|17|17|0|",
        "40|107|25|58|23|49|28|0|0|215|26|0.498|11|23|41|19|25|22|0|",
        "20|122|29|62|25|60|34|0|0|215|26|0.567|14|29|37|16|21|30|0|",
        "15|71|17|48|19|23|13|0|0|143|17|0.497|9|19|27|15|18|23|0|",
        "10|27|6|27|11|0|0|0|0|48|6|0.562|3|6|19|9|10|9|0|",
        "Total|423|0|248|59|175|41|0|0|841|0|0.349|48|0|167|84|103|112|0|",
    };
    ASSERT_EQ(page.Summary_Grid.RowCount(), 8);
    for (int r = 0; r < 8; ++r) {
        std::string row;
        for (int c = 0; c < page.Summary_Grid.ColCount(); ++c) row += page.Summary_Grid.Cell(c, r) + "|";
        EXPECT_EQ(row, expected[r]);
    }

    ASSERT_TRUE(cty.LookupCall("RV4H"));
    EXPECT_EQ(cty.Result().Country, "Samara (4H) ");
    ASSERT_TRUE(cty.LookupCall("RN4Q"));
    EXPECT_EQ(cty.Result().Country, "Tatarstan (4P) ");
}
