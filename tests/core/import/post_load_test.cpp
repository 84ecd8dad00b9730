#include "import/post_load.h"

#include "main/log_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("zem_postload_" + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

AppState loadedState(const fs::path& fileFolder, std::string contest, std::string call, std::string year)
{
    AppState s;
    s.header.ContestName = std::move(contest);
    s.header.StationCall = std::move(call);
    s.header.LogYear = std::move(year);
    s.header.OutputDir = fileFolder.string();
    return s;
}

} // namespace

TEST(MakeLogFolder, PortableCallGetsDashInFolderAndHeader)
{
    TempDir dir;
    AppState s = loadedState(dir.path(), "CQ-WW/CW", "UA9XX/P", "2007");
    const fs::path folder = make_log_folder(s);

    EXPECT_EQ(s.header.StationCall, "UA9XX-P");
    EXPECT_EQ(s.header.OwnCall, "UA9XX/P");
    EXPECT_EQ(s.header.ContestName, "CQ-WW-CW");
    EXPECT_EQ(s.header.LogTitle, "CQ-WW-CW UA9XX-P 2007");
    EXPECT_EQ(folder, dir.path() / "CQ-WW-CW UA9XX-P 2007");
    EXPECT_TRUE(fs::is_directory(folder / "Rates"));
    EXPECT_TRUE(fs::is_directory(folder / "Bands distribution"));
    EXPECT_EQ(s.header.OutputDir, folder.string() + "/");
    // A file name appended to OutputDir lands inside the log folder.
    std::ofstream(s.header.OutputDir + "x.txt") << "x";
    EXPECT_TRUE(fs::exists(folder / "x.txt"));
}

TEST(MakeLogFolder, EmptyYearAndRefusedCharacters)
{
    TempDir dir;
    AppState s = loadedState(dir.path(), "RDXC", "R3A", "");
    EXPECT_EQ(make_log_folder(s), dir.path() / "RDXC R3A ");
    EXPECT_EQ(s.header.LogTitle, "RDXC R3A ");

    // A year text holding what no folder name can: replaced, not fatal.
    AppState t = loadedState(dir.path(), "RDXC", "R3A", std::string("07/0\0", 5));
    const fs::path folder = make_log_folder(t);
    EXPECT_EQ(t.header.LogTitle, "RDXC R3A 07_0_");
    EXPECT_TRUE(fs::is_directory(folder / "Rates"));
}

TEST(MakeLogFolder, HeaderThatNamesNothingNamesTheLogAfterItsFile)
{
    TempDir dir;
    const std::string file = (dir.path() / "my log.DAT").string();
    AppState s = loadedState(dir.path(), "", "", "");
    EXPECT_EQ(make_log_folder(s, file), dir.path() / "my log");
    EXPECT_EQ(s.header.LogTitle, "my log");
    EXPECT_TRUE(fs::is_directory(dir.path() / "my log" / "Rates"));

    // A header that names something keeps its title, blanks and all.
    AppState t = loadedState(dir.path(), "RDXC", "", "");
    EXPECT_EQ(make_log_folder(t, file), dir.path() / "RDXC  ");
}

TEST(MakeLogFolder, ReloadReusesFolderAndKeepsItsFiles)
{
    TempDir dir;
    AppState s = loadedState(dir.path(), "CQWPX", "K1ABC", "2008");
    const fs::path first = make_log_folder(s);
    std::ofstream(first / "Rates" / "All rates.txt") << "old";

    AppState again = loadedState(dir.path(), "CQWPX", "K1ABC", "2008");
    EXPECT_EQ(make_log_folder(again), first);
    EXPECT_TRUE(fs::exists(first / "Rates" / "All rates.txt"));
    EXPECT_EQ(again.header.OutputDir, first.string() + "/");
}

