// The master editor over a loaded log and the program's master file, and the
// K and A indices that the chain writes into the log.
#include "log_window.h"

#include "main/log_table.h"
#include "main/properties_dialog.h"
#include "main/status_panels.h"
#include "refdata/master_call_db.h"
#include "refdata/call_info_dialog.h"
#include "refdata/master_edit_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QListWidget>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(MasterEditor, GathersLogAndMasterCallsAndSavesThem)
{
    LogWindow lw([](const fs::path& prog) { Cteate_master({"W1AW", "K1AR", "DL1ABC"}, (prog / "master.dta").string()); });
    TMaster_edit& ed = *lw.w->Master_edit;
    ed.FormActivate();
    EXPECT_FALSE(ed.Currentlog1->isEnabled());
    EXPECT_TRUE(ed.Masterdta1->isEnabled());
    EXPECT_FALSE(ed.Save1->isEnabled());

    // A log of one QSO is a log.
    lw.load({{"14025", "2024-03-16", "1200", "ua3aaa"}});
    ed.FormActivate();
    ASSERT_TRUE(ed.Currentlog1->isEnabled());
    ed.Currentlog1Click();
    ASSERT_EQ(ed.ListBox1->count(), 1);
    EXPECT_EQ(ed.ListBox1->item(0)->text(), "UA3AAA");

    ed.Masterdta1Click();
    ed.addImported({" k1ar ", "SM5AAA"});
    ed.Button1Click();
    EXPECT_EQ(ed.ListBox1->count(), 0);
    EXPECT_EQ(ed.MasterList.Calls(), (std::vector<std::string>{"DL1ABC", "K1AR", "SM5AAA", "UA3AAA", "W1AW"}));
    EXPECT_EQ(ed.ListView1->model()->rowCount(), 5);
    EXPECT_EQ(ed.ListView1->model()->index(2, 0).data().toString(), "SM5AAA");
    EXPECT_EQ(ed.sb1->text(2), "Master : 5 callsigns");
    EXPECT_TRUE(ed.Save1->isEnabled());

    const fs::path out = lw.programFolder / "mine.dta";
    ed.FileDialog = [&](TMaster_edit::FileChoice c) {
        if (c == TMaster_edit::FileChoice::SaveMaster) return QString::fromStdString(out.string());
        if (c == TMaster_edit::FileChoice::SaveText) return QString::fromStdString((lw.programFolder / "no/such/x.txt").string());
        return QString();
    };
    ed.Save1Click();
    TMasterCallDB m;
    m.LoadFromFile(out.string());
    EXPECT_TRUE(m.ExactSearch("SM5AAA"));
    EXPECT_EQ(m.AllCalls().size(), 5u);
    EXPECT_TRUE(lw.msgs.texts.isEmpty());
    ed.StClick(); // a folder that is not there: the user is told
    EXPECT_EQ(lw.msgs.texts.size(), 1);

    ed.reject(); // closing empties the master list, "Imported" stays
    EXPECT_EQ(ed.MasterList.Count(), 0);
    EXPECT_FALSE(ed.St->isEnabled());
}

// The save dialogs open where their files belong: a master file beside the
// one the program reads, a list of calls with the log's other outputs, or in
// the program's folder while no log is loaded (after Close Log too, whose
// header still names the closed log's folder).
TEST(MasterEditor, SaveDialogsOpenWhereTheirFilesBelong)
{
    LogWindow lw;
    TMaster_edit& ed = *lw.w->Master_edit;
    TQTHF& q = *lw.w->QTHF;
    // The folder the command's save dialog opened in; the dialog is cancelled.
    auto folderOf = [](const std::function<void()>& command) {
        QString folder;
        answerModal<QFileDialog>([&folder](QFileDialog* d) {
            folder = d->directory().absolutePath();
            d->reject();
        });
        command();
        return folder;
    };
    const QString prog = QDir(QString::fromStdString(lw.programFolder.string())).absolutePath();
    auto logFolder = [&] { return QDir(QString::fromStdString(lw.w->state().header.OutputDir)).absolutePath(); };
    struct Folders {
        QString master, text, callWindow;
    };
    auto folders = [&] {
        return Folders{folderOf([&] { ed.Save1Click(); }), folderOf([&] { ed.StClick(); }),
                       folderOf([&] { q.Button2Click(); })};
    };
    auto expect = [](const Folders& got, const Folders& want, const char* when) {
        EXPECT_EQ(got.master, want.master) << when;
        EXPECT_EQ(got.text, want.text) << when;
        EXPECT_EQ(got.callWindow, want.callWindow) << when;
    };

    expect(folders(), {prog, prog, prog}, "no log");
    lw.load({{"14025", "2024-03-16", "1200", "UA3AAA"}});
    ASSERT_NE(logFolder(), prog);
    expect(folders(), {prog, logFolder(), logFolder()}, "a log");
    lw.w->Close1Click();
    expect(folders(), {prog, prog, prog}, "after Close Log");
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

TEST(KAIndices, ChainWritesTheColumnsOrSaysTheFileIsMissing)
{
    LogWindow lw([](const fs::path& prog) {
        std::ofstream(prog / "Boulder_ak.txt") << "; indices\n"
                                                  "2024-03-16  12  1  2  3  4  5  6  7  8\n"
                                                  "2024-03-17   7  0  1  1  2  2  3  3  4\n";
    });
    lw.w->Properties->c1->setCurrentIndex(1);
    lw.load({{"14025", "2024-03-16", "2359", "K1AR"}, {"7025", "2024-03-17", "0000", "W1AW"}});
    const auto& log = lw.w->state().log_grid;
    EXPECT_EQ(log.Cell(lcA, 1), "12");
    EXPECT_EQ(log.Cell(lcK, 1), "8");
    EXPECT_EQ(log.Cell(lcA, 2), "7");
    EXPECT_EQ(log.Cell(lcK, 2), "0");
    EXPECT_EQ(lw.w->sb1->text(5), "K Indices for Boulder");

    lw.w->Properties->c1->setCurrentIndex(0);
    lw.load({{"14025", "2024-03-16", "2359", "K1AR"}});
    EXPECT_EQ(lw.w->sb1->text(5), "No Moscow_ak.txt");
    EXPECT_EQ(log.Cell(lcK, 1), "");
    EXPECT_EQ(log.Cell(lcQSO, 1), "1"); // the chain went on
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}
