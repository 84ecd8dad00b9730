#include "main/keoe_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

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

namespace {

// A grid of one fixed column and seven wide ones, more than a small view
// shows side by side.
struct WideGrid {
    TKeoEGrid g{8, 2, 1, 1};
    KeoEGridView v{g};
    WideGrid()
    {
        g.SetHeader({"#", "A", "B", "C", "D", "E", "F", "G"});
        {
            TKeoEGrid::BatchUpdate batch(g);
            g.SetRowCount(41);
            for (int r = 1; r <= 40; ++r)
                g.WriteRow(r, {std::to_string(r), "a", "b", "c", "d", "e", "f", "g"});
        }
        v.setColumnWidths({40, 90, 90, 90, 90, 90, 90, 90});
        v.resize(320, 240);
        v.show();
        QTest::qWait(20);
    }
    // Where column c's cells are seen: in the fixed part for the fixed
    // column, else right of it.
    bool cellSeenWhole(int col) const
    {
        const QRect r = v.visualRect(v.model()->index(0, col));
        return r.left() >= v.fixedColumnsWidth() && r.right() < v.viewport()->width();
    }
};

// Drags the right border of a column's title in a header by dx.
void dragBorder(QHeaderView* h, int col, int dx)
{
    QWidget* vp = h->viewport();
    const QPoint from(h->sectionViewportPosition(col) + h->sectionSize(col) - 1, h->height() / 2);
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, vp->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &e);
    };
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from + QPoint(dx, 0), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + QPoint(dx, 0), Qt::LeftButton, Qt::NoButton);
    QTest::qWait(20);
}

} // namespace

