#include "analysis/log_checks.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Qso {
    std::string call, mode = "CW", date = "2024-12-08", time = "1200";
};

AppState logOf(const std::vector<Qso>& qsos)
{
    AppState s;
    initLogGrid(s.log_grid);
    s.log_grid.SetRowCount(static_cast<int>(qsos.size()) + 1);
    for (size_t i = 0; i < qsos.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        s.log_grid.SetCell(lcNumber, r, std::to_string(r));
        s.log_grid.SetCell(lcCallsign, r, qsos[i].call);
        s.log_grid.SetCell(lcMode, r, qsos[i].mode);
        s.log_grid.SetCell(lcDate, r, qsos[i].date);
        s.log_grid.SetCell(lcTime, r, qsos[i].time);
    }
    s.header.QsoCount = static_cast<int>(qsos.size());
    return s;
}

std::vector<std::string> row(const TKeoEGrid& g, int r) { return g.RowCells(r); }

struct TempMaster {
    fs::path file;
    TMasterCallDB db;
    explicit TempMaster(const std::vector<std::string>& calls)
    {
        static int n = 0;
        file = fs::temp_directory_path() / ("zem_checks_" + std::to_string(::getpid()) + "_" + std::to_string(++n) + ".dta");
        Cteate_master(calls, file.string());
        db.LoadFromFile(file.string());
    }
    ~TempMaster() { fs::remove(file); }
};

} // namespace

TEST(SuspectCallsigns, EachRuleAndTheLastRuleWins)
{
    struct Case {
        const char* call;
        const char* message;
    } cases[] = {
        {"UA3ABC", ""},
        {"K1ABC", ""},
        {"K1ABCD", "No digits in suffix"},
        {"K1ABCD/P", ""},                  // second-character digit with a slash
        {"UA3ABC5", "Digit at the end"},
        {"UA3ABC/5", ""},
        {"K1", "Too short callsign"},      // rules 3 and 4 hold
        {"22ABC", "Two digits together"},
        {"UA3AB0", "\"O\" instead zero?"}, // rules 3 and 6 hold
        {"1A0BC", "Zero in the beginning"},// zero at position 3 passes rule 6
        {"0AB1CD", "Zero in the beginning"},
        {"1ABC", "Zero in the beginning"},
        {"UA3\\ABC", "\"\\\" instead \"/\" ?"},
        {"UA3ABC/0", ""},                  // slash: the zero rule does not apply
    };
    for (const Case& c : cases) EXPECT_EQ(suspectCallMessage(c.call), c.message) << c.call;
    EXPECT_THROW(suspectCallMessage(""), std::invalid_argument);
}

TEST(SuspectCallsigns, FillsGridAndSendsEmptyCallsToTheErrorList)
{
    AppState s = logOf({{"UA3ABC"}, {"K1", "PH"}, {""}, {"UA3AB0"}});
    TKeoEGrid errors;
    initErrorsGrid(errors);
    EXPECT_EQ(suspectCallsigns(s, errors), 2);
    EXPECT_EQ(errors.Cell(0, 0), "Pos. error");
    EXPECT_EQ(errors.RowCount(), 3);
    EXPECT_EQ(row(errors, 1), (std::vector<std::string>{"", "1", "2", "PH", "K1", "Too short callsign"}));
    EXPECT_EQ(row(errors, 2), (std::vector<std::string>{"", "2", "4", "CW", "UA3AB0", "\"O\" instead zero?"}));
    EXPECT_EQ(s.BadQsoCount, 1);
    EXPECT_EQ(s.error_keo.Cell(0, 1), "3");

    AppState clean = logOf({{"UA3ABC"}});
    EXPECT_EQ(suspectCallsigns(clean, errors), 0);
    EXPECT_EQ(errors.RowCount(), 2);
    EXPECT_TRUE(errors.IsRowEmpty(1));
}

