#include "reports/print_layout.h"

#include <gtest/gtest.h>

TEST(DetailLabels, WidthsShareTheBandAndStandTwoApart)
{
    struct Case {
        std::vector<int> widths;
        std::vector<PrintLabel> labels;
    } cases[] = {
        {{60, 140}, {{0, 308}, {310, 728}}},
        {{64}, {{0, 1043}}},
        // Columns of no width still get their equal share, never a division by zero.
        {{0, 0}, {{0, 518}, {520, 518}}},
        // A hidden (negative) width counts as none; a tiny share cuts to 0, not below.
        {{-5, 1000, 1}, {{0, 0}, {2, 1042}, {1046, 0}}},
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(detailLabels(c.widths), c.labels);
}

TEST(PrintColumns, TheTotalsAtTheFootFitTheirLabels)
{
    // A summary-like table filling the band: short figures above, a wider
    // total in the last row of a column with a narrow title.
    const int cols = 16;
    TKeoEGrid g(cols, 8, 1, 1);
    std::vector<std::string> title{"Band", "ITU"}, figures{"10", "3"}, totals{"Total", "18345"};
    title.resize(cols, "moves %");
    figures.resize(cols, "19");
    totals.resize(cols, "100");
    g.WriteRow(0, title);
    for (int r = 1; r < 7; ++r) g.WriteRow(r, figures);
    g.WriteRow(7, totals);
    const auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 6; };
    const auto labels = detailLabels(printColumnWidths(g, measure));
    ASSERT_EQ(labels.size(), static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < g.RowCount(); ++r)
            EXPECT_LE(measure(printedCellText(g.Cell(c, r))), labels[static_cast<size_t>(c)].width - 2)
                << g.Cell(c, r);
}

TEST(Pagination, TitleRowsOpenEveryPage)
{
    // 7 rows, 1 title row, 3 rows a page: titles then two data rows on each later page.
    const std::vector<std::vector<int>> want = {{0, 1, 2}, {0, 3, 4}, {0, 5, 6}};
    EXPECT_EQ(paginateRows(7, 1, 3), want);
    // No title rows: plain slices.
    const std::vector<std::vector<int>> plain = {{0, 1, 2}, {3, 4}};
    EXPECT_EQ(paginateRows(5, 0, 3), plain);
    // Titles that fill a page are not repeated, so the pages still progress.
    const std::vector<std::vector<int>> tall = {{0, 1}, {2, 3}};
    EXPECT_EQ(paginateRows(4, 2, 2), tall);
    EXPECT_EQ(paginateRows(0, 1, 3), std::vector<std::vector<int>>{{}});
}

TEST(Pagination, RowsPerPageAndScale)
{
    EXPECT_EQ(rowsPerPage(750, 50, 17), 41);
    EXPECT_EQ(rowsPerPage(40, 50, 17), 1);
    EXPECT_EQ(rowsPerPage(750, 50, 0), 1);
    // 600 dpi: 6.25 device pixels per screen pixel, unless the page is too narrow.
    EXPECT_DOUBLE_EQ(printScale(600, 10000, 1050), 6.25);
    EXPECT_DOUBLE_EQ(printScale(600, 5250, 1050), 5.0);
    EXPECT_DOUBLE_EQ(printScale(0, 0, 1050), 1.0);
}

TEST(LightCells, FixedTitlesAndListedRowsAndColumns)
{
    TKeoEGrid g(4, 5, 1, 1);
    EXPECT_TRUE(isLightCell(g, 2, 0, {}, {}));
    EXPECT_TRUE(isLightCell(g, 0, 3, {}, {}));
    EXPECT_FALSE(isLightCell(g, 2, 3, {}, {}));
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(isLightCell(g, c, 3, {3}, {}));
    EXPECT_TRUE(isLightCell(g, 2, 4, {}, {2}));
    EXPECT_EQ(printedCellText("DL1AA"), " DL1AA");
    EXPECT_EQ(printedCellText(""), " ");
}

TEST(CallsignList, TenPerRowAndNoEmptyLastRow)
{
    for (auto [n, rows] : {std::pair{0, 0}, {1, 1}, {10, 1}, {11, 2}, {20, 2}, {25, 3}})
        EXPECT_EQ(callsignListRows(n), rows) << n;

    std::vector<std::string> calls;
    for (int i = 0; i < 25; ++i) calls.push_back("C" + std::to_string(i));
    const TKeoEGrid g = callsignListGrid(calls);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColCount(), 10);
    EXPECT_EQ(g.FixedRows(), 0);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.Cell(0, 0), "C0");
    EXPECT_EQ(g.Cell(9, 1), "C19");
    EXPECT_EQ(g.Cell(4, 2), "C24");
    EXPECT_EQ(g.Cell(5, 2), "");
}
