#include "main/settings.h"

#include "main/ini_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

std::string effectiveCabrilloFilter(const std::string& stored)
{
    return isTogetherCabrilloFilter(stored) ? kCabrilloFilterTogether : kCabrilloFilterSeparately;
}

namespace {

int readInt(const TIniFile& ini, const char* section, const char* key, int def)
{
    long long v = ini.ReadInteger(section, key, def);
    if (v < INT32_MIN || v > INT32_MAX) return def;
    return static_cast<int>(v);
}

} // namespace

TSettings readSettings(const fs::path& path)
{
    TIniFile ini(path);
    TSettings s;

    s.SummaryAfterOpen = ini.ReadBool("Program", "At once summary", false);
    s.OpenCabrilloAtStart = ini.ReadBool("Program", "At once open Cabrillo", false);
    s.MarkNotInMaster = ini.ReadBool("Program", "Mark not found", false);
    s.KIndexObservatory = readInt(ini, "Program", "K indices", 0);
    s.N1mmDatabase = ini.ReadString("Program", "N1MM Datebase", "");
    // The wheel step is a 16-bit count; a negative stored value means the same number of rows.
    long long wheel = ini.ReadInteger("Program", "Mouse Wheel Speed", 1);
    s.WheelSpeed = static_cast<int>(std::min<long long>(wheel < 0 ? -wheel : wheel, 32767));

    s.CabrilloFilter = effectiveCabrilloFilter(ini.ReadString("Options", "Cabrillo extention", ""));

    s.LogsDirectory = ini.ReadString("Directory", "Logs Directory", "");
    s.ResultsDirectory = ini.ReadString("Directory", "Results Directory", "");
    s.ScoresDirectory = ini.ReadString("Directory", "3830 Directory", "");
    s.TRLogDirectory = ini.ReadString("Directory", "TRLog Directory", "");

    s.MinBreak = readInt(ini, "Options", "Smoketime", 15);

    s.ChartAxis = ini.ReadBool("Chart", "Axis", true);
    s.ChartMonochrome = ini.ReadBool("Chart", "Monochrome", true);
    s.Chart3D = ini.ReadBool("Chart", "3D", false);
    s.ChartMarks = ini.ReadBool("Chart", "Marks", true);
    s.ChartGradient = ini.ReadBool("Chart", "Gradient", true);
    s.ChartLegend = ini.ReadBool("Chart", "Legend", true);
    s.ChartAllowZoom = ini.ReadBool("Chart", "Allow zoom", true);
    s.ChartGradientColor = readInt(ini, "Chart", "Gradient color", 65535);

    s.ShowToolbar = ini.ReadBool("View", "Toolbar", true);

    s.WindowTop = readInt(ini, "Window", "Top", 0);
    s.WindowLeft = readInt(ini, "Window", "Left", 0);
    s.WindowHeight = readInt(ini, "Window", "Height", 604);
    s.WindowWidth = readInt(ini, "Window", "Width", 791);

    s.AssociateCbr = ini.ReadBool("Extencions", "cbr", false);
    s.AssociateLog = ini.ReadBool("Extencions", "log", false);
    s.AssociateAdi = ini.ReadBool("Extencions", "adi", false);
    s.AssociateDat = ini.ReadBool("Extencions", "dat", false);

    // The Reopen menu has room for kReopenMax items; a hand-edited file may hold more.
    for (const auto& key : ini.ReadSection("Reopen")) {
        if (static_cast<int>(s.ReopenList.size()) >= kReopenMax) break;
        s.ReopenList.push_back(ini.ReadString("Reopen", key, ""));
    }

    s.MyLocator = ini.ReadString("Station", "My QTH-locator", "LO66");
    if (s.MyLocator.empty()) s.MyLocator = "LO66";
    s.MyCall = ini.ReadString("Station", "My call", "UA");
    s.UtcDifference = ini.ReadString("Station", "UTC difference", "-4.0");
    if (s.UtcDifference.empty()) s.UtcDifference = "-4.0";
    return s;
}

void writeSettings(const fs::path& path, const TSettings& s)
{
    if (path.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
    }
    TIniFile ini(path);

    ini.WriteBool("Program", "At once summary", s.SummaryAfterOpen);
    ini.WriteBool("Program", "At once open Cabrillo", s.OpenCabrilloAtStart);
    ini.WriteBool("Program", "Mark not found", s.MarkNotInMaster);
    ini.WriteInteger("Program", "K indices", s.KIndexObservatory);
    ini.WriteString("Program", "N1MM Datebase", s.N1mmDatabase);
    ini.WriteInteger("Program", "Mouse Wheel Speed", s.WheelSpeed);

    ini.WriteInteger("Options", "Smoketime", s.MinBreak);
    ini.WriteString("Options", "Cabrillo extention", s.CabrilloFilter);

    ini.WriteString("Directory", "Logs Directory", s.LogsDirectory);
    ini.WriteString("Directory", "Results Directory", s.ResultsDirectory);
    ini.WriteString("Directory", "3830 Directory", s.ScoresDirectory);
    ini.WriteString("Directory", "TRLog Directory", s.TRLogDirectory);

    ini.WriteBool("Chart", "Axis", s.ChartAxis);
    ini.WriteBool("Chart", "Monochrome", s.ChartMonochrome);
    ini.WriteBool("Chart", "3D", s.Chart3D);
    ini.WriteBool("Chart", "Marks", s.ChartMarks);
    ini.WriteBool("Chart", "Gradient", s.ChartGradient);
    ini.WriteBool("Chart", "Legend", s.ChartLegend);
    ini.WriteBool("Chart", "Allow zoom", s.ChartAllowZoom);

    ini.WriteBool("View", "Toolbar", s.ShowToolbar);

    ini.WriteInteger("Chart", "Gradient color", s.ChartGradientColor);

    ini.WriteInteger("Window", "Top", s.WindowTop);
    ini.WriteInteger("Window", "Left", s.WindowLeft);
    ini.WriteInteger("Window", "Height", s.WindowHeight);
    ini.WriteInteger("Window", "Width", s.WindowWidth);

    ini.WriteString("Station", "My call", s.MyCall);
    ini.WriteString("Station", "My QTH-locator", s.MyLocator);
    ini.WriteString("Station", "UTC difference", s.UtcDifference);

    ini.WriteBool("Extencions", "cbr", s.AssociateCbr);
    ini.WriteBool("Extencions", "log", s.AssociateLog);
    ini.WriteBool("Extencions", "adi", s.AssociateAdi);
    ini.WriteBool("Extencions", "dat", s.AssociateDat);

    ini.EraseSection("Reopen");
    for (size_t i = 0; i < s.ReopenList.size(); ++i) ini.WriteString("Reopen", std::to_string(i), s.ReopenList[i]);

    ini.UpdateFile();
}

fs::path userSettingsFile()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (xdg && *xdg && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : ".") / ".config";
    }
    return base / "zem" / "zem.ini";
}

SettingsPaths settingsPath(const fs::path& programFolder)
{
    const fs::path own = programFolder / "zem.ini";
    std::error_code ec;
    // The file is replaced through a temporary file beside it, so the folder
    // must be writable, and the file itself when it is there.
    bool writable = fs::is_directory(programFolder, ec) && ::access(programFolder.c_str(), W_OK) == 0;
    if (writable && fs::exists(own, ec)) writable = ::access(own.c_str(), W_OK) == 0;
    if (writable) return {own, own, true};

    const fs::path user = userSettingsFile();
    const bool userExists = fs::exists(user, ec);
    return {userExists || !fs::exists(own, ec) ? user : own, user, false};
}
