// The "3830" page through the real main window: a mail read from the menu or
// dropped, its band marks following each load and reset, its pop-up commands,
// and its callsigns passed to the master editor.
#include "log_window.h"

#include "main/keoe_grid_view.h"
#include "main/properties_dialog.h"
#include "main/status_panels.h"
#include "main/text_util.h"
#include "refdata/master_edit_dialog.h"
#include "reports/claimed_scores_page.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

void writeMail(const fs::path& file)
{
    std::ofstream f(file, std::ios::binary);
    f << "Subject: [3830] Test Contest: Claimed Scores\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
         "73 TOVK\r\n"
         "CALL        QSOS   HR   CLUB\r\n"
         "SINGLE OP\r\n"
         "K1AR         500   10   YANKEE CLIPPER =3D CC\r\n"
         "SM5AAA       100   20\r\n";
}

std::vector<std::string> bandMarks(const TKeoEGrid& g, int row)
{
    std::vector<std::string> out;
    for (int c = g.ColCount() - 7; c < g.ColCount(); ++c) out.push_back(g.Cell(c, row));
    return out;
}

using Marks = std::vector<std::string>;

} // namespace

TEST(ClaimedScoresPage, MailIsReadMarkedAgainstEachLoadAndExported)
{
    LogWindow lw;
    TForm2& w = *lw.w;
    ClaimedScoresPage& p = *w.Page3830;
    EXPECT_FALSE(p.Refresh1->isEnabled());
    EXPECT_TRUE(p.Open2->isEnabled());

    const fs::path mail = lw.programFolder / "scores.EML";
    writeMail(mail);
    QString startFolder;
    p.OpenDialog = [&](const QString& folder) {
        startFolder = folder;
        return QString::fromStdString(mail.string());
    };
    w.Properties->op3InitialDir = "/some/where";
    const QString current = QDir::currentPath();
    w.tb3->trigger();
    EXPECT_EQ(startFolder, "/some/where");
    EXPECT_EQ(QDir::currentPath(), current);
    EXPECT_EQ(w.pc1->tabText(w.pc1->currentIndex()), "3830");
    EXPECT_EQ(p.Label1->text(), "[3830] TEST CONTEST: CLAIMED SCORES");
    EXPECT_EQ(p.keo3830.Cell(5, 1), "YANKEE CLIPPER = CC");
    EXPECT_EQ(bandMarks(p.keo3830, 1), Marks(7, ""));
    for (QAction* a : p.Pop3830->actions()) EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

    // The subject offered as the page name loses its ":"; ".htm" is added
    // once. Without a log the dialog opens in the mail's folder.
    QString preset, saveFolder;
    p.SaveDialog = [&](const QString& folder, const QString& name) {
        saveFolder = folder;
        preset = name;
        return QString::fromStdString((lw.programFolder / "Scores.htm").string());
    };
    p.SavetoHTML1Click();
    EXPECT_EQ(preset, "[3830] TEST CONTEST- CLAIMED SCORES");
    EXPECT_EQ(fs::path(saveFolder.toStdString()), lw.programFolder);
    EXPECT_TRUE(fs::exists(lw.programFolder / "Scores.htm"));
    EXPECT_FALSE(fs::exists(lw.programFolder / "Scores.htm.htm"));

    // A load marks the bands; the table keeps its rows across the reset.
    lw.load({{"14025", "2024-03-16", "1200", "K1AR"}, {"7025", "2024-03-16", "1210", "K1AR"},
             {"21025", "2024-03-16", "1220", "SM5AAA"}});
    EXPECT_EQ(bandMarks(p.keo3830, 1), (Marks{"", "", "OK", "OK", "", "", ""}));
    EXPECT_EQ(bandMarks(p.keo3830, 2), (Marks{"", "", "", "", "OK", "", ""}));
    // With a log, the save dialog opens in the log's folder.
    p.SavetoHTML1Click();
    EXPECT_EQ(fs::path(saveFolder.toStdString()), fs::path(w.state().header.OutputDir));
    const std::string closedTitle = w.state().header.LogTitle;
    w.Close1Click();
    EXPECT_EQ(p.keo3830.Cell(1, 2), "SM5AAA");
    EXPECT_EQ(bandMarks(p.keo3830, 2), Marks(7, ""));
    // The closed log is no log: the mail's folder, and a page that does not
    // name the closed log.
    p.SavetoHTML1Click();
    EXPECT_EQ(fs::path(saveFolder.toStdString()), lw.programFolder);
    const std::string page = zem::readFile((lw.programFolder / "Scores.htm").string());
    ASSERT_FALSE(closedTitle.empty());
    EXPECT_EQ(page.find(closedTitle), std::string::npos);
    EXPECT_NE(page.find("SM5AAA"), std::string::npos);

    p.InputBox = [](const QString&, const QString&) -> std::optional<QString> { return QString("sm5aaa"); };
    p.Findcallsign1Click();
    EXPECT_EQ(p.Keo3830->currentIndex().row() + 1, 2);
    int chosen = 0;
    QObject::connect(&p, &ClaimedScoresPage::callChosen, [&] { ++chosen; });
    p.Keo3830Click();
    EXPECT_EQ(w.state().CurrentCall, "SM5AAA");
    EXPECT_EQ(w.Cty.Result().Prefix, "SM");
    EXPECT_EQ(chosen, 1);

    p.Close2Click();
    EXPECT_EQ(p.keo3830.Cell(1, 1), "");
    EXPECT_TRUE(p.Label1->text().isEmpty());
    EXPECT_FALSE(p.SavetoHTML1->isEnabled());
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

TEST(ClaimedScoresPage, FileWithoutScoresSaysSoAndLeavesCommandsOff)
{
    LogWindow lw;
    ClaimedScoresPage& p = *lw.w->Page3830;
    const fs::path mail = lw.programFolder / "empty.eml";
    std::ofstream(mail) << "Subject: nothing here\n\njust words\n";
    lw.w->openDropped3830(QString::fromStdString(mail.string()));
    EXPECT_EQ(lw.msgs.texts, QStringList{"No claimed scores found in empty.eml"});
    EXPECT_FALSE(p.Refresh1->isEnabled());
    EXPECT_FALSE(p.AddcallsignstoMasterdta1->isEnabled());

    lw.w->openDropped3830(QString::fromStdString((lw.programFolder / "missing.eml").string()));
    EXPECT_EQ(lw.msgs.texts.size(), 2);
}

TEST(ClaimedScoresPage, CallsignsGoToTheMasterEditor)
{
    LogWindow lw;
    ClaimedScoresPage& p = *lw.w->Page3830;
    const fs::path mail = lw.programFolder / "scores.eml";
    writeMail(mail);
    p.openDropped(QString::fromStdString(mail.string()));
    TMaster_edit& ed = *lw.w->Master_edit;
    ed.addImported({"W1AW"});
    QStringList imported;
    QString status;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TMaster_edit*>(QApplication::activeModalWidget());
        if (!dlg) return;
        for (int i = 0; i < dlg->ListBox1->count(); ++i) imported << dlg->ListBox1->item(i)->text();
        status = dlg->sb1->text(0);
        dlg->reject();
    });
    p.AddcallsignstoMasterdta1Click();
    EXPECT_EQ(imported, (QStringList{"W1AW", "K1AR", "SM5AAA"}));
    EXPECT_EQ(status, "Imported : 3 callsigns");
}

