#include "main/keoe_grid.h"

#include "main/text_util.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

const std::string TKeoEGrid::empty_;

TKeoEGrid::TKeoEGrid(int colCount, int rowCount, int fixedCols, int fixedRows)
    : colCount_(std::max(1, colCount)), fixedCols_(fixedCols), fixedRows_(fixedRows)
{
    rows_.assign(static_cast<size_t>(std::max(1, rowCount)),
                 std::vector<std::string>(static_cast<size_t>(colCount_)));
}

void TKeoEGrid::touchColumn(size_t col)
{
    if (colVersions_.size() <= col) colVersions_.resize(col + 1, 0);
    colVersions_[col] = ++version_;
}

void TKeoEGrid::touchColumns(size_t count)
{
    if (colVersions_.size() < count) colVersions_.resize(count, 0);
    ++version_;
    std::fill_n(colVersions_.begin(), count, version_);
}

std::uint64_t TKeoEGrid::ColumnVersion(int col) const
{
    return col >= 0 && static_cast<size_t>(col) < colVersions_.size() ? colVersions_[static_cast<size_t>(col)] : 0;
}

void TKeoEGrid::SetColCount(int n)
{
    if (std::max(1, n) != colCount_) ++fills_;
    colCount_ = std::max(1, n);
    for (auto& r : rows_) r.resize(static_cast<size_t>(colCount_));
    touchAll();
    notify();
}

void TKeoEGrid::SetRowCount(int n)
{
    if (std::max(1, n) != RowCount()) ++fills_;
    rows_.resize(static_cast<size_t>(std::max(1, n)), std::vector<std::string>(static_cast<size_t>(colCount_)));
    touchAll();
    notify();
}

const std::string& TKeoEGrid::Cell(int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return empty_;
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TKeoEGrid::SetCell(int col, int row, std::string text)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return;
    rows_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
    touchColumn(static_cast<size_t>(col));
    notify();
}

void TKeoEGrid::SetHeader(std::vector<std::string> titles)
{
    header_ = std::move(titles);
    WriteHeader();
}

void TKeoEGrid::WriteHeader()
{
    for (size_t i = 0; i < header_.size() && static_cast<int>(i) < colCount_; ++i)
        rows_[0][i] = header_[i];
    touchColumns(std::min(header_.size(), static_cast<size_t>(colCount_)));
    notify();
}

void TKeoEGrid::WriteRow(int row, const std::vector<std::string>& values)
{
    if (row < 0 || row >= RowCount()) return;
    auto& r = rows_[static_cast<size_t>(row)];
    for (size_t i = 0; i < values.size() && static_cast<int>(i) < colCount_; ++i) r[i] = values[i];
    touchColumns(std::min(values.size(), static_cast<size_t>(colCount_)));
    notify();
}

bool TKeoEGrid::IsRowEmpty(int row) const
{
    if (row < 0 || row >= RowCount()) return true;
    for (const auto& c : rows_[static_cast<size_t>(row)])
        if (!c.empty()) return false;
    return true;
}

void TKeoEGrid::AppendRow(const std::vector<std::string>& values)
{
    if (fixedRows_ < RowCount() && IsRowEmpty(fixedRows_)) {
        ReplaceRow(fixedRows_, values);
        return;
    }
    rows_.emplace_back(static_cast<size_t>(colCount_));
    WriteRow(RowCount() - 1, values);
}

void TKeoEGrid::ClearGrid()
{
    rows_.assign(static_cast<size_t>(fixedRows_ + 1), std::vector<std::string>(static_cast<size_t>(colCount_)));
    ++fills_;
    touchAll();
    if (Row >= RowCount()) Row = RowCount() - 1;
    if (TopRow >= RowCount()) TopRow = std::max(fixedRows_, RowCount() - 1);
    WriteHeader();
}

