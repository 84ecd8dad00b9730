#include "main/keoe_grid_view.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <unordered_set>
#include <utility>

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
    KeoEGridDelegate(KeoEGridView* view, QObject* parent) : QStyledItemDelegate(parent), view_(view) {}
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
    setItemDelegate(new KeoEGridDelegate(this, this));
    verticalHeader()->setDefaultSectionSize(grid.DefaultRowHeight);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fillsShown_ = grid.FillCount();
    connect(model_, &KeoEGridModel::refreshed, this, [this] {
        // A table filled anew is seen from its first row and column, not
        // from where the table before it was left.
        if (model_->grid().FillCount() != fillsShown_) {
            fillsShown_ = model_->grid().FillCount();
            verticalScrollBar()->setValue(verticalScrollBar()->minimum());
            horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
        }
        if (model_->textGeneration() != measuredGeneration_) applyWidths();
        // The grid may have been given another number of fixed columns.
        scrollByPixelsBesideFixedColumns();
        placeFixedColumns();
    });
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int) {
        if (col < 0) return;
        if (col < fixedColumnCount()) placeFixedColumns();
        if (!fitting_ && headerPressed_) markUserSized(col);
    });
}

KeoEGridView::~KeoEGridView()
{
    // Its events come to this view's filter: it goes first.
    delete std::exchange(frozen_, nullptr);
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

bool isAscii(std::string_view s)
{
    for (unsigned char ch : s)
        if (ch < 32 || ch >= 127) return false;
    return true;
}

// The few widest texts of a column by their quick widths, each text once,
// and the widest quick width of all the others: only the few are measured
// exactly, the others can be no wider than that bound.
class WidestCells {
public:
    static constexpr size_t kKept = 8;
    // A text whose quick width can be no more than this changes nothing.
    int floor() const { return count_ < kKept ? -1 : rest_; }
    void add(int width, int row, const std::string* text)
    {
        if (count_ == kKept && width <= rest_) return;
        size_t least = 0;
        for (size_t i = 0; i < count_; ++i) {
            if (kept_[i].width == width && *kept_[i].text == *text) return;
            if (kept_[i].width < kept_[least].width) least = i;
        }
        if (count_ < kKept) {
            kept_[count_++] = {width, row, text};
            return;
        }
        if (width <= kept_[least].width) {
            rest_ = std::max(rest_, width);
            return;
        }
        rest_ = std::max(rest_, kept_[least].width);
        kept_[least] = {width, row, text};
    }
    template <class Exact>
    int width(Exact exact) const
    {
        int w = rest_;
        for (size_t i = 0; i < count_; ++i) w = std::max(w, exact(kept_[i].row));
        return w;
    }

private:
    struct Kept {
        int width;
        int row;
        const std::string* text;
    };
    std::array<Kept, kKept> kept_{};
    size_t count_ = 0;
    int rest_ = 0;
};
} // namespace

struct TextWidths::Face {
    explicit Face(const QFont& f, bool quick) : font(f), metrics(f)
    {
        if (!quick) return;
        const QFontMetricsF mf(f);
        for (int c = 32; c < 127; ++c) {
            advance[static_cast<size_t>(c)] = mf.horizontalAdvance(QChar(c));
            widest = std::max(widest, advance[static_cast<size_t>(c)]);
        }
    }
    QFont font;
    QFontMetrics metrics;
    std::array<qreal, 128> advance{};
    qreal widest = 0;
};

TextWidths::TextWidths(const QFont& font, bool exact) : exact_(exact), font_(font) {}

TextWidths::~TextWidths() = default;

const TextWidths::Face& TextWidths::face(const QFont& font) const
{
    for (const auto& f : faces_)
        if (f->font == font) return *f;
    faces_.push_back(std::make_unique<Face>(font, !exact_));
    return *faces_.back();
}

