#pragma once
// Finds texts that are drawn wider than the space they have: labels,
// buttons, tabs, table titles and cells, list items, status panels and the
// texts of charts of the shown widgets under a root. Each cut text gives one
// line
//   "<window>/<widget>/<where>: '<text>' needs N px, has M px".
// A text counts as cut when its width in the font it is drawn in (bold where
// drawn bold), plus the margins its widget keeps around it, is more than the
// width it is given, or when a parent widget hides part of it; a label that
// wraps, when its lines need more height than it has. Grids and lists that
// scroll sideways do not cut: what runs past their viewport is reached by
// scrolling. A chart cuts a text that it shortens to "...", that it leaves
// out (an axis label hidden for lack of room) or that touches another.

#include "main/keoe_grid_view.h"
#include "main/status_panels.h"

#include <QAbstractButton>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSet>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

namespace textfit {

inline QString nameOf(const QWidget* w)
{
    if (!w->objectName().isEmpty()) return w->objectName();
    if (w->isWindow() && !w->windowTitle().isEmpty()) return w->windowTitle();
    return QString::fromLatin1(w->metaObject()->className());
}

struct Reporter {
    QStringList& lines;
    void operator()(const QWidget* w, const QString& where, const QString& text, int need, int has) const
    {
        if (need <= has) return;
        lines << QStringLiteral("%1/%2/%3: '%4' needs %5 px, has %6 px")
                     .arg(nameOf(w->window()), nameOf(w), where, text)
                     .arg(need)
                     .arg(has);
    }
    void note(const QWidget* w, const QString& where, const QString& text, const QString& why) const
    {
        lines << QStringLiteral("%1/%2/%3: '%4' %5").arg(nameOf(w->window()), nameOf(w), where, text, why);
    }
};

// The x, in w's coordinates, up to which w can be seen: its own right edge,
// or a parent's when the parent ends first. Inside a scroll area's viewport
// the contents scroll, so the search ends there.
inline int visibleRight(const QWidget* w)
{
    int right = w->width();
    int offset = 0;
    const QWidget* c = w;
    while (!c->isWindow() && c->parentWidget()) {
        offset += c->x();
        const QWidget* p = c->parentWidget();
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()); area && area->viewport() == p)
            break;
        right = std::min(right, p->width() - offset);
        c = p;
    }
    return right;
}

inline QString withoutMnemonic(QString t)
{
    t.replace(QLatin1String("&&"), QChar(0x1));
    t.remove(QLatin1Char('&'));
    t.replace(QChar(0x1), QLatin1Char('&'));
    return t;
}

inline int widestLine(const QFontMetrics& fm, const QString& text)
{
    int w = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

inline void checkLabel(const QLabel* l, const Reporter& report)
{
    const QString text = l->text();
    if (text.isEmpty()) return;
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) return;
    const QFontMetrics fm = l->fontMetrics();
    if (l->wordWrap()) {
        // Its lines as high as they need, and no word wider than a line.
        const int width = std::min(l->width(), visibleRight(l));
        report(l, QStringLiteral("text height"), text, l->heightForWidth(width), l->height());
        const QRect cr = l->contentsRect();
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            report(l, QStringLiteral("word"), word, fm.horizontalAdvance(word) + 2 * l->margin(),
                   std::min(cr.width(), visibleRight(l) - cr.left()));
        return;
    }
    int indent = l->indent();
    if (indent < 0) indent = l->frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const QRect cr = l->contentsRect();
    int has = cr.width() - 2 * l->margin() - indent;
    // Centred or right-aligned text starts further in; the span that counts
    // is the one inside what a parent leaves visible.
    has = std::min(has, visibleRight(l) - cr.left() - l->margin() - indent);
    report(l, QStringLiteral("text"), text, widestLine(fm, text), has);
}