TEST(TimeOrder, FindsEarlierSuccessorsAcrossDays)
{
    const AppState s = logOf({{"A1AA", "CW", "2024-12-07", "1200"},
                              {"B1BB", "PH", "2024-12-07", "1230"},
                              {"C1CC", "CW", "2024-12-07", "1210"},
                              {"D1DD", "CW", "2024-12-07", "1240"},
                              {"E1EE", "CW", "2024-12-07", "2359"},
                              {"F1FF", "CW", "2024-12-08", "0001"}, // next day: in order
                              {"G1GG", "CW", "2024-12-07", "2358"}, // back to the day before
                              {"H1HH", "CW", "2024-12-07", "2358"}}); // equal minutes are in order
    TKeoEGrid errors;
    initErrorsGrid(errors);
    EXPECT_EQ(timeOrder(s.log_grid, s.header.QsoCount, errors), 2);
    EXPECT_EQ(errors.Cell(0, 0), "");
    EXPECT_EQ(row(errors, 1), (std::vector<std::string>{"", "1", "2", "PH", "B1BB", "Time: 1230 > 1210"}));
    EXPECT_EQ(row(errors, 2), (std::vector<std::string>{"", "2", "6", "CW", "F1FF", "Time: 0001 > 2358"}));

    // A time that does not read is no finding, and the rows around it are
    // still compared: C1CC comes before A1AA.
    const AppState bad = logOf({{"A1AA", "CW", "2024-12-07", "1200"},
                                {"B1BB", "CW", "2024-12-07", "12x0"},
                                {"C1CC", "CW", "2024-12-07", "1159"},
                                {"D1DD"}});
    EXPECT_EQ(timeOrder(bad.log_grid, bad.header.QsoCount, errors), 1);
    EXPECT_EQ(row(errors, 1), (std::vector<std::string>{"", "1", "2", "CW", "B1BB", "Time: 12x0 > 1159"}));
}

TEST(PossibleMistakes, SwapAndOneCharacterTests)
{
    TempMaster m({"UA3ABC", "K1ABY", "K1ABD", "DL1HHH", "RA3QR", "RA3QS", "DL1AB"});
    // Candidates as the one-band list gives them, sorted.
    const AppState s = logOf({{"DL1AB"},            // in the master file: never listed
                              {"UA3ACB", "CW"},     // last two signs swapped
                              {"K1ABC", "CW"},      // C where the file has Y; also found: K1ABD
                              {"DL1HHS", "PH"},     // S/H is a CW label only
                              {"RA3QX", "RY"},      // no labels in RTTY
                              {"ZZ9ZZZ", "CW"}});   // nothing similar
    TKeoEGrid errors;
    initErrorsGrid(errors);
    const std::vector<std::string> candidates = {"DL1AB", "DL1HHS", "K1ABC", "RA3QX", "UA3ACB", "ZZ9ZZZ"};
    EXPECT_EQ(possibleMistakes(s.log_grid, candidates, m.db, errors), 5);
    EXPECT_EQ(row(errors, 1), (std::vector<std::string>{"", "1", "", "PH", "DL1HHS", "DL1HHH "}));
    EXPECT_EQ(row(errors, 2), (std::vector<std::string>{"C/Y ", "2", "", "CW", "K1ABC", "K1ABY K1ABD "}));
    EXPECT_EQ(row(errors, 3), (std::vector<std::string>{"", "3", "", "RY", "RA3QX", "RA3QR RA3QS "}));
    EXPECT_EQ(row(errors, 4), (std::vector<std::string>{"Signs in suffix:5-6", "4", "", "CW", "UA3ACB", "UA3ABC "}));
    EXPECT_EQ(row(errors, 5), (std::vector<std::string>{"", "5", "", "CW", "ZZ9ZZZ", ""}));

    EXPECT_EQ(confusionLabel("CW", 'Y', 'C'), "Y/C");
    EXPECT_EQ(confusionLabel("PH", 'W', 'V'), "W/V");
    EXPECT_EQ(confusionLabel("PH", 'S', 'H'), "");
    EXPECT_EQ(confusionLabel("RY", 'C', 'Y'), "");
}

