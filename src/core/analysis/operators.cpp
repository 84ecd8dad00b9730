#include "analysis/operators.h"

#include "analysis/analysis_pass.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <map>
#include <stdexcept>

namespace {

struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return zem::upperAscii(a) < zem::upperAscii(b);
    }
};

int bandIndex(const std::string& band)
{
    const auto& names = BandNames();
    for (size_t b = 0; b < names.size(); ++b)
        if (band == names[b]) return static_cast<int>(b);
    return -1;
}

} // namespace

std::vector<OperatorCount> operatorCounts(const TKeoEGrid& log)
{
    std::map<std::string, OperatorCount, CaseLess> byOp;
    for (int r = 1; r < log.RowCount(); ++r) {
        if (log.IsRowEmpty(r)) continue; // the blank row of a table without a log
        const std::string& op = log.Cell(lcOperator, r);
        auto it = byOp.find(op);
        if (it == byOp.end()) it = byOp.emplace(op, OperatorCount{op}).first;
        OperatorCount& c = it->second;
        ++c.total;
        const int b = bandIndex(log.Cell(lcBand, r));
        if (b >= 0) ++c.bands[static_cast<size_t>(b)];
    }
    std::vector<OperatorCount> out;
    out.reserve(byOp.size());
    for (auto& [key, c] : byOp) out.push_back(std::move(c));
    return out;
}

void initOperatorTable(TKeoEGrid& table)
{
    table.SetColCount(9);
    table.SetHeader({"#", "Callsign", "Total QSO", "160", "80", "40", "20", "15", "10"});
    table.ClearGrid();
}

void fillOperatorTable(const TKeoEGrid& log, TKeoEGrid& table)
{
    TKeoEGrid::BatchUpdate batch(table);
    initOperatorTable(table);
    const auto counts = operatorCounts(log);
    table.SetRowCount(static_cast<int>(counts.size()) + 1);
    int row = 0;
    for (const OperatorCount& c : counts) {
        std::vector<std::string> cells = {"", c.op, std::to_string(c.total)};
        for (int n : c.bands) cells.push_back(std::to_string(n));
        table.WriteRow(++row, cells);
    }
    if (counts.empty()) return;
    table.SortInteger(OperatorTotalColumn, 0);
    for (int r = 1; r < table.RowCount(); ++r) table.SetCell(0, r, std::to_string(r));
}

void operatorChart(const TKeoEGrid& table, int column, const std::string& logTitle, ChartData& chart,
                   const std::function<std::uint32_t()>& randomColor)
{
    if (column < OperatorTotalColumn || column > OperatorTotalColumn + 6)
        throw std::invalid_argument("No column " + std::to_string(column) + " in the operator table");
    ChartSeries& bars = chart.Series("Series1");
    bars.kind = ChartSeriesKind::VerticalBars;
    for (int r = 1; r < table.RowCount(); ++r) {
        if (table.IsRowEmpty(r)) continue;
        // The QSOs without an operator need a name on the axis and in the legend.
        const std::string& op = table.Cell(1, r);
        bars.Add(zem::toInt(table.Cell(column, r)), op.empty() ? NoOperatorLabel : op, randomColor());
    }
    chart.left.title = "QSOs";
    chart.bottom.title = "Callsign";
    const std::string bandText =
        column == OperatorTotalColumn ? "All bands" : BandNames()[static_cast<size_t>(column - 3)] + " meters";
    chart.title = std::string("ZEM Log Analysis.") + "QSO vs. Op." + " " + bandText + ". " + logTitle;
}
