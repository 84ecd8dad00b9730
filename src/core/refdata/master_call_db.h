#pragma once
// The master callsign file: a 37 x 37 index of pair blocks, each a run of
// NUL-terminated calls, searched exactly or with "?" as any character.

#include <cstdint>
#include <string>
#include <vector>

class TMasterCallDB {
public:
    // Throws std::runtime_error with the user's message ("File not found: ...",
    // "... is not a valid Master Callsign Database file.").
    void LoadFromFile(const std::string& fileName);
    bool ExactSearch(const std::string& call) const;
    bool PartialSearch(const std::string& pattern);
    std::vector<std::string> Results;
    // "File : %s\rDate : %s\rSize : (%d bytes)"
    std::string FileInfo() const;
    bool Loaded() const { return !index_.empty(); }
    // Every call of the file, in file order.
    std::vector<std::string> AllCalls() const;

    std::string FileName;
    std::string FileDate; // "yyyy-mm-dd hhmm"
    std::int64_t FileSize = 0;

private:
    std::vector<std::uint32_t> index_; // 1370 offsets
    std::string data_;
};

// Writes a master file of the given calls. Throws std::runtime_error when the
// file cannot be written.
void Cteate_master(const std::vector<std::string>& calls, const std::string& fileName);
