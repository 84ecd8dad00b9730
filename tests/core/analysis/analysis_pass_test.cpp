#include "analysis/analysis_pass.h"
#include "analysis/call_country.h"

#include "main/log_table.h"
#include "refdata/cty_search.h"
#include "refdata/master_call_db.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// One header line in the country files' fixed layout (prefix at column 63
// once the colons are gone).
std::string header(const std::string& name, const std::string& cq, const std::string& itu, const std::string& cont,
                   const std::string& prefix)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%-26s%2s:  %2s:  %s:  %6s:  %7s:  %6s:  %s:", (name + ":").c_str(), cq.c_str(),
                  itu.c_str(), cont.c_str(), "50.00", "-10.00", "-1.0", prefix.c_str());
    return buf;
}

struct CtyFiles {
    fs::path dir;
    fs::path cty, zem;
    CtyFiles(const std::string& name, const std::vector<std::string>& ctyLines, const std::vector<std::string>& zemLines)
    {
        dir = fs::temp_directory_path() / ("zem_analysis_" + name + "_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        cty = dir / "cty.dat";
        zem = dir / "zem-cty.dat";
        std::ofstream a(cty), b(zem);
        for (const auto& l : ctyLines) a << l << "\n";
        for (const auto& l : zemLines) b << l << "\n";
    }
    ~CtyFiles() { fs::remove_all(dir); }
};

// Five countries; the three Russian oblasts of the program's own file carry
// their code in parentheses and the primary prefix of their country.
const std::vector<std::string>& ctyLines()
{
    static const std::vector<std::string> l = {
        header("Germany", "14", "28", "EU", "DL"),          "    DA,DL;",
        header("European Russia", "16", "29", "EU", "UA"),  "    R,UA,UA3;",
        header("Asiatic Russia", "17", "30", "AS", "UA9"),  "    UA9,UA0;",
        header("United States", "05", "08", "NA", "K"),     "    K,W,W6(3)[6];",
        header("Japan", "25", "45", "AS", "JA"),            "    JA;",
    };
    return l;
}
const std::vector<std::string>& zemLines()
{
    static const std::vector<std::string> l = {
        header("Moscow (3A)", "16", "29", "EU", "UA"),        "    UA3A;",
        header("Moscow Oblast (3D)", "16", "29", "EU", "UA"), "    UA3D;",
        header("Sverdlovsk (9C)", "17", "30", "AS", "UA9"),   "    UA9C;",
        header("Zoneless Island", "00", "00", "OC", "DL"),    "    DA0;",
        header("Not in cty", "32", "60", "OC", "ZZ9"),        "    ZZ9;",
    };
    return l;
}

struct Qso {
    std::string kHz, mode, time, call, pts, date = "2024-03-16";
};

void fillLog(AppState& s, const std::vector<Qso>& qsos)
{
    initLogGrid(s.log_grid);
    int n = 0;
    for (const auto& q : qsos) {
        std::vector<std::string> row(LogColumnCount);
        row[lcNumber] = std::to_string(++n);
        row[lcKHz] = q.kHz;
        row[lcMode] = q.mode;
        row[lcDate] = q.date;
        row[lcTime] = q.time;
        row[lcCallsign] = q.call;
        row[lcPts] = q.pts;
        s.log_grid.AppendRow(row);
    }
    s.header.QsoCount = n;
    s.header.LogTitle = "TEST-2024";
}

std::vector<std::string> summaryRow(const SummaryPage& p, int row)
{
    return p.Summary_Grid.RowCells(row);
}

// Annotation columns of one log row: Cont., DXCC, WAZ, ITU, WPX, RUS, band, kHz.
std::vector<std::string> marks(const AppState& s, int row)
{
    std::vector<std::string> out;
    for (int c : {lcCont, lcDXCC, lcWAZ, lcITU, lcWPX, lcRUS, lcBand, lcKHz}) out.push_back(s.log_grid.Cell(c, row));
    return out;
}

class AnalysisPass : public ::testing::Test {
protected:
    CtyFiles files{"pass", ctyLines(), zemLines()};
    TCty_search cty;
    AppState s;
    SummaryPage page;
    void SetUp() override { cty.LoadFiles(files.cty, files.zem); }
    AnalysisPassReport run(const TMasterCallDB* master = nullptr, bool mark = false)
    {
        return Process_log_and_summary(s, cty, master, mark, page);
    }
};

// Runs on 20, 40, 20, 15, 160, 80, 10 (a 29 MHz QSO on it), 20 with a 50 MHz
// and a 144 MHz QSO in between (no band: 144 MHz is no 20 m), a dupe, a
// portable Russian, an unknown call and a mode that is none of CW, phone, RTTY.
const std::vector<Qso>& sampleLog()
{
    static const std::vector<Qso> q = {
        {"14025", "CW", "1200", "DL1ABC", "1"},    // 1
        {"14030", "CW", "1201", "UA3AAA", "2"},    // 2
        {"14030", "CW", "1202", "UA3AAA", "2"},    // 3 dupe
        {"7010", "CW", "1205", "UA9CXX", "3"},     // 4
        {"07012", "PH", "1206", "DL2XYZ", "1"},    // 5
        {"7015", "RY", "1210", "UA3AAB/P", "2"},   // 6
        {"7020", "CW", "1210", "UA3AXX", "2"},     // 7
        {"50100", "CW", "1211", "DL3AA", ""},      // 8
        {"144300", "CW", "1212", "JA1XYZ", "3"},   // 9
        {"14040", "CW", "1215", "XX1ABC", ""},     // 10
        {" 21000", "CW", "1220", "W6AB", "3"},     // 11
        {"21005", "FM", "1221", "W6CD", ""},       // 12
        {"1830", "CW", "1230", "K1ZZ", "3"},       // 13
        {"3510", "PH", "1240", "DL1ABC", "1"},     // 14
        {"28500", "PH", "1250", "UA3DZZ", "2"},    // 15
        {"29000", "CW", "1251", "DL9ZZ", ""},      // 16
        {"14050", "CW", "1300", "UA3AAC", "2"},    // 17
    };
    return q;
}

} // namespace

