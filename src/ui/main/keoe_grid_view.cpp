#include "main/keoe_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

KeoEGridModel::KeoEGridModel(TKeoEGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(std::max(0, grid.RowCount() - 1)), shownCols_(grid.ColCount())
{
    grid_.OnChanged = [this] { scheduleRefresh(); };
}

void KeoEGridModel::scheduleRefresh()
{
    // A reader writes thousands of cells in a row: one reset afterwards is enough.
    ++textGeneration_;
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void KeoEGridModel::refresh()
{
    pending_ = false;
    // A reset would clear every view's current cell one turn of the event
    // loop after a cursor move or a write: tell the views what changed instead.
    const int cols = grid_.ColCount();
    const int rows = std::max(0, grid_.RowCount() - 1);
    if (cols != shownCols_ || rows != shownRows_) ++textGeneration_;
    if (cols > shownCols_) {
        beginInsertColumns({}, shownCols_, cols - 1);
        shownCols_ = cols;
        endInsertColumns();
    } else if (cols < shownCols_) {
        beginRemoveColumns({}, cols, shownCols_ - 1);
        shownCols_ = cols;
        endRemoveColumns();
    }
    // Row 0 of the core grid holds the titles; the view shows it as its header.
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    if (shownCols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, shownCols_ - 1);
    if (shownRows_ > 0 && shownCols_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, shownCols_ - 1));
    emit refreshed();
}

int KeoEGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int KeoEGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownCols_; }

QVariant KeoEGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromUtf8(grid_.Cell(index.column(), index.row() + 1));
    return {};
}

QVariant KeoEGridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return QString::fromUtf8(grid_.Cell(section, 0));
    return section + 1;
}

QColor bgrToQColor(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

namespace {

// The grid's own cell drawing: owner's draw values, framed rectangle, text
// placed by alignment; then the owner's painting over it.
class KeoEGridDelegate : public QStyledItemDelegate {
public:
    explicit KeoEGridDelegate(KeoEGridView* view) : QStyledItemDelegate(view), view_(view) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& idx) const override
    {
        const int col = idx.column();
        const int row = idx.row() + 1;
        auto& g = view_->grid();
        const bool selected = opt.state & QStyle::State_Selected;
        const bool fixed = col < g.FixedCols();
        QColor state = fixed ? bgrToQColor(g.FixedColor) : selected ? opt.palette.highlight().color() : opt.palette.base().color();
        QFont font = opt.font;
        TAlignment al = g.Alignment;
        QColor bg = state;
        if (view_->OnGetDrawValues) view_->OnGetDrawValues(col, row, font, al, bg);
        p->save();
        p->setFont(font);
        p->setPen(state);
        p->setBrush(bg);
        p->drawRect(opt.rect.adjusted(0, 0, -1, -1));
        const QString text = QString::fromUtf8(g.Cell(col, row));
        const int w = p->fontMetrics().horizontalAdvance(text);
        int x = opt.rect.left() + 2;
        if (al == TAlignment::Right) x = opt.rect.right() - w - 2;
        else if (al == TAlignment::Center) x = opt.rect.left() + opt.rect.width() / 2 - w / 2;
        p->setPen(selected && !fixed ? opt.palette.highlightedText().color() : QColor(Qt::black));
        p->setClipRect(opt.rect);
        p->drawText(QPoint(x, opt.rect.top() + 2 + p->fontMetrics().ascent()), text);
        p->restore();
        if (view_->OnDrawCell) {
            p->save();
            p->setClipRect(opt.rect);
            view_->OnDrawCell(*p, opt.rect, col, row, selected);
            p->restore();
        }
    }

private:
    KeoEGridView* view_;
};

} // namespace

KeoEGridView::KeoEGridView(TKeoEGrid& grid, QWidget* parent) : QTableView(parent), model_(new KeoEGridModel(grid, this))
{
    setModel(model_);
    setItemDelegate(new KeoEGridDelegate(this));
    verticalHeader()->setDefaultSectionSize(grid.DefaultRowHeight);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(model_, &KeoEGridModel::refreshed, this, [this] {
        if (model_->textGeneration() != measuredGeneration_) applyWidths();
    });
}

