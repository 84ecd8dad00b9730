#include "refdata/cty_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "main/text_util.h"

namespace fs = std::filesystem;

namespace {

// A small country file in the classic format, with CRLF line ends and the
// marks of newer editions: "=" whole calls, "#" comments, and position,
// continent and offset overrides.
const char* const FixtureCty =
    "Alpha Land:               14:  27:  EU:   43.73:    -7.40:    -1.0:  AL:\r\n"
    "    AL,AX1ABC,ax2;\r\n"
    "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\r\n"
    "    R,U,RA3,UA6,RA4(15)[22],\r\n"
    "# a comment line between alias lines\r\n"
    "    UA1<59.9/-30.3>{AS}~-3.0~;\r\n"
    "Asiatic Russia:           18:  31:  AS:   55.88:   -84.08:    -7.0:  UA9:\r\n"
    "    UA9(17)[30],R9(17)[30],RA9(17)[30],UA0(5),UA8[33];\r\n"
    "Ukraine:                  16:  29:  EU:   50.00:   -30.00:    -2.0:  UR:\r\n"
    "    UR5;\r\n"
    "\r\n"
    "; a skipped line\r\n"
    "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\r\n"
    "    K,KA4;\r\n"
    "Guantanamo Bay:           08:  11:  NA:   20.00:    75.00:     5.0:  KG4:\r\n"
    "    KG4,=KG4AW;\r\n"
    "Beta Island:              32:  62:  OC:  -21.22:   175.13:   -13.0:  *BI:\r\n"
    "    =AL1XYZ(33)[63],BI,ABCDEFGHIJKLMNOPQ,\"Q1 Q2\";\r\n"
    "Broken Land:              15:  28:  EU:   4x.00:   -20.00:    -1.0:  BRK:\r\n"
    "    BRK;\r\n"
    "Bad Zone Land:            15:  28:  EU:   40.00:   -20.00:    -1.0:  BZL:\r\n"
    "    BZL(1X);\r\n";

const char* const FixtureZem =
    "; oblasts\r\n"
    "Moscow (3A):              16:  29:  EU:   55.76:   -37.62:    -3.0:  UA:\r\n"
    "    UA3A,RZ3AB;\r\n"
    "Rostov (6L):              16:  29:  EU:   47.24:   -39.71:    -3.0:  ua:\r\n"
    "    UA6;\r\n"
    "Nowhere (9Q):             17:  30:  AS:   55.00:   -65.00:    -5.0:  ZZ9:\r\n"
    "    ZZ9;\r\n";

void writeFile(const fs::path& p, const std::string& text)
{
    std::ofstream out(p, std::ios::binary);
    out << text;
}

class CtyFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("zem_cty_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
        writeFile(dir / "cty.dat", FixtureCty);
        writeFile(dir / "zem-cty.dat", FixtureZem);
        cty = TCty_search(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string country(const std::string& call)
    {
        if (!cty.LookupCall(call)) return "<none>";
        return cty.Result().Country;
    }

    fs::path dir;
    TCty_search cty;
};

} // namespace

TEST_F(CtyFixture, LookupTable)
{
    struct Case {
        const char* call;
        const char* country;
        const char* cq;
        const char* itu;
    };
    const Case cases[] = {
        {"AL1AA", "Alpha Land ", "14", "27"},
        // A Russian call of a country the oblast file refines is looked up
        // there in its UA form.
        {"RZ3AB", "Moscow (3A) ", "16", "29"},
        {"RZ3AC", "Moscow (3A) ", "16", "29"},
        {"AX1ABC", "Alpha Land ", "14", "27"},
        // "=" calls match the whole call only.
        {"AL1XYZ", "Beta Island ", "33", "63"},
        {"AL1XYZA", "Alpha Land ", "14", "27"},
        {"KG4AW", "Guantanamo Bay ", "8", "11"},
        // R prefixes, US0 and KG4 mappings.
        {"R9XXX", "Asiatic Russia ", "17", "30"},
        {"RA9XX", "Asiatic Russia ", "17", "30"},
        {"RA3XX", "European Russia ", "16", "29"},
        // An oblast miss keeps the cty.dat record with its own zones; the
        // cty.dat keys are not rewritten (R4 is no RA4).
        {"RA4XX", "European Russia ", "15", "22"},
        {"R4XX", "European Russia ", "16", "29"},
        {"US0XX", "Ukraine ", "16", "29"},
        {"UT7XX", "Ukraine ", "16", "29"},
        // Guantanamo Bay is KG4 and exactly two letters; every other KG4 call is the USA.
        {"KG4XX", "Guantanamo Bay ", "8", "11"},
        {"KG4X", "United States ", "5", "8"},
        {"KG4ABC", "United States ", "5", "8"},
        {"KG4XX/P", "Guantanamo Bay ", "8", "11"},
        {"W1ABC/KG4", "Guantanamo Bay ", "8", "11"},
        // Zone overrides of single width; leading zero dropped.
        {"UA0ZZ", "Asiatic Russia ", "5", "31"},
        {"UA8ZZ", "Asiatic Russia ", "18", "33"},
        // Position, continent and offset overrides are cut out of the key.
        {"UA1AA", "European Russia ", "16", "29"},
        // Keys ignore case; a long entry is cut to 14 characters; a quoted
        // entry keeps its blank.
        {"AX2B", "Alpha Land ", "14", "27"},
        {"ax2b", "Alpha Land ", "14", "27"},
        {"ABCDEFGHIJKLMNXX", "Beta Island ", "32", "62"},
        {"Q1 Q2", "Beta Island ", "32", "62"},
        // The same key in both files: the oblast refines the country.
        {"UA6LA", "Rostov (6L) ", "16", "29"},
        // Portable forms are normalised before the prefix search.
        {"UA3XXX/9", "Asiatic Russia ", "17", "30"},
        {"AL1AA/UA9", "Asiatic Russia ", "17", "30"},
        {"UA9XXX/QRP", "Asiatic Russia ", "17", "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(cty.LookupCall(c.call));
        EXPECT_EQ(cty.Result().Country, c.country);
        EXPECT_EQ(cty.Result().CQ, c.cq);
        EXPECT_EQ(cty.Result().ITU, c.itu);
    }
}

TEST_F(CtyFixture, RecordFieldsAndCountryNumbers)
{
    EXPECT_EQ(cty.CountryCount(), 9);

    ASSERT_TRUE(cty.LookupCall("BI1A"));
    const CountryRecord& r = cty.Result();
    EXPECT_EQ(r.Country, "Beta Island ");
    EXPECT_EQ(r.Continent, "OC");
    EXPECT_DOUBLE_EQ(r.Latitude, -21.22);
    EXPECT_DOUBLE_EQ(r.Longitude, 175.13);
    EXPECT_DOUBLE_EQ(r.TimeOffset, -13.0);
    EXPECT_EQ(r.Prefix, "*BI");
    // The comment line between alias lines is no country.
    EXPECT_EQ(r.CountryNum, 7);

    // zem-cty.dat countries take the number of the cty.dat country with the
    // same primary prefix (compared without case), else 0.
    ASSERT_TRUE(cty.LookupCall("RA3AA"));
    EXPECT_EQ(cty.Result().Country, "Moscow (3A) ");
    EXPECT_EQ(cty.Result().CountryNum, 2);
    EXPECT_EQ(cty.Result().Prefix, "UA");
    ASSERT_TRUE(cty.LookupCall("UA6AA"));
    EXPECT_EQ(cty.Result().CountryNum, 2);
    // The country always comes from cty.dat: an oblast of a country it does
    // not know is never reached.
    EXPECT_FALSE(cty.LookupCall("ZZ9AA"));
}

TEST_F(CtyFixture, FailedLookupKeepsThePreviousResult)
{
    CountryRecord empty = cty.Result();
    EXPECT_TRUE(empty.Country.empty());
    EXPECT_EQ(empty.CountryNum, 0);

    EXPECT_FALSE(cty.LookupCall("QQ1ABC"));
    EXPECT_TRUE(cty.Result().Country.empty());

    ASSERT_TRUE(cty.LookupCall("AL1AA"));
    EXPECT_FALSE(cty.LookupCall("QQ1ABC"));
    EXPECT_FALSE(cty.LookupCall(""));
    EXPECT_EQ(cty.Result().Country, "Alpha Land ");
    EXPECT_EQ(cty.Result().CountryNum, 1);

    // A record whose numbers do not convert throws and changes nothing.
    EXPECT_THROW(cty.LookupCall("BRK1A"), std::invalid_argument);
    EXPECT_THROW(cty.LookupCall("BZL1A"), std::invalid_argument);
    EXPECT_EQ(cty.Result().Country, "Alpha Land ");
}

TEST(CtySearch, MissingFiles)
{
    fs::path dir = fs::temp_directory_path() / "zem_cty_missing";
    fs::remove_all(dir);
    fs::create_directories(dir);
    try {
        TCty_search cty(dir);
        FAIL() << "no error for a missing cty.dat";
    } catch (const CtyFileMissing& e) {
        EXPECT_STREQ(e.what(), "Can`t found cty.dat");
    }

    writeFile(dir / "cty.dat", FixtureCty);
    try {
        TCty_search cty(dir);
        FAIL() << "no error for a missing zem-cty.dat";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("zem-cty.dat"), std::string::npos);
    }
    fs::remove_all(dir);
}

// What stands under a country file's name decides how it is refused: cty.dat
// with the program's own message, zem-cty.dat with the read error.
TEST(CtySearch, UnreadableOrEmptyCountryFiles)
{
    fs::path dir = fs::temp_directory_path() / "zem_cty_unreadable";
    fs::remove_all(dir);
    fs::create_directories(dir / "cty.dat");
    writeFile(dir / "zem-cty.dat", FixtureZem);
    auto ctyError = [&] {
        try {
            TCty_search cty(dir);
        } catch (const CtyFileMissing& e) {
            return std::string(e.what());
        }
        return std::string("<loaded>");
    };
    EXPECT_EQ(ctyError(), "Can`t found cty.dat");
    fs::remove_all(dir / "cty.dat");
    writeFile(dir / "cty.dat", "; only comments\n\n");
    EXPECT_EQ(ctyError(), "Can`t found cty.dat");

    writeFile(dir / "cty.dat", FixtureCty);
    fs::remove(dir / "zem-cty.dat");
    fs::create_directories(dir / "zem-cty.dat");
    try {
        TCty_search cty(dir);
        ADD_FAILURE() << "a folder zem-cty.dat was read";
    } catch (const CtyFileMissing&) {
        ADD_FAILURE() << "zem-cty.dat reported as cty.dat";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("zem-cty.dat"), std::string::npos);
    }
    fs::remove_all(dir);
}

