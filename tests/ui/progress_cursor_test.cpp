#include "main/progress_cursor.h"

#include <gtest/gtest.h>

TEST(ProgressCursor, BarGrowsFromTheLeft)
{
    const QCursor c = MakeProgressCursor(0, 100, 50);
    EXPECT_EQ(c.pixmap().size(), QSize(kProgressCursorSize, kProgressCursorSize));
    EXPECT_EQ(c.hotSpot(), QPoint(0, 0));

    const int h = kProgressCursorSize;
    const int w = kProgressCursorSize;
    const QImage half = progressCursorImage(0, 100, 50); // 15 of 30 bar pixels reached
    const int y = h - 4;
    for (int x = 1; x <= 15; ++x) EXPECT_EQ(half.pixel(x, y), qRgb(0, 0, 0)) << x;
    for (int x = 16; x <= w - 2; ++x) EXPECT_EQ(half.pixel(x, y), qRgb(255, 255, 255)) << x;
    // The frame is drawn, the area beside the number is see-through.
    EXPECT_EQ(qAlpha(half.pixel(0, y)), 255);
    EXPECT_EQ(qAlpha(half.pixel(w - 1, 2)), 0);

    const QImage done = progressCursorImage(0, 100, 100);
    for (int x = 1; x <= w - 2; ++x) EXPECT_EQ(done.pixel(x, y), qRgb(0, 0, 0)) << x;
    const QImage start = progressCursorImage(0, 100, 0);
    for (int x = 1; x <= w - 2; ++x) EXPECT_EQ(start.pixel(x, y), qRgb(255, 255, 255)) << x;

    // The row number is drawn under the hot spot.
    const QImage numbered = progressCursorImage(0, 1000, 888);
    int opaque = 0;
    for (int yy = 8; yy < h - 8; ++yy)
        for (int x = 0; x < w; ++x) opaque += qAlpha(numbered.pixel(x, yy)) != 0;
    EXPECT_GT(opaque, 0);
}