TEST(AnalysisHelpers, QsoPerMinuteText)
{
    const std::vector<std::pair<double, std::string>> rates = {
        {0.25, "0.250"}, {4.0 / 7, "0.571"}, {12.3456, "12.300"}, {0.0123456, "0.012"}, {1234.5, "1230.000"}, {1, "1.000"}};
    for (const auto& [v, text] : rates) EXPECT_EQ(formatQsoPerMinute(v), text) << v;
}

TEST_F(AnalysisPass, SummaryOfAHandMadeLog)
{
    fillLog(s, sampleLog());
    const auto report = run();
    EXPECT_TRUE(report.ConversionErrors.empty());
    EXPECT_EQ(s.BadQsoCount, 0);

    using R = std::vector<std::string>;
    // Band, QSO, qso %, CW, cw %, SSB, ssb %, RTTY, rtty %, Time, time %, QSO/min., Moves, moves %,
    // DXCC, WAZ, ITU, Oblasts, Points. qso % is of all 17 QSOs, the 50 and 144 MHz ones included;
    // moves % shows halves going to the even number (12.5 -> 12, 37.5 -> 38).
    EXPECT_EQ(summaryRow(page, 0), (R{"Band", "QSO", "qso %", "CW", "cw %", "SSB", "ssb %", "RTTY", "rtty %", "Time",
                                      "time %", "QSO/min.", "Moves", "moves %", "DXCC", "WAZ", "ITU", "Oblasts",
                                      "Points"}));
    EXPECT_EQ(summaryRow(page, 1), (R{"160", "1", "6", "1", "10", "0", "0", "0", "0", "1", "5", "1.000", "1", "12",
                                      "1", "1", "1", "0", "3"}));
    EXPECT_EQ(summaryRow(page, 2), (R{"80", "1", "6", "0", "0", "1", "33", "0", "0", "1", "5", "1.000", "1", "12",
                                      "1", "1", "1", "0", "1"}));
    // The 40 m run ends at the next QSO on a band and lasts up to the row
    // before it, the 144 MHz QSO at 1212.
    EXPECT_EQ(summaryRow(page, 3), (R{"40", "4", "24", "2", "20", "1", "33", "1", "100", "8", "42", "0.500", "1",
                                      "12", "3", "3", "3", "2", "8"}));
    EXPECT_EQ(summaryRow(page, 4), (R{"20", "5", "29", "5", "50", "0", "0", "0", "0", "5", "26", "1.000", "3", "38",
                                      "2", "2", "2", "1", "7"}));
    EXPECT_EQ(summaryRow(page, 5), (R{"15", "2", "12", "1", "10", "0", "0", "0", "0", "2", "11", "1.000", "1", "12",
                                      "1", "1", "1", "0", "3"}));
    // 28500 and 29000 kHz: one band, one move.
    EXPECT_EQ(summaryRow(page, 6), (R{"10", "2", "12", "1", "10", "1", "33", "0", "0", "2", "11", "1.000", "1", "12",
                                      "2", "2", "2", "1", "2"}));
    EXPECT_EQ(summaryRow(page, 7), (R{"Total", "15", "0", "10", "67", "3", "20", "1", "7", "19", "0", "0.250", "8",
                                      "0", "10", "10", "10", "4", "24"}));
    EXPECT_EQ(page.Summary_Grid.RowCount(), 8);
    EXPECT_EQ(page.Summary_Grid.Row, 7);

    // Cont., DXCC, WAZ, ITU, WPX, RUS, band, kHz of every row.
    const std::vector<R> expected = {
        {"EU", "DL", "14", "28", "DL1", "", "20", "14025"},
        {"EU", "UA", "16", "29", "UA3", "3A", "20", "14030"},
        {"EU", "", "", "", "", "", "20", "14030"},
        {"AS", "UA9", "17", "30", "UA9", "9C", "40", "7010"},
        {"EU", "DL", "14", "28", "DL2", "", "40", "7012"},
        {"EU", "UA", "16", "29", "", "", "40", "7015"},     // portable: no oblast
        {"EU", "", "", "", "", "3A", "40", "7020"},         // same oblast, new band
        {"EU", "", "", "", "", "", "", "50100"},            // no band, no marks
        {"AS", "", "", "", "", "", "", "144300"},           // 144 MHz is no 20 m
        {"", "", "", "", "XX1", "", "20", "14040"},         // unknown call: no country
        {"NA", "K", "3", "6", "W6", "", "15", "21000"},
        {"NA", "", "", "", "", "", "15", "21005"},
        {"NA", "K", "5", "8", "K1", "", "160", "1830"},
        {"EU", "DL", "14", "28", "", "", "80", "3510"},     // prefix marked once per log
        {"EU", "UA", "16", "29", "", "3D", "10", "28500"},
        {"EU", "DL", "14", "28", "DL9", "", "10", "29000"}, // 29 MHz is 10 m
        {"EU", "", "", "", "", "", "20", "14050"},
    };
    for (int r = 1; r <= 17; ++r) EXPECT_EQ(marks(s, r), expected[static_cast<size_t>(r - 1)]) << "row " << r;
    EXPECT_EQ(s.WpxCount, 8);
    EXPECT_EQ(s.PrevMinute, 45365LL * 1440 + 12 * 60 + 1); // 2024-03-16 12:00

    const auto& chart = page.Chart_sum;
    EXPECT_EQ(chart.Title, "ZEM Log Analysis.Summary TEST-2024");
    EXPECT_EQ(chart.BottomAxisTitle, "Bands");
    EXPECT_EQ(chart.LeftAxisTitle, "Percents");
    ASSERT_EQ(chart.Series.size(), 3u);
    EXPECT_EQ(chart.Series[0].Name, "QSO`s");
    EXPECT_EQ(chart.Series[0].Color, 0xFF0000u);
    EXPECT_EQ(chart.Series[0].Values, (std::vector<double>{6, 6, 24, 29, 12, 12}));
    EXPECT_EQ(chart.Series[1].Name, "Time");
    EXPECT_EQ(chart.Series[1].Values, (std::vector<double>{5, 5, 42, 26, 11, 11}));
    EXPECT_EQ(chart.Series[2].Name, "Moves");
    EXPECT_EQ(chart.Series[2].Values, (std::vector<double>{12, 12, 12, 38, 12, 12}));
    EXPECT_EQ(chart.Series[2].Labels, (std::vector<std::string>{"160", "80", "40", "20", "15", "10"}));
}

