#include "analysis/analysis_chart_view.h"

#include "analysis/chart_image.h"

#include "main/keoe_grid_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// A bottom axis shows at most this many point labels; more would overlap.
constexpr int kMaxAxisLabels = 20;

QColor pointColor(const ChartSeries& s, const ChartPoint& p) { return bgrToQColor(p.hasColor ? p.color : s.color); }

QColor grey(const QColor& c)
{
    const int g = qGray(c.rgb());
    return QColor(g, g, g);
}

bool isBars(const ChartSeries& s)
{
    return s.kind == ChartSeriesKind::VerticalBars || s.kind == ChartSeriesKind::HorizontalBars;
}

bool hasLabels(const ChartSeries& s)
{
    return std::any_of(s.points.begin(), s.points.end(), [](const ChartPoint& p) { return !p.label.empty(); });
}

void applyIncrement(QValueAxis* axis, double increment)
{
    if (increment > 0) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setTickInterval(increment);
    } else {
        axis->setTickType(QValueAxis::TicksFixed);
    }
}

// Range of the values with a little room above, and always from 0 for bars.
void fitRange(QValueAxis* axis, double lo, double hi, bool fromZero)
{
    if (fromZero) lo = std::min(lo, 0.0);
    if (hi <= lo) hi = lo + 1;
    axis->setRange(lo, hi + (hi - lo) * 0.05);
}

// Point labels along the bottom: thinned to a readable number, each label
// made unique (the axis needs that) by invisible characters.
void setPointLabels(QCategoryAxis* axis, const ChartSeries& s, double lo, double hi)
{
    for (const QString& l : axis->categoriesLabels()) axis->remove(l);
    axis->setStartValue(lo);
    axis->setRange(lo, hi > lo ? hi : lo + 1);
    const size_t n = s.points.size();
    const size_t step = std::max<size_t>(1, (n + kMaxAxisLabels - 1) / kMaxAxisLabels);
    std::map<QString, int> seen;
    double last = -1e300;
    for (size_t i = 0; i < n; i += step) {
        const ChartPoint& p = s.points[i];
        if (p.label.empty() || p.x <= last) continue;
        QString text = QString::fromStdString(p.label);
        const int dup = seen[text]++;
        text += QString(dup, QChar(0x200B));
        axis->append(text, p.x);
        last = p.x;
    }
}

// A hidden axis still lays out its labels as dots unless they go too.
void showAxis(QAbstractAxis* a, bool on)
{
    a->setVisible(on);
    a->setLabelsVisible(on);
    a->setLineVisible(on);
    a->setTitleVisible(on);
}

} // namespace

AnalysisChartView::AnalysisChartView(QWidget* parent) : QChartView(new QChart(), parent)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundVisible(true);
    c->legend()->setAlignment(Qt::AlignTop);
    c->legend()->setVisible(false);
    c->setAnimationOptions(QChart::NoAnimation);
    setRubberBand(QChartView::RectangleRubberBand);
    // The axes live as long as the chart: axes taken away are only deleted
    // later by the event loop, and an image drawn before that would show them.
    bottomValue_ = new QValueAxis();
    bottomLabels_ = new QCategoryAxis();
    bottomLabels_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bottomBars_ = new QBarCategoryAxis();
    leftValue_ = new QValueAxis();
    leftBars_ = new QBarCategoryAxis();
    right_ = new QValueAxis();
    for (QAbstractAxis* x : {static_cast<QAbstractAxis*>(bottomValue_), static_cast<QAbstractAxis*>(bottomLabels_),
                             static_cast<QAbstractAxis*>(bottomBars_)}) {
        c->addAxis(x, Qt::AlignBottom);
        x->setGridLineVisible(false);
    }
    c->addAxis(leftValue_, Qt::AlignLeft);
    c->addAxis(leftBars_, Qt::AlignLeft);
    c->addAxis(right_, Qt::AlignRight);
    bottomValue_->setLabelFormat("%g");
    leftValue_->setLabelFormat("%g");
    right_->setTickCount(11);
    right_->setLabelFormat("%d");
    setData(makeAnalysisChart());
}

void AnalysisChartView::setLook(const ChartLook& look)
{
    look_ = look;
    setData(data_);
}

