#include "reports/chart_output.h"

#include <gtest/gtest.h>

TEST(ChartImageFileName, TitleWithoutBreakAndWithoutFolders)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"ZEM Log Analysis\r\n", "ZEM Log Analysis"},
        {"Title\n", "Title"},
        {"ZEM.Growth. CQ-WPX 2025 K1/W2AA", "ZEM.Growth. CQ-WPX 2025 K1-W2AA"},
        {"a\\b", "a-b"},
    };
    for (const auto& [title, name] : cases) EXPECT_EQ(chartImageFileName(title), name) << title;
}

TEST(ChartImageFileName, JpgAddedOnlyWhenMissing)
{
    EXPECT_EQ(withJpgExtension("/tmp/rate"), "/tmp/rate.jpg");
    EXPECT_EQ(withJpgExtension("/tmp/rate.jpg"), "/tmp/rate.jpg");
    EXPECT_EQ(withJpgExtension("/tmp/rate.JPG"), "/tmp/rate.JPG");
    EXPECT_EQ(withJpgExtension("/tmp/rate.jpeg"), "/tmp/rate.jpeg.jpg");
    EXPECT_EQ(withJpgExtension(""), ".jpg");
}
