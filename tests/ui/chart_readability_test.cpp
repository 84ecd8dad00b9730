// What a user reads off the charts: ticks on round numbers at any size and
// zoom, legends without internal names, value marks inside the plot, a
// colour per operator, and the M/2 table's highlighted counts drawn once.
#include "analysis/analysis_chart_view.h"
#include "analysis/charts_page.h"
#include "analysis/tbc_for_m2.h"
#include "analysis/top_ten_chart.h"
#include "analysis/two_radio.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "text_fit.h"

#include <QAbstractBarSeries>
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

bool isRoundStep(double step)
{
    if (!(step > 0)) return false;
    const double m = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return std::abs(m - 1) < 1e-9 || std::abs(m - 2) < 1e-9 || std::abs(m - 5) < 1e-9;
}

// Every value axis shown ticks at round numbers; whole numbers when whole.
void expectRoundTicks(AnalysisChartView& v, bool whole, const std::string& what)
{
    int shown = 0;
    for (QAbstractAxis* a : v.chart()->axes()) {
        auto* axis = qobject_cast<QValueAxis*>(a);
        if (!axis || !axis->isVisible() || axis->alignment() == Qt::AlignRight) continue;
        ++shown;
        EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic) << what;
        EXPECT_EQ(axis->tickAnchor(), 0) << what;
        EXPECT_TRUE(isRoundStep(axis->tickInterval())) << what << ": " << axis->tickInterval();
        if (whole) {
            EXPECT_GE(axis->tickInterval(), 1) << what;
            EXPECT_EQ(axis->labelFormat(), "%.0f") << what;
        }
        const int ticks = static_cast<int>((axis->max() - axis->min()) / axis->tickInterval());
        EXPECT_GE(ticks, 2) << what << " " << axis->min() << ".." << axis->max() << " by " << axis->tickInterval();
        EXPECT_LE(ticks, 12) << what << " " << axis->min() << ".." << axis->max();
    }
    EXPECT_GE(shown, 1) << what;
}

// n QSOs two minutes apart, 14 MHz, scored.
void fillLog(AppState& s, int n)
{
    auto& g = s.log_grid;
    g.SetRowCount(n + 1);
    for (int i = 1; i <= n; ++i) {
        const int m = (i - 1) * 2;
        char t[16];
        std::snprintf(t, sizeof t, "%02d%02d", (m / 60) % 24, m % 60);
        g.SetCell(lcNumber, i, std::to_string(i));
        g.SetCell(lcKHz, i, "14025");
        g.SetCell(lcBand, i, "20");
        g.SetCell(lcMode, i, "CW");
        g.SetCell(lcDate, i, "2025-03-" + std::to_string(29 + m / 1440));
        g.SetCell(lcTime, i, t);
        g.SetCell(lcCallsign, i, "DL" + std::to_string(i) + "AA");
        g.SetCell(lcPts, i, "3");
        g.SetCell(lcTX, i, std::to_string(i % 2));
    }
    s.header.QsoCount = n;
    s.header.LogTitle = "CQ-WPX TEST 2025";
    s.FirstQsoMinute = get_time_for_qso(g, 1, 0);
}

ChartData operatorBars()
{
    ChartData c = makeAnalysisChart();
    const struct {
        const char* op;
        int qsos;
        std::uint32_t colour;
    } ops[] = {{"K9CT", 900, 0x123456}, {"N9NA", 770, 0x00A0FF}, {"W9XX", 640, 0xFF8000}, {"KB9AAA", 510, 0x30C030}};
    for (const auto& o : ops) c.Series("Series1").Add(o.qsos, o.op, o.colour);
    c.left.title = "QSOs";
    return c;
}

QStringList legendTexts(AnalysisChartView& v)
{
    QStringList texts;
    for (QLegendMarker* m : v.chart()->legend()->markers())
        if (m->isVisible()) texts << m->label();
    return texts;
}

} // namespace