// Scrolled sideways, the fixed column stays at the left edge, whole, with
// the rows of the others; the cursor walking left brings each cell out from
// beneath it, and Left and Home stop at the first scrolling column.
TEST(KeoEGridView, FixedColumnStaysInSightWhileTheOthersScroll)
{
    WideGrid w;
    KeoEGridView& v = w.v;
    QTableView* fixed = v.fixedColumnsView();
    ASSERT_TRUE(fixed->isVisible());
    ASSERT_TRUE(v.horizontalScrollBar()->isVisible());

    ASSERT_TRUE(v.GoToCell(7, 1));
    QTest::qWait(20);
    EXPECT_EQ(v.horizontalScrollBar()->value(), v.horizontalScrollBar()->maximum());
    EXPECT_GT(v.horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(fixed->isVisible());
    EXPECT_EQ(fixed->geometry().topLeft(), QPoint(v.viewport()->x(), v.horizontalHeader()->y()));
    EXPECT_EQ(fixed->width(), 40);
    EXPECT_EQ(fixed->viewport()->height(), v.viewport()->height());
    EXPECT_EQ(fixed->visualRect(v.model()->index(0, 0)).left(), 0);
    EXPECT_EQ(fixed->model()->headerData(0, Qt::Horizontal).toString(), "#");
    EXPECT_TRUE(fixed->isColumnHidden(1));
    EXPECT_TRUE(w.cellSeenWhole(7));

    for (int col = 6; col >= 1; --col) {
        QTest::keyClick(&v, Qt::Key_Left);
        QTest::qWait(10);
        ASSERT_EQ(v.currentIndex().column(), col);
        EXPECT_TRUE(w.cellSeenWhole(col)) << col;
    }
    EXPECT_EQ(v.horizontalScrollBar()->value(), 0);
    QTest::keyClick(&v, Qt::Key_Left); // first data row: no wrap, no fixed cell
    QTest::qWait(10);
    EXPECT_EQ(v.currentIndex().column(), 1);
    v.GoToCell(7, 2);
    QTest::keyClick(&v, Qt::Key_Home);
    QTest::qWait(10);
    EXPECT_EQ(v.currentIndex().column(), 1);
    EXPECT_EQ(v.horizontalScrollBar()->value(), 0);

    // Down the rows, the fixed part goes with them.
    v.GoToCell(4, 35);
    QTest::qWait(20);
    EXPECT_GT(v.verticalScrollBar()->value(), 0);
    EXPECT_EQ(fixed->verticalScrollBar()->value(), v.verticalScrollBar()->value());
    EXPECT_EQ(fixed->rowAt(0), v.rowAt(0));
    EXPECT_EQ(fixed->rowAt(fixed->viewport()->height() - 1), v.rowAt(v.viewport()->height() - 1));
}

// The fixed part is a part of the grid: a click on it selects the row and
// is the grid's click without scrolling it sideways, the wheel over it
// scrolls the grid, and its width follows the column's, also when the user
// drags the column's border there.
TEST(KeoEGridView, FixedColumnTakesClicksWheelAndWidths)
{
    WideGrid w;
    KeoEGridView& v = w.v;
    QTableView* fixed = v.fixedColumnsView();
    v.GoToCell(7, 1);
    QTest::qWait(20);
    const int sideways = v.horizontalScrollBar()->value();

    QSignalSpy clicks(&v, &QAbstractItemView::clicked);
    QTest::mouseClick(fixed->viewport(), Qt::LeftButton, {}, fixed->visualRect(v.model()->index(4, 0)).center());
    QTest::qWait(20);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toModelIndex(), v.model()->index(4, 0));
    EXPECT_EQ(v.currentIndex().row(), 4);
    EXPECT_EQ(v.horizontalScrollBar()->value(), sideways);
    EXPECT_TRUE(v.hasFocus() || !v.isActiveWindow());

    QWheelEvent wheel(QPointF(10, 30), fixed->viewport()->mapToGlobal(QPointF(10, 30)), {}, QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(fixed->viewport(), &wheel);
    QTest::qWait(20);
    EXPECT_GT(v.verticalScrollBar()->value(), 0);
    EXPECT_EQ(fixed->rowAt(0), v.rowAt(0));

    // Its context menu is the grid's, at the place clicked.
    v.setContextMenuPolicy(Qt::CustomContextMenu);
    QSignalSpy menus(&v, &QWidget::customContextMenuRequested);
    const QPoint at = fixed->visualRect(v.model()->index(2, 0)).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, fixed->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(fixed->viewport(), &menu);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(v.viewport()->mapTo(&v, menus.at(0).at(0).toPoint()), fixed->viewport()->mapTo(&v, at));

    v.setColumnWidth(0, 55);
    QTest::qWait(20);
    EXPECT_EQ(fixed->width(), 55);
    EXPECT_EQ(fixed->columnWidth(0), 55);
    EXPECT_FALSE(v.isUserSized(0));

    dragBorder(fixed->horizontalHeader(), 0, 20);
    EXPECT_EQ(v.columnWidth(0), 75);
    EXPECT_EQ(fixed->width(), 75);
    EXPECT_TRUE(v.isUserSized(0));
    v.fitColumns();
    EXPECT_EQ(v.columnWidth(0), 75);

    // A grid without a fixed column has no fixed part.
    w.g.SetFixedCols(0);
    w.g.SetCell(1, 1, "x");
    QTest::qWait(20);
    EXPECT_FALSE(fixed->isVisible());
    EXPECT_EQ(v.fixedColumnsWidth(), 0);
}

// A grid filled anew is seen from its first rows and columns, wherever the
// table before it was left; texts written into it keep the place.
TEST(KeoEGridView, GridFilledAnewShowsItsFirstRows)
{
    WideGrid w;
    KeoEGridView& v = w.v;
    v.GoToCell(7, 40);
    QTest::qWait(20);
    ASSERT_GT(v.rowAt(0), 0);
    ASSERT_GT(v.horizontalScrollBar()->value(), 0);

    w.g.SetCell(2, 40, "written");
    QTest::qWait(20);
    EXPECT_GT(v.rowAt(0), 0) << "a write is not a new table";

    const int top = v.rowAt(0);
    w.g.SortInteger(0, 0);
    QTest::qWait(20);
    EXPECT_EQ(v.rowAt(0), top) << "nor is a sort";

    for (int rows : {41, 60}) { // as many rows as before, and more
        v.GoToCell(7, 40);
        QTest::qWait(20);
        {
            TKeoEGrid::BatchUpdate batch(w.g);
            w.g.ClearGrid();
            for (int r = 1; r < rows; ++r) w.g.AppendRow({std::to_string(r), "n", "n", "n", "n", "n", "n", "n"});
        }
        QTest::qWait(20);
        EXPECT_EQ(v.rowAt(0), 0) << rows;
        EXPECT_EQ(v.horizontalScrollBar()->value(), 0) << rows;
        EXPECT_EQ(v.fixedColumnsView()->rowAt(0), 0) << rows;
    }
}
