#pragma once
// The state that the windows share: the loaded log (one grid plus its header)
// and the job and analysis values that several commands read. One object,
// owned by the main window and passed by reference.

#include "main/keoe_grid.h"
#include "main/log_table.h"

#include <string>
#include <unordered_set>

struct LogHeader {
    std::string StationCall;
    std::string ContestName;
    std::string Category;
    std::string LogYear;
    std::string LogTitle;
    int QsoCount = 0;
    std::string OutputDir;
    // The station's callsign as the log gave it: StationCall has its "/"
    // turned into "-" for the folder name, the scores need the real call.
    std::string OwnCall;
};

struct AppState {
    AppState();

    TKeoEGrid log_grid;  // row 0 titles, rows 1..QsoCount one QSO each
    LogHeader header;
    // The processing-error list: "Line" "kHz" "Mode" "Date" "Time" "Callsign" "TX".
    TKeoEGrid error_keo;

    // Failed QSOs of the running job; also the last row written to the error list.
    int BadQsoCount = 0;
    // Log rows in the error list: a row that fails in the reader and again
    // in the analysis pass is one entry.
    std::unordered_set<int> listedRows;
    // Row of the log table that the running job is processing.
    int RowCounter = 0;

    std::string CurrentCall;
    double HomeLat = 0;
    double HomeLon = 0;
    bool UcgMode = false;
    bool MasterLoaded = false;
    int WpxCount = 0;
    QsoMinute FirstQsoMinute = 0;
    QsoMinute PrevMinute = 0;
};

// Counts a failed QSO of the running job and copies log row RowCounter into
// the error list at row BadQsoCount. A row already listed is not counted or
// listed again until the list is emptied.
void Bad_QSO(AppState& s);
// What closing the error window does: counter to 0, list emptied.
void resetErrorList(AppState& s);
