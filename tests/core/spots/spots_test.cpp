#include "spots/spots.h"

#include "../scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A line in the cluster layout: the spotter and its ":" from column 7, the
// frequency ending at column 24, the DX call at 27, the comment at 40 and the
// time at 71.
std::string spotLine(const std::string& spotter, const std::string& freq, const std::string& dx,
                     const std::string& comment, const std::string& time, const std::string& start = "DX de ")
{
    std::string s(75, ' ');
    s.replace(0, start.size(), start);
    s.replace(6, spotter.size() + 1, spotter + ":");
    const std::size_t freqStart = freq.size() >= 18 ? 6 : 24 - freq.size();
    s.replace(freqStart, freq.size(), freq);
    s.replace(26, dx.size(), dx);
    s.replace(39, comment.size(), comment);
    s.replace(70, time.size() + 1, time + "Z");
    return s;
}

std::vector<std::string> column(const TKeoEGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < g.RowCount(); ++r) out.push_back(g.Cell(col, r));
    return out;
}

TKeoEGrid spotGridOf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    TKeoEGrid g;
    initSpotGrid(g);
    readSpotText(text, g);
    return g;
}

} // namespace

TEST(SpotLine, FieldsOfTheClusterLayout)
{
    struct Case {
        std::string line;
        SpotLine kind;
        Spot spot;
    } cases[] = {
        {spotLine("DL1ABC", "14025.0", "UA3XXX", "CW 599", "1234"), SpotLine::Spot,
         {"DL1ABC", "14025.0", "20", "UA3XXX", "CW 599", "1234"}},
        // Skimmers and 8-character spotters fill the old field up to the ":".
        {spotLine("W1NT-6-#", "7012.5", "K1ABC", "CW 12 dB 25 WPM CQ", "0001"), SpotLine::Spot,
         {"W1NT-6-#", "7012.5", "40", "K1ABC", "CW 12 dB 25 WPM CQ", "0001"}},
        {spotLine("DL8LAS-#", "3520.0", "OH2BH", "", "2359"), SpotLine::Spot,
         {"DL8LAS-#", "3520.0", "80", "OH2BH", "", "2359"}},
        {spotLine("VE3XYZ-2-#", "28010.0", "ZS6A", "", "1200"), SpotLine::Spot,
         {"VE3XYZ-2-#", "28010.0", "10", "ZS6A", "", "1200"}},
        // A cluster that cuts the skimmer's call at seven characters leaves
        // a "-" that belongs to no callsign.
        {spotLine("ZF2VUY-", "14025.0", "K1ABC", "CW 12 dB", "0100"), SpotLine::Spot,
         {"ZF2VUY", "14025.0", "20", "K1ABC", "CW 12 dB", "0100"}},
        {spotLine("W1NT-6-", "7012.5", "K1ABC", "", "0100"), SpotLine::Spot,
         {"W1NT-6", "7012.5", "40", "K1ABC", "", "0100"}},
        // Today's band plan: 40 m up to 7300 kHz, 10 m up to 29700 kHz.
        {spotLine("K3LR", "7250.0", "W1AW", "", "1200"), SpotLine::Spot, {"K3LR", "7250.0", "40", "W1AW", "", "1200"}},
        {spotLine("K3LR", "29600.0", "W1AW", "FM", "1200"), SpotLine::Spot,
         {"K3LR", "29600.0", "10", "W1AW", "FM", "1200"}},
        // Microwave frequencies keep every digit; outside the six bands, no band.
        {spotLine("OK1KIR", "10368100.0", "DL7QY", "EME", "0815"), SpotLine::Spot,
         {"OK1KIR", "10368100.0", "", "DL7QY", "EME", "0815"}},
        {spotLine("G4ABC", "14O25.0", "VK2XX", "", "0100"), SpotLine::BadFrequency,
         {"G4ABC", "14O25.0", "", "VK2XX", "", "0100"}},
    };
    for (const Case& c : cases) {
        Spot s;
        ASSERT_EQ(parseSpotLine(c.line, s), c.kind) << c.line;
        EXPECT_EQ(s.Spotter, c.spot.Spotter) << c.line;
        EXPECT_EQ(s.Frequency, c.spot.Frequency) << c.line;
        EXPECT_EQ(s.Band, c.spot.Band) << c.line;
        EXPECT_EQ(s.DX, c.spot.DX) << c.line;
        EXPECT_EQ(s.Comments, c.spot.Comments) << c.line;
        EXPECT_EQ(s.Time, c.spot.Time) << c.line;
    }
}

