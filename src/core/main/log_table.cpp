#include "main/log_table.h"

#include "main/text_util.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <stdexcept>

const std::vector<std::string>& logColumnTitles()
{
    static const std::vector<std::string> t = {"#", "Cont.", "DXCC", "WAZ", "ITU", "WPX", "RUS", "Master", "Operator",
                                               "a", "k", "band", "kHz", "Mode", "Date", "Time", "Callsign", "QSO",
                                               "Pts.", "TX"};
    return t;
}

const std::array<int, LogColumnCount>& logColumnBaseWidths()
{
    static const std::array<int, LogColumnCount> w = {40, 30, 45, 35, 35, 35, 30, 45, 55, 20,
                                                      20, 35, 40, 35, 65, 35, 75, 35, 30, 20};
    return w;
}

std::vector<int> logColumnWidths(int tableWidth)
{
    std::vector<int> out;
    for (int b : logColumnBaseWidths())
        out.push_back(static_cast<int>(zem::roundHalfEven(b * static_cast<double>(tableWidth) / 761.0)) - 1);
    return out;
}

void initLogGrid(TKeoEGrid& grid)
{
    grid.SetColCount(LogColumnCount);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.DefaultRowHeight = 15;
    grid.FixedColor = zemcolor::Aqua;
    grid.Alignment = TAlignment::Center;
    grid.SetHeader(logColumnTitles());
    grid.ClearGrid();
}

