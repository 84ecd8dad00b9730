#include "analysis/scores.h"

#include "analysis/analysis_pass.h"
#include "import/cabrillo_reader.h"
#include "import/post_load.h"
#include "main/log_table.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Seven countries: two of Europe, two of North America, two of Asia (one of
// them the UCG reference) and one of Oceania.
const char* const kCtyDat = "Germany:                  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
                            "    DA,DL;\n"
                            "France:                   14:  27:  EU:   46.00:    -2.00:    -1.0:  F:\n"
                            "    F;\n"
                            "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
                            "    K,W;\n"
                            "Canada:                   05:  09:  NA:   45.00:    80.00:     5.0:  VE:\n"
                            "    VE;\n"
                            "Asiatic Russia:           17:  30:  AS:   55.00:   -73.00:    -6.0:  UA9:\n"
                            "    UA9,UA0;\n"
                            "Japan:                    25:  45:  AS:   36.00:  -138.00:    -9.0:  JA:\n"
                            "    JA;\n"
                            "Hawaii:                   31:  61:  OC:   21.12:   157.48:    10.0:  KH6:\n"
                            "    KH6;\n";

class Scores : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("zem_scores_" + std::to_string(::getpid()));
    TCty_search cty;
    AppState s;
    SummaryPage page;

    void SetUp() override
    {
        fs::create_directories(dir);
        std::ofstream(dir / "cty.dat") << kCtyDat;
        std::ofstream(dir / "zem-cty.dat") << "";
        cty.LoadFiles(dir / "cty.dat", dir / "zem-cty.dat");
    }
    void TearDown() override { fs::remove_all(dir); }

    struct Qso {
        std::string kHz, call, mode = "CW";
    };
    // Loads the QSOs through the Cabrillo reader and the log folder, and runs
    // the analysis pass, which writes the "band" cells the scores read.
    void load(const std::string& ownCall, const std::vector<Qso>& qsos)
    {
        const fs::path file = dir / "test.log";
        {
            std::ofstream f(file);
            f << "START-OF-LOG: 3.0\nCONTEST: TEST\nCALLSIGN: " << ownCall << "\n";
            int n = 0;
            for (const auto& q : qsos)
                f << "QSO: " << q.kHz << " " << q.mode << " 2025-03-29 10" << 10 + n++ << " " << ownCall
                  << " 59 14 " << q.call << " 59 05\n";
            f << "END-OF-LOG:\n";
        }
        Reset_app(s);
        readCabrilloLog(s, file.string());
        make_log_folder(s);
        pass();
    }
    void pass() { Process_log_and_summary(s, cty, nullptr, false, page); }
    std::vector<std::string> points() const
    {
        std::vector<std::string> out;
        for (int r = 1; r < s.log_grid.RowCount(); ++r) out.push_back(s.log_grid.Cell(lcPts, r));
        return out;
    }
};

} // namespace

TEST_F(Scores, PointsOfEachContestByWhereTheWorkedStationIs)
{
    using C = TScoreContest;
    const struct {
        C contest;
        const char* own;
        const char* kHz;
        const char* worked;
        int expected;
    } cases[] = {
        // CQ WW: own country, own continent, other continent; North America pays 2 within itself.
        {C::CQWW, "DL1ZZ", "14025", "DL2AA", 0},
        {C::CQWW, "DL1ZZ", "14025", "F5AA", 1},
        {C::CQWW, "DL1ZZ", "3525", "K1AR", 3},
        {C::CQWW, "K1ZZ", "14025", "W2AA", 0},
        {C::CQWW, "K1ZZ", "14025", "VE3AA", 2},
        {C::CQWW, "K1ZZ", "7025", "KH6AA", 3},
        // CQ WPX: doubled on 160, 80 and 40 m, except the own-country point.
        {C::CQWPX, "K1ZZ", "14025", "VE3AA", 2},
        {C::CQWPX, "K1ZZ", "3525", "VE3AA", 4},
        {C::CQWPX, "K1ZZ", "7025", "W2AA", 1},
        {C::CQWPX, "DL1ZZ", "14025", "VE3AA", 3},
        {C::CQWPX, "DL1ZZ", "3525", "VE3AA", 6},
        {C::CQWPX, "DL1ZZ", "21025", "F5AA", 1},
        {C::CQWPX, "DL1ZZ", "1825", "F5AA", 2},
        {C::CQWPX, "DL1ZZ", "28025", "JA1AA", 3},
        // UCG: the reference is Asiatic Russia whoever the own station is; only 40 m doubles.
        {C::UCG, "DL1ZZ", "7025", "UA0AA", 1},
        {C::UCG, "DL1ZZ", "7025", "JA1AA", 2},
        {C::UCG, "DL1ZZ", "14025", "JA1AA", 1},
        {C::UCG, "DL1ZZ", "7025", "DL2AA", 6},
        {C::UCG, "DL1ZZ", "3525", "K1AR", 3},
        // A callsign the country file does not know has no country to score.
        {C::CQWW, "DL1ZZ", "14025", "XX9ZZ", 0},
        {C::CQWPX, "DL1ZZ", "14025", "XX9ZZ", 0},
        {C::UCG, "DL1ZZ", "14025", "XX9ZZ", 0},
        {C::CupOfUral, "DL1ZZ", "14025", "XX9ZZ", 11},
        // An own call the country file does not know scores nothing country-dependent.
        {C::CQWW, "XX9ZZ", "14025", "K1AR", 0},
        {C::CQWPX, "XX9ZZ", "14025", "K1AR", 0},
        // Outside the six contest bands nothing counts (6 m, 2 m); 29 MHz is 10 m.
        {C::CQWW, "DL1ZZ", "50100", "K1AR", 0},
        {C::CQWPX, "DL1ZZ", "144300", "K1AR", 0},
        {C::CQWW, "DL1ZZ", "29600", "K1AR", 3},
        {C::CupOfUral, "DL1ZZ", "50100", "K1AR", 0},
    };
    for (const auto& c : cases) {
        load(c.own, {{c.kHz, c.worked}});
        const long long sum = writeQsoPoints(s, cty, c.contest);
        EXPECT_EQ(points(), std::vector<std::string>{std::to_string(c.expected)})
            << c.own << " works " << c.worked << " on " << c.kHz << " in contest " << static_cast<int>(c.contest);
        EXPECT_EQ(sum, c.expected);
    }
}

