// The Errors page and the callsign information in the real main window: each
// check fills the grid and writes its page, a double click goes to the QSO,
// the master-file check writes its file, the information bar and window show
// the facts of the selected callsign.
#include "analysis/distribution_page.h"
#include "analysis/errors_page.h"
#include "analysis/log_checks.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "main/text_util.h"
#include "refdata/call_info_dialog.h"
#include "refdata/master_call_db.h"
#include "test_support.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// kHz, time, callsign of each QSO.
void writeLog(const fs::path& file)
{
    const char* qsos[][3] = {{"14025", "1200", "UA3ABC"}, {"7025", "1201", "UA3ABC"}, {"14025", "1205", "UA3ABD"},
                             {"14025", "1203", "K1ABC"},  {"14025", "1210", "SM5AA0"}};
    std::ofstream f(file);
    f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
    for (const auto& q : qsos)
        f << "QSO: " << q[0] << " CW 2024-03-16 " << q[1] << " SM5XX         599 001    " << q[2] << "        599 001\n";
    f << "END-OF-LOG:\n";
}

std::vector<std::string> row(const TKeoEGrid& g, int r) { return g.RowCells(r); }

struct LoadedWindow {
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    QString cwd = QDir::currentPath();
    std::unique_ptr<TForm2> w;
    fs::path folder;

    LoadedWindow()
    {
        const fs::path p = makeProgramFolder(prog);
        Cteate_master({"UA3ABC", "K1ABY", "SM5AAA"}, (p / "master.dta").string());
        w = std::make_unique<TForm2>(p);
        w->show();
        QCoreApplication::processEvents();
        const fs::path log = fs::path(logs.path().toStdString()) / "test.cbr";
        writeLog(log);
        w->Open_cabrillo_proc(QString::fromStdString(log.string()));
        folder = w->state().header.OutputDir;
        msgs.texts.clear();
    }
    ~LoadedWindow()
    {
        w.reset();
        QDir::setCurrent(cwd);
    }
    ErrorsPage& page() { return *w->errorsPage; }
    TKeoEGrid& grid() { return w->errorsPage->errorsGrid; }
};

} // namespace

