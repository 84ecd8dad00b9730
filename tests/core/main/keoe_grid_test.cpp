#include "main/keoe_grid.h"

#include <gtest/gtest.h>

namespace {

TKeoEGrid makeGrid(const std::vector<std::vector<std::string>>& rows, int cols = 3)
{
    TKeoEGrid g(cols, 2, 1, 1);
    g.SetHeader({"#", "A", "B"});
    g.ClearGrid();
    for (const auto& r : rows) g.AppendRow(r);
    return g;
}

std::vector<std::string> column(const TKeoEGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < g.RowCount(); ++r) out.push_back(g.Cell(col, r));
    return out;
}

} // namespace

TEST(KeoEGrid, AppendAfterClearFillsTheEmptyRowFirst)
{
    TKeoEGrid g(3, 5, 1, 1);
    g.SetHeader({"#", "A", "B"});
    g.ClearGrid();
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cell(1, 0), "A");
    g.AppendRow({"1", "x"});
    EXPECT_EQ(g.RowCount(), 2);
    g.AppendRow({"2", "y"});
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(1, 2), "y");
    EXPECT_FALSE(g.IsRowEmpty(1));
}

TEST(KeoEGrid, WriteRowIgnoresValuesBeyondColumnsAndKeepsTheRest)
{
    TKeoEGrid g(3, 3, 1, 1);
    g.WriteRow(1, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(g.Cell(2, 1), "c");
    g.WriteRow(1, {"z"});
    EXPECT_EQ(g.Cell(0, 1), "z");
    EXPECT_EQ(g.Cell(1, 1), "b");
    g.WriteRow(99, {"x"}); // beyond the rows: nothing happens
    EXPECT_EQ(g.Cell(0, 99), "");
}

TEST(KeoEGrid, SortKindsBothDirections)
{
    struct Case {
        int kind;
        std::vector<std::string> keys;
        int direction;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {1, {"40", "5", "300"}, 1, {"5", "40", "300"}},
        {1, {"40", "5", "300"}, 0, {"300", "40", "5"}},
        {1, {"40", "", "3"}, 1, {"", "3", "40"}},
        {0, {"b", "", "a"}, 1, {"", "a", "b"}},
        {0, {"b", "", "a"}, 0, {"b", "a", ""}},
        {2, {"12,5", "3", ",5"}, 1, {",5", "3", "12,5"}},
        {3, {"2007-03-02", "2006-12-31", "2007-03-01"}, 1, {"2006-12-31", "2007-03-01", "2007-03-02"}},
        {4, {"2359", "0000", "1200"}, 0, {"2359", "1200", "0000"}},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<std::string>> rows;
        for (size_t i = 0; i < c.keys.size(); ++i) rows.push_back({std::to_string(i), c.keys[i], "x"});
        // A row that is entirely empty would be replaced by AppendRow; keep column 0 filled.
        auto g = makeGrid(rows);
        g.SortGrid(1, 0, c.kind, 2, c.direction);
        EXPECT_EQ(column(g, 1), c.expected) << "kind " << c.kind << " dir " << c.direction;
    }
}

TEST(KeoEGrid, TextSortIgnoresCaseAndDateTimeKindCombinesColumns)
{
    auto g = makeGrid({{"1", "abc", "x"}, {"2", "ABD", "y"}, {"3", "Abb", "z"}});
    g.SortText(1, 1);
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"Abb", "abc", "ABD"}));

    auto t = makeGrid({{"1", "2007-03-01", "1200"}, {"2", "2007-03-01", "0900"}, {"3", "2007-02-28", "2359"}});
    t.SortGrid(1, 2, 5, 0, 1);
    EXPECT_EQ(column(t, 0), (std::vector<std::string>{"3", "2", "1"}));
}

TEST(KeoEGrid, FailingKeyLeavesRowsUntouched)
{
    for (int kind : {1, 2, 3, 4}) {
        auto g = makeGrid({{"1", "7", "x"}, {"2", "bad-x", "y"}, {"3", "1", "z"}});
        EXPECT_THROW(g.SortGrid(1, 0, kind, 0, 1), std::invalid_argument) << kind;
        EXPECT_EQ(column(g, 0), (std::vector<std::string>{"1", "2", "3"}));
    }
}

