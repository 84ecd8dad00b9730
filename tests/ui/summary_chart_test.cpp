#include "analysis/summary_chart.h"
#include "analysis/summary_grid_paint.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QPainter>
#include <QTemporaryDir>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

SummaryChartData sampleChart()
{
    SummaryChartData d;
    d.Title = "ZEM Log Analysis.Summary Test log";
    const std::vector<std::string> bands{"160", "80", "40", "20", "15", "10"};
    d.Series = {{"QSO`s", 0xFF0000, bands, {5, 10, 20, 40, 15, 10}},
                {"Time", 0x0000FF, bands, {8, 12, 25, 30, 15, 10}},
                {"Moves", 0x00FFFF, bands, {10, 20, 20, 30, 10, 10}}};
    return d;
}

} // namespace

TEST(SummaryChartView, ShowsSeriesAxesAndLegend)
{
    SummaryChartView v;
    EXPECT_EQ(v.objectName(), "Chart_sum");
    v.setData(sampleChart());

    QChart* c = v.chart();
    EXPECT_EQ(c->title(), "ZEM Log Analysis.Summary Test log");
    ASSERT_EQ(v.barSeries()->count(), 3);
    const struct { const char* name; QColor color; QList<qreal> values; } want[] = {
        {"QSO`s", QColor(0, 0, 255), {5, 10, 20, 40, 15, 10}},
        {"Time", QColor(255, 0, 0), {8, 12, 25, 30, 15, 10}},
        {"Moves", QColor(255, 255, 0), {10, 20, 20, 30, 10, 10}}};
    for (int i = 0; i < 3; ++i) {
        QBarSet* s = v.barSeries()->barSets().at(i);
        EXPECT_EQ(s->label(), want[i].name);
        EXPECT_EQ(s->color(), want[i].color) << want[i].name;
        QList<qreal> got;
        for (int k = 0; k < s->count(); ++k) got << s->at(k);
        EXPECT_EQ(got, want[i].values) << want[i].name;
    }
    EXPECT_TRUE(v.barSeries()->isLabelsVisible());

    auto bottom = c->axes(Qt::Horizontal);
    auto left = c->axes(Qt::Vertical);
    ASSERT_EQ(bottom.size(), 1);
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(bottom[0]->alignment(), Qt::AlignBottom);
    EXPECT_EQ(bottom[0]->titleText(), "Bands");
    EXPECT_EQ(static_cast<QBarCategoryAxis*>(bottom[0])->categories(),
              QStringList({"160", "80", "40", "20", "15", "10"}));
    EXPECT_EQ(left[0]->alignment(), Qt::AlignLeft);
    EXPECT_EQ(left[0]->titleText(), "Percents");
    // The highest bar's mark must fit under the top of the axis.
    EXPECT_GT(static_cast<QValueAxis*>(left[0])->max(), 40);

    EXPECT_TRUE(c->legend()->isVisible());
    EXPECT_EQ(c->legend()->alignment(), Qt::AlignBottom);

    auto hidden = sampleChart();
    hidden.MarksVisible = false;
    v.setData(hidden);
    EXPECT_FALSE(v.barSeries()->isLabelsVisible());
    EXPECT_EQ(v.barSeries()->count(), 3) << "a second run replaces the bars, it does not add to them";

    v.clear("Summary");
    EXPECT_EQ(v.barSeries()->count(), 0);
    EXPECT_TRUE(v.bandAxis()->categories().isEmpty());
    EXPECT_EQ(c->title(), "Summary");
}

TEST(SummaryChartView, RendersOffScreenAndSavesJpeg)
{
    SummaryChartView v; // never shown
    v.setData(sampleChart());
    const QImage img = v.renderImage();
    EXPECT_EQ(img.size(), QSize(640, 400));
    // Some pixel carries the blue of the QSO bars.
    bool blue = false;
    for (int y = 0; y < img.height() && !blue; y += 2)
        for (int x = 0; x < img.width() && !blue; x += 2) blue = img.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);
    EXPECT_EQ(v.renderImage(QSize(300, 200)).size(), QSize(300, 200));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "Summary.jpg";
    v.saveJpeg(file);
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes.back(), 0xD9);
    QImage back;
    ASSERT_TRUE(back.load(QString::fromStdString(file.string())));
    EXPECT_EQ(back.size(), QSize(640, 400));

    EXPECT_THROW(v.saveJpeg(std::filesystem::path(dir.path().toStdString()) / "no" / "Summary.jpg"),
                 std::runtime_error);
}

TEST(SummaryGridPaint, PercentColumnsOnButtonFaceTitlesAndBandsLeftAlone)
{
    TKeoEGrid g(SummaryColumnCount, 8, 1, 1);
    g.SetCell(scQSO, 1, "12");
    g.SetCell(scQSOPct, 1, "50");
    g.SetCell(scBand, 1, "160");
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(200, 200, 200));
    pal.setColor(QPalette::Base, QColor(255, 255, 255));
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));

    const struct { int col, row; bool selected; QColor corner; } cases[] = {
        {scQSOPct, 1, false, QColor(200, 200, 200)}, // percentage column: button face
        {scQSOPct, 7, true, QColor(200, 200, 200)},  // even when selected
        {scQSO, 1, false, QColor(255, 255, 255)},    // count: the cell's own background
        {scQSO, 7, true, QColor(0, 0, 128)},         // selected total keeps its highlight
        {scBand, 1, false, QColor(10, 20, 30)},      // band names are not painted over
        {scQSOPct, 0, false, QColor(10, 20, 30)},    // nor the titles
    };
    for (const auto& c : cases) {
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(QColor(10, 20, 30));
        QPainter p(&img);
        paintSummaryCell(p, img.rect(), g, c.col, c.row, pal, c.selected);
        p.end();
        EXPECT_EQ(img.pixelColor(39, 19), c.corner) << c.col << "," << c.row;
    }
}
