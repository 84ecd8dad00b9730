#pragma once
// A chart view drawn into an image off screen, whatever the view's state.

#include <QChartView>
#include <QImage>

#include <functional>

// The chart at the given size; without one, at the widget's size, or 640x400
// when the widget has never been sized. The widget itself is not resized.
// fit, when given, runs each time the chart has been laid out at a new size
// (the picture's, then the widget's again): what a chart fits to its size.
QImage renderChartImage(QChartView& view, QSize size = {}, const std::function<void()>& fit = {});
