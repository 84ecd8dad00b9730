#include "import/adif_reader.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

AppState load(std::string_view data, const AdifReadOptions& opt = {})
{
    AppState s;
    readAdifRecords(s, data, opt);
    return s;
}

std::vector<std::string> calls(const AppState& s)
{
    std::vector<std::string> out;
    for (int r = 1; r <= s.header.QsoCount; ++r) out.push_back(s.log_grid.Cell(lcCallsign, r));
    return out;
}

} // namespace

// One record per case; the cell the field lands in, as the log table keeps it.
TEST(AdifReader, FieldsLandInTheirColumns)
{
    struct Case {
        const char* adif;
        int column;
        const char* expected;
    } cases[] = {
        {"<CALL:5>SM5AA<EOR>", lcCallsign, "SM5AA"},
        {"<CALL:10>OH2/SM5AAA<EOR>", lcCallsign, "OH2/SM5AAA"},
        {"<call:5>sm5aa<eor>", lcCallsign, "SM5AA"},
        {"<FREQ:6>14.025<EOR>", lcKHz, "14025"},
        {"<FREQ:4>14.2<EOR>", lcKHz, "14200"},
        {"<FREQ:2>14<EOR>", lcKHz, "14000"},
        {"<FREQ:7>1.83051<EOR>", lcKHz, "1830"},
        {"<BAND:3>40M<EOR>", lcBand, "40"},
        {"<BAND:3>40m<EOR>", lcKHz, "7000"},
        {"<BAND:4>160M<EOR>", lcKHz, "1800"},
        {"<BAND:2>6M<EOR>", lcKHz, ""},
        {"<BAND:3>40M<FREQ:5>7.012<EOR>", lcKHz, "7012"},
        {"<FREQ:5>7.012\n<BAND:3>40M<EOR>", lcKHz, "7012"},
        {"<FREQ:3>abc<BAND:3>20M<EOR>", lcKHz, "14000"},
        {"<QSO_DATE:8>20070219<EOR>", lcDate, "2007-02-19"},
        {"<QSO_DATE:8:D>20070219<EOR>", lcDate, "2007-02-19"},
        {"<TIME_ON:6>123456<EOR>", lcTime, "1234"},
        {"<TIME_ON:4>0905<EOR>", lcTime, "0905"},
        {"<MODE:3>SSB<EOR>", lcMode, "PH"},
        {"<MODE:3>ssb<EOR>", lcMode, "PH"},
        {"<MODE:4>RTTY<EOR>", lcMode, "RTTY"},
        {"<OPERATOR:6>sm5abc<EOR>", lcOperator, "SM5ABC"},
        {"<RADIO_NR:1>2<EOR>", lcTX, "2"},
        {"<APP_N1MM_RADIO_NR:1>2<EOR>", lcTX, ""},
        {"<CALL:5>SM5AA<EOR>", lcNumber, "1"},
    };
    for (const Case& c : cases) {
        const AppState s = load(c.adif);
        ASSERT_EQ(s.header.QsoCount, 1) << c.adif;
        EXPECT_EQ(s.log_grid.Cell(c.column, 1), c.expected) << c.adif;
    }
}