int KeoEGridView::visibleRows() const
{
    const int h = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / h);
}

bool KeoEGridView::GoToCell(int aCol, int aRow)
{
    model_->refresh();
    auto& g = grid();
    g.TopRow = std::max(g.FixedRows(), rowAt(0) + 1);
    if (!g.GoToCell(aCol, aRow, visibleRows())) return false;
    const QModelIndex idx = model_->index(aRow - 1, aCol);
    setCurrentIndex(idx);
    scrollTo(model_->index(g.TopRow - 1, aCol), QAbstractItemView::PositionAtTop);
    setToolTip(QString::fromUtf8(g.Hint));
    return true;
}

void KeoEGridView::ShowColumnHint(int aCol)
{
    grid().ShowColumnHint(aCol);
    setToolTip(QString::fromUtf8(grid().Hint));
}

namespace {
// The grid draws a cell's text 2 px inside its frame on either side; the
// table's grid line takes one more.
constexpr int kCellMargins = 5;

// The widest of many texts in the view's font. For ASCII the sum of the
// glyphs' advances is within a pixel or two of the drawn width and costs a
// few additions, so a column of 100,000 distinct spot comments is sized at
// once; only the texts that come near the widest are then measured exactly.
class WidestText {
public:
    explicit WidestText(const QFont& font) : fm_(font)
    {
        for (int c = 32; c < 127; ++c) advance_[static_cast<size_t>(c)] = fm_.horizontalAdvance(QChar(c));
    }
    void add(const std::string& text)
    {
        int sum = 0;
        for (unsigned char ch : text) {
            if (ch < 32 || ch >= 127) {
                sum = -1;
                break;
            }
            sum += advance_[ch];
        }
        if (sum < 0) {
            exact_ = std::max(exact_, fm_.horizontalAdvance(QString::fromUtf8(text)));
            return;
        }
        if (sum + kSlack < top_) return;
        top_ = std::max(top_, sum);
        near_.emplace_back(sum, &text);
    }
    // The drawn width of the widest text added; the texts must still live.
    int width() const
    {
        int w = exact_;
        for (const auto& [sum, text] : near_)
            if (sum + kSlack >= top_) w = std::max(w, fm_.horizontalAdvance(QString::fromUtf8(*text)));
        return w;
    }

private:
    static constexpr int kSlack = 6;
    QFontMetrics fm_;
    std::array<int, 128> advance_{};
    int top_ = 0;
    int exact_ = 0;
    std::vector<std::pair<int, const std::string*>> near_;
};
} // namespace

void KeoEGridView::setColumnWidths(const std::vector<int>& widths)
{
    wanted_ = widths;
    wantedFor_ = nullptr;
    applyWidths();
}

void KeoEGridView::setColumnFit(WantedWidths wanted)
{
    wantedFor_ = std::move(wanted);
    applyWidths();
}

void KeoEGridView::fitColumns() { applyWidths(); }

int KeoEGridView::titleWidthNeeded(int col) const
{
    QHeaderView* h = horizontalHeader();
    const QString title = model_->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    if (h->isHidden() || title.isEmpty()) return 0;
    QStyleOptionHeader opt;
    opt.initFrom(h);
    opt.section = col;
    opt.text = title;
    opt.fontMetrics = h->fontMetrics();
    return h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h).width();
}

int KeoEGridView::cellWidthNeeded(int col, int row) const
{
    auto& g = model_->grid();
    QFont f = font();
    const QString text = QString::fromUtf8(g.Cell(col, row));
    int w = 0;
    if (!text.isEmpty()) {
        if (OnGetDrawValues) {
            TAlignment al = g.Alignment;
            QColor bg;
            OnGetDrawValues(col, row, f, al, bg);
        }
        w = QFontMetrics(f).horizontalAdvance(text) + kCellMargins;
    }
    if (OnMeasureCell) w = std::max(w, OnMeasureCell(col, row, font()));
    return w;
}

