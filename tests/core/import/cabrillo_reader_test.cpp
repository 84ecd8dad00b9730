#include "import/cabrillo_reader.h"
#include "analysis/breaks.h"
#include "analysis/chart_data.h"
#include "analysis/log_charts.h"
#include "analysis/log_checks.h"
#include "analysis/two_radio.h"
#include "import/comma_text.h"
#include "main/log_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A scratch folder per test, removed afterwards.
class CabrilloReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("zem_cbr_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::vector<std::string>& lines, const std::string& name = "log.cbr",
                      const char* eol = "\r\n")
    {
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& l : lines) out << l << eol;
        return (dir / name).string();
    }

    fs::path dir;
};

// A QSO line in the usual fixed columns: worked call at column 56.
std::string qso(const std::string& call, const std::string& tx = "", const std::string& time = "1200",
                const std::string& freq = "14025", const std::string& rexch = "001")
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "QSO: %5s CW 2024-03-16 %s %-13s %-3s %-6s %-13s %-3s %-6s %s", freq.c_str(),
                  time.c_str(), "RZ9ZEM", "599", "NS", call.c_str(), "599", rexch.c_str(), tx.c_str());
    std::string s = buf;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::vector<std::string> header(int lines)
{
    std::vector<std::string> h{"START-OF-LOG: 3.0", "CONTEST: RDXC", "CALLSIGN: RZ9ZEM"};
    while (static_cast<int>(h.size()) < lines) h.push_back("SOAPBOX: line " + std::to_string(h.size()));
    h.resize(static_cast<size_t>(lines));
    return h;
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string refusalFragment(const std::string& path)
{
    AppState s;
    try {
        readCabrilloLog(s, path);
    } catch (const CabrilloFormatError& e) {
        // The first line, the fragment on its own line when there is one,
        // then what the reader expected.
        const std::string head = "Error in Cabrillo file\n" + (e.fragment().empty() ? "" : e.fragment() + "\n");
        const std::string what = e.what();
        EXPECT_EQ(what.substr(0, head.size()), head);
        EXPECT_EQ(what.substr(head.size(), 9), "Expected ") << what;
        return e.fragment();
    }
    ADD_FAILURE() << "not refused: " << path;
    return "<loaded>";
}

std::string dataFile(const std::string& name)
{
    return std::string(ZEM_SOURCE_DIR) + "/tests/data/" + name;
}

} // namespace

TEST(CommaText, SplitsLikeTheLogReadersExpect)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(zem::commaTextTokens("  QSO:  14025\tCW \r"), (V{"QSO:", "14025", "CW"}));
    EXPECT_EQ(zem::commaTextTokens("a,b , ,c,"), (V{"a", "b", "", "c", ""}));
    EXPECT_EQ(zem::commaTextTokens(",a"), (V{"", "a"}));
    EXPECT_EQ(zem::commaTextTokens("\"two words\" \"say \"\"hi\"\"\" x"), (V{"two words", "say \"hi\"", "x"}));
    EXPECT_EQ(zem::commaTextTokens("\"open quote"), (V{"open quote"}));
    EXPECT_EQ(zem::commaTextTokens("1;2 ;;3", ';'), (V{"1", "2", "", "3"}));
    EXPECT_TRUE(zem::commaTextTokens("   ").empty());
}

