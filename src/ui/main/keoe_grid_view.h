#pragma once
// The view half of a grid: a table view over a model that reads a core
// TKeoEGrid, with the cell drawing, hints and arrow-key row wrap of the grid.

#include "main/keoe_grid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class KeoEGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit KeoEGridModel(TKeoEGrid& grid, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    TKeoEGrid& grid() { return grid_; }
    // Makes the view show what the core grid holds now: rows and columns
    // that came or went are inserted or removed, the cells are repainted.
    // The model is never reset, so the views keep their current cell,
    // selection and column widths.
    void refresh();
    // Counts the changes of the core grid's texts the views were told of:
    // a view measures its columns again only when this moved on.
    quint64 textGeneration() const { return textGeneration_; }

signals:
    void refreshed();

private:
    void scheduleRefresh();
    quint64 textGeneration_ = 0;
    TKeoEGrid& grid_;
    bool pending_ = false;
    // What the views were last told; the core grid may be ahead until the
    // next refresh.
    int shownRows_ = 0;
    int shownCols_ = 0;
};

QColor bgrToQColor(std::uint32_t bgr);

// Widths of texts as a grid draws them, in a font and its bold face. Quick
// widths of ASCII texts are sums of the glyphs' advances, a few additions a
// text and never less than the drawn width, since kerning only brings glyphs
// closer; exact widths lay the text out as it is drawn.
class TextWidths {
public:
    TextWidths(const QFont& font, bool exact);
    ~TextWidths();
    TextWidths(const TextWidths&) = delete;
    TextWidths& operator=(const TextWidths&) = delete;
    int width(std::string_view utf8, bool bold = false) const;
    int width(const QFont& font, std::string_view utf8) const;
    // No text of n bytes is wider than this in the plain face.
    int widthBound(size_t bytes) const;

private:
    struct Face;
    const Face& face(const QFont& font) const;
    int widthIn(const Face& f, std::string_view utf8) const;
    bool exact_;
    QFont font_;
    mutable std::vector<std::unique_ptr<Face>> faces_;
    // The plain and bold faces, asked for on every text of a grid.
    mutable const Face* plain_ = nullptr;
    mutable const Face* bold_ = nullptr;
};

// Which of many UTF-8 texts is drawn widest in the font, found as a grid
// finds its widest cell: quick widths for all, exact ones for the few at the
// top. -1 when there are none.
int widestTextIndex(const QFont& font, const std::vector<std::string>& texts);

class KeoEGridView : public QTableView {
    Q_OBJECT
public:
    // Owner's say on the look of one cell before it is drawn.
    using GetDrawValues = std::function<void(int col, int row, QFont& font, TAlignment& alignment, QColor& bg)>;
    // Painting over a cell after the grid's own drawing.
    using DrawCell = std::function<void(QPainter& p, const QRect& r, int col, int row, bool selected)>;
    // Width an owner's painting of a cell needs, its texts measured by the
    // widths given (the view's font and its bold face).
    using MeasureCell = std::function<int(int col, int row, const TextWidths& widths)>;
    // Column widths the owner wants for a view of the given width.
    using WantedWidths = std::function<std::vector<int>(int viewWidth)>;

    explicit KeoEGridView(TKeoEGrid& grid, QWidget* parent = nullptr);
    ~KeoEGridView() override;
    TKeoEGrid& grid() { return model_->grid(); }
    KeoEGridModel* gridModel() { return model_; }

    GetDrawValues OnGetDrawValues;
    DrawCell OnDrawCell;
    MeasureCell OnMeasureCell;
    // The owner's measure of a cell depends on its column and text alone:
    // each distinct text of a column is measured once.
    bool MeasuresByText = false;

    bool GoToCell(int aCol, int aRow);
    void SelectCell(int aCol, int aRow) { GoToCell(aCol, aRow); }
    void ShowColumnHint(int aCol);
    int visibleRows() const;
    // The owner's widths are minimums: a column is never narrower than its
    // title and its widest text (grid rows 0..RowCount-1, every row, bold
    // where drawn bold) plus the cell's margins, so a grid too small for its
    // columns scrolls rather than cuts. The widths are applied again
    // whenever the texts change. A column the user sized keeps the user's
    // width until the grid is filled anew.
    void setColumnWidths(const std::vector<int>& widths);
    // Widths that follow the view's width (a share of it per column): they
    // are asked for again on every resize and change of texts. Columns with
    // room to spare give it up, down to what their texts need, while the
    // columns together are wider than the view; then the cells give up a
    // little of their margins (cellMarginGiveUp) before the grid scrolls.
    void setColumnFit(WantedWidths wanted);
    // Applies the owner's widths now, measuring the texts if they changed.
    void fitColumns();
    // What a column's title and one of its cells (grid row >= 1) need.
    int titleWidthNeeded(int col) const;
    int cellWidthNeeded(int col, int row) const;
    // How much of what cellWidthNeeded counts a cell may give up and still
    // show its text whole: the margins beside the text, in a grid that
    // follows its view's width; 0 in others.
    int cellMarginGiveUp() const;
    // What each column needs: the widest of its title and cells. Only the
    // columns whose texts changed since the last call are measured again.
    const std::vector<int>& neededWidths();
    // Columns the user sized by dragging the header.
    bool isUserSized(int col) const;
    // The grid's fixed columns, drawn over the left edge of the view so that
    // they stay in sight while the other columns scroll sideways. Made when
    // the view is first shown with fixed columns (nullptr before); hidden
    // while the grid has none.
    QTableView* fixedColumnsView() const { return frozen_; }
    // How far the fixed columns reach into the viewport: the other columns
    // are seen only right of it.
    int fixedColumnsWidth() const;

signals:
    // The columns have their widths: the owner may size around them.
    void columnsFitted();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;
    void showEvent(QShowEvent* e) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    int fixedColumnCount() const;
    void placeFixedColumns();
    void scrollByPixelsBesideFixedColumns();
    bool fixedColumnsEvent(QObject* o, QEvent* e);
    int fixedColumnHandleAt(int x) const;
    void markUserSized(int col);
    void applyWidths();
    int measureCell(int col, int row, const TextWidths& widths) const;
    void measureColumns(const std::vector<int>& cols);
    KeoEGridModel* model_;
    std::vector<int> wanted_;
    WantedWidths wantedFor_;
    // Per column: what its cells need, what its title needs, and the
    // version of its texts they were measured at.
    std::vector<int> needed_;
    std::vector<int> cellsNeed_;
    std::vector<int> titleNeed_;
    std::vector<std::uint64_t> measuredVersions_;
    QFont measuredFont_;
    quint64 measuredGeneration_ = ~quint64{0};
    std::vector<char> userSized_;
    std::uint64_t fillsSeen_ = 0;
    bool fitting_ = false;
    bool headerPressed_ = false;
    // The fills of the grid the view has shown from their first rows.
    std::uint64_t fillsShown_ = 0;
    QTableView* frozen_ = nullptr;
    void makeFixedColumnsView();
    // A fixed column's border dragged in the fixed part's header: the
    // column, where the drag began and the width it had then.
    int dragCol_ = -1;
    int dragX_ = 0;
    int dragWidth_ = 0;
};
