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