TEST_F(CabrilloReader, LoadsTemplateLogAndHeader)
{
    auto path = write({"START-OF-LOG: 2.0", "CONTEST:  RDXC", "CATEGORY:   SINGLE-OP ALL HIGH   ",
                       "CALLSIGN: RZ9ZEM  ", "NAME: Test", qso("DL1ABC"), "", qso("JA1XYZ", "", "1201", " 7012"),
                       "X-QSO: 14025 CW 2024-03-16 1202 RZ9ZEM 599 NS DL2XX 599 5", "qso:  14025 CW 2024-03-16 1203 X",
                       qso("UA3ABC", "", "1204", "28001", "MA"), "END-OF-LOG:"});
    AppState s;
    s.BadQsoCount = 0;
    auto r = readCabrilloLog(s, path);
    EXPECT_EQ(r.qsoCount, 3);
    EXPECT_EQ(r.callTokenIndex, 8);
    EXPECT_EQ(r.txTokenIndex, -1);
    EXPECT_EQ(s.header.QsoCount, 3);
    EXPECT_EQ(s.RowCounter, 3);
    EXPECT_EQ(s.log_grid.RowCount(), 4);
    EXPECT_EQ(s.header.ContestName, " RDXC");
    EXPECT_EQ(s.header.Category, "SINGLE-OP ALL HIGH");
    EXPECT_EQ(s.header.StationCall, "RZ9ZEM  ");
    EXPECT_EQ(s.header.LogYear, "2024");
    EXPECT_EQ(s.header.OutputDir, fs::absolute(dir).string());
    EXPECT_EQ(s.BadQsoCount, 0);

    const std::vector<std::vector<std::string>> rows{{"1", "14025", "CW", "2024-03-16", "1200", "DL1ABC"},
                                                     {"2", "7012", "CW", "2024-03-16", "1201", "JA1XYZ"},
                                                     {"3", "28001", "CW", "2024-03-16", "1204", "UA3ABC"}};
    const int cols[] = {lcNumber, lcKHz, lcMode, lcDate, lcTime, lcCallsign};
    for (int r = 1; r <= 3; ++r) {
        for (int i = 0; i < 6; ++i) EXPECT_EQ(s.log_grid.Cell(cols[i], r), rows[size_t(r - 1)][size_t(i)]) << r;
        EXPECT_EQ(s.log_grid.Cell(lcTX, r), "");
        EXPECT_EQ(s.log_grid.Cell(lcBand, r), "");
    }
    EXPECT_EQ(s.log_grid.Cell(lcKHz, 0), "kHz");
}

TEST_F(CabrilloReader, TransmitterFieldComesFromTheLastToken)
{
    struct Case { std::string last; std::string tx; };
    for (const auto& c : std::vector<Case>{{"0", "0"}, {"1", "1"}, {"2", "2"}, {"3", ""}, {"599", ""}}) {
        AppState s;
        auto path = write(concat(header(3), {qso("DL1ABC", c.last), qso("OH2BH", c.last)}));
        readCabrilloLog(s, path);
        EXPECT_EQ(s.log_grid.Cell(lcTX, 1), c.tx) << c.last;
        EXPECT_EQ(s.log_grid.Cell(lcTX, 2), c.tx) << c.last;
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, 2), "OH2BH");
        EXPECT_EQ(s.BadQsoCount, 0);
    }
}

TEST_F(CabrilloReader, SerialsAreNotTakenForTransmitters)
{
    // Lines 19 and 20 are the header scan's QSO lines and line 20 ends in
    // "1" or "2"; the log has a transmitter field only when that field is one
    // digit on every line, those below the scan too.
    struct Case { std::vector<std::string> lasts; bool tx; };
    const std::vector<Case> cases{
        {{"5", "1", "15", "2"}, false}, // received serials
        {{"1", "2", "599"}, false},
        {{"0", "1", "1", "0"}, true},
        {{"1", "1", "9"}, true},
    };
    const char* calls[] = {"K1ABC", "K2ABC", "K3ABC", "K4ABC"};
    const char* times[] = {"1200", "1201", "1202", "1203"};
    for (const auto& c : cases) {
        std::vector<std::string> lines = header(18);
        for (size_t i = 0; i < c.lasts.size(); ++i) lines.push_back(qso(calls[i], c.lasts[i], times[i]));
        AppState s;
        const auto r = readCabrilloLog(s, write(lines));
        SCOPED_TRACE(c.lasts[2]);
        EXPECT_EQ(r.txTokenIndex >= 0, c.tx);
        for (size_t i = 0; i < c.lasts.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(s.log_grid.Cell(lcTX, row), c.tx ? c.lasts[i] : "");
            EXPECT_EQ(s.log_grid.Cell(lcCallsign, row), calls[i]);
        }
        EXPECT_EQ(s.BadQsoCount, 0);
    }
}

