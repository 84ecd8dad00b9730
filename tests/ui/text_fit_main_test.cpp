// Every page of the main window, filled from a real multi-two log at the
// window's default size, shows its titles, cells, panels and captions whole.
#include "analysis/breaks_page.h"
#include "analysis/charts_page.h"
#include "analysis/distribution_page.h"
#include "analysis/dxcc_page.h"
#include "analysis/errors_page.h"
#include "analysis/near_zone_page.h"
#include "analysis/rates_page.h"
#include "analysis/tbc_for_m2.h"
#include "analysis/two_radio_page.h"
#include "analysis/wpx_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "main/properties_dialog.h"
#include "reports/claimed_scores_page.h"
#include "test_support.h"
#include "text_fit.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A program folder with the real country file and master file, so that the
// log's columns, the status bars and the tables hold what users see.
QString joined(const QStringList& lines)
{
    // A fault in one column cuts thousands of cells: the first few tell.
    QStringList shown = lines.mid(0, 25);
    if (lines.size() > shown.size()) shown << QString("... and %1 more").arg(lines.size() - shown.size());
    return shown.join('\n');
}

} // namespace

// The checker itself: it sees cut texts of each kind it knows, and passes
// texts that have their room.
TEST(TextFit, FindsCutTextsOfEveryKindAndPassesWholeOnes)
{
    QWidget w;
    w.setObjectName("win");
    w.resize(600, 300);
    auto* tight = new QLabel("Distance to the far station", &w);
    tight->setObjectName("tight");
    tight->setGeometry(0, 0, 40, 20);
    auto* roomy = new QLabel("km", &w);
    roomy->setObjectName("roomy");
    roomy->setGeometry(0, 30, 200, 20);
    auto* button = new QPushButton("Russian oblasts", &w);
    button->setObjectName("button");
    button->setGeometry(0, 60, 30, 24);
    auto* bar = new TStatusPanels(&w);
    bar->setObjectName("bar");
    bar->setGeometry(0, 90, 60, 20);
    bar->addPanel(30);
    bar->addPanel(30);
    bar->setText(1, "10296 km"); // grows past the bar's right edge
    auto* table = new QTableView(&w);
    table->setObjectName("table");
    table->setGeometry(0, 120, 500, 150);
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({"Line in log", "TX"});
    model.setItem(0, 0, new QStandardItem("1"));
    model.setItem(0, 1, new QStandardItem("KC4TEOWR0MG"));
    table->setModel(&model);
    table->setColumnWidth(0, 20);
    table->setColumnWidth(1, 200);
    auto* tabs = new QTabBar(&w);
    tabs->setObjectName("tabs");
    tabs->addTab("Near zone");
    tabs->setElideMode(Qt::ElideRight); // a bar too narrow for its tab shortens the title
    tabs->setUsesScrollButtons(false);
    tabs->setGeometry(300, 0, 40, 30);
    auto* list = new QListWidget(&w);
    list->setObjectName("list");
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->addItems({"K1", "9A2025HWC/QRP/MM/DIGI"});
    list->setGeometry(300, 40, 60, 60);
    auto* wrapped = new QLabel("[3830] CQ WW DX CONTEST, SSB - 2025 CLAIMED SCORES FOR ALL CATEGORIES", &w);
    wrapped->setObjectName("wrapped");
    wrapped->setWordWrap(true);
    wrapped->setGeometry(380, 40, 200, 20); // one line high: the rest of the subject is cut
    // A chart whose names of bars do not fit: Qt shortens them to "...".
    auto* chart = new QChartView(&w);
    chart->setObjectName("chart");
    auto* bars = new QBarSeries;
    auto* set = new QBarSet(QString());
    *set << 1 << 2 << 3;
    bars->append(set);
    chart->chart()->addSeries(bars);
    auto* names = new QBarCategoryAxis;
    names->append({"United States of America", "European Russia and Kaliningrad", "Federal Republic of Germany"});
    chart->chart()->addAxis(names, Qt::AlignBottom);
    bars->attachAxis(names);
    auto* values = new QValueAxis;
    values->setRange(0, 100);
    values->setTickCount(3);
    values->setLabelFormat("%d");
    chart->chart()->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
    chart->setGeometry(300, 70, 300, 200);
    w.show();
    QCoreApplication::processEvents();
    // A label the chart leaves out, as it does with labels too close to their neighbours.
    for (QGraphicsItem* item : chart->scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t && t->toPlainText() == "50") t->setVisible(false);

    const QStringList cut = cutTexts(&w);
    const QString all = cut.join('\n');
    EXPECT_TRUE(all.contains("win/tight/text: 'Distance to the far station'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/button/text: 'Russian oblasts'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/bar/panel 1: '10296 km'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/table/title 0: 'Line in log'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/tabs/tab 0: 'Near zone'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/list/item 1: '9A2025HWC/QRP/MM/DIGI'")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/wrapped/text height:")) << all.toStdString();
    EXPECT_TRUE(all.contains("win/chart/chart text: 'Unit...' cut")) << all.toStdString();
    EXPECT_FALSE(all.contains("roomy")) << all.toStdString();
    EXPECT_FALSE(all.contains("KC4TEOWR0MG")) << all.toStdString();
    EXPECT_EQ(cut.filter("' cut").size(), 3) << all.toStdString(); // the three names
    EXPECT_TRUE(all.contains("win/chart/chart text: '50' left out")) << all.toStdString();
    EXPECT_EQ(cut.size(), 11) << all.toStdString();

    // Room enough everywhere: nothing to report.
    tight->setGeometry(0, 0, 400, 20);
    button->setGeometry(0, 60, 300, 30);
    bar->resize(400, 20);
    table->setColumnWidth(0, 150);
    tabs->resize(200, 30);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded); // the list scrolls instead
    wrapped->resize(200, wrapped->heightForWidth(200));
    w.resize(1800, 500);
    chart->setGeometry(380, 70, 1400, 300);
    QCoreApplication::processEvents();
    EXPECT_TRUE(cutTexts(&w).isEmpty()) << cutTexts(&w).join('\n').toStdString();
}

