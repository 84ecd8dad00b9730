#pragma once
// Finds the texts of a window that are drawn in less room than they need:
// labels, buttons, tab titles, header titles and table cells (in the font the
// cell is drawn in), list items and status panels. One line per cut text.

#include "main/keoe_grid_view.h"
#include "main/status_panels.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace textfit {

inline QString where(const QWidget* w)
{
    QString path;
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        const QString n = p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName();
        path = path.isEmpty() ? n : n + "/" + path;
        if (p->isWindow()) break;
    }
    return path;
}

inline QString line(const QWidget* w, const QString& text, int need, int room)
{
    return QString("%1: \"%2\" needs %3 px, has %4").arg(where(w), text).arg(need).arg(room);
}

// Width of a widget's text as drawn with mnemonics ("&Go!" shows as "Go!").
inline int mnemonicWidth(const QFontMetrics& fm, const QString& text)
{
    return fm.size(Qt::TextShowMnemonic, text).width();
}

inline void checkLabel(const QLabel* l, QStringList& out)
{
    if (l->text().isEmpty() || l->wordWrap()) return;
    const QRect room = l->contentsRect().adjusted(l->margin(), 0, -l->margin(), 0);
    int need = 0;
    const bool rich = l->textFormat() == Qt::RichText ||
                      (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        need = static_cast<int>(std::ceil(doc.idealWidth()));
    } else {
        const QFontMetrics fm(l->font());
        need = l->buddy() ? mnemonicWidth(fm, l->text()) : fm.size(0, l->text()).width();
    }
    const int indent = std::max(0, l->indent());
    if (need + indent > room.width()) out << line(l, l->text(), need + indent, room.width());
}

inline void checkButton(QAbstractButton* b, QStringList& out)
{
    if (b->text().isEmpty()) return;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    QStyle::SubElement contents;
    if (qobject_cast<QCheckBox*>(b)) contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(b)) contents = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<QPushButton*>(b)) contents = QStyle::SE_PushButtonContents;
    else return;
    const QRect room = b->style()->subElementRect(contents, &opt, b);
    int need = mnemonicWidth(QFontMetrics(b->font()), b->text());
    if (!b->icon().isNull()) need += b->iconSize().width() + 4;
    if (need > room.width()) out << line(b, b->text(), need, room.width());
}

inline void checkTabBar(const QTabBar* t, QStringList& out)
{
    const QFontMetrics fm(t->font());
    for (int i = 0; i < t->count(); ++i) {
        if (!t->isTabVisible(i)) continue;
        const QRect r = t->tabRect(i);
        const int need = mnemonicWidth(fm, t->tabText(i)) + t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t) / 2;
        if (need > r.width()) out << line(t, t->tabText(i), need, r.width());
    }
}

inline void checkStatusPanels(TStatusPanels* s, QStringList& out)
{
    const QFontMetrics fm(s->font());
    for (int i = 0; i < s->panelCount(); ++i) {
        if (s->panel(i).ownerDrawn || s->text(i).isEmpty()) continue;
        const QRect r = s->panelRect(i).intersected(s->rect()).adjusted(2, 1, -2, -1);
        const int need = fm.horizontalAdvance(s->text(i));
        if (need > r.width()) out << line(s, s->text(i), need, r.width());
    }
}

inline void checkHeader(const QHeaderView* h, QStringList& out)
{
    if (h->isHidden() || h->orientation() != Qt::Horizontal || !h->model()) return;
    const QFontMetrics fm(h->font());
    const int margins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    for (int c = 0; c < h->count(); ++c) {
        if (h->isSectionHidden(c) || h->sectionSize(c) == 0) continue;
        const QString title = h->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (title.isEmpty()) continue;
        const int need = fm.horizontalAdvance(title) + margins;
        if (need > h->sectionSize(c)) out << line(h, "title " + title, need, h->sectionSize(c));
    }
}

