#include "main/file_associations.h"
#include "main/ini_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct DataHome {
    fs::path path;
    DataHome()
    {
        std::string tmpl = (fs::temp_directory_path() / "zem-assoc-XXXXXX").string();
        path = mkdtemp(tmpl.data());
    }
    ~DataHome() { fs::remove_all(path); }
    fs::path desktop() const { return path / "applications" / "zem.desktop"; }
    fs::path package(const std::string& ext) const { return path / "mime" / "packages" / ("zem-" + ext + ".xml"); }
};

std::string readText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream b;
    b << in.rdbuf();
    return b.str();
}

void writeText(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

constexpr const char* kVerb = "Open with ZEM";

} // namespace

TEST(FileAssociations, AddedAndRemovedPerExtension)
{
    DataHome home;
    const std::string exe = "/opt/zem 1/zem";
    EXPECT_TRUE(AddFileMenue("dat", kVerb, 2, "TR Log", exe, home.path));
    EXPECT_TRUE(AddFileMenue("cbr", kVerb, 3, "Cabrillo", exe, home.path));
    EXPECT_TRUE(AddFileMenue("log", kVerb, 1, "Cabrillo", exe, home.path));
    EXPECT_FALSE(AddFileMenue("CBR", kVerb, 3, "Cabrillo", exe, home.path)); // already there

    const std::string cbr = readText(home.package("cbr"));
    EXPECT_NE(cbr.find("<mime-type type=\"application/x-zem-cabrillo\">"), std::string::npos);
    EXPECT_NE(cbr.find("<comment>ZEM Log Analysis Cabrillo file</comment>"), std::string::npos);
    // Above the default weight of 50, or *.cbr stays a comic book archive.
    EXPECT_NE(cbr.find("<glob pattern=\"*.cbr\" weight=\"80\"/>"), std::string::npos);
    EXPECT_NE(readText(home.package("dat")).find("application/x-zem-tr-log"), std::string::npos);
    // Where the desktop's MIME tool is installed it has accepted the definitions.
    if (std::system("command -v update-mime-database >/dev/null 2>&1") == 0) {
        EXPECT_NE(readText(home.path / "mime" / "globs2").find("80:application/x-zem-cabrillo:*.cbr"), std::string::npos);
    }

    TIniFile entry(home.desktop());
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Name", ""), "ZEM Log Analysis");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Type", ""), "Application");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Exec", ""), "\"/opt/zem 1/zem\" %f");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "MimeType", ""), "application/x-zem-cabrillo;application/x-zem-tr-log;");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Actions", ""), "open-with-zem;");
    EXPECT_EQ(entry.ReadString("Desktop Action open-with-zem", "Name", ""), kVerb);
    EXPECT_EQ(entry.ReadString("Desktop Action open-with-zem", "Exec", ""), "\"/opt/zem 1/zem\" %f");

    // log and cbr share their type: it stays while one of them is left.
    EXPECT_TRUE(DeleteFileMenue("log", kVerb, home.path));
    EXPECT_FALSE(fs::exists(home.package("log")));
    EXPECT_EQ(TIniFile(home.desktop()).ReadString("Desktop Entry", "MimeType", ""),
              "application/x-zem-cabrillo;application/x-zem-tr-log;");
    EXPECT_TRUE(DeleteFileMenue("dat", kVerb, home.path));
    EXPECT_EQ(TIniFile(home.desktop()).ReadString("Desktop Entry", "MimeType", ""), "application/x-zem-cabrillo;");
    EXPECT_FALSE(DeleteFileMenue("dat", kVerb, home.path)); // nothing left to remove

    EXPECT_TRUE(DeleteFileMenue("cbr", kVerb, home.path));
    EXPECT_FALSE(fs::exists(home.package("cbr")));
    EXPECT_FALSE(fs::exists(home.desktop()));
}

TEST(FileAssociations, ForeignFilesLeftAlone)
{
    DataHome home;
    const std::string foreignPackage = "<?xml version=\"1.0\"?>\n<mime-info><mime-type type=\"application/x-other\">"
                                       "<glob pattern=\"*.adi\"/></mime-type></mime-info>\n";
    writeText(home.package("adi"), foreignPackage);
    const fs::path other = home.path / "mime" / "packages" / "other-log.xml";
    writeText(other, "<mime-info><mime-type type=\"text/x-log\"><glob pattern=\"*.log\"/></mime-type></mime-info>\n");

    EXPECT_FALSE(DeleteFileMenue("adi", kVerb, home.path));
    EXPECT_EQ(readText(home.package("adi")), foreignPackage);
    EXPECT_THROW(AddFileMenue("adi", kVerb, 4, "ADIF", "/usr/bin/zem", home.path), std::runtime_error);
    EXPECT_EQ(readText(home.package("adi")), foreignPackage);

    ASSERT_TRUE(AddFileMenue("log", kVerb, 1, "Cabrillo", "/usr/bin/zem", home.path));
    EXPECT_TRUE(DeleteFileMenue("log", kVerb, home.path));
    EXPECT_TRUE(fs::exists(other));

    // Another program's zem.desktop is neither replaced nor removed.
    const std::string foreignEntry = "[Desktop Entry]\nType=Application\nName=Zem editor\nExec=zem-edit %f\n";
    writeText(home.desktop(), foreignEntry);
    EXPECT_THROW(AddFileMenue("cbr", kVerb, 3, "Cabrillo", "/usr/bin/zem", home.path), std::runtime_error);
    EXPECT_FALSE(DeleteFileMenue("cbr", kVerb, home.path));
    EXPECT_EQ(readText(home.desktop()), foreignEntry);

    EXPECT_THROW(AddFileMenue("../x", kVerb, 3, "Cabrillo", "/usr/bin/zem", home.path), std::invalid_argument);
}

TEST(FileAssociations, ExecQuotingAndDataHome)
{
    DataHome home;
    ASSERT_TRUE(AddFileMenue("adi", kVerb, 4, "ADIF", "/home/op/100% \"ham\"/zem", home.path));
    const std::string text = readText(home.desktop());
    // Quoted, '"' escaped inside the quotes, '%' doubled, and the escaping
    // backslash itself doubled by the file's string rules.
    EXPECT_NE(text.find("Exec=\"/home/op/100%% \\\\\"ham\\\\\"/zem\" %f\n"), std::string::npos);

    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldXdg ? oldXdg : "";
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    EXPECT_EQ(userDataHome(), home.path);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(userDataHome().filename(), "share");
    if (oldXdg)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
