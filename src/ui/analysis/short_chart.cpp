#include "analysis/short_chart.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QValueAxis>

#include <algorithm>

QMarginsF chartFrame(const QChart& c)
{
    qreal l = 0, t = 0, r = 0, b = 0;
    c.layout()->getContentsMargins(&l, &t, &r, &b);
    return {l, t, r, b};
}

void setChartFrame(QChart& c, const QMarginsF& frame)
{
    if (chartFrame(c) != frame) c.layout()->setContentsMargins(frame.left(), frame.top(), frame.right(), frame.bottom());
}

int tickIntervalsThatFit(const QValueAxis& axis, double plotLength)
{
    const double spacing = QFontMetricsF(axis.labelsFont()).height() * 1.5;
    if (plotLength < spacing) return 0;
    return std::max(1, static_cast<int>(plotLength / spacing));
}
