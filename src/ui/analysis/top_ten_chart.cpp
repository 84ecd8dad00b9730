#include "analysis/top_ten_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

void drawTopTen(QChartView* view, const TopTenChart& data)
{
    QChart* c = view->chart();
    c->zoomReset();
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    auto* series = new QHorizontalBarSeries();
    series->setObjectName("Series6");
    auto* set = new QBarSet(QString());
    set->setColor(Qt::red);
    set->setLabelColor(Qt::black);
    QStringList labels;
    double top = 0;
    for (const TopTenBar& b : data.Bars) {
        *set << b.Value;
        labels << QString::fromUtf8(b.Label);
        top = std::max(top, b.Value);
    }
    series->append(set);
    c->addSeries(series);

    auto* places = new QBarCategoryAxis();
    places->append(labels);
    places->setTitleText(QString::fromUtf8(data.LeftAxisTitle));
    auto* values = new QValueAxis();
    // Room right of the longest bar for its mark.
    values->setRange(0, top <= 0 ? 1.0 : std::ceil(top * 1.15));
    values->applyNiceNumbers();
    values->setLabelFormat("%d");
    values->setTitleText(QString::fromUtf8(data.BottomAxisTitle));
    c->addAxis(places, Qt::AlignLeft);
    c->addAxis(values, Qt::AlignBottom);
    series->attachAxis(places);
    series->attachAxis(values);
    series->setLabelsFormat("@value");
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsVisible(true);
    c->legend()->setVisible(false);
    c->setTitle(QString::fromUtf8(data.Title));
}
