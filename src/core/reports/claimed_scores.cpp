#include "reports/claimed_scores.h"

#include "import/comma_text.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <unordered_set>

namespace {

const std::vector<std::string>& bandTitles()
{
    static const std::vector<std::string> t = {"160", "80", "40", "20", "15", "10", "TOTAL"};
    return t;
}
constexpr int kBandColumns = 6;

bool isHeaderField(const std::string& line)
{
    const auto colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c <= ' ' || c >= 127) return false;
    }
    return true;
}

struct MailPart {
    std::vector<std::string> headers; // unfolded
    std::vector<std::string> body;
};

// Splits leading header lines from the body; false when the text has no
// mail header (then everything is body).
bool splitPart(const std::vector<std::string>& lines, MailPart& part)
{
    std::size_t i = 0;
    std::vector<std::string> headers;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        const std::string& l = lines[i];
        if ((l[0] == ' ' || l[0] == '\t') && !headers.empty()) headers.back() += " " + zem::trim(l);
        else if (isHeaderField(l)) headers.push_back(l);
        else return false;
    }
    if (headers.empty()) return false;
    part.headers = std::move(headers);
    part.body.assign(lines.begin() + static_cast<std::ptrdiff_t>(std::min(i + 1, lines.size())), lines.end());
    return true;
}

std::string headerValue(const std::vector<std::string>& headers, std::string_view name)
{
    for (const auto& h : headers) {
        const auto colon = h.find(':');
        if (zem::iequals(std::string_view(h).substr(0, colon), name)) return zem::trim(std::string_view(h).substr(colon + 1));
    }
    return {};
}

// A parameter of a header value, e.g. boundary="abc".
std::string headerParam(const std::string& value, std::string_view name)
{
    const std::string lower = zem::lowerAscii(value);
    std::size_t p = 0;
    while ((p = lower.find(zem::lowerAscii(name), p)) != std::string::npos) {
        const bool startsWord = p == 0 || lower[p - 1] == ';' || lower[p - 1] == ' ' || lower[p - 1] == '\t';
        std::size_t q = p + name.size();
        while (q < lower.size() && (lower[q] == ' ' || lower[q] == '\t')) ++q;
        if (!startsWord || q >= lower.size() || lower[q] != '=') {
            p += name.size();
            continue;
        }
        ++q;
        while (q < value.size() && (value[q] == ' ' || value[q] == '\t')) ++q;
        if (q < value.size() && value[q] == '"') {
            const auto end = value.find('"', q + 1);
            return value.substr(q + 1, end == std::string::npos ? std::string::npos : end - q - 1);
        }
        const auto end = value.find_first_of("; \t", q);
        return value.substr(q, end == std::string::npos ? std::string::npos : end - q);
    }
    return {};
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string decodeQuotedPrintable(const std::vector<std::string>& body)
{
    std::string out;
    for (const std::string& raw : body) {
        std::string_view l = raw;
        while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
        bool soft = false;
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (l[i] != '=') {
                out.push_back(l[i]);
                continue;
            }
            if (i + 1 == l.size()) {
                soft = true;
                break;
            }
            const int hi = i + 2 < l.size() ? hexValue(l[i + 1]) : -1;
            const int lo = i + 2 < l.size() ? hexValue(l[i + 2]) : -1;
            if (hi < 0 || lo < 0) {
                out.push_back('='); // not an escape: kept as written
                continue;
            }
            out.push_back(static_cast<char>(hi * 16 + lo));
            i += 2;
        }
        if (!soft) out.push_back('\n');
    }
    return out;
}

std::string decodeBase64(const std::vector<std::string>& body)
{
    std::string out;
    unsigned int acc = 0;
    int bits = 0;
    for (const std::string& l : body)
        for (char c : l) {
            int v;
            if (c >= 'A' && c <= 'Z') v = c - 'A';
            else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
            else if (c >= '0' && c <= '9') v = c - '0' + 52;
            else if (c == '+') v = 62;
            else if (c == '/') v = 63;
            else continue; // padding, line ends and stray signs
            acc = (acc << 6) | static_cast<unsigned int>(v);
            bits += 6;
            if (bits >= 8) {
                bits -= 8;
                out.push_back(static_cast<char>((acc >> bits) & 0xFF));
            }
        }
    return out;
}

