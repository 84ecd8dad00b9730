#include "main/status_panels.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

TStatusPanels::TStatusPanels(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(std::max(18, fontMetrics().height() + 4));
}

void TStatusPanels::addPanel(int width, bool centred, bool ownerDrawn)
{
    panels_.push_back({QString(), width, centred, ownerDrawn});
    measured_.clear();
    update();
}

void TStatusPanels::setText(int i, const QString& t)
{
    if (i < 0 || i >= panelCount()) return;
    if (panels_[static_cast<size_t>(i)].text != t && static_cast<size_t>(i) < measured_.size())
        measured_[static_cast<size_t>(i)] = -1;
    panels_[static_cast<size_t>(i)].text = t;
    update();
    emit textsChanged();
}

QFont TStatusPanels::panelFont(int i) const
{
    QFont f = font();
    f.setBold(panels_.at(static_cast<size_t>(i)).bold);
    return f;
}

int TStatusPanels::neededWidth(int i) const
{
    const auto& pn = panels_.at(static_cast<size_t>(i));
    if (pn.text.isEmpty()) return 0;
    if (measured_.size() != panels_.size()) measured_.assign(panels_.size(), -1);
    int& w = measured_[static_cast<size_t>(i)];
    if (w < 0) w = pn.indent + QFontMetrics(panelFont(i)).horizontalAdvance(pn.text) + 2 * kTextMargin;
    return w;
}

int TStatusPanels::panelWidth(int i) const { return std::max(panels_.at(static_cast<size_t>(i)).width, neededWidth(i)); }

int TStatusPanels::totalWidth() const
{
    int w = 0;
    for (int i = 0; i < panelCount(); ++i) w += panelWidth(i);
    return w;
}

int TStatusPanels::usedWidth() const
{
    int w = 0, used = 0;
    for (int i = 0; i < panelCount(); ++i) {
        w += panelWidth(i);
        if (!text(i).isEmpty()) used = w;
    }
    return used;
}

int TStatusPanels::neededUsedWidth() const
{
    int w = 0, used = 0;
    for (int i = 0; i < panelCount(); ++i) {
        w += neededWidth(i);
        if (!text(i).isEmpty()) used = w;
    }
    return used;
}

std::vector<int> TStatusPanels::layoutWidths() const
{
    std::vector<int> w(panels_.size());
    int total = 0, spare = 0;
    for (int i = 0; i < panelCount(); ++i) {
        w[static_cast<size_t>(i)] = panelWidth(i);
        total += w[static_cast<size_t>(i)];
        spare += w[static_cast<size_t>(i)] - neededWidth(i);
    }
    // The bar keeps its start as it was: an empty panel at the end goes
    // before any text loses a pixel of its margin.
    int deficit = std::clamp(total - width(), 0, spare);
    for (int i = panelCount() - 1; i >= 0 && deficit > 0; --i) {
        const int give = std::min(deficit, w[static_cast<size_t>(i)] - neededWidth(i));
        w[static_cast<size_t>(i)] -= give;
        deficit -= give;
    }
    return w;
}

QRect TStatusPanels::panelRect(int i) const
{
    const std::vector<int> widths = layoutWidths();
    int x = 0;
    for (int k = 0; k < i; ++k) x += widths[static_cast<size_t>(k)];
    int w = widths.at(static_cast<size_t>(i));
    if (i == panelCount() - 1) w = std::max(w, width() - x); // the last panel takes the rest
    return QRect(x, 0, w, height());
}

QRect TStatusPanels::textRect(int i) const { return panelRect(i).adjusted(kTextMargin, 1, -kTextMargin, -1); }

void TStatusPanels::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        measured_.clear();
        setFixedHeight(std::max(18, fontMetrics().height() + 4));
    }
    QWidget::changeEvent(e);
}

void TStatusPanels::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int i = 0; i < panelCount(); ++i) {
        const QRect r = panelRect(i);
        p.setPen(palette().mid().color());
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const auto& pn = panels_[static_cast<size_t>(i)];
        if (pn.ownerDrawn && OnDrawPanel) {
            // The owner fills the panel inside its frame and writes at textRect.
            p.save();
            p.setClipRect(r.adjusted(1, 1, -1, -1));
            OnDrawPanel(p, i, r.adjusted(1, 1, -1, -1));
            p.restore();
            continue;
        }
        p.setFont(panelFont(i));
        p.setPen(palette().windowText().color());
        p.drawText(textRect(i).adjusted(pn.indent, 0, 0, 0),
                   (pn.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, pn.text);
    }
}
