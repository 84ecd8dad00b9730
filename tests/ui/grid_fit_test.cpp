// Column fitting as a user meets it: the quick widths it measures with, the
// widths a user drags that stay, and the main tables that fit the window at
// its default size on a large log.
#include "analysis/analysis_pass.h"
#include "analysis/dxcc_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main_window_support.h"

#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Drags the right border of a column's title by dx, as a user does.
void dragColumnBorder(KeoEGridView& v, int col, int dx)
{
    QHeaderView* h = v.horizontalHeader();
    QWidget* vp = h->viewport();
    const QPoint from(h->sectionViewportPosition(col) + h->sectionSize(col) - 1, h->height() / 2);
    const QPoint to = from + QPoint(dx, 0);
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, vp->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &e);
    };
    send(QEvent::MouseMove, from, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, from + QPoint(dx / 2, 0), Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    QTest::qWait(20);
}

// A multi-two log of n QSOs: the real K9CT log again and again, two days
// later each time, so that times, serials and calls stay real.
QByteArray bigLog(int n)
{
    QFile f(QString(ZEM_SOURCE_DIR) + "/tests/data/K9CT_CQWPXSSB2025_M2_n1mm.log");
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray header, out;
    QList<QByteArray> qsos;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("QSO:")) qsos << line;
        else if (!line.startsWith("END-OF-LOG") && !line.startsWith("X-QSO")) header += line + '\n';
    }
    out = header;
    static const QRegularExpression date(" 2025-03-(\\d\\d) ");
    for (int k = 0, rep = 0; k < n; ++rep)
        for (const QByteArray& q : qsos) {
            if (k++ >= n) break;
            QString line = QString::fromLatin1(q);
            const QRegularExpressionMatch m = date.match(line);
            const int day = m.captured(1).toInt() + 2 * rep;
            const QString shifted = day <= 31 ? QString(" 2025-03-%1 ").arg(day, 2, 10, QChar('0'))
                                              : QString(" 2025-04-%1 ").arg(day - 31, 2, 10, QChar('0'));
            out += line.replace(m.capturedStart(), m.capturedLength(), shifted).toLatin1() + '\n';
        }
    return out + "END-OF-LOG:\n";
}

} // namespace

// The quick widths the columns are sized by are never narrower than the
// drawn texts, bold or not, kerned pairs and letters outside ASCII included;
// and a column sized by them shows its widest text whole.
TEST(GridFit, QuickWidthsNeverUnderTheDrawnWidth)
{
    TKeoEGrid none(1, 1, 0, 1);
    KeoEGridView v(none);
    const QFont f = v.font();
    const TextWidths quick(f, false), exact(f, true);
    QFont bold = f;
    bold.setBold(true);
    const std::vector<std::string> texts = {
        "AVAVAVAV", "To Ty Yo", "WAWAWA", "LT1T", "9A2025HWC/QRP/MM", "ff fi fl", "1234567890",
        "Fed. Rep. of Germany", "DUPE.", "ŁódźÑandú", "W1NT-6-#", "iiiiiii", "MMMMMMM", "CQ WW DX 12 dB 25 WPM"};
    for (const std::string& t : texts)
        for (bool b : {false, true}) {
            const int drawn = QFontMetrics(b ? bold : f).horizontalAdvance(QString::fromStdString(t));
            EXPECT_GE(quick.width(t, b), drawn) << t << (b ? " bold" : "");
            EXPECT_LE(quick.width(t, b), drawn + drawn / 10 + 1) << t << (b ? " bold" : "");
            EXPECT_EQ(exact.width(t, b), drawn) << t;
            EXPECT_GE(quick.widthBound(t.size()), quick.width(t)) << t;
        }

    // Many texts of one width, and a widest one anywhere among them.
    TKeoEGrid g(2, 1, 0, 1);
    g.SetHeader({"#", "Call"});
    for (int r = 0; r < 5000; ++r) g.AppendRow({std::to_string(100000 + r), r == 3210 ? "MMMMMMMMMM" : "W1AW"});
    KeoEGridView grid(g);
    grid.setColumnWidths({1, 1});
    const QFontMetrics fm(grid.font());
    EXPECT_GE(grid.columnWidth(1), fm.horizontalAdvance("MMMMMMMMMM") + 3);
    EXPECT_GE(grid.columnWidth(0), fm.horizontalAdvance("104999") + 3);
    EXPECT_LE(grid.columnWidth(0), fm.horizontalAdvance("104999") + 8);
}

