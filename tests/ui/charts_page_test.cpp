// The Charts page and the 2 Radio page: every command fills its chart or
// grid, the charts render off screen without a warning, and the main window
// wires them up.
#include "analysis/analysis_chart_view.h"
#include "analysis/charts_page.h"
#include "analysis/summary_chart.h"
#include "analysis/tbc_for_m2.h"
#include "analysis/two_radio_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "test_support.h"

#include <QAbstractBarSeries>
#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace {

QStringList g_warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg) g_warnings << msg;
}

// Draws the view off screen and tells what Qt complained about meanwhile.
QStringList renderWarnings(AnalysisChartView& v)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(recordWarnings);
    const QImage img = v.renderImage(QSize(800, 500));
    qInstallMessageHandler(old);
    EXPECT_FALSE(img.isNull());
    return g_warnings;
}

// n QSOs a minute apart alternating between 14 and 21 MHz every third QSO,
// transmitters "0" and "1", scored, with K indices.
void fillLog(AppState& s, int n, bool withTx = true)
{
    auto& g = s.log_grid;
    g.SetRowCount(n + 1);
    for (int i = 1; i <= n; ++i) {
        const int m = i - 1;
        char t[16];
        std::snprintf(t, sizeof t, "%02d%02d", (m / 60) % 24, m % 60);
        g.SetCell(lcNumber, i, std::to_string(i));
        g.SetCell(lcKHz, i, i % 3 == 2 ? "21030" : "14025");
        g.SetCell(lcBand, i, i % 3 == 2 ? "15" : "20");
        g.SetCell(lcMode, i, "CW");
        g.SetCell(lcDate, i, "2025-03-" + std::to_string(29 + m / 1440));
        g.SetCell(lcTime, i, t);
        g.SetCell(lcCallsign, i, "DL" + std::to_string(i) + "AA");
        g.SetCell(lcPts, i, "3");
        g.SetCell(lcK, i, "2");
        g.SetCell(lcTX, i, withTx ? std::to_string(i % 2) : "");
    }
    s.header.QsoCount = n;
    s.header.LogTitle = "CQ-WPX TEST 2025";
    s.FirstQsoMinute = get_time_for_qso(g, 1, 0);
}

} // namespace

TEST(ChartsPage, EveryCommandFillsTheChartAndRendersCleanly)
{
    MessageRecorder msgs;
    AppState s;
    fillLog(s, 300);
    ChartsPage page(s);
    page.resize(800, 500);
    int jobs = 0, ends = 0;
    page.jobs = {[&] { ++jobs; }, [&] { ++ends; }};
    TKeoEGrid hours(8, 4, 1, 1);
    hours.SetHeader({"Day/hour", "Rate", "EU", "AS", "NA", "SA", "AF", "OC"});
    hours.WriteRow(1, {"29 00", "60", "60"});
    hours.WriteRow(2, {"29 01", "60", "58", "2"});
    hours.WriteRow(3, {"Total", "120", "118", "2"});
    page.runHourRateTable = [&] { return &hours; };

    const struct {
        QAction* item;
        const char* title;
        const char* series;
        bool job;
    } cases[] = {
        {page.QSO3, "ZEM.Growth of QSO quantity in time. CQ-WPX TEST 2025", "Series2", true},
        {page.TbQ, "ZEM Log Analysis. Time between QSO.CQ-WPX TEST 2025", "Series2", true},
        {page.Timefor10QSO1, "ZEM Log Analysis.Time for 10 QSO. CQ-WPX TEST 2025", "Series2", false},
        {page.N60minr, "ZEM Log Analysis.60 min. rate for 100 QSO. CQ-WPX TEST 2025", "Series2", false},
        {page.Points, "ZEM Log Analysis.Points for 20 QSO. CQ-WPX TEST 2025", "Series2", false},
        {page.msr, "ZEM Log Analysis.Main - second radio.CQ-WPX TEST 2025", "Series13", true},
        {page.QSY3, "ZEM Log Analysis.Band changes.CQ-WPX TEST 2025", "Series2", true},
        {page.AS2, "ZEM Log Analysis.Distribution hour-rate - AS - CQ-WPX TEST 2025", "Series2", false},
        {page.ALL2, "ZEM Log Analysis.Distribution hour-rate - Rate - CQ-WPX TEST 2025", "Series2", false},
    };
    for (const auto& k : cases) {
        const int before = jobs;
        k.item->trigger();
        QCoreApplication::processEvents();
        const ChartData& d = page.Chart->data();
        EXPECT_EQ(d.title, k.title);
        EXPECT_EQ(page.Chart->chart()->title().toStdString(), k.title);
        EXPECT_FALSE(d.Series(k.series).points.empty()) << k.title;
        EXPECT_FALSE(page.Chart->chart()->series().isEmpty()) << k.title;
        EXPECT_EQ(jobs - before, k.job ? 1 : 0) << k.title;
        EXPECT_TRUE(renderWarnings(*page.Chart).isEmpty()) << k.title << ": "
                                                          << g_warnings.join("|").toStdString();
    }
    EXPECT_EQ(page.HourRateColumn, 1);
    EXPECT_EQ(ends, jobs);
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    page.Clear->trigger();
    EXPECT_EQ(page.Chart->data().title, "ZEM Log Analysis");
    EXPECT_TRUE(page.Chart->chart()->series().isEmpty());
    EXPECT_TRUE(renderWarnings(*page.Chart).isEmpty()) << g_warnings.join("|").toStdString();
}

