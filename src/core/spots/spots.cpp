#include "spots/spots.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Fixed fields of the cluster layout (0-based start, length).
constexpr std::size_t kDxStart = 26, kDxLength = 13;
constexpr std::size_t kCommentStart = 39, kCommentLength = 31;
constexpr std::size_t kTimeStart = 70, kTimeLength = 4;
// A spot line reaches at least to the end of its time field.
constexpr std::size_t kMinSpotLength = kTimeStart + kTimeLength;
// Lines quoted in the message about a file's unreadable lines.
constexpr std::size_t kQuotedBadLines = 10;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string field(std::string_view line, std::size_t start, std::size_t length)
{
    return zem::trim(line.substr(start, length));
}

} // namespace

const std::vector<std::string>& spotColumnTitles()
{
    static const std::vector<std::string> titles = {"#", "Spotter", "Frequency", "Band", "DX", "Comments", "Time"};
    return titles;
}

namespace {

// What a line is, from its shape alone; the spotter's end when it is a spot.
SpotLine shapeOf(std::string_view line, std::size_t& spotterStart, std::size_t& spotterEnd)
{
    if (line.substr(0, 5) != "DX de") return SpotLine::NotSpot;
    if (line.size() < kMinSpotLength) return SpotLine::Unreadable;
    std::size_t i = 5;
    while (i < line.size() && isBlank(line[i])) ++i;
    spotterStart = i;
    while (i < line.size() && line[i] != ':' && !isBlank(line[i])) ++i;
    spotterEnd = i;
    return i == spotterStart ? SpotLine::Unreadable : SpotLine::Spot;
}

} // namespace

SpotLine parseSpotLine(std::string_view line, Spot& out)
{
    std::size_t spotterStart = 0, i = 0;
    const SpotLine shape = shapeOf(line, spotterStart, i);
    if (shape != SpotLine::Spot) return shape;
    out.Spotter = std::string(line.substr(spotterStart, i - spotterStart));
    // A cluster that cuts a skimmer's "-#" suffix at its field's width
    // leaves the "-" ("ZF2VUY-#" comes as "ZF2VUY-"): no callsign ends in one.
    while (out.Spotter.size() > 1 && out.Spotter.back() == '-') out.Spotter.pop_back();
    if (i < line.size() && line[i] == ':') ++i;

    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t freqStart = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    out.Frequency = std::string(line.substr(freqStart, i - freqStart));

    out.DX = field(line, kDxStart, kDxLength);
    out.Comments = field(line, kCommentStart, kCommentLength);
    out.Time = field(line, kTimeStart, kTimeLength);

    double kHz = 0;
    const bool converts = zem::tryToDouble(out.Frequency, kHz);
    out.Band = converts ? Freq_to_band(kHz) : std::string();
    return converts ? SpotLine::Spot : SpotLine::BadFrequency;
}

SpotFileSummary readSpotText(std::string_view text, TKeoEGrid& grid)
{
    // First the count, so that a file without spots leaves the table alone
    // and the table is sized once.
    SpotFileSummary summary;
    int spots = 0;
    zem::forEachLine(text, [&](std::string_view line) {
        std::size_t a = 0, b = 0;
        switch (shapeOf(line, a, b)) {
        case SpotLine::Spot: ++spots; break;
        case SpotLine::Unreadable: summary.badLines.emplace_back(line); break;
        default: break;
        }
    });
    if (spots == 0) return summary;
    summary.badLines.clear(); // listed again below, in file order

    TKeoEGrid::BatchUpdate batch(grid);
    grid.ClearGrid();
    grid.SetRowCount(spots + 1);
    int row = 0;
    Spot s;
    zem::forEachLine(text, [&](std::string_view line) {
        const SpotLine kind = parseSpotLine(line, s);
        if (kind == SpotLine::Unreadable || kind == SpotLine::BadFrequency) summary.badLines.emplace_back(line);
        if (kind != SpotLine::Spot && kind != SpotLine::BadFrequency) return;
        ++row;
        grid.SetCell(spcNumber, row, std::to_string(row));
        grid.SetCell(spcSpotter, row, std::move(s.Spotter));
        grid.SetCell(spcFrequency, row, std::move(s.Frequency));
        grid.SetCell(spcBand, row, std::move(s.Band));
        grid.SetCell(spcDX, row, std::move(s.DX));
        grid.SetCell(spcComments, row, std::move(s.Comments));
        grid.SetCell(spcTime, row, std::move(s.Time));
    });
    summary.spots = row;
    return summary;
}

SpotFileSummary readSpotFile(const std::string& path, TKeoEGrid& grid)
{
    return readSpotText(zem::readFile(path), grid);
}

std::string badSpotLinesMessage(const std::vector<std::string>& badLines)
{
    if (badLines.empty()) return {};
    std::string msg = "Mistake in a format:";
    const std::size_t quoted = std::min(badLines.size(), kQuotedBadLines);
    for (std::size_t i = 0; i < quoted; ++i) msg += "\n" + badLines[i];
    if (badLines.size() > quoted) msg += "\n... " + std::to_string(badLines.size()) + " lines in all";
    return msg;
}

void initSpotGrid(TKeoEGrid& grid)
{
    grid.SetColCount(SpotColumnCount);
    grid.SetHeader(spotColumnTitles());
    grid.ClearGrid();
}

int countSpotsBy(const TKeoEGrid& spots, int spotCount, int col, TKeoEGrid& out)
{
    struct Entry {
        std::string key;  // upper case: the list's order and identity
        std::string call; // as first met
        std::uint64_t count = 0;
    };
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> indexOf;
    const int last = std::min(spotCount, spots.RowCount() - 1);
    for (int r = 1; r <= last; ++r) {
        const std::string& call = spots.Cell(col, r);
        std::string key = zem::upperAscii(call);
        auto [it, added] = indexOf.try_emplace(key, entries.size());
        if (added) entries.push_back({std::move(key), call, 0});
        ++entries[it->second].count;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });

    {
        TKeoEGrid::BatchUpdate batch(out);
        out.ClearGrid();
        if (!entries.empty()) out.SetRowCount(static_cast<int>(entries.size()) + 1);
        int row = 0;
        for (Entry& e : entries) {
            ++row;
            out.SetCell(1, row, std::move(e.call));
            out.SetCell(2, row, std::to_string(e.count));
        }
        if (!entries.empty()) out.SortInteger(2, 0);
        for (int r = 1; r <= static_cast<int>(entries.size()); ++r) out.SetCell(0, r, std::to_string(r));
    }
    return static_cast<int>(entries.size());
}

int searchSpots(const TKeoEGrid& spots, int spotCount, const std::string& call, TKeoEGrid& out)
{
    std::vector<int> rows;
    const int last = std::min(spotCount, spots.RowCount() - 1);
    for (int r = 1; r <= last; ++r)
        if (zem::iequals(spots.Cell(spcSpotter, r), call) || zem::iequals(spots.Cell(spcDX, r), call))
            rows.push_back(r);

    TKeoEGrid::BatchUpdate batch(out);
    out.ClearGrid();
    if (!rows.empty()) out.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) out.WriteRow(static_cast<int>(i) + 1, spots.RowCells(rows[i]));
    return static_cast<int>(rows.size());
}