TEST(CtySearch, LoneCarriageReturnsEndLines)
{
    fs::path dir = fs::temp_directory_path() / "zem_cty_cr";
    fs::create_directories(dir);
    auto toCr = [](std::string text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) out += text[i] == '\n' ? '\r' : text[i];
        return out;
    };
    writeFile(dir / "cty.dat", toCr(FixtureCty));
    writeFile(dir / "zem-cty.dat", toCr(FixtureZem));
    TCty_search cty(dir);
    EXPECT_EQ(cty.CountryCount(), 9);
    ASSERT_TRUE(cty.LookupCall("K6AB"));
    EXPECT_EQ(cty.Result().Country, "United States ");
    ASSERT_TRUE(cty.LookupCall("UA6AB"));
    EXPECT_EQ(cty.Result().Country, "Rostov (6L) ");
    fs::remove_all(dir);
}

// Keys listed both under an entity marked "*" (no DXCC entity, but one in
// CQ and WAE contests) and under another entity are the "*" entity's, in
// whichever order the file lists them; other keys: the later one stands.
TEST(CtySearch, StarEntitiesKeepTheirCalls)
{
    const fs::path dir = fs::temp_directory_path() / ("zem_cty_star_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    writeFile(dir / "cty.dat",
              "Vienna Intl Ctr:          15:  28:  EU:   48.20:   -16.30:    -1.0:  *4U1V:\n"
              "    =4U1A,=4U1VIC,4U1V;\n"
              "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
              "    IT9;\n"
              "Austria:                  15:  28:  EU:   47.33:   -13.33:    -1.0:  OE:\n"
              "    OE,=4U1A,=4U1VIC,=OE1ZZZ;\n"
              "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"
              "    I,IT9,=OE1ZZZ;\n"
              "Scotland:                 14:  27:  EU:   56.82:     4.18:     0.0:  GM:\n"
              "    GM,=GM0FRT/P;\n"
              "Shetland Islands:         14:  27:  EU:   60.50:     1.50:     0.0:  *GM/s:\n"
              "    =GM0FRT/P,=GB3LER;\n"
              "England:                  14:  27:  EU:   52.77:     1.47:     0.0:  G:\n"
              "    G,=GB3LER;\n");
    writeFile(dir / "zem-cty.dat", "");
    TCty_search cty(dir);
    const std::pair<const char*, const char*> cases[] = {
        {"4U1A", "Vienna Intl Ctr "},   {"4U1VIC", "Vienna Intl Ctr "}, {"OE1ABC", "Austria "},
        {"IT9ABC", "Sicily "},          {"I1ABC", "Italy "},            {"OE1ZZZ", "Italy "},
        {"GM0FRT/P", "Shetland Islands "}, {"GM0FRT", "Scotland "},     {"GB3LER", "Shetland Islands "},
    };
    for (const auto& [call, country] : cases) {
        ASSERT_TRUE(cty.LookupCall(call)) << call;
        EXPECT_EQ(cty.Result().Country, country) << call;
    }
    fs::remove_all(dir);
}

