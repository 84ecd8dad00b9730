#include "analysis/log_checks.h"

#include "analysis/qso_minutes.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Number of log rows a check reads: the QSOs, never beyond the table.
int logRows(const TKeoEGrid& log, int qsoCount) { return std::max(0, std::min(qsoCount, log.RowCount() - 1)); }

// Puts the findings into the grid at once (a view redraws once) and keeps
// at least one data row, empty when nothing was found.
void writeFindings(TKeoEGrid& errors, const std::vector<std::vector<std::string>>& rows)
{
    TKeoEGrid::BatchUpdate batch(errors);
    errors.SetRowCount(static_cast<int>(rows.size()) + 1 < 2 ? 2 : static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) errors.WriteRow(static_cast<int>(i) + 1, rows[i]);
}

void startCheck(TKeoEGrid& errors, const std::string& markTitle)
{
    std::vector<std::string> h = errors.Header();
    if (h.empty()) h.resize(6);
    h[0] = markTitle;
    errors.SetHeader(std::move(h));
    errors.ClearGrid();
}

void report(const CheckProgress& progress, int pos, int max)
{
    if (progress) progress(pos, max);
}

} // namespace

void initErrorsGrid(TKeoEGrid& grid)
{
    grid.SetColCount(6);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    grid.DefaultRowHeight = 18;
    grid.SetHeader({"Master ", "#", "Line in log", "Mode", "Callsign", "Info"});
    grid.ClearGrid();
}

const std::array<int, 6>& errorsColumnWidths()
{
    static const std::array<int, 6> w = {115, 58, 57, 40, 80, 550};
    return w;
}

FirstQsoIndex::FirstQsoIndex(const TKeoEGrid& log)
{
    for (int r = log.RowCount() - 1; r >= 1; --r) rows_[zem::upperAscii(log.Cell(lcCallsign, r))] = r;
}

int FirstQsoIndex::find(const std::string& call) const
{
    const auto it = rows_.find(zem::upperAscii(call));
    return it == rows_.end() ? 0 : it->second;
}

std::string suspectCallMessage(const std::string& c)
{
    if (c.empty()) throw std::invalid_argument("Empty callsign");
    const size_t n = c.size();
    const bool slash = c.find('/') != std::string::npos;
    auto at = [&](size_t pos) { return pos >= 1 && pos <= n ? c[pos - 1] : '\0'; }; // 1-based
    std::string msg;
    if (c.find('\\') != std::string::npos) msg = "\"\\\" instead \"/\" ?";
    bool digitInSuffix = false;
    for (size_t p = 3; p <= n; ++p) digitInSuffix = digitInSuffix || isDigit(at(p));
    if (!digitInSuffix && !(isDigit(at(2)) && (n <= 5 || slash))) msg = "No digits in suffix";
    if (isDigit(c.back()) && !slash) msg = "Digit at the end";
    if (n < 3) msg = "Too short callsign";
    if (isDigit(at(1)) && isDigit(at(2))) msg = "Two digits together";
    if (!slash) {
        const size_t zero = c.find('0');
        if (zero != std::string::npos && zero + 1 >= 4) msg = "\"O\" instead zero?";
    }
    if (c[0] == '0' || c[0] == '1') msg = "Zero in the beginning";
    return msg;
}

int suspectCallsigns(AppState& s, TKeoEGrid& errors, const CheckProgress& progress)
{
    startCheck(errors, "Pos. error");
    const TKeoEGrid& log = s.log_grid;
    const int last = logRows(log, s.header.QsoCount);
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r <= last; ++r) {
        report(progress, r, last);
        s.RowCounter = r;
        const std::string& c = log.Cell(lcCallsign, r);
        std::string msg;
        try {
            msg = suspectCallMessage(c);
        } catch (const std::exception&) {
            Bad_QSO(s);
            continue;
        }
        if (msg.empty()) continue;
        rows.push_back({"", std::to_string(rows.size() + 1), std::to_string(r), log.Cell(lcMode, r), c, msg});
    }
    writeFindings(errors, rows);
    return static_cast<int>(rows.size());
}

