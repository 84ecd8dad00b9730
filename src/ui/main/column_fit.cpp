#include "main/column_fit.h"

#include "main/keoe_grid_view.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

void fitColumnsToTexts(KeoEGridView& view, const std::vector<int>& minimums)
{
    // The view measures its texts itself; the model must first show what the
    // core grid holds now.
    view.gridModel()->refresh();
    view.setColumnWidths(minimums);
}

int fullGridWidth(KeoEGridView& view)
{
    int w = 2 * view.frameWidth() + view.verticalScrollBar()->sizeHint().width();
    if (!view.verticalHeader()->isHidden()) w += view.verticalHeader()->width();
    for (int c = 0; c < view.model()->columnCount(); ++c)
        if (!view.isColumnHidden(c)) w += view.columnWidth(c);
    return w;
}

void widenToShow(QWidget& window, int width)
{
    if (window.width() >= width) return;
    const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    // A window not shown yet has no frame to measure: leave room for a usual one.
    const int frame = window.isVisible() ? std::max(0, window.frameGeometry().width() - window.width()) : 16;
    window.resize(std::min(width, area.width() - frame), window.height());
    // Grown past the screen's right edge, it moves left as far as needed.
    if (window.isVisible() && window.frameGeometry().right() > area.right())
        window.move(std::max(area.left(), window.x() - (window.frameGeometry().right() - area.right())), window.y());
}
