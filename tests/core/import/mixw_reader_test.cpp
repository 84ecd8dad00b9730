#include "import/mixw_reader.h"

#include "../scratch_folder.h"
#include "main/log_table.h"

#include <string>
#include <vector>

namespace {

using MixwReader = ScratchFolderTest;

TEST_F(MixwReader, ReadsFieldsModesAndHeader)
{
    AppState s;
    s.header.Category = "SINGLE-OP"; // the log before: MixW2 logs name no category
    const auto path = write("mixw.log", {
        "RZ9ZEM;DL1ABC;200702191234;599;599;x;14025000;a;b;SSB",
        "RZ9ZEM;K1ABC;200702191235;599;599;x;7003500;a;b;RTTY",
        "RZ9ZEM;W1AW;200702191236;599;599;x;3500000;a;b;CW",
        "",
        "RZ9ZOM;UA9AA;200702191237;599;599;x;28000000;a;b;PSK31",
    });
    ASSERT_EQ(readMixwLog(s, path), 4);
    struct Row { const char* kHz; const char* mode; const char* call; };
    const std::vector<Row> rows{{"14025", "PH", "DL1ABC"}, {"7003", "RY", "K1ABC"}, {"3500", "CW", "W1AW"},
                                {"28000", "PSK31", "UA9AA"}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Row& w = rows[static_cast<size_t>(i)];
        EXPECT_EQ(s.log_grid.Cell(lcNumber, i + 1), std::to_string(i + 1));
        EXPECT_EQ(s.log_grid.Cell(lcKHz, i + 1), w.kHz);
        EXPECT_EQ(s.log_grid.Cell(lcMode, i + 1), w.mode);
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, i + 1), w.call);
        EXPECT_EQ(s.log_grid.Cell(lcDate, i + 1), "2007-02-19");
        EXPECT_EQ(s.log_grid.Cell(lcQSO, i + 1), "");
    }
    EXPECT_EQ(s.log_grid.Cell(lcTime, 1), "1234");
    EXPECT_EQ(s.header.StationCall, "RZ9ZOM"); // from the last QSO line
    EXPECT_EQ(s.header.ContestName, "MixW2 Log");
    EXPECT_EQ(s.header.LogYear, "2007");
    EXPECT_EQ(s.header.Category, "No category");
    EXPECT_EQ(s.BadQsoCount, 0);
}

TEST_F(MixwReader, ShortLinesLoadWithEmptyCellsAndAreListed)
{
    AppState s;
    const auto path = write("short.log", {"RZ9ZEM;DL1ABC", "RZ9ZEM;K1ABC;2007;599", "RZ9ZEM"});
    ASSERT_EQ(readMixwLog(s, path), 2);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), "DL1ABC");
    EXPECT_EQ(s.log_grid.Cell(lcKHz, 1), "");
    EXPECT_EQ(s.log_grid.Cell(lcDate, 2), "2007--");
    EXPECT_EQ(s.BadQsoCount, 2);

    AppState e;
    EXPECT_EQ(readMixwLog(e, write("empty.log", {"", ""})), 0);
    EXPECT_EQ(e.log_grid.RowCount(), 2);
    EXPECT_THROW(readMixwLog(e, (dir / "missing.log").string()), std::runtime_error);
}

} // namespace
