#include "import/error_dialog.h"

#include "main/keoe_grid_view.h"
#include "main/log_table.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void fillLog(AppState& s, int rows)
{
    s.log_grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        s.log_grid.SetCell(lcNumber, r, std::to_string(r));
        s.log_grid.SetCell(lcKHz, r, "14025");
        s.log_grid.SetCell(lcMode, r, "CW");
        s.log_grid.SetCell(lcDate, r, "2007-03-01");
        s.log_grid.SetCell(lcTime, r, "1000");
        s.log_grid.SetCell(lcCallsign, r, "K" + std::to_string(r) + "AA");
        s.log_grid.SetCell(lcTX, r, "1");
    }
}

} // namespace

TEST(ErrorDialog, ListsFailuresDoubleClickChoosesRowCloseResets)
{
    AppState s;
    fillLog(s, 60);
    TERRF dlg(s);
    EXPECT_EQ(dlg.windowTitle(), "Error during processing of the following QSOs");
    for (int r : {12, 57, 33}) {
        s.RowCounter = r;
        Bad_QSO(s);
    }
    dlg.prepareForJob();
    dlg.show();
    QCoreApplication::processEvents();

    auto* model = dlg.error_keo->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(1, 0).data().toString(), "57");
    EXPECT_EQ(model->index(1, 5).data().toString(), "K57AA");
    EXPECT_EQ(model->index(1, 6).data().toString(), "");

    QSignalSpy chosen(&dlg, &TERRF::logRowChosen);
    dlg.error_keo->selectRow(1);
    const QRect cell = dlg.error_keo->visualRect(model->index(1, 2));
    // An item view reports a double click only after the press that began it.
    QTest::mouseClick(dlg.error_keo->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(dlg.error_keo->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 57);

    // With rows 2 and 3 selected, the first of them counts.
    dlg.error_keo->clearSelection();
    dlg.error_keo->selectionModel()->select(model->index(2, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dlg.error_keo->selectionModel()->select(model->index(1, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dlg.error_keoDblClick();
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(1).at(0).toInt(), 57);

    QTest::keyClick(dlg.error_keo, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(s.BadQsoCount, 0);
    EXPECT_EQ(s.error_keo.Cell(0, 1), "");

    // The next job's first failure is row 1 again.
    s.RowCounter = 5;
    Bad_QSO(s);
    dlg.prepareForJob();
    QCoreApplication::processEvents();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 0).data().toString(), "5");
}
