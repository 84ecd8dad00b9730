#include "refdata/master_call_db.h"
#include "refdata/master_messages.h"

#include "main/text_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <utime.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";

int pairBlock(char a, char b)
{
    return static_cast<int>(kAlphabet.find(a) * 37 + kAlphabet.find(b));
}

class MasterFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("zem_master_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string readBytes(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void writeBytes(const std::string& p, const std::string& bytes)
    {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::uint32_t offsetAt(const std::string& bytes, int k)
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[4 * k + i]);
        return v;
    }
    static void setOffset(std::string& bytes, int k, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) bytes[4 * k + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }

    // A file made block by block, whatever the calls hold: lets a test put a
    // call where the writer never would.
    std::string rawFile(const std::map<int, std::vector<std::string>>& blocks)
    {
        std::string index(5480, '\0'), data;
        setOffset(index, 0, 5480);
        for (int k = 0; k < 1369; ++k) {
            if (auto it = blocks.find(k); it != blocks.end())
                for (const auto& c : it->second) data += c + '\0';
            setOffset(index, k + 1, static_cast<std::uint32_t>(5480 + data.size()));
        }
        return index + data;
    }

    fs::path dir_;
};

} // namespace

TEST_F(MasterFile, WriterLaysOutOneCallInEachOfItsPairBlocks)
{
    const auto p = path("q.dta");
    Cteate_master({"Q1XYZ"}, p);
    const auto bytes = readBytes(p);
    ASSERT_EQ(bytes.size(), 5480u + 24u);

    const std::set<int> used{pairBlock('Q', '1'), pairBlock('1', 'X'), pairBlock('X', 'Y'), pairBlock('Y', 'Z')};
    EXPECT_EQ(offsetAt(bytes, 0), 5480u);
    for (int k = 0; k < 1369; ++k)
        EXPECT_EQ(offsetAt(bytes, k + 1) - offsetAt(bytes, k), used.count(k) ? 6u : 0u) << "block " << k;
    EXPECT_EQ(offsetAt(bytes, 1369), bytes.size());
    for (int k : used) EXPECT_EQ(bytes.substr(offsetAt(bytes, k), 6), std::string("Q1XYZ\0", 6));
}

TEST_F(MasterFile, WriterStoresARepeatedPairOnceAndNormalisesCalls)
{
    const auto p = path("w.dta");
    // "K1K1" holds K1 twice; " dl1abc " is trimmed and upper-cased; "EA 8" keeps
    // its blank as "_" and is indexed by its one real pair; a call with "-" or
    // one character cannot be indexed; the repeated call is written once.
    Cteate_master({"K1K1", " dl1abc ", "EA 8X", "DL-1AB", "K", "DL1ABC"}, p);
    const auto bytes = readBytes(p);
    auto blockText = [&](char a, char b) {
        const int k = pairBlock(a, b);
        return bytes.substr(offsetAt(bytes, k), offsetAt(bytes, k + 1) - offsetAt(bytes, k));
    };
    EXPECT_EQ(blockText('K', '1'), std::string("K1K1\0", 5));
    EXPECT_EQ(blockText('1', 'K'), std::string("K1K1\0", 5));
    EXPECT_EQ(blockText('D', 'L'), std::string("DL1ABC\0", 7));
    EXPECT_EQ(blockText('E', 'A'), std::string("EA_8X\0", 6));
    EXPECT_EQ(blockText('8', 'X'), std::string("EA_8X\0", 6));
    EXPECT_EQ(bytes.find("DL-1AB"), std::string::npos);

    TMasterCallDB m;
    m.LoadFromFile(p);
    // File order: the AB block of DL1ABC comes before the EA and K1 blocks.
    EXPECT_EQ(m.AllCalls(), (std::vector<std::string>{"DL1ABC", "EA 8X", "K1K1"}));
}

