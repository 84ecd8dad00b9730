#pragma once
// Charts only a few lines high (the 2 Radio page stacks three, a small
// window shrinks the Summary chart) give the room around their plot to the
// plot, and carry only the value labels that fit with room between them.

#include <QMarginsF>

class QChart;
class QValueAxis;

// Below this height a chart counts as short.
constexpr int kShortChartHeight = 260;

// The margins of the frame around the chart's background, set only when
// they change (each change lays the chart out again).
QMarginsF chartFrame(const QChart& c);
void setChartFrame(QChart& c, const QMarginsF& frame);

// How many intervals a value axis can carry along a plot of that length,
// its labels a line and a half apart; 0 before the plot is laid out.
int tickIntervalsThatFit(const QValueAxis& axis, double plotLength);