int TextWidths::widthIn(const Face& f, std::string_view utf8) const
{
    if (utf8.empty()) return 0;
    if (exact_ || !isAscii(utf8))
        return f.metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    qreal sum = 0;
    for (unsigned char ch : utf8) sum += f.advance[ch];
    // The drawn width is the laid-out width rounded: rounding the sum keeps
    // the quick width on the safe side of it.
    return qRound(sum);
}

int TextWidths::width(std::string_view utf8, bool bold) const
{
    if (!bold) {
        if (!plain_) plain_ = &face(font_);
        return widthIn(*plain_, utf8);
    }
    if (!bold_) {
        QFont f = font_;
        f.setBold(true);
        bold_ = &face(f);
    }
    return widthIn(*bold_, utf8);
}

int TextWidths::width(const QFont& font, std::string_view utf8) const { return widthIn(face(font), utf8); }

int TextWidths::widthBound(size_t bytes) const
{
    // A letter outside ASCII takes two bytes or more and is no wider than
    // two of the widest ASCII glyphs.
    if (!plain_) plain_ = &face(font_);
    const Face& f = *plain_;
    return static_cast<int>(std::ceil(static_cast<double>(bytes) * (f.widest > 0 ? f.widest : f.metrics.maxWidth())));
}

int widestTextIndex(const QFont& font, const std::vector<std::string>& texts)
{
    const TextWidths quick(font, false), exact(font, true);
    WidestCells top;
    for (size_t i = 0; i < texts.size(); ++i)
        if (quick.widthBound(texts[i].size()) > top.floor())
            top.add(quick.width(texts[i]), static_cast<int>(i), &texts[i]);
    int widest = -1, widestWidth = -1;
    top.width([&](int i) {
        const int w = exact.width(texts[static_cast<size_t>(i)]);
        if (w > widestWidth) widestWidth = w, widest = i;
        return w;
    });
    return widest;
}

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

bool KeoEGridView::isUserSized(int col) const
{
    return col >= 0 && static_cast<size_t>(col) < userSized_.size() && userSized_[static_cast<size_t>(col)];
}

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

int KeoEGridView::measureCell(int col, int row, const TextWidths& widths) const
{
    auto& g = model_->grid();
    const std::string& text = g.Cell(col, row);
    int w = 0;
    if (!text.empty()) {
        if (OnGetDrawValues) {
            QFont f = font();
            TAlignment al = g.Alignment;
            QColor bg;
            OnGetDrawValues(col, row, f, al, bg);
            w = widths.width(f, text) + kCellMargins;
        } else {
            w = widths.width(text) + kCellMargins;
        }
    }
    if (OnMeasureCell) w = std::max(w, OnMeasureCell(col, row, widths));
    return w;
}

int KeoEGridView::cellWidthNeeded(int col, int row) const
{
    const TextWidths exact(font(), true);
    return measureCell(col, row, exact);
}

int KeoEGridView::cellMarginGiveUp() const
{
    if (!wantedFor_) return 0;
    // Right-aligned text keeps the pixel between it and the grid line.
    return model_->grid().Alignment == TAlignment::Right ? 1 : 2;
}

