// TR Log and MixW2 files through the real main window: the chain after the
// reader, the reopen list, and the files each reader leaves alone.
#include "import/find_cabrillo_dialog.h"
#include "import/n1mm_dialog.h"
#include "main/keoe_grid_view.h"
#include "main/form2.h"
#include "../support/fake_database.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "main_window_support.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::filesystem::path folderOf(const QTemporaryDir& d) { return d.path().toStdString(); }

void writeTrLog(const std::filesystem::path& file)
{
    std::ofstream f(file);
    f << "2007 CQ WW CW RZ9ZEM\n";
    f << " 20CW  05-Mar-07 09:41       DL1ABC         599  599  14\n";
    f << " 40CW  05-Mar-07 09:45       K1ABC          599  599  05\n";
}

} // namespace

TEST(OtherReaders, TrLogOpensThroughTheChainAndConfigFilesAreLeftAlone)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    MessageRecorder& msgs = m.msgs;
    QTemporaryDir& logs = m.logs;

    const auto log = folderOf(logs) / "contest.DAT";
    writeTrLog(log);
    w.Open_TR(QString::fromStdString(log.string()));
    auto& s = w.state();
    ASSERT_EQ(s.header.QsoCount, 2);
    EXPECT_EQ(s.log_grid.Cell(lcBand, 2), "40");
    EXPECT_EQ(s.header.Category, "TR Log file");
    EXPECT_TRUE(std::filesystem::exists(folderOf(logs) / "CQ WW CW RZ9ZEM 2007" / "Summary.htm"));
    ASSERT_EQ(w.ReopenList.size(), 1);

    // TR Log's country file beside the log is not a log: nothing changes.
    const auto cty = folderOf(logs) / "cty.dat";
    std::ofstream(cty) << "not a log\n";
    w.Open_TR(QString::fromStdString(cty.string()));
    EXPECT_EQ(s.header.QsoCount, 2);
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    // A reopen item of a ".dat" file opens it with the TR Log reader.
    w.Close1Click();
    ASSERT_EQ(w.ReopenItemCount, 1);
    w.ReopenItems[0]->trigger();
    EXPECT_EQ(s.header.QsoCount, 2);

    // A file that cannot be read is reported, and the program is reset.
    w.Open_TR(QString::fromStdString((folderOf(logs) / "missing.dat").string()));
    EXPECT_EQ(msgs.texts.size(), 1);
    EXPECT_EQ(s.header.QsoCount, 0);

    // A first line that names nothing: the log's folder is named after the file.
    const auto untitled = folderOf(logs) / "untitled.DAT";
    {
        std::ofstream f(untitled);
        f << "\n 20CW  05-Mar-07 09:41       DL1ABC         599  599  14\n";
    }
    w.Open_TR(QString::fromStdString(untitled.string()));
    EXPECT_EQ(s.header.QsoCount, 1);
    EXPECT_EQ(s.header.LogTitle, "untitled");
    EXPECT_TRUE(std::filesystem::exists(folderOf(logs) / "untitled" / "Summary.htm"));
    EXPECT_FALSE(std::filesystem::exists(folderOf(logs) / "  "));
    EXPECT_EQ(w.windowTitle(), "untitled - ZEM Log Analysis");
}

TEST(OtherReaders, MixwStartsAFreshHeaderAndStaysOutOfTheReopenList)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    MessageRecorder& msgs = m.msgs;
    QTemporaryDir& logs = m.logs;

    const auto log = folderOf(logs) / "mixw.log";
    std::ofstream(log) << "RZ9ZEM;DL1ABC;200702191234;599;599;x;14025000;a;b;SSB\n"
                          "RZ9ZEM;K1ABC;200702191240;599;599;x;7003500;a;b;RTTY\n";
    w.state().header.Category = "SINGLE-OP"; // as a Cabrillo log before would leave it
    w.open_MixW(QString::fromStdString(log.string()));
    auto& s = w.state();
    ASSERT_EQ(s.header.QsoCount, 2);
    EXPECT_EQ(s.header.Category, "No category");
    EXPECT_EQ(w.sb1->text(3), "No category");
    EXPECT_EQ(s.log_grid.Cell(lcMode, 1), "PH");
    EXPECT_EQ(s.log_grid.Cell(lcBand, 2), "40");
    EXPECT_TRUE(std::filesystem::exists(folderOf(logs) / "MixW2 Log RZ9ZEM 2007" / "Summary.htm"));
    EXPECT_TRUE(w.ReopenList.isEmpty());
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();
}

