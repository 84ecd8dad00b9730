#include "import/cabrillo_open_dialog.h"
#include "test_support.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

TEST(CabrilloOpenDialog, FiltersFromSettings)
{
    EXPECT_EQ(cabrilloNameFilters("Cabrillo(*.cbr,*.log,*.txt)|*.cbr;*.log;*.txt|All files(*.*)|*.*"),
              (QStringList{"Cabrillo(*.cbr,*.log,*.txt) (*.cbr *.log *.txt)", "All files(*.*) (*)"}));
    EXPECT_EQ(cabrilloNameFilters("Cabrillo(*.cbr)|*.cbr|Cabrillo(*.log)|*.log"),
              (QStringList{"Cabrillo(*.cbr) (*.cbr)", "Cabrillo(*.log) (*.log)"}));
    EXPECT_EQ(cabrilloNameFilters(""), QStringList{"All files (*)"});
}

TEST(CabrilloOpenDialog, PreviewFollowsTheSelection)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString log = dir.filePath("RZ9ZEM.LOG");
    std::ofstream(log.toStdString()) << "START-OF-LOG: 3.0\r\nCONTEST: rdxc\r\nCALLSIGN: rz9zem\r\n";
    std::ofstream(dir.filePath("notes.txt").toStdString()) << "CONTEST: NONE\r\n";
    QDir(dir.path()).mkdir("older");

    CabrilloOpenDialog dlg;
    dlg.setup("Cabrillo(*.cbr)|*.cbr|Cabrillo(*.log)|*.log|All files(*.*)|*.*", dir.path());
    EXPECT_EQ(dlg.windowTitle(), "Open Cabrillo");
    dlg.show();
    dlg.selectNameFilter("Cabrillo(*.log) (*.log)");

    auto* view = dlg.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex folder = model->index(dir.path());
    for (int i = 0; i < 250 && model->rowCount(folder) < 2; ++i) QTest::qWait(20);
    // The folder and the upper-case ".LOG" file; the ".txt" file is filtered out.
    EXPECT_EQ(model->rowCount(folder), 2);

    // Clicking the file shows its header.
    view->setCurrentIndex(model->index(log));
    EXPECT_EQ(dlg.contestValue()->text(), "RDXC");
    EXPECT_EQ(dlg.callsignValue()->text(), "RZ9ZEM");

    // A folder leaves the strip as it is; a file that is gone empties it.
    view->setCurrentIndex(model->index(dir.filePath("older")));
    EXPECT_EQ(dlg.contestValue()->text(), "RDXC");
    dlg.op1SelectionChange(dir.filePath("gone.cbr"));
    EXPECT_EQ(dlg.contestValue()->text(), "");
    EXPECT_EQ(dlg.callsignValue()->text(), "");
}

// One dialog for the session: the file type and the folder chosen last are
// there again; a folder the settings change wins over the one kept.
TEST(CabrilloOpenDialog, KeepsTheChosenTypeAndFolderForTheSession)
{
    QTemporaryDir logs, other, moved;
    ASSERT_TRUE(logs.isValid() && other.isValid() && moved.isValid());
    const QString filter = "Cabrillo(*.cbr)|*.cbr|Cabrillo(*.log)|*.log|All files(*.*)|*.*";
    QWidget owner;
    struct Seen {
        QString filter, folder;
        QObject* dialog = nullptr;
    };
    // Opens the dialog, looks, may choose, and cancels.
    auto open = [&](const QString& settingFolder, const std::function<void(QFileDialog*)>& choose = {}) {
        Seen seen;
        answerModal<QFileDialog>([&](QFileDialog* d) {
            seen = {d->selectedNameFilter(), d->directory().absolutePath(), d};
            if (choose) choose(d);
            d->reject();
        });
        EXPECT_EQ(runCabrilloOpenDialog(&owner, filter, settingFolder), QString());
        return seen;
    };

    const Seen first = open(logs.path(), [&](QFileDialog* d) {
        d->selectNameFilter("Cabrillo(*.log) (*.log)");
        d->setDirectory(other.path());
    });
    EXPECT_EQ(first.filter, "Cabrillo(*.cbr)");
    EXPECT_EQ(first.folder, QDir(logs.path()).absolutePath());

    const Seen second = open(logs.path());
    EXPECT_EQ(second.dialog, first.dialog);
    EXPECT_EQ(second.filter, "Cabrillo(*.log)");
    EXPECT_EQ(second.folder, QDir(other.path()).absolutePath());

    const Seen third = open(moved.path());
    EXPECT_EQ(third.filter, "Cabrillo(*.log)");
    EXPECT_EQ(third.folder, QDir(moved.path()).absolutePath());

    // Another filter setting keeps a type it has too, else offers its first.
    answerModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->selectedNameFilter(), "Cabrillo(*.cbr,*.log,*.txt)");
        d->selectNameFilter("All files(*.*) (*)");
        d->reject();
    });
    runCabrilloOpenDialog(&owner, "Cabrillo(*.cbr,*.log,*.txt)|*.cbr;*.log;*.txt|All files(*.*)|*.*", moved.path());
    EXPECT_EQ(open(moved.path()).filter, "All files(*.*)");
}