TEST_F(CabrilloReader, ShortLinesAreListedAsProcessingErrors)
{
    // Lines 3 (no TX field) and 4 (cut off after the date) stay in the log and
    // are listed, each once.
    auto path = write(concat(header(3), {qso("DL1ABC", "1"), qso("OH2BH", "0", "1201"),
                                         "QSO: 14025 CW 2024-03-16 1202 RZ9ZEM 599 NS      G4ABC         599 001",
                                         "QSO: 21025 CW 2024-03-16", qso("K1ABC", "1", "1204")}));
    AppState s;
    auto r = readCabrilloLog(s, path);
    EXPECT_EQ(r.qsoCount, 5);
    EXPECT_EQ(r.badQsoLines, 2);
    EXPECT_EQ(s.BadQsoCount, 2);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 3), "G4ABC");
    EXPECT_EQ(s.log_grid.Cell(lcTX, 3), "");
    EXPECT_EQ(s.log_grid.Cell(lcDate, 4), "2024-03-16");
    EXPECT_EQ(s.log_grid.Cell(lcTime, 4), "");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 4), "");
    EXPECT_EQ(s.log_grid.Cell(lcTX, 5), "1");
    EXPECT_EQ(s.error_keo.Cell(0, 1), "3");
    EXPECT_EQ(s.error_keo.Cell(5, 1), "G4ABC");
    EXPECT_EQ(s.error_keo.Cell(0, 2), "4");
    EXPECT_EQ(s.error_keo.Cell(1, 2), "21025");
}

TEST_F(CabrilloReader, LastQsoLineOfTheHeaderDecidesTheLayout)
{
    // Lines 19 and 20 are QSO lines: line 20 (no TX field, year 2023) decides;
    // line 21 is read with that layout.
    auto h = header(18);
    std::string line20 = qso("OH2BH", "599");
    line20.replace(14, 4, "2023");
    auto path = write(concat(h, {qso("DL1ABC", "1"), line20, qso("K1ABC", "2")}));
    AppState s;
    auto r = readCabrilloLog(s, path);
    EXPECT_EQ(r.qsoCount, 3);
    EXPECT_EQ(r.txTokenIndex, -1);
    EXPECT_EQ(s.header.LogYear, "2023");
    EXPECT_EQ(s.log_grid.Cell(lcTX, 3), "");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 3), "K1ABC");
}

TEST_F(CabrilloReader, LongHeadersReachTheFirstQso)
{
    for (int headerLines : {19, 20, 30}) {
        auto h = header(headerLines);
        h.push_back(qso("DL1ABC", "1"));
        h.push_back("CONTEST: LATER");
        h.push_back(qso("OH2BH", "1", "1201"));
        AppState s;
        auto r = readCabrilloLog(s, write(h));
        EXPECT_EQ(r.qsoCount, 2) << headerLines;
        EXPECT_EQ(s.header.ContestName, "RDXC") << headerLines;
        EXPECT_EQ(s.log_grid.Cell(lcTX, 2), "1") << headerLines;
    }
    // Header values below the first QSO of a long header are not read.
    auto h = header(25);
    h[22] = "CATEGORY: CHECKLOG";
    h.push_back(qso("DL1ABC"));
    h.push_back("CATEGORY: LATE");
    AppState s;
    readCabrilloLog(s, write(h));
    EXPECT_EQ(s.header.Category, "CHECKLOG");
}

TEST_F(CabrilloReader, CallsignColumnSearch)
{
    struct Case { std::string name; std::string line; std::string call; };
    const std::vector<Case> cases{
        // a call of 8 characters at column 56
        {"template", qso("DL/OH2BHP"), "DL/OH2BHP"},
        // a sent exchange filling its field: columns 53 and 54 hold "EF", the
        // search moves on to column 55
        {"wide exchange", "QSO: 14025 CW 2024-03-16 1200 RZ9ZEM        599 ABCDEF G4ABC         599 001", "G4ABC"},
        // the slice at 53 covers "G4ABC 599"; the next positions find "599"
        // (not a call), so the middle field is taken
        {"slice over two fields", "QSO: 14025 CW 2024-03-16 1200 RZ9ZEM 599 NS         G4ABC 599 001", "G4ABC"},
        // single blanks between fields, as many loggers write them
        {"ARRL DX", "QSO: 14025 CW 2024-02-17 0000 VE3XX 599 ON DL1ABC 599 100", "DL1ABC"},
        {"ARRL 10 m", "QSO: 28050 CW 2024-12-14 1324 VE3EJ 599 ON K1DG 599 NH", "K1DG"},
        {"short line", "QSO: 7000 CW 2024-12-14 1324 K1A 5 KW1X 5", "KW1X"},
        {"with TX", "QSO: 14025 CW 2024-02-17 0000 VE3XX 599 ON DL1ABC 599 100 1", "DL1ABC"},
        // right-aligned frequency in a wider field moves everything
        {"wide frequency", "QSO:   28535 PH 2025-03-29 0000 K9CT             59  0001  W6QU             59   0001    0",
         "W6QU"},
    };
    for (const auto& c : cases) {
        AppState s;
        auto r = readCabrilloLog(s, write(concat(header(3), {c.line})));
        EXPECT_EQ(r.qsoCount, 1) << c.name;
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), c.call) << c.name;
    }
}

