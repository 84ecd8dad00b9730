#pragma once
// A sectioned settings file ("[Section]" lines followed by "key=value"
// lines). Section and key names compare without regard to letter case; keys
// keep their inner blanks; values are kept as written. The whole file is held
// in memory and written back by UpdateFile, keeping the order of what was
// there and adding new keys at the end of their section, new sections at the
// end of the file. Lines that are neither a section nor a key (comments,
// blank lines) are kept where they stand.

#include <filesystem>
#include <string>
#include <vector>

class TIniFile {
public:
    // Reads the file when it exists; a missing file is an empty one. A file
    // that exists but cannot be read throws std::runtime_error.
    explicit TIniFile(std::filesystem::path path);

    const std::filesystem::path& FileName() const { return path_; }

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal (or "0x" hexadecimal) whole number; anything else gives def.
    long long ReadInteger(const std::string& section, const std::string& key, long long def) const;
    // Any whole number, non-zero is true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long long value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);
    // The key names of a section in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;
    std::vector<std::string> ReadSections() const;

    // Writes the whole file (through a temporary file renamed over it, so a
    // failed write leaves the old file whole). Creates no folder. Throws
    // std::runtime_error naming the file when it cannot be written.
    void UpdateFile() const;

    // The file's text as UpdateFile writes it.
    std::string Text() const;

private:
    struct Line {
        bool isKey = false;
        std::string key;   // as written
        std::string value; // as written; for other lines the raw text
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);
    static const Line* findKey(const Section& s, const std::string& key);

    std::filesystem::path path_;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
};
