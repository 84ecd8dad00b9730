#include "import/cabrillo_reader.h"

#include "import/comma_text.h"
#include "import/post_load.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr int kHeaderLines = 20;
constexpr int kPreviewLines = 31;
constexpr int kCallSearchFirst = 53;
constexpr int kCallSearchLast = 60;
constexpr int kCallSliceLength = 11;
constexpr size_t kHeaderValueLength = 50;

// Characters a..b (1-based, inclusive) of a line; fewer or none where the line
// is shorter.
std::string slice(std::string_view line, size_t a, size_t b)
{
    if (a < 1 || a > line.size() || b < a) return {};
    return std::string(line.substr(a - 1, b - a + 1));
}

bool isQsoKeyword(const std::vector<std::string>& tok)
{
    return !tok.empty() && tok[0] == "QSO:";
}

// What the header scan learns from a "QSO:" line: where the fields are.
struct QsoLayout {
    bool seen = false;
    int tx = -1;
    int call = -1;
    int searchPos = 0; // last position the callsign search stopped at
    std::string year;
};

void examineQsoLine(std::string_view line, const std::vector<std::string>& tok, QsoLayout& L)
{
    L.seen = true;

    const std::string& last = tok.back();
    L.tx = (last == "0" || last == "1" || last == "2") ? static_cast<int>(tok.size()) - 1 : -1;

    // The date field, not a fixed column: frequencies are right-aligned in
    // fields of different widths, which moves the date.
    L.year = tok.size() > 3 ? tok[3].substr(0, 4) : std::string();

    // The worked call normally starts at column 56; searching a little to the
    // left also finds it after a wider exchange.
    int found = -1;
    int p = kCallSearchFirst;
    for (; p <= kCallSearchLast && found < 0; ++p) {
        const std::string piece = zem::trim(slice(line, static_cast<size_t>(p), static_cast<size_t>(p + kCallSliceLength - 1)));
        for (size_t k = 0; k < tok.size(); ++k) {
            if (zem::iequals(tok[k], piece)) {
                found = static_cast<int>(k);
                break;
            }
        }
        if (found >= 0) break;
    }
    L.searchPos = p;

    L.call = -1;
    if (found >= 0 && looksLikeCallsign(tok[static_cast<size_t>(found)])) {
        L.call = found;
        return;
    }
    // Logs written with single blanks between fields put something else at
    // those columns. The received exchange has as many fields as the sent
    // one, so the worked call sits in the middle of what follows the own call.
    const int n = static_cast<int>(tok.size()) - (L.tx >= 0 ? 1 : 0);
    if (n >= 7 && (n - 7) % 2 == 0) {
        const int k = 6 + (n - 7) / 2;
        if (looksLikeCallsign(tok[static_cast<size_t>(k)])) L.call = k;
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isTransmitterField(const std::string& token) { return token.size() == 1 && isDigit(token[0]); }

bool isQsoRecord(const std::string& line)
{
    return line.size() >= 2 && line[0] == 'Q' && line[1] == 'S';
}

// The own call is field 6; what follows it up to the worked call is the sent
// exchange.
constexpr size_t kFirstFieldAfterOwnCall = 6;

// Whether field k is not the same on every QSO line that has it.
bool fieldVaries(const std::vector<std::vector<std::string>>& records, size_t k)
{
    const std::string* first = nullptr;
    for (const auto& tok : records) {
        if (tok.size() <= k) continue;
        if (!first) first = &tok[k];
        else if (!zem::iequals(*first, tok[k])) return true;
    }
    return false;
}

// The worked call's field as the whole log shows it, or -1. The sent
// exchange repeats on every line, however many fields it has and whatever
// they look like ("HANS/124", "NTC44"); the worked call is the first field
// after the own call that changes from line to line and holds a callsign on
// most lines. A serial sent with every QSO changes too, but is no callsign.
int callFieldOfTheLog(const std::vector<std::vector<std::string>>& records)
{
    size_t widest = 0;
    for (const auto& tok : records) widest = std::max(widest, tok.size());
    for (size_t k = kFirstFieldAfterOwnCall; k < widest; ++k) {
        if (!fieldVaries(records, k)) continue;
        size_t holders = 0, calls = 0;
        for (const auto& tok : records) {
            if (tok.size() <= k) continue;
            ++holders;
            if (looksLikeCallsign(tok[k])) ++calls;
        }
        if (calls * 2 > holders) return static_cast<int>(k);
    }
    return -1;
}

// A time as the log table keeps it: "hhmm". Hand-edited logs also write
// "hh.mm" and "hh:mm"; other texts stay as they are.
std::string timeField(const std::string& t)
{
    if (t.size() == 5 && (t[2] == '.' || t[2] == ':') && isDigit(t[0]) && isDigit(t[1]) && isDigit(t[3]) && isDigit(t[4]))
        return t.substr(0, 2) + t.substr(3, 2);
    return t;
}

bool isFourDigitTime(const std::string& t) { return t.size() == 4 && std::all_of(t.begin(), t.end(), isDigit); }

const char* const kNoQsoLines = "Expected QSO lines, each beginning with \"QSO:\"; the file has none.";
const char* const kNoWorkedCall =
    "Expected in each QSO line the callsign of the station worked, after the own callsign (field 6) and the "
    "sent exchange; no field could be taken for it.";

} // namespace

CabrilloFormatError::CabrilloFormatError(const std::string& fragment, const std::string& expected)
    : std::runtime_error("Error in Cabrillo file\n" + (fragment.empty() ? std::string() : fragment + "\n") + expected),
      fragment_(fragment)
{
}

bool looksLikeCallsign(const std::string& token)
{
    bool letter = false, digit = false;
    for (char c : token) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) letter = true;
        else if (c >= '0' && c <= '9') digit = true;
    }
    return letter && digit;
}

