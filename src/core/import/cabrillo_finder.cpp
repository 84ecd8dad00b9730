#include "import/cabrillo_finder.h"

#include "import/cabrillo_reader.h"
#include "main/text_util.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderLines = 30;
constexpr std::size_t kLineChars = 100;

std::string chars(const std::string& line, std::size_t from1, std::size_t to1)
{
    if (from1 < 1 || from1 > line.size()) return {};
    return line.substr(from1 - 1, std::min(to1, line.size()) - from1 + 1);
}

// The year of a QSO line: the first four characters of its date, the third
// field after "QSO:". Loggers pad the frequency field to different widths, so
// a fixed column would give a piece of the mode for some of them.
std::string qsoYear(const std::string& line)
{
    std::istringstream in(line);
    std::string w[4];
    for (std::string& word : w) in >> word;
    if (w[3].size() >= 4) return w[3].substr(0, 4);
    return chars(line, 15, 18);
}

} // namespace

FoundCabrillo examineCabrilloFile(const std::string& path)
{
    const auto lines = zem::readLines(path);
    FoundCabrillo f;
    f.path = path;
    std::vector<std::string> header;
    for (std::size_t i = 0; i < lines.size() && i < kHeaderLines; ++i) {
        const std::string line = lines[i].substr(0, kLineChars);
        header.push_back(line);
        if (line.compare(0, 4, "QSO:") == 0) f.year = qsoYear(line);
        else if (line.compare(0, 8, "CONTEST:") == 0) f.contest = chars(line, 10, 109);
        else if (line.compare(0, 9, "CALLSIGN:") == 0) f.callsign = chars(line, 11, 110);
    }
    if (auto category = cabrilloCategory(header)) f.category = zem::lowerAscii(*category);
    const auto qsoLines = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& l) { return l.compare(0, 4, "QSO:") == 0; });
    f.qsos = std::to_string(qsoLines);
    return f;
}

bool maskMatches(const std::string& mask, const std::string& name)
{
    // Greedy match with one point of return for the last "*": linear enough
    // for file names.
    std::size_t m = 0, n = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && same(mask[m], name[n])))) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            star = m++;
            mark = n;
        } else if (star != std::string::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

void findCabrilloFiles(const std::string& folder, const std::string& mask, std::vector<FoundCabrillo>& found)
{
    std::error_code ec;
    if (zem::trim(folder).empty()) throw std::runtime_error(NoLogsFolderMessage);
    if (!fs::is_directory(folder, ec)) throw std::runtime_error("Directory not found: " + folder);
    std::vector<fs::path> files, folders;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path& p = it->path();
        const std::string name = p.filename().string();
        if (it->is_symlink(ec)) {
            if (it->is_regular_file(ec) && maskMatches(mask, name)) files.push_back(p);
            continue; // a link to a folder may lead back up the tree
        }
        if (it->is_directory(ec)) {
            if (!name.empty() && name.front() != '.') folders.push_back(p);
        } else if (it->is_regular_file(ec) && maskMatches(mask, name)) {
            files.push_back(p);
        }
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const auto& f : files) found.push_back(examineCabrilloFile(f.string()));
    for (const auto& d : folders) findCabrilloFiles(d.string(), mask, found);
}

void fillFinderGrid(TKeoEGrid& grid, const std::vector<FoundCabrillo>& found)
{
    TKeoEGrid::BatchUpdate batch(grid);
    grid.SetColCount(6);
    grid.SetHeader({"Year", "Contest", "Callsign", "Category", "QSO`s", "Directory"});
    grid.ClearGrid();
    grid.SetRowCount(std::max<int>(2, static_cast<int>(found.size()) + 1));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const auto& f = found[i];
        grid.WriteRow(static_cast<int>(i) + 1, {f.year, f.contest, f.callsign, f.category, f.qsos, f.path});
    }
}
