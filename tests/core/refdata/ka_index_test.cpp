#include "refdata/ka_index.h"

#include "main/log_table.h"
#include "../scratch_folder.h"

#include <gtest/gtest.h>

namespace {

struct Qso {
    const char* date;
    const char* time;
};

TKeoEGrid logOf(const std::vector<Qso>& qsos)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(static_cast<int>(qsos.size()) + 1);
    for (std::size_t i = 0; i < qsos.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCell(lcDate, r, qsos[i].date);
        g.SetCell(lcTime, r, qsos[i].time);
        g.SetCell(lcCallsign, r, "K1AR");
    }
    return g;
}

std::vector<std::pair<std::string, std::string>> akOf(const TKeoEGrid& g)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (int r = 1; r < g.RowCount(); ++r) out.emplace_back(g.Cell(lcA, r), g.Cell(lcK, r));
    return out;
}

//                          date       A   K1 K2 K3 K4 K5 K6 K7 K8
const std::string kDay1 = "2024-03-16  12  1  2  3  4  5  6  7  8";
const std::string kDay2 = "2024-03-17   7  0  1  1  2  2  3  3  4";
const std::string kDay3 = "2024-03-18  30  5  5  6  6  4  4  3  2";
const std::string kDay4 = "2024-03-19   4  1  1  1  1  1  1  1  1";
const std::string kDay5 = "2024-03-20   9  2  2  2  2  2  2  2  9";

} // namespace