void KeoEGridView::measureColumns(const std::vector<int>& cols)
{
    auto& g = model_->grid();
    const TextWidths quick(font(), false);
    const TextWidths exact(font(), true);
    const bool plain = !OnGetDrawValues && !OnMeasureCell;
    const bool byText = !plain && MeasuresByText && !OnGetDrawValues;
    std::vector<WidestCells> widest(cols.size());
    std::vector<std::unordered_set<std::string_view>> seen(byText ? cols.size() : 0);
    // Per column, the longest text too short to reach the widest ones.
    std::vector<size_t> shortest(cols.size(), 0);
    std::vector<int> floors(cols.size(), -1);
    // Row by row: the rows lie apart in memory, a pass down each column
    // would walk all of them once per column.
    for (int r = 1; r < g.RowCount(); ++r) {
        const std::vector<std::string>& cells = g.RowCells(r);
        for (size_t k = 0; k < cols.size(); ++k) {
            const size_t c = static_cast<size_t>(cols[k]);
            if (c >= cells.size()) continue;
            const std::string& text = cells[c];
            WidestCells& top = widest[k];
            if (plain) {
                if (text.empty()) continue;
                // Most texts are too short to matter: their length tells.
                if (text.size() <= shortest[k]) continue;
                top.add(quick.width(text) + kCellMargins, r, &text);
                if (top.floor() != floors[k]) {
                    floors[k] = top.floor();
                    while (quick.widthBound(shortest[k] + 1) + kCellMargins <= floors[k]) ++shortest[k];
                }
            } else {
                if (byText && !seen[k].insert(text).second) continue;
                top.add(measureCell(cols[k], r, quick), r, &text);
            }
        }
    }
    for (size_t k = 0; k < cols.size(); ++k) {
        const size_t c = static_cast<size_t>(cols[k]);
        cellsNeed_[c] = widest[k].width([&](int row) { return measureCell(cols[k], row, exact); });
        titleNeed_[c] = titleWidthNeeded(cols[k]);
        needed_[c] = std::max(cellsNeed_[c], titleNeed_[c]);
        measuredVersions_[c] = g.ColumnVersion(cols[k]);
    }
}

const std::vector<int>& KeoEGridView::neededWidths()
{
    auto& g = model_->grid();
    const size_t cols = static_cast<size_t>(std::max(g.ColCount(), model_->columnCount()));
    // Another font, or another owner's measure, makes every width stale.
    if (measuredFont_ != font() || needed_.size() != cols) {
        measuredFont_ = font();
        measuredVersions_.assign(cols, ~std::uint64_t{0});
        needed_.assign(cols, 0);
        cellsNeed_.assign(cols, 0);
        titleNeed_.assign(cols, 0);
    }
    measuredGeneration_ = model_->textGeneration();
    std::vector<int> stale;
    for (size_t c = 0; c < cols; ++c)
        if (measuredVersions_[c] != g.ColumnVersion(static_cast<int>(c))) stale.push_back(static_cast<int>(c));
    if (!stale.empty()) measureColumns(stale);
    return needed_;
}

