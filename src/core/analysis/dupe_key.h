#pragma once
// Which QSOs of the log repeat an earlier one: the same callsign, mode and
// band (bandKeyOfKHzCell of the "kHz" cell), letters compared without regard
// to case. The "DUPE." marks of the QSO column and the scores share this rule.

#include "main/keoe_grid.h"

#include <string>
#include <vector>

// "UA3ABC-CW-20": callsign, "-", mode, "-", the band key of the kHz text,
// upper-cased.
std::string dupeKey(const std::string& call, const std::string& mode, const std::string& kHz);

// One flag per row of the log table (index 0 is the title row, never a dupe):
// true for every QSO whose key an earlier row already had.
std::vector<bool> dupeRows(const TKeoEGrid& log);