// A grid gives each column what its title and its widest text need, bold
// where drawn bold, whatever width its owner asked for; a grid too narrow for
// its columns scrolls. Shares of the width follow every resize.
TEST(TextFit, GridColumnsAreAtLeastAsWideAsTheirTexts)
{
    TKeoEGrid g(3, 1, 0, 1);
    g.SetHeader({"Distance", "n", "Callsign"});
    KeoEGridView v(g);
    v.resize(300, 200);
    v.OnGetDrawValues = [](int col, int, QFont& f, TAlignment&, QColor&) { f.setBold(col == 2); };
    v.setColumnFit([](int width) { return std::vector<int>{width / 10, width / 10, width / 10}; });
    v.show();
    g.AppendRow({"10", "1", "KC4TEOWR0MG"});
    QCoreApplication::processEvents();
    EXPECT_TRUE(cutTexts(&v).isEmpty()) << cutTexts(&v).join('\n').toStdString();
    QFont bold = v.font();
    bold.setBold(true);
    EXPECT_GT(v.columnWidth(2), QFontMetrics(bold).horizontalAdvance("KC4TEOWR0MG"));

    // Texts written later and a narrower grid: still whole, reached by scrolling.
    g.AppendRow({"10296 km", "2", "9A2025HWC/QRP/MM"});
    v.resize(120, 200);
    QCoreApplication::processEvents();
    EXPECT_TRUE(cutTexts(&v).isEmpty()) << cutTexts(&v).join('\n').toStdString();
    EXPECT_GT(v.horizontalHeader()->length(), v.viewport()->width());

    // Room to spare goes back to the owner's shares.
    v.resize(2000, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(v.columnWidth(1), 200);

    // Fixed widths are minimums too.
    v.setColumnWidths({5, 5, 5});
    EXPECT_TRUE(cutTexts(&v).isEmpty()) << cutTexts(&v).join('\n').toStdString();
}

// A bar allowed to draw smaller keeps its texts whole when it is too
// narrow for them, as near its own size as it can, and draws them in its own
// size again when it widens; a bar that is not allowed keeps its font.
TEST(TextFit, StatusTextsDrawnSmallerRatherThanCut)
{
    QWidget w;
    w.resize(800, 100);
    auto* bar = new TStatusPanels(&w);
    auto* fixed = new TStatusPanels(&w);
    for (TStatusPanels* b : {bar, fixed}) {
        QFont f = b->font();
        f.setPointSize(10);
        b->setFont(f);
        for (int width : {100, 100, 150, 50}) b->addPanel(width);
        b->panel(1).bold = true;
        b->setText(0, "5905 qso");
        b->setText(1, "MULTI-OP UNLIMITED ALL HIGH MIXED");
        b->setText(2, "No a,K Indices for this day");
    }
    bar->setSmallestPointSize(6);
    fixed->move(0, 50);
    w.show();
    // What the texts need in the bar's own size, whatever its width.
    const int natural = bar->neededUsedWidth();
    ASSERT_GT(natural, 300);

    for (TStatusPanels* b : {bar, fixed}) b->resize(natural - 40, b->height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(cutTexts(bar).isEmpty()) << cutTexts(bar).join('\n').toStdString();
    EXPECT_LT(bar->panelFont(1).pointSizeF(), 10);
    EXPECT_GE(bar->panelFont(1).pointSizeF(), 8.5) << "no smaller than the width needs";
    EXPECT_TRUE(bar->panelFont(1).bold());
    EXPECT_FALSE(cutTexts(fixed).isEmpty());
    EXPECT_EQ(fixed->panelFont(1).pointSizeF(), 10);
    // The room the texts want in the bar's own size is still what its owner fits to.
    EXPECT_EQ(bar->neededUsedWidth(), natural);

    bar->resize(natural + 150, bar->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->panelFont(1).pointSizeF(), 10);
    EXPECT_EQ(bar->neededWidth(0) + bar->neededWidth(1) + bar->neededWidth(2), natural);
}

// The K9CT multi-two log in a main window at its default size, with the
// "+" rows of the breaks, and the information bar about the longest call of
// the log (the country facts, the distance and the band matrix).
struct RealLogWindow {
    CurrentFolderKeeper folderBack;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w{realProgramFolder(prog)};
    QStringList cut;

    // Header lines of the log replaced by others (a category of its own).
    void open(const std::vector<std::pair<QByteArray, QByteArray>>& header = {})
    {
        w.show();
        QTest::qWait(20);
        const QString log = logs.path() + "/K9CT.log";
        ASSERT_TRUE(QFile::copy(QString(ZEM_SOURCE_DIR) + "/tests/data/K9CT_CQWPXSSB2025_M2_n1mm.log", log));
        if (!header.empty()) {
            QFile f(log);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            QByteArray text = f.readAll();
            for (const auto& [line, by] : header) {
                ASSERT_TRUE(text.contains(line)) << line.toStdString();
                text.replace(line, by);
            }
            f.resize(0);
            f.write(text);
        }
        w.Properties->cb1->setChecked(true); // "NO." for calls missing from the master file
        w.Open_cabrillo_proc(log);
        ASSERT_GT(w.state().header.QsoCount, 5000);
        w.breaksPage->N10minuts1Click();
        w.errorsPage->InfoBox = [](const QString&, const QString&) {};
        w.errorsPage->InputBox = [](const QString&, const QString&) { return std::optional<QString>(); };
        std::string longest;
        for (int r = 1; r <= w.state().header.QsoCount; ++r)
            if (w.state().log_grid.Cell(lcCallsign, r).size() > longest.size())
                longest = w.state().log_grid.Cell(lcCallsign, r);
        w.state().CurrentCall = longest;
        w.Show_call_info();
        ASSERT_FALSE(w.sb3->text(6).isEmpty()); // its distance
        w.CalculateTime();
    }
    // Notes what is cut under root (the window by default) after the event
    // loop; at the default size also pages wider than the window, which
    // would hide what lies past its right edge until the user scrolls.
    void check(const QString& step, QWidget* root = nullptr)
    {
        QCoreApplication::processEvents();
        for (const QString& line : cutTexts(root ? root : &w)) cut << step + ": " + line;
        auto* pages = w.findChild<QScrollArea*>("pc1Scroll");
        if (pagesFit && pages && pages->horizontalScrollBar()->maximum() > 0)
            cut << step + QString(": the pages need %1 px more than the window has").arg(pages->horizontalScrollBar()->maximum());
    }
    bool pagesFit = true;
    void page(const char* title)
    {
        for (int i = 0; i < w.pc1->count(); ++i)
            if (w.pc1->tabText(i) == title) w.pc1->setCurrentIndex(i);
        QCoreApplication::processEvents();
    }
    // Both kinds of distribution, and mixed mode with its longer items.
    void checkDistributions(const QString& step)
    {
        page("Distribution");
        w.Distribution->rm_buttonClick();
        check(step + " by bands");
        w.Distribution->Mixedmode1Click();
        check(step + " mixed mode");
        w.Distribution->Button14Click();
        check(step + " total on band");
    }
};

// A claimed-scores mail whose subject is about a hundred characters long.
void writeLongSubjectMail(const QString& path)
{
    std::ofstream f(path.toStdString(), std::ios::binary);
    f << "Subject: [3830] WWDX MWC 2025 - WW4WWW/MM, WM2WWW/MM, MW1MMW/MM, WW6WWW/MM: MULTI-TWO WORLDWIDE CLAIMED SCORES, ALL CATEGORIES AND CLUBS\r\n\r\n"
         "CALL        QSOS   HR   CLUB\r\n"
         "SINGLE OP\r\n"
         "K1AR         500   10   YANKEE CLIPPER CC\r\n";
}

// The guard: each page at the window's default size after the commands that
// fill it, with the status bars and the information bar of a chosen call.
TEST(TextFitMainWindow, NoPageCutsAnyTextOnARealLog)
{
    RealLogWindow lw;
    lw.open();
    if (HasFatalFailure()) return;
    TForm2& w = lw.w;
    QStringList& cut = lw.cut;
    auto check = [&](const QString& step, QWidget* root = nullptr) { lw.check(step, root); };
    auto page = [&](const char* title) { lw.page(title); };

    page("Log");
    check("Log");
    {
        // The guard sees the table: a column made too narrow is reported.
        const int callWidth = w.log_grid->columnWidth(lcCallsign);
        w.log_grid->setColumnWidth(lcCallsign, 10);
        EXPECT_TRUE(cutTexts(&w).join('\n').contains("log_grid/row 1 col 16")) << cutTexts(&w).size();
        w.log_grid->setColumnWidth(lcCallsign, callWidth);
    }
    page("Summary");
    check("Summary");
    page("Distribution");
    check("Distribution");
    lw.checkDistributions("Distribution");
    page("Errors");
    for (QAction* a : {w.errorsPage->TBu21, w.errorsPage->tb19, w.errorsPage->tb11}) {
        a->trigger();
        check("Errors " + a->text());
    }
    page("Breaks");
    w.se1->setValue(3); // a busy station's breaks are short: rows, and the Total under them
    w.breaksPage->tb33Click();
    ASSERT_GT(w.breaksPage->breaksGrid.RowCount(), 10);
    check("Breaks");
    // Narrower than its default, the window may cut its status texts, but the
    // breaks table refits its columns.
    w.resize(w.width() - 150, w.height());
    check("Breaks narrower", w.Breaks_Grid);
    w.resize(w.width() + 150, w.height());
    page("Rate");
    w.ratesPage->Button6Click();
    check("Rate");
    w.ratesPage->Button7Click();
    check("Rate 2");
    page("DXCC");
    DxccPage* d = w.dxccPage;
    d->Edit2->setText("JA");
    for (QPushButton* b : {d->Button15, d->wpx_Button, d->rm_Button, d->Button1, d->Button9, d->Button12,
                           d->WAZ_But, d->ITU_But, d->b2}) {
        b->click();
        check("DXCC " + b->text());
        // From the first run on, a table that can fit the page does.
        KeoEGridView* g = d->StringGrid3;
        int needed = 0;
        for (int n : g->neededWidths()) needed += n;
        if (needed <= g->viewport()->width()) {
            EXPECT_LE(g->horizontalHeader()->length(), g->viewport()->width()) << b->text().toStdString();
        }
    }
    page("2 Radio");
    w.twoRadioPage->Two_radio();
    check("2 Radio");
    {
        // The list as wide as its columns: every column whole without a sideways scroll.
        KeoEGridView* list = w.twoRadioPage->so2r_Keo;
        ASSERT_GT(list->model()->rowCount(), 100);
        EXPECT_LE(list->horizontalHeader()->length(), list->viewport()->width());
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    }
    ASSERT_TRUE(w.twoRadioPage->Get_m2_bc());
    w.twoRadioPage->bc_for_m2->show();
    QCoreApplication::processEvents();
    for (const QString& line : cutTexts(w.twoRadioPage->bc_for_m2)) cut << "M/2: " + line;
    w.twoRadioPage->bc_for_m2->hide();
    page("Charts");
    check("Charts");
    page("WPX");
    w.wpxPage->Button5Click();
    check("WPX");
    page("Near zone");
    w.nearZonePage->Button10Click();
    for (int i = 0; i < w.nearZonePage->bandTabs->count(); ++i) {
        w.nearZonePage->bandTabs->setCurrentIndex(i);
        check("Near zone");
    }
    page("3830");
    check("3830");
    const QString mail = lw.logs.path() + "/scores.eml";
    writeLongSubjectMail(mail);
    w.Page3830->openDropped(mail);
    ASSERT_EQ(w.Page3830->Label1->text().size(), 100);
    ASSERT_GT(w.Page3830->Label1->fontMetrics().horizontalAdvance(w.Page3830->Label1->text()), w.width());
    check("3830 long subject");
    EXPECT_TRUE(cut.isEmpty()) << cut.size() << " cut texts:\n" << joined(cut).toStdString();
}

// "Full screen" on an 800 x 600 screen makes the window 691 x 500: the pages
// may scroll, but every status panel and every chart's text still reads whole,
// also with the longest categories of the Cabrillo rules.
struct Category {
    const char* transmitter;
    const char* mode;
    const char* shown;
};
class FullScreenText : public testing::TestWithParam<Category> {};

TEST_P(FullScreenText, OnTheSmallestScreenKeepsPanelsAndChartTextsWhole)
{
    RealLogWindow lw;
    const Category c = GetParam();
    lw.open({{"CATEGORY-TRANSMITTER: TWO", QByteArray("CATEGORY-TRANSMITTER: ") + c.transmitter},
             {"CATEGORY-MODE: SSB", QByteArray("CATEGORY-MODE: ") + c.mode}});
    if (HasFatalFailure()) return;
    TForm2& w = lw.w;
    ASSERT_EQ(w.sb1->text(3).toStdString(), c.shown);
    w.resize(691, 500);
    QTest::qWait(50);
    ASSERT_EQ(w.width(), 691);
    lw.pagesFit = false; // they may scroll here
    for (const char* title : {"Log", "Summary"}) {
        lw.page(title);
        lw.check(title);
    }
    lw.checkDistributions("Distribution");
    lw.page("2 Radio");
    w.twoRadioPage->Two_radio();
    lw.check("2 Radio");
    // The bars' own right edges lie inside the window too.
    for (TStatusPanels* bar : {w.sb1, w.sb3}) {
        int last = -1;
        for (int i = 0; i < bar->panelCount(); ++i)
            if (!bar->text(i).isEmpty()) last = i;
        ASSERT_GE(last, 0);
        EXPECT_LE(bar->mapTo(&w, bar->panelRect(last).topRight()).x(), w.width()) << bar->objectName().toStdString();
    }
    EXPECT_TRUE(lw.cut.isEmpty()) << lw.cut.size() << " cut texts:\n" << joined(lw.cut).toStdString();

    // Back at the default size the panels have their widths again, and the
    // texts their own size.
    w.resize(791, 600);
    QTest::qWait(50);
    EXPECT_EQ(w.sb1->panel(0).width, 100);
    for (int i = 0; i < w.sb1->panelCount(); ++i)
        EXPECT_EQ(w.sb1->panelFont(i).pointSizeF(), w.sb1->font().pointSizeF()) << i;
    lw.cut.clear();
    lw.check("default size", w.sb1);
    EXPECT_TRUE(lw.cut.isEmpty()) << joined(lw.cut).toStdString();
}

// The log's own category, and the longest ones of HF logs.
INSTANTIATE_TEST_SUITE_P(TextFitMainWindow, FullScreenText,
                         testing::Values(Category{"TWO", "SSB", "MULTI-OP TWO ALL HIGH SSB"},
                                         Category{"UNLIMITED", "CW", "MULTI-OP UNLIMITED ALL HIGH CW"},
                                         Category{"UNLIMITED", "MIXED", "MULTI-OP UNLIMITED ALL HIGH MIXED"}));