void appendDecodedBody(const MailPart& part, std::vector<std::string>& out, int depth)
{
    const std::string type = zem::lowerAscii(headerValue(part.headers, "Content-Type"));
    if (zem::startsWith(type, "multipart/") && depth < 8) {
        const std::string boundary = headerParam(headerValue(part.headers, "Content-Type"), "boundary");
        if (!boundary.empty()) {
            const std::string open = "--" + boundary;
            std::vector<std::string> current;
            bool inPart = false;
            auto flush = [&] {
                MailPart sub;
                if (splitPart(current, sub)) appendDecodedBody(sub, out, depth + 1);
                else if (!current.empty() && current.front().empty()) { // a part without headers
                    sub.body.assign(current.begin() + 1, current.end());
                    appendDecodedBody(sub, out, depth + 1);
                }
                current.clear();
            };
            for (const std::string& l : part.body) {
                if (zem::startsWith(l, open)) {
                    if (inPart) flush();
                    inPart = zem::trim(std::string_view(l).substr(open.size())) != "--";
                    if (!inPart) break;
                    continue;
                }
                if (inPart) current.push_back(l);
            }
            if (inPart) flush();
            return;
        }
    }
    // Only text parts: an HTML copy of the same mail would list every station twice.
    if (!type.empty() && !zem::startsWith(type, "text/plain") && !zem::startsWith(type, "multipart/")) return;
    const std::string encoding = zem::lowerAscii(headerValue(part.headers, "Content-Transfer-Encoding"));
    if (encoding == "quoted-printable") {
        for (auto& l : zem::splitLines(decodeQuotedPrintable(part.body))) out.push_back(std::move(l));
    } else if (encoding == "base64") {
        for (auto& l : zem::splitLines(decodeBase64(part.body))) out.push_back(std::move(l));
    } else {
        out.insert(out.end(), part.body.begin(), part.body.end());
    }
}

std::vector<std::string> words(std::string_view text) { return zem::commaTextTokens(text, ','); }

std::string withoutCommas(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), ','), s.end());
    return s;
}

std::string replaced(std::string s, char from, char to)
{
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

} // namespace

std::vector<std::string> mailTextLines(const std::string& bytes)
{
    std::vector<std::string> lines = zem::splitLines(bytes);
    MailPart top;
    if (!splitPart(lines, top)) return lines;
    std::vector<std::string> out = top.headers;
    out.emplace_back();
    appendDecodedBody(top, out, 0);
    return out;
}

void initClaimedScoresGrid(TKeoEGrid& grid)
{
    grid = TKeoEGrid(9, 2, 0, 1);
    grid.SetHeader({"#"});
    grid.WriteHeader();
    grid.Title = "3830";
}