TEST_F(CabrilloReader, UnequalExchangesFindTheWorkedCallOnEveryLine)
{
    // Sent and received exchanges of different lengths, as QSO-party loggers
    // write them: the worked call starts at column 69, 67 or 50, or the usual
    // columns show the sent exchange.
    struct Case {
        std::string name;
        std::vector<std::string> lines;
        int callField;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases{
        {"two sent fields, one call-like, three received",
         {"QSO:  7033 CW 2024-03-21 1901 DJ0SP         599 HANS/124            M0MPM         599 MICHAEL 217",
          "QSO:  7031 CW 2024-03-21 1905 DJ0SP         599 HANS/124            OK1ABC        599 JAN 18",
          "QSO: 14040 CW 2024-03-21 1911 DJ0SP         599 HANS/124            W1AW          599 BOB NTC"},
         8, {"M0MPM", "OK1ABC", "W1AW"}},
        {"four sent fields",
         {"QSO:  7030 CW 2024-03-21 1902 OK1LO         599  LAD NTC# 215     SP7OGP        599  PIOTR      111",
          "QSO:  7030 CW 2024-03-21 1903 OK1LO         599  LAD NTC# 215     G3XYZ         599  JOHN       12",
          "QSO: 14030 CW 2024-03-21 1910 OK1LO         599  LAD NTC# 215     DL1AB         599  KARL       NM"},
         10, {"SP7OGP", "G3XYZ", "DL1AB"}},
        {"one sent field, call at column 50",
         {"QSO:  3500 CW 2024-03-21 1906 PA3JD         599  G7D           589  Graham     NM",
          "QSO:  3500 CW 2024-03-21 1907 PA3JD         599  K2XX          579  Al         ME",
          "QSO:  7000 CW 2024-03-21 1908 PA3JD         599  VE3ABC        599  Joe        ON"},
         7, {"G7D", "K2XX", "VE3ABC"}},
        {"a sent field like a call where the columns look",
         {"QSO:  7028 CW 2024-03-21 1904 F6JOE         599  JEAN NTC44       PA0CMU        599  CAREL      76",
          "QSO:  7028 CW 2024-03-21 1905 F6JOE         599  JEAN NTC44       I2ABC         599  MARIO      5",
          "QSO:  7028 CW 2024-03-21 1906 F6JOE         599  JEAN NTC44       W1XYZ         599  ED         1234"},
         9, {"PA0CMU", "I2ABC", "W1XYZ"}},
        {"a sent serial changes but is no call",
         {"QSO:  7030 CW 2024-03-21 1902 OK1LO         599  001 NTC#          SP7OGP        599  PIOTR      111",
          "QSO:  7030 CW 2024-03-21 1903 OK1LO         599  002 NTC#          G3XYZ         599  JOHN       12"},
         9, {"SP7OGP", "G3XYZ"}},
        // The columns find these; nothing changes for them.
        {"equal exchanges", {qso("DL1ABC"), qso("OH2BH", "", "1201"), qso("K1ABC", "", "1202")}, 8,
         {"DL1ABC", "OH2BH", "K1ABC"}},
        {"one station twice", {qso("DL1ABC"), qso("DL1ABC", "", "1201", "7025")}, 8, {"DL1ABC", "DL1ABC"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState s;
        const auto r = readCabrilloLog(s, write(concat(header(3), c.lines)));
        EXPECT_EQ(r.callTokenIndex, c.callField);
        ASSERT_EQ(r.qsoCount, static_cast<int>(c.calls.size()));
        for (int row = 1; row <= r.qsoCount; ++row)
            EXPECT_EQ(s.log_grid.Cell(lcCallsign, row), c.calls[static_cast<size_t>(row - 1)]) << row;
        EXPECT_EQ(s.log_grid.Cell(lcTime, 1).size(), 4u);
        EXPECT_EQ(s.BadQsoCount, 0);
    }
}

TEST_F(CabrilloReader, ARefusalSaysWhatWasExpected)
{
    // One QSO of unequal exchanges: nothing changes from line to line, and
    // the columns find no call.
    const auto one = write(concat(header(3), {"QSO:  7033 CW 2024-03-21 1901 DJ0SP         599 HANS/124            "
                                              "M0MPM         599 MICHAEL 217"}));
    const auto none = write(header(3), "none.cbr");
    for (const auto& [path, expected] :
         std::vector<std::pair<std::string, std::string>>{{one, "the callsign of the station worked"},
                                                           {none, "each beginning with \"QSO:\""}}) {
        AppState s;
        try {
            readCabrilloLog(s, path);
            ADD_FAILURE() << path << " loaded";
        } catch (const CabrilloFormatError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.substr(0, what.find('\n')), "Error in Cabrillo file");
            EXPECT_NE(what.find(expected), std::string::npos) << what;
        }
    }
}

TEST_F(CabrilloReader, TimesAreReadAsHhmmOrListed)
{
    // A hand-edited log with tabs between the fields.
    struct Case { std::string written, cell; bool listed; };
    const std::vector<Case> cases{
        {"1903", "1903", false}, {"19.03", "1903", false}, {"19:07", "1907", false}, {"00.00", "0000", false},
        {"19h03", "19h03", true}, {"9.03", "9.03", true},  {"19.3", "19.3", true},   {"190", "190", true},
        {"19030", "19030", true}, {"1903z", "1903z", true}, {"19.03.", "19.03.", true},
    };
    std::vector<std::string> lines = header(3);
    for (size_t i = 0; i < cases.size(); ++i)
        lines.push_back("QSO:\t7030\tCW\t2024-03-21\t" + cases[i].written + "\tRZ9ZEM\t599\tNS\tK" + std::to_string(i) +
                        "ABC\t599\t00" + std::to_string(i));
    AppState s;
    const auto r = readCabrilloLog(s, write(lines, "tabs.cbr"));
    ASSERT_EQ(r.qsoCount, static_cast<int>(cases.size()));
    std::vector<std::string> listed;
    for (int k = 1; k <= s.BadQsoCount; ++k) listed.push_back(s.error_keo.Cell(4, k));
    std::vector<std::string> expectedListed;
    for (size_t i = 0; i < cases.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        EXPECT_EQ(s.log_grid.Cell(lcTime, row), cases[i].cell) << cases[i].written;
        EXPECT_EQ(s.log_grid.Cell(lcCallsign, row), "K" + std::to_string(i) + "ABC");
        if (cases[i].listed) expectedListed.push_back(cases[i].written);
    }
    EXPECT_EQ(listed, expectedListed);
    EXPECT_EQ(r.badQsoLines, static_cast<int>(expectedListed.size()));
}

TEST_F(CabrilloReader, CommandsOnTheTimeLineRunOverATimeThatDoesNotRead)
{
    // Rows 3 and 5 are listed at the load; the commands give them the minute
    // before them and go on.
    const char* const times[] = {"19.03", "19:07", "19h10", "1925", "x", "1931"};
    const char* const kHz[] = {"7030", "14030", "7031", "14032", "14033", "7032"};
    std::vector<std::string> lines = header(3);
    for (int i = 0; i < 6; ++i)
        lines.push_back(std::string("QSO:\t") + kHz[i] + "\tCW\t2024-03-21\t" + times[i] + "\tRZ9ZEM\t599\tNS\tK" +
                        std::to_string(i) + "ABC\t599\t00" + std::to_string(i));
    AppState s;
    readCabrilloLog(s, write(lines, "bad-times.cbr"));
    ASSERT_EQ(s.BadQsoCount, 2);
    EXPECT_EQ(s.error_keo.Cell(0, 1), "3");
    EXPECT_EQ(s.error_keo.Cell(0, 2), "5");
    const auto& log = s.log_grid;
    for (int r = 1; r <= 6; ++r) s.log_grid.SetCell(lcBand, r, Freq_to_band(std::stod(log.Cell(lcKHz, r))));
    s.FirstQsoMinute = get_time_for_qso(log, 1, 0);
    s.PrevMinute = s.FirstQsoMinute + 1;

    const auto minutes = qsoMinutes(log, 6);
    const std::vector<QsoMinute> offsets{0, 4, 4, 22, 22, 28};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(minutes[static_cast<size_t>(r)] - minutes[1], offsets[size_t(r - 1)]) << r;

    TKeoEGrid errors;
    initErrorsGrid(errors);
    EXPECT_EQ(timeOrder(log, 6, errors), 0);
    TKeoEGrid breaks;
    initBreaksGrid(breaks);
    EXPECT_EQ(Breaks(breaks, log, minutes, 10, kNoBreakMaximum).breaks, 1); // 19:07 to 19:25
    EXPECT_EQ(Check_bands_change_rule(s.log_grid, minutes, 10), 3);
    TKeoEGrid radio;
    initSecondRadioGrid(radio);
    SecondRadioCharts radioCharts;
    EXPECT_NO_THROW(Two_radio(s, 5, false, radio, radioCharts));
    ChartData c = makeAnalysisChart();
    timeBetweenQsosChart(s, c);
    std::vector<double> gaps;
    for (const auto& p : c.Series("Series2").points) gaps.push_back(p.y);
    EXPECT_EQ(gaps, (std::vector<double>{4, 0, 18, 0, 6}));
    EXPECT_NO_THROW(growthChart(s, c));
    EXPECT_NO_THROW(mainSecondRadioChart(s, c));
}

TEST_F(CabrilloReader, YearComesFromTheDateField)
{
    AppState s;
    readCabrilloLog(s, write(concat(header(3), {"QSO:   28535 PH 2025-03-29 0000 K9CT  59  0001  W6QU  59   0001    0"})));
    EXPECT_EQ(s.header.LogYear, "2025");
    EXPECT_EQ(s.log_grid.Cell(lcKHz, 1), "28535");
    EXPECT_EQ(s.log_grid.Cell(lcMode, 1), "PH");
}

TEST_F(CabrilloReader, RefusesFilesWithoutAQsoLayout)
{
    // Fewer than 20 lines without QSO: the fragment is empty.
    EXPECT_EQ(refusalFragment(write({}, "empty.cbr")), "");
    EXPECT_EQ(refusalFragment(write(header(5), "short.cbr")), "");
    // A lower-case keyword is no QSO line.
    EXPECT_EQ(refusalFragment(write(concat(header(3), {"qso: 14025 CW 2024-03-16 1200 RZ9ZEM 599 NS DL1ABC 599 1"}),
                                    "lower.cbr")),
              "");
    // A longer file shows the start of line 20.
    auto h = header(25);
    h[19] = "OPERATORS: RZ9ZEM UA9ABC";
    EXPECT_EQ(refusalFragment(write(h, "noqso.cbr")), "OPERATORS: RZ9");
    // A QSO line where no field can be the worked call: line 20 from column 61.
    auto odd = header(19);
    odd.push_back("QSO: 14025 CW 2024-03-16 1200 RZ9ZEM 599 DL1ABC 599 1234567890 ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(refusalFragment(write(odd, "odd.cbr")), "90 ABCDEFGHIJK");
    // The same with unequal exchanges and no fixed columns.
    EXPECT_EQ(refusalFragment(write(concat(header(3), {"QSO: 14025 CW 2024-02-17 0000 W1AW 599 DL1ABC 599 100"}),
                                    "uneven.cbr")),
              "");

    AppState s;
    EXPECT_THROW(readCabrilloLog(s, (dir / "missing.cbr").string()), std::runtime_error);
}

TEST_F(CabrilloReader, IndentedQsoLinesGiveAnEmptyLog)
{
    // The header finds its layout, but no line starts with "QS".
    auto path = write(concat(header(3), {" " + qso("DL1ABC"), " " + qso("OH2BH")}), "indent.cbr", "\n");
    AppState s;
    auto r = readCabrilloLog(s, path);
    EXPECT_EQ(r.qsoCount, 0);
    EXPECT_EQ(s.header.QsoCount, 0);
    EXPECT_EQ(s.log_grid.RowCount(), 1);
}

TEST_F(CabrilloReader, ReplacesAPreviousLog)
{
    AppState s;
    readCabrilloLog(s, write(concat(header(3), {qso("DL1ABC", "1"), qso("OH2BH", "1"), qso("K1ABC", "1")}), "a.cbr"));
    ASSERT_EQ(s.header.ContestName, "RDXC");
    s.header.Category = "SINGLE-OP";
    // A header without contest or category: the previous log's do not stay.
    readCabrilloLog(s, write({"START-OF-LOG: 3.0", "CALLSIGN: G4XYZ", qso("G4ABC")}, "b.cbr"));
    EXPECT_EQ(s.header.ContestName, "");
    EXPECT_EQ(s.header.Category, "No category");
    EXPECT_EQ(s.log_grid.RowCount(), 2);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), "G4ABC");
    EXPECT_EQ(s.log_grid.Cell(lcTX, 1), "");
}

TEST(CabrilloRealLogs, LoadBothLogs)
{
    struct Case {
        std::string file, contest, call, year, category;
        int qsos, tx;
        std::vector<std::string> first, last; // kHz Mode Date Time Callsign TX
    };
    const std::vector<Case> cases{
        {"VE3EJ_ARRL10_2024_SO.LOG", "ARRL-10", "VE3EJ", "2024", "SINGLE-OP ONE 10M HIGH CW", 1008, -1,
         {"28050", "CW", "2024-12-14", "1324", "LY5W", ""}, {"28048", "CW", "2024-12-15", "2331", "HL2WA", ""}},
        {"K9CT_CQWPXSSB2025_M2_n1mm.log", "CQ-WPX-SSB", "K9CT", "2025", "MULTI-OP TWO ALL HIGH SSB", 5905, 11,
         {"28535", "PH", "2025-03-29", "0000", "W6QU", "0"}, {"21240", "PH", "2025-03-30", "2359", "JE6KYA", "1"}},
    };
    const int cols[] = {lcKHz, lcMode, lcDate, lcTime, lcCallsign, lcTX};
    for (const auto& c : cases) {
        AppState s;
        auto r = readCabrilloLog(s, dataFile(c.file));
        EXPECT_EQ(r.qsoCount, c.qsos) << c.file;
        EXPECT_EQ(r.txTokenIndex, c.tx) << c.file;
        EXPECT_EQ(s.BadQsoCount, 0) << c.file;
        EXPECT_EQ(s.header.ContestName, c.contest);
        EXPECT_EQ(s.header.StationCall, c.call);
        EXPECT_EQ(s.header.LogYear, c.year);
        EXPECT_EQ(s.header.Category, c.category);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(s.log_grid.Cell(cols[i], 1), c.first[size_t(i)]) << c.file;
            EXPECT_EQ(s.log_grid.Cell(cols[i], c.qsos), c.last[size_t(i)]) << c.file;
        }
        EXPECT_EQ(s.log_grid.Cell(lcNumber, c.qsos), std::to_string(c.qsos));
    }
}

