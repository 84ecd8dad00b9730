#include "import/cabrillo_finder.h"

#include "../scratch_folder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using CabrilloFinder = ScratchFolderTest;

TEST_F(CabrilloFinder, MaskMatching)
{
    struct Case { const char* mask; const char* name; bool match; };
    const Case cases[] = {
        {"*.cbr", "log.cbr", true},     {"*.cbr", "LOG.CBR", true},   {"*.cbr", "log.cbr.bak", false},
        {"*.log", "a.b.log", true},     {"?.log", "ab.log", false},   {"*", "", true},
        {"*a*b", "xxaxxbxxb", true},    {"*.cbr", "cbr", false},
    };
    for (const Case& c : cases) EXPECT_EQ(maskMatches(c.mask, c.name), c.match) << c.mask << " " << c.name;
}

TEST_F(CabrilloFinder, YearFromTheDateWhateverTheFrequencyWidth)
{
    struct Case { const char* qso; const char* year; };
    const Case cases[] = {
        {"QSO: 14250 PH 2025-03-29 0000 K9CT 59 1 W1AW 59 2 0", "2025"},
        {"QSO:   28535 PH 2025-03-29 0000 K9CT             59  0001  W6QU             59   0001    0", "2025"},
        {"QSO:  1825 CW 2024-12-01 2200 VE3EJ 599 ON W1AW 599 CT", "2024"},
        {"QSO: 50 PH 2023-06-10 1800 VE3EJ 59 FN03 W1AW 59 FN31", "2023"},
    };
    for (const Case& c : cases) {
        write("y.log", {"START-OF-LOG: 3.0", c.qso});
        EXPECT_EQ(examineCabrilloFile((dir / "y.log").string()).year, c.year) << c.qso;
    }
}

TEST_F(CabrilloFinder, ListsHeaderValuesOfEveryLogBelowTheFolder)
{
    std::filesystem::create_directories(dir / "b" / "deep");
    std::filesystem::create_directories(dir / ".hidden");
    std::vector<std::string> modern{"START-OF-LOG: 3.0", "CONTEST: CQ-WPX-SSB", "CALLSIGN: K9CT",
                                    "CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-TRANSMITTER: TWO"};
    modern.push_back("QSO: 14250 PH 2025-03-29 0000 K9CT 59 1 W1AW 59 2 0");
    modern.push_back("QSO: 14250 PH 2025-03-29 0001 K9CT 59 2 W1AX 59 3 0");
    write("a.cbr", modern);
    std::vector<std::string> late{"START-OF-LOG: 2.0", "CONTEST: RDXC", "CALLSIGN: RZ9ZEM", "CATEGORY: SINGLE-OP ALL"};
    for (int i = 0; i < 30; ++i) late.push_back("SOAPBOX: line");
    late.push_back("QSO: 14025 CW 2024-03-16 1200 RZ9ZEM 599 001 DL1ABC 599 002");
    write("b/deep/z.CBR", late);
    write("b/notes.txt", {"CONTEST: not a log"});
    write(".hidden/x.cbr", modern);

    std::vector<FoundCabrillo> found;
    findCabrilloFiles(dir.string(), "*.cbr", found);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, (dir / "a.cbr").string());
    EXPECT_EQ(found[0].year, "2025");
    EXPECT_EQ(found[0].contest, "CQ-WPX-SSB");
    EXPECT_EQ(found[0].callsign, "K9CT");
    EXPECT_EQ(found[0].category, "multi-op two");
    EXPECT_EQ(found[0].qsos, "2");
    // The first QSO line lies past line 30: no year. The category is lower case.
    EXPECT_EQ(found[1].path, (dir / "b" / "deep" / "z.CBR").string());
    EXPECT_EQ(found[1].year, "");
    EXPECT_EQ(found[1].category, "single-op all");
    EXPECT_EQ(found[1].qsos, "1");

    TKeoEGrid g;
    fillFinderGrid(g, found);
    EXPECT_EQ(g.Header()[4], "QSO`s");
    EXPECT_EQ(g.Cell(5, 2), found[1].path);

    std::vector<FoundCabrillo> none;
    fillFinderGrid(g, none);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_THROW(findCabrilloFiles((dir / "missing").string(), "*.cbr", none), std::runtime_error);
    // No folder at all is no folder of that name: the message says none is set.
    for (const char* folder : {"", "  "}) {
        try {
            findCabrilloFiles(folder, "*.cbr", none);
            ADD_FAILURE() << "searched \"" << folder << "\"";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), NoLogsFolderMessage);
        }
    }
}

} // namespace