TEST(ErrorsPage, ChecksFillTheGridAndWriteTheirPages)
{
    LoadedWindow lw;
    ASSERT_EQ(lw.w->state().header.QsoCount, 5);
    ASSERT_TRUE(lw.w->state().MasterLoaded);

    lw.page().TBu21->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(row(lw.grid(), 1), (std::vector<std::string>{"", "1", "5", "CW", "SM5AA0", "\"O\" instead zero?"}));
    EXPECT_EQ(lw.grid().RowCount(), 2);
    EXPECT_TRUE(fs::exists(lw.folder / "Suspect callsigns.htm"));
    EXPECT_EQ(lw.page().error_KeoEGrid->model()->rowCount(), 1);

    lw.page().tb19->trigger();
    EXPECT_EQ(row(lw.grid(), 1), (std::vector<std::string>{"", "1", "3", "CW", "UA3ABD", "Time: 1205 > 1203"}));
    EXPECT_TRUE(fs::exists(lw.folder / "Errors in Time.htm"));

    lw.page().tb17->trigger();
    ASSERT_EQ(lw.grid().RowCount(), 4);
    EXPECT_EQ(row(lw.grid(), 1), (std::vector<std::string>{"C/Y ", "1", "", "CW", "K1ABC", "K1ABY "}));
    EXPECT_EQ(row(lw.grid(), 2), (std::vector<std::string>{"", "2", "", "CW", "SM5AA0", "SM5AAA "}));
    EXPECT_EQ(row(lw.grid(), 3), (std::vector<std::string>{"", "3", "", "CW", "UA3ABD", "UA3ABC "}));
    EXPECT_TRUE(fs::exists(lw.folder / "Possible mistakes in callsigns.htm"));

    lw.page().tb11->trigger();
    ASSERT_EQ(lw.grid().RowCount(), 2);
    EXPECT_EQ(row(lw.grid(), 1),
              (std::vector<std::string>{"Not in master", "1", "3", "CW", "UA3ABD", "2 Times  -   UA3ABC"}));
    EXPECT_TRUE(fs::exists(lw.folder / "Partials in log.htm"));
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

TEST(ErrorsPage, DoubleClickGoesToTheQsoAndFindSelectsTheRow)
{
    LoadedWindow lw;
    lw.page().tb17->trigger();
    QCoreApplication::processEvents();
    lw.w->pc1->setCurrentIndex(3);
    QCoreApplication::processEvents();

    // Find callsign: lower case finds the upper-case call.
    lw.page().InputBox = [](const QString&, const QString&) { return std::optional<QString>("ua3abd"); };
    lw.page().tb15->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(lw.grid().Row, 3);
    // Selecting a finding shows its callsign in the information bar.
    EXPECT_EQ(lw.w->sb3->text(9), "UA3ABD:");

    // A finding without a log row goes to the first QSO of its callsign.
    auto* view = lw.page().error_KeoEGrid;
    view->GoToCell(4, 3);
    emit view->doubleClicked(view->currentIndex());
    QCoreApplication::processEvents();
    EXPECT_EQ(lw.w->pc1->currentIndex(), 0);
    EXPECT_EQ(lw.w->state().log_grid.Row, 3);

    // A finding that names a log row goes to that row.
    lw.page().tb19->trigger();
    lw.w->pc1->setCurrentIndex(3);
    lw.w->log_grid->GoToCell(1, 1);
    view->GoToCell(1, 1);
    lw.page().error_KeoEGridDblClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(lw.w->state().log_grid.Row, 3);
}

TEST(ErrorsPage, MasterCheckWritesItsFileAndTellsTheTotals)
{
    LoadedWindow lw;
    QString caption, text;
    lw.page().InfoBox = [&](const QString& c, const QString& t) {
        caption = c;
        text = t;
    };
    lw.w->FindinMasterdta1->trigger();
    EXPECT_EQ(caption, "Search in Master.dta");
    EXPECT_EQ(text, "Total callsigns: 4\nNot found in Master.dta: 3 (75%)");
    EXPECT_EQ(zem::readFile((lw.folder / "Not found in Master.dta.txt").string()),
              "K1ABC\r\nSM5AA0\r\nUA3ABD\r\n\r\nTotal callsigns: 4\r\nNot found in Master.dta: 3 (75%)\r\n");
}

TEST(ErrorsPage, WithoutMasterOrQsosChecksDoNothing)
{
    MessageRecorder msgs;
    QTemporaryDir prog;
    TForm2 w(makeProgramFolder(prog));
    w.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.errorsPage->tb17->isVisible());
    EXPECT_FALSE(w.FindinMasterdta1->isEnabled());
    msgs.texts.clear();
    // No log: nothing runs, nothing is said.
    for (QAction* a : {w.errorsPage->TBu21, w.errorsPage->tb19, w.errorsPage->tb11}) a->trigger();
    w.errorsPage->tb17Click();
    EXPECT_TRUE(msgs.texts.isEmpty());
    EXPECT_TRUE(w.errorsPage->errorsGrid.IsRowEmpty(1));

    // A log but no master file: the master-file commands say so once.
    w.state().header.QsoCount = 1;
    w.errorsPage->tb17Click();
    w.errorsPage->FindinMasterdta1Click();
    EXPECT_EQ(msgs.texts.size(), 2);
    EXPECT_TRUE(w.errorsPage->errorsGrid.IsRowEmpty(1));
}

TEST(CallInfo, InformationBarShowsFactsAndBandsOfTheSelectedCall)
{
    LoadedWindow lw;
    // The view keeps its current cell across the load: move away and back.
    lw.w->log_grid->GoToCell(1, 2);
    lw.w->log_grid->GoToCell(1, 1); // UA3ABC on 20 and 40 m
    QCoreApplication::processEvents();
    auto* sb3 = lw.w->sb3;
    EXPECT_EQ(sb3->text(0), "European Russia");
    EXPECT_EQ(sb3->text(5), "EU");
    EXPECT_TRUE(sb3->text(6).endsWith(" km"));
    EXPECT_EQ(sb3->text(9), "UA3ABC:");
    const QString bands[6] = {"", "", "40", "20", "", ""};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sb3->text(10 + i), bands[i]) << i;
    EXPECT_TRUE(lw.w->log_grid->toolTip().startsWith("UA3ABC\nEuropean Russia"));

    // A station selected in the Distribution lists.
    lw.w->Distribution->rm_buttonClick();
    auto* twoBands = lw.w->findChild<QListWidget*>("ListBox4");
    ASSERT_EQ(twoBands->count(), 1);
    lw.w->state().CurrentCall.clear();
    sb3->setText(9, "");
    twoBands->setCurrentRow(0);
    EXPECT_EQ(lw.w->state().CurrentCall, "UA3ABC");
    EXPECT_EQ(sb3->text(9), "UA3ABC:");

    // A callsign the country file does not know shows no facts at all.
    lw.w->state().CurrentCall = "ZZ9ZZ";
    lw.w->Show_call_info();
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(sb3->text(i), "") << i;
    EXPECT_EQ(sb3->text(9), "ZZ9ZZ:");

    // Nothing of the bar outlives the log.
    twoBands->setCurrentRow(-1);
    twoBands->setCurrentRow(0);
    ASSERT_EQ(sb3->text(9), "UA3ABC:");
    lw.w->Close1Click();
    for (int i = 0; i < sb3->panelCount(); ++i) EXPECT_EQ(sb3->text(i), "") << i;
}

