#pragma once
// The Summary page's percentage chart: one bar per band for the share of
// QSOs, of operating time and of band moves.

#include "analysis/analysis_pass.h"
#include "analysis/chart_data.h"

#include <QChartView>
#include <QImage>

#include <filesystem>
#include <string>

class QBarCategoryAxis;
class QAbstractBarSeries;
class QBarSet;
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

    // The bar layout of the three series; the bars keep their values.
    MultiBar multiBar() const { return multiBar_; }
    void setMultiBar(MultiBar m);

    // The first bar series (in the side-by-side layout, the only one).
    QAbstractBarSeries* barSeries() const { return allSeries_.front(); }
    const QList<QAbstractBarSeries*>& allBarSeries() const { return allSeries_; }
    QBarCategoryAxis* bandAxis() const { return bandAxis_; }
    QValueAxis* percentAxis() const { return percentAxis_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void retick();
    QMargins roomyMargins_;
    QMarginsF roomyFrame_;
    QList<QBarSet*> takeSets();
    void layBars(const QList<QBarSet*>& sets);
    QList<QAbstractBarSeries*> allSeries_;
    MultiBar multiBar_ = MultiBar::Side;
    bool marksVisible_ = true;
    QBarCategoryAxis* bandAxis_;
    QValueAxis* percentAxis_;
};
