#include "main/keoe_grid_view.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(KeoEGridView, ShowsCoreGridAndWrapsRows)
{
    TKeoEGrid g(3, 2, 1, 1);
    g.SetHeader({"#", "A", "B"});
    g.ClearGrid();
    {
        TKeoEGrid::BatchUpdate batch(g);
        for (int i = 1; i <= 3; ++i) g.AppendRow({std::to_string(i), "a" + std::to_string(i), "b"});
    }
    KeoEGridView v(g);
    v.resize(300, 200);
    v.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(v.model()->rowCount(), 3);
    EXPECT_EQ(v.model()->headerData(1, Qt::Horizontal).toString(), "A");
    EXPECT_EQ(v.model()->index(1, 1).data().toString(), "a2");

    ASSERT_TRUE(v.GoToCell(2, 1));
    QTest::keyClick(&v, Qt::Key_Right);
    EXPECT_EQ(v.currentIndex().row(), 1);
    EXPECT_EQ(v.currentIndex().column(), 1);
    QTest::keyClick(&v, Qt::Key_Left);
    EXPECT_EQ(v.currentIndex().row(), 0);
    EXPECT_EQ(v.currentIndex().column(), 2);
}

// Moves of the cursor and writes to the grid reach the view one turn of the
// event loop later; they must leave the current cell where it is.
TEST(KeoEGridView, CurrentCellSurvivesTheEventLoop)
{
    TKeoEGrid g(5, 5, 1, 1);
    g.SetHeader({"#", "A", "B", "C", "D"});
    for (int r = 1; r <= 4; ++r) g.WriteRow(r, {std::to_string(r), "a", "b", "c", "d"});
    KeoEGridView v(g);
    v.resize(400, 300);
    v.show();
    QTest::qWait(20);

    ASSERT_TRUE(v.GoToCell(1, 1));
    QTest::qWait(20);
    EXPECT_EQ(v.currentIndex(), v.model()->index(0, 1));

    QTest::keyClick(&v, Qt::Key_End);   // last column
    QTest::keyClick(&v, Qt::Key_Right); // wraps to row 2
    QTest::qWait(20);
    ASSERT_TRUE(v.currentIndex().isValid());
    EXPECT_EQ(v.currentIndex().row(), 1);
    EXPECT_EQ(v.currentIndex().column(), 1);
    QTest::keyClick(&v, Qt::Key_Down);
    QTest::qWait(20);
    EXPECT_EQ(v.currentIndex().row(), 2);

    // New data and new rows: shown, and the cursor stays.
    g.SetCell(2, 3, "changed");
    g.AppendRow({"5", "e"});
    QTest::qWait(20);
    EXPECT_EQ(v.model()->rowCount(), 5);
    EXPECT_EQ(v.model()->index(2, 2).data().toString(), "changed");
    EXPECT_EQ(v.model()->index(4, 1).data().toString(), "e");
    EXPECT_EQ(v.currentIndex().row(), 2);
    EXPECT_EQ(v.currentIndex().column(), 1);

    // Rows that go away take the cursor with them only when it stood on them.
    g.SetRowCount(3);
    QTest::qWait(20);
    EXPECT_EQ(v.model()->rowCount(), 2);
    EXPECT_EQ(v.model()->index(1, 1).data().toString(), "a");
}
