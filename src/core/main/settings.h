#pragma once
// The program's settings as kept in zem.ini. At run time each value lives in
// its control (settings dialog, main window); this record only carries them
// between the file and the controls.

#include <filesystem>
#include <string>
#include <vector>

// The Cabrillo open dialog's two filters, in the dialog's "description|patterns|..." form.
inline constexpr const char* kCabrilloFilterTogether =
    "Cabrillo(*.cbr,*.log,*.txt)|*.cbr;*.log;*.txt|All files(*.*)|*.*";
inline constexpr const char* kCabrilloFilterSeparately =
    "Cabrillo(*.cbr)|*.cbr|Cabrillo(*.log)|*.log|Cabrillo(*.txt)|*.txt|All files(*.*)|*.*";

// A stored filter other than the together one (the empty default too) means
// the separate filters.
std::string effectiveCabrilloFilter(const std::string& stored);
inline bool isTogetherCabrilloFilter(const std::string& f) { return f == kCabrilloFilterTogether; }

// The reopen list holds at most this many files (one menu item each).
inline constexpr int kReopenMax = 10;

struct TSettings {
    // [Program]
    bool SummaryAfterOpen = false;
    bool OpenCabrilloAtStart = false;
    bool MarkNotInMaster = false;
    int KIndexObservatory = 0; // 0 Moscow, 1 Boulder
    std::string N1mmDatabase;
    int WheelSpeed = 1;        // rows per wheel step, 0..32767
    // [Options]
    std::string CabrilloFilter = kCabrilloFilterSeparately;
    int MinBreak = 15;         // minutes
    // [Directory]
    std::string LogsDirectory;
    std::string ResultsDirectory;
    std::string ScoresDirectory;
    std::string TRLogDirectory;
    // [Chart]
    bool ChartAxis = true;
    bool ChartMonochrome = true; // the "Color" item's check: a colour chart when true
    bool Chart3D = false;
    bool ChartMarks = true;
    bool ChartGradient = true;
    bool ChartLegend = true;
    bool ChartAllowZoom = true;
    int ChartGradientColor = 65535; // 0xBBGGRR, yellow
    // [View]
    bool ShowToolbar = true;
    // [Window]
    int WindowTop = 0;
    int WindowLeft = 0;
    int WindowHeight = 604;
    int WindowWidth = 791;
    // [Extencions]
    bool AssociateCbr = false;
    bool AssociateLog = false;
    bool AssociateAdi = false;
    bool AssociateDat = false;
    // [Reopen], most recent first
    std::vector<std::string> ReopenList;
    // [Station]
    std::string MyLocator = "LO66";
    std::string MyCall = "UA";
    std::string UtcDifference = "-4.0";

    bool operator==(const TSettings&) const = default;
};

// Reads zem.ini; a missing file or key gives the default. Throws
// std::runtime_error when the file exists but cannot be read.
TSettings readSettings(const std::filesystem::path& path);
// Writes every setting into zem.ini, keeping what else the file holds, and
// rewrites [Reopen] from the list. Creates the file's folder when missing.
// Throws std::runtime_error when the file cannot be written.
void writeSettings(const std::filesystem::path& path, const TSettings& s);

// Where zem.ini is read from and written to.
struct SettingsPaths {
    std::filesystem::path read;
    std::filesystem::path write;
    bool inProgramFolder = true; // false: the user's config folder stands in
};
// zem.ini lives in the program folder. When that folder (or the file in it)
// cannot be written, the user's config folder ($XDG_CONFIG_HOME/zem, else
// ~/.config/zem) takes its place for writing, and for reading as soon as a
// file exists there; until then the program folder's file is still read.
SettingsPaths settingsPath(const std::filesystem::path& programFolder);
// $XDG_CONFIG_HOME/zem/zem.ini, else $HOME/.config/zem/zem.ini.
std::filesystem::path userSettingsFile();
