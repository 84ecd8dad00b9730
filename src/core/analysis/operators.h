#pragma once
// Per-operator counts of a multi-operator log: QSOs in total and per band,
// the table of the operator chooser and its chart.

#include "analysis/chart_data.h"
#include "main/keoe_grid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct OperatorCount {
    std::string op; // the "Operator" text; empty for QSOs that carry none
    int total = 0;
    std::array<int, 6> bands{}; // 160, 80, 40, 20, 15, 10
};

// One entry per distinct "Operator" value of the log in case-insensitive
// order (values differing only in case are one operator, spelt as first
// met). Bands come from the "band" column; a QSO outside the six bands
// counts in its operator's total only. No limit on the number of operators.
std::vector<OperatorCount> operatorCounts(const TKeoEGrid& log);

// Columns of the operator table; "Total QSO" is column 2, the bands 160 .. 10
// columns 3 .. 8.
inline constexpr int OperatorTotalColumn = 2;
void initOperatorTable(TKeoEGrid& table);

// Fills the operator table: one row per operator, sorted descending by
// "Total QSO", "#" numbering the sorted rows.
void fillOperatorTable(const TKeoEGrid& log, TKeoEGrid& table);

// The chart's name for the QSOs that carry no operator (the table's row
// with an empty "Callsign").
inline constexpr const char* NoOperatorLabel = "(none)";

// "QSO vs. Op.": the chart already cleared, one vertical bar of Series1 per
// table row (in table order) with the integer of column `column` (2 .. 8)
// and the operator (NoOperatorLabel for none) as label, each bar coloured by
// randomColor. Throws
// std::invalid_argument when a cell is no integer.
void operatorChart(const TKeoEGrid& table, int column, const std::string& logTitle, ChartData& chart,
                   const std::function<std::uint32_t()>& randomColor);
