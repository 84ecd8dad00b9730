#include "analysis/summary_chart.h"

#include "main/keoe_grid_view.h"
#include "reports/jpeg_writer.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Room above the highest bar for its value mark.
double percentAxisTop(const SummaryChartData& data)
{
    double top = 0;
    for (const auto& s : data.Series)
        for (double v : s.Values) top = std::max(top, v);
    return top <= 0 ? 10.0 : std::ceil(top * 1.15);
}

} // namespace

SummaryChartView::SummaryChartView(QWidget* parent)
    : QChartView(new QChart(), parent), series_(new QBarSeries()), bandAxis_(new QBarCategoryAxis()),
      percentAxis_(new QValueAxis())
{
    setObjectName("Chart_sum");
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->setBackgroundBrush(Qt::white);
    c->addSeries(series_);
    c->addAxis(bandAxis_, Qt::AlignBottom);
    c->addAxis(percentAxis_, Qt::AlignLeft);
    series_->attachAxis(bandAxis_);
    series_->attachAxis(percentAxis_);
    series_->setLabelsFormat("@value");
    series_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    // Three bars per band: wide enough that the marks of neighbours do not run together.
    series_->setBarWidth(0.85);
    percentAxis_->setLabelFormat("%d");
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    clear("Summary");
}

void SummaryChartView::clear(const std::string& title)
{
    series_->clear();
    bandAxis_->clear();
    // An empty category axis draws as a heap of ellipses; without bars it is hidden.
    bandAxis_->setVisible(false);
    bandAxis_->setTitleText("Bands");
    percentAxis_->setTitleText("Percents");
    percentAxis_->setRange(0, 100);
    percentAxis_->applyNiceNumbers();
    chart()->setTitle(QString::fromStdString(title));
}

void SummaryChartView::setData(const SummaryChartData& data)
{
    series_->clear();
    bandAxis_->clear();
    QStringList bands;
    for (const auto& s : data.Series)
        for (const auto& l : s.Labels)
            if (!bands.contains(QString::fromStdString(l))) bands << QString::fromStdString(l);
    bandAxis_->append(bands);
    bandAxis_->setVisible(true);
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
        series_->append(set);
    }
    series_->setLabelsVisible(data.MarksVisible);
    bandAxis_->setTitleText(QString::fromStdString(data.BottomAxisTitle));
    percentAxis_->setTitleText(QString::fromStdString(data.LeftAxisTitle));
    percentAxis_->setRange(0, percentAxisTop(data));
    percentAxis_->applyNiceNumbers();
    chart()->setTitle(QString::fromStdString(data.Title));
}

QImage SummaryChartView::renderImage(QSize size)
{
    if (size.isEmpty()) size = (testAttribute(Qt::WA_Resized) || isVisible()) ? this->size() : QSize(640, 400);
    if (size.isEmpty()) size = QSize(640, 400);
    // Lay the chart out at the picture's size, draw its scene, then give it
    // back the view's size: the widget itself is never resized or shown.
    QChart* c = chart();
    const QSizeF viewSize = c->size();
    c->resize(size);
    c->layout()->activate();
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        scene()->render(&p, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(c->pos(), QSizeF(size)));
    }
    c->resize(viewSize);
    c->layout()->activate();
    return img;
}

void SummaryChartView::saveJpeg(const std::filesystem::path& path)
{
    const QImage img = renderImage().convertToFormat(QImage::Format_RGB888);
    writeJpeg(path, img.width(), img.height(), img.constBits(), static_cast<int>(img.bytesPerLine()), 70);
}
