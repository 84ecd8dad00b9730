#pragma once
// Country lookup from the country files: cty.dat gives the country of a
// call; the program's own zem-cty.dat then narrows a Russian call down to
// its oblast.

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

// A country's name as cells, labels, chart labels and file names show it:
// without the blank the record appends to it.
std::string shownCountryName(std::string_view name);

// Raised when cty.dat is missing, cannot be read or holds no country: the
// message is the one shown to the user.
class CtyFileMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCty_search {
public:
    TCty_search() = default;
    // Loads programFolder/cty.dat and then programFolder/zem-cty.dat. A
    // zem-cty.dat that cannot be read throws std::runtime_error naming it.
    explicit TCty_search(const std::filesystem::path& programFolder);
    void LoadFiles(const std::filesystem::path& ctyDat, const std::filesystem::path& zemCtyDat);

    // True when a key was found; the result fields then describe it. False
    // leaves them as the last successful lookup left them. A number field of
    // the record that does not convert throws std::invalid_argument.
    //
    // The country comes from the keys of cty.dat as the file writes them:
    // the call as given, then (portable form, fixed mappings) its longest
    // prefix. The portable form keeps a prefix as written (OH/DL2VFR is
    // looked up as OH, not as the OH0 of NormalizePortable). When that
    // country is one zem-cty.dat refines (a country whose primary prefix an
    // oblast names) and the hit was not a whole-call "=" entry, the call's UA
    // form (R+letter and R+digit written as UA) is looked up by longest
    // prefix among the oblast keys; a hit gives the oblast, a miss keeps the
    // cty.dat record.
    bool LookupCall(const std::string& call);
    const CountryRecord& Result() const { return result_; }

    std::string NormalizePortable(const std::string& call) const;
    std::string WpxPrefix(const std::string& call) const;

    // Number of countries (header lines) of cty.dat: per-country tables are
    // sized from it.
    int CountryCount() const { return countryCount_; }
    // The name (one blank appended) of country countryNum of cty.dat: per-
    // country tables name a row after the country, never after the oblast
    // of the call that happened to fill it. Empty outside 1..CountryCount().
    std::string CountryName(int countryNum) const;
    // Every CQ (cq true) or ITU zone number that a key of the country files
    // carries, ascending: zone tables need a row for each (ITU 90 included).
    std::vector<int> ZoneNumbers(bool cq) const;

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
        bool wholeCall = false; // an "=" entry: its record is final
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using KeyMap = std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>>;
    // The keys of one country file.
    struct KeySet {
        // Prefixes and aliases, upper case, at most 14 characters.
        KeyMap prefixes;
        // Whole callsigns ("=" entries): they match only a complete callsign,
        // never as the prefix of a longer one.
        KeyMap wholeCalls;
        // Index of the record of a key, or -1.
        long find(std::string_view key, bool wholeText) const;
        // Longest prefix of s that is a key (s itself first), or -1.
        long longestPrefix(std::string_view s) const;
    };

    void loadFile(const std::filesystem::path& file, bool isCtyDat,
                  std::vector<std::string>& Prefixes);
    void addEntry(std::string entry, bool isCtyDat, std::size_t country,
                  const std::string& headerCq, const std::string& headerItu);
    void fillResult(std::size_t record);
    // NormalizePortable, with the "0" that completes a prefix without a
    // digit only when completeWithZero (the WPX form; the country lookup
    // takes the prefix as written).
    static std::string portableForm(const std::string& call, bool completeWithZero);
    // The country's primary prefix is marked "*".
    bool isStarEntity(std::size_t country) const;

    std::vector<Country> countries_;
    std::vector<Entry> Records;
    KeySet Keys;       // cty.dat
    KeySet OblastKeys; // zem-cty.dat
    // Country numbers of the cty.dat countries that zem-cty.dat divides into oblasts.
    std::vector<int> refinedCountries_;
    long FoundIndex = -1;
    CountryRecord result_;
    int countryCount_ = 0;
};