TEST(CtySearch, NormalizePortable)
{
    TCty_search cty;
    const std::pair<const char*, const char*> cases[] = {
        {"UA3XXX", "UA3XXX"},
        {"UA3XXX/", "UA3XXX"},
        {"UA3XXX/P", "UA3XXX"},
        {"UA3XXX/M", "UA3XXX"},
        {"UA3XXX/A", "UA3XXX"},
        {"UA3XXX/AM", "UA3XXX"},
        {"UA3XXX/MM", "UA3XXX"},
        {"UA3XXX/QRP", "UA3XXX"},
        {"UA3XXX/QRPP", "UA3XXX"},
        {"UA3XXX/A/P", "A0/UA3XXX"},     // one pass over the list: /A stays
        {"UA3XXX/9", "UA9XXX"},
        {"UA3XXX/9/P", "UA9XXX"},
        {"XXX/9", "XXX/9"},              // no digit to replace
        {"UA3XXX/UA9", "UA9/UA3XXX"},
        {"DL/UA3XXX", "DL0/UA3XXX"},
        {"UA3XXX/DL", "DL0/UA3XXX"},
        {"W1XXX/KH6", "KH6/W1XXX"},
        {"KH6/W1XXX", "KH6/W1XXX"},
        {"/UA3XXX", "0/UA3XXX"},         // empty sides do not crash
        {"UA3XXX//", "0/UA3XXX"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(cty.NormalizePortable(in), out) << in;
}

TEST(CtySearch, WpxPrefix)
{
    TCty_search cty;
    const std::pair<const char*, const char*> cases[] = {
        {"UA3XXX", "UA3"},
        {"3DA0XX", "3DA0"},
        {"DL0/UA3XXX", "DL0"},
        {"DL/X", "DL0"},
        {"KH6/W1XXX", "KH6"},
        {"UA9", ""},
        {"W1", ""},
        {"", ""},
        {"A", ""},
        {"K1ABC", "K1"},
        {"RW90ABC", "RW90"},
        {"OH0Z", "OH0"},
        {"ABCDEFGHIJKLMNOPQRSTU1A", ""}, // the digit lies past position 20
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(cty.WpxPrefix(in), out) << in;
}

// The files the program ships.
class CtyShipped : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = new TCty_search(fs::path(ZEM_SOURCE_DIR) / "data"); }
    static void TearDownTestSuite()
    {
        delete shared;
        shared = nullptr;
    }
    // 1-based position of a country among the header lines of cty.dat.
    static int headerNumber(const std::string& name)
    {
        int n = 0;
        for (const std::string& line : zem::readLines((fs::path(ZEM_SOURCE_DIR) / "data" / "cty.dat").string())) {
            if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == ';' || line[0] == '#') continue;
            ++n;
            if (line.compare(0, name.size() + 1, name + ":") == 0) return n;
        }
        return -1;
    }
    static TCty_search* shared;
};
TCty_search* CtyShipped::shared = nullptr;