TEST(ClaimedScoresPage, CheckInTheLogPopUpComparesTheLoadedReport)
{
    LogWindow lw;
    TForm2& w = *lw.w;
    ClaimedScoresPage& p = *w.Page3830;
    QAction* check = w.Checkin3830ClaimedScores1;
    lw.load({{"14025", "2024-03-16", "1200", "K1AR"}});
    emit w.log_Pop->aboutToShow();
    EXPECT_FALSE(check->isEnabled()); // no report read

    const fs::path mail = lw.programFolder / "scores.eml";
    writeMail(mail);
    p.openDropped(QString::fromStdString(mail.string()));
    w.pc1->setCurrentIndex(0);
    // Marks made stale, as by an edit of the log: the check makes them anew.
    p.keo3830.SetCell(p.keo3830.ColCount() - 4, 1, "");
    emit w.log_Pop->aboutToShow();
    ASSERT_TRUE(check->isEnabled());
    check->trigger();
    EXPECT_EQ(bandMarks(p.keo3830, 1), (Marks{"", "", "", "OK", "", "", ""}));
    EXPECT_EQ(w.pc1->tabText(w.pc1->currentIndex()), "3830");

    p.Close2Click();
    emit w.log_Pop->aboutToShow();
    EXPECT_FALSE(check->isEnabled());
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

// At the Full screen size the pages scroll as a whole; the table fits the
// part of the page in view, so its own sideways bar is there to use at once,
// with the page scrolled to its top.
TEST(ClaimedScoresPage, WideTableKeepsItsBarInViewAtFullScreenSize)
{
    LogWindow lw;
    TForm2& w = *lw.w;
    ClaimedScoresPage& p = *w.Page3830;
    const fs::path mail = lw.programFolder / "wide.eml";
    {
        std::ofstream f(mail, std::ios::binary);
        f << "Subject: [3830] CQWW CW - Claimed Scores, Single Operator All Band High Power\r\n\r\n73 TOVK\r\n"
             "CALL          QSOS  ZONES  COUNTRIES  POINTS  SCORE      HR   CLUB\r\n"
             "SINGLE OP ALL HIGH\r\n";
        for (int i = 0; i < 80; ++i)
            f << "K" << i % 10 << "AB" << char('A' + i % 26) << "         " << 1000 + i << "    28    266    14144    2217513   26   "
              << "YANKEE CLIPPER CONTEST CLUB\r\n";
    }
    w.resize(691, 500);
    QCoreApplication::processEvents();
    p.openDropped(QString::fromStdString(mail.string()));
    QCoreApplication::processEvents();
    ASSERT_EQ(p.keo3830.RowCount(), 81);

    auto* area = w.findChild<QAbstractScrollArea*>("pc1Scroll");
    ASSERT_NE(area, nullptr);
    QWidget* view = area->viewport();
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    QScrollBar* bar = p.Keo3830->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible()) << "the table is wider than the page";
    const QRect barInView(bar->mapTo(view, QPoint(0, 0)), bar->size());
    EXPECT_TRUE(view->rect().contains(barInView))
        << "bar at y " << barInView.top() << ".." << barInView.bottom() << ", view " << view->height() << " high";
    // It takes the room there is: the subject line keeps its own height.
    EXPECT_GE(barInView.bottom(), view->height() - 8);
    EXPECT_LE(p.Label1->height(), p.Label1->heightForWidth(p.Label1->width()) + 2);

    // A larger window gives the table its room back.
    const int small = p.Keo3830->height();
    w.resize(791, 600);
    QCoreApplication::processEvents();
    EXPECT_GT(p.Keo3830->height(), small);
    const QRect barThen(bar->mapTo(view, QPoint(0, 0)), bar->size());
    EXPECT_TRUE(!bar->isVisible() || view->rect().contains(barThen));
}
