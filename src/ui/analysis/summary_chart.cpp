#include "analysis/summary_chart.h"

#include "analysis/chart_image.h"
#include "analysis/short_chart.h"

#include "main/keoe_grid_view.h"
#include "reports/jpeg_writer.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QPercentBarSeries>
#include <QStackedBarSeries>
#include <QChart>
#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QGraphicsScene>
#include <QPainter>
#include <QResizeEvent>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Room above the highest bar (or stack) for its value mark.
double percentAxisTop(const QList<QBarSet*>& sets, MultiBar layout)
{
    if (layout == MultiBar::Stacked100) return 100.0;
    double top = 0;
    int n = 0;
    for (const QBarSet* set : sets) n = std::max(n, static_cast<int>(set->count()));
    for (int i = 0; i < n; ++i) {
        double stack = 0;
        for (const QBarSet* set : sets) {
            const double v = i < set->count() ? set->at(i) : 0.0;
            top = std::max(top, v);
            stack += v;
        }
        if (layout == MultiBar::Stacked) top = std::max(top, stack);
    }
    return top <= 0 ? 10.0 : std::ceil(top * 1.15);
}

} // namespace

SummaryChartView::SummaryChartView(QWidget* parent)
    : QChartView(new QChart(), parent), bandAxis_(new QBarCategoryAxis()), percentAxis_(new QValueAxis())
{
    setObjectName("Chart_sum");
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->setBackgroundBrush(Qt::white);
    c->addAxis(bandAxis_, Qt::AlignBottom);
    c->addAxis(percentAxis_, Qt::AlignLeft);
    percentAxis_->setLabelFormat("%d");
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    roomyMargins_ = c->margins();
    roomyFrame_ = chartFrame(*c);
    // The percent ticks stand as far apart as their labels need on the plot's height.
    percentAxis_->setTickType(QValueAxis::TicksDynamic);
    percentAxis_->setTickAnchor(0);
    // The ticks are fitted when the bars, the titles or the size change, not
    // on the chart's own layout: a new tick interval lays it out again.
    layBars({});
    clear("Summary");
}

void SummaryChartView::resizeEvent(QResizeEvent* e)
{
    // A chart only a few lines high (a small window) gives the room around
    // its plot, and the frame around its background, to the bars and the
    // axes: Qt cuts axis labels to "..." when the axes would take more than
    // a share of what is left.
    const bool small = e->size().height() < kShortChartHeight;
    QChart* c = chart();
    const QMargins m = small ? QMargins(4, 2, 4, 2) : roomyMargins_;
    if (c->margins() != m) c->setMargins(m);
    setChartFrame(*c, small ? QMarginsF() : roomyFrame_);
    QChartView::resizeEvent(e);
    retick();
}

void SummaryChartView::showEvent(QShowEvent* e)
{
    QChartView::showEvent(e);
    retick();
}

void SummaryChartView::retick()
{
    // Measured on the chart as laid out for what it shows now; the plot's
    // height does not depend on the interval of the ticks beside it. A chart
    // out of sight is laid out, and its ticks fitted again, when it is shown.
    if (isVisible()) chart()->layout()->activate();
    const double span = percentAxis_->max() - percentAxis_->min();
    const int fit = tickIntervalsThatFit(*percentAxis_, chart()->plotArea().height());
    const int intervals = fit == 0 ? 5 : std::min(fit, 10);
    const double step = roundTickStep(span, intervals, true);
    if (percentAxis_->tickInterval() != step) percentAxis_->setTickInterval(step);
}

QList<QBarSet*> SummaryChartView::takeSets()
{
    QList<QBarSet*> sets;
    for (QAbstractBarSeries* s : allSeries_)
        for (QBarSet* set : s->barSets())
            if (s->take(set)) {
                set->setParent(nullptr); // the series would otherwise delete it with itself
                sets << set;
            }
    return sets;
}

