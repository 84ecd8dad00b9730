#include "analysis/chart_data.h"

#include "main/log_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

void ChartSeries::Add(double value, std::string label)
{
    points.push_back({static_cast<double>(points.size()), value, std::move(label), 0, false});
}

void ChartSeries::Add(double value, std::string label, std::uint32_t c)
{
    points.push_back({static_cast<double>(points.size()), value, std::move(label), c, true});
}

void ChartSeries::AddXY(double x, double y, std::string label) { points.push_back({x, y, std::move(label), 0, false}); }

void ChartSeries::AddXY(double x, double y, std::string label, std::uint32_t c)
{
    points.push_back({x, y, std::move(label), c, true});
}

ChartSeries& ChartData::Series(const std::string& name)
{
    for (auto& s : series)
        if (s.name == name) return s;
    throw std::out_of_range("No chart series " + name);
}

const ChartSeries& ChartData::Series(const std::string& name) const
{
    return const_cast<ChartData*>(this)->Series(name);
}

ChartData makeAnalysisChart()
{
    using K = ChartSeriesKind;
    namespace c = zemcolor;
    ChartData d;
    auto add = [&](const char* name, K kind, std::uint32_t color) -> ChartSeries& {
        ChartSeries s;
        s.name = name;
        s.kind = kind;
        s.color = color;
        d.series.push_back(std::move(s));
        return d.series.back();
    };
    add("Series1", K::VerticalBars, c::Red).marksVisible = true;
    auto& s2 = add("Series2", K::FastLine, c::Blue);
    s2.marksVisible = true;
    s2.inLegend = false;
    add("Series6", K::HorizontalBars, c::Yellow).marksVisible = true;
    add("Series10", K::StairsLine, c::Blue).pointSize = 2;
    add("Series12", K::Line, c::White);
    auto& s11 = add("Series11", K::StairsLine, c::Black);
    s11.onRightAxis = true;
    s11.penWidth = 4;
    s11.inLegend = false;
    auto& s13 = add("Series13", K::Points, c::Green);
    s13.pointSize = 7;
    d.bottom.labelsTurned = true;
    d.right.automatic = false;
    d.right.minimum = 0;
    d.right.maximum = 10;
    d.right.increment = 1;
    clear_all_series(d);
    return d;
}

void clear_all_series(ChartData& chart)
{
    for (auto& s : chart.series) s.Clear();
    chart.right.title.clear();
    chart.left.title.clear();
    chart.left.increment = 0;
    chart.right.visible = false;
    chart.bottom.title.clear();
    chart.title = kAnalysisChartTitle;
    for (auto& s : chart.series)
        if (s.name == "Series2") s.marksVisible = false;
}

ChartData makePercentBarChart(const std::string& title, ChartSeriesKind kind)
{
    ChartData d;
    d.title = title;
    ChartSeries s;
    s.name = "Series1";
    s.kind = kind;
    s.color = zemcolor::Red;
    s.marksVisible = true;
    s.percentMarks = true;
    s.inLegend = false;
    d.series.push_back(std::move(s));
    d.right.visible = false;
    return d;
}

double roundTickStep(double span, int maxIntervals, bool wholeNumbers)
{
    if (!(span > 0) || !std::isfinite(span)) return 1;
    maxIntervals = std::max(1, maxIntervals);
    const double raw = span / maxIntervals;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (power * m >= raw * (1 - 1e-9)) {
            step = power * m;
            break;
        }
    return wholeNumbers ? std::max(1.0, step) : step;
}

MultiBar nextMultiBar(MultiBar m)
{
    switch (m) {
    case MultiBar::None: return MultiBar::Side;
    case MultiBar::Side: return MultiBar::Stacked;
    case MultiBar::Stacked: return MultiBar::Stacked100;
    case MultiBar::Stacked100: return MultiBar::None;
    }
    return MultiBar::None;
}