int timeOrder(const TKeoEGrid& log, int qsoCount, TKeoEGrid& errors, const CheckProgress& progress)
{
    startCheck(errors, "");
    const int last = logRows(log, qsoCount);
    std::vector<std::vector<std::string>> rows;
    // A row whose time does not read stands at the minute before it: it is
    // neither out of order itself nor hides the order of the rows around it.
    const std::vector<QsoMinute> minutes = qsoMinutes(log, last);
    QsoMinute minute = last >= 1 ? minutes[1] : 0;
    for (int r = 1; r < last; ++r) {
        report(progress, r, last);
        const QsoMinute next = minutes[static_cast<size_t>(r) + 1];
        if (next < minute)
            rows.push_back({"", std::to_string(rows.size() + 1), std::to_string(r), log.Cell(lcMode, r),
                            log.Cell(lcCallsign, r),
                            "Time: " + log.Cell(lcTime, r) + " > " + log.Cell(lcTime, r + 1)});
        minute = next;
    }
    writeFindings(errors, rows);
    return static_cast<int>(rows.size());
}

std::string confusionLabel(const std::string& mode, char logged, char master)
{
    // Letters a CW ear or a phone ear takes for one another.
    static const std::vector<std::pair<char, char>> cw = {{'C', 'Y'}, {'Y', 'C'}, {'V', 'U'}, {'U', 'V'}, {'R', 'W'},
                                                          {'W', 'R'}, {'I', 'S'}, {'S', 'I'}, {'S', 'H'}, {'H', 'S'},
                                                          {'H', '5'}, {'5', 'H'}, {'J', 'P'}, {'P', 'J'}, {'B', 'D'},
                                                          {'D', 'B'}, {'B', '6'}, {'6', 'B'}, {'N', 'M'}, {'M', 'N'}};
    static const std::vector<std::pair<char, char>> ph = {{'W', 'V'}, {'V', 'W'}, {'X', 'Z'},
                                                          {'Z', 'X'}, {'G', 'J'}, {'J', 'G'}};
    const auto* table = mode == "CW" ? &cw : mode == "PH" ? &ph : nullptr;
    if (!table) return {};
    for (const auto& [a, b] : *table)
        if (a == logged && b == master) return std::string{a, '/', b};
    return {};
}

int possibleMistakes(const TKeoEGrid& log, const std::vector<std::string>& candidates, TMasterCallDB& master,
                     TKeoEGrid& errors, const CheckProgress& progress)
{
    startCheck(errors, "Pos. error");
    const FirstQsoIndex first(log);
    const int count = static_cast<int>(candidates.size());
    std::vector<std::vector<std::string>> rows;
    for (int idx = 0; idx < count; ++idx) {
        report(progress, idx, count);
        const std::string& c = candidates[static_cast<size_t>(idx)];
        if (master.ExactSearch(c)) continue;
        const int q = first.find(c);
        const std::string mode = q > 0 ? log.Cell(lcMode, q) : std::string();
        const std::string up = zem::upperAscii(c);
        std::string labels, found;
        bool swapped = false;
        // Two equal last signs swap into the same call: nothing to learn there.
        if (up.size() == 6 && up[4] != up[5]) {
            std::string s = up;
            std::swap(s[4], s[5]);
            master.PartialSearch(s);
            if (master.Results.size() == 1) {
                found = master.Results.front() + " ";
                labels = "Signs in suffix:5-6";
                swapped = true;
            }
        }
        for (size_t i = 0; !swapped && i < up.size(); ++i) {
            std::string pattern = up;
            pattern[i] = '?';
            master.PartialSearch(pattern);
            for (const std::string& r : master.Results) {
                if (r.size() != up.size()) continue;
                found += r + " ";
                const std::string label = confusionLabel(mode, up[i], r[i]);
                if (!label.empty()) labels += label + " ";
            }
        }
        rows.push_back({labels, std::to_string(rows.size() + 1), "", mode, c, found});
    }
    writeFindings(errors, rows);
    return static_cast<int>(rows.size());
}