TEST(KIndexLine, FieldsAreReadFromTheirColumnsAndBadValuesLeftEmpty)
{
    struct Case {
        std::string line;
        std::string a;
        std::array<std::string, 8> k;
    };
    const Case cases[] = {
        {kDay1, "12", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        // A short line: the fields it does not reach are empty.
        {"2024-03-16  12  1  2", "12", {"1", "2", "", "", "", "", "", ""}},
        {"2024-03-16", "", {"", "", "", "", "", "", "", ""}},
        // Unmeasured values (-1), decimal estimates and K above 9 are no index.
        {"2024-03-16  -1 -1  2 2. 10  5  6  7  8", "", {"", "2", "", "", "5", "6", "7", "8"}},
        {"2024-03-16 1.5  1  2  3  4  5  6  7  8", "", {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const Case& c : cases) {
        const KIndexDay d = Add_to_KA_indexs(c.line);
        EXPECT_EQ(d.Date, "2024-03-16") << c.line;
        EXPECT_EQ(d.A, c.a) << c.line;
        EXPECT_EQ(d.K, c.k) << c.line;
    }
}

class KIndexFile : public ScratchFolderTest {};

TEST_F(KIndexFile, EachQsoTakesItsOwnDaysValuesWhateverTheOrderOfTheLog)
{
    write("Boulder_ak.txt", {"; Boulder three-hourly indices", "", kDay1, kDay2, "; a comment between days", kDay3,
                             kDay4, kDay5});
    // Over midnight, past the file's fourth day, after a gap, and back again;
    // a date the file lacks and a time that is no hour get nothing.
    TKeoEGrid log = logOf({{"2024-03-16", "2359"}, {"2024-03-17", "0000"}, {"2024-03-20", "2100"},
                           {"2024-03-18", "0600"}, {"2024-03-16", "0130"}, {"2024-03-21", "1200"},
                           {"2024-03-17", "xx00"}});
    log.SetCell(lcA, 6, "stale");
    KIndexTable table;
    const auto r = KA_indexs(log, 7, dir, "Boulder", &table);
    EXPECT_EQ(r.StatusText, "K Indices for Boulder");
    EXPECT_EQ(r.QsosMarked, 5);
    EXPECT_EQ(akOf(log), (std::vector<std::pair<std::string, std::string>>{
                             {"12", "8"}, {"7", "0"}, {"9", "9"}, {"30", "6"}, {"12", "1"}, {"", ""}, {"", ""}}));
    EXPECT_EQ(table.size(), 5u);
}

TEST_F(KIndexFile, StatusTellsWhenNoQsoHasIndicesOrTheFileIsMissing)
{
    TKeoEGrid log = logOf({{"2024-03-16", "1200"}});
    write("Moscow_ak.txt", {"; only comments", ";"});
    EXPECT_EQ(KA_indexs(log, 1, dir, "Moscow").StatusText, "No a,K Indices for this day");
    write("Moscow_ak.txt", {kDay2});
    EXPECT_EQ(KA_indexs(log, 1, dir, "Moscow").StatusText, "No a,K Indices for this day");

    // No file: the columns are emptied and the load goes on.
    log.SetCell(lcK, 1, "5");
    const auto r = KA_indexs(log, 1, dir, "Boulder");
    EXPECT_EQ(r.StatusText, "No Boulder_ak.txt");
    EXPECT_EQ(log.Cell(lcK, 1), "");
}

TEST(KIndexLine, DailyGeomagneticDataGivesThePlanetaryValuesByColumn)
{
    struct Case {
        std::string line;
        std::string date, a;
        std::array<std::string, 8> k;
    };
    const Case cases[] = {
        // Older files: whole planetary K two columns wide; the other two
        // stations' values are not taken.
        {"2018 10 07    13  0 0 2 3 3 4 4 3    44  0 0 2 6 7 6 4 3    24  0 1 1 3 4 5 5 5", "2018-10-07", "24",
         {"0", "1", "1", "3", "4", "5", "5", "5"}},
        // Current files: decimal planetary K, rounded; -1 fields touching
        // the ones before them are missing values, not negative numbers.
        {"2026 09 22    -1  1 0-1-1-1-1-1-1    -1  1 0-1-1-1-1-1-1     7   2.00  0.67 -1.00 -1.00 -1.00 -1.00 "
         "-1.00 -1.00",
         "2026-09-22", "7", {"2", "1", "", "", "", "", "", ""}},
        {"2026 09 20     6  2 3 2 1 2 1 1 0     4  1 3 3 0 0 0 0 0    -1   2.33  3.00  1.67  0.33  8.67  0.00",
         "2026-09-20", "", {"2", "3", "2", "0", "9", "0", "", ""}},
        {"2018 10 01     6  0 1 1 2 3 2 1 2    19  0 1 2 4 6 4 2 1     9  0 2-1-1", "2018-10-01", "9",
         {"0", "2", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        const KIndexDay d = Add_to_KA_indexs(c.line);
        EXPECT_EQ(d.Date, c.date) << c.line;
        EXPECT_EQ(d.A, c.a) << c.line;
        EXPECT_EQ(d.K, c.k) << c.line;
    }
}

TEST_F(KIndexFile, ServiceFilesInPlaceOfTheObservatoryFileGiveThePlanetaryIndices)
{
    // A real excerpt of an older quarterly file and a current-layout file
    // with decimal K values and missing values at its end.
    struct Case {
        const char* file;
        std::vector<Qso> qsos;
        std::vector<std::pair<std::string, std::string>> ak;
    };
    const Case cases[] = {
        {"quar_DGD_2018-10_excerpt.txt",
         {{"2018-10-01", "0130"}, {"2018-10-07", "1500"}, {"2018-10-14", "2359"}, {"2018-10-15", "0000"}},
         {{"9", "0"}, {"24", "5"}, {"6", "2"}, {"", ""}}},
        {"DGD_decimal_k_sample.txt",
         {{"2025-03-29", "0000"}, {"2025-03-29", "1259"}, {"2025-03-30", "2100"}, {"2025-03-31", "0300"},
          {"2025-03-31", "0600"}},
         {{"9", "2"}, {"9", "3"}, {"15", "4"}, {"11", "3"}, {"11", ""}}},
    };
    for (const Case& c : cases) {
        std::filesystem::copy_file(std::filesystem::path(ZEM_SOURCE_DIR) / "tests/data" / c.file, dir / "Moscow_ak.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        TKeoEGrid log = logOf(c.qsos);
        KIndexTable table;
        const auto r = KA_indexs(log, static_cast<int>(c.qsos.size()), dir, "Moscow", &table);
        EXPECT_EQ(r.StatusText, "K Indices for Moscow") << c.file;
        EXPECT_EQ(akOf(log), c.ak) << c.file;
        EXPECT_FALSE(table.count(":Product: ")) << c.file; // header lines are no days
    }
}