TEST(SpotLine, OtherLinesAreNoSpots)
{
    Spot s;
    EXPECT_EQ(parseSpotLine(spotLine("DL1ABC", "14025.0", "UA3XXX", "", "1234", "dx de "), s), SpotLine::NotSpot);
    EXPECT_EQ(parseSpotLine("To ALL de DL1ABC: hello", s), SpotLine::NotSpot);
    EXPECT_EQ(parseSpotLine("", s), SpotLine::NotSpot);
    // Cut short before its time: never read past the end.
    const std::string full = spotLine("DL1ABC", "14025.0", "UA3XXX", "", "1234");
    for (std::size_t len : {5u, 20u, 30u, 73u}) EXPECT_EQ(parseSpotLine(full.substr(0, len), s), SpotLine::Unreadable) << len;
    EXPECT_EQ(parseSpotLine("DX de " + std::string(70, ' '), s), SpotLine::Unreadable);
}

TEST(SpotFile, SpotsAndOneMessageForTheBadLines)
{
    std::string text = "Cluster log of the weekend\r\n";
    text += spotLine("DL1ABC", "14025.0", "UA3XXX", "", "1234") + "\r\n";
    text += "DX de SHORT: 14000.0 K1ABC\n";
    text += spotLine("G4ABC", "abc", "VK2XX", "", "0100") + "\n";
    text += spotLine("SM5AAA", "21010.0", "JA1XX", "", "0200");
    TKeoEGrid g;
    initSpotGrid(g);
    const SpotFileSummary c = readSpotText(text, g);
    ASSERT_EQ(c.spots, 3);
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.RowCells(2), (std::vector<std::string>{"2", "G4ABC", "abc", "", "VK2XX", "", "0100"}));
    EXPECT_EQ(g.Cell(spcDX, 3), "JA1XX");
    ASSERT_EQ(c.badLines.size(), 2u);
    EXPECT_EQ(badSpotLinesMessage(c.badLines), "Mistake in a format:\nDX de SHORT: 14000.0 K1ABC\n" + c.badLines[1]);
    EXPECT_EQ(badSpotLinesMessage({}), "");

    // Nothing to read: the table keeps the spots it had, the bad line is told.
    const SpotFileSummary none = readSpotText("dx de lower case\nDX de SHORT\n", g);
    EXPECT_EQ(none.spots, 0);
    EXPECT_EQ(none.badLines, std::vector<std::string>{"DX de SHORT"});
    EXPECT_EQ(g.RowCount(), 4);

    const std::vector<std::string> many(25, "DX de X");
    const std::string msg = badSpotLinesMessage(many);
    EXPECT_EQ(std::count(msg.begin(), msg.end(), '\n'), 11);
    EXPECT_NE(msg.find("25 lines in all"), std::string::npos);
}

class SpotFileOnDisk : public ScratchFolderTest {};

TEST_F(SpotFileOnDisk, ReadsTheFileAndNamesAMissingOne)
{
    const std::string path = write("spots.txt", {spotLine("DL1ABC", "14025.0", "UA3XXX", "", "1234")}, "\n");
    TKeoEGrid g;
    initSpotGrid(g);
    EXPECT_EQ(readSpotFile(path, g).spots, 1);
    EXPECT_THROW(readSpotFile((dir / "none.txt").string(), g), std::runtime_error);
}

