#include "analysis/distribution_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/single_instance.h"
#include "main_window_support.h"
#include "test_support.h"

#include <QHeaderView>
#include <QListWidget>
#include <QtCharts/QChartView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QElapsedTimer>

#include <cstring>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TEST(Form2, PagesTitlesAndEscape)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    TForm2 w(makeProgramFolder(dir));
    w.show();
    QCoreApplication::processEvents();

    const QStringList expected = {"Log", "Summary", "Distribution", "Errors", "Breaks", "Rate",
                                  "DXCC", "2 Radio", "Charts", "WPX", "Near zone", "3830"};
    ASSERT_EQ(w.pc1->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(w.pc1->tabText(i), expected[i]);

    ASSERT_EQ(w.log_grid->model()->columnCount(), 20);
    for (int c = 0; c < 20; ++c)
        EXPECT_EQ(w.log_grid->model()->headerData(c, Qt::Horizontal).toString().toStdString(), logColumnTitles()[c]);
    EXPECT_EQ(w.windowTitle(), "ZEM Log Analysis");
    EXPECT_TRUE(w.countdownItem->text().endsWith(" days left till Russian DX Contest..."));
    EXPECT_EQ(w.ReopenItemCount, 0);

    QTest::keyClick(w.log_grid, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(Form2, ResizeRules)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    TForm2 w(makeProgramFolder(dir));
    w.resize(900, 700);
    w.show();
    QCoreApplication::processEvents();
    w.FormResize();
    const int W = w.pc1->width();
    const int H = w.pc1->height();
    EXPECT_EQ(w.l11->width(), W - 240);
    EXPECT_EQ(w.Breaks_Grid->height(), H - 70);
    EXPECT_EQ(w.StringGrid3->width(), W - 260);
    EXPECT_EQ(w.Chart->height(), H - 60);
    EXPECT_EQ(w.Distribution->Panel5->width(), W - 10);
    const int C = (W - 10) / 7;
    EXPECT_EQ(w.Distribution->ListBoxes[2]->x(), 2 * C + 2);
    EXPECT_EQ(w.Distribution->ListBoxes[6]->x(), 6 * C);
    EXPECT_EQ(w.Distribution->ListBoxes[0]->width(), static_cast<int>(C / 1.03));
}

TEST(Form2, LogColumnsFollowTheTableAfterEveryResize)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    w.resize(800, 600);
    w.Open_cabrillo_proc(m.writeLog("a.log", "START-OF-LOG: 3.0\nCALLSIGN: DL1ABC\n"
                                             "QSO: 14025 CW 2024-11-23 1200 DL1ABC        599 14     K1ABC         599 05\n"));
    QTest::qWait(20);
    for (QSize size : {QSize(1200, 800), QSize(700, 500), QSize(1000, 650)}) {
        SCOPED_TRACE(size.width());
        const int before = w.log_grid->width();
        w.resize(size);
        QTest::qWait(50); // the layout resizes the pages after the window
        ASSERT_NE(w.log_grid->width(), before);
        // Each column its share of the table, never less than its title and
        // texts need; what the wide ones take comes out of the others' room.
        const auto shares = logColumnWidths(w.log_grid->width());
        const auto& need = w.log_grid->neededWidths();
        int total = 0, wanted = 0, needed = 0;
        for (int c = 0; c < 20; ++c) {
            const size_t i = static_cast<size_t>(c);
            EXPECT_GE(w.log_grid->columnWidth(c), need[i]) << c;
            total += w.log_grid->columnWidth(c);
            wanted += std::max(shares[i], need[i]);
            needed += need[i];
        }
        const int room = w.log_grid->viewport()->width();
        if (wanted <= room) {
            for (int c = 0; c < 20; ++c)
                EXPECT_EQ(w.log_grid->columnWidth(c), std::max(shares[static_cast<size_t>(c)], need[static_cast<size_t>(c)]));
        } else {
            EXPECT_LE(total, std::max(room, needed));
        }
    }
}

namespace {
// Runs the real program and waits for it to end (or not).
bool runAndWait(QProcess& p, const QStringList& args, const QString& name, int ms)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEM_INSTANCE_NAME", name);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(ZEM_EXE, args);
    if (!p.waitForStarted(5000)) return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (p.state() == QProcess::NotRunning) return true;
    }
    return false;
}
} // namespace

TEST(SingleInstance, SecondStartRaisesOrShrinksTheRunningOne)
{
    const QString name = QString("zem-test-%1").arg(getpid());
    SingleInstance first(name);
    ASSERT_EQ(first.start(false), SingleInstance::Outcome::First);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    QSignalSpy shrunk(&first, &SingleInstance::shrinkRequested);

    QProcess plain;
    ASSERT_TRUE(runAndWait(plain, {}, name, 15000)) << "a second start without a file must end";
    EXPECT_EQ(plain.exitCode(), 0);
    EXPECT_EQ(raised.count(), 1);

    QProcess withFile;
    EXPECT_FALSE(runAndWait(withFile, {"nothing.xyz"}, name, 3000)) << "a start with a file goes on";
    EXPECT_EQ(shrunk.count(), 1);
    withFile.kill();
    withFile.waitForFinished();
}

TEST(SingleInstance, StaleMarkerOfACrashedInstanceIsTakenOver)
{
    const QString name = QString("zem-stale-%1").arg(getpid());
    QLocalServer::removeServer(name);
    // A socket file nobody listens on, as a killed instance leaves behind.
    QLocalServer probe;
    ASSERT_TRUE(probe.listen(name));
    const QString path = probe.fullServerName();
    probe.close();
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.toLocal8Bit().constData(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);

    SingleInstance inst(name);
    EXPECT_EQ(inst.start(false), SingleInstance::Outcome::First);
    QLocalSocket s;
    s.connectToServer(name);
    EXPECT_TRUE(s.waitForConnected(1000));
}
