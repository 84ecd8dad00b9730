#include "import/trlog_reader.h"

#include "../scratch_folder.h"
#include "main/log_table.h"

#include <string>
#include <vector>

namespace {

using TrLogReader = ScratchFolderTest;

// A QSO line in TR Log's columns: band 1-3, mode 4-5, day 8-9, month 11-13,
// year 15-16, time 18-22, call 30-43.
std::string trLine(const std::string& band, const std::string& mode, const std::string& date,
                   const std::string& time, const std::string& call)
{
    std::string s = band + mode + "  " + date + " " + time;
    s.resize(29, ' ');
    std::string field = call;
    field.resize(14, ' ');
    return s + field + " 599  599  14";
}

TEST_F(TrLogReader, ReadsHeaderAndFixedColumns)
{
    AppState s;
    const auto path = write("test.dat", {
        "2007 CQ WW CW RZ9ZEM",
        trLine(" 20", "CW", "05-Mar-07", "09:41", "DL1ABC"),
        trLine("160", "SS", "31-Dec-07", "23:59", "K1ABC*"),
        trLine(" 17", "RY", "01-Xyz-08", "00:00", "W1AW"),
        "; a comment line",
        trLine(" 10", "CW", "02-Jan-08", "00:01", "UA9AA"),
    });
    ASSERT_EQ(readTrLog(s, path), 4);
    EXPECT_EQ(s.header.LogYear, "2007");
    EXPECT_EQ(s.header.ContestName, "CQ WW CW");
    EXPECT_EQ(s.header.StationCall, "RZ9ZEM");
    EXPECT_EQ(s.header.Category, "TR Log file");
    EXPECT_EQ(s.header.QsoCount, 4);
    EXPECT_EQ(s.header.OutputDir, dir.string());

    struct Row { const char* n; const char* kHz; const char* mode; const char* date; const char* time; const char* call; };
    const std::vector<Row> rows{
        {"1", "14000", "CW", "2007-03-05", "0941", "DL1ABC"},
        {"2", "1800", "PH", "2007-12-31", "2359", "K1ABC"},
        // Unknown band and mode stay empty; an unknown month keeps the previous one.
        {"3", "", "", "2008-12-01", "0000", "W1AW"},
        {"4", "28000", "CW", "2008-01-02", "0001", "UA9AA"},
    };
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const Row& w = rows[static_cast<size_t>(i)];
        const int r = i + 1;
        SCOPED_TRACE(r);
        EXPECT_EQ(s.log_grid.Cell(lcNumber, r), w.n);
        EXPECT_EQ(s.log_grid.Cell(lcKHz, r), w.kHz);
        EXPECT_EQ(s.log_grid.Cell(lcMode, r), w.mode);
        EXPECT_EQ(s.log_grid.Cell(lcDate, r), w.date);
        EXPECT_EQ(s.log_grid.Cell(lcTime, r), w.time);
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, r), w.call);
    }
    EXPECT_EQ(s.log_grid.RowCount(), 5);
}

TEST_F(TrLogReader, ShortLinesSingleTokenHeaderAndEmptyFiles)
{
    AppState s;
    // A line that ends inside the date gives the fields as far as it goes.
    ASSERT_EQ(readTrLog(s, write("a.dat", {"RZ9ZEM", " 40CW  0", " 8"})), 2);
    EXPECT_EQ(s.header.StationCall, "RZ9ZEM");
    EXPECT_EQ(s.header.LogYear, "RZ9ZE");
    EXPECT_EQ(s.header.ContestName, "");
    EXPECT_EQ(s.log_grid.Cell(lcKHz, 1), "7000");
    EXPECT_EQ(s.log_grid.Cell(lcDate, 1), "20--0");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 2), "");

    AppState e;
    EXPECT_EQ(readTrLog(e, write("empty.dat", {})), 0);
    EXPECT_EQ(e.header.Category, "TR Log file");
    EXPECT_EQ(e.log_grid.RowCount(), 2);

    // An empty first line names nothing: nothing of the log before stays.
    e.header = {"RZ9ZEM", "CQ WW", "SINGLE-OP", "2007", "CQ WW RZ9ZEM 2007", 3, "", "RZ9ZEM"};
    ASSERT_EQ(readTrLog(e, write("headless.dat", {"", trLine(" 20", "CW", "05-Mar-07", "09:41", "DL1ABC")})), 1);
    EXPECT_EQ(e.header.ContestName, "");
    EXPECT_EQ(e.header.StationCall, "");
    EXPECT_EQ(e.header.LogYear, "");
    EXPECT_EQ(e.header.Category, "TR Log file");

    AppState b;
    std::string binary(" 1\x00\xff\x01\x02", 6);
    EXPECT_EQ(readTrLog(b, write("bin.dat", {"x", binary, std::string(200, '*')})), 1);
}

TEST_F(TrLogReader, ConfigFilesAreRecognisedByExactName)
{
    EXPECT_TRUE(isTrLogConfigFile("/logs/cty.dat"));
    EXPECT_TRUE(isTrLogConfigFile("logcfg.dat"));
    EXPECT_FALSE(isTrLogConfigFile("/logs/LOGCFG.DAT"));
    EXPECT_FALSE(isTrLogConfigFile("/logs/cty.dat/contest.dat"));
    AppState s;
    EXPECT_THROW(readTrLog(s, (dir / "missing.dat").string()), std::runtime_error);
}

} // namespace
