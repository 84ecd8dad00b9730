#include "main/ini_file.h"
#include "main/settings.h"
#include "main/station.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir()
    {
        std::string tmpl = (fs::temp_directory_path() / "zem-settings-XXXXXX").string();
        path = mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path); }
};

void writeText(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

std::string readText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream b;
    b << in.rdbuf();
    return b.str();
}

// Sets an environment variable for one test and puts the old value back.
struct EnvVar {
    std::string name;
    std::string old;
    bool had;
    EnvVar(const char* n, const std::string& v)
        : name(n)
    {
        const char* o = std::getenv(n);
        had = o != nullptr;
        if (had) old = o;
        setenv(n, v.c_str(), 1);
    }
    ~EnvVar()
    {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

} // namespace

TEST(IniFile, NamesWithoutCaseValuesAsWrittenAndLayoutKept)
{
    TempDir dir;
    const fs::path file = dir.path / "a.ini";
    writeText(file, "; kept comment\r\n"
                    "[Directory]\r\n"
                    "Logs Directory = C:\\Logs\\My Logs \r\n"
                    "Count=0x1F\r\n"
                    "\r\n"
                    "[chart]\r\n"
                    "AXIS=0\r\n"
                    "Bad=12abc\r\n"
                    "Neg=-7\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("DIRECTORY", "logs directory", "?"), "C:\\Logs\\My Logs");
    EXPECT_EQ(ini.ReadInteger("directory", "count", 0), 31);
    EXPECT_FALSE(ini.ReadBool("Chart", "Axis", true));
    EXPECT_EQ(ini.ReadInteger("Chart", "Bad", 5), 5);
    EXPECT_TRUE(ini.ReadBool("Chart", "Neg", false));
    EXPECT_TRUE(ini.ReadBool("Chart", "Missing", true));
    EXPECT_EQ(ini.ReadString("Nowhere", "x", "def"), "def");
    EXPECT_EQ(ini.ReadSection("CHART"), (std::vector<std::string>{"AXIS", "Bad", "Neg"}));

    // An existing key is replaced where it stands (its spelling kept), a new
    // one goes behind the section's last key, a new section at the end.
    ini.WriteBool("CHART", "axis", true);
    ini.WriteString("Directory", "3830 Directory", "/home/op/3830");
    ini.WriteInteger("Window", "Top", -5);
    ini.EraseSection("chart");
    ini.UpdateFile();
    EXPECT_EQ(readText(file), "; kept comment\n"
                              "[Directory]\n"
                              "Logs Directory=C:\\Logs\\My Logs\n"
                              "Count=0x1F\n"
                              "3830 Directory=/home/op/3830\n"
                              "\n"
                              "[Window]\n"
                              "Top=-5\n");
    EXPECT_FALSE(fs::exists(dir.path / "a.ini.tmp"));
}

TEST(IniFile, MissingFileReadsEmptyAndUnwritableFolderThrows)
{
    TempDir dir;
    TIniFile ini(dir.path / "none.ini");
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_EQ(ini.ReadInteger("A", "b", 42), 42);
    TIniFile lost(dir.path / "no-such-folder" / "x.ini");
    lost.WriteString("A", "b", "c");
    EXPECT_THROW(lost.UpdateFile(), std::runtime_error);
}

TEST(Settings, MissingFileGivesDefaults)
{
    TempDir dir;
    const TSettings s = readSettings(dir.path / "zem.ini");
    EXPECT_EQ(s, TSettings{});
    EXPECT_EQ(s.WheelSpeed, 1);
    EXPECT_EQ(s.MinBreak, 15);
    EXPECT_EQ(s.ChartGradientColor, 65535);
    EXPECT_EQ(s.WindowHeight, 604);
    EXPECT_EQ(s.WindowWidth, 791);
    EXPECT_EQ(s.MyLocator, "LO66");
    EXPECT_EQ(s.MyCall, "UA");
    EXPECT_EQ(s.UtcDifference, "-4.0");
    EXPECT_EQ(s.CabrilloFilter, kCabrilloFilterSeparately);
    EXPECT_TRUE(s.ChartAxis && s.ChartMonochrome && !s.Chart3D && s.ChartMarks && s.ShowToolbar);
}

TEST(Settings, WrittenInOrderAndReadBack)
{
    TempDir dir;
    const fs::path file = dir.path / "zem.ini";
    TSettings s;
    s.SummaryAfterOpen = true;
    s.MarkNotInMaster = true;
    s.KIndexObservatory = 1;
    s.N1mmDatabase = "C:\\N1MM Logger\\ham.mdb";
    s.WheelSpeed = 3;
    s.CabrilloFilter = kCabrilloFilterTogether;
    s.MinBreak = 30;
    s.LogsDirectory = "/home/op/My Logs";
    s.TRLogDirectory = "/home/op/tr";
    s.Chart3D = true;
    s.ChartLegend = false;
    s.ChartGradientColor = 255;
    s.ShowToolbar = false;
    s.WindowTop = 10;
    s.WindowLeft = -4;
    s.WindowHeight = 700;
    s.WindowWidth = 900;
    s.AssociateCbr = true;
    s.AssociateDat = true;
    s.ReopenList = {"/logs/A.CBR", "/logs/B.DAT"};
    s.MyLocator = "KO85TS";
    s.MyCall = "RA3AA";
    s.UtcDifference = "3";
    writeSettings(file, s);

    EXPECT_EQ(readText(file), "[Program]\n"
                              "At once summary=1\n"
                              "At once open Cabrillo=0\n"
                              "Mark not found=1\n"
                              "K indices=1\n"
                              "N1MM Datebase=C:\\N1MM Logger\\ham.mdb\n"
                              "Mouse Wheel Speed=3\n"
                              "[Options]\n"
                              "Smoketime=30\n"
                              "Cabrillo extention=Cabrillo(*.cbr,*.log,*.txt)|*.cbr;*.log;*.txt|All files(*.*)|*.*\n"
                              "[Directory]\n"
                              "Logs Directory=/home/op/My Logs\n"
                              "Results Directory=\n"
                              "3830 Directory=\n"
                              "TRLog Directory=/home/op/tr\n"
                              "[Chart]\n"
                              "Axis=1\n"
                              "Monochrome=1\n"
                              "3D=1\n"
                              "Marks=1\n"
                              "Gradient=1\n"
                              "Legend=0\n"
                              "Allow zoom=1\n"
                              "Gradient color=255\n"
                              "[View]\n"
                              "Toolbar=0\n"
                              "[Window]\n"
                              "Top=10\n"
                              "Left=-4\n"
                              "Height=700\n"
                              "Width=900\n"
                              "[Station]\n"
                              "My call=RA3AA\n"
                              "My QTH-locator=KO85TS\n"
                              "UTC difference=3\n"
                              "[Extencions]\n"
                              "cbr=1\n"
                              "log=0\n"
                              "adi=0\n"
                              "dat=1\n"
                              "[Reopen]\n"
                              "0=/logs/A.CBR\n"
                              "1=/logs/B.DAT\n");
    EXPECT_EQ(readSettings(file), s);

    // A second write keeps what others put in the file and leaves no old reopen entry behind.
    writeText(file, readText(file) + "2=/logs/OLD.LOG\n[Mine]\nkey=value\n");
    s.ReopenList = {"/logs/C.ADI"};
    writeSettings(file, s);
    const std::string text = readText(file);
    EXPECT_NE(text.find("[Mine]\nkey=value\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("[Reopen]")), "[Reopen]\n0=/logs/C.ADI\n");
    EXPECT_EQ(readSettings(file).ReopenList, s.ReopenList);
}

TEST(Settings, StoredValuesNormalisedOnReading)
{
    struct Case {
        const char* lines;
        std::function<void(const TSettings&)> check;
    };
    const Case cases[] = {
        {"[Program]\nMouse Wheel Speed=-3\n", [](const TSettings& s) { EXPECT_EQ(s.WheelSpeed, 3); }},
        {"[program]\nmouse wheel speed=100000\n", [](const TSettings& s) { EXPECT_EQ(s.WheelSpeed, 32767); }},
        {"[Station]\nMy QTH-locator=\nUTC difference=\nMy call=\n",
         [](const TSettings& s) {
             EXPECT_EQ(s.MyLocator, "LO66");
             EXPECT_EQ(s.UtcDifference, "-4.0");
             EXPECT_EQ(s.MyCall, "");
         }},
        {"[Options]\nCabrillo extention=Cabrillo(*.cbr,*.log,*.txt)|*.cbr;*.log;*.txt|All files(*.*)|*.*\n",
         [](const TSettings& s) { EXPECT_EQ(s.CabrilloFilter, kCabrilloFilterTogether); }},
        {"[Options]\nCabrillo extention=\n",
         [](const TSettings& s) { EXPECT_EQ(s.CabrilloFilter, kCabrilloFilterSeparately); }},
        {"[Options]\nCabrillo extention=Text files|*.txt\n",
         [](const TSettings& s) { EXPECT_EQ(s.CabrilloFilter, kCabrilloFilterSeparately); }},
        {"[Extencions]\nCBR=7\nlog=abc\n",
         [](const TSettings& s) {
             EXPECT_TRUE(s.AssociateCbr);
             EXPECT_FALSE(s.AssociateLog);
         }},
        {"[Reopen]\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n6=g\n7=h\n8=i\n9=j\n10=k\n",
         [](const TSettings& s) {
             ASSERT_EQ(s.ReopenList.size(), 10u);
             EXPECT_EQ(s.ReopenList.front(), "a");
             EXPECT_EQ(s.ReopenList.back(), "j");
         }},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        writeText(dir.path / "zem.ini", c.lines);
        c.check(readSettings(dir.path / "zem.ini"));
    }
}

TEST(Settings, PathFallsBackToUserConfigWhenProgramFolderIsNotWritable)
{
    TempDir dir;
    EnvVar xdg("XDG_CONFIG_HOME", (dir.path / "config").string());
    const fs::path userFile = dir.path / "config" / "zem" / "zem.ini";
    EXPECT_EQ(userSettingsFile(), userFile);

    const SettingsPaths own = settingsPath(dir.path);
    EXPECT_TRUE(own.inProgramFolder);
    EXPECT_EQ(own.read, dir.path / "zem.ini");
    EXPECT_EQ(own.write, dir.path / "zem.ini");

    const SettingsPaths gone = settingsPath(dir.path / "missing");
    EXPECT_FALSE(gone.inProgramFolder);
    EXPECT_EQ(gone.write, userFile);
    EXPECT_EQ(gone.read, userFile);
    TSettings s;
    s.MyCall = "UA9XX";
    writeSettings(gone.write, s); // makes the folder
    EXPECT_EQ(readSettings(settingsPath(dir.path / "missing").read).MyCall, "UA9XX");

    if (geteuid() != 0) { // the superuser writes anywhere
        const fs::path ro = dir.path / "ro";
        fs::create_directory(ro);
        writeText(ro / "zem.ini", "[Station]\nMy call=RA1\n");
        fs::remove(userFile);
        fs::permissions(ro, fs::perms::owner_read | fs::perms::owner_exec);
        SettingsPaths p = settingsPath(ro);
        EXPECT_EQ(p.read, ro / "zem.ini"); // read from the program folder until the user file exists
        EXPECT_EQ(p.write, userFile);
        writeSettings(p.write, readSettings(p.read));
        EXPECT_EQ(settingsPath(ro).read, userFile);
        EXPECT_EQ(readSettings(userFile).MyCall, "RA1");
        fs::permissions(ro, fs::perms::owner_all);
    }
}

TEST(Station, LocatorToPosition)
{
    struct Case {
        const char* locator;
        const char* lon;
        const char* lat;
    };
    const Case cases[] = {
        {"KO85TS", "-37.63", "55.77"}, // 37.625 E: halves away from zero
        {"ko85ts", "-37.63", "55.77"},
        {"LO66", "-51.96", "55.98"},
        {"FN31PR", "72.71", "41.73"},
        {"AA00AA", "180.00", "-89.98"}, // 179.958: 4 significant digits, then 2 decimals
        {"RR99XX", "-180.00", "89.98"},
        {"JJ00", "0.04", "-0.02"},
        {"KOX5TS", "0", "0"},
        {"KO8", "0", "0"},
        {"", "0", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locator);
        const LocatorPosition p = locatorToPosition(c.locator);
        EXPECT_EQ(p.LongitudeText, c.lon);
        EXPECT_EQ(p.LatitudeText, c.lat);
        EXPECT_EQ(p.Longitude.has_value(), std::string(c.lon) != "0");
        if (p.Longitude) {
            EXPECT_DOUBLE_EQ(*p.Longitude, std::stod(c.lon));
            EXPECT_DOUBLE_EQ(*p.Latitude, std::stod(c.lat));
        }
    }
}

TEST(Station, UtcDifferenceWhileTyping)
{
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"", true},    {"-", true},      {"4.", true},  {"-4.0", true}, {"12", true},  {"-12", true},
        {"12.5", true}, {"13", false},   {"200", false}, {"-13", false}, {"abc", false}, {"4,5", false},
        {"1.2.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(utcDifferenceAccepted(c.text), c.accepted);
    }
}