TEST_F(AnalysisPass, RunningAgainGivesTheSameMarksAndSummary)
{
    fillLog(s, sampleLog());
    run();
    const TKeoEGrid firstLog = s.log_grid;
    const TKeoEGrid firstSummary = page.Summary_Grid;
    run();
    for (int r = 0; r < s.log_grid.RowCount(); ++r) EXPECT_EQ(s.log_grid.RowCells(r), firstLog.RowCells(r)) << r;
    for (int r = 0; r < 8; ++r) EXPECT_EQ(page.Summary_Grid.RowCells(r), firstSummary.RowCells(r)) << r;
    EXPECT_EQ(s.WpxCount, 8);
}

TEST_F(AnalysisPass, OneQsoOrOneMinuteLeavesTotalRateAtZero)
{
    for (const auto& qsos : std::vector<std::vector<Qso>>{
             {{"14025", "CW", "1200", "DL1ABC", ""}},
             {{"14025", "CW", "1200", "DL1ABC", ""}, {"7010", "CW", "1200", "DL2ABC", ""}}}) {
        fillLog(s, qsos);
        run();
        EXPECT_EQ(page.Summary_Grid.Cell(scQSOPerMin, SummaryTotalRow), "0");
        EXPECT_EQ(page.Summary_Grid.Cell(scQSOPerMin, 4), "1.000"); // one minute on 20 m
        EXPECT_EQ(page.Summary_Grid.Cell(scMoves, 4), "1");         // the first QSO is a move
        EXPECT_EQ(page.Summary_Grid.Cell(scSSBPct, 4), "0");        // no phone at all
    }
    EXPECT_EQ(page.Summary_Grid.Cell(scQSOPct, 4), "50");
    EXPECT_EQ(page.Summary_Grid.Cell(scMovesPct, 3), "50");
}

