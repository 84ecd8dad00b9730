// The DXCC and WPX pages in the real main window: each command fills its
// table, writes its page into the log folder, draws the Top Ten chart, and
// the pages paint without warnings.
#include "analysis/charts_page.h"
#include "analysis/dxcc_page.h"
#include "analysis/wpx_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/status_panels.h"
#include "test_support.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

QStringList g_warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !msg.contains("propagateSizeHints")) g_warnings << msg;
}

// A loaded log in the real main window; the current folder is restored.
struct LoadedWindow {
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    QString oldCwd = QDir::currentPath();
    std::unique_ptr<TForm2> w;
    LoadedWindow()
    {
        w = std::make_unique<TForm2>(makeProgramFolder(prog));
        w->resize(900, 700);
        w->show();
        const auto file = std::filesystem::path(logs.path().toStdString()) / "t.log";
        {
            std::ofstream f(file);
            f << "START-OF-LOG: 3.0\nCONTEST: TEST\nCALLSIGN: SM5XX\n";
            const char* qsos[] = {"14025 CW 2024-03-16 1210 SM5XX 599 001 UA3AAA 599 001",
                                  "14030 CW 2024-03-16 1215 SM5XX 599 002 K1AR 599 002",
                                  "7010 CW 2024-03-16 1320 SM5XX 599 003 UA3BBB 599 003",
                                  "7020 CW 2024-03-16 1325 SM5XX 599 004 SM6AAA 599 004",
                                  "3510 CW 2024-03-16 1330 SM5XX 599 005 UA3AAA 599 005"};
            for (const char* q : qsos) f << "QSO: " << q << "\n";
            f << "END-OF-LOG:\n";
        }
        w->Open_cabrillo_proc(QString::fromStdString(file.string()));
        QCoreApplication::processEvents();
        msgs.texts.clear();
    }
    ~LoadedWindow()
    {
        w.reset();
        QDir::setCurrent(oldCwd);
    }
    TKeoEGrid& grid() { return w->dxccPage->grid(); }
    bool pageWritten(const std::string& name) const
    {
        return std::filesystem::exists(std::filesystem::path(w->state().header.OutputDir) / (name + ".htm"));
    }
    // Paints the page and the chart off screen; returns what Qt warned.
    QStringList paintWarnings()
    {
        g_warnings.clear();
        const auto old = qInstallMessageHandler(recordWarnings);
        w->pc1->setCurrentWidget(w->dxccPage->parentWidget());
        QCoreApplication::processEvents();
        w->dxccPage->grab();
        w->Chart->grab();
        qInstallMessageHandler(old);
        return g_warnings;
    }
};

QStringList barLabels(QChartView* chart)
{
    QStringList labels;
    for (QAbstractSeries* s : chart->chart()->series())
        if (auto* bars = qobject_cast<QHorizontalBarSeries*>(s))
            for (QAbstractAxis* a : bars->attachedAxes())
                if (auto* cat = qobject_cast<QBarCategoryAxis*>(a)) labels = cat->categories();
    return labels;
}

} // namespace