namespace {

// A date or time field read as zem::toInt reads it (blanks around, a leading
// "+"), without an exception: the time-line commands ask for every row.
bool readField(const std::string& s, size_t from, size_t len, int& out)
{
    if (from >= s.size()) return false;
    const std::string t = zem::trim(std::string_view(s).substr(from, len));
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (b != e && *b == '+') ++b;
    long long v = 0;
    const auto [p, ec] = std::from_chars(b, e, v);
    if (b == e || ec != std::errc() || p != e || v < INT32_MIN || v > INT32_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

std::optional<QsoMinute> tryQsoMinute(const TKeoEGrid& log, int row, std::string* why)
{
    const std::string& date = log.Cell(lcDate, row);
    const std::string& time = log.Cell(lcTime, row);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (!readField(date, 0, 4, year) || !readField(date, 5, 2, month) || !readField(date, 8, 2, day)) {
        if (why) *why = "'" + date + "' is not a valid date";
        return std::nullopt;
    }
    if (!readField(time, 0, 2, hour) || !readField(time, 2, 2, minute)) {
        if (why) *why = "'" + time + "' is not a valid time";
        return std::nullopt;
    }
    static const long epoch = zem::daysFromCivil(1900, 1, 1);
    // A month outside 1..12 rolls into the neighbouring years, as day 0 rolls
    // into the previous month, so any two-digit field still gives a minute.
    const int monthIndex = month - 1;
    const int yearShift = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    const long days = zem::daysFromCivil(year + yearShift, monthIndex - yearShift * 12 + 1, 1) + (day - 1) - epoch;
    const QsoMinute r = static_cast<QsoMinute>(days) * 1440 + hour * 60 + minute;
    return r == 0 ? 1 : r;
}

QsoMinute get_time_for_qso(const TKeoEGrid& log, int row, QsoMinute prevMinute)
{
    if (row == 0) return prevMinute + 1;
    std::string why;
    if (const auto m = tryQsoMinute(log, row, &why)) return *m;
    throw std::invalid_argument(why);
}

int bandOfKHz(double kHz)
{
    static constexpr struct { double low, high; } plan[ContestBandCount] = {
        {1800, 2000}, {3500, 4000}, {7000, 7300}, {14000, 14350}, {21000, 21450}, {28000, 29700}};
    for (int b = 0; b < ContestBandCount; ++b)
        if (kHz >= plan[b].low && kHz <= plan[b].high) return b + 1;
    return 0;
}

std::string contestBandName(int band)
{
    static const char* const names[ContestBandCount] = {"160", "80", "40", "20", "15", "10"};
    return band >= 1 && band <= ContestBandCount ? names[band - 1] : std::string();
}

std::string Freq_to_band(double kHz) { return contestBandName(bandOfKHz(kHz)); }

bool kHzOfCell(const std::string& cell, double& kHz)
{
    const std::string t = zem::trim(cell);
    if (t.empty()) return false;
    // Above 30 MHz a Cabrillo log may write the band, not the frequency:
    // "50" .. "902" in MHz, "1.2G" .. "241G" in GHz. Other short numbers are
    // kHz (136 and 475 kHz are bands of their own).
    if (t.back() == 'G' || t.back() == 'g') {
        double ghz = 0;
        if (!zem::tryToDouble(t.substr(0, t.size() - 1), ghz) || ghz <= 0) return false;
        kHz = ghz * 1e6;
        return true;
    }
    double v = 0;
    if (!zem::tryToDouble(t, v)) return false;
    static const char* const mhzDesignators[] = {"50", "70", "144", "222", "432", "902"};
    const bool designator = std::find(std::begin(mhzDesignators), std::end(mhzDesignators), t) != std::end(mhzDesignators);
    kHz = designator ? v * 1000 : v;
    return true;
}

int bandOfKHzCell(const std::string& cell)
{
    double kHz = 0;
    return kHzOfCell(cell, kHz) ? bandOfKHz(kHz) : 0;
}

std::string bandKeyOfKHzCell(const std::string& cell)
{
    double kHz = 0;
    if (!kHzOfCell(cell, kHz)) return zem::trim(cell);
    if (const int band = bandOfKHz(kHz)) return contestBandName(band);
    const double mhz = std::floor(kHz / 1000);
    if (!(std::fabs(mhz) < 1e15)) return zem::trim(cell);
    return std::to_string(static_cast<long long>(mhz)) + " MHz";
}

std::vector<int> AutoSizeGridColumn(const TKeoEGrid& grid, const std::function<int(const std::string&)>& measure,
                                    int gridLineWidth, int gridWidth)
{
    std::vector<int> widths(static_cast<size_t>(grid.ColCount()), 0);
    const int lastRow = static_cast<int>(zem::roundHalfEven((grid.RowCount() - 1) / 2.5));
    double total = 0;
    for (int c = 0; c < grid.ColCount(); ++c) {
        int w = 0;
        for (int r = 0; r <= lastRow && r < grid.RowCount(); ++r) w = std::max(w, measure(grid.Cell(c, r)));
        widths[static_cast<size_t>(c)] = gridLineWidth + w + 4;
        total += widths[static_cast<size_t>(c)];
    }
    if (total <= 0) return widths;
    for (auto& w : widths) w = static_cast<int>(zem::roundHalfEven(w * (gridWidth - 5) / total)) - 2;
    return widths;
}

namespace {

double relativeLuminance(std::uint32_t bgr)
{
    auto channel = [](std::uint32_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(bgr & 0xFF) + 0.7152 * channel((bgr >> 8) & 0xFF) + 0.0722 * channel((bgr >> 16) & 0xFF);
}

double contrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

std::uint32_t readableInk(std::uint32_t brush, std::uint32_t font)
{
    using namespace zemcolor;
    if (contrastRatio(brush, font) >= 3.0) return font;
    return contrastRatio(brush, Black) >= contrastRatio(brush, White) ? Black : White;
}

std::vector<LogPaintOp> log_gridDrawCell(const TKeoEGrid& log, int aCol, int aRow, std::uint32_t stateBrush)
{
    using namespace zemcolor;
    std::vector<LogPaintOp> ops;
    std::uint32_t brush = stateBrush;
    std::uint32_t font = Black;
    bool bold = false;
    const std::string& text = log.Cell(aCol, aRow);
    auto fill = [&] { ops.push_back({LogPaintOp::Fill, brush, font, bold, 0, 0, {}}); };
    // A text never takes the colour of its background: where a rule would
    // draw it so, it is drawn in black or white instead.
    auto draw = [&](const std::string& t, int x = 0, int y = 0) {
        ops.push_back({LogPaintOp::Text, brush, readableInk(brush, font), bold, x, y, t});
    };

    // 1-2: a "+" row is red everywhere, its texts white on the red.
    const std::string& num = log.Cell(lcNumber, aRow);
    if (!num.empty() && num[0] == '+') {
        brush = Red;
        font = White;
    }
    if (aCol > 0 && aRow > 0) {
        fill();
        draw(text);
    }
    if (aRow != 0) {
        // 4: continent
        if (aCol == lcCont) {
            if (text == "EU") brush = Black;
            else if (text == "AS") brush = Red;
            else if (text == "AF") brush = Green;
            else if (text == "OC") brush = Aqua;
            else if (text == "NA") brush = Blue;
            else if (text == "SA") brush = Silver;
            bold = true;
            font = Yellow;
            draw(text);
        }
        // 5-6: dupes and calls missing from the master file
        if (text == "DUPE.") {
            brush = Black;
            font = Yellow;
            draw("DUPE");
        }
        if (text == "NO.") {
            fill(); // "No" replaces the text, not writes over it
            brush = Blue;
            bold = true;
            font = White;
            draw("No");
        }
        // 7: new country
        if (aCol == lcDXCC && !text.empty()) {
            fill();
            brush = Red;
            bold = true;
            font = White;
            draw(text, 17, 1);
        }
        // 8: new oblast, with the contest logo
        if (aCol == lcRUS && !text.empty()) {
            fill();
            ops.push_back({LogPaintOp::Logo, brush, font, bold, 1, 1, {}});
            draw(text, 15, 0);
        }
    }
    // 9: frequency coloured by band (titles too)
    if (aCol == lcKHz) {
        const std::string& band = log.Cell(lcBand, aRow);
        bool known = true;
        if (band == "160") { brush = Black; font = White; }
        else if (band == "80") { brush = Blue; font = White; }
        else if (band == "40") brush = Silver;
        else if (band == "20") brush = Aqua;
        else if (band == "15") brush = LightRed;
        else if (band == "10") brush = Yellow;
        else known = false;
        if (known) draw(text);
    }
    // 10: mode
    if (aCol == lcMode) {
        std::string m = text.substr(0, 2);
        if (m == "CW") { font = Blue; draw("CW"); }
        else if (m == "PH") { font = Red; draw("PH"); }
    }
    // 11: zones, prefix and worked-bands colouring
    if (aRow > 0 && !text.empty()) {
        const std::string padded = " " + text + " ";
        if (aCol == lcWAZ) {
            font = White;
            brush = Black;
            draw(padded);
        } else if (aCol == lcITU) {
            font = White;
            brush = Blue;
            draw(padded);
        } else if (aCol == lcWPX) {
            brush = Lime;
            fill();
            draw(padded, -1, 0);
        } else if (aCol == lcCallsign || aCol == lcQSO) {
            const std::string& q = log.Cell(lcQSO, aRow);
            if (q == "2") brush = Green2;
            else if (q == "3") brush = Green3;
            else if (q == "4") brush = Green4;
            else if (q == "5") brush = Green5;
            else if (q == "6") brush = Yellow;
            fill();
            draw(padded, -1, 0);
        }
    }
    return ops;
}
