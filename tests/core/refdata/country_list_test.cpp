#include "refdata/country_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const std::vector<CtyCountry>& shipped()
{
    static const std::vector<CtyCountry> c = readCtyCountries(ZEM_SOURCE_DIR "/data/cty.dat");
    return c;
}

const CtyCountry& country(const std::string& name)
{
    const auto& all = shipped();
    auto it = std::find_if(all.begin(), all.end(), [&](const CtyCountry& c) { return c.Name == name; });
    if (it == all.end()) throw std::runtime_error("no " + name);
    return *it;
}

bool contains(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

// Great-circle distance on a sphere of the mean Earth radius: an independent
// yardstick for the ellipsoid's figures.
double sphereKm(const CtyCountry& a, const CtyCountry& b)
{
    const double k = M_PI / 180;
    const double h = std::pow(std::sin((a.Latitude - b.Latitude) * k / 2), 2) +
                     std::cos(a.Latitude * k) * std::cos(b.Latitude * k) *
                         std::pow(std::sin((a.Longitude - b.Longitude) * k / 2), 2);
    return 2 * 6371.0 * std::asin(std::sqrt(h));
}

long long distanceOf(const std::vector<CountryDistance>& list, const std::string& name)
{
    for (const auto& d : list)
        if (d.Name == name) return d.Km;
    return -1;
}

} // namespace

TEST(CountryList, HeadersOfTheShippedFile)
{
    EXPECT_EQ(shipped().size(), 346u);
    EXPECT_EQ(shipped().front().Number, 1);
    EXPECT_EQ(shipped().back().Number, 346);
    const CtyCountry& au = country("Australia");
    EXPECT_EQ(au.CQ, 30);
    EXPECT_EQ(au.ITU, 59);
    EXPECT_EQ(au.Continent, "OC");
    EXPECT_DOUBLE_EQ(au.Latitude, -23.70);
    EXPECT_DOUBLE_EQ(au.Longitude, -132.33);
}

TEST(CountryList, SkipsCommentsShortHeadersAndRejectsBadNumbers)
{
    const std::vector<std::string> lines = {
        "# edition of today",
        "Short header: 14: 27",
        "    XX;",
        "Alpha Land:               14:  27:  EU:   43.73:    -7.40:    -1.0:  AL:",
        "    AL,AL5(15)[28],=AL1ABC[90];",
        "; a comment",
        "",
    };
    const auto c = parseCtyCountries(lines);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].Name, "Alpha Land");
    EXPECT_EQ(c[0].CqZones, (std::set<int>{14, 15}));
    // A whole call ("=", mostly a ship at sea) puts no country into a zone.
    EXPECT_EQ(c[0].ItuZones, (std::set<int>{27, 28}));
    EXPECT_THROW(parseCtyCountries({"Beta:  1x:  27:  EU:  43.73:  -7.40:  -1.0:  BE:"}), std::invalid_argument);
    EXPECT_THROW(parseCtyCountries({"Beta:  14:  27:  EU:  north:  -7.40:  -1.0:  BE:"}), std::invalid_argument);
}

TEST(CountryList, ZonesIncludeTheOverridesOfEntries)
{
    const auto waz16 = countriesOfZone(shipped(), TZoneKind::WAZ, 16);
    EXPECT_TRUE(contains(waz16, "European Russia"));
    EXPECT_FALSE(contains(waz16, "Australia"));
    // No header carries CQ zone 2: Canada reaches it through its entries alone.
    const auto waz2 = countriesOfZone(shipped(), TZoneKind::WAZ, 2);
    EXPECT_TRUE(contains(waz2, "Canada"));
    EXPECT_FALSE(contains(waz2, "United States"));
    const auto itu4 = countriesOfZone(shipped(), TZoneKind::ITU, 4);
    EXPECT_TRUE(contains(itu4, "Canada"));
    EXPECT_TRUE(countriesOfZone(shipped(), TZoneKind::WAZ, 41).empty());
    // The whole calls of ships at sea list no country in their ocean's zone.
    const auto waz40 = countriesOfZone(shipped(), TZoneKind::WAZ, 40);
    EXPECT_FALSE(contains(waz40, "Italy"));
    EXPECT_FALSE(contains(waz40, "Sweden"));
    EXPECT_TRUE(contains(waz40, "Iceland"));
    EXPECT_FALSE(contains(countriesOfZone(shipped(), TZoneKind::WAZ, 34), "Poland"));
    EXPECT_FALSE(contains(countriesOfZone(shipped(), TZoneKind::WAZ, 9), "Ukraine"));
}

TEST(CountryList, DistancesNearestFirstWithoutTheReferenceCountry)
{
    const CtyCountry& ru = country("European Russia");
    const auto all = countryDistances(shipped(), ru.Latitude, ru.Longitude, "");
    EXPECT_EQ(all.size(), shipped().size() - 1);
    EXPECT_EQ(distanceOf(all, "European Russia"), -1);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const CountryDistance& a, const CountryDistance& b) { return a.Km < b.Km; }));
    // Southern and western positions keep their signs.
    const long long au = distanceOf(all, "Australia");
    EXPECT_GT(au, 12000);
    EXPECT_LT(au, 12400);
    EXPECT_NEAR(au, sphereKm(ru, country("Australia")), 0.005 * au);

    // From a place inside the own country (an oblast's position): the
    // country is left out by its number.
    const auto fromOblast = countryDistances(shipped(), 54.5, -36.3, "", ru.Number);
    EXPECT_EQ(fromOblast.size(), shipped().size() - 1);
    EXPECT_EQ(distanceOf(fromOblast, "European Russia"), -1);

    const auto oc = countryDistances(shipped(), ru.Latitude, ru.Longitude, "OC");
    ASSERT_FALSE(oc.empty());
    for (const auto& d : oc) EXPECT_EQ(d.Continent, "OC") << d.Name;
    EXPECT_EQ(distanceOf(oc, "Australia"), au);
}

TEST(CountryList, PairsAcrossTheEquatorAndTheDateLine)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"Sao Tome & Principe", "Annobon Island"}, {"Ecuador", "Kenya"}, {"Fiji", "Samoa"}};
    for (const auto& [from, to] : pairs) {
        const CtyCountry& a = country(from);
        const auto list = countryDistances(shipped(), a.Latitude, a.Longitude, "");
        const long long km = distanceOf(list, to);
        EXPECT_NEAR(km, sphereKm(a, country(to)), 0.006 * km + 1) << from << " - " << to;
    }
}
