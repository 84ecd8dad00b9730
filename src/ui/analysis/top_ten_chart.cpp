#include "analysis/top_ten_chart.h"

#include "analysis/analysis_chart_view.h"
#include "main/log_table.h"

ChartData topTenChartData(const TopTenChart& data)
{
    ChartData chart;
    chart.title = data.Title;
    chart.left.title = data.LeftAxisTitle;
    chart.bottom.title = data.BottomAxisTitle;
    chart.right.visible = false;
    ChartSeries bars;
    bars.name = "Series6";
    bars.kind = ChartSeriesKind::HorizontalBars;
    bars.color = zemcolor::Red;
    bars.marksVisible = true;
    bars.inLegend = false;
    for (const TopTenBar& b : data.Bars) bars.Add(b.Value, b.Label);
    chart.series.push_back(std::move(bars));
    return chart;
}

// Drawn by the chart's own renderer, so the chart settings apply to it and
// the chart keeps its axes for the next command.
void drawTopTen(AnalysisChartView* view, const TopTenChart& data)
{
    view->undoZoom();
    view->setData(topTenChartData(data));
}