// How real exports lay their records out; the calls read, in order.
TEST(AdifReader, RecordsAreFoundWhereverTheyStand)
{
    struct Case {
        const char* name;
        std::string adif;
        std::vector<std::string> calls;
    } cases[] = {
        {"record over two lines", "<EOH>\n<CALL:4>K1AR\n<MODE:2>CW <EOR>\n", {"K1AR"}},
        {"several records on a line", "<CALL:4>K1AR<EOR><CALL:5>W1AAA<EOR> <CALL:4>N2IC<EOR>\n",
         {"K1AR", "W1AAA", "N2IC"}},
        {"'<' and '>' inside a value", "<COMMENT:14>a <CALL:3>x> b<CALL:4>K1AR<EOR>", {"K1AR"}},
        {"free text and '#' lines before the header's end",
         "Exported by some <logger> 1.0\n# <CALL:4>XXXX\nnotes: 3 < 4\n<ADIF_VER:5>3.1.0\n<eoh>\n<CALL:4>K1AR<EOR>",
         {"K1AR"}},
        {"no header at all", "<CALL:4>K1AR<EOR>\r\n<CALL:4>N2IC<EOR>\r\n", {"K1AR", "N2IC"}},
        {"fields of a header that starts with a tag", "<ADIF_VER:5>3.1.0 <CALL:4>XXXX <EOH> <CALL:4>K1AR<EOR>",
         {"K1AR"}},
        {"Latin-1 bytes in a comment", "<COMMENT:6>G\xf6ran <CALL:5>SM5AA<EOR>", {"SM5AA"}},
        {"two-digit and long lengths", "<COMMENT:12>0123456789AB<CALL:04>K1AR<EOR>", {"K1AR"}},
        {"unknown and empty fields", "<X_FOO:0><CALL:4>K1AR<MY_TAG:3>abc<EOR>", {"K1AR"}},
        {"last record without its end", "<CALL:4>K1AR<EOR><CALL:4>N2IC", {"K1AR"}},
        {"a tag with a length that is no number", "<CALL:X>K1AR<CALL:4>N2IC<EOR>", {"N2IC"}},
    };
    for (const Case& c : cases) {
        const AppState s = load(c.adif);
        EXPECT_EQ(calls(s), c.calls) << c.name;
        EXPECT_EQ(s.log_grid.RowCount(), static_cast<int>(c.calls.size()) + 1) << c.name;
    }
}

TEST(AdifReader, HeaderValuesOfTheLog)
{
    AppState s = load("<CALL:4>K1AR<QSO_DATE:8>20070219<EOR><CALL:4>N2IC<QSO_DATE:8>20080101<EOR>");
    EXPECT_EQ(s.header.ContestName, "ADIF LOG");
    EXPECT_EQ(s.header.LogYear, "2007");
    EXPECT_EQ(s.header.QsoCount, 2);

    s = load("<CONTEST_ID:7>cq-ww-c<CALL:4>K1AR<EOR><CONTEST_ID:10>RDXC-CW-XX<CALL:4>N2IC<EOR><CONTEST_ID:3>BAD");
    EXPECT_EQ(s.header.ContestName, "RDXC-CW-XX") << "the last complete record's contest wins";

    s = load(std::string("<CONTEST_ID:60>") + std::string(60, 'A') + "<EOR>");
    EXPECT_EQ(s.header.ContestName, std::string(50, 'A'));
}

TEST(AdifReader, EmptyInputGivesAnEmptyLogWithItsTitleRow)
{
    AppState s;
    initLogGrid(s.log_grid);
    s.log_grid.SetRowCount(50); // a longer log before
    s.log_grid.SetCell(lcCallsign, 1, "OLD");
    s.header.QsoCount = 49;
    readAdifRecords(s, "");
    EXPECT_EQ(s.header.QsoCount, 0);
    EXPECT_EQ(s.log_grid.RowCount(), 2);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), "");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 0), "Callsign");
    EXPECT_EQ(s.header.LogYear, "");
}

TEST(AdifReader, OperatorModeKeepsOnlyTheChosenOperatorNumberedInFileOrder)
{
    const std::string adif = "<CALL:4>K1AR<OPERATOR:5>SM5AA<EOR>"
                             "<CALL:4>N2IC<OPERATOR:5>SM5BB<EOR>"
                             "<CALL:5>W1AAA<OPERATOR:5>sm5aa<EOR>"
                             "<CALL:4>K3LR<EOR>";
    const AppState s = load(adif, {true, "SM5AA"});
    EXPECT_EQ(calls(s), (std::vector<std::string>{"K1AR", "W1AAA"}));
    EXPECT_EQ(s.log_grid.Cell(lcNumber, 2), "2");
    EXPECT_EQ(s.log_grid.Cell(lcOperator, 2), "SM5AA");
    EXPECT_EQ(s.log_grid.RowCount(), 3);
}