TEST(DxccPage, CountryTablesFillTheGridChartAndPages)
{
    LoadedWindow lw;
    DxccPage& page = *lw.w->dxccPage;
    ASSERT_TRUE(page.Button15->isEnabled());

    QTest::mouseClick(page.Button15, Qt::LeftButton);
    ASSERT_EQ(lw.grid().RowCount(), 4);
    EXPECT_EQ(lw.grid().Cell(1, 1), "European Russia");
    EXPECT_EQ(lw.grid().Cell(3, 1), "3");
    EXPECT_EQ(lw.grid().Cell(4, 1), "60.0");
    EXPECT_EQ(lw.w->StringGrid3->model()->rowCount(), 3);
    EXPECT_EQ(barLabels(lw.w->Chart),
              (QStringList{"European Russia - 60.0%", "Sweden - 20.0%", "United States - 20.0%"}));
    EXPECT_EQ(lw.w->Chart->chart()->title(), "ZEM Log Analysis.QSO by countries.Top Ten  - TEST SM5XX 2024");
    EXPECT_TRUE(lw.pageWritten("QSO by countries"));
    EXPECT_TRUE(lw.paintWarnings().isEmpty()) << lw.paintWarnings().join("\n").toStdString();

    // A click on a row of a "Last callsign" table looks the station up.
    QTest::mouseClick(lw.w->StringGrid3->viewport(), Qt::LeftButton, {},
                      lw.w->StringGrid3->visualRect(lw.w->StringGrid3->model()->index(2, 2)).center());
    QTest::qWait(10);
    EXPECT_EQ(page.Edit2->text(), "K1AR");
    EXPECT_EQ(page.Label60->text(), "United States");

    QTest::mouseClick(page.wpx_Button, Qt::LeftButton);
    EXPECT_EQ(lw.grid().Cell(0, lw.grid().RowCount() - 1), "Total");
    EXPECT_EQ(lw.grid().Cell(3, lw.grid().RowCount() - 1), "3");
    EXPECT_EQ(barLabels(lw.w->Chart).size(), 3);
    EXPECT_TRUE(lw.pageWritten("WPX by countries"));

    QTest::mouseClick(page.rm_Button, Qt::LeftButton);
    EXPECT_EQ(lw.grid().RowCells(1),
              (std::vector<std::string>{"1", "European Russia", "UA3AAA", "3", "", "OK", "OK", "OK", "", ""}));
    EXPECT_TRUE(lw.pageWritten("Remaining mults"));
    EXPECT_TRUE(lw.paintWarnings().isEmpty());
    // Not a "Last callsign" table: a click empties the station information.
    lw.w->sb3->setText(0, "x");
    QTest::mouseClick(lw.w->StringGrid3->viewport(), Qt::LeftButton, {},
                      lw.w->StringGrid3->visualRect(lw.w->StringGrid3->model()->index(0, 1)).center());
    QTest::qWait(10);
    EXPECT_EQ(lw.w->sb3->text(0), "");
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("\n").toStdString();
}

TEST(DxccPage, ListingsAndPrefixInput)
{
    LoadedWindow lw;
    DxccPage& page = *lw.w->dxccPage;

    page.bands_ComboBox->setCurrentIndex(3); // 7000
    QTest::mouseClick(page.Button1, Qt::LeftButton);
    ASSERT_EQ(lw.grid().RowCount(), 3);
    EXPECT_EQ(lw.grid().Cell(2, 1), "UA3BBB");
    EXPECT_EQ(lw.grid().Cell(2, 2), "SM6AAA");
    EXPECT_TRUE(lw.pageWritten("In the chronological order - All continents  - 7000"));

    // Typed lower case, shown upper case; an unknown prefix names no country
    // and the listing then does nothing.
    page.Edit2->setFocus();
    QTest::keyClicks(page.Edit2, "zz");
    EXPECT_EQ(page.Edit2->text(), "ZZ");
    EXPECT_EQ(page.Label60->text(), "");
    QTest::keyClick(page.Edit2, Qt::Key_Return);
    EXPECT_EQ(lw.grid().RowCount(), 3);

    page.Edit2->clear();
    QTest::keyClicks(page.Edit2, "ua");
    EXPECT_EQ(page.Label60->text(), "European Russia");
    QTest::keyClick(page.Edit2, Qt::Key_Return);
    EXPECT_EQ(lw.grid().RowCount(), 4);
    EXPECT_EQ(page.Edit2->selectedText(), "UA");
    EXPECT_EQ(page.BandCountLabels[1]->text(), "1"); // 80
    EXPECT_EQ(page.BandCountLabels[2]->text(), "1"); // 40
    EXPECT_EQ(page.BandCountLabels[3]->text(), "1"); // 20
    EXPECT_TRUE(lw.pageWritten("Stations from the certain country - European Russia"));

    QTest::mouseClick(page.Button12, Qt::LeftButton);
    ASSERT_EQ(lw.grid().RowCount(), 4);
    EXPECT_EQ(lw.grid().RowCells(3), (std::vector<std::string>{"Total", "5", "4", "0", "1", "0", "0", "0"}));
    EXPECT_TRUE(lw.pageWritten("Distribution hour-rate-continents"));
    EXPECT_TRUE(lw.paintWarnings().isEmpty());
}

