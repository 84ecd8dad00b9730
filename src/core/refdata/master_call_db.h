#pragma once
// The master callsign file: a 37 x 37 index of pair blocks, each a run of
// NUL-terminated calls, searched exactly or with "?" as any character.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TMasterCallDB {
public:
    // Throws std::runtime_error with the user's message ("File not found: ...",
    // "... is not a valid Master Callsign Database file."). A refused file
    // leaves the component without calls; an unreadable one throws an I/O error.
    void LoadFromFile(const std::string& fileName);
    bool ExactSearch(const std::string& call) const;
    // Fills Results with the matching calls of one pair block, "_" shown as a blank.
    bool PartialSearch(const std::string& pattern);
    std::vector<std::string> Results;
    // "File : %s\rDate : %s\rSize : (%d bytes)"
    std::string FileInfo() const;
    bool Loaded() const { return !index_.empty(); }
    // Every distinct call of the file, in the order first met, "_" shown as a
    // blank.
    std::vector<std::string> AllCalls() const;

    std::string FileName;
    std::string FileDate; // "yyyy-mm-dd hhmm"
    std::int64_t FileSize = 0;

private:
    // The prepared search text and the pair block it leads to; false when the
    // text cannot be searched.
    bool prepare(const std::string& text, std::string& prepared, std::string_view& block) const;
    void unload();

    std::vector<std::uint32_t> index_; // 1370 offsets
    std::string data_;
};

// Writes a master file of the given calls, in the given order. Calls are
// upper-cased, a blank inside a call is stored as "_" and indexed only by its
// other pairs; a call holding any other sign outside the alphabet is left out,
// and a repeated call is written once. Returns how many calls were left out
// for such a sign. Throws std::runtime_error when the file cannot be written.
int Cteate_master(const std::vector<std::string>& calls, const std::string& fileName);