// Whatever the bytes, the reader ends and stays inside them. The data sits in
// a buffer of exactly its size, so the address sanitizer sees any read past it.
TEST(AdifReader, SurvivesHostileInput)
{
    auto exact = [](const std::string& text) {
        AppState s;
        std::vector<char> buf(text.begin(), text.end());
        readAdifRecords(s, std::string_view(buf.data(), buf.size()));
        return s;
    };
    EXPECT_EQ(exact("<CALL:4294967296>K1AR<EOR>").header.QsoCount, 0);
    EXPECT_EQ(exact("<CALL:123456789012345678901234567890>K1AR<EOR>").header.QsoCount, 0);
    EXPECT_EQ(exact("<CALL:4>K1AR<EOR><CALL:9>AB").header.QsoCount, 1);
    for (const char* tail : {"<", "<C", "<CALL", "<CALL:", "<CALL:4", "<CALL:4:", "<CALL:4>", "<EOR", "<QSO_DATE:8>2007"})
        EXPECT_EQ(exact(std::string("<CALL:4>K1AR<EOR>") + tail).header.QsoCount, 1) << tail;

    std::mt19937 rng(7);
    const char alphabet[] = "<>:0123456789EORHCALdt \n\x00\xff";
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 400, ' ');
        for (char& c : text)
            c = rng() % 3 ? alphabet[rng() % (sizeof alphabet - 1)] : static_cast<char>(rng() % 256);
        const AppState s = exact(text);
        EXPECT_EQ(s.log_grid.RowCount(), std::max(2, s.header.QsoCount + 1));
    }
}

TEST(AdifReader, RealContestExport)
{
    const std::string data = zem::readFile(std::string(ZEM_SOURCE_DIR) + "/tests/data/JI1FLB_n1mm_SCCRTTY2018.adi");
    const AppState s = load(data);
    EXPECT_EQ(s.header.QsoCount, 19);
    EXPECT_EQ(s.header.ContestName, "SCC-RTTY");
    EXPECT_EQ(s.header.LogYear, "2018");
    const auto& g = s.log_grid;
    EXPECT_EQ(g.RowCells(1)[lcCallsign], "DS5USH");
    EXPECT_EQ(g.Cell(lcCallsign, 2), "BV2A/3");
    EXPECT_EQ(g.Cell(lcKHz, 1), "14091");
    EXPECT_EQ(g.Cell(lcBand, 1), "20");
    EXPECT_EQ(g.Cell(lcMode, 1), "RTTY");
    EXPECT_EQ(g.Cell(lcDate, 1), "2018-08-25");
    EXPECT_EQ(g.Cell(lcTime, 1), "1205");
    EXPECT_EQ(g.Cell(lcOperator, 1), "JI1FLB6");
    EXPECT_EQ(g.Cell(lcNumber, 19), "19");
    for (int r = 1; r <= 19; ++r) EXPECT_FALSE(g.Cell(lcCallsign, r).empty()) << r;
}

// Logbooks are often written newest first; the log table is a time line.
TEST(AdifReader, RecordsAreSortedByDateAndTime)
{
    const AppState s = load("<EOH>\n"
                            "<CALL:4>C3CC<QSO_DATE:8>20240317<TIME_ON:4>0100<EOR>\n"
                            "<CALL:4>B2BB<QSO_DATE:8>20240316<TIME_ON:6>235930<EOR>\n"
                            "<CALL:4>X9XX<TIME_ON:4>0000<EOR>\n"
                            "<CALL:4>B1BB<QSO_DATE:8>20240316<TIME_ON:6>235910<EOR>\n"
                            "<CALL:4>A1AA<QSO_DATE:8>20231231<TIME_ON:4>2359<EOR>\n"
                            "<CALL:4>D4DD<QSO_DATE:8>20240317<TIME_ON:6>010000<EOR>\n");
    // Seconds order a minute; equal times keep the file's order; no date goes last.
    EXPECT_EQ(calls(s), (std::vector<std::string>{"A1AA", "B1BB", "B2BB", "C3CC", "D4DD", "X9XX"}));
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(s.log_grid.Cell(lcNumber, r), std::to_string(r));
    EXPECT_EQ(s.log_grid.Cell(lcTime, 2), "2359");
    EXPECT_EQ(s.header.LogYear, "2023");
}

TEST(AdifReader, StationCallFromThePrompt)
{
    EXPECT_EQ(adifStationCall("sm5aa/p"), "SM5AA/P");
    EXPECT_EQ(adifStationCall(std::string(60, 'k')), std::string(50, 'K'));
}
