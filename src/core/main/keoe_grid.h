#pragma once
// The one table of the program: cells as text, column titles in row 0, one
// hint per column, and the row operations every command uses. The ui shows a
// grid through a view over this object; all data work happens here.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TAlignment { Left = 0, Right = 1, Center = 2 };

class TKeoEGrid {
public:
    explicit TKeoEGrid(int colCount = 5, int rowCount = 5, int fixedCols = 1, int fixedRows = 1);

    // --- string-grid state ---
    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedCols(int n) { fixedCols_ = n; }
    void SetFixedRows(int n) { fixedRows_ = n; }

    // Out-of-range reads give an empty text, out-of-range writes are ignored,
    // so a short row or a stray index never reaches past the table.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    const std::vector<std::string>& RowCells(int row) const { return rows_.at(static_cast<size_t>(row)); }

    TAlignment Alignment = TAlignment::Left;
    bool SkipToNextRow = true;
    std::uint32_t FixedColor = 0xFFFF80; // 0xBBGGRR
    int DefaultRowHeight = 17;
    std::string Title; // caption used by exports (file name of the HTML table)

    // Current cell and scroll position, kept here so that navigation rules are
    // plain data operations; the view mirrors them.
    int Col = 1;
    int Row = 1;
    int TopRow = 1;
    std::string Hint;

    // --- titles and hints ---
    const std::vector<std::string>& Header() const { return header_; }
    void SetHeader(std::vector<std::string> titles);
    std::vector<std::string> Hints;

    // --- operations ---
    void WriteHeader();
    void WriteRow(int row, const std::vector<std::string>& values);
    void ReplaceRow(int row, const std::vector<std::string>& values) { WriteRow(row, values); }
    bool IsRowEmpty(int row) const;
    void AppendRow(const std::vector<std::string>& values);
    void ClearGrid();
    // Kind: 0 text, 1 integer, 2 decimal, 3 date, 4 time, 5 date+time.
    // Direction: 1 ascending, 0 descending. Throws std::invalid_argument when
    // a key does not convert; the rows are then left as they were.
    void SortGrid(int aCol, int aCol2, int kind, int decimals, int direction);
    void SortText(int aCol, int direction) { SortGrid(aCol, 0, 0, 0, direction); }
    void SortInteger(int aCol, int direction) { SortGrid(aCol, 0, 1, 0, direction); }

    // Navigation rules (the view supplies how many rows are fully visible).
    void ShowColumnHint(int aCol);
    bool GoToCell(int aCol, int aRow, int visibleRows);
    // Arrow-key row wrap; returns true when the key was consumed.
    bool WrapRight(int visibleRows);
    bool WrapLeft(int visibleRows);

    // --- what changed, for views that measure their texts ---
    // Moves on whenever a text of the column (its title included) may have
    // changed, so a view measures again only the columns that did.
    std::uint64_t ColumnVersion(int col) const;
    // Counts the times the grid was filled anew (emptied, or its rows or
    // columns counted anew), as opposed to some of its texts being written.
    std::uint64_t FillCount() const { return fills_; }

    // --- change notification for views ---
    // Called after every structural or cell change; views coalesce them.
    std::function<void()> OnChanged;
    void Changed() const { if (OnChanged) OnChanged(); }
    // Bulk writers (readers filling 20,000 rows) silence notifications and
    // send one at the end.
    class BatchUpdate {
    public:
        explicit BatchUpdate(TKeoEGrid& g) : g_(g) { ++g_.batch_; }
        ~BatchUpdate() { if (--g_.batch_ == 0) g_.notify(); }
        BatchUpdate(const BatchUpdate&) = delete;
        BatchUpdate& operator=(const BatchUpdate&) = delete;
    private:
        TKeoEGrid& g_;
    };

private:
    void notify() const { if (batch_ == 0 && OnChanged) OnChanged(); }
    void touchColumn(size_t col);
    void touchColumns(size_t count);
    void touchAll() { touchColumns(static_cast<size_t>(colCount_)); }
    int colCount_;
    int fixedCols_;
    int fixedRows_;
    int batch_ = 0;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::string> header_;
    std::uint64_t version_ = 0;
    std::vector<std::uint64_t> colVersions_;
    std::uint64_t fills_ = 0;
    static const std::string empty_;
};

bool IsDigitValue(int n);
// The number in a cell text written with "," as the decimal mark; every other
// character but digits is dropped ("1.000" is a thousand).
double CellToFloat(const std::string& text);

// Day number of a "yyyy-mm-dd" text in the day-count convention of the
// program's date values (1899-12-30 is day 0). Throws std::invalid_argument.
long DateTextToDayNumber(const std::string& text);
// Fraction of a day of a "hhmm" or "hh:mm[:ss]" text. Throws std::invalid_argument.
double TimeTextToFraction(const std::string& text);
