#include "analysis/analysis_chart_view.h"

#include "analysis/chart_image.h"
#include "analysis/short_chart.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include "main/keoe_grid_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

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

bool whole(double v) { return v == std::floor(v); }

double seriesTotal(const ChartSeries& s)
{
    double total = 0;
    for (const auto& p : s.points) total += p.y;
    return total;
}

// What a point stands for on the value axis: its value, or for percent bars
// its share of the series' total, in hundredths of a percent.
double shownValue(const ChartSeries& s, const ChartPoint& p, double total)
{
    if (!s.percentMarks) return p.y;
    return total > 0 ? std::round(p.y * 10000.0 / total) / 100.0 : 0.0;
}

// The number of tick intervals an axis carries readably on a chart of that
// size (titles, labels and margins take the rest); measured on the chart, not
// on its plot area, which itself changes with the labels.
int intervalsFor(QSizeF chart, bool vertical)
{
    if (chart.isEmpty()) return vertical ? 8 : 10;
    const double pixels = vertical ? chart.height() - 120 : chart.width() - 120;
    // Four at least: a round step then still leaves two intervals or more.
    return std::clamp(static_cast<int>(pixels / (vertical ? 30 : 50)), 4, 10);
}

QString labelFormatFor(double step)
{
    if (step >= 1 && whole(step)) return "%.0f";
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 1, 6);
    return QString("%.%1f").arg(decimals);
}

// Room beyond the data: a little, and where value marks stand past the ends
// of the bars or above the points, the room they take on an axis of that
// many pixels.
void addRoom(double& lo, double& hi, double markPixels, double axisPixels, bool below)
{
    const double span = hi > lo ? hi - lo : std::max(1.0, std::abs(hi));
    double share = 0.05;
    if (markPixels > 0) share = std::clamp((markPixels + 8) / std::max(axisPixels, 40.0), 0.1, 0.5);
    hi += span * share / (1 - share);
    // Values that are never negative keep 0 as their floor.
    if (below) lo = lo >= 0 ? std::max(0.0, lo - span * 0.05) : lo - span * 0.05;
}

