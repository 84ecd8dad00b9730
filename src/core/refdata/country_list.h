#pragma once
// The countries of cty.dat as the zone lists and the distance list read
// them: one entry per header line, with the zones its entries reach.

#include <set>
#include <string>
#include <vector>

struct CtyCountry {
    int Number = 0;        // place among the header lines of the file, from 1
    std::string Name;      // trimmed, no ":"
    int CQ = 0;            // the header's zones
    int ITU = 0;
    std::string Continent;
    double Latitude = 0;   // degrees, west longitudes positive
    double Longitude = 0;
    // The header's zone and every zone a prefix entry of the country
    // overrides it with ("=" whole-call entries do not count).
    std::set<int> CqZones;
    std::set<int> ItuZones;
};

// Reads the header lines by their ":" fields (name, CQ, ITU, continent,
// latitude, longitude, ...) and the "(cq)" and "[itu]" overrides of the
// prefix entries on the entry lines that follow. Lines starting with ";" or
// "#", empty lines and headers with fewer fields are skipped. A zone, latitude or longitude that
// is not a number throws std::invalid_argument; so does a file that cannot
// be read (std::runtime_error).
std::vector<CtyCountry> readCtyCountries(const std::string& path);
std::vector<CtyCountry> parseCtyCountries(const std::vector<std::string>& lines);

enum class TZoneKind { WAZ, ITU };

// Names of the countries that lie (wholly or in part) in the zone, in file order.
std::vector<std::string> countriesOfZone(const std::vector<CtyCountry>& countries, TZoneKind kind, int zone);

struct CountryDistance {
    std::string Name;
    long long Km = 0;
    std::string Continent;
};

// Every country with its distance from (lat, lon), nearest first. Left out:
// the reference country (number ownCountry, 0 for none) and any country at
// distance 0, so that a position inside the own country (a Russian oblast)
// does not list that country; with a non-empty continent only that
// continent's countries are kept.
std::vector<CountryDistance> countryDistances(const std::vector<CtyCountry>& countries, double lat, double lon,
                                              const std::string& continent, int ownCountry = 0);