int partialsInLog(const TKeoEGrid& log, const std::array<std::vector<std::string>, 6>& columns, TMasterCallDB* master,
                  TKeoEGrid& errors, const CheckProgress& progress)
{
    startCheck(errors, "Master");
    // Every station of two to six bands under each of its one-sign-open
    // patterns: a candidate then meets only the stations it may differ from
    // in one sign, never the whole log.
    struct Station {
        int bands;
        size_t index;
    };
    std::unordered_map<std::string, std::vector<Station>> byPattern;
    for (int n = 2; n <= 6; ++n) {
        const auto& list = columns[static_cast<size_t>(n - 1)];
        for (size_t j = 0; j < list.size(); ++j) {
            std::string p = list[j];
            for (size_t i = 0; i < p.size(); ++i) {
                const char keep = p[i];
                p[i] = '\0';
                byPattern[p].push_back({n, j});
                p[i] = keep;
            }
        }
    }
    const FirstQsoIndex first(log);
    const auto& candidates = columns[0];
    const int count = static_cast<int>(candidates.size());
    std::vector<std::vector<std::string>> rows;
    std::vector<Station> similar;
    for (int idx = 0; idx < count; ++idx) {
        report(progress, idx, count);
        const std::string& c = candidates[static_cast<size_t>(idx)];
        similar.clear();
        std::string p = c;
        for (size_t i = 0; i < p.size(); ++i) {
            const char keep = p[i];
            p[i] = '\0';
            if (const auto it = byPattern.find(p); it != byPattern.end())
                for (const Station& st : it->second)
                    if (columns[static_cast<size_t>(st.bands - 1)][st.index] != c) similar.push_back(st);
            p[i] = keep;
        }
        if (similar.empty()) continue;
        std::sort(similar.begin(), similar.end(),
                  [](const Station& a, const Station& b) { return std::pair(a.bands, a.index) < std::pair(b.bands, b.index); });
        similar.erase(std::unique(similar.begin(), similar.end(),
                                  [](const Station& a, const Station& b) { return a.bands == b.bands && a.index == b.index; }),
                      similar.end());
        std::string mark;
        if (master) {
            master->PartialSearch(c);
            const bool held = std::any_of(master->Results.begin(), master->Results.end(),
                                          [&](const std::string& r) { return zem::iequals(r, c); });
            if (!held) mark = "Not in master";
        }
        const int q = first.find(c);
        for (const Station& st : similar)
            rows.push_back({mark, std::to_string(rows.size() + 1), std::to_string(q), log.Cell(lcMode, q), c,
                            std::to_string(st.bands) + " Times  -   " +
                                columns[static_cast<size_t>(st.bands - 1)][st.index]});
    }
    writeFindings(errors, rows);
    errors.SortText(5, 1);
    return static_cast<int>(rows.size());
}

MasterCheckResult masterCheck(const std::vector<std::string>& stations, TMasterCallDB& master)
{
    MasterCheckResult r;
    r.total = static_cast<int>(stations.size());
    for (const std::string& c : stations)
        if (!master.PartialSearch(c)) r.notFound.push_back(c);
    if (r.total > 0)
        r.percent = static_cast<int>(zem::roundHalfEven(static_cast<double>(r.notFound.size()) * 100 / r.total));
    return r;
}

std::string notFoundFileText(const MasterCheckResult& r)
{
    std::string t;
    for (const std::string& c : r.notFound) t += c + "\r\n";
    t += "\r\nTotal callsigns: " + std::to_string(r.total) + "\r\n";
    t += "Not found in Master.dta: " + std::to_string(r.notFound.size()) + " (" + std::to_string(r.percent) + "%)\r\n";
    return t;
}

void writeNotFoundFile(const std::filesystem::path& folder, const MasterCheckResult& r)
{
    zem::writeFile((folder / kNotFoundFileName).string(), notFoundFileText(r));
}

std::string masterCheckMessage(const MasterCheckResult& r)
{
    return "Total callsigns: " + std::to_string(r.total) + "\rNot found in Master.dta: " +
           std::to_string(r.notFound.size()) + " (" + std::to_string(r.percent) + "%)";
}

int findCallInErrors(const TKeoEGrid& errors, const std::string& answer)
{
    const std::string want = zem::upperAscii(answer);
    for (int r = 1; r < errors.RowCount(); ++r)
        if (errors.Cell(4, r) == want) return r;
    return -1;
}

int logRowOfFinding(const TKeoEGrid& errors, int row, const TKeoEGrid& log)
{
    int r = 0;
    const std::string& line = errors.Cell(2, row);
    if (!line.empty()) {
        if (!zem::tryToInt(line, r) || r < 1 || r >= log.RowCount()) return 0;
        return r;
    }
    const std::string& call = errors.Cell(4, row);
    if (call.empty()) return 0;
    for (r = 1; r < log.RowCount(); ++r)
        if (zem::iequals(log.Cell(lcCallsign, r), call)) return r;
    return 0;
}
