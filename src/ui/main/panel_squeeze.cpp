#include "main/panel_squeeze.h"

#include "main/status_panels.h"

#include <QEvent>

#include <algorithm>

PanelSqueeze::PanelSqueeze(TStatusPanels& bar) : QObject(&bar), bar_(bar)
{
    setObjectName("PanelSqueeze");
    bar.installEventFilter(this);
    connect(&bar, &TStatusPanels::textsChanged, this, &PanelSqueeze::apply);
}

PanelSqueeze* PanelSqueeze::of(const TStatusPanels& bar)
{
    return bar.findChild<PanelSqueeze*>(QString(), Qt::FindDirectChildrenOnly);
}

void PanelSqueeze::takeOwnerWidths()
{
    const auto n = static_cast<size_t>(bar_.panelCount());
    if (wanted_.size() != n) {
        wanted_.assign(n, 0);
        set_.assign(n, -1);
    }
    for (size_t i = 0; i < n; ++i) {
        const int w = bar_.panel(static_cast<int>(i)).width;
        if (w != set_[i]) wanted_[i] = w;
    }
}

int PanelSqueeze::wantedUsedWidth()
{
    takeOwnerWidths();
    int w = 0, used = 0;
    for (int i = 0; i < bar_.panelCount(); ++i) {
        w += std::max(wanted_[static_cast<size_t>(i)], bar_.neededWidth(i));
        if (!bar_.text(i).isEmpty()) used = w;
    }
    return used;
}

int PanelSqueeze::neededUsedWidth() const
{
    int w = 0, used = 0;
    for (int i = 0; i < bar_.panelCount(); ++i) {
        w += bar_.neededWidth(i);
        if (!bar_.text(i).isEmpty()) used = w;
    }
    return used;
}

void PanelSqueeze::apply()
{
    takeOwnerWidths();
    const int n = bar_.panelCount();
    std::vector<int> full(static_cast<size_t>(n)), spare(static_cast<size_t>(n));
    int total = 0, totalSpare = 0;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        const int need = bar_.neededWidth(i);
        full[k] = std::max(wanted_[k], need);
        spare[k] = full[k] - need;
        total += full[k];
        totalSpare += spare[k];
    }
    // The panels at the end give up their room first: the bar keeps its
    // start as it was, and an empty panel at the end goes before any text
    // loses a pixel of its margin.
    int deficit = std::clamp(total - bar_.width(), 0, totalSpare);
    std::vector<int> cut(static_cast<size_t>(n), 0);
    for (int i = n - 1; i >= 0 && deficit > 0; --i) {
        const auto k = static_cast<size_t>(i);
        cut[k] = std::min(spare[k], deficit);
        deficit -= cut[k];
    }
    bool changed = false;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        const int w = full[k] - cut[k];
        set_[k] = w;
        if (bar_.panel(i).width != w) {
            bar_.panel(i).width = w;
            changed = true;
        }
    }
    if (changed) bar_.update();
}

bool PanelSqueeze::eventFilter(QObject* o, QEvent* e)
{
    if (o == &bar_ && e->type() == QEvent::Resize) apply();
    return QObject::eventFilter(o, e);
}