void SummaryChartView::layBars(const QList<QBarSet*>& sets)
{
    QChart* c = chart();
    for (QAbstractBarSeries* s : allSeries_) {
        c->removeSeries(s);
        delete s;
    }
    allSeries_.clear();
    auto make = [this]() -> QAbstractBarSeries* {
        switch (multiBar_) {
        case MultiBar::Stacked: return new QStackedBarSeries();
        case MultiBar::Stacked100: return new QPercentBarSeries();
        default: return new QBarSeries();
        }
    };
    if (multiBar_ == MultiBar::None && !sets.isEmpty()) {
        // Without a layout every series spreads over the whole band: the bars overlap.
        for (QBarSet* set : sets) {
            auto* s = new QBarSeries();
            s->append(set);
            allSeries_ << s;
        }
    } else {
        QAbstractBarSeries* s = make();
        s->append(sets);
        allSeries_ << s;
    }
    for (QAbstractBarSeries* s : allSeries_) {
        c->addSeries(s);
        s->attachAxis(bandAxis_);
        s->attachAxis(percentAxis_);
        s->setLabelsFormat("@value");
        s->setLabelsPosition(multiBar_ == MultiBar::None || multiBar_ == MultiBar::Side
                                 ? QAbstractBarSeries::LabelsOutsideEnd
                                 : QAbstractBarSeries::LabelsCenter);
        // Three bars per band: wide enough that the marks of neighbours do not run together.
        s->setBarWidth(multiBar_ == MultiBar::None ? 0.6 : 0.85);
        s->setLabelsVisible(marksVisible_);
    }
    percentAxis_->setRange(0, percentAxisTop(sets, multiBar_));
    percentAxis_->applyNiceNumbers();
    retick();
}

void SummaryChartView::setMultiBar(MultiBar m)
{
    const QList<QBarSet*> sets = takeSets();
    multiBar_ = m;
    layBars(sets);
}

void SummaryChartView::mousePressEvent(QMouseEvent* e)
{
    // A click only steps the layout: the Summary chart does not zoom.
    e->accept();
    emit clicked();
}

void SummaryChartView::clear(const std::string& title)
{
    qDeleteAll(takeSets());
    layBars({});
    bandAxis_->clear();
    // An empty category axis draws as a heap of ellipses; without bars it is hidden.
    bandAxis_->setVisible(false);
    bandAxis_->setTitleText("Bands");
    percentAxis_->setTitleText("Percents");
    percentAxis_->setRange(0, 100);
    percentAxis_->applyNiceNumbers();
    chart()->setTitle(QString::fromStdString(title));
    retick();
}

void SummaryChartView::setData(const SummaryChartData& data)
{
    qDeleteAll(takeSets());
    bandAxis_->clear();
    QStringList bands;
    for (const auto& s : data.Series)
        for (const auto& l : s.Labels)
            if (!bands.contains(QString::fromStdString(l))) bands << QString::fromStdString(l);
    bandAxis_->append(bands);
    bandAxis_->setVisible(true);
    QList<QBarSet*> sets;
    for (const auto& s : data.Series) {
        auto* set = new QBarSet(QString::fromStdString(s.Name));
        set->setColor(bgrToQColor(s.Color));
        set->setBorderColor(Qt::black);
        set->setLabelColor(Qt::black);
        // A value sits on the bar of its label's band, whatever order the labels come in.
        QList<qreal> values(bands.size(), 0.0);
        for (size_t i = 0; i < s.Values.size(); ++i) {
            const int at = i < s.Labels.size() ? bands.indexOf(QString::fromStdString(s.Labels[i])) : int(i);
            if (at >= 0 && at < values.size()) values[at] = s.Values[i];
        }
        set->append(values);
        sets << set;
    }
    marksVisible_ = data.MarksVisible;
    layBars(sets);
    bandAxis_->setTitleText(QString::fromStdString(data.BottomAxisTitle));
    percentAxis_->setTitleText(QString::fromStdString(data.LeftAxisTitle));
    chart()->setTitle(QString::fromStdString(data.Title));
    retick(); // the titles take their room from the plot
}

QImage SummaryChartView::renderImage(QSize size)
{
    return renderChartImage(*this, size, [this] { retick(); });
}

void SummaryChartView::saveJpeg(const std::filesystem::path& path)
{
    const QImage img = renderImage().convertToFormat(QImage::Format_RGB888);
    writeJpeg(path, img.width(), img.height(), img.constBits(), static_cast<int>(img.bytesPerLine()), 70);
}
