// The Breaks page and the band-change rule in the real main window.
#include "analysis/breaks_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "time_line_log.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(BreaksPage, ShowFillsTheTableJumpsToTheQsoAndTheRuleMarksTheLog)
{
    TimeLineWindow t;
    TForm2& w = t.w;
    BreaksPage& page = *w.breaksPage;
    // 40 m for 3 minutes, then 20 m; a pause of 20 minutes after row 3.
    t.open({{"7010", "1200"}, {"7011", "1202"}, {"14010", "1203"}, {"14011", "1224"}, {"14012", "1225"}});
    ASSERT_EQ(w.state().header.QsoCount, 5);

    page.se1->setValue(15);
    QTest::mouseClick(page.tb33, Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(page.breaksGrid.RowCount(), 3);
    EXPECT_EQ(page.breaksGrid.RowCells(1),
              (std::vector<std::string>{"1", "20", "14010 - 14011", "1203 - 1224", "K3AA", "K4AA", "3", ""}));
    EXPECT_EQ(page.breaksGrid.Cell(0, 2), "Total");
    EXPECT_EQ(page.l22->text(), "Total: 0h 20min");
    // The Total row is selected: it describes no QSO, and the command's time stays.
    EXPECT_EQ(page.Breaks_Grid->currentIndex().row() + 1, 2);
    for (int i : {0, 6, 9}) EXPECT_EQ(w.sb3->text(i), "") << i;
    EXPECT_TRUE(w.sb3->text(8).startsWith(">>"));
    EXPECT_TRUE(std::filesystem::exists(t.outputDir() / "Breaks more then 15 minuts.htm"));
    page.cb4->setChecked(true);
    page.se2->setValue(19);
    QTest::mouseClick(page.tb33, Qt::LeftButton);
    EXPECT_EQ(page.breaksGrid.RowCount(), 2);
    EXPECT_TRUE(std::filesystem::exists(t.outputDir() / "Breaks more then 15 minuts and less then 19 minuts.htm"));
    page.cb4->setChecked(false);
    QTest::mouseClick(page.tb33, Qt::LeftButton);

    // A double click on the break shows its QSO on the Log page.
    w.pc1->setCurrentIndex(4);
    QCoreApplication::processEvents();
    const QRect cell = page.Breaks_Grid->visualRect(page.Breaks_Grid->model()->index(0, 1));
    QTest::mouseClick(page.Breaks_Grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(page.Breaks_Grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.pc1->currentIndex(), 0);
    EXPECT_EQ(w.state().log_grid.Row, 3);
    EXPECT_EQ(w.log_grid->currentIndex().row() + 1, 3);
    // The Total row has no line: nothing happens.
    w.pc1->setCurrentIndex(4);
    page.Breaks_Grid->GoToCell(1, 2);
    page.Breaks_GridDblClick();
    EXPECT_EQ(w.pc1->currentIndex(), 4);

    auto* n5 = w.findChild<QAction*>("N5minuts1");
    ASSERT_NE(n5, nullptr);
    n5->trigger();
    ASSERT_EQ(t.msgs.texts.size(), 1) << t.msgs.texts.join("|").toStdString();
    EXPECT_EQ(t.msgs.texts[0], "Total infringements:\n\n1\n\nInfringements are painted in red color");
    EXPECT_EQ(w.state().log_grid.Cell(lcNumber, 1), "+1");
    EXPECT_EQ(w.state().log_grid.Cell(lcNumber, 2), "+2");
    EXPECT_EQ(w.state().log_grid.Cell(lcNumber, 3), "3");
    w.findChild<QAction*>("N10minuts1")->trigger(); // 40 m: 3 minutes; the last stay is not checked
    EXPECT_EQ(page.BandChangeMinutes, 10);
    EXPECT_EQ(w.state().log_grid.Cell(lcNumber, 1), "+1");
}