TEST(DxccPage, PrefixBoxNamesItsCountryAgainAfterEveryLoad)
{
    LoadedWindow lw;
    DxccPage& page = *lw.w->dxccPage;
    QTest::keyClicks(page.Edit2, "ua");
    QTest::keyClick(page.Edit2, Qt::Key_Return);
    ASSERT_EQ(lw.grid().RowCount(), 4);
    const QString file = lw.w->LoadedFileName;
    ASSERT_FALSE(file.isEmpty());

    // The same log again, then after Close Log: the box keeps its prefix,
    // and the label its country once a log is there to list.
    for (bool closeFirst : {false, true}) {
        if (closeFirst) lw.w->Close1Click();
        lw.w->Open_cabrillo_proc(file);
        QCoreApplication::processEvents();
        EXPECT_EQ(page.Edit2->text(), "UA");
        EXPECT_EQ(page.Label60->text(), "European Russia") << closeFirst;
        page.Edit2->setFocus();
        QTest::keyClick(page.Edit2, Qt::Key_Return);
        EXPECT_EQ(lw.grid().RowCount(), 4) << closeFirst;
        EXPECT_EQ(lw.grid().Cell(2, 1), "UA3AAA");
        EXPECT_EQ(page.BandCountLabels[2]->text(), "1"); // 40
    }
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

TEST(DxccPage, MultiplierTables)
{
    LoadedWindow lw;
    DxccPage& page = *lw.w->dxccPage;
    QTest::mouseClick(page.WAZ_But, Qt::LeftButton);
    EXPECT_EQ(lw.grid().RowCount(), 42);
    EXPECT_EQ(lw.grid().Cell(1, 16), "3");
    EXPECT_TRUE(lw.pageWritten("WAZ"));
    QTest::mouseClick(page.ITU_But, Qt::LeftButton);
    EXPECT_EQ(lw.grid().RowCount(), 77);
    EXPECT_TRUE(lw.pageWritten("ITU"));
    QTest::mouseClick(page.b2, Qt::LeftButton); // no oblast in this country file
    EXPECT_EQ(lw.grid().RowCount(), 1);
    EXPECT_EQ(lw.grid().Cell(1, 0), "Oblast");

    WpxPage& wpx = *lw.w->wpxPage;
    QTest::mouseClick(wpx.Button5, Qt::LeftButton);
    ASSERT_EQ(wpx.grid().RowCount(), 4); // K, SM, UA: one call area each
    EXPECT_EQ(wpx.grid().RowCells(3),
              (std::vector<std::string>{"3", "UA", "", "", "", "UA3AAA", "", "", "", "", "", "", "1"}));
    EXPECT_EQ(lw.w->Keo_wpx->model()->columnCount(), 13);
    EXPECT_TRUE(lw.pageWritten("WPX"));
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("\n").toStdString();

    // Closing the log disables the commands again.
    lw.w->Close1Click();
    EXPECT_FALSE(page.Button15->isEnabled());
    EXPECT_FALSE(wpx.Button5->isEnabled());
    // Enter in the prefix input then lists nothing.
    lw.grid().ClearGrid();
    QTest::keyClicks(page.Edit2, "UA");
    EXPECT_EQ(page.Label60->text(), "European Russia");
    QTest::keyClick(page.Edit2, Qt::Key_Return);
    EXPECT_EQ(lw.grid().RowCount(), 2);
    EXPECT_EQ(lw.grid().Cell(2, 1), "");
}

TEST(DxccPage, ChartsMenuCountryItemsDrawTheirTopTenCharts)
{
    LoadedWindow lw;
    struct Case {
        QAction* item;
        QString title;
        QStringList bars;
        std::string page;
    };
    const Case cases[] = {
        {lw.w->chartsPage->N41, "ZEM Log Analysis.QSO by countries.Top Ten  - TEST SM5XX 2024",
         {"European Russia - 60.0%", "Sweden - 20.0%", "United States - 20.0%"}, "QSO by countries"},
        {lw.w->chartsPage->WPX1, "ZEM Log Analysis.WPX by countries.Top Ten  - TEST SM5XX 2024",
         {"European Russia", "Sweden", "United States"}, "WPX by countries"},
    };
    for (const Case& c : cases) {
        lw.w->chartsPage->clear_all_series();
        ASSERT_TRUE(c.item->isEnabled()) << c.page;
        c.item->trigger();
        EXPECT_EQ(lw.w->Chart->chart()->title(), c.title) << c.page;
        QStringList bars = barLabels(lw.w->Chart);
        bars.sort();
        EXPECT_EQ(bars, c.bars) << c.page;
        EXPECT_TRUE(lw.pageWritten(c.page)) << c.page;
    }
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("\n").toStdString();
}
