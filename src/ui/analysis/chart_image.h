#pragma once
// A chart view drawn into an image off screen, whatever the view's state.

#include <QChartView>
#include <QImage>

// The chart at the given size; without one, at the widget's size, or 640x400
// when the widget has never been sized. The widget itself is not resized.
QImage renderChartImage(QChartView& view, QSize size = {});
