#include "import/trlog_reader.h"

#include "import/comma_text.h"
#include "import/post_load.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace {

// Characters from..to (1-based, both included) of a line, as far as the line goes.
std::string columns(const std::string& line, std::size_t from, std::size_t to)
{
    if (from < 1 || from > line.size()) return {};
    return line.substr(from - 1, std::min(to, line.size()) - from + 1);
}

bool isQsoLine(const std::string& line)
{
    const std::string head = line.substr(0, 2);
    return head == " 1" || head == " 8" || head == " 4" || head == " 2" || head == "16";
}

std::string bandFrequency(const std::string& band)
{
    static const std::array<std::pair<const char*, const char*>, 6> bands{{
        {"160", "1800"}, {" 80", "3500"}, {" 40", "7000"}, {" 20", "14000"}, {" 15", "21000"}, {" 10", "28000"}}};
    for (const auto& [text, kHz] : bands)
        if (band == text) return kHz;
    return {};
}

std::string monthNumber(const std::string& name)
{
    static const std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (std::size_t i = 0; i < months.size(); ++i)
        if (name == months[i]) return (i < 9 ? "0" : "") + std::to_string(i + 1);
    return {};
}

void readHeader(LogHeader& h, const std::string& line)
{
    const auto tok = zem::commaTextTokens(line);
    if (tok.empty()) return;
    h.LogYear = tok.front().substr(0, 5);
    h.StationCall = tok.back().substr(0, 50);
    std::string contest;
    for (std::size_t i = 1; i + 1 < tok.size(); ++i) {
        if (i > 1) contest += ' ';
        contest += tok[i];
    }
    h.ContestName = contest.substr(0, 50);
}

} // namespace

bool isTrLogConfigFile(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    return name == "cty.dat" || name == "logcfg.dat";
}

int readTrLog(AppState& s, const std::string& path)
{
    const auto lines = zem::readLines(path);
    resetLogHeader(s.header); // an empty first line gives no contest, call or year
    s.RowCounter = 0;
    if (!lines.empty()) readHeader(s.header, lines.front());
    s.header.Category = kTrLogCategory;

    auto& grid = s.log_grid;
    {
        TKeoEGrid::BatchUpdate batch(grid);
        grid.ClearGrid();
        grid.SetRowCount(static_cast<int>(lines.size()) + 1);
        std::string month; // a month name the reader does not know keeps the previous QSO's
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string line = lines[i];
            if (!isQsoLine(line)) continue;
            const int r = ++s.RowCounter;
            grid.SetCell(lcNumber, r, std::to_string(r));
            const std::string mode = columns(line, 4, 5);
            grid.SetCell(lcMode, r, mode == "CW" ? "CW" : mode == "SS" ? "PH" : "");
            std::replace(line.begin(), line.end(), '*', ' ');
            grid.SetCell(lcTime, r, columns(line, 18, 19) + columns(line, 21, 22));
            grid.SetCell(lcCallsign, r, zem::trim(columns(line, 30, 43)));
            grid.SetCell(lcKHz, r, bandFrequency(columns(line, 1, 3)));
            if (const std::string m = monthNumber(columns(line, 11, 13)); !m.empty()) month = m;
            grid.SetCell(lcDate, r, "20" + columns(line, 15, 16) + "-" + month + "-" + columns(line, 8, 9));
        }
        grid.SetRowCount(std::max(s.RowCounter + 1, 2));
    }
    s.header.QsoCount = s.RowCounter;
    s.header.OutputDir = absoluteFolderOf(path);
    return s.RowCounter;
}
