#include "reports/claimed_scores.h"

#include "main/log_table.h"

#include <gtest/gtest.h>

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// A summary mail: free text, a section with HR and CLUB, a second section,
// operators' notes at the end.
const std::vector<std::string> kMail = {
    "From: list@example.net",
    "Subject: [3830] CQ WW CW 2004: Claimed Scores",
    "",
    "Summary of the scores sent in.",
    "73 TOVK",
    "CALL        QSOS   HR   CLUB",
    "SINGLE OP ALL BAND HIGH",
    "K1AR(N2IC) 1,500   36   YANKEE CLIPPER CC",
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~",
    "w1aw         900  120   Frankford RC",
    "",
    "CALL        QSOS   HR   CLUB",
    "SINGLE OP 20M LOW",
    "UA3AAA       400 12.5",
    "OPERATORS: K1AR N2IC",
    "DL1ABC       100   10   DARC",
};

std::vector<std::string> rowOf(const TKeoEGrid& g, int r)
{
    std::vector<std::string> out;
    for (int c = 0; c < g.ColCount(); ++c) out.push_back(g.Cell(c, r));
    return out;
}

TKeoEGrid logWith(const std::vector<std::pair<const char*, const char*>>& callBands)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(static_cast<int>(callBands.size()) + 1);
    int r = 1;
    for (const auto& [call, band] : callBands) {
        g.SetCell(lcCallsign, r, call);
        g.SetCell(lcBand, r++, band);
    }
    return g;
}

} // namespace