CabrilloReadResult readCabrilloLog(AppState& s, const std::string& path)
{
    const std::vector<std::string> lines = zem::readLines(path);
    resetLogHeader(s.header); // a value this header lacks is not the previous log's
    auto lineAt = [&](size_t i) -> const std::string& {
        static const std::string none;
        return i < lines.size() ? lines[i] : none;
    };

    // A long header pushes the first QSO below the usual 20 lines; the scan
    // then reaches down to it.
    size_t scanLines = kHeaderLines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isQsoKeyword(zem::commaTextTokens(lines[i]))) {
            if (i + 1 > scanLines) scanLines = i + 1;
            break;
        }
    }

    QsoLayout layout;
    std::string lastLine;
    for (size_t i = 0; i < scanLines; ++i) {
        s.RowCounter = static_cast<int>(i) + 1;
        const std::string& line = lineAt(i);
        lastLine = line;
        if (line.empty()) continue;
        const auto tok = zem::commaTextTokens(line);
        if (tok.empty()) continue;
        if (tok[0] == "CONTEST:") s.header.ContestName = slice(line, 10, 39);
        else if (tok[0] == "CALLSIGN:") s.header.StationCall = slice(line, 11, 40);
        else if (tok[0] == "QSO:") {
            examineQsoLine(line, tok, layout);
            s.header.LogYear = layout.year;
        }
    }

    const std::vector<std::string> header(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(scanLines, lines.size())));
    if (auto category = cabrilloCategory(header)) s.header.Category = *category;

    std::vector<std::vector<std::string>> records;
    if (layout.seen)
        for (const auto& line : lines)
            if (isQsoRecord(line)) records.push_back(zem::commaTextTokens(line));

    // The columns of one line find the worked call in most logs. Where they
    // find nothing, or a field that is the same on every line (a sent
    // exchange wider than the usual columns), the whole log tells.
    if (layout.call < 0 || !fieldVaries(records, static_cast<size_t>(layout.call))) {
        if (const int k = callFieldOfTheLog(records); k >= 0) layout.call = k;
    }

    if (layout.call < 0) {
        const size_t from = layout.seen ? static_cast<size_t>(kCallSearchLast + 1) : 1;
        throw CabrilloFormatError(slice(lastLine, from, from + 13), layout.seen ? kNoWorkedCall : kNoQsoLines);
    }

    // A "0", "1" or "2" at the end of one line may as well be a received
    // serial or zone. A transmitter field is one digit on every line that
    // reaches it; a line too short to hold it is listed below.
    if (layout.tx >= 0) {
        const auto tx = static_cast<size_t>(layout.tx);
        for (const auto& tok : records) {
            if (tok.size() > tx && !isTransmitterField(tok[tx])) {
                layout.tx = -1;
                break;
            }
        }
    }

    CabrilloReadResult result;
    result.callTokenIndex = layout.call;
    result.txTokenIndex = layout.tx;

    auto& grid = s.log_grid;
    {
        TKeoEGrid::BatchUpdate batch(grid);
        grid.ClearGrid();
        grid.SetRowCount(static_cast<int>(records.size()) + 1);

        s.RowCounter = 0;
        for (const auto& tok : records) {
            const int r = ++s.RowCounter;
            bool unreadable = false;
            auto put = [&](int col, int index) {
                if (index >= 0 && static_cast<size_t>(index) < tok.size())
                    grid.SetCell(col, r, tok[static_cast<size_t>(index)]);
                else
                    unreadable = true;
            };
            grid.SetCell(lcNumber, r, std::to_string(r));
            put(lcKHz, 1);
            put(lcMode, 2);
            put(lcDate, 3);
            if (tok.size() > 4) {
                const std::string time = timeField(tok[4]);
                grid.SetCell(lcTime, r, time);
                // The row stays with the time as the file gives it, for the
                // user to see; a command that cannot read it gives the row
                // its neighbour's minute.
                if (!isFourDigitTime(time)) unreadable = true;
            } else {
                unreadable = true;
            }
            put(lcCallsign, layout.call);
            if (layout.tx != -1) put(lcTX, layout.tx);
            if (unreadable) {
                Bad_QSO(s);
                ++result.badQsoLines;
            }
        }
        grid.SetRowCount(s.RowCounter + 1);
    }

    s.header.QsoCount = s.RowCounter;
    s.header.OutputDir = absoluteFolderOf(path);
    result.qsoCount = s.RowCounter;
    return result;
}