TEST(ChartsPage, ShortLogsErrorsAndMessages)
{
    MessageRecorder msgs;
    AppState s;
    fillLog(s, 150, false);
    ChartsPage page(s);

    // Too short for the 60-minute rate: the chart keeps the growth chart.
    page.QSO3->trigger();
    page.N60minr->trigger();
    EXPECT_EQ(page.Chart->data().title, "ZEM.Growth of QSO quantity in time. CQ-WPX TEST 2025");

    page.msr->trigger();
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_EQ(msgs.texts[0], "In the log there are no identifiers of transmitters\n(Column \"TX\")");

    // Unscored QSOs: the message, and the points drawn before them stay.
    s.log_grid.SetCell(lcPts, 50, "");
    page.Points->trigger();
    ASSERT_EQ(msgs.texts.size(), 2);
    EXPECT_EQ(page.Chart->data().Series("Series2").points.size(), 29u);

    // Without an hour table the hour-rate items leave the chart alone.
    page.EU1->trigger();
    EXPECT_EQ(page.HourRateColumn, 2);
    EXPECT_EQ(page.Chart->data().title, "ZEM Log Analysis.Points for 20 QSO. CQ-WPX TEST 2025");
}

TEST(ChartsPage, ZoomItemsAndTheMenuLabel)
{
    AppState s;
    fillLog(s, 30);
    ChartsPage page(s);
    page.resize(600, 400);
    page.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.l6->text(), "Menu (right click)");
    page.QSO3->trigger();
    QCoreApplication::processEvents();
    const QRectF plot = page.Chart->chart()->plotArea();
    const auto* axis = page.Chart->chart()->axes(Qt::Horizontal).first();
    Q_UNUSED(axis);
    page.Zoom1->trigger();
    EXPECT_TRUE(page.Chart->chart()->isZoomed());
    page.N33->trigger();
    EXPECT_FALSE(page.Chart->chart()->isZoomed());
    page.Zoom2->trigger();
    EXPECT_TRUE(page.Chart->chart()->isZoomed());
    page.QSO3->trigger(); // a new chart undoes the zoom
    EXPECT_FALSE(page.Chart->chart()->isZoomed());
    EXPECT_EQ(page.Chart->chart()->plotArea(), plot);

    EXPECT_TRUE(page.Chart->allowZoom());
    page.z1->trigger();
    EXPECT_FALSE(page.Chart->allowZoom());
    EXPECT_TRUE(page.z1->isChecked()); // the check mark follows the setting only
    page.z1->trigger();
    EXPECT_TRUE(page.Chart->allowZoom());

    page.PopchartPopup();
    EXPECT_EQ(page.l6->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST(SummaryChartView, BarLayoutsKeepTheBars)
{
    SummaryChartView v;
    SummaryChartData d;
    d.Title = "t";
    const std::vector<std::string> bands{"160", "80"};
    d.Series = {{"QSO`s", 0xFF0000, bands, {40, 60}}, {"Time", 0x0000FF, bands, {30, 70}}};
    v.setData(d);
    const MultiBar first = v.multiBar();
    std::vector<QAbstractSeries::SeriesType> seen;
    for (int i = 0; i < 4; ++i) {
        v.setMultiBar(nextMultiBar(v.multiBar()));
        seen.push_back(v.barSeries()->type());
        int sets = 0;
        for (auto* s : v.allBarSeries()) sets += static_cast<int>(s->count());
        EXPECT_EQ(sets, 2) << i; // the bars keep their values whatever the layout
    }
    EXPECT_EQ(v.multiBar(), first);
    EXPECT_EQ(seen[0], QAbstractSeries::SeriesTypeStackedBar);
    EXPECT_EQ(seen[1], QAbstractSeries::SeriesTypePercentBar);
    EXPECT_EQ(v.allBarSeries().size(), 1);
    EXPECT_EQ(seen[3], QAbstractSeries::SeriesTypeBar);
    v.setMultiBar(MultiBar::None);
    EXPECT_EQ(v.allBarSeries().size(), 2); // one series per set, overlapping
    EXPECT_EQ(v.allBarSeries()[1]->barSets().first()->at(1), 70);
}

TEST(TwoRadioPage, ShowFillsGridAndChartsDoubleClickJumps)
{
    MessageRecorder msgs;
    QTemporaryDir out;
    AppState s;
    fillLog(s, 12);
    s.header.OutputDir = out.path().toStdString() + "/";
    TwoRadioPage page(s);
    int jumped = -1;
    page.goToLogRow = [&](int row) { jumped = row; };

    // An empty list: its row has no QSO to show or go to.
    std::string described = "none";
    page.showCallInfo = [&](const std::string& call) { described = call; };
    page.so2r_Keo->setCurrentIndex(page.so2r_Keo->model()->index(0, 0));
    page.so2r_KeoClick();
    EXPECT_EQ(described, "");
    page.so2r_KeoDblClick();
    EXPECT_EQ(jumped, -1);
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    QTest::mouseClick(page.ToolButton31, Qt::LeftButton);
    QCoreApplication::processEvents();
    // Every third QSO is on 21 MHz between two on 14 MHz a minute apart each side.
    EXPECT_EQ(page.so2rGrid.RowCount(), 1 + 4);
    EXPECT_EQ(page.so2rGrid.Cell(7, 1), "2");
    EXPECT_EQ(page.so2r_Keo->model()->rowCount(), 4);
    EXPECT_EQ(page.Tot_to_sec->data().series.front().points[1].y, 4);
    EXPECT_FALSE(page.sec_band->chart()->series().isEmpty());
    EXPECT_TRUE(QFile::exists(out.path() + "/Second radio QSO.htm"));
    for (auto* c : {page.sec_band, page.Tot_to_sec, page.Sec_mode})
        EXPECT_TRUE(renderWarnings(*c).isEmpty()) << g_warnings.join("|").toStdString();

    page.so2r_Keo->setCurrentIndex(page.so2r_Keo->model()->index(1, 0));
    page.so2r_KeoClick();
    EXPECT_EQ(s.CurrentCall, "DL5AA");
    page.so2r_KeoDblClick();
    EXPECT_EQ(jumped, 5);

    // The QSY limit: 2 minutes are not below 2.
    page.qsy_SE->setValue(2);
    page.ToolButton31Click();
    EXPECT_EQ(page.so2rGrid.RowCount(), 2);
    EXPECT_TRUE(page.so2rGrid.IsRowEmpty(1));

    page.clearCharts();
    EXPECT_TRUE(page.Tot_to_sec->chart()->series().isEmpty());
}

TEST(TwoRadioPage, BandChangesWindowOrTheMessage)
{
    MessageRecorder msgs;
    QTemporaryDir out;
    AppState s;
    fillLog(s, 40, false);
    s.header.OutputDir = out.path().toStdString() + "/";
    TwoRadioPage page(s);

    QTest::mouseClick(page.ToolButton32, Qt::LeftButton);
    EXPECT_FALSE(page.M2TableReady);
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_EQ(msgs.texts[0], "In the log there are no identifiers of transmitters\n(Column \"TX\")");

    fillLog(s, 40);
    bool shown = false;
    QTimer::singleShot(0, &page, [&] {
        shown = page.bc_for_m2->isVisible();
        EXPECT_EQ(page.bc_for_m2->windowTitle(), "Band changes for M/2");
        QTest::keyClick(page.bc_for_m2, Qt::Key_Escape);
    });
    page.ToolButton32Click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(page.M2TableReady);
    EXPECT_FALSE(page.bc_for_m2->isVisible());
    EXPECT_EQ(page.bc_for_m2->M2_grid.RowCount(), 2 + 1);
    EXPECT_EQ(page.bc_for_m2->M2_grid.Cell(7, 1), "40");
    EXPECT_TRUE(QFile::exists(out.path() + "/Band changes for M2.htm"));
}

TEST(Form2Charts, RealMultiTwoLogThroughTheMainWindow)
{
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    const QString cwd = QDir::currentPath();
    TForm2 w(makeProgramFolder(prog));
    w.show();
    QCoreApplication::processEvents();
    msgs.texts.clear();
    const QString src = QString(ZEM_SOURCE_DIR) + "/tests/data/K9CT_CQWPXSSB2025_M2_n1mm.log";
    const QString log = logs.path() + "/K9CT.log";
    ASSERT_TRUE(QFile::copy(src, log));
    w.Open_cabrillo_proc(log);
    ASSERT_GT(w.state().header.QsoCount, 5000);
    msgs.texts.clear();

    auto* page = w.twoRadioPage;
    ASSERT_TRUE(page->Get_m2_bc());
    const TKeoEGrid& m2 = page->bc_for_m2->M2_grid;
    EXPECT_EQ(m2.Cell(3, 0), "R1 band changes ID=1");
    EXPECT_EQ(m2.Cell(4, 0), "R0 band changes ID=0");
    EXPECT_GE(m2.RowCount(), 40); // a 48-hour contest
    EXPECT_EQ(m2.Cell(0, m2.RowCount() - 1), "Total");
    long total = 0;
    for (int r = 1; r < m2.RowCount() - 1; ++r) total += std::stol(m2.Cell(7, r));
    EXPECT_EQ(total, w.state().header.QsoCount);

    page->Two_radio();
    EXPECT_GE(page->so2rGrid.RowCount(), 2);

    w.chartsPage->msr->trigger();
    EXPECT_EQ(w.chartsPage->Chart->data().Series("Series13").points.size(),
              static_cast<size_t>(w.state().header.QsoCount));
    w.chartsPage->N60minr->trigger();
    EXPECT_FALSE(w.chartsPage->Chart->data().Series("Series2").points.empty());
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    // Each click on the Summary chart steps its bar layout; the fourth restores the first.
    std::set<MultiBar> layouts;
    const MultiBar first = w.Chart_sum->multiBar();
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(w.Chart_sum->viewport(), Qt::LeftButton);
        layouts.insert(w.Chart_sum->multiBar());
    }
    EXPECT_EQ(layouts.size(), 4u);
    EXPECT_EQ(w.Chart_sum->multiBar(), first);

    // A chart item of the popup is enabled with a log and the reset empties the chart.
    EXPECT_TRUE(w.chartsPage->QSO3->isEnabled());
    w.Close1Click();
    EXPECT_EQ(w.chartsPage->Chart->data().title, "ZEM Log Analysis");
    EXPECT_TRUE(w.chartsPage->Chart->data().Series("Series2").points.empty());
    EXPECT_FALSE(w.chartsPage->QSO3->isEnabled());
    EXPECT_EQ(w.l6->text(), "Menu (right click)");
    QDir::setCurrent(cwd);
}