// A log written newest first, and a late entry that goes back before the run
// it ends: a band's time is the span of its run's QSOs, never negative.
TEST_F(AnalysisPass, RowsOutOfTimeOrderGiveNoNegativeTimeOrRate)
{
    struct Case {
        const char* what;
        std::vector<Qso> log;
        const char* time20;
        const char* time40;
        const char* timePct20;
        const char* rate;
    } cases[] = {
        {"newest first",
         {{"14025", "CW", "1300", "DL1ABC", ""}, {"14030", "CW", "1250", "DL2ABC", ""},
          {"7010", "CW", "1240", "DL3ABC", ""}, {"7020", "CW", "1200", "DL4ABC", ""}},
         "11", "41", "21", "0.067"},
        {"run ending before it began",
         {{"14025", "CW", "1210", "DL1ABC", ""}, {"14030", "CW", "1200", "DL2ABC", ""},
          {"7010", "CW", "1215", "DL3ABC", ""}},
         "11", "1", "92", "0.200"},
    };
    for (const Case& c : cases) {
        fillLog(s, c.log);
        run();
        const TKeoEGrid& g = page.Summary_Grid;
        EXPECT_EQ(g.Cell(scTime, 4), c.time20) << c.what;
        EXPECT_EQ(g.Cell(scTime, 3), c.time40) << c.what;
        EXPECT_EQ(g.Cell(scTimePct, 4), c.timePct20) << c.what;
        EXPECT_EQ(g.Cell(scQSOPerMin, SummaryTotalRow), c.rate) << c.what;
        for (int r = 1; r <= SummaryTotalRow; ++r)
            for (int col = 1; col < SummaryColumnCount; ++col)
                EXPECT_EQ(g.Cell(col, r).find('-'), std::string::npos) << c.what << " row " << r << " col " << col;
        for (const auto& series : page.Chart_sum.Series)
            for (double v : series.Values) EXPECT_TRUE(v >= 0 && v <= 100) << c.what << " " << series.Name;
    }
}

