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
    forgetMeasures();
    update();
}

void TStatusPanels::setSmallestPointSize(qreal points)
{
    smallestPoints_ = points;
    forgetMeasures();
    update();
}

void TStatusPanels::forgetMeasures()
{
    natural_.clear();
    fit_ = Fit();
}

void TStatusPanels::setText(int i, const QString& t)
{
    if (i < 0 || i >= panelCount()) return;
    if (panels_[static_cast<size_t>(i)].text != t) forgetMeasures();
    panels_[static_cast<size_t>(i)].text = t;
    update();
    emit textsChanged();
}

std::vector<int> TStatusPanels::measure(qreal points) const
{
    std::vector<int> needs(panels_.size(), 0);
    for (size_t i = 0; i < panels_.size(); ++i) {
        const Panel& pn = panels_[i];
        if (pn.text.isEmpty()) continue;
        QFont f = font();
        f.setBold(pn.bold);
        if (points > 0) f.setPointSizeF(points);
        needs[i] = pn.indent + QFontMetrics(f).horizontalAdvance(pn.text) + 2 * kTextMargin;
    }
    return needs;
}

const std::vector<int>& TStatusPanels::natural() const
{
    if (natural_.size() != panels_.size()) natural_ = measure(0);
    return natural_;
}

const TStatusPanels::Fit& TStatusPanels::fit() const
{
    if (fit_.barWidth == width() && fit_.needs.size() == panels_.size()) return fit_;
    fit_ = {width(), 0, natural()};
    const qreal own = font().pointSizeF();
    auto fits = [this](const std::vector<int>& needs) {
        int sum = 0;
        for (int n : needs) sum += n;
        return sum <= width();
    };
    // Half a point at a time: as near the bar's own size as the width allows.
    if (smallestPoints_ > 0 && own > 0 && !fits(fit_.needs)) {
        for (qreal points = own - 0.5; points >= smallestPoints_ - 0.01; points -= 0.5) {
            fit_.points = points;
            fit_.needs = measure(points);
            if (fits(fit_.needs)) break;
        }
    }
    return fit_;
}

QFont TStatusPanels::panelFont(int i) const
{
    QFont f = font();
    f.setBold(panels_.at(static_cast<size_t>(i)).bold);
    if (fit().points > 0) f.setPointSizeF(fit().points);
    return f;
}

int TStatusPanels::neededWidth(int i) const { return fit().needs.at(static_cast<size_t>(i)); }

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
        w += std::max(panels_[static_cast<size_t>(i)].width, natural()[static_cast<size_t>(i)]);
        if (!text(i).isEmpty()) used = w;
    }
    return used;
}

int TStatusPanels::neededUsedWidth() const
{
    int w = 0, used = 0;
    for (int i = 0; i < panelCount(); ++i) {
        w += natural()[static_cast<size_t>(i)];
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
        forgetMeasures();
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
            // The owner fills the panel inside its frame and writes at textRect,
            // in the panel's font unless it takes one of its own.
            p.save();
            p.setFont(panelFont(i));
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
