#include "reports/adif_writer.h"

#include "import/adif_reader.h"
#include "import/cabrillo_reader.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string pad(const std::string& s, size_t w) { return s + std::string(w > s.size() ? w - s.size() : 0, ' '); }

void addQso(AppState& s, const std::string& call, const std::string& khz, const std::string& mode,
            const std::string& date = "2007-02-17", const std::string& time = "1205")
{
    auto& g = s.log_grid;
    const int r = ++s.header.QsoCount;
    g.SetRowCount(r + 1);
    g.SetCell(lcNumber, r, std::to_string(r));
    g.SetCell(lcCallsign, r, call);
    g.SetCell(lcKHz, r, khz);
    g.SetCell(lcMode, r, mode);
    g.SetCell(lcDate, r, date);
    g.SetCell(lcTime, r, time);
}

AppState threeQsoLog()
{
    AppState s;
    initLogGrid(s.log_grid);
    s.header.ContestName = "RDXC";
    s.header.LogTitle = "RDXC SM5AA 2007";
    addQso(s, "SM5AA", "14025", "CW");
    addQso(s, "UA3AAA", "1830", "PH");
    addQso(s, "K1AR", "28040", "RY");
    return s;
}

} // namespace

TEST(AdifWriter, HeaderAndFixedColumns)
{
    const AppState s = threeQsoLog();
    std::ostringstream out;
    writeAdif(out, s.log_grid, s.header, "/logs/rdxc.cbr");
    const std::vector<std::string> lines = zem::split(out.str(), '\n');
    ASSERT_EQ(lines.size(), 11u + 3u + 1u); // the last line end leaves an empty piece
    EXPECT_EQ(lines[0], "ZEM Log Analysis");
    EXPECT_EQ(lines[1], "Version 1.0");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Original file:   /logs/rdxc.cbr");
    EXPECT_EQ(lines[5], "RDXC SM5AA 2007");
    EXPECT_EQ(lines[7], "3 QSO Total");
    EXPECT_EQ(lines[8] + lines[9], "");
    EXPECT_EQ(lines[10], "<EOH>");
    EXPECT_EQ(lines[11], pad("QSO# 1", 12) + pad("<CALL:5>SM5AA", 25) + pad("<QSO_DATE:8>20070217", 23) +
                             pad("<TIME_ON:4>1205", 20) + pad("<TIME_OFF:4>1205", 20) + pad("<FREQ:8>14.02500", 20) +
                             pad("<MODE:2>CW", 15) + pad("<CONTEST_ID:4>RDXC", 24) + pad("<COMMENT:3>ZEM", 15) +
                             "<EOR>");
    EXPECT_NE(lines[12].find("<FREQ:7>1.83000 "), std::string::npos);
    EXPECT_NE(lines[12].find("<MODE:3>SSB "), std::string::npos);
    EXPECT_NE(lines[13].find("<MODE:4>RTTY "), std::string::npos);
}

TEST(AdifWriter, LengthsAlwaysAgreeWithTheirValues)
{
    AppState s;
    initLogGrid(s.log_grid);
    addQso(s, "SM5AAA/OH2/MM/QRP", "500", "FM", "", "");
    const std::string line = adifQsoLine(s.log_grid, 1, "");
    // A call too long for its column keeps all its characters; only the padding goes.
    EXPECT_NE(line.find("<CALL:17>SM5AAA/OH2/MM/QRP<QSO_DATE:0>"), std::string::npos) << line;
    EXPECT_NE(line.find("<FREQ:7>0.50000"), std::string::npos) << line;
    EXPECT_NE(line.find("<MODE:2>FM"), std::string::npos) << line;
    EXPECT_NE(line.find(pad("<CONTEST_ID:0>", 20) + "<COMMENT:3>ZEM"), std::string::npos) << line;
}

TEST(AdifWriter, CabrilloBandDesignatorsAreWrittenInMHz)
{
    // Above 30 MHz a Cabrillo log gives the band, which the reader keeps as
    // it stands in the "kHz" cell.
    const fs::path file = fs::temp_directory_path() / ("zem_adifw_vhf_" + std::to_string(::getpid()) + ".log");
    zem::writeFile(file.string(), "START-OF-LOG: 3.0\n"
                                  "CALLSIGN: W1AW\n"
                                  "CONTEST: ARRL-VHF-JAN\n"
                                  "QSO:    50 PH 2024-01-20 1900 W1AW          FN31   K1TEO         FN31\n"
                                  "QSO:   144 PH 2024-01-20 1901 W1AW          FN31   K1TEO         FN31\n"
                                  "QSO:  1.2G PH 2024-01-20 1902 W1AW          FN31   K1TEO         FN31\n"
                                  "QSO: 50125 PH 2024-01-20 1903 W1AW          FN31   K1TEO         FN31\n"
                                  "END-OF-LOG:\n");
    AppState s;
    readCabrilloLog(s, file.string());
    fs::remove(file);
    ASSERT_EQ(s.header.QsoCount, 4);
    const char* const expected[] = {"<FREQ:8>50.00000 ", "<FREQ:9>144.00000 ", "<FREQ:10>1200.00000 ",
                                    "<FREQ:8>50.12500 "};
    for (int r = 1; r <= 4; ++r) {
        const std::string line = adifQsoLine(s.log_grid, r, s.header.ContestName);
        EXPECT_NE(line.find(expected[r - 1]), std::string::npos) << line;
    }
}

TEST(AdifWriter, ExportReadsBackWithEveryQsoIntact)
{
    const fs::path dir = fs::temp_directory_path() / ("zem_adifw_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    AppState s;
    readCabrilloLog(s, std::string(ZEM_SOURCE_DIR) + "/tests/data/VE3EJ_ARRL10_2024_SO.LOG");
    addQso(s, "VE3EJ/VP2V/QRP/M", "28010", "PH", "2024-12-31"); // longer than its column; the log's last QSO

    const std::string chosen = (dir / "out.adi").string();
    const std::string written = exportAdif(chosen, s.log_grid, s.header, "x.log");
    EXPECT_EQ(written, chosen + ".adi");

    AppState back;
    readAdifRecords(back, zem::readFile(written));
    ASSERT_EQ(back.header.QsoCount, s.header.QsoCount);
    EXPECT_EQ(back.header.ContestName, s.header.ContestName.substr(0, 50));
    for (int r = 1; r <= s.header.QsoCount; ++r) {
        for (int c : {lcCallsign, lcKHz, lcDate, lcTime})
            ASSERT_EQ(back.log_grid.Cell(c, r), s.log_grid.Cell(c, r)) << "row " << r << " column " << c;
        const std::string& mode = s.log_grid.Cell(lcMode, r);
        ASSERT_EQ(back.log_grid.Cell(lcMode, r), mode == "RY" ? "RTTY" : mode) << r;
    }
    fs::remove_all(dir);

    EXPECT_THROW(exportAdif((dir / "missing" / "x").string(), s.log_grid, s.header, ""), std::runtime_error);
}