void KeoEGridView::applyWidths()
{
    if (fitting_) return;
    fitting_ = true;
    auto& g = model_->grid();
    // The user's widths hold until the grid is filled anew.
    if (g.FillCount() != fillsSeen_) {
        fillsSeen_ = g.FillCount();
        userSized_.clear();
    }
    const int cols = model_->columnCount();
    const std::vector<int> wanted = wantedFor_ ? wantedFor_(width()) : wanted_;
    const std::vector<int>& need = neededWidths();
    auto needOf = [&](size_t i) { return i < need.size() ? need[i] : 0; };
    std::vector<int> w(static_cast<size_t>(cols));
    long total = 0, slack = 0;
    for (int c = 0; c < cols; ++c) {
        const size_t i = static_cast<size_t>(c);
        if (isColumnHidden(c)) continue;
        if (isUserSized(c)) {
            w[i] = columnWidth(c);
            total += w[i];
            continue;
        }
        // A column the owner gave no width keeps the one it has (set
        // directly, or Qt's default).
        const int base = i < wanted.size() ? wanted[i] : columnWidth(c);
        w[i] = std::max(std::max(0, base), needOf(i));
        total += w[i];
        slack += w[i] - needOf(i);
    }
    // Shares of the view's width: what the wide texts took comes out of the
    // columns that have room to spare, as far as they have.
    const int avail = viewport()->width();
    if (wantedFor_ && total > avail && slack > 0) {
        const long cut = std::min<long>(total - avail, slack);
        long left = cut;
        for (int c = 0; c < cols && left > 0; ++c) {
            const size_t i = static_cast<size_t>(c);
            if (isColumnHidden(c) || isUserSized(c)) continue;
            const long give = std::min<long>({left, (w[i] - needOf(i)) * cut / slack + 1, w[i] - needOf(i)});
            w[i] -= static_cast<int>(give);
            left -= give;
            total -= give;
        }
    }
    // Still a few pixels too wide: the cells close up on their texts, a
    // pixel a column at a time, rather than the grid scroll for them.
    // Only when that makes the grid fit: a grid that scrolls anyway keeps
    // its margins.
    auto tightOf = [&](size_t i, int giveUp) { return std::max(cellsNeed_[i] - giveUp, titleNeed_[i]); };
    auto canClose = [&](int c) {
        const size_t i = static_cast<size_t>(c);
        return !isColumnHidden(c) && !isUserSized(c) && i < cellsNeed_.size() && cellsNeed_[i] > 0;
    };
    long closable = 0;
    if (wantedFor_ && total > avail)
        for (int c = 0; c < cols; ++c)
            if (canClose(c)) {
                const size_t i = static_cast<size_t>(c);
                closable += std::max(0, w[i] - tightOf(i, cellMarginGiveUp()));
            }
    if (wantedFor_ && total > avail && total - closable <= avail) {
        const int giveUp = cellMarginGiveUp();
        for (int round = 0; round < giveUp && total > avail; ++round)
            for (int c = 0; c < cols && total > avail; ++c) {
                const size_t i = static_cast<size_t>(c);
                if (!canClose(c)) continue;
                if (w[i] > tightOf(i, giveUp) && w[i] > needOf(i) - 1 - round) {
                    --w[i];
                    --total;
                }
            }
    }
    QHeaderView* h = horizontalHeader();
    for (int c = 0; c < cols; ++c)
        if (!isColumnHidden(c) && !isUserSized(c) && h->sectionResizeMode(c) == QHeaderView::Interactive &&
            columnWidth(c) != w[static_cast<size_t>(c)])
            setColumnWidth(c, w[static_cast<size_t>(c)]);
    fitting_ = false;
    emit columnsFitted();
}

bool KeoEGridView::viewportEvent(QEvent* e)
{
    // The viewport follows the view's size and its scroll bars coming and
    // going; the texts were measured already, only the shares change.
    if (e->type() == QEvent::Resize && wantedFor_) applyWidths();
    return QTableView::viewportEvent(e);
}

bool KeoEGridView::eventFilter(QObject* o, QEvent* e)
{
    // A section resized while a mouse button is down on the header is the
    // user's drag.
    if (o == horizontalHeader()->viewport()) {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) headerPressed_ = true;
        else if (e->type() == QEvent::MouseButtonRelease) headerPressed_ = false;
    }
    if (fixedColumnsEvent(o, e)) return true;
    return QTableView::eventFilter(o, e);
}

void KeoEGridView::markUserSized(int col)
{
    if (col < 0) return;
    if (userSized_.size() <= static_cast<size_t>(col)) userSized_.resize(static_cast<size_t>(col) + 1, 0);
    userSized_[static_cast<size_t>(col)] = 1;
}

int KeoEGridView::fixedColumnCount() const
{
    // A grid of fixed columns alone has nothing to scroll beside them.
    const int n = std::max(0, model_->grid().FixedCols());
    return n < model_->columnCount() ? n : 0;
}

int KeoEGridView::fixedColumnsWidth() const
{
    int w = 0;
    for (int c = 0; c < fixedColumnCount(); ++c)
        if (!isColumnHidden(c)) w += columnWidth(c);
    return std::min(w, viewport()->width());
}