TEST(ChartReadability, TicksStayOnRoundNumbersForEveryChartSizeAndZoom)
{
    AppState s;
    fillLog(s, 1500);
    ChartsPage page(s);
    page.resize(780, 480);
    page.show();
    QCoreApplication::processEvents();
    TopTenChart top;
    top.Title = "Top Ten";
    top.Bars = {{"United States", 1093}, {"Canada", 547}, {"Sweden", 12}};

    const struct {
        const char* what;
        std::function<void()> draw;
        bool whole;
    } cases[] = {
        {"growth", [&] { page.QSO3->trigger(); }, true},
        {"time for 10 QSO", [&] { page.Timefor10QSO1->trigger(); }, true},
        {"top ten", [&] { drawTopTen(page.Chart, top); }, true},
        {"fractions",
         [&] {
             page.drawChart([](ChartData& c) {
                 for (int i = 0; i < 20; ++i) c.Series("Series2").AddXY(i, 0.13 + i * 0.037);
             });
         },
         false},
    };
    for (const auto& k : cases) {
        k.draw();
        QCoreApplication::processEvents();
        expectRoundTicks(*page.Chart, k.whole, k.what);
        page.Zoom1->trigger();
        page.Zoom1->trigger();
        page.Zoom2->trigger();
        QCoreApplication::processEvents();
        expectRoundTicks(*page.Chart, k.whole, std::string(k.what) + " zoomed");
        page.N33->trigger();
        page.resize(500, 300);
        QCoreApplication::processEvents();
        expectRoundTicks(*page.Chart, k.whole, std::string(k.what) + " small");
        page.resize(780, 480);
        QCoreApplication::processEvents();
    }
    // The growth chart's counts: the axis reaches past the last QSO but not far.
    page.QSO3->trigger();
    QCoreApplication::processEvents();
    auto* left = qobject_cast<QValueAxis*>(page.Chart->chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->min(), 0);
    EXPECT_GT(left->max(), 1499);
    EXPECT_LE(left->max(), 2000);
}

