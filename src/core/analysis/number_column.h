#pragma once
// The log table's "#" column after the band-change rule has marked it.

#include "main/keoe_grid.h"

// Rewrites the "#" cell of rows 1..qsoCount as the plain number it holds
// ("+12" becomes "12"). A cell that is not a whole number throws
// std::invalid_argument; the rows before it keep their new text.
void clearBandChangeMarks(TKeoEGrid& log, int qsoCount);
