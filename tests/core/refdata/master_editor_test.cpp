#include "refdata/master_editor.h"

#include "refdata/master_call_db.h"
#include "../scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

TEST(MasterCallList, KeepsEachCallOnceSortedWhateverItsCase)
{
    MasterCallList l;
    EXPECT_TRUE(l.Add(" w1aw "));
    EXPECT_FALSE(l.Add("W1AW"));
    EXPECT_FALSE(l.Add("   "));
    l.AddAll({"dl1abc", "K1AR", "w1aw", "", "K1AR ", "AA1A"});
    l.AddAll({"DL1ABC", "ZZ9ZZ", "EA_8X", "ea 8x"});
    EXPECT_EQ(l.Calls(), (std::vector<std::string>{"AA1A", "DL1ABC", "EA 8X", "K1AR", "W1AW", "ZZ9ZZ"}));
}

class MasterEditorFiles : public ScratchFolderTest {};

TEST_F(MasterEditorFiles, TextFileGivesItsCallsAndTheListRoundTripsThroughBothFormats)
{
    const auto txt = write("calls.txt", {"# my calls", " k1ar ", "", "   ", "dl1abc", "#W1AW", "EA 8X"});
    MasterCallList l;
    l.AddAll(readCallTextFile(txt));
    EXPECT_EQ(l.Calls(), (std::vector<std::string>{"DL1ABC", "EA 8X", "K1AR"}));

    const auto dta = (dir / "mine.dta").string();
    EXPECT_EQ(Cteate_master(l.Calls(), dta), 0);
    TMasterCallDB m;
    m.LoadFromFile(dta);
    MasterCallList back;
    back.AddAll(m.AllCalls());
    EXPECT_EQ(back.Calls(), l.Calls());

    const auto out = (dir / "out.txt").string();
    writeCallTextFile(l.Calls(), out);
    EXPECT_EQ(readCallTextFile(out), l.Calls());
    EXPECT_THROW(writeCallTextFile(l.Calls(), (dir / "no" / "such" / "x.txt").string()), std::runtime_error);
}

TEST_F(MasterEditorFiles, CallsThatCannotBeIndexedAreLeftOutAndCounted)
{
    const auto dta = (dir / "odd.dta").string();
    EXPECT_EQ(Cteate_master({"K1AR", "DL-1AB", "W1AW*", "EA 8X", "Ä1B"}, dta), 3);
    TMasterCallDB m;
    m.LoadFromFile(dta);
    const auto all = m.AllCalls();
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()), (std::set<std::string>{"K1AR", "EA 8X"}));
}

TEST_F(MasterEditorFiles, ACallWithoutItsNulEndsWithItsBlock)
{
    // Block AB holds "AB" without its NUL, block AC (the next one) "AC\0".
    std::string bytes(5480, '\0');
    auto setOffset = [&](int k, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(4 * k + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const int ab = 0 * 37 + 1;
    for (int k = 0; k <= ab; ++k) setOffset(k, 5480);
    setOffset(ab + 1, 5482);
    for (int k = ab + 2; k < 1370; ++k) setOffset(k, 5485);
    bytes += std::string("AB") + std::string("AC\0", 3);
    {
        std::ofstream(dir / "cut.dta", std::ios::binary) << bytes;
    }
    TMasterCallDB m;
    m.LoadFromFile((dir / "cut.dta").string());
    EXPECT_EQ(m.AllCalls(), (std::vector<std::string>{"AB", "AC"}));
}
