#pragma once
// The Top Ten chart of the country tables, drawn on the analysis chart.

#include "analysis/chart_data.h"
#include "analysis/country_tables.h"

class AnalysisChartView;

// Red horizontal bars, one per place in place order, value marks on the
// bars, the value axis at the bottom.
ChartData topTenChartData(const TopTenChart& data);
// Replaces what the chart shows with the Top Ten chart; undoes any zoom.
void drawTopTen(AnalysisChartView* view, const TopTenChart& data);
