#include "main/status_panels.h"

#include <QPainter>

TStatusPanels::TStatusPanels(QWidget* parent) : QWidget(parent) { setFixedHeight(18); }

void TStatusPanels::addPanel(int width, bool centred, bool ownerDrawn)
{
    panels_.push_back({QString(), width, centred, ownerDrawn});
    update();
}

void TStatusPanels::setText(int i, const QString& t)
{
    if (i < 0 || i >= panelCount()) return;
    panels_[static_cast<size_t>(i)].text = t;
    update();
}

QRect TStatusPanels::panelRect(int i) const
{
    int x = 0;
    for (int k = 0; k < i; ++k) x += panels_[static_cast<size_t>(k)].width;
    int w = panels_.at(static_cast<size_t>(i)).width;
    if (i == panelCount() - 1) w = std::max(w, width() - x); // the last panel takes the rest
    return QRect(x, 0, w, height());
}

void TStatusPanels::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int i = 0; i < panelCount(); ++i) {
        const QRect r = panelRect(i);
        p.setPen(palette().mid().color());
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const QRect inner = r.adjusted(2, 1, -2, -1);
        const auto& pn = panels_[static_cast<size_t>(i)];
        if (pn.ownerDrawn && OnDrawPanel) {
            p.save();
            p.setClipRect(inner);
            OnDrawPanel(p, i, inner);
            p.restore();
            continue;
        }
        p.setPen(palette().windowText().color());
        p.drawText(inner, (pn.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, pn.text);
    }
}
