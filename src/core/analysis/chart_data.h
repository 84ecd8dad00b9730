#pragma once
// Charts as plain data: what a chart command computes (series of points with
// labels and colours, axis titles, the chart's title) before any drawing.
// The ui draws a ChartData with the chart component; tests read it directly.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class ChartSeriesKind { VerticalBars, HorizontalBars, FastLine, Line, StairsLine, Points };

struct ChartPoint {
    double x = 0;
    double y = 0;
    std::string label;
    std::uint32_t color = 0; // 0xBBGGRR; ignored when !hasColor
    bool hasColor = false;   // false: drawn in the series' colour
    bool operator==(const ChartPoint&) const = default;
};

struct ChartSeries {
    std::string name; // how the commands find the series; never shown
    ChartSeriesKind kind = ChartSeriesKind::FastLine;
    std::uint32_t color = 0; // 0xBBGGRR
    bool marksVisible = false;
    bool percentMarks = false; // marks give each value's share of the series' total
    // Bars in colours of their own list their labels in the legend; a series
    // has no name a user knows and is never listed itself.
    bool inLegend = true;
    bool onRightAxis = false;
    int penWidth = 1;
    int pointSize = 0; // 0: no point symbols
    std::vector<ChartPoint> points;

    void Clear() { points.clear(); }
    // A value at the next place (x = 0, 1, 2, ...).
    void Add(double value, std::string label = {});
    void Add(double value, std::string label, std::uint32_t color);
    void AddXY(double x, double y, std::string label = {});
    void AddXY(double x, double y, std::string label, std::uint32_t color);
    bool operator==(const ChartSeries&) const = default;
};

struct ChartAxis {
    std::string title;
    bool visible = true;
    double increment = 0; // 0: automatic
    bool automatic = true;
    double minimum = 0, maximum = 0; // used when !automatic
    bool labelsTurned = false;       // labels written upwards
    bool operator==(const ChartAxis&) const = default;
};

struct ChartData {
    std::string title;
    ChartAxis left, bottom, right;
    std::vector<ChartSeries> series;

    // The series of that name; throws std::out_of_range for an unknown name.
    ChartSeries& Series(const std::string& name);
    const ChartSeries& Series(const std::string& name) const;
    bool operator==(const ChartData&) const = default;
};

// Progress of a long command over the log: the log row reached and the log's row count.
using ChartProgress = std::function<void(int row, int rowCount)>;

// The title a cleared analysis chart shows.
inline constexpr const char* kAnalysisChartTitle = "ZEM Log Analysis";

// The analysis chart of the Charts page as designed: its seven series
// ("Series1", "Series2", "Series6", "Series10", "Series12", "Series11",
// "Series13") with their kinds and looks, the right axis as the fixed K-index
// scale 0..10, then cleared.
ChartData makeAnalysisChart();

// Resets the analysis chart for the next command: every series emptied, the
// right, left and bottom axis titles emptied, the left increment automatic,
// the right axis hidden, the title "ZEM Log Analysis", the marks of Series2
// hidden. (Undoing the zoom is the view's part.)
void clear_all_series(ChartData& chart);

// A one-series bar chart whose marks give percentages, in red.
ChartData makePercentBarChart(const std::string& title, ChartSeriesKind kind);

// The distance between axis ticks: 1, 2 or 5 times a power of ten, the
// smallest that cuts the span into at most maxIntervals parts; at least 1
// when the axis counts whole things.
double roundTickStep(double span, int maxIntervals, bool wholeNumbers);

// Bar layouts of a chart with several bar series, in the order a click steps
// through them.
enum class MultiBar { None, Side, Stacked, Stacked100 };
MultiBar nextMultiBar(MultiBar m);