TEST_F(AnalysisPass, UcgModeMarksAPrefixOncePerFrequency)
{
    const std::vector<Qso> qsos = {
        {"14025", "CW", "1200", "DL1ABC", ""}, {"14025", "CW", "1201", "DL1XYZ", ""},
        {"14026", "CW", "1202", "DL1QQ", ""},  {"7025", "CW", "1203", "DL1ABC", ""},
    };
    fillLog(s, qsos);
    run();
    EXPECT_EQ(s.WpxCount, 1);
    s.UcgMode = true;
    run();
    EXPECT_EQ(s.WpxCount, 3);
    const std::vector<std::string> wpx = {"DL1", "", "DL1", "DL1"};
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(s.log_grid.Cell(lcWPX, r), wpx[static_cast<size_t>(r - 1)]) << r;
}

TEST_F(AnalysisPass, MasterCheckMarksCallsMissingFromTheMasterFile)
{
    const fs::path masterFile = files.dir / "master.dta";
    Cteate_master({"DL1ABC", "K1ZZ"}, masterFile.string());
    TMasterCallDB master;
    master.LoadFromFile(masterFile.string());
    const std::vector<Qso> qsos = {
        {"14025", "CW", "1200", "DL1ABC", ""}, {"14025", "CW", "1201", "UA3AAA", ""}, {"50100", "CW", "1202", "JA1X", ""}};

    fillLog(s, qsos);
    run(&master, false);
    run(nullptr, true);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(s.log_grid.Cell(lcMaster, r), "") << "check off or no master";

    run(&master, true);
    EXPECT_EQ(s.log_grid.Cell(lcMaster, 1), "");
    EXPECT_EQ(s.log_grid.Cell(lcMaster, 2), "NO.");
    EXPECT_EQ(s.log_grid.Cell(lcMaster, 3), ""); // outside the bands: not checked

    run(&master, false);
    EXPECT_EQ(s.log_grid.Cell(lcMaster, 2), "NO."); // the pass never clears the mark
}

TEST_F(AnalysisPass, UnknownCallGetsNoCountryOfItsOwnNorThePreviousOne)
{
    // DL1ABC on 20 m, then an unknown call on 40 m: the lookup still holds
    // Germany, which must not be marked or counted as new on 40 m.
    fillLog(s, {{"14025", "CW", "1200", "DL1ABC", "1"}, {"7010", "PH", "1201", "XX1ABC", "5"}});
    run();
    EXPECT_EQ(marks(s, 2), (std::vector<std::string>{"", "", "", "", "XX1", "", "40", "7010"}));
    for (int c : {scDXCC, scWAZ, scITU, scOblasts}) EXPECT_EQ(page.Summary_Grid.Cell(c, 3), "0") << c;
    for (int c : {scQSO, scSSB, scMoves}) EXPECT_EQ(page.Summary_Grid.Cell(c, 3), "1") << c;
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, 3), "5");
    EXPECT_EQ(s.WpxCount, 2);

    // The shared helper gives the same answer to every command.
    ASSERT_NE(countryOfCall(cty, "DL1ABC"), nullptr);
    EXPECT_EQ(countryOfCall(cty, "XX1ABC"), nullptr);
    EXPECT_EQ(countryOfCall(cty, "UA3AXX")->Continent, "EU");
}

TEST_F(AnalysisPass, ZonesThatAreNoNumbersAndCountriesOutsideCtyAreNotMarked)
{
    // Zoneless Island has zones 00 and a country of cty.dat; "Not in cty"
    // refines no country of cty.dat, so its calls have no country at all.
    fillLog(s, {{"14025", "CW", "1200", "DA0A", ""}, {"14026", "CW", "1201", "ZZ9A", ""}});
    run();
    EXPECT_EQ(marks(s, 1), (std::vector<std::string>{"OC", "DL", "", "", "DA0", "", "20", "14025"}));
    EXPECT_EQ(marks(s, 2), (std::vector<std::string>{"", "", "", "", "ZZ9", "", "20", "14026"}));
    EXPECT_EQ(page.Summary_Grid.Cell(scDXCC, 4), "1");
    EXPECT_EQ(page.Summary_Grid.Cell(scWAZ, 4), "0");
    EXPECT_EQ(zoneNumber("0"), 0);
    EXPECT_EQ(zoneNumber("x"), 0);
    EXPECT_EQ(zoneNumber("-3"), 0);
    EXPECT_EQ(zoneNumber("40"), 40);
}