TEST_F(CabrilloReader, Preview)
{
    std::vector<std::string> lines{"START-OF-LOG: 3.0", "CONTEST: cq-ww-cw  ", "CALLSIGN: rz9zem", "CONTEST:RDXC"};
    while (lines.size() < 30) lines.push_back("SOAPBOX:");
    lines.push_back("CALLSIGN: UA9ABC"); // line 31: still read
    lines.push_back("CONTEST: LATE");    // line 32: not read
    auto p = cabrilloPreview(write(lines, "p.cbr", "\r\n"));
    EXPECT_EQ(p.contest, "CQ-WW-CW");
    EXPECT_EQ(p.callsign, "UA9ABC");

    auto none = cabrilloPreview((dir / "missing.cbr").string());
    EXPECT_EQ(none.contest, "");
    EXPECT_EQ(none.callsign, "");
}

TEST(CabrilloRealLogs, ShippedSampleLoads)
{
    AppState s;
    auto r = readCabrilloLog(s, std::string(ZEM_SOURCE_DIR) + "/data/samples/sample.cbr");
    EXPECT_GT(r.qsoCount, 300);
    EXPECT_EQ(s.BadQsoCount, 0);
    EXPECT_EQ(s.header.ContestName, "RDXC");
    EXPECT_EQ(s.header.LogYear, "2024");
    for (int row = 1; row <= r.qsoCount; ++row) ASSERT_TRUE(looksLikeCallsign(s.log_grid.Cell(lcCallsign, row))) << row;
}