TEST(KeoEGrid, SortingAGridWithoutDataRowsLeavesOneEmptyRow)
{
    TKeoEGrid g(3, 1, 1, 1);
    g.SetHeader({"#", "A", "B"});
    g.SortInteger(1, 0);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_TRUE(g.IsRowEmpty(1));
    EXPECT_EQ(g.Cell(2, 0), "B");
}

TEST(KeoEGrid, CellToFloatCases)
{
    const std::vector<std::pair<std::string, double>> cases = {
        {"12,5", 12.5}, {"-3", -3}, {",5", 0.5}, {"", 0}, {"1.000", 1000}, {"a-b", 0}, {"x-7,25", -7.25}};
    for (const auto& [text, v] : cases) EXPECT_DOUBLE_EQ(CellToFloat(text), v) << text;
}

TEST(KeoEGrid, NavigationWrapsAndHints)
{
    TKeoEGrid g(3, 4, 1, 1);
    g.Hints = {"h0", "h1"};
    // Right at the end of a row wraps to the first scrolling column of the next.
    g.Col = 2;
    g.Row = 1;
    EXPECT_TRUE(g.WrapRight(10));
    EXPECT_EQ(g.Col, 1);
    EXPECT_EQ(g.Row, 2);
    EXPECT_EQ(g.Hint, "h1");
    // Left in the first scrolling column wraps back to the last column.
    EXPECT_TRUE(g.WrapLeft(10));
    EXPECT_EQ(g.Col, 2);
    EXPECT_EQ(g.Row, 1);
    EXPECT_EQ(g.Hint, ""); // no hint for column 2
    // No wrap at the last cell, at the first data row, or when switched off.
    g.Row = 3;
    EXPECT_FALSE(g.WrapRight(10));
    g.Col = 1;
    g.Row = 1;
    EXPECT_FALSE(g.WrapLeft(10));
    g.SkipToNextRow = false;
    g.Col = 2;
    EXPECT_FALSE(g.WrapRight(10));
    EXPECT_FALSE(g.GoToCell(0, 1, 10));
    EXPECT_FALSE(g.GoToCell(1, 4, 10));
}

TEST(KeoEGrid, GoToCellScrollsToShowTheRow)
{
    TKeoEGrid g(3, 100, 1, 1);
    EXPECT_TRUE(g.GoToCell(1, 50, 10));
    EXPECT_EQ(g.TopRow, 41);
    EXPECT_TRUE(g.GoToCell(1, 20, 10));
    EXPECT_EQ(g.TopRow, 19);
    EXPECT_TRUE(g.GoToCell(1, 1, 10));
    EXPECT_EQ(g.TopRow, 1); // never a fixed row on top
}

// Views measure again only the columns whose texts changed, and keep the
// user's widths until the grid is filled anew: a write moves on its column
// alone, a sort keeps the fill count, emptying or recounting moves it on.
TEST(KeoEGrid, ColumnVersionsAndFillsTellWhatChanged)
{
    TKeoEGrid g(3, 1, 0, 1);
    g.SetHeader({"A", "B", "C"});
    g.AppendRow({"1", "x", "p"});
    g.AppendRow({"2", "y", "q"});
    const auto v0 = g.ColumnVersion(0), v1 = g.ColumnVersion(1), v2 = g.ColumnVersion(2);
    const auto fills = g.FillCount();
    g.SetCell(1, 2, "z");
    EXPECT_EQ(g.ColumnVersion(0), v0);
    EXPECT_NE(g.ColumnVersion(1), v1);
    EXPECT_EQ(g.ColumnVersion(2), v2);
    g.WriteRow(1, {"3", "w"});
    EXPECT_NE(g.ColumnVersion(0), v0);
    EXPECT_EQ(g.ColumnVersion(2), v2);
    EXPECT_EQ(g.FillCount(), fills);

    g.SortInteger(0, 0);
    EXPECT_EQ(g.FillCount(), fills);
    EXPECT_EQ(g.Cell(0, 1), "3");
    g.SetRowCount(g.RowCount());
    EXPECT_EQ(g.FillCount(), fills);
    g.SetRowCount(10);
    EXPECT_NE(g.FillCount(), fills);
    const auto refilled = g.FillCount();
    g.ClearGrid();
    EXPECT_NE(g.FillCount(), refilled);
    EXPECT_EQ(g.ColumnVersion(7), 0u); // no such column
}