void KeoEGridView::makeFixedColumnsView()
{
    // The fixed columns: a second view of the same cells over the left edge,
    // which shows only them and never scrolls sideways. It follows this
    // view: its rows, its current cell and selection (one selection model),
    // its column widths; a wheel or a context menu over it is this view's.
    frozen_ = new QTableView(this);
    frozen_->setObjectName("fixedColumns");
    frozen_->setModel(model_);
    frozen_->setSelectionModel(selectionModel());
    frozen_->setItemDelegate(new KeoEGridDelegate(this, frozen_));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // It scrolls only as this view scrolls.
    frozen_->setAutoScroll(false);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setWordWrap(false);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setHighlightSections(false);
    frozen_->horizontalHeader()->setMinimumSectionSize(1);
    // Its columns take their widths from this view alone; a drag of a
    // border in its header sizes this view's column.
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->viewport()->setMouseTracking(true);
    frozen_->hide();
    viewport()->stackUnder(frozen_);
    frozen_->raise();
    frozen_->viewport()->installEventFilter(this);
    frozen_->horizontalHeader()->viewport()->installEventFilter(this);
    for (auto signal : {&QAbstractItemView::pressed, &QAbstractItemView::clicked, &QAbstractItemView::doubleClicked,
                        &QAbstractItemView::activated, &QAbstractItemView::entered})
        connect(frozen_, signal, this, signal);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(), &QAbstractSlider::setValue);
    // Its range may follow a change of rows later than this view's did.
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::rangeChanged, this,
            [this] { frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
}

void KeoEGridView::placeFixedColumns()
{
    const int n = fixedColumnCount();
    const int width = fixedColumnsWidth();
    if (n == 0 || width <= 0) {
        if (frozen_) frozen_->hide();
        return;
    }
    // Made when first seen: most grids of a window are on pages never
    // opened, and a second view each would double what their making costs.
    if (!frozen_) {
        if (!isVisible()) return;
        makeFixedColumnsView();
    }
    QHeaderView* h = horizontalHeader();
    QHeaderView* fh = frozen_->horizontalHeader();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const bool hidden = c >= n || isColumnHidden(c);
        if (frozen_->isColumnHidden(c) != hidden) frozen_->setColumnHidden(c, hidden);
        if (!hidden && fh->sectionSize(c) != columnWidth(c)) fh->resizeSection(c, columnWidth(c));
    }
    // It looks and selects as this view does, whatever the owner set on it.
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setShowGrid(showGrid());
    frozen_->setGridStyle(gridStyle());
    frozen_->setVerticalScrollMode(verticalScrollMode());
    QHeaderView* rows = frozen_->verticalHeader();
    if (rows->minimumSectionSize() != verticalHeader()->minimumSectionSize())
        rows->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    // Setting it walks every row: only when it differs.
    if (rows->defaultSectionSize() != verticalHeader()->defaultSectionSize())
        rows->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    const QRect vp = viewport()->geometry();
    int top = vp.top();
    fh->setHidden(h->isHidden());
    if (!h->isHidden()) {
        fh->setFixedHeight(h->height());
        top = h->geometry().top();
    }
    frozen_->setGeometry(vp.left(), top, width, vp.bottom() + 1 - top);
    frozen_->show();
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void KeoEGridView::scrollByPixelsBesideFixedColumns()
{
    // Sideways by pixels: a cell that comes out from beneath the fixed
    // columns is brought to their edge exactly, not a whole column further.
    // Only once the view is shown: the change lays the view out, and its
    // header laid out before the owner's font reached it would keep another
    // font than the one it is drawn in today.
    if (isVisible() && fixedColumnCount() > 0 && horizontalScrollMode() != QAbstractItemView::ScrollPerPixel)
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void KeoEGridView::showEvent(QShowEvent* e)
{
    QTableView::showEvent(e);
    scrollByPixelsBesideFixedColumns();
    placeFixedColumns();
}

void KeoEGridView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFixedColumns();
}

void KeoEGridView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const bool byPixels = horizontalScrollMode() == QAbstractItemView::ScrollPerPixel;
    const int covered = index.isValid() && byPixels ? fixedColumnsWidth() : 0;
    if (covered <= 0) {
        QTableView::scrollTo(index, hint);
        return;
    }
    QScrollBar* sideways = horizontalScrollBar();
    if (index.column() < fixedColumnCount()) {
        // A fixed cell is always in sight across: only the rows move to it.
        const int keep = sideways->value();
        const QSignalBlocker still(sideways);
        QTableView::scrollTo(index, hint);
        sideways->setValue(keep);
        return;
    }
    QTableView::scrollTo(index, hint);
    // A cell beneath the fixed columns comes out to their edge.
    const int left = columnViewportPosition(index.column());
    if (left < covered) sideways->setValue(sideways->value() - (covered - left));
}

