#include "refdata/country_list.h"

#include "main/text_util.h"
#include "refdata/distance.h"

#include <algorithm>
#include <stdexcept>

namespace {

// name : CQ : ITU : continent : latitude : longitude : offset : prefix
constexpr std::size_t kHeaderFields = 8;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int zoneOf(const std::string& text)
{
    return zem::toInt(text);
}

// The numbers inside every open ... close group of an entry.
void addOverrides(const std::string& entry, char open, char close, std::set<int>& zones)
{
    std::size_t pos = 0;
    while ((pos = entry.find(open, pos)) != std::string::npos) {
        const std::size_t end = entry.find(close, pos + 1);
        if (end == std::string::npos) return;
        int z = 0;
        if (zem::tryToInt(entry.substr(pos + 1, end - pos - 1), z) && z > 0) zones.insert(z);
        pos = end + 1;
    }
}

// The zone overrides of the prefix entries of an entry line. Whole calls
// ("=" entries) are left out: they are single stations, mostly ships at sea
// far from their country, and do not put the country into a zone.
void addPrefixOverrides(const std::string& line, CtyCountry& country)
{
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t,;", i);
        if (start == std::string::npos) return;
        std::size_t end = line.find_first_of(" \t,;", start);
        if (end == std::string::npos) end = line.size();
        const std::string entry = line.substr(start, end - start);
        if (entry[0] != '=') {
            addOverrides(entry, '(', ')', country.CqZones);
            addOverrides(entry, '[', ']', country.ItuZones);
        }
        i = end;
    }
}

} // namespace

std::vector<CtyCountry> parseCtyCountries(const std::vector<std::string>& lines)
{
    std::vector<CtyCountry> out;
    bool inCountry = false;
    int number = 0;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (isBlank(line[0])) {
            if (!inCountry) continue;
            addPrefixOverrides(line, out.back());
            continue;
        }
        inCountry = false;
        ++number; // as the lookup numbers the countries
        const std::vector<std::string> f = zem::split(line, ':');
        if (f.size() < kHeaderFields) continue;
        CtyCountry c;
        c.Number = number;
        c.Name = zem::trim(f[0]);
        c.CQ = zoneOf(f[1]);
        c.ITU = zoneOf(f[2]);
        c.Continent = zem::trim(f[3]);
        c.Latitude = zem::toDouble(f[4]);
        c.Longitude = zem::toDouble(f[5]);
        c.CqZones.insert(c.CQ);
        c.ItuZones.insert(c.ITU);
        out.push_back(std::move(c));
        inCountry = true;
    }
    return out;
}

std::vector<CtyCountry> readCtyCountries(const std::string& path)
{
    return parseCtyCountries(zem::readLines(path));
}

std::vector<std::string> countriesOfZone(const std::vector<CtyCountry>& countries, TZoneKind kind, int zone)
{
    std::vector<std::string> names;
    for (const CtyCountry& c : countries) {
        const std::set<int>& zones = kind == TZoneKind::WAZ ? c.CqZones : c.ItuZones;
        if (zones.count(zone)) names.push_back(c.Name);
    }
    return names;
}

std::vector<CountryDistance> countryDistances(const std::vector<CtyCountry>& countries, double lat, double lon,
                                              const std::string& continent, int ownCountry)
{
    std::vector<CountryDistance> out;
    for (const CtyCountry& c : countries) {
        if (ownCountry != 0 && c.Number == ownCountry) continue;
        const double km = Calc_distance(lat, lon, c.Latitude, c.Longitude);
        if (km == 0) continue;
        if (!continent.empty() && c.Continent != continent) continue;
        out.push_back({c.Name, static_cast<long long>(km), c.Continent});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const CountryDistance& a, const CountryDistance& b) { return a.Km < b.Km; });
    return out;
}
