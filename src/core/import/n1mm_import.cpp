#include "import/n1mm_import.h"

#include "import/post_load.h"
#include "import/time_order.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace {

enum DxlogField : std::size_t { fTimestamp = 0, fCall = 1, fFreq = 2, fMode = 4, fTx = 26 };

const std::string& fieldAt(const std::vector<std::string>& f, std::size_t i)
{
    static const std::string none;
    return i < f.size() ? f[i] : none;
}

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "yyyy-mm-dd hh:mm[:ss]" (any one-character separators) as "yyyy-mm-dd"
// and "hhmm"; false when the digits are not where they belong.
bool splitTimestamp(const std::string& ts, std::string& date, std::string& time)
{
    if (ts.size() < 16) return false;
    const std::string_view v(ts);
    if (!allDigits(v.substr(0, 4)) || !allDigits(v.substr(5, 2)) || !allDigits(v.substr(8, 2)) ||
        !allDigits(v.substr(11, 2)) || !allDigits(v.substr(14, 2)))
        return false;
    date = ts.substr(0, 4) + "-" + ts.substr(5, 2) + "-" + ts.substr(8, 2);
    time = ts.substr(11, 2) + ts.substr(14, 2);
    return true;
}

struct Qso {
    std::size_t place; // 1-based place in the contest's rows of the table
    bool timed;
    std::string date, time, call, kHz, mode, tx;
};

} // namespace

std::vector<N1mmContest> readN1mmContests(TableSource& db)
{
    std::vector<N1mmContest> list;
    db.forEachRow("ContestInstance", [&](const std::vector<std::string>& f) {
        list.push_back({fieldAt(f, 1), fieldAt(f, 2), fieldAt(f, 3), fieldAt(f, 9), fieldAt(f, 12)});
    });
    return list;
}

void fillN1mmContestGrid(TKeoEGrid& grid, const std::vector<N1mmContest>& contests)
{
    TKeoEGrid::BatchUpdate batch(grid);
    grid.SetColCount(5);
    grid.SetHeader({"Contest", "Date", "Category", "Callsign", "ID"});
    grid.ClearGrid();
    grid.SetRowCount(std::max<int>(2, static_cast<int>(contests.size()) + 1));
    for (std::size_t i = 0; i < contests.size(); ++i) {
        const auto& c = contests[i];
        grid.WriteRow(static_cast<int>(i) + 1, {c.contest, c.date, c.category, c.callsign, c.id});
    }
}

int importN1mmContest(AppState& s, TableSource& db, const N1mmContest& contest, const std::string& dbPath)
{
    const auto names = db.fieldNames("DXLOG");
    std::size_t nrField = names.size();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (zem::iequals(names[i], "ContestNR")) nrField = i;
    if (nrField == names.size()) throw std::runtime_error("The table DXLOG of " + dbPath + " has no field ContestNR");

    const std::string id = zem::trim(contest.id);
    std::vector<Qso> qsos;
    db.forEachRow("DXLOG", [&](const std::vector<std::string>& f) {
        if (zem::trim(fieldAt(f, nrField)) != id) return;
        Qso q;
        q.place = qsos.size() + 1;
        q.timed = splitTimestamp(fieldAt(f, fTimestamp), q.date, q.time);
        q.call = fieldAt(f, fCall);
        const std::string& freq = fieldAt(f, fFreq);
        q.kHz = freq.substr(0, freq.find('.'));
        q.mode = fieldAt(f, fMode);
        if (q.mode.find("SB") != std::string::npos) q.mode = "PH";
        q.tx = fieldAt(f, fTx);
        qsos.push_back(std::move(q));
    });

    // The table keeps QSOs in the order they were entered, not the order they
    // were made (edits, two radios): the log is put into time order, whole
    // dates included so that a contest over a month's end stays in order.
    sortByQsoTime(qsos, [](const Qso& q) { return QsoTimeOf{q.timed, q.date, q.time}; });

    resetLogHeader(s.header);
    auto& grid = s.log_grid;
    {
        TKeoEGrid::BatchUpdate batch(grid);
        grid.ClearGrid();
        grid.SetRowCount(std::max<int>(2, static_cast<int>(qsos.size()) + 1));
        for (std::size_t i = 0; i < qsos.size(); ++i) {
            const Qso& q = qsos[i];
            const int r = static_cast<int>(i) + 1;
            grid.SetCell(lcNumber, r, std::to_string(q.place));
            grid.SetCell(lcDate, r, q.date);
            grid.SetCell(lcTime, r, q.time);
            grid.SetCell(lcCallsign, r, q.call);
            grid.SetCell(lcKHz, r, q.kHz);
            grid.SetCell(lcMode, r, q.mode);
            grid.SetCell(lcTX, r, q.tx);
            if (!q.timed) {
                s.RowCounter = r;
                Bad_QSO(s);
            }
        }
    }
    const int n = static_cast<int>(qsos.size());
    s.RowCounter = n;
    s.header.QsoCount = n;
    s.header.ContestName = contest.contest.substr(0, 50);
    s.header.Category = contest.category;
    s.header.StationCall = contest.callsign;
    s.header.LogYear = n > 0 ? grid.Cell(lcDate, 1).substr(0, 4) : std::string();
    s.header.OutputDir = absoluteFolderOf(dbPath);
    return n;
}