inline void checkButton(const QAbstractButton* b, const Reporter& report)
{
    const QString text = withoutMnemonic(b->text());
    if (text.isEmpty()) return;
    const QStyle* st = b->style();
    const QFontMetrics fm = b->fontMetrics();
    const int iconW = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    int need = widestLine(fm, text);
    if (qobject_cast<const QCheckBox*>(b)) {
        need += st->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                st->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b) + iconW;
    } else if (qobject_cast<const QRadioButton*>(b)) {
        need += st->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b) +
                st->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b) + iconW;
    } else if (auto* tb = qobject_cast<const QToolButton*>(b)) {
        if (tb->toolButtonStyle() == Qt::ToolButtonIconOnly && !tb->icon().isNull()) return;
        if (tb->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) need += iconW;
        need += 6; // the tool button's frame and margins
    } else if (qobject_cast<const QPushButton*>(b)) {
        need += iconW + st->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                2 * st->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    } else {
        return;
    }
    report(b, QStringLiteral("text"), text, need, std::min(b->width(), visibleRight(b)));
}

inline void checkTabBar(const QTabBar* bar, const Reporter& report)
{
    const bool vertical = bar->shape() == QTabBar::RoundedWest || bar->shape() == QTabBar::RoundedEast ||
                          bar->shape() == QTabBar::TriangularWest || bar->shape() == QTabBar::TriangularEast;
    const int hspace = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i)) continue;
        const QString text = withoutMnemonic(bar->tabText(i));
        if (text.isEmpty()) continue;
        const int iconW = bar->tabIcon(i).isNull() ? 0 : bar->iconSize().width() + 4;
        const QRect r = bar->tabRect(i);
        report(bar, QStringLiteral("tab %1").arg(i), text,
               bar->fontMetrics().horizontalAdvance(text) + hspace + iconW, vertical ? r.height() : r.width());
    }
}

inline void checkHeader(const QHeaderView* h, const QWidget* view, const Reporter& report)
{
    if (!h->isVisible() || h->orientation() != Qt::Horizontal || !h->model()) return;
    for (int i = 0; i < h->count(); ++i) {
        if (h->isSectionHidden(i)) continue;
        const QString text = h->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        QStyleOptionHeader opt;
        opt.initFrom(h);
        opt.section = i;
        opt.text = text;
        opt.fontMetrics = h->fontMetrics();
        if (h->isSortIndicatorShown() && h->sortIndicatorSection() == i)
            opt.sortIndicator = h->sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                              : QStyleOptionHeader::SortUp;
        const int need = h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h).width();
        report(view, QStringLiteral("title %1").arg(i), text, need, h->sectionSize(i));
    }
}

inline void checkTable(QTableView* v, const Reporter& report)
{
    QAbstractItemModel* m = v->model();
    if (!m) return;
    checkHeader(v->horizontalHeader(), v, report);
    auto* grid = qobject_cast<KeoEGridView*>(v);
    const int gridLine = v->showGrid() ? 1 : 0;
    QStyleOptionViewItem opt;
    opt.initFrom(v);
    opt.font = v->font();
    opt.fontMetrics = QFontMetrics(opt.font);
    opt.showDecorationSelected = true;
    const int iconSize = v->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, v);
    opt.decorationSize = v->iconSize().isValid() ? v->iconSize() : QSize(iconSize, iconSize);
    for (int c = 0; c < m->columnCount(); ++c) {
        if (v->isColumnHidden(c)) continue;
        const int has = v->columnWidth(c) - (grid ? 0 : gridLine);
        // A grid that measures by text alone has each text of a column checked once.
        QSet<QString> seen;
        const bool byText = grid && grid->MeasuresByText && !grid->OnGetDrawValues;
        for (int r = 0; r < m->rowCount(); ++r) {
            if (v->isRowHidden(r)) continue;
            const QModelIndex idx = m->index(r, c);
            const QString text = idx.data(Qt::DisplayRole).toString();
            if (text.isEmpty()) continue;
            if (byText) {
                if (seen.contains(text)) continue;
                seen.insert(text);
            }
            // A grid that follows its view's width may close its cells up on
            // their texts: what it may give up of the margins is not a cut.
            const int need = grid ? grid->cellWidthNeeded(c, r + 1) - grid->cellMarginGiveUp()
                                  : v->itemDelegateForIndex(idx)->sizeHint(opt, idx).width();
            report(v, QStringLiteral("row %1 col %2").arg(r + 1).arg(c), text, need, has);
        }
    }
}

