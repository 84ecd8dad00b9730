#include "refdata/master_call_db.h"

#include "main/text_util.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unordered_set>

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";
constexpr int kAlphabetSize = 37;
constexpr int kOffsetCount = 1370;
constexpr int kBlockCount = kAlphabetSize * kAlphabetSize; // 1369
constexpr std::uint32_t kIndexSize = kOffsetCount * 4;     // 5480

// Alphabet number of a character, -1 when it is not in the alphabet.
constexpr std::array<signed char, 256> makeAlphabetTable()
{
    std::array<signed char, 256> t{};
    for (auto& v : t) v = -1;
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    return t;
}
constexpr auto kAlphabetTable = makeAlphabetTable();

int alphabetNumber(char c) { return kAlphabetTable[static_cast<unsigned char>(c)]; }

std::string invalidFileMessage(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string() +
           " is not a valid Master Callsign Database file.";
}

std::string formatFileDate(const std::filesystem::path& p)
{
    const auto ftime = std::filesystem::last_write_time(p);
    const auto sys = std::chrono::file_clock::to_sys(ftime);
    const std::time_t t = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H%M", &tm);
    return buf;
}

// Walks the NUL-terminated calls of a run of bytes; a last call without its
// NUL ends with the run.
template <typename F>
void forEachCall(std::string_view run, F&& f)
{
    while (!run.empty()) {
        const auto nul = run.find('\0');
        const auto call = run.substr(0, nul);
        if (f(call)) return;
        if (nul == std::string_view::npos) return;
        run.remove_prefix(nul + 1);
    }
}

std::string shownCall(std::string_view call)
{
    std::string s(call);
    for (auto& c : s)
        if (c == '_') c = ' ';
    return s;
}

std::uint32_t readLe32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void appendLe32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

void TMasterCallDB::unload()
{
    index_.clear();
    data_.clear();
}

void TMasterCallDB::LoadFromFile(const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(fs::path(fileName), ec)) throw std::runtime_error("File not found: " + fileName);
    unload();

    FileName = fileName;
    FileDate = formatFileDate(fileName);
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open file " + fileName);
    in.seekg(0, std::ios::end);
    FileSize = static_cast<std::int64_t>(in.tellg());
    in.seekg(0, std::ios::beg);

    if (FileSize < kIndexSize) throw std::runtime_error(invalidFileMessage(fileName));

    std::array<unsigned char, kIndexSize> raw{};
    if (!in.read(reinterpret_cast<char*>(raw.data()), raw.size()))
        throw std::runtime_error("Cannot read file " + fileName);
    std::vector<std::uint32_t> index(kOffsetCount);
    for (int k = 0; k < kOffsetCount; ++k) index[k] = readLe32(raw.data() + 4 * k);

    // Offsets that fall back would send a search outside the data, so such a
    // file is refused like one whose ends do not fit.
    bool valid = index[0] == kIndexSize && static_cast<std::int64_t>(index[kOffsetCount - 1]) == FileSize;
    for (int k = 0; valid && k + 1 < kOffsetCount; ++k)
        if (index[k + 1] < index[k]) valid = false;
    if (!valid) throw std::runtime_error(invalidFileMessage(fileName));

    std::string data(static_cast<std::size_t>(FileSize - kIndexSize), '\0');
    if (!data.empty() && !in.read(data.data(), static_cast<std::streamsize>(data.size())))
        throw std::runtime_error("Cannot read file " + fileName);

    index_ = std::move(index);
    data_ = std::move(data);
}

bool TMasterCallDB::prepare(const std::string& text, std::string& prepared, std::string_view& block) const
{
    prepared = zem::upperAscii(zem::trim(text));
    for (char c : prepared)
        if (c != '?' && alphabetNumber(c) < 0) return false;
    if (!Loaded()) return false;
    for (std::size_t p = 0; p + 1 < prepared.size(); ++p) {
        const int a = alphabetNumber(prepared[p]);
        const int b = alphabetNumber(prepared[p + 1]);
        if (a < 0 || b < 0) continue;
        const int k = a * kAlphabetSize + b;
        block = std::string_view(data_).substr(index_[k] - kIndexSize, index_[k + 1] - index_[k]);
        return true;
    }
    return false;
}

