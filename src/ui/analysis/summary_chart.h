#pragma once
// The Summary page's percentage chart: one bar per band for the share of
// QSOs, of operating time and of band moves.

#include "analysis/analysis_pass.h"

#include <QChartView>
#include <QImage>

#include <filesystem>
#include <string>

class QBarCategoryAxis;
class QBarSeries;
class QValueAxis;

class SummaryChartView : public QChartView {
    Q_OBJECT
public:
    explicit SummaryChartView(QWidget* parent = nullptr);

    // Shows the chart data: a bar set per series in its colour, bars labelled
    // with the bands, value marks on the bars when MarksVisible.
    void setData(const SummaryChartData& data);
    // No bars, only the title (the Summary page of a fresh program).
    void clear(const std::string& title);

    // The chart drawn off screen at the given size; without one, at the
    // widget's size, or 640x400 when the widget has never been sized.
    QImage renderImage(QSize size = {});
    // Renders and writes a JPEG at quality 70. Throws std::runtime_error
    // when the file cannot be written.
    void saveJpeg(const std::filesystem::path& path);

    QBarSeries* barSeries() const { return series_; }
    QBarCategoryAxis* bandAxis() const { return bandAxis_; }
    QValueAxis* percentAxis() const { return percentAxis_; }

private:
    QBarSeries* series_;
    QBarCategoryAxis* bandAxis_;
    QValueAxis* percentAxis_;
};