TEST(ChartReadability, LegendNamesOnlyWhatTheUserKnows)
{
    AppState s;
    fillLog(s, 300);
    ChartsPage page(s);
    page.resize(780, 480);
    page.N9->trigger(); // legend on
    ASSERT_TRUE(page.Chart->look().legend);
    for (QAction* a : {page.QSO3, page.msr, page.N60minr, page.QSY3}) {
        a->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(legendTexts(*page.Chart).isEmpty()) << legendTexts(*page.Chart).join("|").toStdString();
    }
    // Bars in colours of their own are named by their labels.
    page.drawChart([](ChartData& c) { c = operatorBars(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(legendTexts(*page.Chart), (QStringList{"K9CT", "N9NA", "W9XX", "KB9AAA"}));
}

TEST(ChartReadability, EachOperatorBarInItsOwnColour)
{
    AnalysisChartView v;
    const ChartData c = operatorBars();
    v.setData(c);
    auto* bars = qobject_cast<QAbstractBarSeries*>(v.chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    const auto& points = c.Series("Series1").points;
    std::set<QRgb> colours;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        // The one set that holds a value at this bar: its value and colour.
        int holders = 0;
        for (QBarSet* set : bars->barSets())
            if (set->at(i) != 0) {
                ++holders;
                EXPECT_EQ(set->at(i), points[static_cast<size_t>(i)].y);
                EXPECT_EQ(set->color(), bgrToQColor(points[static_cast<size_t>(i)].color));
                colours.insert(set->color().rgb());
            }
        EXPECT_EQ(holders, 1) << i;
    }
    EXPECT_EQ(colours.size(), points.size());
    // Stacked, so every bar keeps the whole width of its place.
    EXPECT_EQ(bars->type(), QAbstractSeries::SeriesTypeStackedBar);
}

TEST(ChartReadability, HourRateMarksAtTheEndsAreInsideThePlot)
{
    AppState s;
    ChartsPage page(s);
    page.resize(780, 480);
    page.show();
    TKeoEGrid hours(8, 5, 1, 1);
    hours.SetHeader({"Day/hour", "Rate", "EU", "AS", "NA", "SA", "AF", "OC"});
    hours.WriteRow(1, {"29 00", "200"});
    hours.WriteRow(2, {"29 01", "150"});
    hours.WriteRow(3, {"29 02", "200"});
    hours.WriteRow(4, {"Total", "550"});
    page.runHourRateTable = [&] { return &hours; };
    page.ALL2->trigger();
    QCoreApplication::processEvents();
    QChart* c = page.Chart->chart();
    auto* line = qobject_cast<QLineSeries*>(c->series().value(0));
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(line->pointLabelsVisible());
    const QRectF plot = c->plotArea();
    const QFontMetricsF fm(line->pointLabelsFont());
    for (int i : {0, 2}) {
        const QPointF at = c->mapToPosition(line->at(i), line);
        const double w = fm.horizontalAdvance("200");
        EXPECT_GE(at.x() - w / 2, plot.left()) << i;
        EXPECT_LE(at.x() + w / 2, plot.right()) << i;
        EXPECT_GE(at.y() - fm.height() - 5, plot.top()) << i; // marks stand above their points
    }
}

TEST(ChartReadability, HighlightedM2CountIsDrawnOnceInPlace)
{
    Tbc_for_m2 w;
    TKeoEGrid& g = w.M2_grid;
    g.SetRowCount(3);
    g.WriteRow(1, {"1", "29", "00", "12", "3", "40", "30", "70"});
    g.WriteRow(2, {"Total", "", "", "12", "3", "40", "30", "70"});
    ASSERT_TRUE(m2CellHighlighted(g, 3, 1));
    w.show();
    w.M2_Keo->gridModel()->refresh();
    QCoreApplication::processEvents();
    const QRect cell = w.M2_Keo->visualRect(w.M2_Keo->model()->index(0, 3));
    const QImage img = w.M2_Keo->viewport()->grab().toImage();
    int blue = 0, dark = 0;
    QRect blueBox;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
        for (int x = cell.left() + 2; x < cell.right() - 1; ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.blue() > 150 && p.red() < 120 && p.green() < 120) {
                ++blue;
                blueBox |= QRect(x, y, 1, 1);
            } else if (p.red() < 140 && p.green() < 140 && p.blue() < 140) {
                ++dark; // the grid's own black text showing through
            }
        }
    EXPECT_GT(blue, 10);
    EXPECT_EQ(dark, 0);
    EXPECT_LE(std::abs(blueBox.center().x() - cell.center().x()), 3); // centred like every cell
    // A count of 3 is drawn as usual.
    const QRect plain = w.M2_Keo->visualRect(w.M2_Keo->model()->index(0, 4));
    int plainBlue = 0;
    for (int y = plain.top() + 2; y < plain.bottom() - 1; ++y)
        for (int x = plain.left() + 2; x < plain.right() - 1; ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.blue() > 150 && p.red() < 120 && p.green() < 120) ++plainBlue;
        }
    EXPECT_EQ(plainBlue, 0);
}

TEST(ChartReadability, ShortStackedChartsGiveTheirRoomToTheBars)
{
    // As the 2 Radio page stacks three charts at 800 x 600: a band chart a
    // hundred-odd pixels high still shows its bars and every band name whole.
    ChartData d = makePercentBarChart("Second radio bands distribution", ChartSeriesKind::VerticalBars);
    ChartSeries& bars = d.series.front();
    for (const char* band : {"160m", "80m", "40m", "20m", "15m", "10m"}) bars.Add(band[0] == '1' ? 120 : 40, band);
    AnalysisChartView v;
    v.resize(370, 115);
    v.setData(d);
    v.show();
    QCoreApplication::processEvents();
    const QRectF plot = v.chart()->plotArea();
    EXPECT_GE(plot.height(), 0.3 * v.height()) << plot.height();
    const QFontMetricsF fm(v.chart()->axes(Qt::Horizontal).value(0)->labelsFont());
    EXPECT_GE(plot.width() / 6, fm.horizontalAdvance("160m") + 4) << plot.width();
    EXPECT_TRUE(cutTexts(&v).isEmpty()) << cutTexts(&v).join('\n').toStdString();

    // Shorter still, a plot some 60 pixels high: fewer ticks, each label whole
    // and clear of its neighbours; narrower, the chart asks for the width its
    // band names need.
    for (QSize size : {QSize(370, 100), QSize(200, 100)}) {
        v.resize(size);
        QCoreApplication::processEvents();
        SCOPED_TRACE(size.width());
        EXPECT_LT(v.chart()->plotArea().height(), 70);
        const QFontMetricsF labels(v.chart()->axes(Qt::Vertical).value(0)->labelsFont());
        for (QAbstractAxis* a : v.chart()->axes(Qt::Vertical)) {
            auto* axis = qobject_cast<QValueAxis*>(a);
            if (!axis || !axis->isVisible()) continue;
            const double gap = v.chart()->plotArea().height() * axis->tickInterval() / (axis->max() - axis->min());
            EXPECT_GE(gap, 1.5 * labels.height()) << axis->min() << ".." << axis->max() << " by " << axis->tickInterval();
        }
        EXPECT_GE(v.minimumWidth(), 250);
        v.resize(std::max(v.width(), v.minimumWidth()), v.height());
        QCoreApplication::processEvents();
        EXPECT_TRUE(cutTexts(&v).isEmpty()) << cutTexts(&v).join('\n').toStdString();
    }
}

// A range set by the fit lays the chart out anew, and the end labels of a
// value axis along the bottom take room from the plot: the fit must not be
// asked again by that, nor move the range when the same chart is drawn again.
// Each case here once fed itself until the stack ran out.
TEST(ChartReadability, RangesFitOnceAndHoldWhenTheChartIsDrawnAgain)
{
    auto topTen = [](std::vector<std::pair<int, double>> bars) {
        TopTenChart t;
        t.Title = "ZEM Log Analysis.WPX by countries.Top Ten - ARRL-DX-CW AA3B 2025";
        t.BottomAxisTitle = "WPX";
        for (auto [length, value] : bars) t.Bars.push_back({std::string(length, 'A'), value});
        return topTenChartData(t);
    };
    auto mainSecond = [](std::vector<double> values) {
        ChartData d = makePercentBarChart("Main - second radio QSO distribution", ChartSeriesKind::HorizontalBars);
        const char* names[] = {"Main", "Second", "Third"};
        for (size_t i = 0; i < values.size(); ++i) d.series.front().Add(values[i], names[i % 3]);
        return d;
    };
    const struct {
        const char* what;
        ChartData data;
        QSize size;
    } cases[] = {
        {"top ten", topTen({{18, 5}, {4, 8}, {14, 1}, {14, 5}, {25, 6}}), {315, 523}},
        {"top ten, thousands", topTen({{18, 7877}, {6, 7436}, {10, 5856}, {5, 7256}, {2, 494}, {13, 4319}}), {548, 517}},
        {"top ten, all equal", topTen({{7, 2}, {9, 2}, {12, 2}}), {500, 300}},
        {"top ten, zeros", topTen({{7, 0}, {9, 0}}), {500, 300}},
        {"top ten, empty", topTen({}), {500, 300}},
        {"main and second radio", mainSecond({3520, 1485}), {330, 128}},
        {"main only", mainSecond({5005, 0}), {330, 128}},
        {"one bar", mainSecond({1}), {280, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget page; // drawn while its page is hidden, as from another page
        page.resize(c.size);
        auto* v = new AnalysisChartView(&page);
        v->resize(c.size);
        page.show();
        v->hide();
        QCoreApplication::processEvents();
        v->setData(c.data);
        v->show();
        for (int shrink = 0; shrink < 3; ++shrink) {
            v->resize(c.size - QSize(7, 5) * shrink);
            QCoreApplication::processEvents();
        }
        auto* values = qobject_cast<QValueAxis*>(v->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(values, nullptr);
        const double lo = values->min(), hi = values->max();
        // The longest bar, in percent of them all where the marks give shares.
        const ChartSeries& bars = c.data.series.front();
        double top = 0, total = 0;
        for (const ChartPoint& p : bars.points) total += p.y;
        for (const ChartPoint& p : bars.points)
            top = std::max(top, bars.percentMarks ? (total > 0 ? p.y * 100 / total : 0) : p.y);
        EXPECT_LT(lo, hi);
        EXPECT_GE(hi, top);
        EXPECT_FALSE(v->chart()->plotArea().isEmpty());
        // Drawn again, the same chart keeps its range: nothing asks for a change.
        int changes = 0;
        QObject::connect(values, &QValueAxis::rangeChanged, v, [&] { ++changes; });
        v->setData(c.data);
        QCoreApplication::processEvents();
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(values->min(), lo);
        EXPECT_EQ(values->max(), hi);
    }
}