TEST(AnalysisPassCountries, ACountryFileWithMoreCountriesThanUsualIsCountedInFull)
{
    // 400 countries: the last ones lie beyond any fixed table of 345.
    std::vector<std::string> lines;
    for (int i = 1; i <= 400; ++i) {
        const std::string p = "Q" + std::to_string(i) + "A";
        auto zone = [](int z) { return (z < 10 ? "0" : "") + std::to_string(z); };
        lines.push_back(header("Land " + std::to_string(i), zone(i % 40 + 1), zone(i % 90 + 1), "EU", p));
        lines.push_back("    " + p + ";");
    }
    CtyFiles files("many", lines, {header("Q1 extra", "01", "02", "EU", "Q1A"), "    Q1AZ;"});
    TCty_search cty;
    cty.LoadFiles(files.cty, files.zem);
    ASSERT_EQ(cty.CountryCount(), 400);

    AppState s;
    SummaryPage page;
    fillLog(s, {{"14025", "CW", "1200", "Q399A1B", ""}, {"14026", "CW", "1201", "Q400A1B", ""},
                {"7026", "CW", "1202", "Q400A1C", ""}, {"7027", "CW", "1203", "Q400A1D", ""}});
    Process_log_and_summary(s, cty, nullptr, false, page);
    EXPECT_EQ(s.log_grid.Cell(lcDXCC, 1), "Q399A");
    EXPECT_EQ(s.log_grid.Cell(lcDXCC, 2), "Q400A");
    EXPECT_EQ(s.log_grid.Cell(lcDXCC, 3), "Q400A");
    EXPECT_EQ(s.log_grid.Cell(lcDXCC, 4), "");
    EXPECT_EQ(page.Summary_Grid.Cell(scDXCC, SummaryTotalRow), "3");
}

TEST_F(AnalysisPass, BadNumbersAreListedAndThePassFinishes)
{
    fillLog(s, {
                   {"14025", "CW", "1200", "DL1ABC", "1"},
                   {"14O25", "CW", "1201", "UA3AAA", "1"}, // letter O in the frequency
                   {"14030", "CW", "1202", "JA1XYZ", "x"},
                   {"7010", "CW", "12x5", "UA9CXX", "2"},  // time that is no number
                   {"7012", "CW", "1210", "DL2XYZ", "3"},
               });
    const auto report = run();
    ASSERT_EQ(report.ConversionErrors.size(), 3u);
    EXPECT_NE(report.ConversionErrors[0].find("Row 2"), std::string::npos);
    EXPECT_NE(report.ConversionErrors[0].find("14O25"), std::string::npos);
    EXPECT_NE(report.ConversionErrors[1].find("Row 3"), std::string::npos);
    EXPECT_NE(report.ConversionErrors[2].find("Row 4"), std::string::npos);

    // Each failing QSO is in the processing-error list once.
    EXPECT_EQ(s.BadQsoCount, 3);
    EXPECT_EQ(s.error_keo.Cell(5, 1), "UA3AAA");
    EXPECT_EQ(s.error_keo.Cell(5, 2), "JA1XYZ");
    EXPECT_EQ(s.error_keo.Cell(5, 3), "UA9CXX");

    // The bad frequency keeps its text and gets no band; the others go on.
    EXPECT_EQ(marks(s, 2), (std::vector<std::string>{"EU", "", "", "", "", "", "", "14O25"}));
    EXPECT_EQ(marks(s, 3), (std::vector<std::string>{"AS", "JA", "25", "45", "JA1", "", "20", "14030"}));
    EXPECT_EQ(marks(s, 5), (std::vector<std::string>{"EU", "DL", "14", "28", "DL2", "", "40", "7012"}));

    // The Summary is complete: the bad points add nothing, the bad time takes
    // its neighbour's minute (20 m: 1200..1202, 40 m: 1202..1210).
    EXPECT_EQ(page.Summary_Grid.Cell(scQSO, 4), "2");
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, 4), "1");
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, 3), "5");
    EXPECT_EQ(page.Summary_Grid.Cell(scTime, 4), "3");
    EXPECT_EQ(page.Summary_Grid.Cell(scTime, 3), "9");
    EXPECT_EQ(page.Summary_Grid.Cell(scQSOPct, 4), "40");
    EXPECT_EQ(page.Summary_Grid.Cell(scBand, SummaryTotalRow), "Total");
}

