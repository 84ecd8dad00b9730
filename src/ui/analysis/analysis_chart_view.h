#pragma once
// Draws a chart computed by core (ChartData) with Qt Charts: bars, lines,
// stairs and points, per-point colours, marks, axis titles and increments,
// the right-hand scale, zoom.

#include "analysis/chart_data.h"

#include <QChartView>
#include <QImage>

class QBarCategoryAxis;
class QCategoryAxis;
class QValueAxis;

class AnalysisChartView : public QChartView {
    Q_OBJECT
public:
    explicit AnalysisChartView(QWidget* parent = nullptr);

    // Shows the data, replacing whatever was drawn; the zoom is kept.
    void setData(const ChartData& data);
    const ChartData& data() const { return data_; }

    void zoomPercent(int percent);
    void undoZoom();
    bool allowZoom() const { return allowZoom_; }
    void setAllowZoom(bool on);

    // The chart drawn off screen at the given size (the widget's size by default).
    QImage renderImage(QSize size = {});

private:
    ChartData data_;
    bool allowZoom_ = true;
    QValueAxis* bottomValue_ = nullptr;
    QCategoryAxis* bottomLabels_ = nullptr;
    QBarCategoryAxis* bottomBars_ = nullptr;
    QValueAxis* leftValue_ = nullptr;
    QBarCategoryAxis* leftBars_ = nullptr;
    QValueAxis* right_ = nullptr;
};
