#include "reports/print_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<PrintLabel> detailLabels(const std::vector<int>& colWidths, int bandWidth)
{
    std::vector<PrintLabel> labels;
    labels.reserve(colWidths.size());
    double sum = 0;
    for (int w : colWidths) sum += std::max(0, w);
    const bool equal = sum <= 0;
    int left = 0;
    for (int w : colWidths) {
        const double share = equal ? static_cast<double>(bandWidth) / static_cast<double>(colWidths.size())
                                   : std::max(0, w) * static_cast<double>(bandWidth) / sum;
        const int width = std::max(0, static_cast<int>(std::nearbyint(share)) - kLabelWidthCut);
        labels.push_back({left, width});
        left += width + kLabelGap;
    }
    return labels;
}

int rowsPerPage(double pageHeight, double headerHeight, double rowHeight)
{
    if (rowHeight <= 0) return 1;
    return std::max(1, static_cast<int>(std::floor((pageHeight - headerHeight) / rowHeight)));
}

std::vector<std::vector<int>> paginateRows(int rowCount, int titleRows, int perPage)
{
    perPage = std::max(1, perPage);
    titleRows = std::clamp(titleRows, 0, std::max(0, rowCount));
    const bool repeat = titleRows > 0 && titleRows < perPage;
    std::vector<std::vector<int>> pages;
    int next = 0;
    while (next < rowCount) {
        std::vector<int> page;
        if (repeat && next >= titleRows)
            for (int r = 0; r < titleRows; ++r) page.push_back(r);
        while (static_cast<int>(page.size()) < perPage && next < rowCount) page.push_back(next++);
        pages.push_back(std::move(page));
    }
    if (pages.empty()) pages.emplace_back();
    return pages;
}

double printScale(double printerDpi, double pageWidthDevice, double contentWidth)
{
    double scale = printerDpi > 0 ? printerDpi / kScreenDpi : 1.0;
    if (contentWidth > 0 && pageWidthDevice > 0) scale = std::min(scale, pageWidthDevice / contentWidth);
    return scale;
}

bool isLightCell(const TKeoEGrid& grid, int col, int row, const std::vector<int>& lightRows,
                 const std::vector<int>& lightCols)
{
    if (row < grid.FixedRows() || col < grid.FixedCols()) return true;
    return std::find(lightRows.begin(), lightRows.end(), row) != lightRows.end() ||
           std::find(lightCols.begin(), lightCols.end(), col) != lightCols.end();
}

std::string printedCellText(const std::string& cell) { return " " + cell; }

int callsignListRows(int count) { return count <= 0 ? 0 : (count + 9) / 10; }

TKeoEGrid callsignListGrid(const std::vector<std::string>& calls)
{
    const int n = static_cast<int>(calls.size());
    TKeoEGrid grid(10, callsignListRows(n), 0, 0);
    for (int i = 0; i < n; ++i) grid.SetCell(i % 10, i / 10, calls[static_cast<size_t>(i)]);
    return grid;
}

std::vector<int> printColumnWidths(const TKeoEGrid& grid, const std::function<int(const std::string&)>& measure)
{
    std::vector<int> widths(static_cast<size_t>(std::max(0, grid.ColCount())), 0);
    for (int c = 0; c < grid.ColCount(); ++c) {
        int w = 0;
        for (int r = 0; r < grid.RowCount(); ++r) w = std::max(w, measure(printedCellText(grid.Cell(c, r))));
        widths[static_cast<size_t>(c)] = 1 + w + 4;
    }
    return widths;
}
