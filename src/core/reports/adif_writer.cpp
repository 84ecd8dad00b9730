#include "reports/adif_writer.h"

#include "main/log_table.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {

std::string field(const char* tag, const std::string& value)
{
    return std::string("<") + tag + ":" + std::to_string(value.size()) + ">" + value;
}

// Left-justified in a column of `width`, never cut.
void putPiece(std::string& line, const std::string& piece, size_t width)
{
    line += piece;
    if (piece.size() < width) line.append(width - piece.size(), ' ');
}

std::string dateValue(const std::string& d)
{
    // "yyyy-mm-dd" without its dashes; anything else is written as it stands
    // less any dash.
    std::string out;
    for (char c : d)
        if (c != '-') out += c;
    return out;
}

// "14025" -> "14.02500", "1830" -> "1.83000". A Cabrillo band designator
// above 30 MHz is in MHz or GHz ("50" -> "50.00000", "144" -> "144.00000",
// "1.2G" -> "1200.00000"). Any other text shorter than four characters gets
// leading zeros.
std::string freqValue(std::string khz)
{
    if (khz.empty()) return {};
    double kHz = 0;
    const bool designator = khz.size() < 4 || khz.back() == 'G' || khz.back() == 'g';
    if (designator && kHzOfCell(khz, kHz) && kHz >= 10000 && kHz < 1e12) khz = std::to_string(std::llround(kHz));
    if (khz.size() < 4) khz.insert(0, 4 - khz.size(), '0');
    return khz.substr(0, khz.size() - 3) + "." + khz.substr(khz.size() - 3) + "00";
}

std::string modeValue(const std::string& m)
{
    if (m == "CW") return "CW";
    if (m == "PH") return "SSB";
    if (m == "RY") return "RTTY";
    return m;
}

} // namespace

std::string adifQsoLine(const TKeoEGrid& log, int row, const std::string& contestName)
{
    const std::string& time = log.Cell(lcTime, row);
    std::string line;
    line.reserve(200 + contestName.size());
    putPiece(line, "QSO# " + std::to_string(row), 12);
    putPiece(line, field("CALL", log.Cell(lcCallsign, row)), 25);
    putPiece(line, field("QSO_DATE", dateValue(log.Cell(lcDate, row))), 23);
    putPiece(line, field("TIME_ON", time), 20);
    putPiece(line, field("TIME_OFF", time), 20);
    putPiece(line, field("FREQ", freqValue(log.Cell(lcKHz, row))), 20);
    putPiece(line, field("MODE", modeValue(log.Cell(lcMode, row))), 15);
    putPiece(line, field("CONTEST_ID", contestName), contestName.size() + 20);
    putPiece(line, "<COMMENT:3>ZEM", 15);
    line += "<EOR>";
    return line;
}

void writeAdif(std::ostream& out, const TKeoEGrid& log, const LogHeader& h, const std::string& originalFile)
{
    out << kProgramName << "\n"
        << kProgramVersion << "\n"
        << "\n"
        << "Original file:   " << originalFile << "\n"
        << "\n"
        << h.LogTitle << "\n"
        << "\n"
        << h.QsoCount << " QSO Total\n"
        << "\n"
        << "\n"
        << "<EOH>\n";
    for (int r = 1; r < log.RowCount(); ++r) out << adifQsoLine(log, r, h.ContestName) << "\n";
}

std::string exportAdif(const std::string& chosenName, const TKeoEGrid& log, const LogHeader& h,
                       const std::string& originalFile)
{
    const std::string path = chosenName + ".adi";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create file \"" + path + "\"");
    writeAdif(out, log, h, originalFile);
    out.flush();
    if (!out) throw std::runtime_error("Cannot write file \"" + path + "\"");
    return path;
}