void AnalysisChartView::setData(const ChartData& data)
{
    if (&data != &data_) data_ = data;
    QChart* c = chart();
    auto pointColor = [this](const ChartSeries& s, const ChartPoint& p) {
        const QColor col = ::pointColor(s, p);
        return look_.colour ? col : grey(col);
    };
    if (look_.gradient) {
        QLinearGradient g(0, 0, 0, 1);
        g.setCoordinateMode(QGradient::ObjectBoundingMode);
        g.setColorAt(0, Qt::white);
        const QColor end = bgrToQColor(look_.gradientColor);
        g.setColorAt(1, look_.colour ? end : grey(end));
        c->setBackgroundBrush(g);
    } else {
        c->setBackgroundBrush(Qt::white);
    }
    // The depth of a 3D view: the chart stands out from the page on its shadow.
    c->setDropShadowEnabled(look_.threeD);
    c->legend()->setVisible(look_.legend);
    c->removeAllSeries();
    c->setTitle(QString::fromStdString(data.title));

    const bool horizontal = std::any_of(data.series.begin(), data.series.end(), [](const ChartSeries& s) {
        return s.kind == ChartSeriesKind::HorizontalBars && !s.points.empty();
    });
    const ChartSeries* barSeries = nullptr;
    const ChartSeries* labelled = nullptr;
    double xlo = 1e300, xhi = -1e300, ylo = 1e300, yhi = -1e300;
    bool anyBars = false;
    for (const auto& s : data.series) {
        if (s.points.empty()) continue;
        if (isBars(s)) {
            anyBars = true;
            if (!barSeries) barSeries = &s;
        } else if (!labelled && hasLabels(s)) {
            labelled = &s;
        }
        if (s.onRightAxis) continue;
        for (const auto& p : s.points) {
            xlo = std::min(xlo, p.x);
            xhi = std::max(xhi, p.x);
            ylo = std::min(ylo, p.y);
            yhi = std::max(yhi, p.y);
        }
    }
    if (xlo > xhi) xlo = 0, xhi = 1, ylo = 0, yhi = 1;

    // The place axis (categories of bars, point labels or plain values) and
    // the value axis; horizontal bars turn them round.
    QAbstractAxis* place = nullptr;
    if (anyBars) {
        QBarCategoryAxis* bars = horizontal ? leftBars_ : bottomBars_;
        bars->clear();
        QStringList cats;
        for (const auto& p : barSeries->points) cats << QString::fromStdString(p.label);
        bars->append(cats);
        place = bars;
    } else if (labelled) {
        setPointLabels(bottomLabels_, *labelled, xlo, xhi);
        place = bottomLabels_;
    } else {
        bottomValue_->setRange(xlo, xhi > xlo ? xhi : xlo + 1);
        place = bottomValue_;
    }
    QValueAxis* valueAxis = horizontal ? bottomValue_ : leftValue_;
    QAbstractAxis* bottom = horizontal ? static_cast<QAbstractAxis*>(bottomValue_) : place;
    QAbstractAxis* left = horizontal ? place : static_cast<QAbstractAxis*>(leftValue_);
    for (QAbstractAxis* a : {static_cast<QAbstractAxis*>(bottomValue_), static_cast<QAbstractAxis*>(bottomLabels_),
                             static_cast<QAbstractAxis*>(bottomBars_), static_cast<QAbstractAxis*>(leftValue_),
                             static_cast<QAbstractAxis*>(leftBars_)})
        showAxis(a, look_.axes && (a == bottom || a == left));
    bottom->setTitleText(QString::fromStdString(data.bottom.title));
    bottom->setLabelsAngle(data.bottom.labelsTurned ? -90 : 0);
    left->setTitleText(QString::fromStdString(data.left.title));
    fitRange(valueAxis, ylo, yhi, anyBars);
    applyIncrement(valueAxis, horizontal ? data.bottom.increment : data.left.increment);
    if (!horizontal && data.left.increment <= 0) valueAxis->applyNiceNumbers();

    right_->setRange(data.right.automatic ? 0 : data.right.minimum, data.right.automatic ? 10 : data.right.maximum);
    right_->setTitleText(QString::fromStdString(data.right.title));
    showAxis(right_, look_.axes && data.right.visible);
    QValueAxis* right = right_;

    for (const auto& s : data.series) {
        if (s.points.empty()) continue;
        QList<QAbstractSeries*> made;
        if (isBars(s)) {
            QAbstractBarSeries* bars = horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries())
                                                  : static_cast<QAbstractBarSeries*>(new QBarSeries());
            auto* set = new QBarSet(QString::fromStdString(s.name));
            const QColor base = pointColor(s, s.points.front());
            set->setColor(base);
            set->setBorderColor(Qt::black);
            set->setLabelColor(Qt::black);
            double total = 0;
            for (const auto& p : s.points) total += p.y;
            // Bars in a second colour are drawn as selected bars of that colour.
            for (int i = 0; i < static_cast<int>(s.points.size()); ++i) {
                const auto& p = s.points[static_cast<size_t>(i)];
                const double v = s.percentMarks ? (total > 0 ? std::round(p.y * 10000.0 / total) / 100.0 : 0.0) : p.y;
                set->append(v);
                const QColor pc = pointColor(s, p);
                if (pc != base) {
                    set->setSelectedColor(pc);
                    set->selectBar(i);
                }
            }
            bars->append(set);
            bars->setLabelsVisible(s.marksVisible);
            bars->setLabelsFormat(s.percentMarks ? "@value %" : "@value");
            bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
            made << bars;
            if (s.percentMarks) {
                valueAxis->setTickType(QValueAxis::TicksFixed);
                valueAxis->setRange(0, 120); // room for the mark of a 100 % bar
                valueAxis->setTickCount(4);
            }
        } else if (s.kind == ChartSeriesKind::Points) {
            // One series per colour, so the points keep their own colours. A
            // line series without a pen that stamps a small image on each point
            // draws 20,000 points at once; a scatter series makes an item of each.
            std::map<QRgb, QList<QPointF>> pts;
            for (const auto& p : s.points) pts[pointColor(s, p).rgb()] << QPointF(p.x, p.y);
            const int size = std::max(3, s.pointSize);
            for (auto& [rgb, list] : pts) {
                auto* dots = new QLineSeries();
                dots->setName(QString::fromStdString(s.name));
                dots->setColor(QColor::fromRgb(rgb));
                dots->setPen(QPen(Qt::transparent));
                QImage marker(size, size, QImage::Format_ARGB32_Premultiplied);
                marker.fill(Qt::transparent);
                {
                    QPainter mp(&marker);
                    mp.setRenderHint(QPainter::Antialiasing);
                    mp.setPen(Qt::NoPen);
                    mp.setBrush(QColor::fromRgb(rgb));
                    mp.drawEllipse(QRectF(0, 0, size, size));
                }
                dots->setLightMarker(marker);
                dots->setMarkerSize(size);
                dots->replace(list);
                dots->setPointLabelsVisible(s.marksVisible);
                made << dots;
            }
        } else {
            auto* line = new QLineSeries();
            line->setName(QString::fromStdString(s.name));
            QList<QPointF> list;
            list.reserve(static_cast<qsizetype>(s.points.size() * 2));
            for (size_t i = 0; i < s.points.size(); ++i) {
                const auto& p = s.points[i];
                if (s.kind == ChartSeriesKind::StairsLine && i > 0) list << QPointF(p.x, s.points[i - 1].y);
                list << QPointF(p.x, p.y);
            }
            line->replace(list);
            QPen pen(pointColor(s, s.points.front()));
            pen.setWidth(s.penWidth);
            line->setPen(pen);
            line->setPointsVisible(s.pointSize > 0);
            line->setPointLabelsVisible(s.marksVisible);
            line->setPointLabelsFormat("@yPoint");
            line->setPointLabelsClipping(true);
            made << line;
        }
        for (QAbstractSeries* m : made) {
            c->addSeries(m);
            if (s.onRightAxis) {
                m->attachAxis(bottom == valueAxis ? left : bottom);
                m->attachAxis(right);
            } else {
                m->attachAxis(bottom);
                m->attachAxis(left);
            }
            for (QLegendMarker* lm : c->legend()->markers(m)) lm->setVisible(s.inLegend);
        }
    }
}

void AnalysisChartView::zoomPercent(int percent) { chart()->zoom(percent / 100.0); }

void AnalysisChartView::undoZoom() { chart()->zoomReset(); }

void AnalysisChartView::setAllowZoom(bool on)
{
    allowZoom_ = on;
    setRubberBand(on ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

QImage AnalysisChartView::renderImage(QSize size) { return renderChartImage(*this, size); }
