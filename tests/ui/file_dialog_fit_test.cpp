// Qt's own file dialog, as the program shows it where the desktop offers
// none: its places and the sizes, types and dates of the files read whole.
#include "main/file_dialog_fit.h"

#include <QFile>
#include <QFileDialog>
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