namespace {

std::string padLeft(const std::string& s, size_t width)
{
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string sortKey(const std::vector<std::string>& row, int aCol, int aCol2, int kind, int decimals)
{
    auto cell = [&](int c) -> const std::string& {
        static const std::string none;
        return (c >= 0 && c < static_cast<int>(row.size())) ? row[static_cast<size_t>(c)] : none;
    };
    const std::string& text = cell(aCol);
    switch (kind) {
    case 0:
        return text;
    case 1: {
        long long v = 0;
        if (!text.empty()) v = zem::toInt64(text);
        return padLeft(std::to_string(v), 15);
    }
    case 2: {
        double v = 0;
        if (!text.empty()) {
            auto dash = text.find('-');
            if (dash != std::string::npos && (dash + 1 >= text.size() || !IsDigitValue(text[dash + 1] - '0')))
                throw std::invalid_argument("'" + text + "' is not a valid floating point value");
            v = CellToFloat(text);
        }
        return padLeft(zem::formatFixed(v, decimals), 15);
    }
    case 3: {
        long d = text.empty() ? 0 : DateTextToDayNumber(text);
        return padLeft(std::to_string(d), 7);
    }
    case 4: {
        double t = text.empty() ? 0 : TimeTextToFraction(text);
        return padLeft(zem::formatFixed(t, 4), 6);
    }
    case 5: {
        double v = text.empty() ? 0 : static_cast<double>(DateTextToDayNumber(text));
        if (!cell(aCol2).empty()) v += TimeTextToFraction(cell(aCol2));
        return padLeft(zem::formatFixed(v, 4), 11);
    }
    default:
        throw std::invalid_argument("unknown sort kind");
    }
}

} // namespace

void TKeoEGrid::SortGrid(int aCol, int aCol2, int kind, int decimals, int direction)
{
    struct Entry {
        std::string key;
        size_t index;
    };
    std::vector<Entry> keys;
    const int first = fixedRows_;
    for (int r = first; r < RowCount(); ++r)
        keys.push_back({zem::upperAscii(sortKey(rows_[static_cast<size_t>(r)], aCol, aCol2, kind, decimals)),
                        static_cast<size_t>(r)});
    std::stable_sort(keys.begin(), keys.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    if (direction == 0) std::reverse(keys.begin(), keys.end());

    std::vector<std::vector<std::string>> sorted;
    sorted.reserve(keys.size());
    for (const auto& e : keys) sorted.push_back(std::move(rows_[e.index]));
    {
        BatchUpdate batch(*this);
        // The same texts in another order: not a grid filled anew.
        const std::uint64_t fills = fills_;
        ClearGrid();
        fills_ = fills;
        rows_.resize(static_cast<size_t>(first));
        for (auto& r : sorted) rows_.push_back(std::move(r));
        if (RowCount() == first) rows_.emplace_back(static_cast<size_t>(colCount_));
        WriteHeader();
    }
}

void TKeoEGrid::ShowColumnHint(int aCol)
{
    Hint.clear();
    if (aCol != -1 && aCol >= 0 && aCol < colCount_ && aCol < static_cast<int>(Hints.size())) Hint = Hints[static_cast<size_t>(aCol)];
}

bool TKeoEGrid::GoToCell(int aCol, int aRow, int visibleRows)
{
    if (aCol < fixedCols_ || aCol > colCount_ - 1 || aRow < fixedRows_ || aRow > RowCount() - 1) return false;
    Col = aCol;
    Row = aRow;
    if (aRow - TopRow >= visibleRows)
        TopRow = std::max(fixedRows_, aRow - visibleRows + 1);
    else if (aRow < TopRow)
        TopRow = std::max(fixedRows_, aRow - 1); // never a fixed row as the top row
    ShowColumnHint(aCol);
    notify();
    return true;
}

bool TKeoEGrid::WrapRight(int visibleRows)
{
    if (SkipToNextRow && Col == colCount_ - 1 && Row < RowCount() - 1) return GoToCell(fixedCols_, Row + 1, visibleRows);
    return false;
}

bool TKeoEGrid::WrapLeft(int visibleRows)
{
    if (SkipToNextRow && Col == fixedCols_ && Row > fixedRows_) return GoToCell(colCount_ - 1, Row - 1, visibleRows);
    return false;
}

bool IsDigitValue(int n) { return n >= 0 && n <= 9; }

double CellToFloat(const std::string& text)
{
    double sign = 1;
    auto dash = text.find('-');
    if (dash != std::string::npos && dash + 1 < text.size() && IsDigitValue(text[dash + 1] - '0')) sign = -1;
    std::string s;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == ',') s += (c == ',' ? '.' : c);
    if (s.empty()) s = "0";
    if (s[0] == '.') s = "0" + s;
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size())
        throw std::invalid_argument("'" + text + "' is not a valid floating point value");
    return v * sign;
}

long DateTextToDayNumber(const std::string& text)
{
    int y = 0, m = 0, d = 0;
    auto bad = [&] { return std::invalid_argument("'" + text + "' is not a valid date"); };
    std::string t = zem::trim(text);
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') throw bad();
    y = static_cast<int>(zem::toInt64(t.substr(0, 4)));
    m = static_cast<int>(zem::toInt64(t.substr(5, 2)));
    d = static_cast<int>(zem::toInt64(t.substr(8, 2)));
    if (!zem::isValidDate(y, m, d)) throw bad();
    return zem::daysFromCivil(y, m, d) - zem::daysFromCivil(1899, 12, 30);
}

double TimeTextToFraction(const std::string& text)
{
    std::string t = zem::trim(text);
    int h = 0, mi = 0, s = 0;
    auto bad = [&] { return std::invalid_argument("'" + text + "' is not a valid time"); };
    if (t.size() == 4 && t.find(':') == std::string::npos) {
        h = static_cast<int>(zem::toInt64(t.substr(0, 2)));
        mi = static_cast<int>(zem::toInt64(t.substr(2, 2)));
    } else {
        auto parts = zem::split(t, ':');
        if (parts.size() < 2 || parts.size() > 3) throw bad();
        h = static_cast<int>(zem::toInt64(parts[0]));
        mi = static_cast<int>(zem::toInt64(parts[1]));
        if (parts.size() == 3) s = static_cast<int>(zem::toInt64(parts[2]));
    }
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) throw bad();
    return (h * 3600 + mi * 60 + s) / 86400.0;
}
