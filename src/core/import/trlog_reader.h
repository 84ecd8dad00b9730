#pragma once
// The TR Log reader: fills the log table and the log header from a TR Log
// ".DAT" file, whose QSO lines hold their fields at fixed character columns.
//
// The caller resets the shared state before calling and chains what follows
// a load itself (log folder, analysis, reopen list), as for the Cabrillo
// reader. The reader starts the header afresh (resetLogHeader), then sets StationCall, ContestName, Category ("TR Log file")
// and LogYear from line 1, fills log_grid (columns "#", "kHz", "Mode",
// "Date", "Time" and "Callsign"), sets QsoCount and RowCounter, and sets
// OutputDir to the absolute folder of the file.

#include "main/app_state.h"

#include <string>

inline constexpr const char* kTrLogCategory = "TR Log file";

// TR Log keeps its country file and its configuration beside its logs, with
// the same extension: a file named exactly "cty.dat" or "logcfg.dat" is one
// of those, and the reader leaves it (and the loaded log) alone.
bool isTrLogConfigFile(const std::string& path);

// Loads the file into s and returns the number of QSOs read. Throws
// std::runtime_error naming the file when it cannot be read.
int readTrLog(AppState& s, const std::string& path);
