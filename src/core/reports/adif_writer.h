#pragma once
// The log as an ADIF file: a free-text header ended by "<EOH>", then one line
// per row of the log table with its fields in fixed-width columns, ended by
// "<EOR>". Only the log table and the log header are read.

#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <ostream>
#include <string>

inline constexpr const char* kProgramName = "ZEM Log Analysis";
inline constexpr const char* kProgramVersion = "Version 1.0";

// The line of log row `row`. A field's length is always the length of the
// value written; a piece longer than its column keeps its whole text (only
// the padding is dropped), so that every length agrees with its value.
std::string adifQsoLine(const TKeoEGrid& log, int row, const std::string& contestName);

// The whole file: header (program name, version, originalFile, LogTitle,
// QsoCount) and every row from 1 to RowCount - 1.
void writeAdif(std::ostream& out, const TKeoEGrid& log, const LogHeader& h, const std::string& originalFile);

// Writes the file chosenName + ".adi" (".adi" is always appended) and returns
// its name. Throws std::runtime_error naming the file when it cannot be
// created or written.
std::string exportAdif(const std::string& chosenName, const TKeoEGrid& log, const LogHeader& h,
                       const std::string& originalFile);
