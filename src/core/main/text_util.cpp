#include "main/text_util.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zem {

std::string trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string upperAscii(std::string_view s)
{
    std::string r(s);
    for (auto& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

namespace {

// Length of the UTF-8 sequence a lead byte begins, or 0 for a byte that
// cannot begin one.
int utf8Length(unsigned char c)
{
    return c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
}

bool isUtf8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        const int n = utf8Length(static_cast<unsigned char>(s[i]));
        if (n == 0 || i + static_cast<size_t>(n) > s.size()) return false;
        for (int k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) >> 6) != 2) return false;
        i += static_cast<size_t>(n);
    }
    return true;
}

// Capitals whose UTF-8 form is as long as the small letter's.
char32_t upperLetter(char32_t c)
{
    auto evenUpper = [](char32_t x) { return (x & 1) ? x - 1 : x; };
    auto oddUpper = [](char32_t x) { return (x & 1) ? x : x - 1; };
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return evenUpper(c);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return oddUpper(c);
    if (c >= 0x1CD && c <= 0x1DC) return oddUpper(c);
    if ((c >= 0x1DE && c <= 0x1EF) || (c >= 0x1F8 && c <= 0x21F) || (c >= 0x222 && c <= 0x233)) return evenUpper(c);
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3C2) return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) return evenUpper(c);
    if (c >= 0x4C1 && c <= 0x4CE) return oddUpper(c);
    if (c == 0x4CF) return 0x4C0;
    if (c >= 0x561 && c <= 0x586) return c - 0x30;
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return evenUpper(c);
    return c;
}

} // namespace

std::string upperText(std::string_view s)
{
    std::string r(s);
    if (!isUtf8(s)) {
        // Latin-1: the small letters a grave to thorn, but the division sign.
        for (auto& ch : r) {
            const auto c = static_cast<unsigned char>(ch);
            if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) ch = static_cast<char>(c - 0x20);
        }
        return r;
    }
    for (size_t i = 0; i < r.size();) {
        const auto lead = static_cast<unsigned char>(r[i]);
        const int n = utf8Length(lead);
        if (n == 1) {
            if (lead >= 'a' && lead <= 'z') r[i] = static_cast<char>(lead - 0x20);
        } else if (n <= 3) { // the letters above all lie below U+10000
            char32_t c = n == 2 ? lead & 0x1F : lead & 0x0F;
            for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(r[i + static_cast<size_t>(k)]) & 0x3F);
            const char32_t u = upperLetter(c);
            if (u != c) {
                // Same length by the choice of letters: rewrite the bytes in place.
                if (n == 2) {
                    r[i] = static_cast<char>(0xC0 | (u >> 6));
                    r[i + 1] = static_cast<char>(0x80 | (u & 0x3F));
                } else {
                    r[i] = static_cast<char>(0xE0 | (u >> 12));
                    r[i + 1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                    r[i + 2] = static_cast<char>(0x80 | (u & 0x3F));
                }
            }
        }
        i += static_cast<size_t>(n);
    }
    return r;
}

std::string lowerAscii(std::string_view s)
{
    std::string r(s);
    for (auto& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool iequals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

std::vector<std::string> split(std::string_view s, char sep)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        if (p == std::string_view::npos) {
            out.emplace_back(s.substr(start));
            return out;
        }
        out.emplace_back(s.substr(start, p - start));
        start = p + 1;
    }
}

std::vector<std::string> tokens(std::string_view s)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
        size_t b = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
        if (i > b) out.emplace_back(s.substr(b, i - b));
    }
    return out;
}

long long toInt64(std::string_view s)
{
    std::string t = trim(s);
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (b != e && *b == '+') ++b;
    long long v = 0;
    auto [p, ec] = std::from_chars(b, e, v);
    if (t.empty() || ec != std::errc() || p != e)
        throw std::invalid_argument("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

int toInt(std::string_view s)
{
    long long v = toInt64(s);
    if (v < INT32_MIN || v > INT32_MAX) throw std::invalid_argument("'" + std::string(s) + "' is not a valid integer value");
    return static_cast<int>(v);
}

bool tryToInt(std::string_view s, int& out)
{
    try {
        out = toInt(s);
        return true;
    } catch (const std::invalid_argument&) {
        return false;
    }
}

double toDouble(std::string_view s)
{
    double v = 0;
    if (!tryToDouble(s, v)) throw std::invalid_argument("'" + std::string(s) + "' is not a valid floating point value");
    return v;
}

bool tryToDouble(std::string_view s, double& out)
{
    std::string t = trim(s);
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (b != e && *b == '+') ++b;
    if (t.empty()) return false;
    double v = 0;
    auto [p, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || p != e || !std::isfinite(v)) return false;
    out = v;
    return true;
}

std::string formatShortest(double v)
{
    if (v == 0) return "0";
    // Fifteen significant digits, the precision of the program's number texts,
    // then the zeros behind the point dropped.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s = buf;
    if (s.find('e') == std::string::npos && s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

std::string formatFixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, v);
    return buf;
}

long long roundHalfEven(double v) { return static_cast<long long>(std::nearbyint(v)); }

long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long yy = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

bool isValidDate(int y, int m, int d)
{
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int dim[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int max = dim[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) max = 29;
    return d <= max;
}

int dayOfWeekIso(int y, int m, int d)
{
    long z = daysFromCivil(y, m, d); // 1970-01-01 was a Thursday (4)
    long w = (z % 7 + 7 + 3) % 7;    // 0 = Monday
    return static_cast<int>(w) + 1;
}

std::string toDisplayUtf8(std::string_view bytes)
{
    if (isUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x80) out += static_cast<char>(c);
        else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string readFile(const std::string& path)
{
    // A folder opens like a file and then fails on the first read; only
    // ferror tells it from an empty file.
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error("Cannot open file \"" + path + "\": " + std::strerror(errno));
    std::string data;
    char buf[65536];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) throw std::runtime_error("Cannot read file \"" + path + "\": " + std::strerror(err));
    return data;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    forEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> readLines(const std::string& path) { return splitLines(readFile(path)); }

void writeFile(const std::string& path, std::string_view text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create file \"" + path + "\".");
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot write file \"" + path + "\".");
}

void writeLines(const std::string& path, const std::vector<std::string>& lines, std::string_view eol)
{
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += eol;
    }
    writeFile(path, text);
}

} // namespace zem
