#include "analysis/cw_time.h"

#include <gtest/gtest.h>

TEST(CwTime, UnitsOfMessages)
{
    struct Case {
        const char* text;
        long long units;
    } cases[] = {
        {"", 0},
        {"EE", 5},       // 1 + gap 3 + 1
        {"E E", 9},      // 1 + word gap 7 + 1
        {"A", 5},
        {"0", 19},
        // D7 L9 /13 U7 A5 3=13 X11 X11 X11 and eight 3-unit gaps: a portable
        // call is longer than its letters alone.
        {"DL/UA3XXX", 111},
        {"?", 15},
        {"=", 13},
        {".", 17},
        {",", 19},
        {"cq", 11 + 3 + 13}, // pasted lower case counts as upper case
        {"#", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(cwMessageUnits(c.text), c.units) << c.text;
}

TEST(CwTime, MinutesShownWithTwoDecimals)
{
    struct Case {
        CwTiming t;
        const char* shown;
    } cases[] = {
        {{"", 40, 1000, 0, 0}, "0.00 min."},
        {{"E", 1, 1000, 0, 0}, "20.83 min."},
        {{"", 40, 60, 0, 1000}, "1.00 min."},
        {{"E", 40, 60, 500, 0}, "0.53 min."},
        // The largest values stay plain decimals.
        {{"0000000000000000000000000000,,", 1, 100000, 1000, 1000}, "1372083.33 min."},
    };
    for (const Case& c : cases) EXPECT_EQ(cwSendingTimeText(c.t), c.shown) << c.t.text;
}
