#pragma once
// Country lookup from the country files: cty.dat, then the program's own
// zem-cty.dat whose keys replace equal ones.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct CountryRecord {
    std::string Country;   // name with one blank appended, up to 30 characters
    std::string Continent; // 2 characters
    std::string CQ;        // zone number text, no leading zeros
    std::string ITU;
    double Latitude = 0;
    double Longitude = 0;  // west positive
    double TimeOffset = 0;
    std::string Prefix;    // primary prefix, up to 10 characters
    int CountryNum = 0;    // place among the countries of cty.dat, from 1; 0 when not there
};

// Raised when a country file is missing: the message is the one shown to the user.
class CtyFileMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCty_search {
public:
    TCty_search() = default;
    // Loads programFolder/cty.dat and then programFolder/zem-cty.dat.
    explicit TCty_search(const std::filesystem::path& programFolder);
    void LoadFiles(const std::filesystem::path& ctyDat, const std::filesystem::path& zemCtyDat);

    // True when a key was found; the result fields then describe it. False
    // leaves them as the last successful lookup left them. A number field of
    // the record that does not convert throws std::invalid_argument.
    bool LookupCall(const std::string& call);
    const CountryRecord& Result() const { return result_; }

    std::string NormalizePortable(const std::string& call) const;
    std::string WpxPrefix(const std::string& call) const;

    // Number of countries (header lines) of cty.dat: per-country tables are
    // sized from it.
    int CountryCount() const { return countryCount_; }

private:
    // One header line of a country file, its numbers converted once.
    struct Country {
        std::string name;      // trimmed, one blank appended
        std::string continent;
        std::string prefix;
        double latitude = 0;
        double longitude = 0;
        double timeOffset = 0;
        std::string badNumber; // the text that did not convert, reported on a hit
        int countryNum = 0;
    };
    // The record of one key: its country and the zones after the key's overrides.
    struct Entry {
        std::size_t country = 0;
        int cq = 0;
        int itu = 0;
        std::string badZone;   // the zone text that did not convert
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using KeyMap = std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>>;

    void loadFile(const std::filesystem::path& file, bool isCtyDat,
                  std::vector<std::string>& Prefixes);
    void addEntry(std::string entry, bool isCtyDat, std::size_t country,
                  const std::string& headerCq, const std::string& headerItu);
    // Index of the record of a key, or -1.
    long findKey(std::string_view key, bool wholeText) const;
    void fillResult(std::size_t record);

    std::vector<Country> countries_;
    std::vector<Entry> Records;
    // Prefixes and aliases, upper case, at most 14 characters.
    KeyMap Keys;
    // Whole callsigns ("=" entries): they match only a complete callsign, never
    // as the prefix of a longer one.
    KeyMap ExactKeys;
    long FoundIndex = -1;
    CountryRecord result_;
    int countryCount_ = 0;
};
