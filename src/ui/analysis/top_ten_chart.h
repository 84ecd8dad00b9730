#pragma once
// The Top Ten chart of the country tables, drawn on the analysis chart.

#include "analysis/country_tables.h"

class QChartView;

// Replaces what the chart shows with red horizontal bars, one per place in
// place order, value marks on the bars, the value axis at the bottom. Undoes
// any zoom.
void drawTopTen(QChartView* view, const TopTenChart& data);
