#include "analysis/distribution.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

namespace {

struct Qso {
    Qso(std::string c, std::string b, std::string k, std::string m, std::string q = {})
        : call(std::move(c)), band(std::move(b)), kHz(std::move(k)), mode(std::move(m)), qso(std::move(q)) {}
    std::string call, band, kHz, mode, qso;
};

// A log table whose rows hold only what the distributions read.
TKeoEGrid makeLog(const std::vector<Qso>& qsos)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(static_cast<int>(qsos.size()) + 1);
    for (size_t i = 0; i < qsos.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetCell(lcNumber, r, std::to_string(r));
        g.SetCell(lcCallsign, r, qsos[i].call);
        g.SetCell(lcBand, r, qsos[i].band);
        g.SetCell(lcKHz, r, qsos[i].kHz);
        g.SetCell(lcMode, r, qsos[i].mode);
        g.SetCell(lcQSO, r, qsos[i].qso);
    }
    return g;
}

Strings qsoColumn(const TKeoEGrid& g)
{
    Strings out;
    for (int r = 1; r < g.RowCount(); ++r) out.push_back(g.Cell(lcQSO, r));
    return out;
}

Strings readList(const fs::path& p)
{
    EXPECT_TRUE(fs::exists(p)) << p;
    return fs::exists(p) ? zem::readLines(p.string()) : Strings{};
}