bool TMasterCallDB::ExactSearch(const std::string& call) const
{
    std::string text;
    std::string_view block;
    if (!prepare(call, text, block) || text.find('?') != std::string::npos) return false;
    bool found = false;
    forEachCall(block, [&](std::string_view c) { return found = (c == text); });
    return found;
}

bool TMasterCallDB::PartialSearch(const std::string& pattern)
{
    Results.clear();
    std::string text;
    std::string_view block;
    if (!prepare(pattern, text, block)) return false;
    const std::size_t n = text.size();
    forEachCall(block, [&](std::string_view c) {
        if (c.size() < n) return false;
        for (std::size_t off = 0; off + n <= c.size(); ++off) {
            std::size_t i = 0;
            while (i < n && (text[i] == '?' || text[i] == c[off + i])) ++i;
            if (i == n) {
                Results.push_back(shownCall(c));
                break;
            }
        }
        return false;
    });
    return !Results.empty();
}

std::string TMasterCallDB::FileInfo() const
{
    return "File : " + FileName + "\rDate : " + FileDate + "\rSize : (" + std::to_string(FileSize) + " bytes)";
}

std::vector<std::string> TMasterCallDB::AllCalls() const
{
    std::vector<std::string> out;
    std::unordered_set<std::string_view> seen;
    if (!Loaded()) return out;
    // Block by block: a block whose last call lacks its NUL must not run on
    // into the first call of the next one.
    for (int k = 0; k < kBlockCount; ++k) {
        const auto block = std::string_view(data_).substr(index_[k] - kIndexSize, index_[k + 1] - index_[k]);
        forEachCall(block, [&](std::string_view c) {
            if (!c.empty() && seen.insert(c).second) out.push_back(shownCall(c));
            return false;
        });
    }
    return out;
}

int Cteate_master(const std::vector<std::string>& calls, const std::string& fileName)
{
    std::vector<std::string> blocks(kBlockCount);
    int leftOut = 0;
    std::unordered_set<std::string> written;
    for (const auto& raw : calls) {
        std::string call = zem::upperAscii(zem::trim(raw));
        if (call.empty()) continue;
        bool storable = true;
        for (auto& c : call) {
            if (c == ' ') c = '_';
            if (c != '_' && alphabetNumber(c) < 0) storable = false;
        }
        if (!storable) ++leftOut;
        if (!storable || !written.insert(call).second) continue;

        std::vector<int> used; // a call has few pairs: a short scan beats a table
        for (std::size_t j = 0; j + 1 < call.size(); ++j) {
            const int a = alphabetNumber(call[j]);
            const int b = alphabetNumber(call[j + 1]);
            if (a < 0 || b < 0) continue;
            const int k = a * kAlphabetSize + b;
            if (std::find(used.begin(), used.end(), k) != used.end()) continue;
            used.push_back(k);
            blocks[k] += call;
            blocks[k].push_back('\0');
        }
    }

    std::string index;
    index.reserve(kIndexSize);
    std::uint64_t offset = kIndexSize;
    appendLe32(index, static_cast<std::uint32_t>(offset));
    for (const auto& b : blocks) {
        offset += b.size();
        if (offset > UINT32_MAX) throw std::runtime_error("Too many callsigns for " + fileName);
        appendLe32(index, static_cast<std::uint32_t>(offset));
    }

    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create file " + fileName);
    out.write(index.data(), static_cast<std::streamsize>(index.size()));
    for (const auto& b : blocks) out.write(b.data(), static_cast<std::streamsize>(b.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot write file " + fileName);
    return leftOut;
}
