#pragma once
// Painting of the Summary table's cells over the grid's own drawing: the
// percentage columns on the button face, the QSO, CW and SSB counts in bold.

#include "main/keoe_grid.h"

#include <QFont>
#include <QPalette>
#include <QRect>

class QPainter;
class TextWidths;

// For the OnDrawCell hook of the Summary grid view; row is the core grid's
// row (0 = titles). A selected cell keeps the highlight under its text.
void paintSummaryCell(QPainter& p, const QRect& r, const TKeoEGrid& grid, int col, int row, const QPalette& palette,
                      bool selected = false);

// Width the painting of a Summary cell needs, its text measured by the
// widths given (bold where drawn bold), margins included; 0 for a cell it
// leaves to the grid.
int summaryCellWidth(const TKeoEGrid& grid, int col, int row, const TextWidths& widths);
