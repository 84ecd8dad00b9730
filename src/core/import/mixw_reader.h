#pragma once
// The MixW2 reader: one QSO per line, fields separated by ";" (and by runs of
// blanks, as in the Cabrillo reader's splitting).
//
// Unlike the Cabrillo reader it does not reset the program: the caller clears
// only the log table (the reader does that) and chains the log folder and the
// analysis. The reader starts the header afresh (resetLogHeader: the
// category is "No category", the log names none), fills log_grid (columns
// "#", "kHz", "Mode", "Date", "Time" and "Callsign"), sets StationCall (from
// the last QSO line), ContestName ("MixW2 Log") and LogYear (from the first
// QSO's date), sets QsoCount and RowCounter and sets OutputDir to the
// absolute folder of the file. A QSO line that lacks a field the log table
// needs stays in the log with that cell empty and is listed in the
// processing-error list.

#include "main/app_state.h"

#include <string>

inline constexpr const char* kMixwContestName = "MixW2 Log";

// Loads the file into s and returns the number of QSOs read. Throws
// std::runtime_error naming the file when it cannot be read.
int readMixwLog(AppState& s, const std::string& path);
