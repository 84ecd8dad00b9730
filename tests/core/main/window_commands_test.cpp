#include "main/window_commands.h"

#include <gtest/gtest.h>

#include <string>

TEST(WindowCommands, DroppedFileReaderByExtension)
{
    const struct {
        const char* path;
        DroppedFileReader reader;
    } cases[] = {
        {"/logs/test.cbr", DroppedFileReader::Cabrillo},
        {"/logs/TEST.LOG", DroppedFileReader::Cabrillo},
        {"/logs/LOG.TXT", DroppedFileReader::Cabrillo},
        {"/logs/cqww.Dat", DroppedFileReader::TRLog},
        {"/logs/export.ADI", DroppedFileReader::ADIF},
        {"/mail/SCORES.EML", DroppedFileReader::Claimed3830},
        {"/logs/test.adif", DroppedFileReader::None},
        {"/logs/.data/readme", DroppedFileReader::None},
        {"/logs/noext", DroppedFileReader::None},
        {"", DroppedFileReader::None},
    };
    for (const auto& c : cases) EXPECT_EQ(readerForDroppedFile(c.path), c.reader) << c.path;
}

TEST(WindowCommands, WheelStepMovesSpeedRowsInsideTheTable)
{
    // 100 QSOs: the grid has 101 rows with its title row.
    const struct {
        int row, speed;
        bool down;
        int expected;
    } cases[] = {
        {10, 3, true, 13},  {98, 3, true, 99},  {97, 3, true, 100}, {100, 3, true, 100},
        {10, 3, false, 7},  {4, 3, false, 1},   {3, 3, false, 2},   {1, 3, false, 1},
        {10, 1, true, 11},  {10, 1, false, 9},
        {10, 0, true, 11},  {10, 0, false, 9}, // a speed of 0 still moves
        {10, 500, true, 11}, {10, 500, false, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheelStepRow(c.row, 101, c.speed, c.down), c.expected)
            << c.row << (c.down ? " down " : " up ") << c.speed;
    EXPECT_EQ(wheelStepRow(1, 2, 3, true), 1); // one row: nowhere to go
}

TEST(WindowCommands, WheelSpeedInput)
{
    const struct {
        const char* text;
        std::optional<int> speed;
    } cases[] = {
        {"3", 3},   {"-5", 5},  {" 7 ", 7},  {"100", 100},
        {"0", std::nullopt},    {"101", std::nullopt}, {"-101", std::nullopt},
        {"2.5", std::nullopt},  {"abc", std::nullopt}, {"", std::nullopt},
        {"-9223372036854775808", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseWheelSpeed(c.text, 100), c.speed) << c.text;
}

TEST(WindowCommands, FullScreenToggle)
{
    FullScreenToggle t;
    // 777 x 580 on 1024 x 768: the whole screen, then the former bounds back.
    const WindowRect start{123, 94, 777, 580};
    EXPECT_EQ(t.toggle(start, 1024, 768), (WindowRect{0, 0, 1024, 768}));
    EXPECT_TRUE(t.isFull());
    // The window manager kept a panel: the window is shorter than the screen.
    EXPECT_EQ(t.toggle({0, 40, 1024, 700}, 1024, 768), start);
    EXPECT_FALSE(t.isFull());

    // A window already about the screen's size shrinks and is centred.
    EXPECT_EQ(t.toggle({0, 0, 1024, 768}, 1024, 768), (WindowRect{50, 50, 924, 668}));
    EXPECT_EQ(t.toggle({3, 3, 1000, 745}, 1024, 768), (WindowRect{62, 62, 900, 645}));
    // One difference below 30 and one above (or exactly 30): no change.
    EXPECT_EQ(t.toggle({0, 0, 1024, 500}, 1024, 768), std::nullopt);
    EXPECT_EQ(t.toggle({0, 0, 994, 500}, 1024, 768), std::nullopt);
    EXPECT_FALSE(t.isFull());
}
