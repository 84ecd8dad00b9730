#pragma once
// Small text and number helpers shared by all of core. Numbers always use "."
// whatever the locale.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

std::string trim(std::string_view s);
std::string upperAscii(std::string_view s);
// Upper case of a text that is shown, read as toDisplayUtf8 reads it (UTF-8
// when valid, else Latin-1), in the same encoding and of the same length in
// bytes, so that column places found in an ASCII header still hold. Letters
// of the Latin, Greek, Cyrillic and Armenian alphabets; letters whose
// capital is longer or more than one letter (German sharp s, dotless i)
// stay as written. ASCII letters are upper-cased as by upperAscii.
std::string upperText(std::string_view s);
std::string lowerAscii(std::string_view s);
bool iequals(std::string_view a, std::string_view b);
bool startsWith(std::string_view s, std::string_view prefix);
std::vector<std::string> split(std::string_view s, char sep);
// Tokens separated by runs of blanks and tabs.
std::vector<std::string> tokens(std::string_view s);

// Whole-number conversion of a cell text (blanks around allowed, nothing
// else). Throws std::invalid_argument naming the text.
long long toInt64(std::string_view s);
int toInt(std::string_view s);
bool tryToInt(std::string_view s, int& out);
// Decimal conversion with "." as separator. Throws std::invalid_argument.
double toDouble(std::string_view s);
bool tryToDouble(std::string_view s, double& out);

// The shortest general decimal form of a number ("1.234", "2", "-37.625").
std::string formatShortest(double v);
// Fixed notation with the given decimals.
std::string formatFixed(double v, int decimals);
// Rounded to the nearest, halves to even.
long long roundHalfEven(double v);

// Civil calendar helpers.
long daysFromCivil(int y, int m, int d);
void civilFromDays(long z, int& y, int& m, int& d);
bool isValidDate(int y, int m, int d);
int dayOfWeekIso(int y, int m, int d); // 1 = Monday .. 7 = Sunday

// Text that is shown: UTF-8 when it is valid UTF-8, else Latin-1 turned into UTF-8.
std::string toDisplayUtf8(std::string_view bytes);

// Reads a whole file as bytes. Throws std::runtime_error naming the file and
// the reason when it cannot be opened or read (a folder, no permission).
std::string readFile(const std::string& path);

// Calls f with each line of a text, without copying it: "\r\n", "\n" and a
// lone "\r" each end a line; no empty line follows a final line end.
template <typename F>
void forEachLine(std::string_view text, F&& f)
{
    // A plain scan: find_first_of tests each byte against the set with a
    // call of its own, which made reading a large spot file slow.
    const std::size_t n = text.size();
    std::size_t start = 0;
    while (start < n) {
        std::size_t p = start;
        while (p < n && text[p] != '\n' && text[p] != '\r') ++p;
        if (p == n) {
            f(text.substr(start));
            return;
        }
        f(text.substr(start, p - start));
        start = p + ((text[p] == '\r' && p + 1 < n && text[p + 1] == '\n') ? 2 : 1);
    }
}

// The lines of a text, by the rule of forEachLine.
std::vector<std::string> splitLines(std::string_view text);

// Reads a whole file as lines (splitLines). Throws std::runtime_error naming
// the file when it cannot be read.
std::vector<std::string> readLines(const std::string& path);

// Writes text as the whole file, replacing what was there. Throws
// std::runtime_error naming the file when it cannot be created or written.
void writeFile(const std::string& path, std::string_view text);
// Writes each line followed by eol, replacing the file (as writeFile).
void writeLines(const std::string& path, const std::vector<std::string>& lines, std::string_view eol = "\n");

} // namespace zem