TEST(OtherReaders, N1mmContestLoadsAndAnEmptyOneSaysSo)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    MessageRecorder& msgs = m.msgs;
    QTemporaryDir& logs = m.logs;

    FakeDatabase db;
    std::vector<std::string> names(27, "x");
    names[3] = "ContestNR";
    std::vector<std::string> qso(27);
    qso[0] = "2024-11-30 12:00:00";
    qso[1] = "DL1ABC";
    qso[2] = "14025.0";
    qso[3] = "7";
    qso[4] = "CW";
    db.tables["DXLOG"] = {names, {qso}};
    const QString path = logs.path() + "/ham.mdb";
    w.loadN1mmContest(db, path, N1mmContest{"CQ-WW-CW", "2024-11-30", "SO", "RZ9ZEM", "7"});
    auto& s = w.state();
    ASSERT_EQ(s.header.QsoCount, 1);
    EXPECT_EQ(s.log_grid.Cell(lcBand, 1), "20");
    EXPECT_TRUE(std::filesystem::exists(folderOf(logs) / "CQ-WW-CW RZ9ZEM 2024" / "Summary.htm"));
    EXPECT_TRUE(w.ReopenList.isEmpty());

    w.loadN1mmContest(db, path, N1mmContest{"RDXC", "", "", "RZ9ZEM", "8"});
    EXPECT_EQ(msgs.texts, QStringList{"No QSO`s"});
    EXPECT_EQ(s.header.QsoCount, 0);
}

TEST(OtherReaders, N1mmWindowRefusesAFileThatIsNoDatabaseAndKeepsItsPath)
{
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w(makeProgramFolder(prog));
    const QString notDb = logs.path() + "/notes.mdb";
    std::ofstream(notDb.toStdString()) << "just text\n";
    {
        Tn1mm dlg(w);
        EXPECT_FALSE(dlg.b3->isEnabled());
        dlg.e->setText(notDb);
        EXPECT_TRUE(dlg.b3->isEnabled());
        dlg.b3Click();
        EXPECT_FALSE(dlg.b1->isEnabled());
        EXPECT_FALSE(dlg.b3->isEnabled());
        EXPECT_TRUE(dlg.contests.IsRowEmpty(1));
        dlg.b2Click();
    }
    EXPECT_EQ(w.settings.N1mmDatabase, notDb.toStdString());
    Tn1mm again(w);
    EXPECT_EQ(again.e->text(), notDb);
}

TEST(OtherReaders, FinderListsLogsAndOpensTheOneDoubleClicked)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    MessageRecorder& msgs = m.msgs;
    QTemporaryDir& logs = m.logs;

    const auto sub = folderOf(logs) / "2024";
    std::filesystem::create_directories(sub);
    std::ofstream(sub / "rdxc.cbr") << "START-OF-LOG: 3.0\nCONTEST: RDXC\nCALLSIGN: RZ9ZEM\nCATEGORY: SINGLE-OP\n"
                                       "QSO: 14025 CW 2024-03-16 1200 RZ9ZEM 599 001 DL1ABC 599 002\n";
    Tfind_cabrillo& f = *w.find_cabrillo;
    f.Edit2->setText(logs.path());
    f.Button1Click();
    EXPECT_EQ(f.Label5->text(), "1 files");
    EXPECT_EQ(f.found.Cell(3, 1), "single-op");
    EXPECT_EQ(f.found.Cell(2, 1), "RZ9ZEM");

    f.g->GoToCell(0, 1);
    f.gDblClick();
    EXPECT_EQ(w.state().header.QsoCount, 1);
    EXPECT_EQ(w.state().header.StationCall, "RZ9ZEM");

    // An empty folder says so.
    QTemporaryDir empty;
    f.Edit2->setText(empty.path());
    f.Button1Click();
    EXPECT_EQ(msgs.texts, QStringList{"No files found"});

    // No logs folder set: Find says so rather than naming no folder.
    msgs.texts.clear();
    f.Edit2->clear();
    f.Button1Click();
    EXPECT_EQ(msgs.texts, QStringList{"No logs folder is set: choose one with \">>\"."});
}