TEST(MakeLogFolder, FolderThatCannotBeMadeIsReported)
{
    TempDir dir;
    // A plain file where the log folder should go.
    std::ofstream(dir.path() / "CQWW K1ABC 2008") << "not a folder";
    AppState s = loadedState(dir.path(), "CQWW", "K1ABC", "2008");
    const std::string before = s.header.OutputDir;
    EXPECT_THROW(make_log_folder(s), std::runtime_error);
    EXPECT_EQ(s.header.OutputDir, before);
}

TEST(ResetAndActivate, EmptyLogResetsHeaderAndTable)
{
    AppState s;
    s.header = {"UA9XX", "CQWW", "SINGLE-OP", "2007", "CQWW UA9XX 2007", 0, "/tmp/x/", "UA9XX"};
    s.log_grid.AppendRow({"1"});
    s.log_grid.AppendRow({"2"});

    EXPECT_FALSE(activateLoadedLog(s));
    EXPECT_EQ(s.log_grid.RowCount(), 2); // titles and one empty row
    EXPECT_EQ(s.log_grid.Cell(lcDate, 0), "Date");
    EXPECT_EQ(s.header.Category, "No category");
    EXPECT_EQ(s.header.StationCall, "");
    EXPECT_EQ(s.header.OwnCall, "");
    EXPECT_EQ(s.header.LogYear, "");
    // These survive a reset.
    EXPECT_EQ(s.header.ContestName, "CQWW");
    EXPECT_EQ(s.header.LogTitle, "CQWW UA9XX 2007");
    EXPECT_EQ(s.header.OutputDir, "/tmp/x/");
}

TEST(ResetAndActivate, LoadedLogTakesFirstQsoMinuteAndTexts)
{
    AppState s;
    s.log_grid.SetCell(lcDate, 1, "2007-03-02");
    s.log_grid.SetCell(lcTime, 1, "0130");
    s.header.QsoCount = 1;
    s.header.LogTitle = "CQWW UA9XX 2007";
    s.header.ContestName = "CQWW";
    s.header.LogYear = "2007";
    s.header.Category = "SO";
    ASSERT_TRUE(activateLoadedLog(s));
    EXPECT_EQ(s.FirstQsoMinute, 39141LL * 1440 + 90); // 2007-03-02 01:30
    EXPECT_EQ(mainCaptionAfterLoad(s.header), "CQWW UA9XX 2007 - ZEM Log Analysis");
    const auto p = statusPanelsAfterLoad(s.header);
    EXPECT_EQ(p.qsoCount, "1 qso");
    EXPECT_EQ(p.category, "SO");
    EXPECT_EQ(p.contestYear, "CQWW  2007");
}

TEST(ResetAndActivate, FirstQsoWithoutAMinuteDoesNotStopTheLoad)
{
    AppState s;
    s.log_grid.SetRowCount(4);
    const char* const dates[] = {"2024-11-23", "20241123", "2024-11-23"};
    const char* const times[] = {"12:00", "1200", "1305"};
    for (int r = 1; r <= 3; ++r) {
        s.log_grid.SetCell(lcDate, r, dates[r - 1]);
        s.log_grid.SetCell(lcTime, r, times[r - 1]);
    }
    s.header.QsoCount = 3;
    ASSERT_TRUE(activateLoadedLog(s));
    EXPECT_EQ(s.FirstQsoMinute, get_time_for_qso(s.log_grid, 3, 0));
    EXPECT_EQ(s.log_grid.Cell(lcTime, 3), "1305");

    s.header.QsoCount = 2; // no row converts
    ASSERT_TRUE(activateLoadedLog(s));
    EXPECT_EQ(s.FirstQsoMinute, 0);
}

TEST(LogCommands, OperatorCommandsAreOnlyDisabled)
{
    auto find = [](const std::string& name) {
        for (const auto& c : logCommands())
            if (name == c.name) return c;
        ADD_FAILURE() << name;
        return LogCommand{};
    };
    for (const char* n : {"Points", "Co1", "mo1"}) {
        EXPECT_TRUE(find(n).disabledByReset) << n;
        EXPECT_FALSE(find(n).enabledByActivate) << n;
    }
    EXPECT_TRUE(find("Close1").disabledByReset && find("Close1").enabledByActivate);
}

