#pragma once
// A fixture with a scratch folder of its own per test, removed afterwards,
// and a writer of text files into it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("zem_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::vector<std::string>& lines, const char* eol = "\r\n")
    {
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& l : lines) out << l << eol;
        return (dir / name).string();
    }

    std::filesystem::path dir;
};
