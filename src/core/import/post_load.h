#pragma once
// What every reader shares once a log is in memory: the reset to "no log",
// the log's output folder, the list of commands a loaded log enables, and
// the Reopen list of recently loaded files.
//
// The window half (captions, menus, pages, status bar painting) stays in the
// main window; this file holds the data and decisions it needs.
//
// Reset_app, the main window's part, in this order:
//   1. push buttons disabled, text labels emptied, list boxes emptied, every
//      result grid cleared with ClearGrid except "Keo3830" (the core part
//      below clears the log table);
//   2. label l6 := kMenuLabelCaption;
//   3. OperatorMode := false; log_grid hidden; (core: QsoCount := 0);
//   4. (core: Category, StationCall, LogYear);
//   5. the commands with disabledByReset set are disabled;
//   6. window caption and application title := kAppCaption;
//   7. Summary chart series emptied, its title kSummaryChartTitle;
//      clear_all_series; first series of Tot_to_sec, Sec_mode, sec_band emptied;
//   8. sb1 panels 1.. emptied (panel 0 keeps its text);
//   9. log_and_3830.
//
// activatemenu, in this order:
//   1. activateLoadedLog(state) == false (QsoCount 0, core has already reset):
//      run the window's Reset_app part and stop;
//   2. every push button enabled, log_grid shown, the commands with
//      enabledByActivate set enabled;
//   3. caption and application title := mainCaptionAfterLoad(header);
//   4. sb1 panels from statusPanelsAfterLoad(header), then panels 1..4 fitted
//      to their text width + 5;
//   5. Edit1 := StationCall;
//   6. (done by activateLoadedLog: FirstQsoMinute from row 1, or the first
//      row whose date and time convert);
//   7. Log page (TabSheet7) active, log_grid focused;
//   8. Process_log_and_summary;
//   9. SummaryAfterOpen on: Summary page (TabSheet10) active, Summary_Grid focused;
//  10. Mark_dupes, KA_indexs, qso_proc;
//  11. column widths of log_grid := logColumnWidths(log_grid width) (log_table.h).
//
// A load: reader's reset; reading; QsoCount and OutputDir (the file's
// folder); make_log_folder; activatemenu; check_and_add_filename_to_reopen.

#include "main/app_state.h"

#include "main/settings.h"

#include <filesystem>
#include <string>
#include <vector>

inline constexpr const char* kAppCaption = "ZEM Log Analysis";
inline constexpr const char* kMenuLabelCaption = "Menu (right click)";
inline constexpr const char* kSummaryChartTitle = "Summary";
inline constexpr const char* kNoCategory = "No category";
// kReopenMax (the size of the Reopen list) comes with the settings.

// The core part of the reset: the log table is cleared, QsoCount := 0,
// Category := "No category", StationCall, OwnCall and LogYear emptied. ContestName,
// LogTitle and OutputDir keep their values; so do the error list and the
// job counters.
void Reset_app(AppState& s);

// What every reader does before it reads: a header value the new file does
// not give must not be the previous log's. Category := "No category";
// StationCall, OwnCall, ContestName, LogYear and LogTitle emptied; QsoCount
// := 0. OutputDir is set by the reader from the file.
void resetLogHeader(LogHeader& h);

// Core part of activatemenu. Returns false for an empty log (QsoCount 0),
// after Reset_app. Otherwise sets FirstQsoMinute from log row 1 and returns
// true. Rows whose date or time does not convert are passed over (the
// analysis pass lists them): the first row that converts gives the minute,
// 0 when none does.
bool activateLoadedLog(AppState& s);

// "LogTitle - ZEM Log Analysis".
std::string mainCaptionAfterLoad(const LogHeader& h);

struct StatusPanelsAfterLoad {
    std::string qsoCount;    // panel 1: QsoCount + " qso"
    std::string category;    // panel 3
    std::string contestYear; // panel 4: ContestName + two blanks + LogYear
};
StatusPanelsAfterLoad statusPanelsAfterLoad(const LogHeader& h);

// The commands that depend on a loaded log: component name, caption, and
// what the reset and a load do to each. A name may be a menu item, a
// submenu, a tool button or a whole tool bar.
struct LogCommand {
    const char* name;
    const char* caption;
    bool disabledByReset;
    bool enabledByActivate;
};
const std::vector<LogCommand>& logCommands();

// Builds LogTitle (ContestName, StationCall and LogYear joined by blanks,
// "/" in the call and the contest name first turned into "-" in the header
// itself, the call as it was kept in OwnCall) and creates the folder LogTitle inside OutputDir (the loaded
// file's folder; the current folder when OutputDir is empty) with its
// subfolders "Rates" and "Bands distribution". An existing folder is reused.
// When that title holds nothing but blanks, LogTitle and the folder are the
// name of loadedFile (the file read) without its folder and extension.
// OutputDir becomes the log folder with a trailing "/". Returns the log
// folder. The process's current folder is left alone.
//
// Characters a folder name cannot hold that are still left after that ("/"
// in the year, NUL) become "_" in LogTitle. A folder that cannot be made
// throws std::runtime_error naming it; OutputDir is then unchanged.
std::filesystem::path make_log_folder(AppState& s, const std::string& loadedFile = {});

// The absolute folder of a loaded file: every reader's OutputDir.
std::string absoluteFolderOf(const std::string& path);

// ---- Reopen list ----

enum class ReopenReader { None, Cabrillo, TRLog, ADIF };

struct ReopenChoice {
    ReopenReader reader = ReopenReader::None;
    int image = -1; // image of the main window's list, -1 for none
};

// Reader of a recorded file, by its name without regard to case, a later
// match winning: ".TXT" Cabrillo (36, as ".LOG"), ".CBR" Cabrillo (image 35),
// ".LOG" Cabrillo (36), ".DAT" TR Log (22), ".ADI" ADIF (image as before).
// Only the file name is looked at, so a folder such as "~/.data" does not
// choose the reader.
ReopenChoice readerForExtension(const std::string& path);

// Throws the readers' std::runtime_error when path is no file that can be
// read (missing, unreadable, a folder). A reopen asks first, so that a file
// gone since it was recorded leaves the loaded log alone.
void checkFileReadable(const std::string& path);

// Records a loaded file: an empty name does nothing; a name already first
// does nothing; a name found further down trades places with the first
// entry; a new name goes first and the list keeps at most 10 entries.
// Names are kept and compared exactly as given (file names differ by case);
// the caller gives them absolute, since every load changes the current
// folder.
// Returns true when the list changed and the menu needs rebuilding.
bool check_and_add_filename_to_reopen(std::vector<std::string>& list, const std::string& path);

struct ReopenMenuItem {
    std::string caption; // menu text: the path, "&" doubled so it is shown as it is
    std::string path;    // the file to open, exactly as recorded
    ReopenChoice choice; // reader None: an item that does nothing
};

// The items of the Reopen submenu, in list order.
std::vector<ReopenMenuItem> build_reopen_menu(const std::vector<std::string>& list);
