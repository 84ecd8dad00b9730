#include "import/adif_reader.h"

#include "import/time_order.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr size_t kMaxNameLength = 100;
constexpr size_t kMaxHeaderValue = 50;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A name may hold anything but the tag's own punctuation, blanks and control
// characters; this keeps "a < b" in free text from passing as a tag.
bool isNameChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > ' ' && c != ':' && c != '>' && c != '<' && u != 0x7F;
}

size_t findNoCase(std::string_view hay, std::string_view needle)
{
    if (needle.size() > hay.size()) return std::string_view::npos;
    for (size_t i = 0; i + needle.size() <= hay.size(); ++i)
        if (zem::iequals(hay.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

// "14.025" -> "14025", "14.2" -> "14200", "14" -> "14000"; anything that is
// not a plain decimal number gives the empty text.
std::string mhzToKhz(std::string_view v)
{
    const std::string t = zem::trim(v);
    const size_t dot = t.find('.');
    const std::string_view whole = std::string_view(t).substr(0, dot);
    const std::string_view frac = dot == std::string::npos ? std::string_view() : std::string_view(t).substr(dot + 1);
    if (whole.empty() && frac.empty()) return {};
    for (char c : whole) if (!isDigit(c)) return {};
    for (char c : frac) if (!isDigit(c)) return {};
    std::string khz(whole);
    std::string three(frac.substr(0, 3));
    three.resize(3, '0');
    khz += three;
    const size_t nz = khz.find_first_not_of('0');
    return nz == std::string::npos ? "0" : khz.substr(nz);
}

std::string bandEdge(const std::string& band)
{
    static const std::array<std::pair<const char*, const char*>, 6> edges{
        {{"160", "1800"}, {"80", "3500"}, {"40", "7000"}, {"20", "14000"}, {"15", "21000"}, {"10", "28000"}}};
    for (const auto& [b, khz] : edges)
        if (band == b) return khz;
    return {};
}

// The fields of one record that the log table keeps.
struct Record {
    std::string call, time, mode, op, radio, band, khz, date, contest;
    std::string timeOfDay; // "hhmmss" for the time order: seconds part a minute
    bool hasContest = false;
    void clear() { *this = Record(); }
};

void applyField(Record& r, std::string_view name, std::string_view raw)
{
    const std::string v = zem::upperAscii(raw);
    if (zem::iequals(name, "CALL")) r.call = v;
    else if (zem::iequals(name, "CONTEST_ID")) {
        r.contest = v;
        r.hasContest = true;
    } else if (zem::iequals(name, "TIME_ON")) {
        r.time = v.substr(0, 4);
        r.timeOfDay = v.substr(0, 6);
        r.timeOfDay.resize(6, '0');
    } else if (zem::iequals(name, "MODE")) r.mode = v == "SSB" ? "PH" : v;
    else if (zem::iequals(name, "OPERATOR")) r.op = v;
    else if (zem::iequals(name, "RADIO_NR")) r.radio = v;
    else if (zem::iequals(name, "BAND")) r.band = v.empty() ? v : v.substr(0, v.size() - 1);
    else if (zem::iequals(name, "FREQ")) r.khz = mhzToKhz(v);
    else if (zem::iequals(name, "QSO_DATE") && v.size() == 8)
        r.date = v.substr(0, 4) + "-" + v.substr(4, 2) + "-" + v.substr(6, 2);
}

} // namespace

AdifScanner::AdifScanner(std::string_view data) : data_(data)
{
    // Text before the first tag is a free-text header: skip it whole, up to
    // its "<EOH>", whatever it holds.
    const size_t first = data_.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && data_[first] != '<') {
        const size_t eoh = findNoCase(data_, "<EOH>");
        if (eoh != std::string_view::npos) pos_ = eoh + 5;
    }
}

bool AdifScanner::readTag(size_t at, size_t& after)
{
    const size_t n = data_.size();
    marker_ = false;
    size_t i = at + 1;
    while (i < n && i - at - 1 <= kMaxNameLength && isNameChar(data_[i])) ++i;
    if (i >= n || i == at + 1) return false;
    name_ = data_.substr(at + 1, i - at - 1);
    if (data_[i] == '>') { // a marker without value
        value_ = {};
        marker_ = true;
        after = i + 1;
        return true;
    }
    if (data_[i] != ':') return false;
    ++i;
    size_t length = 0;
    const size_t start = i;
    constexpr size_t cap = std::numeric_limits<size_t>::max() / 10 - 10;
    for (; i < n && isDigit(data_[i]); ++i)
        length = length >= cap ? cap : length * 10 + static_cast<size_t>(data_[i] - '0');
    if (i == start || i >= n) return false;
    if (data_[i] == ':') { // type indicator
        ++i;
        while (i < n && isLetter(data_[i])) ++i;
    }
    if (i >= n || data_[i] != '>') return false;
    const size_t valueStart = i + 1;
    const size_t valueLength = std::min(length, n - valueStart);
    value_ = data_.substr(valueStart, valueLength);
    after = valueStart + valueLength;
    return true;
}

AdifScanner::Kind AdifScanner::next()
{
    const size_t n = data_.size();
    while (pos_ < n) {
        const void* lt = std::memchr(data_.data() + pos_, '<', n - pos_);
        if (!lt) break;
        const size_t at = static_cast<size_t>(static_cast<const char*>(lt) - data_.data());
        size_t after = 0;
        if (!readTag(at, after)) {
            pos_ = at + 1;
            continue;
        }
        pos_ = after;
        if (!marker_) return Field;
        if (zem::iequals(name_, "EOR")) return EndOfRecord;
        if (zem::iequals(name_, "EOH")) return EndOfHeader;
    }
    pos_ = n;
    return End;
}

AdifReadResult readAdifRecords(AppState& s, std::string_view data, const AdifReadOptions& opt)
{
    TKeoEGrid& grid = s.log_grid;
    AdifReadResult res;
    std::vector<Record> kept;
    {
        AdifScanner scan(data);
        Record r;
        for (AdifScanner::Kind k; (k = scan.next()) != AdifScanner::End;) {
            if (k == AdifScanner::Field) {
                applyField(r, scan.name(), scan.value());
                continue;
            }
            if (k == AdifScanner::EndOfHeader) { // what came before was header
                r.clear();
                continue;
            }
            if (r.hasContest) res.contestId = r.contest;
            if (opt.operatorMode && r.op != opt.chosenOperator) {
                r.clear();
                continue;
            }
            if (r.khz.empty()) r.khz = bandEdge(r.band);
            kept.push_back(std::move(r));
            r.clear();
        }
    }
    // ADIF has no order, and logbooks are often written newest first: the
    // log table is the time line that rates, breaks and the Summary walk.
    sortByQsoTime(kept, [](const Record& q) { return QsoTimeOf{!q.date.empty(), q.date, q.timeOfDay}; });

    const int n = static_cast<int>(kept.size());
    {
        TKeoEGrid::BatchUpdate batch(grid);
        grid.ClearGrid();
        // Rows beyond the kept records (a longer earlier log) go.
        grid.SetRowCount(n + 1 < 2 ? 2 : n + 1);
        for (int row = 1; row <= n; ++row) {
            Record& q = kept[static_cast<size_t>(row - 1)];
            grid.SetCell(lcNumber, row, std::to_string(row));
            grid.SetCell(lcOperator, row, std::move(q.op));
            grid.SetCell(lcBand, row, std::move(q.band));
            grid.SetCell(lcKHz, row, std::move(q.khz));
            grid.SetCell(lcMode, row, std::move(q.mode));
            grid.SetCell(lcDate, row, std::move(q.date));
            grid.SetCell(lcTime, row, std::move(q.time));
            grid.SetCell(lcCallsign, row, std::move(q.call));
            grid.SetCell(lcTX, row, std::move(q.radio));
        }
    }
    res.qsoCount = n;
    res.operators = n >= 2 && !grid.Cell(lcOperator, 1).empty() && !grid.Cell(lcOperator, 2).empty();
    s.header.QsoCount = n;
    s.header.ContestName = res.contestId.empty() ? kAdifContestName : res.contestId.substr(0, kMaxHeaderValue);
    s.header.LogYear = grid.Cell(lcDate, 1).substr(0, 4);
    return res;
}

std::string adifStationCall(std::string_view answer) { return zem::upperAscii(answer).substr(0, kMaxHeaderValue); }