TEST_F(AnalysisPass, ProgressEveryHundredRowsOfALargeLog)
{
    std::vector<Qso> qsos;
    for (int i = 0; i < 1050; ++i) {
        char t[8];
        std::snprintf(t, sizeof t, "%02d%02d", (i / 60) % 24, i % 60);
        qsos.push_back({"14025", "CW", t, "DL" + std::to_string(i % 10) + "AB", ""});
    }
    fillLog(s, qsos);
    std::vector<std::pair<int, int>> calls;
    Process_log_and_summary(s, cty, nullptr, false, page, [&](int row, int count) { calls.emplace_back(row, count); });
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls.front(), (std::pair<int, int>{100, 1050}));
    EXPECT_EQ(calls.back(), (std::pair<int, int>{1000, 1050}));

    calls.clear();
    fillLog(s, {qsos.begin(), qsos.begin() + 499});
    Process_log_and_summary(s, cty, nullptr, false, page, [&](int row, int count) { calls.emplace_back(row, count); });
    EXPECT_TRUE(calls.empty());
}

TEST(SummaryPaint, PercentColumnsShadedFirstCountsBold)
{
    SummaryPage page;
    page.Summary_Grid.SetCell(scCWPct, 2, "33");
    page.Summary_Grid.SetCell(scQSO, 2, "12");
    struct Case { int col, row; SummaryCellPaint paint; };
    const std::vector<Case> cases = {
        {scCWPct, 2, {true, true, false, "33"}},
        {scQSO, 2, {true, false, true, "12"}},
        {scDXCC, 2, {true, false, false, ""}},
        {scMovesPct, 7, {true, true, false, ""}},
        {scQSO, 0, {false, false, true, ""}}, // titles keep the grid's own drawing
        {scBand, 3, {false, false, false, ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(Summary_GridDrawCell(page.Summary_Grid, c.col, c.row), c.paint) << c.col << "," << c.row;
}

TEST(AnalysisPassShippedData, RussianStationsGetTheirOblast)
{
    const fs::path data = fs::path(ZEM_SOURCE_DIR) / "data";
    if (!fs::exists(data / "cty.dat") || !fs::exists(data / "zem-cty.dat")) GTEST_SKIP() << "no shipped country files";
    TCty_search cty;
    cty.LoadFiles(data / "cty.dat", data / "zem-cty.dat");
    AppState s;
    SummaryPage page;
    fillLog(s, {{"14025", "CW", "1200", "RA3AB", ""},
                {"14026", "CW", "1201", "UA9AA", ""},
                {"14027", "CW", "1202", "R9CX", ""},
                {"14028", "CW", "1203", "UA3AC/P", ""},
                {"14029", "CW", "1204", "DL1ABC", ""}});
    Process_log_and_summary(s, cty, nullptr, false, page);
    const std::vector<std::string> rus = {"3A", "9A", "9C", "", ""};
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(s.log_grid.Cell(lcRUS, r), rus[static_cast<size_t>(r - 1)]) << r;
    EXPECT_EQ(page.Summary_Grid.Cell(scOblasts, 4), "3");
    EXPECT_EQ(s.log_grid.Cell(lcCont, 2), "AS");
}
