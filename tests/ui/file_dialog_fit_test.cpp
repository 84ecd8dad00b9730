// Qt's own file dialog, as the program shows it where the desktop offers
// none: its places and the sizes, types and dates of the files read whole.
#include "main/file_dialog_fit.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QScreen>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

TEST(FileDialogFit, PlacesAndFileColumnsShowTheirTextsWhole)
{
    QTemporaryDir dir;
    for (const char* name : {"K9CT_CQWPXSSB2025_M2_n1mm.log", "spots of the whole weekend.txt", "Summary.jpg"}) {
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(123456, 'x'));
    }
    fitFileDialogsToTheirTexts();
    QFileDialog d(nullptr, "Open", dir.path());
    d.setOption(QFileDialog::DontUseNativeDialog);
    auto* files = d.findChild<QTreeView*>("treeView");
    auto* places = d.findChild<QListView*>("sidebar");
    ASSERT_NE(files, nullptr);
    ASSERT_NE(places, nullptr);
    // Qt brings back the column widths of the last file dialog, made in
    // some other program's font.
    for (int c = 0; c < files->header()->count(); ++c) files->setColumnWidth(c, 30);
    d.show();
    // The folder is read in the background.
    QTRY_COMPARE_WITH_TIMEOUT(files->model()->rowCount(files->rootIndex()), 3, 5000);
    QTest::qWait(50);

    const QFontMetrics fileText(files->font());
    for (int c = 0; c < files->header()->count(); ++c) {
        if (files->header()->isSectionHidden(c)) continue;
        int need = files->header()->sectionSizeHint(c); // the title
        for (int r = 0; r < 3; ++r) {
            const QString text = files->model()->index(r, c, files->rootIndex()).data().toString();
            need = std::max(need, fileText.horizontalAdvance(text) + (c == 0 ? files->iconSize().width() : 0) + 4);
        }
        EXPECT_GE(files->columnWidth(c), need) << "column " << c;
    }
    const QFontMetrics fm(places->font());
    for (int r = 0; r < places->model()->rowCount(); ++r) {
        const QString text = places->model()->index(r, 0).data().toString();
        EXPECT_LE(fm.horizontalAdvance(text) + places->iconSize().width(), places->viewport()->width())
            << text.toStdString();
    }
    EXPECT_LE(d.width(), 800);
}

// A folder of logs whose names and sizes are long: the dialog shows them whole
// as it opens, before its own reading of the folder is done, and keeps its
// width afterwards: once the folder is read, a file is selected, the folder
// is read again.
TEST(FileDialogFit, FitsAsItOpensAndDoesNotGrowLater)
{
    QTemporaryDir dir;
    const std::pair<const char*, int> logs[] = {{"K1LZ_CQWWCW2024_MULTI_OP_qso.log", 538248},
                                                {"W2GD_CQ_WORLD_WIDE_DX_CONTEST_2024_single_op.log", 1023},
                                                {"VE3EJ.LOG", 999999}};
    for (const auto& [name, size] : logs) {
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'x'));
    }
    fitFileDialogsToTheirTexts();
    QFileDialog d(nullptr, "Open", dir.path());
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.resize(480, 360);
    auto* files = d.findChild<QTreeView*>("treeView");
    ASSERT_NE(files, nullptr);
    for (int c = 0; c < files->header()->count(); ++c) files->setColumnWidth(c, 30);

    const QFontMetrics fm(files->font());
    int name = 0, size = 0;
    for (const auto& [n, bytes] : logs) {
        name = std::max(name, fm.horizontalAdvance(n) + files->iconSize().width() + 4);
        size = std::max(size, fm.horizontalAdvance(QLocale::system().formattedDataSize(bytes)) + 4);
    }
    const QRect screen = d.screen()->availableGeometry();
    auto expectFitted = [&](const char* when) {
        EXPECT_GE(files->columnWidth(0), name) << when;
        EXPECT_GE(files->columnWidth(1), size) << when;
        EXPECT_LE(d.frameGeometry().width(), screen.width()) << when;
    };
    d.show(); // the folder is read in the background: no file is listed yet
    ASSERT_EQ(files->model()->rowCount(files->rootIndex()), 0);
    expectFitted("as it opens");
    const int width = d.width();
    EXPECT_GT(width, 480);

    QTRY_COMPARE_WITH_TIMEOUT(files->model()->rowCount(files->rootIndex()), 3, 5000);
    QTest::qWait(50);
    expectFitted("the folder read");
    EXPECT_EQ(d.width(), width);

    files->setCurrentIndex(files->model()->index(0, 0, files->rootIndex()));
    QTest::qWait(50);
    auto* model = d.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    emit model->directoryLoaded(dir.path());
    QTest::qWait(50);
    expectFitted("a file selected");
    EXPECT_EQ(d.width(), width);
    EXPECT_FALSE(d.selectedFiles().value(0).isEmpty());
}
