#pragma once
// Country lookup from the country files: cty.dat, then the program's own
// zem-cty.dat whose keys replace equal ones.

#include <filesystem>
#include <stdexcept>
#include <string>
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
    struct Entry;
    CountryRecord result_;
    int countryCount_ = 0;
    // Implementation detail of the loader; owned by the .cpp.
    std::unordered_map<std::string, std::vector<std::string>> records_;
};