ClaimedScoresRead readClaimedScores(const std::vector<std::string>& lines, TKeoEGrid& grid)
{
    TKeoEGrid::BatchUpdate batch(grid);
    grid.ClearGrid();
    ClaimedScoresRead result;
    bool resultsStarted = false;
    bool beforeOperators = true;
    std::size_t clubPos = 0; // 1-based place of "CLUB" in the header line, 0 when absent
    int hrIdx = -1;          // word of the hours figure, -1 when the header has none
    int clubCol = -1;        // column of the "CLUB" title
    std::string category;
    std::vector<std::string> titles = {"#"};
    std::vector<std::vector<std::string>> rows;

    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = zem::upperText(lines[i]);
        if (zem::startsWith(line, "SUBJECT:")) result.Subject = line.size() > 9 ? line.substr(9, 100) : std::string();
        if (line.find("73 TOVK") != std::string::npos) {
            resultsStarted = true;
            if (++i >= lines.size()) break;
            line = zem::upperText(lines[i]);
        }
        if (line.find("OPERATORS:") != std::string::npos) beforeOperators = false;
        if (zem::startsWith(line, "CALL")) {
            const auto p = line.find("CLUB");
            clubPos = p == std::string::npos ? 0 : p + 1;
            const auto w = words(line);
            hrIdx = -1;
            clubCol = -1;
            for (std::size_t k = 0; k < w.size(); ++k) {
                if (w[k] == "HR" && hrIdx < 0) hrIdx = static_cast<int>(k);
                if (k > 0 && w[k].find("CLUB") != std::string::npos && clubCol < 0) clubCol = static_cast<int>(k) + 2;
            }
            if (clubPos == 0) clubCol = -1;
            titles = {"#", w.empty() ? std::string() : w[0], "CATEGORY"};
            titles.insert(titles.end(), w.begin() + std::min<std::ptrdiff_t>(1, static_cast<std::ptrdiff_t>(w.size())), w.end());
            grid.SetHeader(titles);
            grid.WriteHeader();
            category = ++i < lines.size() ? zem::trim(lines[i]) : std::string();
            if (++i >= lines.size()) break;
            line = zem::upperText(lines[i]);
        }
        if (!resultsStarted || !beforeOperators || zem::trim(line).empty() || line[0] == '~') continue;

        line = replaced(replaced(line, ':', '.'), '~', ' ');
        // The club text starts two characters before the "CLUB" title; the
        // words are what comes before it, so no letter of the club is a word.
        // The place is that of the row as written, under its titles: the
        // thousands separators of its figures ("22,211,974") go only after
        // the row is cut, else the club would start that many letters late.
        const std::size_t clubStart = clubPos >= 3 ? clubPos - 3 : 0;
        const std::string club = clubPos > 0 && clubStart < line.size()
                                     ? zem::trim(withoutCommas(line.substr(clubStart, 100)))
                                     : std::string();
        if (clubPos > 0) line.resize(std::min(line.size(), clubStart));
        line = withoutCommas(line);
        std::vector<std::string> w = words(line);
        if (w.empty()) continue; // the first characters are all blank: no callsign
        if (const auto paren = w[0].find('('); paren != std::string::npos) w[0].erase(paren, 20);
        if (hrIdx >= 0) {
            double hours = 0;
            const auto at = static_cast<std::size_t>(hrIdx);
            // A figure above 48 cannot be hours: the row has none and its
            // words from here on belong one column further right.
            if (at >= w.size() || !zem::tryToDouble(w[at], hours) || hours > 48) {
                if (w.size() < at) w.resize(at);
                w.insert(w.begin() + hrIdx, std::string());
            }
        }
        const int n = static_cast<int>(rows.size()) + 1;
        w.insert(w.begin(), std::to_string(n));
        w.insert(w.begin() + 2, category);
        if (clubCol >= 0) {
            // Words pushed as far as the club column (a row without hours)
            // go on to its right rather than under the club.
            const auto at = static_cast<std::size_t>(clubCol);
            if (w.size() < at) w.resize(at);
            w.insert(w.begin() + clubCol, club);
        }
        rows.push_back(std::move(w));
    }

    std::size_t dataCols = titles.size();
    for (const auto& r : rows) dataCols = std::max(dataCols, r.size());
    std::vector<std::string> header = titles;
    header.resize(dataCols);
    header.insert(header.end(), bandTitles().begin(), bandTitles().end());
    grid.SetColCount(static_cast<int>(header.size()));
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    grid.SetHeader(header);
    grid.WriteHeader();
    for (std::size_t r = 0; r < rows.size(); ++r) grid.WriteRow(static_cast<int>(r) + 1, rows[r]);
    if (rows.empty()) grid.SetRowCount(2); // an empty table keeps one blank row under its titles
    result.Stations = static_cast<int>(rows.size());
    return result;
}

ClaimedScoresRead N3830_proc(const std::string& path, TKeoEGrid& grid)
{
    return readClaimedScores(mailTextLines(zem::readFile(path)), grid);
}

void log_and_3830(TKeoEGrid& grid, const TKeoEGrid& log)
{
    if (grid.Cell(0, 1).empty() || grid.ColCount() < static_cast<int>(bandTitles().size())) return;
    std::unordered_set<std::string> worked;
    for (int r = 1; r < log.RowCount(); ++r) worked.insert(zem::upperAscii(log.Cell(lcCallsign, r) + log.Cell(lcBand, r)));
    TKeoEGrid::BatchUpdate batch(grid);
    const int firstBand = grid.ColCount() - static_cast<int>(bandTitles().size());
    for (int r = 1; r < grid.RowCount(); ++r) {
        const std::string call = zem::upperAscii(grid.Cell(1, r));
        for (int b = kBandColumns - 1; b >= 0; --b) {
            const int col = firstBand + b;
            grid.SetCell(col, r, worked.count(call + bandTitles()[static_cast<std::size_t>(b)]) ? "OK" : "");
        }
    }
}

std::vector<std::string> claimedCallsigns(const TKeoEGrid& grid)
{
    std::vector<std::string> calls;
    for (int r = 1; r < grid.RowCount(); ++r)
        if (!grid.Cell(1, r).empty()) calls.push_back(grid.Cell(1, r));
    return calls;
}

int findClaimedCallsign(const TKeoEGrid& grid, const std::string& answer)
{
    const std::string wanted = zem::upperAscii(answer);
    int found = 0;
    for (int r = 1; r < grid.RowCount(); ++r)
        if (grid.Cell(1, r) == wanted) found = r;
    return found;
}

std::string htmlPageName(const std::string& text)
{
    std::string s = zem::trim(text);
    for (char& c : s)
        if (c == ':' || c == '/' || c == '\\') c = '-';
    if (s.size() >= 4 && zem::iequals(std::string_view(s).substr(s.size() - 4), ".htm")) s.resize(s.size() - 4);
    return zem::trim(s);
}