TEST_F(MasterFile, EmptyIndexOnlyFileLoadsWithoutCalls)
{
    const auto p = path("empty.dta");
    std::string bytes(5480, '\0');
    for (int k = 0; k < 1370; ++k) setOffset(bytes, k, 5480);
    writeBytes(p, bytes);

    TMasterCallDB m;
    m.LoadFromFile(p);
    EXPECT_TRUE(m.Loaded());
    EXPECT_EQ(m.FileSize, 5480);
    EXPECT_FALSE(m.ExactSearch("K1AB"));
    EXPECT_FALSE(m.PartialSearch("K1"));
    EXPECT_TRUE(m.AllCalls().empty());
}

TEST_F(MasterFile, RefusedFilesGiveTheMessageAndLeaveNoCalls)
{
    const auto good = path("good.dta");
    Cteate_master({"K1ABC", "W1AW"}, good);
    const auto bytes = readBytes(good);

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"shorter than the index", bytes.substr(0, 5479)});
    {
        auto b = bytes;
        setOffset(b, 1369, static_cast<std::uint32_t>(b.size() + 1));
        cases.push_back({"last offset one past the size", b});
    }
    {
        auto b = bytes;
        setOffset(b, 0, 5481);
        cases.push_back({"first offset not 5480", b});
    }
    {
        // Ends that fit but an offset that falls back and one that points past
        // the data: searching those blocks would read outside the file.
        auto b = bytes;
        setOffset(b, pairBlock('K', '1') + 1, 6000000);
        cases.push_back({"offsets out of order", b});
    }

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMasterCallDB m;
        m.LoadFromFile(good);
        ASSERT_TRUE(m.ExactSearch("K1ABC"));

        const auto bad = path("sub/bad.dta");
        fs::create_directories(path("sub"));
        writeBytes(bad, c.bytes);
        try {
            m.LoadFromFile(bad);
            ADD_FAILURE() << "not refused";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "bad.dta is not a valid Master Callsign Database file.");
        }
        EXPECT_FALSE(m.Loaded());
        EXPECT_FALSE(m.ExactSearch("K1ABC"));
        EXPECT_FALSE(m.PartialSearch("K1"));
        EXPECT_TRUE(m.AllCalls().empty());
    }
}

TEST_F(MasterFile, MissingFileAndUnloadedComponent)
{
    TMasterCallDB m;
    EXPECT_FALSE(m.Loaded());
    EXPECT_FALSE(m.ExactSearch("K1ABC"));
    EXPECT_FALSE(m.PartialSearch("K1"));
    EXPECT_TRUE(m.Results.empty());

    const auto p = path("none/master.dta");
    try {
        m.LoadFromFile(p);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "File not found: " + p);
    }
}

