#include "main/ini_file.h"

#include "main/text_util.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace {

std::string trimBlanks(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return std::string(s.substr(b, e - b));
}

} // namespace

TIniFile::TIniFile(std::filesystem::path path)
    : path_(std::move(path))
{
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) return;
    std::string text = zem::readFile(path_.string());
    if (zem::startsWith(text, "\xEF\xBB\xBF")) text.erase(0, 3);

    Section* current = nullptr;
    for (const std::string& line : zem::splitLines(text)) {
        std::string t = trimBlanks(line);
        if (t.size() >= 2 && t.front() == '[') {
            size_t close = t.find(']');
            if (close != std::string::npos) {
                sections_.push_back({trimBlanks(std::string_view(t).substr(1, close - 1)), {}});
                current = &sections_.back();
                continue;
            }
        }
        Line l;
        size_t eq = line.find('=');
        if (eq != std::string::npos && !t.empty() && t.front() != ';' && t.front() != '#') {
            l.isKey = true;
            l.key = trimBlanks(std::string_view(line).substr(0, eq));
            l.value = trimBlanks(std::string_view(line).substr(eq + 1));
        } else {
            l.value = line;
        }
        if (current)
            current->lines.push_back(std::move(l));
        else
            preamble_.push_back(line);
    }
}

const TIniFile::Section* TIniFile::findSection(const std::string& name) const
{
    for (const auto& s : sections_)
        if (zem::iequals(s.name, name)) return &s;
    return nullptr;
}

TIniFile::Section* TIniFile::findSection(const std::string& name)
{
    for (auto& s : sections_)
        if (zem::iequals(s.name, name)) return &s;
    return nullptr;
}

const TIniFile::Line* TIniFile::findKey(const Section& s, const std::string& key)
{
    for (const auto& l : s.lines)
        if (l.isKey && zem::iequals(l.key, key)) return &l;
    return nullptr;
}

bool TIniFile::SectionExists(const std::string& section) const { return findSection(section) != nullptr; }

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    const Section* s = findSection(section);
    return s && findKey(*s, key);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    const Section* s = findSection(section);
    if (!s) return def;
    const Line* l = findKey(*s, key);
    return l ? l->value : def;
}

long long TIniFile::ReadInteger(const std::string& section, const std::string& key, long long def) const
{
    std::string text = zem::trim(ReadString(section, key, ""));
    if (text.empty()) return def;
    const char* b = text.data();
    const char* e = b + text.size();
    bool negative = false;
    if (*b == '+' || *b == '-') {
        negative = *b == '-';
        ++b;
    }
    int base = 10;
    if (e - b > 2 && b[0] == '0' && (b[1] == 'x' || b[1] == 'X')) {
        base = 16;
        b += 2;
    }
    unsigned long long v = 0;
    auto [p, ec] = std::from_chars(b, e, v, base);
    if (b == e || ec != std::errc() || p != e) return def;
    if (v > static_cast<unsigned long long>(INT64_MAX)) return def;
    return negative ? -static_cast<long long>(v) : static_cast<long long>(v);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& l : s->lines)
        if (l.isKey && zem::iequals(l.key, key)) {
            l.value = value;
            return;
        }
    // New keys go behind the section's last key, ahead of blank lines that
    // separate it from the next section.
    auto at = s->lines.end();
    while (at != s->lines.begin() && !(at - 1)->isKey && trimBlanks((at - 1)->value).empty()) --at;
    s->lines.insert(at, Line{true, key, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, long long value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section)
{
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (zem::iequals(it->name, section))
            it = sections_.erase(it);
        else
            ++it;
    }
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    Section* s = findSection(section);
    if (!s) return;
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it)
        if (it->isKey && zem::iequals(it->key, key)) {
            s->lines.erase(it);
            return;
        }
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    std::vector<std::string> keys;
    const Section* s = findSection(section);
    if (!s) return keys;
    for (const auto& l : s->lines) {
        if (!l.isKey) continue;
        bool seen = false;
        for (const auto& k : keys)
            if (zem::iequals(k, l.key)) seen = true;
        if (!seen) keys.push_back(l.key);
    }
    return keys;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (const auto& s : sections_) {
        bool seen = false;
        for (const auto& n : names)
            if (zem::iequals(n, s.name)) seen = true;
        if (!seen) names.push_back(s.name);
    }
    return names;
}

std::string TIniFile::Text() const
{
    std::string out;
    for (const auto& l : preamble_) out += l + "\n";
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\n";
        for (const auto& l : s.lines) out += l.isKey ? l.key + "=" + l.value + "\n" : l.value + "\n";
    }
    return out;
}

void TIniFile::UpdateFile() const
{
    const std::string text = Text();
    std::filesystem::path tmp = path_;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("Cannot create file " + path_.string() + ": " + std::strerror(errno));
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            throw std::runtime_error("Cannot write file " + path_.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path_, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        throw std::runtime_error("Cannot write file " + path_.string() + ": " + ec.message());
    }
}
