#include "import/n1mm_import.h"

#include "main/log_table.h"
#include "../../support/fake_database.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

// A DXLOG row: timestamp, call, frequency, mode, contest number and transmitter at their places.
std::vector<std::string> dx(const std::string& ts, const std::string& call, const std::string& freq,
                            const std::string& mode, const std::string& nr, const std::string& tx = "0")
{
    std::vector<std::string> f(27);
    f[0] = ts;
    f[1] = call;
    f[2] = freq;
    f[4] = mode;
    f[5] = nr;
    f[26] = tx;
    return f;
}

FakeDatabase database()
{
    FakeDatabase db;
    std::vector<std::string> contest(13);
    contest[1] = "CQ-WW-CW";
    contest[2] = "2024-11-30";
    contest[3] = "SINGLE-OP ALL HIGH";
    contest[9] = "RZ9ZEM";
    contest[12] = "12";
    std::vector<std::string> other = contest;
    other[1] = "RDXC";
    other[12] = "13";
    db.tables["ContestInstance"] = {{}, {contest, other, {"short"}}};
    std::vector<std::string> names(27, "x");
    names[5] = "ContestNr";
    db.tables["DXLOG"] = {names,
                          {
                              dx("2024-12-01 00:05:00", "K1ABC", "14025.5", "USB", "12", "1"),
                              dx("2024-11-30 23:59:00", "DL1ABC", "7003", "CW", "12"),
                              dx("2024-11-30 12:00:00", "UA9AA", "3510", "RTTY", "13"),
                              dx("garbage", "W1AW", "21010", "LSB", "12"),
                              dx("2024-11-30 23:59:00", "OH2BH", "1830.9", "CW", " 12 "),
                          }};
    return db;
}

TEST(N1mmImport, ListsTheContestsOfTheDatabase)
{
    FakeDatabase db = database();
    const auto list = readN1mmContests(db);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].contest, "CQ-WW-CW");
    EXPECT_EQ(list[0].callsign, "RZ9ZEM");
    EXPECT_EQ(list[1].id, "13");
    EXPECT_EQ(list[2].contest, ""); // a short row gives empty cells

    TKeoEGrid g;
    fillN1mmContestGrid(g, list);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cell(4, 1), "12");
    EXPECT_EQ(g.Cell(2, 2), "SINGLE-OP ALL HIGH");
}

TEST(N1mmImport, ImportsOneContestInTimeOrder)
{
    FakeDatabase db = database();
    AppState s;
    const auto contest = readN1mmContests(db).front();
    ASSERT_EQ(importN1mmContest(s, db, contest, "/logs/n1mm/ham.mdb"), 4);

    struct Row { const char* n; const char* date; const char* time; const char* call; const char* kHz; const char* mode; const char* tx; };
    const std::vector<Row> rows{
        {"2", "2024-11-30", "2359", "DL1ABC", "7003", "CW", "0"},
        {"4", "2024-11-30", "2359", "OH2BH", "1830", "CW", "0"},   // equal times keep table order
        {"1", "2024-12-01", "0005", "K1ABC", "14025", "PH", "1"},  // after the month's end, not before
        {"3", "", "", "W1AW", "21010", "PH", "0"},                 // unreadable timestamp goes last
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Row& w = rows[static_cast<size_t>(i)];
        const int r = i + 1;
        EXPECT_EQ(s.log_grid.Cell(lcNumber, r), w.n);
        EXPECT_EQ(s.log_grid.Cell(lcDate, r), w.date);
        EXPECT_EQ(s.log_grid.Cell(lcTime, r), w.time);
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, r), w.call);
        EXPECT_EQ(s.log_grid.Cell(lcKHz, r), w.kHz);
        EXPECT_EQ(s.log_grid.Cell(lcMode, r), w.mode);
        EXPECT_EQ(s.log_grid.Cell(lcTX, r), w.tx);
        EXPECT_EQ(s.log_grid.Cell(lcMaster, r), "");
    }
    EXPECT_EQ(s.BadQsoCount, 1);
    EXPECT_EQ(s.error_keo.Cell(5, 1), "W1AW");
    EXPECT_EQ(s.header.ContestName, "CQ-WW-CW");
    EXPECT_EQ(s.header.Category, "SINGLE-OP ALL HIGH");
    EXPECT_EQ(s.header.StationCall, "RZ9ZEM");
    EXPECT_EQ(s.header.LogYear, "2024");
    EXPECT_EQ(s.header.QsoCount, 4);
    EXPECT_EQ(s.header.OutputDir, "/logs/n1mm");
}

TEST(N1mmImport, EmptyContestAndBrokenTables)
{
    FakeDatabase db = database();
    AppState s;
    N1mmContest none;
    none.id = "99";
    EXPECT_EQ(importN1mmContest(s, db, none, "/x/y.mdb"), 0);
    EXPECT_EQ(s.header.QsoCount, 0);
    EXPECT_EQ(s.log_grid.RowCount(), 2);

    db.tables["DXLOG"].names.assign(27, "x");
    EXPECT_THROW(importN1mmContest(s, db, none, "/x/y.mdb"), std::runtime_error);
    db.tables.clear();
    EXPECT_THROW(readN1mmContests(db), std::runtime_error);
}

TEST(AccessDatabase, ReadsTablesByNameAndFieldsByPosition)
{
    auto db = openAccessDatabase(ZEM_SOURCE_DIR "/tests/data/DateTestDatabase.mdb");
    const auto names = db->fieldNames("DateTest");
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[1], "DateTimeCol");
    std::vector<std::vector<std::string>> rows;
    db->forEachRow("DateTest", [&](const std::vector<std::string>& f) { rows.push_back(f); });
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[0][1], "2021-12-02 00:00:00");
    EXPECT_EQ(rows[0][5], "Hello");
    EXPECT_EQ(rows[5][4], "New line\r\nin field");
    EXPECT_THROW(db->forEachRow("DXLOG", [](const std::vector<std::string>&) {}), std::runtime_error);
    EXPECT_THROW(openAccessDatabase(ZEM_SOURCE_DIR "/tests/data/README.md"), std::runtime_error);
    EXPECT_THROW(openAccessDatabase("/nonexistent/ham.mdb"), std::runtime_error);
}

} // namespace
