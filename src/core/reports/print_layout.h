#pragma once
// Geometry of a printed table: the framed labels of one detail row, the rows
// of each page, the scale from screen pixels to the printer, and the grid a
// list of callsigns is printed from. Units are screen pixels unless named.

#include "main/keoe_grid.h"

#include <functional>
#include <string>
#include <vector>

// Width of the detail band that the columns share, and the gaps between labels.
inline constexpr int kDetailBandWidth = 1050;
inline constexpr int kLabelWidthCut = 7;
inline constexpr int kLabelGap = 2;
// Height of the page header band.
inline constexpr int kPageHeaderHeight = 50;
// The resolution the layout's pixels are measured in.
inline constexpr double kScreenDpi = 96.0;

struct PrintLabel {
    int left = 0;
    int width = 0;
    bool operator==(const PrintLabel&) const = default;
};

// One label per column: width round(w * 1050 / sum of widths) - 7, left the
// previous label's left + width + 2. A label is never narrower than 0, and
// columns whose widths sum to nothing share the band equally.
std::vector<PrintLabel> detailLabels(const std::vector<int>& colWidths, int bandWidth = kDetailBandWidth);

// Widths for the columns of a printed table, in proportion to their texts as
// printed (printedCellText): 1 + the widest text of the column + 4. Every row
// is measured, so that the totals at the foot of a table are never cut.
// measure gives the pixel width of a text.
std::vector<int> printColumnWidths(const TKeoEGrid& grid, const std::function<int(const std::string&)>& measure);

// Detail rows that fit below the page header; at least one, so a page always
// makes progress.
int rowsPerPage(double pageHeight, double headerHeight, double rowHeight);

// The grid rows printed on each page, in order. The first titleRows rows (the
// column titles) open every page; they are not repeated when they would fill
// the page by themselves. A grid without rows gives one empty page.
std::vector<std::vector<int>> paginateRows(int rowCount, int titleRows, int rowsPerPage);

// Device pixels per layout pixel: the printer's resolution over the screen's,
// made smaller when the content would not fit the page's width.
double printScale(double printerDpi, double pageWidthDevice, double contentWidth);

// Whether a cell prints in the light style: a title row or fixed column, or
// a row or column listed as light.
bool isLightCell(const TKeoEGrid& grid, int col, int row, const std::vector<int>& lightRows,
                 const std::vector<int>& lightCols);

// What a label shows for a cell: the text after one blank.
std::string printedCellText(const std::string& cell);

// Rows of a callsign list printed ten to a row: the last row holds the rest.
int callsignListRows(int count);
// The callsigns in list order, ten per row from row 0; no fixed row or
// column, 10 columns.
TKeoEGrid callsignListGrid(const std::vector<std::string>& calls);
inline constexpr int kCallsignListColumnWidth = 30;
