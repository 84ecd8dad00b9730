#include "main/text_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

TEST(TextUtil, SplitLinesTakesEveryLineEnd)
{
    using L = std::vector<std::string>;
    const std::pair<std::string, L> cases[] = {
        {"", L{}},
        {"a", L{"a"}},
        {"a\nb\n", L{"a", "b"}},
        {"a\r\nb\r\n", L{"a", "b"}},
        {"a\rb\r", L{"a", "b"}},
        {"a\r\rb", L{"a", "", "b"}},     // two lone CRs: an empty line between
        {"a\r\n\nb\r", L{"a", "", "b"}}, // mixed ends in one file
        {"\n", L{""}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(zem::splitLines(text), lines) << text;
}

TEST(TextUtil, ReadFileReportsWhatCannotBeRead)
{
    const fs::path dir = fs::temp_directory_path() / ("zem_text_util_" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder.log");
    std::ofstream(dir / "empty.txt");
    EXPECT_EQ(zem::readFile((dir / "empty.txt").string()), "");
    for (const char* name : {"folder.log", "missing.txt"}) {
        try {
            zem::readFile((dir / name).string());
            ADD_FAILURE() << name << " read without an error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
    fs::remove_all(dir);
}

TEST(TextUtil, UpperTextUpperCasesLettersAsTheTextIsShown)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Klub \xC5\x81\xC3\xB3" "d\xC5\xBA \xC3\x91" "and\xC3\xBA", "KLUB \xC5\x81\xC3\x93" "D\xC5\xB9 \xC3\x91" "AND\xC3\x9A"},
        {"abc-123 xyz", "ABC-123 XYZ"},
        // Cyrillic, Greek with a final sigma, Romanian, Vietnamese.
        {"\xD1\x80\xD0\xB0\xD0\xB4\xD0\xB8\xD0\xBE \xD1\x91", "\xD0\xA0\xD0\x90\xD0\x94\xD0\x98\xD0\x9E \xD0\x81"},
        {"\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82", "\xCE\x9B\xCE\x8C\xCE\x93\xCE\x9F\xCE\xA3"},
        {"\xC8\x99\xC8\x9B", "\xC8\x98\xC8\x9A"},
        {"\xE1\xBB\x87", "\xE1\xBB\x86"},
        // A capital longer than its letter or of two letters: kept as written.
        {"stra\xC3\x9F" "e \xC4\xB1", "STRA\xC3\x9F" "E \xC4\xB1"},
        // Not UTF-8: Latin-1 letters, the division sign and y diaeresis kept.
        {"caf\xE9 \xF7 \xFF", "CAF\xC9 \xF7 \xFF"},
    };
    for (const auto& [text, upper] : cases) {
        EXPECT_EQ(zem::upperText(text), upper) << text;
        EXPECT_EQ(zem::upperText(text).size(), text.size()) << text;
    }
}
