#include "import/cabrillo_open_dialog.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
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
