#include "import/dt_change_dialog.h"

#include "main/log_table.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

TKeoEGrid makeLog(int rows)
{
    TKeoEGrid g;
    initLogGrid(g);
    g.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        g.SetCell(lcDate, r, "2007-03-01");
        g.SetCell(lcTime, r, "0030");
    }
    return g;
}

} // namespace

TEST(DateTimeChangeDialog, ExampleFollowsOffsetAndGoShiftsSelection)
{
    TKeoEGrid log = makeLog(10);
    TDT_change dlg(log);
    EXPECT_EQ(dlg.windowTitle(), "Date/Time change for a log");
    dlg.sp->setValue(15);
    dlg.show(); // activation shows the first QSO and resets the offset
    EXPECT_EQ(dlg.sp->value(), 0);
    EXPECT_EQ(dlg.Label1->text(), "2007-03-01 0030");
    EXPECT_EQ(dlg.Label2->text(), "2007-03-01 0030");
    dlg.sp->setValue(-60);
    EXPECT_EQ(dlg.Label2->text(), "2007-02-28 2330");

    dlg.CB1->setChecked(true);
    dlg.setSelectedRows(5, 9);
    dlg.Button1->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(log.Cell(lcDate, r) + " " + log.Cell(lcTime, r),
                  r >= 5 && r <= 9 ? "2007-02-28 2330" : "2007-03-01 0030")
            << r;

    // Without "Only selected" every row moves; a bad cell is reported.
    dlg.CB1->setChecked(false);
    dlg.sp->setValue(60);
    EXPECT_TRUE(dlg.Button1Click(0, 0).isEmpty());
    EXPECT_EQ(log.Cell(lcTime, 1), "0130");
    log.SetCell(lcDate, 3, "yesterday");
    EXPECT_FALSE(dlg.Button1Click(0, 0).isEmpty());
}
