#include "main/jobs.h"

#include "main/log_table.h"

#include <gtest/gtest.h>

TEST(Jobs, PercentOf)
{
    struct Case {
        int min, max, value, scale, expected;
    } cases[] = {
        {0, 1000, 500, 30, 15},
        {10, 5, 7, 30, 0},   // Min above Max
        {0, 100, 150, 30, 100}, // past the end
        {7, 7, 7, 30, 100},
        {5, 10, 4, 30, 0},   // Value below Min
        {0, 100, 0, 30, 0},
        {0, 100, 100, 30, 30},
        {0, 4, 1, 2, 0},     // 0.5 rounds to even
        {0, 4, 3, 2, 2},     // 1.5 rounds to even
        {0, 100, 50, 0, 0},  // no scale to fill
    };
    for (const auto& c : cases)
        EXPECT_EQ(PercentOf(c.min, c.max, c.value, c.scale), c.expected)
            << c.min << " " << c.max << " " << c.value << " " << c.scale;
}

TEST(Jobs, ElapsedTexts)
{
    EXPECT_EQ(elapsedText(JobElapsedMs({1000}, {2234})), ">>1.234 s.");
    EXPECT_EQ(elapsedText(2000), ">>2 s.");
    EXPECT_EQ(elapsedText(0), ">>0 s.");
    EXPECT_EQ(elapsedText(15), ">>0.015 s.");
    // Over midnight the day is not counted.
    EXPECT_EQ(elapsedText(JobElapsedMs({86399000}, {1000})), ">>-86398 s.");
}

TEST(Jobs, NowIsATimeOfDay)
{
    const JobTime t = JobNow();
    EXPECT_GE(t.msOfDay, 0);
    EXPECT_LT(t.msOfDay, 86400000);
}

TEST(Jobs, ExceptProcText)
{
    AppState s;
    s.log_grid.SetRowCount(3);
    s.log_grid.SetCell(lcCallsign, 2, "UA9XX");
    s.RowCounter = 2;
    EXPECT_EQ(except_proc_text(s), "Line: 2\rCallsign: UA9XX");
}

TEST(Jobs, ModalTimeLeavesOutOnlyTheWindowsOpenedOverTheJob)
{
    int a = 0, b = 0, c = 0; // three windows
    ModalTime t;
    t.opened(&a, 0);             // the finder's dialog, up before the job
    const ModalTime::Mark job = t.mark(100);
    EXPECT_EQ(t.spentSince(job, 150), 0) << "the window the job runs in is not left out";
    t.opened(&b, 200);           // a message of the job
    EXPECT_EQ(t.spentSince(job, 500), 300) << "a window still up counts to now";
    t.opened(&c, 300);           // a box over the message: already inside its time
    t.closed(&c, 400);
    t.closed(&b, 1200);
    EXPECT_EQ(t.spentSince(job, 2000), 1000);
    t.closed(&b, 1500);          // closed twice: counted once
    t.opened(&b, 2000);          // the same message once more
    t.closed(&b, 2500);
    EXPECT_EQ(t.spentSince(job, 3000), 1500);
    t.closed(&a, 3000);
    EXPECT_EQ(t.openCount(), 0u);

    // A job started with nothing up leaves out every window, and the
    // elapsed time is the rest.
    const ModalTime::Mark next = t.mark(4000);
    t.opened(&a, 4100);
    t.closed(&a, 12100);
    EXPECT_EQ(JobElapsedMs({1000}, {9678}, t.spentSince(next, 12678)), 678);
    EXPECT_EQ(elapsedText(JobElapsedMs({1000}, {9678}, 8000.4)), ">>0.678 s.") << "whole milliseconds";
}