TEST(ReopenList, OrderRules)
{
    std::vector<std::string> list;
    EXPECT_FALSE(check_and_add_filename_to_reopen(list, ""));
    EXPECT_TRUE(list.empty());

    for (const char* p : {"/l/c.cbr", "/l/b.cbr", "/l/a.cbr"}) EXPECT_TRUE(check_and_add_filename_to_reopen(list, p));
    EXPECT_EQ(list, (std::vector<std::string>{"/l/a.cbr", "/l/b.cbr", "/l/c.cbr"}));

    // The same file again: nothing changes, nothing to rebuild.
    EXPECT_FALSE(check_and_add_filename_to_reopen(list, "/l/a.cbr"));
    EXPECT_EQ(list.front(), "/l/a.cbr");

    // The third becomes first, the former first takes its place.
    EXPECT_TRUE(check_and_add_filename_to_reopen(list, "/l/c.cbr"));
    EXPECT_EQ(list, (std::vector<std::string>{"/l/c.cbr", "/l/b.cbr", "/l/a.cbr"}));
}

TEST(ReopenList, EleventhDropsTheOldestAndCaseCounts)
{
    std::vector<std::string> list;
    for (int i = 1; i <= 10; ++i) check_and_add_filename_to_reopen(list, "/l/f" + std::to_string(i) + ".cbr");
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.back(), "/l/f1.cbr");

    check_and_add_filename_to_reopen(list, "/l/f11.cbr");
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), "/l/f11.cbr");
    EXPECT_EQ(list.back(), "/l/f2.cbr");

    // Two files that differ by case only are two files, each kept as written.
    EXPECT_TRUE(check_and_add_filename_to_reopen(list, "/l/F11.cbr"));
    EXPECT_EQ(list[0], "/l/F11.cbr");
    EXPECT_EQ(list[1], "/l/f11.cbr");
}

TEST(ReopenList, ReaderByExtensionIgnoresCaseAndFolders)
{
    struct Case {
        const char* path;
        ReopenReader reader;
        int image;
    } cases[] = {
        {"/l/ua9xx.cbr", ReopenReader::Cabrillo, 35},
        {"/l/UA9XX.CBR", ReopenReader::Cabrillo, 35},
        {"/l/ua9xx.Log", ReopenReader::Cabrillo, 36},
        {"/l/ARRLDX.DAT", ReopenReader::TRLog, 22},
        {"/l/wpx.adi", ReopenReader::ADIF, -1},
        {"/l/wpx.log.adi", ReopenReader::ADIF, 36}, // a later match wins, the image stays
        {"/l/ua9xx.txt", ReopenReader::Cabrillo, 36},
        {"/l/ua9xx.TXT.cbr", ReopenReader::Cabrillo, 35},
        {"/l/ua9xx.zip", ReopenReader::None, -1},
        {"/home/op/.data/ua9xx.cbr", ReopenReader::Cabrillo, 35},
        {"/home/op/my.adif/ua9xx.txt", ReopenReader::Cabrillo, 36},
    };
    for (const auto& c : cases) {
        const ReopenChoice r = readerForExtension(c.path);
        EXPECT_EQ(r.reader, c.reader) << c.path;
        EXPECT_EQ(r.image, c.image) << c.path;
    }
}

TEST(ReopenList, MenuItemsKeepPathsAndShowAmpersands)
{
    const auto items = build_reopen_menu({"/l/R&R Test.CBR", "/l/notes.rtf"});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "/l/R&&R Test.CBR");
    EXPECT_EQ(items[0].path, "/l/R&R Test.CBR");
    EXPECT_EQ(items[0].choice.reader, ReopenReader::Cabrillo);
    EXPECT_EQ(items[1].caption, "/l/notes.rtf");
    EXPECT_EQ(items[1].choice.reader, ReopenReader::None);
}