// A column the user sized keeps its width through the event loop, the
// scroll bar it brings, resizes of the window and writes of texts; the
// other columns still follow the window. A load fills the table anew and
// fits every column again.
TEST(GridFit, WidthTheUserSetStaysUntilTheGridIsFilledAnew)
{
    RealMainWindowWithLogs rw;
    TForm2& w = rw.w;
    const QString log = rw.copyLog("K9CT_CQWPXSSB2025_M2_n1mm.log");
    w.Open_cabrillo_proc(log);
    QTest::qWait(20);
    KeoEGridView& v = *w.log_grid;
    const int fitted = v.columnWidth(lcCallsign);
    dragColumnBorder(v, lcCallsign, 160);
    ASSERT_TRUE(v.isUserSized(lcCallsign));
    EXPECT_EQ(v.columnWidth(lcCallsign), fitted + 160);
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.horizontalScrollBar()->isVisible(); }, 2000));

    // Narrower than its text, when the user makes it so.
    dragColumnBorder(v, lcMode, 6 - v.columnWidth(lcMode));
    const int mode = v.columnWidth(lcMode);
    EXPECT_LT(mode, v.cellWidthNeeded(lcMode, 1) - v.cellMarginGiveUp());

    const int kHz = v.columnWidth(lcKHz);
    w.resize(w.width() - 100, w.height());
    QTest::qWait(20);
    EXPECT_EQ(v.columnWidth(lcCallsign), fitted + 160);
    EXPECT_EQ(v.columnWidth(lcMode), mode);
    EXPECT_LE(v.columnWidth(lcKHz), kHz); // the others follow the window
    w.state().log_grid.SetCell(lcCallsign, 1, "K9CT/9");
    QTest::qWait(20);
    EXPECT_EQ(v.columnWidth(lcCallsign), fitted + 160);
    w.resize(w.width() + 100, w.height());
    QTest::qWait(20);

    // The Summary's columns hold as well.
    KeoEGridView& s = *w.Summary_Grid;
    w.pc1->setCurrentIndex(1);
    QTest::qWait(20);
    const int qso = s.columnWidth(1);
    dragColumnBorder(s, 1, 80);
    EXPECT_EQ(s.columnWidth(1), qso + 80);

    w.Open_cabrillo_proc(log);
    QTest::qWait(20);
    EXPECT_FALSE(v.isUserSized(lcCallsign));
    EXPECT_EQ(v.columnWidth(lcCallsign), fitted);
    EXPECT_GE(v.columnWidth(lcMode), v.cellWidthNeeded(lcMode, 1) - v.cellMarginGiveUp());
}

// At the window's default size the log table and the Summary of a
// 20,000-QSO multi-two log show every column whole without a sideways bar.
TEST(GridFit, MainTablesFitTheDefaultWindowOnALargeLog)
{
    RealMainWindowWithLogs rw;
    TForm2& w = rw.w;
    const QString log = rw.logs.path() + "/K9CT-20000.log";
    {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bigLog(20000));
    }
    w.Open_cabrillo_proc(log);
    QTest::qWait(20);
    ASSERT_EQ(w.state().header.QsoCount, 20000);
    for (int page : {0, 1}) {
        w.pc1->setCurrentIndex(page);
        QTest::qWait(20);
        KeoEGridView& v = page == 0 ? *w.log_grid : *w.Summary_Grid;
        EXPECT_LE(v.horizontalHeader()->length(), v.viewport()->width()) << v.objectName().toStdString();
        EXPECT_FALSE(v.horizontalScrollBar()->isVisible()) << v.objectName().toStdString();
        for (int c = 0; c < v.model()->columnCount(); ++c) {
            EXPECT_GE(v.columnWidth(c), v.titleWidthNeeded(c)) << v.objectName().toStdString() << " " << c;
            for (int r : {1, 2, 7, 8, w.state().header.QsoCount})
                if (r < v.grid().RowCount())
                    EXPECT_GE(v.columnWidth(c), v.cellWidthNeeded(c, r) - v.cellMarginGiveUp())
                        << v.objectName().toStdString() << " " << c << " row " << r;
        }
    }
}

namespace {

// The VE3EJ log with one worked call turned into a long piece of junk, as
// some logs hold: the log table is then wider than its page.
QString logWithLongCall(RealMainWindowWithLogs& rw)
{
    QFile f(QString(ZEM_SOURCE_DIR) + "/tests/data/VE3EJ_ARRL10_2024_SO.LOG");
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    for (int i = 0, qso = 0; i < lines.size(); ++i)
        if (lines[i].startsWith("QSO:") && ++qso == 40) {
            QList<QByteArray> t = lines[i].simplified().split(' ');
            t[t.size() - 3] = "CT100202AA4VT";
            lines[i] = t.join(' ');
        }
    const QString path = rw.logs.path() + "/VE3EJ-long.log";
    QFile out(path);
    if (out.open(QIODevice::WriteOnly)) out.write(lines.join('\n'));
    return path;
}

} // namespace