TEST(CabrilloCategory, FromTheCategoryLineOrTheSplitFields)
{
    struct Case {
        std::vector<std::string> lines;
        std::optional<std::string> category;
    };
    const std::string longName(60, 'X');
    const std::vector<Case> cases{
        {{"CONTEST: RDXC"}, std::nullopt},
        {{"CATEGORY-MODE: SSB", "CATEGORY-POWER: HIGH", "CATEGORY-TRANSMITTER: TWO", "CATEGORY-BAND: ALL",
          "CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-STATION: FIXED"},
         "MULTI-OP TWO ALL HIGH SSB"},
        // Only those present, one blank between; an empty value adds nothing.
        {{"CATEGORY-OPERATOR:   SINGLE-OP  ", "CATEGORY-BAND:", "CATEGORY-MODE: CW"}, "SINGLE-OP CW"},
        // A CATEGORY: line wins wherever it stands.
        {{"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY:  SINGLE-OP ALL LOW ", "CATEGORY-POWER: HIGH"}, "SINGLE-OP ALL LOW"},
        // Keywords are exact: lower case and a missing colon are other lines.
        {{"category-operator: MULTI-OP", "CATEGORY-POWER HIGH", "CATEGORY-OVERLAY: ROOKIE"}, std::nullopt},
        {{"CATEGORY-OPERATOR: " + longName, "CATEGORY-MODE: CW"}, longName.substr(0, 50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.front());
        EXPECT_EQ(cabrilloCategory(c.lines), c.category);
    }
}

TEST_F(CabrilloReader, SplitCategoryFieldsInTheHeaderNameTheCategory)
{
    AppState s;
    s.header.Category = "No category";
    readCabrilloLog(s, write({"START-OF-LOG: 3.0", "CALLSIGN: RZ9ZEM", "CATEGORY-OPERATOR: SINGLE-OP",
                              "CATEGORY-POWER: LOW", qso("DL1ABC")}));
    EXPECT_EQ(s.header.Category, "SINGLE-OP LOW");

    // Nothing about the category: the reset value stays.
    AppState t;
    t.header.Category = "No category";
    readCabrilloLog(t, write({"CALLSIGN: RZ9ZEM", qso("DL1ABC")}, "bare.cbr"));
    EXPECT_EQ(t.header.Category, "No category");
}

TEST_F(CabrilloReader, LoneCarriageReturnsEndLines)
{
    AppState s;
    auto r = readCabrilloLog(s, write(concat(header(3), {qso("DL1ABC"), qso("JA1XYZ")}), "mac.cbr", "\r"));
    EXPECT_EQ(r.qsoCount, 2);
    EXPECT_EQ(s.header.ContestName, "RDXC");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 2), "JA1XYZ");
    EXPECT_EQ(cabrilloPreview((dir / "mac.cbr").string()).callsign, "RZ9ZEM");
}

TEST_F(CabrilloReader, AFolderNamedLikeALogIsAReadError)
{
    fs::create_directories(dir / "x.log");
    AppState s;
    try {
        readCabrilloLog(s, (dir / "x.log").string());
        FAIL() << "a folder was read as a log";
    } catch (const CabrilloFormatError& e) {
        FAIL() << "refused as a Cabrillo file: " << e.what();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("x.log"), std::string::npos) << e.what();
    }
    EXPECT_EQ(cabrilloPreview((dir / "x.log").string()).contest, "");
}
