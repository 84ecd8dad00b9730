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

// How the chart is drawn, whatever it shows: the user's chart settings.
struct ChartLook {
    bool axes = true;
    bool colour = true; // false: shades of grey
    bool threeD = false;
    bool gradient = true;
    bool legend = false;
    std::uint32_t gradientColor = 0x00FFFF; // 0xBBGGRR, the gradient's end
    bool operator==(const ChartLook&) const = default;
};

class AnalysisChartView : public QChartView {
    Q_OBJECT
public:
    explicit AnalysisChartView(QWidget* parent = nullptr);

    // Shows the data, replacing whatever was drawn; the zoom is kept.
    void setData(const ChartData& data);
    const ChartData& data() const { return data_; }

    const ChartLook& look() const { return look_; }
    // Redraws the shown data with the new look.
    void setLook(const ChartLook& look);

    void zoomPercent(int percent);
    void undoZoom();
    bool allowZoom() const { return allowZoom_; }
    void setAllowZoom(bool on);

    // The chart drawn off screen at the given size (the widget's size by default).
    QImage renderImage(QSize size = {});

private:
    ChartData data_;
    ChartLook look_;
    bool allowZoom_ = true;
    QValueAxis* bottomValue_ = nullptr;
    QCategoryAxis* bottomLabels_ = nullptr;
    QBarCategoryAxis* bottomBars_ = nullptr;
    QValueAxis* leftValue_ = nullptr;
    QBarCategoryAxis* leftBars_ = nullptr;
    QValueAxis* right_ = nullptr;
};