TEST(Partials, OneCharacterOfTheSameLengthSortedByBands)
{
    TempMaster m({"UA3ABD"});
    const AppState s = logOf({{"UA3ABC", "CW"}, {"UA3ABD", "PH"}, {"UA3ABX", "CW"}, {"UA3AB", "CW"}, {"UA3ABE"}});
    std::array<std::vector<std::string>, 6> columns;
    columns[0] = {"UA3ABC", "UA3ABD"};
    columns[1] = {"UA3AB"};   // one sign shorter: never similar
    columns[4] = {"UA3ABX"};  // 5 bands
    columns[1].push_back("UA3ABE"); // 2 bands
    TKeoEGrid errors;
    initErrorsGrid(errors);
    EXPECT_EQ(partialsInLog(s.log_grid, columns, &m.db, errors), 4);
    EXPECT_EQ(errors.Cell(0, 0), "Master");
    EXPECT_EQ(row(errors, 1), (std::vector<std::string>{"Not in master", "1", "1", "CW", "UA3ABC", "2 Times  -   UA3ABE"}));
    EXPECT_EQ(row(errors, 2), (std::vector<std::string>{"", "3", "2", "PH", "UA3ABD", "2 Times  -   UA3ABE"}));
    EXPECT_EQ(row(errors, 3), (std::vector<std::string>{"Not in master", "2", "1", "CW", "UA3ABC", "5 Times  -   UA3ABX"}));
    EXPECT_EQ(row(errors, 4), (std::vector<std::string>{"", "4", "2", "PH", "UA3ABD", "5 Times  -   UA3ABX"}));

    // Without a master file there is nothing to say about being in it.
    partialsInLog(s.log_grid, columns, nullptr, errors);
    EXPECT_EQ(errors.Cell(0, 1), "");
}

TEST(MasterCheck, FileLayoutAndRounding)
{
    TempMaster m({"K1AAA", "K1BBB", "K1CCC", "K1DDD", "K1EEE", "K1FFF/P", "K1GGG"});
    struct Case {
        std::vector<std::string> stations;
        int notFound, percent;
    } cases[] = {
        {{"K1AAA", "K1BBB", "K1CCC", "K1DDD", "K1EEE", "X1A", "X1B", "X1C"}, 3, 38},
        {{"K1AAA", "K1BBB", "K1CCC", "K1DDD", "K1EEE", "K1FFF", "K1GGG", "X1A"}, 1, 12},
        {{"K1AAA"}, 0, 0},
    };
    for (const Case& c : cases) {
        const MasterCheckResult r = masterCheck(c.stations, m.db);
        EXPECT_EQ(static_cast<int>(r.notFound.size()), c.notFound);
        EXPECT_EQ(r.percent, c.percent);
        EXPECT_EQ(r.total, static_cast<int>(c.stations.size()));
    }
    const MasterCheckResult r = masterCheck(cases[0].stations, m.db);
    EXPECT_EQ(notFoundFileText(r),
              "X1A\r\nX1B\r\nX1C\r\n\r\nTotal callsigns: 8\r\nNot found in Master.dta: 3 (38%)\r\n");
    EXPECT_EQ(masterCheckMessage(r), "Total callsigns: 8\rNot found in Master.dta: 3 (38%)");
    EXPECT_EQ(notFoundFileText(masterCheck({"K1AAA"}, m.db)),
              "\r\nTotal callsigns: 1\r\nNot found in Master.dta: 0 (0%)\r\n");

    const fs::path dir = fs::temp_directory_path() / ("zem_notfound_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    writeNotFoundFile(dir, r);
    EXPECT_EQ(zem::readFile((dir / "Not found in Master.dta.txt").string()), notFoundFileText(r));
    fs::remove_all(dir);
    EXPECT_THROW(writeNotFoundFile(dir / "missing", r), std::runtime_error);
}

TEST(ErrorsGrid, FindCallAndTheLogRowOfAFinding)
{
    const AppState s = logOf({{"UA3ABC"}, {"K1ABC"}, {"k1abd"}});
    TKeoEGrid errors;
    initErrorsGrid(errors);
    errors.SetRowCount(4);
    errors.WriteRow(1, {"", "1", "", "CW", "K1ABD", ""});
    errors.WriteRow(2, {"", "2", "2", "CW", "K1ABC", "UA3ABC"});
    errors.WriteRow(3, {"", "3", "", "CW", "ZZ9ZZ", ""});
    EXPECT_EQ(findCallInErrors(errors, "k1abc"), 2);
    EXPECT_EQ(findCallInErrors(errors, "UA3ABC"), -1); // only in the Info column
    EXPECT_EQ(logRowOfFinding(errors, 1, s.log_grid), 3);
    EXPECT_EQ(logRowOfFinding(errors, 2, s.log_grid), 2);
    EXPECT_EQ(logRowOfFinding(errors, 3, s.log_grid), 0);
}