const std::vector<int>& KeoEGridView::neededWidths()
{
    const int cols = model_->columnCount();
    if (model_->textGeneration() == measuredGeneration_ && static_cast<int>(needed_.size()) == cols) return needed_;
    measuredGeneration_ = model_->textGeneration();
    needed_.assign(static_cast<size_t>(cols), 0);
    const int rows = model_->rowCount() + 1;
    auto& g = model_->grid();
    const bool plain = !OnGetDrawValues && !OnMeasureCell;
    std::unordered_set<std::string_view> seen;
    for (int c = 0; c < cols; ++c) {
        int w = titleWidthNeeded(c);
        const int last = std::min(rows, g.RowCount());
        if (plain) {
            WidestText widest(font());
            for (int r = 1; r < last; ++r)
                if (const std::string& t = g.Cell(c, r); !t.empty()) widest.add(t);
            if (const int text = widest.width(); text > 0) w = std::max(w, text + kCellMargins);
        } else {
            seen.clear();
            for (int r = 1; r < last; ++r) {
                if (MeasuresByText && !OnGetDrawValues && !seen.insert(g.Cell(c, r)).second) continue;
                w = std::max(w, cellWidthNeeded(c, r));
            }
        }
        needed_[static_cast<size_t>(c)] = w;
    }
    return needed_;
}

void KeoEGridView::applyWidths()
{
    if (fitting_) return;
    fitting_ = true;
    const int cols = model_->columnCount();
    const std::vector<int> wanted = wantedFor_ ? wantedFor_(width()) : wanted_;
    const std::vector<int>& need = neededWidths();
    std::vector<int> w(static_cast<size_t>(cols));
    long total = 0, slack = 0;
    for (int c = 0; c < cols; ++c) {
        const size_t i = static_cast<size_t>(c);
        // A column the owner gave no width keeps the one it has (set
        // directly, by the user, or Qt's default).
        const int base = i < wanted.size() ? wanted[i] : columnWidth(c);
        w[i] = std::max(std::max(0, base), need[i]);
        total += w[i];
        slack += w[i] - need[i];
    }
    // Shares of the view's width: what the wide texts took comes out of the
    // columns that have room to spare, as far as they have.
    const int avail = viewport()->width();
    if (wantedFor_ && total > avail && slack > 0) {
        const long cut = std::min<long>(total - avail, slack);
        long left = cut;
        for (int c = 0; c < cols && left > 0; ++c) {
            const size_t i = static_cast<size_t>(c);
            const long give = std::min<long>({left, (w[i] - need[i]) * cut / slack + 1, w[i] - need[i]});
            w[i] -= static_cast<int>(give);
            left -= give;
        }
    }
    QHeaderView* h = horizontalHeader();
    for (int c = 0; c < cols; ++c)
        if (!isColumnHidden(c) && h->sectionResizeMode(c) == QHeaderView::Interactive &&
            columnWidth(c) != w[static_cast<size_t>(c)])
            setColumnWidth(c, w[static_cast<size_t>(c)]);
    fitting_ = false;
    emit columnsFitted();
}

bool KeoEGridView::viewportEvent(QEvent* e)
{
    // The viewport follows the view's size and its scroll bars coming and going.
    if (e->type() == QEvent::Resize && wantedFor_) applyWidths();
    return QTableView::viewportEvent(e);
}

void KeoEGridView::keyPressEvent(QKeyEvent* e)
{
    auto& g = grid();
    const QModelIndex cur = currentIndex();
    if (cur.isValid()) {
        g.Col = cur.column();
        g.Row = cur.row() + 1;
    }
    if (e->key() == Qt::Key_Right && g.WrapRight(visibleRows())) {
        setCurrentIndex(model_->index(g.Row - 1, g.Col));
        return;
    }
    if (e->key() == Qt::Key_Left && g.WrapLeft(visibleRows())) {
        setCurrentIndex(model_->index(g.Row - 1, g.Col));
        return;
    }
    QTableView::keyPressEvent(e);
}

void KeoEGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        grid().Col = current.column();
        grid().Row = current.row() + 1;
        ShowColumnHint(current.column());
    }
}
