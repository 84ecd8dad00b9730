#pragma once
// The view half of a grid: a table view over a model that reads a core
// TKeoEGrid, with the cell drawing, hints and arrow-key row wrap of the grid.

#include "main/keoe_grid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

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

private:
    void scheduleRefresh();
    TKeoEGrid& grid_;
    bool pending_ = false;
    // What the views were last told; the core grid may be ahead until the
    // next refresh.
    int shownRows_ = 0;
    int shownCols_ = 0;
};

QColor bgrToQColor(std::uint32_t bgr);

class KeoEGridView : public QTableView {
    Q_OBJECT
public:
    // Owner's say on the look of one cell before it is drawn.
    using GetDrawValues = std::function<void(int col, int row, QFont& font, TAlignment& alignment, QColor& bg)>;
    // Painting over a cell after the grid's own drawing.
    using DrawCell = std::function<void(QPainter& p, const QRect& r, int col, int row, bool selected)>;

    explicit KeoEGridView(TKeoEGrid& grid, QWidget* parent = nullptr);
    TKeoEGrid& grid() { return model_->grid(); }
    KeoEGridModel* gridModel() { return model_; }

    GetDrawValues OnGetDrawValues;
    DrawCell OnDrawCell;

    bool GoToCell(int aCol, int aRow);
    void SelectCell(int aCol, int aRow) { GoToCell(aCol, aRow); }
    void ShowColumnHint(int aCol);
    int visibleRows() const;
    // Applies the widths to the columns.
    void setColumnWidths(const std::vector<int>& widths);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    KeoEGridModel* model_;
};