TEST(ErrorsPage, EachCheckStartsAtItsFirstFindingShown)
{
    LoadedWindow lw;
    auto* view = lw.page().error_KeoEGrid;
    auto* sb3 = lw.w->sb3;
    lw.page().tb17->trigger(); // K1ABC, SM5AA0, UA3ABD
    QCoreApplication::processEvents();
    view->GoToCell(4, 3);
    QCoreApplication::processEvents();
    ASSERT_EQ(sb3->text(9), "UA3ABD:");

    lw.page().tb17->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->currentIndex().row() + 1, 1);
    EXPECT_EQ(sb3->text(9), "K1ABC:");
    EXPECT_EQ(sb3->text(0), "United States");

    lw.page().TBu21->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->currentIndex().row() + 1, 1);
    EXPECT_EQ(sb3->text(9), "SM5AA0:");
    EXPECT_FALSE(sb3->text(8).isEmpty()) << "the check's time stays";
}

TEST(CallInfo, WindowShowsFactsAndMasterMatches)
{
    LoadedWindow lw;
    TQTHF& q = *lw.w->QTHF;
    q.show();
    QCoreApplication::processEvents();
    QTest::keyClicks(q.Edit1, "u");
    EXPECT_EQ(q.Edit1->text(), "U");
    EXPECT_EQ(q.label20->text(), "");
    EXPECT_EQ(q.l->count(), 0);
    QTest::keyClicks(q.Edit1, "a3");
    EXPECT_EQ(q.label20->text(), "European Russia");
    EXPECT_EQ(q.label23->text(), "16");
    EXPECT_EQ(q.label22->text(), "29");
    EXPECT_EQ(q.label25->text(), "-4");
    EXPECT_FALSE(q.label24->text().isEmpty());
    ASSERT_EQ(q.l->count(), 1);
    EXPECT_EQ(q.l->item(0)->text(), "UA3ABC");
    EXPECT_EQ(q.Label10->text(), "1");
    EXPECT_TRUE(q.Button2->isEnabled());

    QTemporaryDir out;
    const QString file = out.path() + "/calls.txt";
    q.SaveFileName = [&] { return file; };
    q.Button2Click();
    EXPECT_EQ(zem::readFile(file.toStdString()), "UA3ABC\r\n");

    // "?" stands for any character.
    q.Edit1->setText("K1AB?");
    ASSERT_EQ(q.l->count(), 1);
    EXPECT_EQ(q.l->item(0)->text(), "K1ABY");

    // Unknown country: no facts of the previous call stay.
    q.Edit1->setText("ZZ9");
    for (QLabel* l : {q.label20, q.label21, q.label22, q.label23, q.label24, q.label25, q.label26, q.label27})
        EXPECT_EQ(l->text(), "") << l->objectName().toStdString();

    q.Edit1->clear();
    EXPECT_EQ(q.l->count(), 0);
    EXPECT_FALSE(q.Button2->isEnabled());
    q.hide();
}

// The Errors table fits its page when its findings do: empty, before any
// check, and after one; only texts wider than the page make it scroll. On a
// wide page its columns keep their widths.
TEST(ErrorsPage, TableScrollsSidewaysOnlyForWhatItShows)
{
    LoadedWindow lw;
    auto* view = lw.page().error_KeoEGrid;
    lw.w->pc1->setCurrentWidget(lw.page().parentWidget());
    QTest::qWait(20);
    auto fits = [&] {
        return view->horizontalHeader()->length() <= view->viewport()->width() &&
               !view->horizontalScrollBar()->isVisible();
    };
    ASSERT_LT(view->viewport()->width(), 900);
    EXPECT_TRUE(fits()) << "empty";

    for (QAction* check : {lw.page().tb19, lw.page().TBu21}) {
        check->trigger();
        QTest::qWait(20);
        ASSERT_FALSE(lw.grid().IsRowEmpty(1));
        EXPECT_TRUE(fits()) << check->text().toStdString();
        EXPECT_GE(view->columnWidth(5), view->cellWidthNeeded(5, 1));
    }
    lw.grid().ClearGrid();
    QTest::qWait(20);
    EXPECT_TRUE(fits()) << "emptied";

    lw.grid().SetCell(5, 1, std::string(200, 'W'));
    QTest::qWait(20);
    EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
    EXPECT_GE(view->columnWidth(5), view->cellWidthNeeded(5, 1));

    lw.grid().ClearGrid();
    lw.w->resize(1200, lw.w->height());
    QTest::qWait(20);
    if (view->viewport()->width() >= 900) {
        EXPECT_EQ(view->columnWidth(0), 115);
        EXPECT_EQ(view->columnWidth(5), 550);
    }
}