TEST(SpotCounts, PerCallLargestFirstCaseIgnored)
{
    TKeoEGrid spots = spotGridOf({
        spotLine("DL1ABC", "14025.0", "UA3XXX", "", "1234"),
        spotLine("9A1A", "14026.0", "UA3XXX", "", "1235"),   // sorts before every other spotter
        spotLine("dl1abc", "14027.0", "K1ABC", "", "1236"),
        spotLine("9A1A", "14028.0", "UA3XXX", "", "1237"),
        spotLine("9A1A", "14029.0", "3DA0XX", "", "1238"),   // a DX call that sorts first
        spotLine("W1NT-6-#", "14030.0", "UA3XXX", "", "1239"),
    });
    ASSERT_EQ(spots.RowCount(), 7);
    EXPECT_EQ(column(spots, spcNumber), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));

    TKeoEGrid spotters(3, 2);
    EXPECT_EQ(countSpotsBy(spots, 6, spcSpotter, spotters), 3);
    EXPECT_EQ(column(spotters, 1), (std::vector<std::string>{"9A1A", "DL1ABC", "W1NT-6-#"}));
    EXPECT_EQ(column(spotters, 2), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(column(spotters, 0), (std::vector<std::string>{"1", "2", "3"}));

    TKeoEGrid dx(3, 2);
    EXPECT_EQ(countSpotsBy(spots, 6, spcDX, dx), 3);
    EXPECT_EQ(column(dx, 1), (std::vector<std::string>{"UA3XXX", "K1ABC", "3DA0XX"}));
    EXPECT_EQ(column(dx, 2), (std::vector<std::string>{"4", "1", "1"}));
}

TEST(SpotCounts, NoLimitOnCallsOrCounts)
{
    // A weekend's file: more distinct calls than 5000 and one call spotted
    // more often than a 16-bit counter holds.
    TKeoEGrid spots;
    initSpotGrid(spots);
    spots.SetRowCount(77001);
    for (int r = 1; r <= 77000; ++r) {
        spots.SetCell(spcSpotter, r, "DL1ABC");
        spots.SetCell(spcDX, r, r <= 7000 ? "K" + std::to_string(r) : "UA3XXX");
    }
    TKeoEGrid dx(3, 2);
    EXPECT_EQ(countSpotsBy(spots, 77000, spcDX, dx), 7001);
    EXPECT_EQ(dx.Cell(1, 1), "UA3XXX");
    EXPECT_EQ(dx.Cell(2, 1), "70000");
    TKeoEGrid spotters(3, 2);
    EXPECT_EQ(countSpotsBy(spots, 77000, spcSpotter, spotters), 1);
    EXPECT_EQ(spotters.Cell(2, 1), "77000");
}

TEST(SpotSearch, RowsWhereTheCallIsSpotterOrDxWhateverTheLetterCase)
{
    TKeoEGrid spots = spotGridOf({
        spotLine("DL1ABC", "14025.0", "UA3XXX", "a", "1234"),
        spotLine("UA3XXX", "7010.0", "K1ABC", "b", "1235"),
        spotLine("SM5AAA", "21010.0", "ua3xxx", "c", "1236"),
        spotLine("SM5AAA", "21011.0", "UA3XXX/P", "d", "1237"),
        spotLine("G4ABC", "3510.0", "UA3XXX", "e", "1238"),
    });
    TKeoEGrid found(7, 2);
    // As the DX list counts it: "ua3xxx" is the same station, "/P" another.
    TKeoEGrid dx(3, 2);
    countSpotsBy(spots, 5, spcDX, dx);
    EXPECT_EQ(dx.Cell(1, 1), "UA3XXX");
    EXPECT_EQ(dx.Cell(2, 1), "3");
    for (const char* call : {"UA3XXX", "ua3xxx"}) {
        EXPECT_EQ(searchSpots(spots, 5, call, found), 4) << call;
        EXPECT_EQ(column(found, spcComments), (std::vector<std::string>{"a", "b", "c", "e"})) << call;
        EXPECT_EQ(found.Cell(spcNumber, 4), "5") << call;
    }
    // Only the rows read count: a search within the first two spots.
    EXPECT_EQ(searchSpots(spots, 2, "UA3XXX", found), 2);
    EXPECT_EQ(searchSpots(spots, 5, "NOBODY", found), 0);
    EXPECT_EQ(found.RowCount(), 2);
}