inline void checkList(QListView* v, const Reporter& report)
{
    QAbstractItemModel* m = v->model();
    if (!m) return;
    const bool scrolls = v->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    for (int r = 0; r < m->rowCount(v->rootIndex()); ++r) {
        if (v->isRowHidden(r)) continue;
        const QModelIndex idx = m->index(r, v->modelColumn(), v->rootIndex());
        const QString text = idx.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        const QRect rect = v->visualRect(idx);
        int has = rect.width();
        if (!scrolls) has = std::min(has, v->viewport()->width() - std::max(0, rect.left()));
        report(v, QStringLiteral("item %1").arg(r), text, v->sizeHintForIndex(idx).width(), has);
    }
}

inline void checkPanels(const TStatusPanels* bar, const Reporter& report)
{
    const int right = visibleRight(bar);
    for (int i = 0; i < bar->panelCount(); ++i) {
        const QString text = bar->text(i);
        if (text.isEmpty()) continue;
        const QRect r = bar->panelRect(i);
        report(bar, QStringLiteral("panel %1").arg(i), text, bar->neededWidth(i),
               std::min(r.right() + 1, right) - r.left());
    }
}

// The texts a chart draws (title, axis titles and labels, legend, value
// marks): none shortened to "...", no axis label left out, none touching a
// neighbour of its own group.
inline void checkChart(QChartView* v, const Reporter& report)
{
    const QString ellipsis = QStringLiteral("...");
    QList<QGraphicsTextItem*> shown;
    for (QGraphicsItem* item : v->scene()->items()) {
        auto* t = dynamic_cast<QGraphicsTextItem*>(item);
        if (!t) continue;
        const QString text = t->toPlainText();
        if (text.isEmpty()) continue;
        if (!t->isVisible()) {
            if (t->parentItem() && t->parentItem()->isVisible())
                report.note(v, QStringLiteral("chart text"), text, QStringLiteral("left out"));
            continue;
        }
        if (text.contains(ellipsis)) report.note(v, QStringLiteral("chart text"), text, QStringLiteral("cut"));
        shown << t;
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j) {
            if (shown[i]->parentItem() != shown[j]->parentItem()) continue;
            // Their boxes hold a pixel of margin each side: boxes that meet are texts that touch.
            if (shown[i]->sceneBoundingRect().adjusted(1, 1, -1, -1).intersects(shown[j]->sceneBoundingRect()))
                report.note(v, QStringLiteral("chart text"), shown[i]->toPlainText(),
                            QStringLiteral("touches '%1'").arg(shown[j]->toPlainText()));
        }
}

} // namespace textfit

// One line per text under root (root included) that is drawn wider than its
// space; only widgets that are shown count.
inline QStringList cutTexts(QWidget* root)
{
    QStringList lines;
    const textfit::Reporter report{lines};
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->isVisible()) continue;
        // A grid's fixed columns are its own cells drawn over its left edge:
        // they are checked with the grid.
        if (auto* g = qobject_cast<KeoEGridView*>(w->parentWidget()); g && g->fixedColumnsView() == w) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) textfit::checkLabel(l, report);
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) textfit::checkButton(b, report);
        else if (auto* t = qobject_cast<QTabBar*>(w)) textfit::checkTabBar(t, report);
        else if (auto* tv = qobject_cast<QTableView*>(w)) textfit::checkTable(tv, report);
        else if (auto* lv = qobject_cast<QListView*>(w)) textfit::checkList(lv, report);
        else if (auto* sp = qobject_cast<TStatusPanels*>(w)) textfit::checkPanels(sp, report);
        else if (auto* cv = qobject_cast<QChartView*>(w)) textfit::checkChart(cv, report);
    }
    return lines;
}