struct TempFolder {
    fs::path dir;
    explicit TempFolder(const std::string& name)
    {
        dir = fs::temp_directory_path() / ("zem_dist_" + name + "_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "Bands distribution");
    }
    ~TempFolder() { fs::remove_all(dir); }
    Strings files(const fs::path& sub = {}) const
    {
        Strings names;
        for (const auto& e : fs::directory_iterator(dir / sub))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

// ---- dupes ----

TEST(MarkDupes, KeyIsCallModeAndBandWithoutCase)
{
    struct Case {
        const char* what;
        std::vector<Qso> log;
        Strings marks;
        int dupes;
    };
    const std::vector<Case> cases = {
        {"same band and mode", {{"UA3ABC", "", "14025", "CW"}, {"UA3ABC", "", "14030", "CW"}}, {"", "DUPE."}, 1},
        {"band edges share a band",
         {{"K1AR", "", "14000", "CW"}, {"K1AR", "", "14350", "CW"}, {"k1ar", "", "7199", "cw"}, {"K1AR", "", "7000", "CW"}},
         {"", "DUPE.", "", "DUPE."}, 2},
        {"other band or mode", {{"DL1A", "", "14025", "CW"}, {"DL1A", "", "21025", "CW"}, {"DL1A", "", "14200", "PH"}},
         {"", "", ""}, 0},
        {"letter case ignored", {{"dl1a", "", "3510", "CW"}, {"DL1A", "", "3520", "cw"}}, {"", "DUPE."}, 1},
        {"28 and 29 MHz are one band", {{"W1X", "", "28500", "PH"}, {"W1X", "", "29600", "PH"}}, {"", "DUPE."}, 1},
        {"144 MHz is no 20 m, 50 no 144",
         {{"DL1A", "", "14025", "CW"}, {"DL1A", "", "144300", "CW"}, {"DL1A", "", "50", "CW"}, {"DL1A", "", "144", "CW"}},
         {"", "", "", "DUPE."}, 1},
        {"three copies mark two", {{"W1X", "", "28010", "RY"}, {"W1X", "", "28090", "RY"}, {"W1X", "", "28500", "RY"}},
         {"", "DUPE.", "DUPE."}, 2},
    };
    for (const auto& c : cases) {
        TKeoEGrid g = makeLog(c.log);
        EXPECT_EQ(Mark_dupes(g, static_cast<int>(c.log.size())), c.dupes) << c.what;
        EXPECT_EQ(qsoColumn(g), c.marks) << c.what;
    }
    EXPECT_EQ(dupesText(0), "0 dupes");
}

TEST(MarkDupes, QsoCountBeyondTheTableReadsNoFurther)
{
    TKeoEGrid g = makeLog({{"A1A", "20", "14000", "CW"}, {"A1A", "20", "14001", "CW"}});
    EXPECT_EQ(Mark_dupes(g, 50), 1);
    EXPECT_EQ(distributionByBands(g, 50, false).columns[0], Strings{"A1A"});
    EXPECT_EQ(totalOnBand(g, 50).columns[3], (Strings{"A1A", "A1A"}));
}

// ---- by number of bands ----

TEST(DistributionByBands, StationsByBandCount)
{
    struct Case {
        const char* what;
        std::vector<Qso> log;
        bool mixed;
        std::array<Strings, 6> columns;
        std::vector<ManyBandsEntry> tooMany;
    };
    const std::vector<Case> cases = {
        {"no QSO", {}, false, {}, {}},
        {"only dupes", {{"A1A", "20", "14000", "CW", "DUPE."}}, false, {}, {}},
        {"single station", {{"A1A", "20", "14000", "CW"}}, false, {Strings{"A1A"}}, {}},
        {"second 20 m QSO not marked",
         {{"UA3ABC", "20", "14010", "CW"}, {"UA3ABC", "20", "14020", "CW"}, {"UA3ABC", "40", "7010", "CW"}},
         false, {Strings{}, Strings{"UA3ABC"}}, {}},
        {"second 20 m QSO a dupe",
         {{"UA3ABC", "20", "14010", "CW"}, {"UA3ABC", "20", "14020", "CW", "DUPE."}, {"UA3ABC", "40", "7010", "CW"}},
         false, {Strings{}, Strings{"UA3ABC"}}, {}},
        {"29 MHz counts through its band cell",
         {{"W1AW", "10", "29100", "PH"}, {"W1AW", "20", "14200", "PH"}}, false, {Strings{}, Strings{"W1AW"}}, {}},
        {"empty band cell is one more band",
         {{"W1AW", "", "50100", "PH"}, {"W1AW", "20", "14200", "PH"}}, false, {Strings{}, Strings{"W1AW"}}, {}},
        {"letter case of the call ignored, first spelling kept",
         {{"ok1ab", "20", "14010", "CW"}, {"OK1AB", "40", "7010", "CW"}, {"OK1AB", "20", "14020", "CW"}},
         false, {Strings{}, Strings{"ok1ab"}}, {}},
        {"columns sorted without case",
         {{"ZL1A", "20", "14010", "CW"}, {"dl1b", "20", "14010", "CW"}, {"DL1A", "20", "14010", "CW"}},
         false, {Strings{"DL1A", "dl1b", "ZL1A"}}, {}},
        {"mixed mode",
         {{"OH2B", "20", "14010", "CW"}, {"OH2B", "40", "7010", "CW"}, {"OH2B", "20", "14200", "PH"}},
         true, {Strings{"OH2B-PH"}, Strings{"OH2B-CW"}}, {}},
        {"all six bands and more",
         {{"G4A", "160", "1810", "CW"}, {"G4A", "80", "3510", "CW"}, {"G4A", "40", "7010", "CW"},
          {"G4A", "20", "14010", "CW"}, {"G4A", "15", "21010", "CW"}, {"G4A", "10", "28010", "CW"},
          {"G4B", "160", "1810", "CW"}, {"G4B", "80", "3510", "CW"}, {"G4B", "40", "7010", "CW"},
          {"G4B", "20", "14010", "CW"}, {"G4B", "15", "21010", "CW"}, {"G4B", "10", "28010", "CW"},
          {"G4B", "", "50010", "CW"}},
         false, {Strings{}, {}, {}, {}, {}, Strings{"G4A"}}, {{"G4B", 7}}},
    };
    for (const auto& c : cases) {
        const TKeoEGrid g = makeLog(c.log);
        const BandDistribution d = distributionByBands(g, static_cast<int>(c.log.size()), c.mixed);
        EXPECT_EQ(d.columns, c.columns) << c.what;
        EXPECT_EQ(d.tooManyBands, c.tooMany) << c.what;
        Strings all;
        for (const auto& col : c.columns) all.insert(all.end(), col.begin(), col.end());
        for (const auto& e : c.tooMany) all.push_back(e.item);
        std::sort(all.begin(), all.end(), lessNoCase);
        EXPECT_EQ(d.all, all) << c.what;
    }
}

// ---- total on band ----

TEST(TotalOnBand, CallsOfEachBandInLogOrder)
{
    const TKeoEGrid g = makeLog({{"UA3ABC", "20", "14010", "CW"},
                                 {"K1AR", "160", "1830", "CW"},
                                 {"UA3ABC", "20", "14350", "CW", "DUPE."},
                                 {"W1AW", "10", "29100", "PH"},
                                 {"VK2A", "10", "28500", "PH"},
                                 {"JA1A", "", "144300", "CW"},
                                 {"F5A", "80", "3700", "PH"},
                                 {"I2A", "40", "7100", "CW"},
                                 {"EA3A", "15", "21100", "CW"}});
    const BandDistribution d = totalOnBand(g, 9);
    // 29 MHz is 10 m; 144 MHz is no 20 m.
    const std::array<Strings, 6> expected = {Strings{"K1AR"}, Strings{"F5A"}, Strings{"I2A"},
                                             Strings{"UA3ABC", "UA3ABC"}, Strings{"EA3A"}, Strings{"W1AW", "VK2A"}};
    EXPECT_EQ(d.columns, expected);
    EXPECT_EQ(d.all, (Strings{"EA3A", "F5A", "I2A", "K1AR", "UA3ABC", "UA3ABC", "VK2A", "W1AW"}));
}

// ---- the QSO column ----

TEST(QsoProc, BandCountsFillOnlyEmptyCells)
{
    TKeoEGrid g = makeLog({{"UA3ABC", "20", "14010", "CW"},
                           {"UA3ABC", "40", "7010", "CW"},
                           {"ua3abc", "15", "21010", "CW"},
                           {"UA3ABC", "20", "14020", "CW"},
                           {"K1AR", "20", "14030", "CW"},
                           {"W1AW", "20", "14040", "CW", "QSO:"}});
    EXPECT_EQ(Mark_dupes(g, 6), 1);
    qso_proc(g, 6, distributionByBands(g, 6, false));
    EXPECT_EQ(qsoColumn(g), (Strings{"3", "3", "3", "DUPE.", "1", "QSO:"}));
}

// A general logbook: 30, 17, 12, 60 and 6 m are bands too. Stations on more
// than six bands are stations all the same, told about in one message.
TEST(QsoProc, StationsOnMoreThanSixBandsCountAndAreToldOnce)
{
    std::vector<Qso> log;
    for (const char* call : {"W1AW", "k1ar"})
        for (const char* band : {"160", "80", "60", "40", "30", "20", "17", "15", "12", "10", "6"})
            log.push_back({call, band, "", "CW"});
    log.push_back({"K1AR", "20", "", "CW"}); // a second 20 m QSO adds no band
    for (const char* band : {"40", "30", "20", "17", "15", "12", "10"}) log.push_back({"DL1A", band, "", "PH"});
    log.push_back({"OH2B", "20", "", "CW"});
    TKeoEGrid g = makeLog(log);
    const int n = static_cast<int>(log.size());
    const BandDistribution d = distributionByBands(g, n, false);
    EXPECT_EQ(d.tooManyBands, (std::vector<ManyBandsEntry>{{"DL1A", 7}, {"k1ar", 11}, {"W1AW", 11}}));
    EXPECT_EQ(d.all, (Strings{"DL1A", "k1ar", "OH2B", "W1AW"}));
    EXPECT_EQ(tooManyBandsText(d),
              "Worked on more than 6 bands (3), counted in \"Total callsigns\":\nDL1A (7), k1ar (11), W1AW (11)");
    qso_proc(g, n, d);
    EXPECT_EQ(g.Cell(lcQSO, 1), "11");
    EXPECT_EQ(g.Cell(lcQSO, 23), "11") << "every QSO of the station";
    EXPECT_EQ(g.Cell(lcQSO, 24), "7");
    EXPECT_EQ(g.Cell(lcQSO, n), "1");

    // However many there are, the message stays one box of a readable size.
    std::vector<Qso> many;
    for (int i = 0; i < 105; ++i)
        for (const char* band : {"160", "80", "40", "30", "20", "17", "15"})
            many.push_back({std::to_string(i) + "K", band, "", "CW"});
    const std::string text = tooManyBandsText(distributionByBands(makeLog(many), static_cast<int>(many.size()), false));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_TRUE(text.ends_with("\nand 5 more")) << text;
    EXPECT_EQ(tooManyBandsText(distributionByBands(makeLog({{"OH2B", "20", "", "CW"}}), 1, false)), "");
}

TEST(QsoProc, MixedModeItemsMatchNoCall)
{
    TKeoEGrid g = makeLog({{"OH2B", "20", "14010", "CW"}, {"OH2B", "40", "7010", "CW"}});
    qso_proc(g, 2, distributionByBands(g, 2, true));
    EXPECT_EQ(qsoColumn(g), (Strings{"", ""}));
}

// ---- files ----

TEST(DistributionFiles, ByBandsWritesNonEmptyColumnsAndTheTotal)
{
    TempFolder t("bybands");
    const TKeoEGrid g = makeLog({{"B1B", "20", "14010", "CW"},
                                 {"A1A", "20", "14010", "CW"},
                                 {"C1C", "20", "14010", "CW"},
                                 {"C1C", "40", "7010", "CW"}});
    saveByBandsFiles(distributionByBands(g, 4, false), t.dir);
    EXPECT_EQ(t.files("Bands distribution"), (Strings{"Calls on 1 band (2).txt", "Calls on 2 band (1).txt"}));
    EXPECT_EQ(readList(t.dir / "Bands distribution" / "Calls on 1 band (2).txt"), (Strings{"A1A", "B1B"}));
    EXPECT_EQ(t.files(), Strings{"Total callsigns (3).txt"});
    EXPECT_EQ(readList(t.dir / "Total callsigns (3).txt"), (Strings{"A1A", "B1B", "C1C"}));
}

TEST(DistributionFiles, NoTotalWhenColumnOneIsEmptyAndBandFilesByName)
{
    TempFolder t("nototal");
    const TKeoEGrid g = makeLog({{"C1C", "20", "14010", "CW"}, {"C1C", "160", "1830", "CW"}});
    saveByBandsFiles(distributionByBands(g, 2, false), t.dir);
    EXPECT_EQ(t.files("Bands distribution"), Strings{"Calls on 2 band (1).txt"});
    EXPECT_TRUE(t.files().empty());

    fs::remove_all(t.dir / "Bands distribution");
    fs::create_directories(t.dir / "Bands distribution");
    saveTotalOnBandFiles(totalOnBand(g, 2), t.dir);
    EXPECT_EQ(t.files("Bands distribution"), (Strings{"Calls 160m (1).txt", "Calls 20m (1).txt"}));
    EXPECT_TRUE(t.files().empty());
}

TEST(DistributionFiles, UnwritableFolderThrowsNamingTheFile)
{
    TempFolder t("missing");
    const TKeoEGrid g = makeLog({{"A1A", "20", "14010", "CW"}});
    try {
        saveByBandsFiles(distributionByBands(g, 1, false), t.dir / "gone");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Calls on 1 band (1).txt"), std::string::npos) << e.what();
    }
}

// ---- additional information ----

TEST(AdditionalInfo, RowsFromTheColumnCounts)
{
    const std::array<Strings, 6> cols = {Strings{"A", "B", "C"}, Strings{"D", "E"}, Strings{}, Strings{},
                                         Strings{}, Strings{"F"}};
    const AddInfoRows r = additionalInfo(cols, 6, 20, [](const std::string& c) { return c == "A" || c == "E" || c == "F"; });
    EXPECT_EQ(r.stations[0], (AddInfoCell{3, 6}));
    EXPECT_EQ(r.stations[5], (AddInfoCell{1, 6}));
    EXPECT_EQ(r.stations[6], (AddInfoCell{3, 6}));
    EXPECT_EQ(r.stations[7], (AddInfoCell{3, 6}));
    EXPECT_EQ(r.qso[1], (AddInfoCell{4, 20}));
    EXPECT_EQ(r.qso[5], (AddInfoCell{6, 20}));
    EXPECT_EQ(r.qso[6], (AddInfoCell{3, 20}));
    EXPECT_EQ(r.qso[7], (AddInfoCell{17, 20}));
    EXPECT_EQ(r.notFound[0], (AddInfoCell{1, 3}));
    EXPECT_EQ(r.notFound[1], (AddInfoCell{1, 2}));
    EXPECT_EQ(r.notFound[2], (AddInfoCell{0, 0}));
    EXPECT_EQ(r.notFound[6], (AddInfoCell{1, 3}));
    EXPECT_EQ(r.notFound[7], (AddInfoCell{2, 3}));
}
