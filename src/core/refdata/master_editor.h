#pragma once
// The master editor's data: callsigns gathered from a log, a master file or
// a text file into one sorted list without repeats, written back as a
// master file or as text.

#include <string>
#include <string_view>
#include <vector>

// A callsign as the editor keeps it: blanks around trimmed, upper case, "_"
// read as the blank it stands for in a master file.
std::string editorCall(std::string_view text);

// Sorted callsigns, each once whatever its letter case.
class MasterCallList {
public:
    // Adds one call; false when it is empty or already there.
    bool Add(std::string_view call);
    // Adds many at once (one sort instead of an insertion per call).
    void AddAll(const std::vector<std::string>& calls);
    void Clear() { calls_.clear(); }
    int Count() const { return static_cast<int>(calls_.size()); }
    const std::string& operator[](int i) const { return calls_[static_cast<std::size_t>(i)]; }
    const std::vector<std::string>& Calls() const { return calls_; }

private:
    std::vector<std::string> calls_;
};

// The callsigns of a text file, one a line: blank lines and "#" comment
// lines are no calls; the others are trimmed and upper-cased. Throws
// std::runtime_error when the file cannot be read.
std::vector<std::string> readCallTextFile(const std::string& path);
// Writes one callsign a line ("\r\n"). Throws std::runtime_error when the
// file cannot be written.
void writeCallTextFile(const std::vector<std::string>& calls, const std::string& path);