TEST_F(MasterFile, ExactSearchPreparesTheText)
{
    const auto p = path("m.dta");
    Cteate_master({"K1ABC", "W1AW/P", "DL1ABC"}, p);
    TMasterCallDB m;
    m.LoadFromFile(p);

    const std::vector<std::pair<std::string, bool>> cases{
        {"K1ABC", true},   {"  k1abc ", true}, {"w1aw/p", true},  {"K1AB", false},
        {"K1ABCD", false}, {"K1-ABC", false},  {"K1 ABC", false}, {"K", false},
        {"K1A?C", false},  {"", false},        {"1ABC", false},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(m.ExactSearch(text), expected) << '"' << text << '"';
}

TEST_F(MasterFile, PartialSearchScansOnlyTheBlockOfTheFirstKnownPair)
{
    const auto p = path("raw.dta");
    // K1ZX and ZK1QX fit K1?X but sit only in other blocks; the search must
    // not find them, which shows it read the K1 block alone.
    writeBytes(p, rawFile({
                      {pairBlock('K', '1'), {"K1AX", "AK1BX", "K1AY", "K1X", "K1_X", "K1"}},
                      {pairBlock('Z', 'X'), {"K1ZX"}},
                      {pairBlock('Q', 'X'), {"ZK1QX"}},
                      {pairBlock('Y', 'Z'), {"XYZ_AB"}},
                  }));
    TMasterCallDB m;
    m.LoadFromFile(p);

    EXPECT_TRUE(m.PartialSearch("k1?x"));
    EXPECT_EQ(m.Results, (std::vector<std::string>{"K1AX", "AK1BX", "K1 X"}));

    // The pair is the first two known characters side by side: YZ, not the
    // AB whose block is empty.
    EXPECT_TRUE(m.PartialSearch("?YZ?AB"));
    EXPECT_EQ(m.Results, (std::vector<std::string>{"XYZ AB"}));

    for (const char* none : {"?B?C", "K", "?", "K1-", "K1 X", "XYZ_"}) {
        m.Results = {"stale"};
        EXPECT_FALSE(m.PartialSearch(none)) << none;
        EXPECT_TRUE(m.Results.empty()) << none;
    }
}

TEST_F(MasterFile, FileInfoAndMessages)
{
    const auto p = path("m.dta");
    Cteate_master({"Q1XYZ"}, p);
    const ::utimbuf times{1700000000, 1700000000}; // 2023-11-14 22:13:20 UTC
    ASSERT_EQ(::utime(p.c_str(), &times), 0);

    const char* oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    TMasterCallDB m;
    m.LoadFromFile(p);
    if (oldTz) ::setenv("TZ", savedTz.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();

    EXPECT_EQ(m.FileInfo(), "File : " + p + "\rDate : 2023-11-14 2213\rSize : (5504 bytes)");
    EXPECT_EQ(zem::MasterInfoText(m), "MASTER.DTA:\r\r" + m.FileInfo());
    EXPECT_EQ(zem::NomasterText(),
              "In a root folder there is no file MASTER.DTA.\rFile it is possible download here:\r\r"
              "https://www.supercheckpartial.com/\r\r\"Possible mistakes in callsigns\" function is switched - off");
}

TEST_F(MasterFile, RealCallListRoundTrip)
{
    std::vector<std::string> calls;
    for (const auto& line : zem::readLines(ZEM_SOURCE_DIR "/data-src/MASTER.SCP"))
        if (!zem::startsWith(line, "#") && !zem::trim(line).empty()) calls.push_back(zem::trim(line));
    std::sort(calls.begin(), calls.end());
    ASSERT_GT(calls.size(), 80000u);

    const auto p = path("master.dta");
    Cteate_master(calls, p);
    TMasterCallDB m;
    m.LoadFromFile(p);

    for (const char* call : {"2E0ACE", "W1AW", "K1ZZ", "DL1ABC"})
        EXPECT_EQ(m.ExactSearch(call), std::binary_search(calls.begin(), calls.end(), std::string(call))) << call;
    EXPECT_TRUE(m.ExactSearch(calls.front()));
    EXPECT_TRUE(m.ExactSearch(calls.back()));

    // Every call the partial search lists holds the pattern, and every call of
    // the list that holds it is listed.
    ASSERT_TRUE(m.PartialSearch("W1?W"));
    std::vector<std::string> expected;
    for (const auto& c : calls)
        for (std::size_t i = 0; i + 4 <= c.size(); ++i)
            if (c[i] == 'W' && c[i + 1] == '1' && c[i + 3] == 'W') {
                expected.push_back(c);
                break;
            }
    EXPECT_EQ(m.Results, expected);

    // Read back, the file holds each call of the list once.
    auto all = m.AllCalls();
    std::sort(all.begin(), all.end());
    auto oneCharOrNoPair = std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.size() < 2; });
    EXPECT_EQ(all.size() + static_cast<std::size_t>(oneCharOrNoPair), calls.size());
    EXPECT_TRUE(std::includes(calls.begin(), calls.end(), all.begin(), all.end()));
}