// Every cell of every row, not only those on screen: scrolling must not
// bring a cut cell into view.
inline void checkTable(QTableView* v, QStringList& out)
{
    QAbstractItemModel* m = v->model();
    if (!m) return;
    auto* keo = qobject_cast<KeoEGridView*>(v);
    for (int c = 0; c < m->columnCount(); ++c) {
        if (v->isColumnHidden(c) || v->columnWidth(c) == 0) continue;
        // The grid draws 2 px in from each side of a cell one grid line narrower than the column.
        const int room = v->columnWidth(c) - (v->showGrid() ? 1 : 0) - 4;
        // The sum of a text's glyph advances is its width but for kerning,
        // which draws Latin pairs closer: a text whose sum fits needs no measuring.
        const QFontMetrics plain(v->font());
        int advance[128] = {};
        for (int ch = 32; ch < 127; ++ch) advance[ch] = plain.horizontalAdvance(QChar(ch));
        auto fitsSurely = [&](const std::string& cell) {
            int bound = 0;
            for (unsigned char ch : cell) {
                if (ch < 32 || ch >= 127) return false;
                bound += advance[ch];
            }
            return bound <= room;
        };
        int cutRows = 0;
        for (int r = 0; r < m->rowCount(); ++r) {
            if (v->isRowHidden(r)) continue;
            QFont f = v->font();
            QString text;
            if (keo) {
                const std::string& cell = keo->grid().Cell(c, r + 1);
                if (!keo->OnGetDrawValues && fitsSurely(cell)) continue;
                text = QString::fromUtf8(cell);
                if (keo->OnGetDrawValues) {
                    TAlignment al = keo->grid().Alignment;
                    QColor bg;
                    keo->OnGetDrawValues(c, r + 1, f, al, bg);
                }
            } else {
                text = m->index(r, c).data().toString();
            }
            if (text.isEmpty()) continue;
            const int need = QFontMetrics(f).horizontalAdvance(text);
            // A few rows tell the fault; the count tells how far it goes.
            if (need > room && ++cutRows <= 3)
                out << line(v, QString("row %1 col %2 %3").arg(r + 1).arg(c).arg(text), need, room);
        }
        if (cutRows > 3) out << QString("%1: %2 more cut cells in col %3").arg(where(v)).arg(cutRows - 3).arg(c);
    }
}

inline void checkItemView(QAbstractItemView* v, QStringList& out)
{
    QAbstractItemModel* m = v->model();
    if (!m || qobject_cast<QTableView*>(v) || qobject_cast<QHeaderView*>(v)) return;
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex i = m->index(r, 0);
        const QRect rect = v->visualRect(i);
        if (rect.isEmpty()) continue;
        QStyleOptionViewItem opt;
        opt.initFrom(v);
        opt.font = v->font();
        opt.rect = rect;
        opt.features |= QStyleOptionViewItem::HasDisplay;
        if (i.data(Qt::CheckStateRole).isValid()) opt.features |= QStyleOptionViewItem::HasCheckIndicator;
        const int need = v->itemDelegateForIndex(i)->sizeHint(opt, i).width();
        if (need > rect.width()) out << line(v, i.data().toString(), need, rect.width());
    }
}

} // namespace textfit

// One line per text of root (and of its visible children) that is wider than
// the room it is drawn in.
inline QStringList cutTexts(QWidget* root)
{
    QStringList out;
    if (!root || !root->isVisible()) return out;
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if (!w->isVisible() || w->window() != root->window()) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) textfit::checkLabel(l, out);
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) textfit::checkButton(b, out);
        else if (auto* t = qobject_cast<QTabBar*>(w)) textfit::checkTabBar(t, out);
        else if (auto* s = qobject_cast<TStatusPanels*>(w)) textfit::checkStatusPanels(s, out);
        else if (auto* h = qobject_cast<QHeaderView*>(w)) textfit::checkHeader(h, out);
        else if (auto* v = qobject_cast<QTableView*>(w)) textfit::checkTable(v, out);
        else if (auto* iv = qobject_cast<QAbstractItemView*>(w)) textfit::checkItemView(iv, out);
    }
    return out;
}
