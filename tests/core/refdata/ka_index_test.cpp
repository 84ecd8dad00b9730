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