TEST(ClaimedScores, StationRowsGoUnderTheirTitlesWithCategoryAndClub)
{
    TKeoEGrid g;
    initClaimedScoresGrid(g);
    const auto read = readClaimedScores(mailTextLines(joined(kMail)), g);
    EXPECT_EQ(read.Subject, "[3830] CQ WW CW 2004: CLAIMED SCORES");
    EXPECT_EQ(read.Stations, 3);
    using R = std::vector<std::string>;
    EXPECT_EQ(rowOf(g, 0), (R{"#", "CALL", "CATEGORY", "QSOS", "HR", "CLUB", "", "160", "80", "40", "20", "15", "10",
                              "TOTAL"}));
    // The operator in brackets goes; 120 is no hours figure, so the row has
    // none and the 120 moves right, past the club.
    EXPECT_EQ(rowOf(g, 1), (R{"1", "K1AR", "SINGLE OP ALL BAND HIGH", "1500", "36", "YANKEE CLIPPER CC", "", "", "",
                              "", "", "", "", ""}));
    EXPECT_EQ(rowOf(g, 2), (R{"2", "W1AW", "SINGLE OP ALL BAND HIGH", "900", "", "FRANKFORD RC", "120", "", "", "",
                              "", "", "", ""}));
    EXPECT_EQ(rowOf(g, 3), (R{"3", "UA3AAA", "SINGLE OP 20M LOW", "400", "12.5", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(g.RowCount(), 4); // DL1ABC comes after the operators' notes
}

TEST(ClaimedScores, HeaderWithoutHoursOrClubAndRowsBeforeAnyHeaderAreRead)
{
    TKeoEGrid g;
    const auto read = readClaimedScores({"73 TOVK", "OH2BH 800 90", "CALL SCORE QSOS", "MULTI-SINGLE", "K3LR 5000 3000"}, g);
    EXPECT_EQ(read.Stations, 2);
    EXPECT_EQ(rowOf(g, 0), (std::vector<std::string>{"#", "CALL", "CATEGORY", "SCORE", "QSOS", "160", "80", "40", "20",
                                                     "15", "10", "TOTAL"}));
    EXPECT_EQ(rowOf(g, 1)[1], "OH2BH");
    EXPECT_EQ(rowOf(g, 1)[3], "800");
    EXPECT_EQ(rowOf(g, 2), (std::vector<std::string>{"2", "K3LR", "MULTI-SINGLE", "5000", "3000", "", "", "", "", "",
                                                     "", ""}));
}

TEST(ClaimedScores, ThousandsSeparatorsDoNotCutTheClub)
{
    // Figures with separators right-aligned under their titles, the club
    // under "CLUB": the club stays whole and no column without a title
    // appears.
    TKeoEGrid g;
    const auto read = readClaimedScores({"73 TOVK",
                                         "CALL              SCORE   QSOS  HR  CLUB",
                                         "MULTI-TWO HIGH",
                                         "K9CT         22,211,974  5,905  48  SOCIETY OF MIDWEST CONTESTERS",
                                         "W9RE            987,654    876  24  SMC, INC"},
                                        g);
    EXPECT_EQ(read.Stations, 2);
    using R = std::vector<std::string>;
    EXPECT_EQ(rowOf(g, 0), (R{"#", "CALL", "CATEGORY", "SCORE", "QSOS", "HR", "CLUB", "160", "80", "40", "20", "15",
                              "10", "TOTAL"}));
    EXPECT_EQ(rowOf(g, 1), (R{"1", "K9CT", "MULTI-TWO HIGH", "22211974", "5905", "48", "SOCIETY OF MIDWEST CONTESTERS",
                              "", "", "", "", "", "", ""}));
    EXPECT_EQ(rowOf(g, 2), (R{"2", "W9RE", "MULTI-TWO HIGH", "987654", "876", "24", "SMC INC", "", "", "", "", "", "",
                              ""}));
}

TEST(ClaimedScores, ClubsWithLettersBeyondAsciiAreUpperCasedWhole)
{
    TKeoEGrid g;
    readClaimedScores({"73 TOVK", "CALL        QSOS   HR   CLUB", "SINGLE OP",
                       "SP7ABC       500   10   Klub \xC5\x81\xC3\xB3" "d\xC5\xBA \xC3\x91" "and\xC3\xBA"},
                      g);
    EXPECT_EQ(g.Cell(1, 1), "SP7ABC");
    EXPECT_EQ(g.Cell(5, 1), "KLUB \xC5\x81\xC3\x93" "D\xC5\xB9 \xC3\x91" "AND\xC3\x9A"); // KLUB ŁÓDŹ ÑANDÚ
}

TEST(ClaimedScores, MailWithoutResultsGivesNoStation)
{
    TKeoEGrid g;
    EXPECT_EQ(readClaimedScores({"Subject: nothing", "CALL QSOS HR CLUB", "SO", "K1AR 100 10 X"}, g).Stations, 0);
    EXPECT_EQ(g.Cell(0, 1), "");
}

TEST(ClaimedScores, EncodedBodiesAreDecodedBeforeReading)
{
    const std::string qp = joined({"Subject: [3830] Test", "MIME-Version: 1.0",
                                   "Content-Type: multipart/alternative;", " boundary=\"XX\"", "", "--XX",
                                   "Content-Type: text/plain; charset=us-ascii",
                                   "Content-Transfer-Encoding: quoted-printable", "", "73 TOVK",
                                   "CALL        QSOS   HR   CLUB", "SINGLE OP", "K1AR         500   10   YANKEE =",
                                   "CLIPPER =3D CC", "--XX", "Content-Type: text/html", "",
                                   "<p>73 TOVK</p><p>W1AW 1 1</p>", "--XX--"});
    TKeoEGrid g;
    auto read = readClaimedScores(mailTextLines(qp), g);
    EXPECT_EQ(read.Subject, "[3830] TEST");
    ASSERT_EQ(read.Stations, 1);
    EXPECT_EQ(g.Cell(1, 1), "K1AR");
    EXPECT_EQ(g.Cell(5, 1), "YANKEE CLIPPER = CC");

    // "73 TOVK\r\nCALL QSOS\r\nSO\r\nK1AR 500\r\n" in base64.
    const std::string b64 = joined({"Subject: b", "Content-Transfer-Encoding: base64", "",
                                    "NzMgVE9WSw0KQ0FMTCBRU09TDQpTTw0KSzFBUiA1MDANCg=="});
    read = readClaimedScores(mailTextLines(b64), g);
    ASSERT_EQ(read.Stations, 1);
    EXPECT_EQ(rowOf(g, 1)[3], "500");
}

TEST(ClaimedScores, BandsWorkedInTheLogAreMarked)
{
    TKeoEGrid g;
    readClaimedScores(mailTextLines(joined(kMail)), g);
    const int c160 = g.ColCount() - 7;
    // No log: nothing marked.
    log_and_3830(g, logWith({}));
    for (int c = c160; c < g.ColCount(); ++c) EXPECT_EQ(g.Cell(c, 1), "");

    log_and_3830(g, logWith({{"K1AR", "20"}, {"k1ar", "40"}, {"K1AR", "20"}, {"W1AW", ""}, {"UA3AAA", "10"}}));
    using R = std::vector<std::string>;
    auto bands = [&](int r) {
        const R row = rowOf(g, r);
        return R(row.begin() + c160, row.end());
    };
    EXPECT_EQ(bands(1), (R{"", "", "OK", "OK", "", "", ""}));
    EXPECT_EQ(bands(2), (R{"", "", "", "", "", "", ""}));
    EXPECT_EQ(bands(3), (R{"", "", "", "", "", "OK", ""}));

    // Marks follow the log: a later log without the station clears them.
    log_and_3830(g, logWith({{"K1AR", "80"}}));
    EXPECT_EQ(bands(1), (R{"", "OK", "", "", "", "", ""}));
}

TEST(ClaimedScores, SearchCallsignsAndPageNames)
{
    TKeoEGrid g;
    readClaimedScores(mailTextLines(joined(kMail)), g);
    EXPECT_EQ(findClaimedCallsign(g, "w1aw"), 2);
    EXPECT_EQ(findClaimedCallsign(g, "N2IC"), 0);
    EXPECT_EQ(claimedCallsigns(g), (std::vector<std::string>{"K1AR", "W1AW", "UA3AAA"}));

    const std::pair<const char*, const char*> names[] = {
        {"[3830] CQ WW CW 2004: Claimed", "[3830] CQ WW CW 2004- Claimed"},
        {"a/b\\c.htm", "a-b-c"},
        {" Scores.HTM ", "Scores"},
        {"plain", "plain"},
    };
    for (const auto& [in, out] : names) EXPECT_EQ(htmlPageName(in), out) << in;
}
