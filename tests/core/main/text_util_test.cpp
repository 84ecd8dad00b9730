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