QModelIndex KeoEGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    // The keys walk the scrolling columns, as the grid's own cursor does:
    // Left and Home stop at the first of them.
    const int fixed = fixedColumnCount();
    const QModelIndex cur = currentIndex();
    if (next.isValid() && next.column() < fixed && (!cur.isValid() || cur.column() >= fixed))
        next = model_->index(next.row(), fixed);
    return next;
}

int KeoEGridView::fixedColumnHandleAt(int x) const
{
    QHeaderView* fh = frozen_->horizontalHeader();
    const int grip = fh->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, fh);
    for (int c = fixedColumnCount() - 1; c >= 0; --c) {
        if (fh->isSectionHidden(c)) continue;
        const int edge = fh->sectionViewportPosition(c) + fh->sectionSize(c);
        if (x >= edge - grip && x < edge + grip) return c;
    }
    return -1;
}

bool KeoEGridView::fixedColumnsEvent(QObject* o, QEvent* e)
{
    if (!frozen_) return false;
    auto toViewport = [this](QPoint p) { return viewport()->mapFrom(this, frozen_->viewport()->mapTo(this, p)); };
    if (o == frozen_->viewport()) {
        switch (e->type()) {
        case QEvent::Wheel: {
            // The wheel turns the whole grid, as the owner has it turn.
            auto* w = static_cast<QWheelEvent*>(e);
            QWheelEvent mine(toViewport(w->position().toPoint()), w->globalPosition(), w->pixelDelta(), w->angleDelta(),
                             w->buttons(), w->modifiers(), w->phase(), w->inverted(), w->source(), w->pointingDevice());
            QCoreApplication::sendEvent(viewport(), &mine);
            e->setAccepted(mine.isAccepted());
            return true;
        }
        case QEvent::ContextMenu: {
            auto* c = static_cast<QContextMenuEvent*>(e);
            QContextMenuEvent mine(c->reason(), toViewport(c->pos()), c->globalPos(), c->modifiers());
            QCoreApplication::sendEvent(viewport(), &mine);
            e->setAccepted(mine.isAccepted());
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // A click there is a click in the grid: the keys go on from it.
            placeFixedColumns();
            if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
            return false;
        default:
            return false;
        }
    }
    QHeaderView* fh = frozen_->horizontalHeader();
    if (o != fh->viewport()) return false;
    switch (e->type()) {
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        const int x = m->position().toPoint().x();
        if (dragCol_ >= 0) {
            setColumnWidth(dragCol_, std::max(horizontalHeader()->minimumSectionSize(), dragWidth_ + x - dragX_));
            return true;
        }
        if (m->buttons() == Qt::NoButton) {
            if (fixedColumnHandleAt(x) >= 0) fh->viewport()->setCursor(Qt::SplitHCursor);
            else fh->viewport()->unsetCursor();
        }
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        const int x = m->position().toPoint().x();
        const int c = m->button() == Qt::LeftButton ? fixedColumnHandleAt(x) : -1;
        if (c < 0) return false;
        dragCol_ = c;
        dragX_ = x;
        dragWidth_ = columnWidth(c);
        markUserSized(c);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (dragCol_ < 0) return false;
        dragCol_ = -1;
        return true;
    case QEvent::MouseButtonDblClick: {
        const int c = fixedColumnHandleAt(static_cast<QMouseEvent*>(e)->position().toPoint().x());
        if (c < 0) return false;
        markUserSized(c);
        resizeColumnToContents(c);
        return true;
    }
    case QEvent::Leave:
        if (dragCol_ < 0) fh->viewport()->unsetCursor();
        return false;
    default:
        return false;
    }
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