TEST_F(Scores, PortableOwnCallScoresFromTheCountryItOperatesIn)
{
    // The folder name turns the "/" into "-"; the scores still see Hawaii.
    load("W1ABC/KH6", {{"14025", "K1AR"}, {"14026", "KH6BB"}, {"14027", "VE3AA"}});
    EXPECT_EQ(s.header.StationCall, "W1ABC-KH6");
    writeQsoPoints(s, cty, TScoreContest::CQWW);
    EXPECT_EQ(points(), (std::vector<std::string>{"3", "0", "3"}));
}

TEST_F(Scores, DupesScoreNothingAndCupOfUralPaysTheFirstQsoOnEachBand)
{
    load("DL1ZZ", {{"14025", "K1AR"},
                   {"14200", "k1ar"},        // the same band and mode: a dupe
                   {"14210", "K1AR", "PH"},  // another mode: no dupe, but not the first on 20 m
                   {"7025", "K1AR"},
                   {"14030", "F5AA"}});
    const struct {
        TScoreContest contest;
        std::vector<std::string> expected;
    } cases[] = {
        {TScoreContest::CQWW, {"3", "0", "3", "3", "1"}},
        {TScoreContest::CQWPX, {"3", "0", "3", "6", "1"}},
        {TScoreContest::UCG, {"3", "0", "3", "6", "3"}},
        {TScoreContest::CupOfUral, {"11", "0", "1", "11", "11"}},
    };
    // Each command replaces every point of the one before.
    for (const auto& c : cases) {
        writeQsoPoints(s, cty, c.contest);
        EXPECT_EQ(points(), c.expected) << static_cast<int>(c.contest);
    }
}

TEST_F(Scores, MultipliersAndTotalsAgreeWithTheSummary)
{
    load("DL1ZZ", {{"14025", "K1AR"},
                   {"14026", "VE3AA"},
                   {"14027", "K1AR"},  // dupe
                   {"7010", "K1AR"},
                   {"14030", "F5AA"},
                   {"14031", "DL2AA"},
                   {"50100", "JA1AA"}, // 6 m: no points, no multiplier
                   {"14032", "XX9ZZ"}}); // unknown country: no points, no country or zone

    const long long ww = writeQsoPoints(s, cty, TScoreContest::CQWW);
    pass();
    EXPECT_EQ(ww, 10);
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, SummaryTotalRow), "10");
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, 4), "7"); // 20 m
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, 3), "3"); // 40 m
    EXPECT_EQ(scoreText(TScoreContest::CQWW, page.Summary_Grid, s.WpxCount, ww),
              "3 WAZ + 5 DXCC + 10 QSO points = 80 total points");

    const long long wpx = writeQsoPoints(s, cty, TScoreContest::CQWPX);
    pass();
    EXPECT_EQ(page.Summary_Grid.Cell(scPoints, SummaryTotalRow), std::to_string(wpx));
    // K1, VE3, F5, DL2 and XX9: a prefix needs no country file.
    EXPECT_EQ(scoreText(TScoreContest::CQWPX, page.Summary_Grid, s.WpxCount, wpx),
              "5 WPX * 14 QSO points = 70 total points");

    EXPECT_EQ(scoreText(TScoreContest::CupOfUral, page.Summary_Grid, s.WpxCount, 56), "56 QSO points");
    EXPECT_EQ(scoreMessage("CQ WPX", "5 WPX"), "CQ WPX:\n5 WPX");
}

TEST_F(Scores, UcgModeCountsAPrefixOncePerFrequencyButNeverOnADupe)
{
    load("UA9ZZ", {{"14025", "UA9AA"}, {"14030", "UA9BB"}, {"14031", "UA9AA"}, {"7025", "UA9AA"}});
    const long long ucg = writeQsoPoints(s, cty, TScoreContest::UCG);
    s.UcgMode = true;
    pass();
    // UA9 on 14025, 14030 and 7025; the dupe on 14031 is no new pair.
    EXPECT_EQ(s.WpxCount, 3);
    EXPECT_EQ(scoreText(TScoreContest::UCG, page.Summary_Grid, s.WpxCount, ucg),
              "3 WPX * 3 QSO points = 9 total points");
}