TEST_F(CtyShipped, RealCallsTable)
{
    TCty_search& cty = *shared;
    EXPECT_EQ(cty.CountryCount(), 346);
    struct Case {
        const char* call;
        const char* country;
        const char* cq;
        const char* itu;
        const char* continent;
    };
    const Case cases[] = {
        {"DL1ABC", "Fed. Rep. of Germany ", "14", "28", "EU"},
        {"G4ABC", "England ", "14", "27", "EU"},
        {"K1ABC", "United States ", "5", "8", "NA"},
        {"JA1ABC", "Japan ", "25", "45", "AS"},
        {"VK2ABC", "Australia ", "30", "59", "OC"},
        {"PY2ABC", "Brazil ", "11", "15", "SA"},
        {"ZS6ABC", "South Africa ", "38", "57", "AF"},
        {"UT7AA", "Ukraine ", "16", "29", "EU"},
        {"OH2ABC", "Finland ", "15", "18", "EU"},
        {"KG4AW", "Guantanamo Bay ", "8", "11", "NA"},
        {"RA2FA", "Kaliningrad ", "15", "29", "EU"},
        {"UN7ABC", "Kazakhstan ", "17", "30", "AS"},
        {"EA8ABC", "Canary Islands ", "33", "36", "AF"},
        {"DL1ABC/P", "Fed. Rep. of Germany ", "14", "28", "EU"},
        {"F/DL1ABC", "France ", "14", "27", "EU"},
        // The country of a portable call comes from its prefix as written,
        // not from the "0" the WPX form adds (OH0 Aland, HB0 Liechtenstein,
        // UA0 Asiatic Russia).
        {"OH/DL2VFR", "Finland ", "15", "18", "EU"},
        {"DL2VFR/OH", "Finland ", "15", "18", "EU"},
        {"HB/DL1ABC", "Switzerland ", "14", "28", "EU"},
        {"UA/DL1ABC", "European Russia ", "16", "29", "EU"},
        {"DL/UA3XXX", "Fed. Rep. of Germany ", "14", "28", "EU"},
        {"W1XXX/KH6", "Hawaii ", "31", "61", "OC"},
        {"OH0/DL2VFR", "Aland Islands ", "15", "18", "EU"},
        // Guantanamo Bay is KG4 and two letters; every other KG4 call is the USA.
        {"KG4AB", "Guantanamo Bay ", "8", "11", "NA"},
        {"KG4W", "United States ", "5", "8", "NA"},
        {"KG4ABC", "United States ", "5", "8", "NA"},
        // Calls listed under a "*" entity and its DXCC parent are the "*" entity's.
        {"4U1A", "Vienna Intl Ctr ", "15", "28", "EU"},
        {"GB3LER", "Shetland Islands ", "14", "27", "EU"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(cty.LookupCall(c.call));
        EXPECT_EQ(cty.Result().Country, c.country);
        EXPECT_EQ(cty.Result().CQ, c.cq);
        EXPECT_EQ(cty.Result().ITU, c.itu);
        EXPECT_EQ(cty.Result().Continent, c.continent);
    }
}

TEST_F(CtyShipped, RussianCallsGiveTheirOblast)
{
    TCty_search& cty = *shared;
    const int european = headerNumber("European Russia");
    const int asiatic = headerNumber("Asiatic Russia");
    ASSERT_GT(european, 0);
    ASSERT_GT(asiatic, 0);
    struct Case {
        const char* call;
        const char* country;
        int countryNum;
        const char* cq;
        const char* itu;
        const char* continent;
    };
    const Case cases[] = {
        {"RA3AA", "Moscow (3A) ", european, "16", "29", "EU"},
        {"R3AA", "Moscow (3A) ", european, "16", "29", "EU"},
        {"UA3AAA", "Moscow (3A) ", european, "16", "29", "EU"},
        {"RN3DA", "Moscow obl. (3D) ", european, "16", "29", "EU"},
        {"RZ1AWO", "St. Petersburg (1A) ", european, "16", "29", "EU"},
        {"UA1MAA", "St. Petersburg (1A) ", european, "16", "29", "EU"},
        {"RA1ZZ", "Murmansk (1Z) ", european, "16", "19", "EU"},
        {"RK9CZO", "Sverdlovsk (9C) ", asiatic, "17", "30", "AS"},
        {"RW9UA", "Kemerovo (9U) ", asiatic, "18", "31", "AS"},
        {"R8TA", "Orenburg (9S) ", asiatic, "16", "30", "AS"},
        {"UA9FAA", "Perm (9F) ", european, "17", "30", "EU"},
        {"RK0FWL", "Sakhalin (0E) ", asiatic, "19", "34", "AS"},
        {"UB0ZA", "Kamchatka (0Z) ", asiatic, "19", "35", "AS"},
        {"U6AA", "Krasnodar (6A) ", european, "16", "29", "EU"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(cty.LookupCall(c.call));
        EXPECT_EQ(cty.Result().Country, c.country);
        EXPECT_EQ(cty.Result().CountryNum, c.countryNum);
        EXPECT_EQ(cty.Result().CQ, c.cq);
        EXPECT_EQ(cty.Result().ITU, c.itu);
        EXPECT_EQ(cty.Result().Continent, c.continent);
    }
    // A call area the oblast file does not cover falls back on cty.dat.
    ASSERT_TRUE(cty.LookupCall("RA7AA"));
    EXPECT_EQ(cty.Result().Country, "European Russia ");
    EXPECT_EQ(cty.Result().CountryNum, european);
}

// Russian prefixes belong to several countries in cty.dat; only European and
// Asiatic Russia go on to the oblast file, and a whole-call entry is final.
// Whole calls the file lists both under a "*" entity and under its DXCC
// parent (4U1A under Vienna Intl Ctr and Austria, GM calls under Scotland and
// Shetland) are the "*" entity's.
TEST_F(CtyShipped, CallsListedTwiceGoToTheStarEntity)
{
    std::map<std::string, std::vector<std::pair<std::string, bool>>> owners; // call -> (country, "*")
    std::string country;
    bool star = false;
    for (const std::string& line : zem::readLines((fs::path(ZEM_SOURCE_DIR) / "data" / "cty.dat").string())) {
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] != ' ' && line[0] != '\t') {
            const auto fields = zem::split(line, ':');
            country = zem::trim(fields[0]) + " ";
            star = fields.size() > 7 && zem::trim(fields[7]).rfind('*', 0) == 0;
            continue;
        }
        for (std::string entry : zem::split(line, ',')) {
            entry = zem::trim(entry);
            if (!entry.empty() && entry.back() == ';') entry.pop_back();
            if (entry.empty() || entry[0] != '=') continue;
            entry = entry.substr(1, entry.find_first_of("([<{~") - 1);
            owners[entry].push_back({country, star});
        }
    }
    int checked = 0, shetland = 0;
    for (const auto& [call, list] : owners) {
        if (list.size() < 2) continue;
        std::string expected;
        for (const auto& [name, isStar] : list)
            if (isStar) expected = name;
        ASSERT_FALSE(expected.empty()) << call;
        ASSERT_TRUE(shared->LookupCall(call)) << call;
        EXPECT_EQ(shared->Result().Country, expected) << call;
        ++checked;
        if (expected == "Shetland Islands ") ++shetland;
    }
    EXPECT_EQ(checked, 62);
    EXPECT_EQ(shetland, 44);
}

