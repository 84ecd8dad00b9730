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
        if (line.empty() || line[0] == ';') continue;
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
