// The check that scripts/test runs after configuring: a package the
// configure step used must come with the bootstrap list.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ScriptRun {
    int status = -1;
    std::string output;
};

ScriptRun checkPackages(const fs::path& buildDir, const fs::path& list)
{
    const std::string cmd = std::string("'") + ZEM_SOURCE_DIR + "/scripts/check-packages' '" + buildDir.string() +
                            "' '" + list.string() + "' 2>&1";
    ScriptRun r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 256> buf{};
    while (std::fgets(buf.data(), buf.size(), p)) r.output += buf.data();
    r.status = ::pclose(p);
    return r;
}

} // namespace

TEST(CheckPackages, NamesAPackageOfTheConfigureStepThatTheListLacks)
{
    const fs::path qtOpenGl = "/usr/lib/x86_64-linux-gnu/cmake/Qt6OpenGL";
    if (!fs::exists(qtOpenGl / "Qt6OpenGLConfig.cmake")) GTEST_SKIP() << "no Qt OpenGL development files here";
    const fs::path dir = fs::temp_directory_path() / ("zem_check_packages_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "CMakeCache.txt") << "Qt6OpenGL_DIR:PATH=" << qtOpenGl.string() << "\n"
                                          << "Local_DIR:PATH=" << dir.string() << "\n";
    std::ofstream(dir / "without") << "# as bootstrap had it\ncmake g++ qt6-base-dev qt6-charts-dev\n";
    std::ofstream(dir / "with") << "cmake g++ qt6-base-dev qt6-charts-dev\nlibqt6opengl6-dev\n";

    const ScriptRun lacking = checkPackages(dir, dir / "without");
    EXPECT_NE(lacking.status, 0);
    EXPECT_NE(lacking.output.find("libqt6opengl6-dev"), std::string::npos) << lacking.output;

    const ScriptRun complete = checkPackages(dir, dir / "with");
    EXPECT_EQ(complete.status, 0) << complete.output;
    fs::remove_all(dir);
}
