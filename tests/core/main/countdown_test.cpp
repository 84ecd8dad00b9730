#include "main/countdown.h"

#include <gtest/gtest.h>

TEST(Countdown, ThirdSaturdayOfMarchAndRollOver)
{
    // 2009: 1 March is a Sunday, the first Saturday is 7 March.
    CivilDateTime first{2009, 3, 1, 8, 0, 0, 0};
    auto c = contestDate(first);
    EXPECT_EQ(c.year, 2009);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 21);
    EXPECT_EQ(c.hour, 12);
    EXPECT_EQ(daysBetween(first, c), 20); // 20 days 4 hours

    CivilDateTime after{2009, 3, 21, 13, 0, 0, 0};
    auto n = contestDate(after);
    EXPECT_EQ(n.year, 2010);
    EXPECT_EQ(n.day, 20); // 2010: first Saturday on 6 March

    CivilDateTime exactly{2009, 3, 21, 12, 0, 0, 0};
    EXPECT_EQ(contestDate(exactly).year, 2009);

    EXPECT_EQ(daysBetween({2009, 3, 20, 1, 0, 0, 0}, {2009, 3, 21, 12, 0, 0, 0}), 1); // 35 hours
    EXPECT_EQ(countdownText(7), "7 days left till Russian DX Contest...");
}
