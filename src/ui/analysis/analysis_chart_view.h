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

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // What a value axis shows: the data's extent, the room beyond it for the
    // value marks, and its ticks on round numbers for its range and length
    // (whole numbers when it counts) or at the chart's own increment.
    struct AxisFit {
        bool whole = true;
        double increment = 0; // 0: automatic
        bool fitted = false;  // the range follows the data (else another axis type shows)
        double lo = 0, hi = 1;
        bool room = false; // room above the data, for the marks measured in pixels
        double markPixels = 0;
        bool below = false; // room below too
    };
    // The width at which every label under vertical bars shows whole.
    int wholeLabelsWidth() const;
    // The fonts of axis labels and of value marks: a point smaller on a short chart.
    QFont labelsFont() const;
    QFont marksFont() const;
    QFont roomyMarksFont_;
    QStringList barMarks_; // the value marks over vertical bars
    void fitMinimumWidth();
    // The room around the plot: less of it on a short chart.
    void fitMargins();
    int roomyMinimumWidth_ = 0;
    QMargins roomyMargins_;
    QMarginsF roomyFrame_;
    QFont roomyLabelsFont_;
    bool small_ = false;
    double tickStep(const QValueAxis* axis, const AxisFit& rule, double span) const;
    void setTicks(QValueAxis* axis, double step);
    // The ranges of the value axes for the data and the chart's size, fitted
    // once for each change of what is shown, of the size or of the fonts.
    void fitRanges();
    // The tick intervals of the value axes for their present range and size.
    void retick();
    AxisFit bottomFit_, leftFit_;
    // What the ranges were last fitted for, and the ranges that fit gave.
    struct FittedFor {
        unsigned shown = 0; // counts changes of the data or the look
        QSize size;
        bool small = false;
        bool operator==(const FittedFor&) const = default;
    };
    unsigned shown_ = 0;
    bool fitted_ = false; // not while the last fit was made out of sight
    FittedFor fittedFor_;
    double bottomLo_ = 0, bottomHi_ = 1, leftLo_ = 0, leftHi_ = 1;
    ChartData data_;
    ChartLook look_;
    bool allowZoom_ = true;
    QValueAxis* bottomValue_ = nullptr;
    QCategoryAxis* bottomLabels_ = nullptr;
    QCategoryAxis* bottomBars_ = nullptr; // names of vertical bars
    QValueAxis* leftValue_ = nullptr;
    QBarCategoryAxis* leftBars_ = nullptr;
    QValueAxis* right_ = nullptr;
};