// Scrolled to its last column, the log table still shows its "#" column at
// the left edge, whole, beside the rows it numbers; Home brings the first
// scrolling column out beside it again.
TEST(GridFit, LogTableKeepsItsNumbersInSightWhenItScrollsSideways)
{
    RealMainWindowWithLogs rw;
    TForm2& w = rw.w;
    w.Open_cabrillo_proc(logWithLongCall(rw));
    QTest::qWait(20);
    KeoEGridView& v = *w.log_grid;
    ASSERT_EQ(w.state().log_grid.Cell(lcCallsign, 40), "CT100202AA4VT");
    if (!v.horizontalScrollBar()->isVisible()) w.resize(std::min(w.width(), 720), w.height());
    QTest::qWait(20);
    ASSERT_TRUE(v.horizontalScrollBar()->isVisible());

    v.setFocus();
    v.GoToCell(lcCallsign, 30);
    QTest::keyClick(&v, Qt::Key_End);
    QTest::qWait(20);
    EXPECT_EQ(v.currentIndex().column(), lcTX);
    EXPECT_EQ(v.horizontalScrollBar()->value(), v.horizontalScrollBar()->maximum());
    QTableView* numbers = v.fixedColumnsView();
    ASSERT_TRUE(numbers->isVisible());
    EXPECT_EQ(numbers->geometry().left(), v.viewport()->geometry().left());
    EXPECT_EQ(numbers->width(), v.columnWidth(0));
    EXPECT_EQ(numbers->model()->headerData(0, Qt::Horizontal).toString(), "#");
    EXPECT_EQ(numbers->indexAt(QPoint(2, 2)), v.model()->index(v.rowAt(2), 0));
    EXPECT_NE(v.columnAt(2), 0) << "the table beneath has scrolled";
    const QRect tx = v.visualRect(v.currentIndex());
    EXPECT_GE(tx.left(), v.fixedColumnsWidth());
    EXPECT_LE(tx.right(), v.viewport()->width());

    QTest::keyClick(&v, Qt::Key_Home);
    QTest::qWait(20);
    EXPECT_EQ(v.currentIndex().column(), 1);
    EXPECT_EQ(v.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(v.columnViewportPosition(1), v.fixedColumnsWidth());
}

// A table filled anew shows its first rows: the DXCC page's next table
// after the last one was left at its end, and every table after a new log.
TEST(GridFit, NewTableShowsItsFirstRows)
{
    RealMainWindowWithLogs rw;
    TForm2& w = rw.w;
    const QString log = rw.copyLog("K9CT_CQWPXSSB2025_M2_n1mm.log");
    w.Open_cabrillo_proc(log);
    QTest::qWait(20);
    w.pc1->setCurrentWidget(w.dxccPage->parentWidget());
    QTest::qWait(20);
    KeoEGridView& v = *w.StringGrid3;
    QTest::mouseClick(w.dxccPage->Button15, Qt::LeftButton);
    QTest::qWait(20);
    ASSERT_GT(v.model()->rowCount(), 60);
    v.setFocus();
    QTest::keyClick(&v, Qt::Key_End, Qt::ControlModifier);
    QTest::qWait(20);
    ASSERT_GT(v.rowAt(0), 0);

    QTest::mouseClick(w.dxccPage->wpx_Button, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(w.dxccPage->grid().Cell(0, 0), "#");
    EXPECT_EQ(v.rowAt(0), 0);
    EXPECT_EQ(v.fixedColumnsView()->rowAt(0), 0);
    EXPECT_EQ(v.horizontalScrollBar()->value(), 0);

    QTest::keyClick(&v, Qt::Key_End, Qt::ControlModifier);
    w.pc1->setCurrentIndex(0);
    QTest::qWait(20);
    w.log_grid->GoToCell(lcCallsign, w.state().header.QsoCount);
    QTest::qWait(20);
    ASSERT_GT(w.log_grid->rowAt(0), 0);
    w.Open_cabrillo_proc(log);
    QTest::qWait(20);
    EXPECT_EQ(w.log_grid->rowAt(0), 0);
    EXPECT_EQ(v.rowAt(0), 0);
}
