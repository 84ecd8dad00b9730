#pragma once
// The column model of the log table and the helpers every command shares:
// the QSO minute, the band of a frequency, column fitting and the decision of
// how each log cell is painted.

#include "main/keoe_grid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum TLogColumn : int {
    lcNumber = 0, lcCont, lcDXCC, lcWAZ, lcITU, lcWPX, lcRUS, lcMaster, lcOperator, lcA, lcK,
    lcBand, lcKHz, lcMode, lcDate, lcTime, lcCallsign, lcQSO, lcPts, lcTX,
    LogColumnCount
};

const std::vector<std::string>& logColumnTitles();
const std::array<int, LogColumnCount>& logColumnBaseWidths();
// Width of each log column for a table of the given width:
// round(base * width / 761) - 1, halves to even.
std::vector<int> logColumnWidths(int tableWidth);

// Sets up a grid as the log table: 20 columns, titles, one empty data row.
void initLogGrid(TKeoEGrid& grid);

// Minutes since 1900-01-01 00:00. Wide because a mistyped year may be as
// large as 9999.
using QsoMinute = std::int64_t;

// QSO minute of a log row: whole days from 1900-01-01 to the row's date
// (year, month and day all count, so a log over a month's or a year's end
// keeps its order) * 1440 + hour * 60 + minute; 0 becomes 1. Row 0 gives
// prevMinute + 1. Throws std::invalid_argument naming the cell ("'19h03' is
// not a valid time") when the date or the time does not read.
QsoMinute get_time_for_qso(const TKeoEGrid& log, int row, QsoMinute prevMinute);

// The same minute without throwing: nullopt for a row (from 1) whose date or
// time does not read; why, when given, then says which cell.
std::optional<QsoMinute> tryQsoMinute(const TKeoEGrid& log, int row, std::string* why = nullptr);

// The six contest bands. Every command that needs the band of a frequency
// asks these functions, so that all tables agree on where a band ends.
inline constexpr int ContestBandCount = 6;
// Band 1..6 ("160", "80", "40", "20", "15", "10") of a frequency in kHz by
// the whole frequency and today's band plan: 1800-2000, 3500-4000,
// 7000-7300, 14000-14350, 21000-21450 and 28000-29700 kHz, bounds included.
// 0 outside them (144300 kHz is 2 m, not 20 m).
int bandOfKHz(double kHz);
// "160" .. "10" for band 1..6, empty for anything else.
std::string contestBandName(int band);
// The band name of a frequency, empty outside the six bands.
std::string Freq_to_band(double kHz);
// The frequency in kHz of a "kHz" cell: the kHz the readers store, or the
// band designator a Cabrillo log gives above 30 MHz, in MHz ("50", "70",
// "144", "222", "432", "902") or GHz ("1.2G", "10G"). False for a text that
// is no number.
bool kHzOfCell(const std::string& cell, double& kHz);
// Band 1..6 of a "kHz" cell, 0 when it lies off the six bands or is no number.
int bandOfKHzCell(const std::string& cell);
// What tells two QSOs' bands apart in keys and comparisons: the band name on
// the six bands, else the whole MHz + " MHz" ("50 MHz", "144 MHz"), else the
// trimmed cell text itself.
std::string bandKeyOfKHzCell(const std::string& cell);

// Column fitting: measure gives the pixel width of a text.
std::vector<int> AutoSizeGridColumn(const TKeoEGrid& grid, const std::function<int(const std::string&)>& measure,
                                    int gridLineWidth, int gridWidth);

// Colours as 0xBBGGRR.
namespace zemcolor {
constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF, Red = 0x0000FF, Blue = 0xFF0000, Green = 0x008000,
                        Lime = 0x00FF00, Yellow = 0x00FFFF, Silver = 0xC0C0C0, Aqua = 0xFFFF80,
                        LightRed = 0x8080FF, Green2 = 0x64FD7E, Green3 = 0x7AE78D, Green4 = 0x8FD19C,
                        Green5 = 0xABB6AD;
}

// One drawing step of a log cell, in cell coordinates (0,0 = the cell's top left).
struct LogPaintOp {
    enum Kind { Fill, Text, Logo } kind = Fill;
    std::uint32_t brush = 0;     // fill colour / opaque text background
    std::uint32_t font = 0;      // text colour
    bool bold = false;
    int x = 0, y = 0;
    std::string text;
    bool operator==(const LogPaintOp&) const = default;
};

// The text colour to draw on a background: the one asked for, or black or
// white (whichever reads better) when it would hardly show on it.
std::uint32_t readableInk(std::uint32_t brush, std::uint32_t font);

// The painting rules of the log table for one cell. Brush and font start as
// the grid left them (stateBrush, black font, regular).
std::vector<LogPaintOp> log_gridDrawCell(const TKeoEGrid& log, int aCol, int aRow, std::uint32_t stateBrush);