std::optional<std::string> cabrilloCategory(const std::vector<std::string>& headerLines)
{
    // Cabrillo 3.0 splits the category into these fields.
    static const char* const kParts[] = {"CATEGORY-OPERATOR:", "CATEGORY-TRANSMITTER:", "CATEGORY-BAND:",
                                         "CATEGORY-POWER:", "CATEGORY-MODE:"};
    constexpr size_t kPartCount = std::size(kParts);
    std::optional<std::string> category;
    std::array<std::optional<std::string>, kPartCount> parts;
    for (const std::string& line : headerLines) {
        const auto tok = zem::commaTextTokens(line);
        if (tok.empty()) continue;
        if (tok[0] == "CATEGORY:") {
            category = zem::trim(slice(line, 11, 40));
            continue;
        }
        for (size_t k = 0; k < kPartCount; ++k) {
            if (tok[0] != kParts[k]) continue;
            const size_t at = line.find(kParts[k]);
            parts[k] = zem::trim(std::string_view(line).substr(at + std::char_traits<char>::length(kParts[k])));
        }
    }
    if (category) return category;
    std::string joined;
    bool any = false;
    for (const auto& part : parts) {
        if (!part) continue;
        any = true;
        if (part->empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += *part;
    }
    if (!any) return std::nullopt;
    if (joined.size() > kHeaderValueLength) joined.resize(kHeaderValueLength);
    return joined;
}

CabrilloPreview cabrilloPreview(const std::string& path)
{
    CabrilloPreview p;
    std::vector<std::string> lines;
    try {
        lines = zem::readLines(path);
    } catch (const std::runtime_error&) {
        return p; // not there, or not a file: nothing to show
    }
    if (lines.size() > kPreviewLines) lines.resize(kPreviewLines);
    for (const std::string& line : lines) {
        if (line.compare(0, 9, "CONTEST: ") == 0) p.contest = zem::upperAscii(zem::trim(slice(line, 10, 59)));
        else if (line.compare(0, 10, "CALLSIGN: ") == 0) p.callsign = zem::upperAscii(zem::trim(slice(line, 11, 59)));
    }
    return p;
}