TEST(AnalysisChartView, DrawsPercentsColoursStairsAndAxes)
{
    AnalysisChartView v;
    ChartData bars = makePercentBarChart("t", ChartSeriesKind::VerticalBars);
    bars.series.front().Add(3, "Main", zemcolor::Red);
    bars.series.front().Add(1, "Second", zemcolor::Blue);
    v.setData(bars);
    auto* bs = qobject_cast<QAbstractBarSeries*>(v.chart()->series().value(0));
    ASSERT_NE(bs, nullptr);
    ASSERT_EQ(bs->count(), 2); // a set per colour, each bar whole in its own
    EXPECT_EQ(bs->barSets()[0]->at(0), 75);
    EXPECT_EQ(bs->barSets()[0]->at(1), 0);
    EXPECT_EQ(bs->barSets()[0]->color(), QColor(Qt::red));
    EXPECT_EQ(bs->barSets()[1]->at(1), 25);
    EXPECT_EQ(bs->barSets()[1]->color(), QColor(Qt::blue));

    ChartData c = makeAnalysisChart();
    c.right.visible = true;
    c.left.increment = 7000;
    c.Series("Series11").AddXY(0, 2);
    c.Series("Series11").AddXY(10, 5);
    c.Series("Series13").AddXY(0, 14025, "", zemcolor::Red);
    c.Series("Series13").AddXY(5, 21025, "", zemcolor::Blue);
    c.Series("Series13").AddXY(10, 14030, "", zemcolor::Red);
    v.setData(c);
    int stairs = 0, dotSeries = 0;
    for (QAbstractSeries* s : v.chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        ASSERT_NE(line, nullptr);
        const QAbstractAxis* vertical = v.chart()->axes(Qt::Vertical, line).value(0);
        ASSERT_NE(vertical, nullptr);
        if (vertical->alignment() == Qt::AlignRight) stairs = static_cast<int>(line->count());
        if (line->pen().color() == Qt::transparent) ++dotSeries;
    }
    EXPECT_EQ(stairs, 3); // a step up at x = 10
    EXPECT_EQ(dotSeries, 2); // one per colour
    int visibleVertical = 0;
    for (QAbstractAxis* a : v.chart()->axes(Qt::Vertical))
        if (a->isVisible()) ++visibleVertical;
    EXPECT_EQ(visibleVertical, 2); // frequency and the K-index scale
    EXPECT_TRUE(renderWarnings(v).isEmpty()) << g_warnings.join("|").toStdString();
}
