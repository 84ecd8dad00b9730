#include "import/mixw_reader.h"

#include "import/comma_text.h"
#include "import/post_load.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <filesystem>

namespace {

enum MixwField : std::size_t { fOwnCall = 0, fCall = 1, fDateTime = 2, fHz = 6, fMode = 9, fieldsNeeded = 10 };

std::string part(const std::string& s, std::size_t from1, std::size_t len)
{
    return from1 - 1 < s.size() ? s.substr(from1 - 1, len) : std::string();
}

std::string mixwMode(const std::string& mode)
{
    if (mode == "SSB") return "PH";
    if (mode == "RTTY") return "RY";
    return mode;
}

} // namespace

int readMixwLog(AppState& s, const std::string& path)
{
    const auto lines = zem::readLines(path);
    resetLogHeader(s.header);
    auto& grid = s.log_grid;
    s.RowCounter = 0;
    std::string ownCall;
    {
        TKeoEGrid::BatchUpdate batch(grid);
        grid.ClearGrid();
        grid.SetRowCount(static_cast<int>(lines.size()) + 1);
        for (const auto& line : lines) {
            const auto f = zem::commaTextTokens(line, ';');
            if (f.size() < 2) continue;
            const int r = ++s.RowCounter;
            auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
            const std::string hz = field(fHz);
            const std::string when = field(fDateTime);
            grid.SetCell(lcNumber, r, std::to_string(r));
            grid.SetCell(lcKHz, r, hz.size() > 3 ? hz.substr(0, hz.size() - 3) : std::string());
            grid.SetCell(lcMode, r, mixwMode(field(fMode)));
            grid.SetCell(lcDate, r, part(when, 1, 4) + "-" + part(when, 5, 2) + "-" + part(when, 7, 2));
            grid.SetCell(lcTime, r, part(when, 9, 4));
            grid.SetCell(lcCallsign, r, field(fCall));
            ownCall = field(fOwnCall);
            if (f.size() < fieldsNeeded || when.size() < 12) Bad_QSO(s);
        }
        grid.SetRowCount(std::max(s.RowCounter + 1, 2));
    }
    s.header.QsoCount = s.RowCounter;
    s.header.StationCall = ownCall.substr(0, 50);
    s.header.ContestName = kMixwContestName;
    s.header.LogYear = s.RowCounter > 0 ? grid.Cell(lcDate, 1).substr(0, 4) : std::string();
    s.header.OutputDir = absoluteFolderOf(path);
    return s.RowCounter;
}