// Point labels along the bottom: thinned to a readable number, each label
// made unique (the axis needs that) by invisible characters.
void setPointLabels(QCategoryAxis* axis, const ChartSeries& s, double lo, double hi)
{
    for (const QString& l : axis->categoriesLabels()) axis->remove(l);
    axis->setStartValue(lo);
    axis->setRange(lo, hi);
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

// The names of vertical bars, each centred under its bar. A category axis
// of the value kind gives each name the width of its bar; the bar category
// axis shares the width among two places more than there are bars, and cuts
// names that would still fit.
void setBarLabels(QCategoryAxis* axis, const ChartSeries& s)
{
    for (const QString& l : axis->categoriesLabels()) axis->remove(l);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    axis->setStartValue(-0.5);
    std::map<QString, int> seen;
    for (size_t i = 0; i < s.points.size(); ++i) {
        QString text = QString::fromStdString(s.points[i].label);
        const int dup = seen[text]++;
        text += QString(dup + (text.isEmpty() ? 1 : 0), QChar(0x200B));
        axis->append(text, static_cast<double>(i) + 0.5);
    }
    axis->setRange(-0.5, static_cast<double>(s.points.size()) - 0.5);
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
    roomyMargins_ = c->margins();
    roomyFrame_ = chartFrame(*c);
    setRubberBand(QChartView::RectangleRubberBand);
    // The axes live as long as the chart: axes taken away are only deleted
    // later by the event loop, and an image drawn before that would show them.
    bottomValue_ = new QValueAxis();
    bottomLabels_ = new QCategoryAxis();
    bottomLabels_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bottomBars_ = new QCategoryAxis();
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
    for (QValueAxis* a : {bottomValue_, leftValue_}) {
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(0);
    }
    roomyLabelsFont_ = leftValue_->labelsFont();
    roomyMarksFont_ = QBarSet(QString()).labelFont();
    roomyMinimumWidth_ = minimumWidth();
    right_->setTickCount(11);
    right_->setLabelFormat("%d");
    // The ranges and ticks are fitted when the data, the size or the fonts
    // change, and the ticks again when the user zooms: never on the chart's
    // own signals. A range set here lays the chart out anew, and that must
    // not ask for another fitting.
    setData(makeAnalysisChart());
}

void AnalysisChartView::resizeEvent(QResizeEvent* e)
{
    // A chart only a few lines high (the 2 Radio page stacks three) gives the
    // room around its plot, and the frame around its background, to the bars
    // and their marks, and draws its axis labels a point smaller.
    const bool small = e->size().height() < kShortChartHeight;
    QChart* c = chart();
    setChartFrame(*c, small ? QMarginsF() : roomyFrame_);
    const bool fontChanged = small != small_;
    if (fontChanged) {
        small_ = small;
        const QFont f = labelsFont();
        for (QAbstractAxis* a : c->axes()) a->setLabelsFont(f);
        for (QAbstractSeries* series : c->series())
            if (auto* bars = qobject_cast<QAbstractBarSeries*>(series))
                for (QBarSet* set : bars->barSets()) set->setLabelFont(marksFont());
    }
    fitMargins();
    QChartView::resizeEvent(e);
    // The room for the marks is measured in pixels: a new size fits the
    // ranges afresh, unless the user has zoomed.
    if (c->isZoomed()) retick();
    else fitRanges();
    if (fontChanged) fitMinimumWidth();
}

void AnalysisChartView::mouseReleaseEvent(QMouseEvent* e)
{
    // The rubber band zooms in (and a right click out) here: the ticks follow.
    QChartView::mouseReleaseEvent(e);
    retick();
}

void AnalysisChartView::fitMargins()
{
    QMargins m = roomyMargins_;
    if (small_) {
        // Only what the labels at the ends of a bottom value axis reach out.
        int right = 0;
        if (bottomValue_->isVisible() && bottomValue_->labelsVisible()) {
            const QFontMetrics fm(bottomValue_->labelsFont());
            const QByteArray format = bottomValue_->labelFormat().toLatin1();
            right = fm.horizontalAdvance(QString::asprintf(format.constData(), bottomValue_->max())) / 2 + 2;
        }
        m = QMargins(0, 2, right, 2);
    }
    if (chart()->margins() != m) chart()->setMargins(m);
}

void AnalysisChartView::fitMinimumWidth()
{
    // A short chart is at least as wide as its bar labels need to show whole.
    const int w = small_ ? std::max(roomyMinimumWidth_, wholeLabelsWidth()) : roomyMinimumWidth_;
    if (minimumWidth() != w) setMinimumWidth(w);
}

namespace {
QFont smaller(QFont f)
{
    f.setPointSizeF(std::max(6.0, f.pointSizeF() - 1));
    return f;
}
} // namespace

QFont AnalysisChartView::labelsFont() const { return small_ ? smaller(roomyLabelsFont_) : roomyLabelsFont_; }

QFont AnalysisChartView::marksFont() const { return small_ ? smaller(roomyMarksFont_) : roomyMarksFont_; }

int AnalysisChartView::wholeLabelsWidth() const
{
    const QChart* c = chart();
    // What the chart puts beside its plot (axes, margins, frame), as laid out
    // now, or a guess before it is.
    const QRectF plot = c->plotArea();
    const double beside = plot.isEmpty() ? 40.0 : c->size().width() - plot.width();
    if (!bottomBars_->isVisible() || bottomBars_->labelsAngle() != 0 || bottomBars_->count() == 0) return 0;
    const QFontMetricsF fm(bottomBars_->labelsFont());
    double widest = 0;
    for (const QString& label : bottomBars_->categoriesLabels()) widest = std::max(widest, fm.horizontalAdvance(label));
    // The axis gives each label the plot's width shared among one place more
    // than there are bars, less some padding on either side; a label that
    // does not fit is cut to "...".
    constexpr double padding = 2 * 4 + 2 + 0.5;
    double length = (bottomBars_->count() + 1) * (widest + padding);
    // The value marks over the bars keep a little room between them.
    const QFontMetricsF marks(marksFont());
    double widestMark = 0;
    for (const QString& m : barMarks_) widestMark = std::max(widestMark, marks.horizontalAdvance(m));
    if (widestMark > 0) length = std::max(length, bottomBars_->count() * (widestMark + 3));
    return static_cast<int>(std::ceil(beside + length));
}

void AnalysisChartView::setLook(const ChartLook& look)
{
    look_ = look;
    setData(data_);
}

double AnalysisChartView::tickStep(const QValueAxis* axis, const AxisFit& rule, double span) const
{
    if (rule.increment > 0) return rule.increment;
    const bool vertical = axis == leftValue_;
    const int intervals = intervalsFor(chart()->size(), vertical);
    const double step = roundTickStep(span, intervals, rule.whole);
    if (!vertical || !(span > 0)) return step;
    // A short plot (the 2 Radio page stacks three charts) carries only the
    // labels that fit with room between them: fewer ticks, rather than labels
    // that touch or that the chart drops. The plot's height does not depend
    // on the labels beside it, so this settles at once.
    const double length = chart()->plotArea().height();
    const int fit = tickIntervalsThatFit(*axis, length);
    if (fit == 0) return step; // not laid out yet
    return fit < intervals && span / step > fit ? roundTickStep(span, fit, rule.whole) : step;
}

void AnalysisChartView::setTicks(QValueAxis* axis, double step)
{
    if (axis->tickInterval() != step) axis->setTickInterval(step);
    const QString format = labelFormatFor(step);
    if (axis->labelFormat() != format) axis->setLabelFormat(format);
}

void AnalysisChartView::retick()
{
    for (auto [axis, rule] : {std::pair{bottomValue_, &bottomFit_}, std::pair{leftValue_, &leftFit_}})
        setTicks(axis, tickStep(axis, *rule, axis->max() - axis->min()));
    // The last label of a bottom axis reaches past the plot as far as it is
    // wide: a new range may want more room at the right.
    fitMargins();
}

void AnalysisChartView::fitRanges()
{
    const FittedFor now{shown_, chart()->size().toSize(), small_};
    if (fitted_ && now == fittedFor_) {
        // Nothing the fit depends on has changed: the ranges it gave still
        // hold, and an axis that shows them is left alone.
        for (auto [axis, fit, lo, hi] : {std::tuple{bottomValue_, &bottomFit_, bottomLo_, bottomHi_},
                                         std::tuple{leftValue_, &leftFit_, leftLo_, leftHi_}})
            if (fit->fitted && (axis->min() != lo || axis->max() != hi)) axis->setRange(lo, hi);
        retick();
        return;
    }
    // Measured on the chart as laid out for what it shows now. The plot's
    // length along a value axis hardly depends on that axis' range (only its
    // end labels reach into the room beside the plot); the range is fitted
    // once for this length and not again when the new labels move the plot.
    // A chart out of sight is not laid out for it (most are on pages never
    // opened): it is fitted to its plot as it stands, and again when shown.
    const bool seen = isVisible();
    if (seen) chart()->layout()->activate();
    QSizeF plot = chart()->plotArea().size();
    if (plot.isEmpty()) {
        const QSizeF size = chart()->size().isEmpty() ? QSizeF(640, 400) : chart()->size();
        plot = QSizeF(size.width() - 200, size.height() - 150);
    }
    for (auto [axis, fit, rlo, rhi] : {std::tuple{bottomValue_, &bottomFit_, &bottomLo_, &bottomHi_},
                                       std::tuple{leftValue_, &leftFit_, &leftLo_, &leftHi_}}) {
        if (!fit->fitted) continue;
        double lo = fit->lo, hi = fit->hi;
        if (fit->room) addRoom(lo, hi, fit->markPixels, axis == leftValue_ ? plot.height() : plot.width(), fit->below);
        if (!(hi > lo)) hi = lo + 1;
        if (fit->increment <= 0) {
            // Out to whole steps of a fine division: the ticks drawn at any
            // size fall on round numbers inside the range.
            const double step = roundTickStep(hi - lo, 10, fit->whole);
            lo = std::floor(lo / step + 1e-9) * step;
            hi = std::max(std::ceil(hi / step - 1e-9) * step, lo + step);
        }
        // The ticks first: a wide range under the last chart's fine ticks
        // would lay out labels by the thousand.
        setTicks(axis, tickStep(axis, *fit, hi - lo));
        if (axis->min() != lo || axis->max() != hi) axis->setRange(lo, hi);
        *rlo = lo;
        *rhi = hi;
    }
    fitted_ = seen;
    fittedFor_ = now;
    retick();
}

void AnalysisChartView::showEvent(QShowEvent* e)
{
    QChartView::showEvent(e);
    if (!fitted_ && !chart()->isZoomed()) fitRanges();
}

void AnalysisChartView::setData(const ChartData& data)
{
    // The same data in the same look is drawn again as it was.
    if (&data == &data_ || !(data == data_)) ++shown_;
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
    bool anyBars = false, percents = false, marks = false, wholeX = true, wholeY = true;
    for (const auto& s : data.series) {
        if (s.points.empty()) continue;
        if (isBars(s)) {
            anyBars = true;
            if (!barSeries) barSeries = &s;
        } else if (!labelled && hasLabels(s)) {
            labelled = &s;
        }
        if (s.onRightAxis) continue;
        marks = marks || s.marksVisible;
        const double total = seriesTotal(s);
        for (const auto& p : s.points) {
            // Percent bars stand on the scale of their shares.
            const double y = shownValue(s, p, total);
            xlo = std::min(xlo, p.x);
            xhi = std::max(xhi, p.x);
            ylo = std::min(ylo, y);
            yhi = std::max(yhi, y);
            wholeX = wholeX && whole(p.x);
            wholeY = wholeY && whole(y);
        }
        percents = percents || s.percentMarks;
    }
    const bool empty = xlo > xhi;
    if (empty) xlo = 0, xhi = 1, ylo = 0, yhi = 1;
    if (percents) wholeY = false;
    // Marks stand centred on the first and last points: room for their halves.
    if (marks && !anyBars) {
        const double span = xhi > xlo ? xhi - xlo : 1.0;
        const double room = std::max(span * 0.03, 0.5);
        xlo -= room;
        xhi += room;
    }

    // The place axis (categories of bars, point labels or plain values) and
    // the value axis; horizontal bars turn them round.
    QAbstractAxis* place = nullptr;
    if (anyBars && horizontal) {
        leftBars_->clear();
        QStringList cats;
        for (const auto& p : barSeries->points) cats << QString::fromStdString(p.label);
        leftBars_->append(cats);
        place = leftBars_;
    } else if (anyBars) {
        setBarLabels(bottomBars_, *barSeries);
        place = bottomBars_;
    } else if (labelled) {
        setPointLabels(bottomLabels_, *labelled, xlo, xhi > xlo ? xhi : xlo + 1);
        place = bottomLabels_;
    } else {
        bottomFit_ = {wholeX, data.bottom.increment, true, xlo, xhi, false, 0, false};
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
    // Bars stand on 0; points keep clear of the bottom edge too.
    if (anyBars) ylo = std::min(ylo, 0.0);
    const QFontMetricsF markMetrics(c->font());
    double markPixels = 0;
    barMarks_.clear();
    if (marks && anyBars && !horizontal)
        for (const auto& s : data.series) {
            if (!s.marksVisible || !isBars(s)) continue;
            const double total = seriesTotal(s);
            for (const auto& p : s.points)
                barMarks_ << QString::number(shownValue(s, p, total)) + (s.percentMarks ? " %" : "");
        }
    if (marks && horizontal) {
        // Marks beside horizontal bars: as wide as the widest of them.
        for (const auto& s : data.series) {
            if (!s.marksVisible || !isBars(s)) continue;
            const double total = seriesTotal(s);
            for (const auto& p : s.points)
                markPixels = std::max(markPixels, markMetrics.horizontalAdvance(QString::number(shownValue(s, p, total)) +
                                                                               (s.percentMarks ? " %" : "")));
        }
    } else if (marks) {
        markPixels = markMetrics.height() * 1.5;
    }
    AxisFit& valueFit = horizontal ? bottomFit_ : leftFit_;
    valueFit = {wholeY, horizontal ? data.bottom.increment : data.left.increment, true, ylo, yhi, !empty, markPixels,
                !anyBars && ylo != 0};
    if (!horizontal && (anyBars || labelled)) bottomFit_.fitted = false;
    if (horizontal) leftFit_.fitted = false;

    right_->setRange(data.right.automatic ? 0 : data.right.minimum, data.right.automatic ? 10 : data.right.maximum);
    right_->setTitleText(QString::fromStdString(data.right.title));
    showAxis(right_, look_.axes && data.right.visible);
    QValueAxis* right = right_;

    for (const auto& s : data.series) {
        if (s.points.empty()) continue;
        QList<QAbstractSeries*> made;
        // A series is named in the legend only by what the user knows it as.
        // The series' name is the program's own: the legend shows only bars
        // named by their labels.
        bool named = false;
        if (isBars(s)) {
            const double total = seriesTotal(s);
            auto value = [&](const ChartPoint& p) { return shownValue(s, p, total); };
            // Bars of one colour form one set; bars in colours of their own
            // get a set per colour, stacked so that each stays a whole bar.
            std::vector<QColor> colours;
            for (const auto& p : s.points)
                if (std::find(colours.begin(), colours.end(), pointColor(s, p)) == colours.end())
                    colours.push_back(pointColor(s, p));
            const bool oneColour = colours.size() == 1;
            QAbstractBarSeries* bars = nullptr;
            if (oneColour)
                bars = horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries())
                                  : static_cast<QAbstractBarSeries*>(new QBarSeries());
            else
                bars = horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalStackedBarSeries())
                                  : static_cast<QAbstractBarSeries*>(new QStackedBarSeries());
            for (const QColor& colour : colours) {
                QStringList labels;
                QList<qreal> values;
                for (const auto& p : s.points) {
                    const bool mine = pointColor(s, p) == colour;
                    values << (mine ? value(p) : 0.0);
                    if (mine && !p.label.empty()) labels << QString::fromStdString(p.label);
                }
                auto* set = new QBarSet(oneColour ? QString() : labels.join(", "));
                set->setColor(colour);
                set->setBorderColor(Qt::black);
                set->setLabelColor(Qt::black);
                set->setLabelFont(marksFont());
                set->append(values);
                bars->append(set);
            }
            if (!oneColour) named = s.inLegend;
            bars->setLabelsVisible(s.marksVisible);
            bars->setLabelsFormat(s.percentMarks ? "@value %" : "@value");
            bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
            made << bars;
        } else if (s.kind == ChartSeriesKind::Points) {
            // One series per colour, so the points keep their own colours. A
            // line series without a pen that stamps a small image on each point
            // draws 20,000 points at once; a scatter series makes an item of each.
            std::map<QRgb, QList<QPointF>> pts;
            for (const auto& p : s.points) pts[pointColor(s, p).rgb()] << QPointF(p.x, p.y);
            const int size = std::max(3, s.pointSize);
            for (auto& [rgb, list] : pts) {
                auto* dots = new QLineSeries();
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
            for (QLegendMarker* lm : c->legend()->markers(m)) lm->setVisible(named);
        }
    }
    // Last, once the series are on their axes: attaching them leaves the
    // ranges to this fit.
    fitRanges();
    fitMargins();
    fitMinimumWidth(); // other bar labels: maybe another width
}

void AnalysisChartView::zoomPercent(int percent)
{
    chart()->zoom(percent / 100.0);
    retick();
}

void AnalysisChartView::undoZoom()
{
    chart()->zoomReset();
    retick();
}

void AnalysisChartView::setAllowZoom(bool on)
{
    allowZoom_ = on;
    setRubberBand(on ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

QImage AnalysisChartView::renderImage(QSize size)
{
    // The picture has ranges and ticks of its own size, the view then its own again.
    return renderChartImage(*this, size, [this] {
        if (chart()->isZoomed()) retick();
        else fitRanges();
    });
}
