#include "refdata/ka_index.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <exception>

namespace {

// 1-based first column of each field after the date, and its width.
constexpr int kAColumn = 12, kAWidth = 3;
constexpr int kFirstKColumn = 16, kKStep = 3, kKWidth = 2;

std::string field(const std::string& line, int column, int width)
{
    const std::size_t start = static_cast<std::size_t>(column - 1);
    if (start >= line.size()) return {};
    return zem::trim(std::string_view(line).substr(start, static_cast<std::size_t>(width)));
}

// Observatories write -1 (or a decimal estimate) where no index was measured:
// such a value is no index at all.
std::string wholeInRange(const std::string& text, int lo, int hi)
{
    if (text.empty()) return {};
    for (char c : text)
        if (c < '0' || c > '9') return {};
    const int v = zem::toInt(text);
    return (v >= lo && v <= hi) ? text : std::string();
}

// The "Daily Geomagnetic Data" file of the space-weather service: a day is
// "yyyy mm dd", then the A index and eight K indices of Fredericksburg,
// College and the planetary estimate, right-aligned in fixed columns. A
// missing value is -1 and may touch the field before it ("2-1-1"), so the
// fields are cut by column, never split at blanks. Older files write the
// planetary K as whole numbers two columns wide, current ones as decimals
// six columns wide ("  1.67").
constexpr int kDgdPlanetaryAColumn = 57, kDgdAWidth = 6;
constexpr int kDgdPlanetaryKColumn = 64, kDgdWholeKWidth = 2, kDgdDecimalKWidth = 6;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isDgdDataLine(const std::string& line)
{
    if (line.size() < 10 || line[4] != ' ' || line[7] != ' ') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(line[static_cast<std::size_t>(i)])) return false;
    return true;
}

// A planetary K as the log shows it: the whole number nearest the estimate
// (0-9); nothing for a missing (-1) or unreadable value.
std::string roundedK(const std::string& text)
{
    double v = 0;
    if (text.empty() || !zem::tryToDouble(text, v) || v < 0 || v > 9) return {};
    return std::to_string(zem::roundHalfEven(v));
}

KIndexDay dgdDay(const std::string& line)
{
    KIndexDay d;
    d.Date = line.substr(0, 4) + "-" + line.substr(5, 2) + "-" + line.substr(8, 2);
    d.A = wholeInRange(field(line, kDgdPlanetaryAColumn, kDgdAWidth), 0, 999);
    const bool decimal = line.find('.', static_cast<std::size_t>(kDgdPlanetaryKColumn - 1)) != std::string::npos;
    const int width = decimal ? kDgdDecimalKWidth : kDgdWholeKWidth;
    for (int i = 0; i < 8; ++i)
        d.K[static_cast<std::size_t>(i)] = roundedK(field(line, kDgdPlanetaryKColumn + i * width, width));
    return d;
}

// Hour of a "hhmm" time, -1 when its first two characters are no hour.
int hourOf(const std::string& time)
{
    if (time.size() < 2 || time[0] < '0' || time[0] > '9' || time[1] < '0' || time[1] > '9') return -1;
    const int h = (time[0] - '0') * 10 + (time[1] - '0');
    return h < 24 ? h : -1;
}

} // namespace

std::filesystem::path kIndexFileName(const std::filesystem::path& programFolder, const std::string& observatory)
{
    return programFolder / (observatory + "_ak.txt");
}

KIndexDay Add_to_KA_indexs(const std::string& line)
{
    if (isDgdDataLine(line)) return dgdDay(line);
    KIndexDay d;
    d.Date = line.substr(0, 10);
    d.A = wholeInRange(field(line, kAColumn, kAWidth), 0, 999);
    for (int i = 0; i < 8; ++i) d.K[static_cast<std::size_t>(i)] = wholeInRange(field(line, kFirstKColumn + i * kKStep, kKWidth), 0, 9);
    return d;
}

KIndexTable readKIndexFile(const std::string& path)
{
    KIndexTable table;
    for (const std::string& line : zem::readLines(path)) {
        // ";" comments the program's own files; ":" and "#" start the
        // header lines of the space-weather service's file.
        if (line.empty() || line[0] == ';' || line[0] == ':' || line[0] == '#') continue;
        KIndexDay d = Add_to_KA_indexs(line);
        table.emplace(d.Date, std::move(d));
    }
    return table;
}

KAIndexResult applyKIndices(TKeoEGrid& log, int qsoCount, const KIndexTable& table, const std::string& observatory)
{
    TKeoEGrid::BatchUpdate batch(log);
    KAIndexResult r;
    const int last = std::min(qsoCount, log.RowCount() - 1);
    for (int row = 1; row <= last; ++row) {
        log.SetCell(lcA, row, {});
        log.SetCell(lcK, row, {});
        const auto it = table.find(log.Cell(lcDate, row));
        const int hour = hourOf(log.Cell(lcTime, row));
        if (it == table.end() || hour < 0) continue;
        const KIndexDay& d = it->second;
        log.SetCell(lcA, row, d.A);
        log.SetCell(lcK, row, d.K[static_cast<std::size_t>(hour / 3)]);
        if (!d.A.empty() || !d.K[static_cast<std::size_t>(hour / 3)].empty()) ++r.QsosMarked;
    }
    r.StatusText = r.QsosMarked > 0 ? "K Indices for " + observatory : "No a,K Indices for this day";
    return r;
}

KAIndexResult KA_indexs(TKeoEGrid& log, int qsoCount, const std::filesystem::path& programFolder,
                        const std::string& observatory, KIndexTable* tableOut)
{
    const auto file = kIndexFileName(programFolder, observatory);
    KIndexTable table;
    std::error_code ec;
    bool readable = std::filesystem::is_regular_file(file, ec);
    if (readable) {
        try {
            table = readKIndexFile(file.string());
        } catch (const std::exception&) {
            readable = false;
        }
    }
    KAIndexResult r = applyKIndices(log, qsoCount, table, observatory);
    if (!readable) r.StatusText = "No " + file.filename().string();
    if (tableOut) *tableOut = std::move(table);
    return r;
}
