#pragma once
// The analysis pass over the log table: it annotates every QSO (continent,
// normalised kHz, band, new DXCC / WAZ / ITU / WPX / oblast marks, calls
// missing from the master file) and builds the Summary table and the data of
// its percentage chart.

#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCty_search;
class TMasterCallDB;

// Columns of the Summary table.
enum TSummaryColumn : int {
    scBand = 0, scQSO, scQSOPct, scCW, scCWPct, scSSB, scSSBPct, scRTTY, scRTTYPct, scTime, scTimePct,
    scQSOPerMin, scMoves, scMovesPct, scDXCC, scWAZ, scITU, scOblasts, scPoints,
    SummaryColumnCount
};
constexpr int SummaryBandCount = 6;
constexpr int SummaryTotalRow = 7;

// "160", "80", "40", "20", "15", "10": band 1..6 is BandNames()[band - 1].
const std::array<std::string, SummaryBandCount>& BandNames();
// One series of the Summary chart: a bar per band, labelled with its name.
struct SummaryChartSeries {
    std::string Name;
    std::uint32_t Color = 0; // 0xBBGGRR
    std::vector<std::string> Labels;
    std::vector<double> Values;
};

// What the ui draws as the Summary chart (bars, value marks shown, legend at
// the bottom listing the series).
struct SummaryChartData {
    std::string Title;
    std::string BottomAxisTitle = "Bands";
    std::string LeftAxisTitle = "Percents";
    bool MarksVisible = true;
    std::vector<SummaryChartSeries> Series; // "QSO`s" (blue), "Time" (red), "Moves" (yellow)
};

// The Summary page's data, owned by the main window.
struct SummaryPage {
    SummaryPage();
    TKeoEGrid Summary_Grid;
    SummaryChartData Chart_sum;
};

// Sets up a grid as the Summary table: 19 columns, 8 rows, titles in row 0,
// centred, every other cell empty.
void initSummaryGrid(TKeoEGrid& grid);

// What went wrong on single QSOs during the pass. Each such QSO is also
// copied into the processing-error list (Bad_QSO) once.
struct AnalysisPassReport {
    // Messages of cells that are not whole numbers ("kHz", "Pts."), dates or
    // times that do not convert, and country records whose numbers do not
    // convert, each with its log row: "Row 12: 'x14' is not a valid integer value".
    std::vector<std::string> ConversionErrors;
};

// Called every 100 rows while a log of 500 QSOs or more is processed.
using AnalysisProgress = std::function<void(int row, int qsoCount)>;

// The pass and the Summary. Reads and annotates s.log_grid; sets s.WpxCount,
// s.PrevMinute, s.CurrentCall, s.RowCounter; adds failing QSOs to the
// processing-error list. master may be nullptr; the master-file check runs
// only when markNotInMaster is on and master is loaded. A log with no QSO
// (header.QsoCount < 1) is not walked and gives an all-zero Summary.
AnalysisPassReport Process_log_and_summary(AppState& s, TCty_search& cty, const TMasterCallDB* master,
                                           bool markNotInMaster, SummaryPage& page,
                                           const AnalysisProgress& progress = {});

// How one Summary cell is painted over the grid's own drawing.
struct SummaryCellPaint {
    bool paint = false;      // fill the cell with the brush and write its text at the top-left corner
    bool buttonFace = false; // the brush is the button-face colour (else the brush the grid left)
    bool bold = false;
    std::string text;
    bool operator==(const SummaryCellPaint&) const = default;
};
SummaryCellPaint Summary_GridDrawCell(const TKeoEGrid& grid, int aCol, int aRow);

// Three decimals after rounding to three significant digits (12.3456 ->
// "12.300", 0.56789 -> "0.568").
std::string formatQsoPerMinute(double v);