TEST_F(CtyShipped, RussianPrefixesKeepTheirCtyDatCountry)
{
    TCty_search& cty = *shared;
    const int european = headerNumber("European Russia");
    const int asiatic = headerNumber("Asiatic Russia");
    struct Case {
        const char* call;
        const char* country; // nullptr: any oblast record
        int countryNum;      // 0: not checked
        const char* cq;
        const char* itu;
    };
    const Case cases[] = {
        {"R2DX", "European Russia ", european, "16", "29"},
        {"RA2FA", "Kaliningrad ", headerNumber("Kaliningrad"), "15", "29"},
        {"UA2FA", "Kaliningrad ", headerNumber("Kaliningrad"), "15", "29"},
        {"RI1ANC", "Antarctica ", headerNumber("Antarctica"), "29", "70"},
        {"R1FJL", "Franz Josef Land ", headerNumber("Franz Josef Land"), "40", "75"},
        {"RW1AA", "St. Petersburg (1A) ", european, "16", "29"},
        // UA1A is the St. Petersburg oblast of European Russia.
        {"UA1ANA", nullptr, european, "16", "29"},
        {"RA9AA", nullptr, asiatic, nullptr, nullptr},
        // The zones the file gives the call itself, no oblast over them.
        {"R5AF/0", "Asiatic Russia ", asiatic, "19", "34"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(cty.LookupCall(c.call));
        const CountryRecord& r = cty.Result();
        if (c.country) {
            EXPECT_EQ(r.Country, c.country);
        } else {
            EXPECT_NE(r.Country.find('('), std::string::npos) << r.Country; // an oblast: "Name (code) "
        }
        EXPECT_EQ(r.CountryNum, c.countryNum);
        if (c.cq) {
            EXPECT_EQ(r.CQ, c.cq);
        }
        if (c.itu) {
            EXPECT_EQ(r.ITU, c.itu);
        }
    }
}
