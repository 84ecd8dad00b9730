#include "analysis/distribution_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/single_instance.h"
#include "main/settings.h"
#include "main/status_panels.h"
#include "main_window_support.h"
#include "test_support.h"

#include <QHeaderView>
#include <QListWidget>
#include <QtCharts/QChartView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QWindow>

#include <cstring>
#include <fstream>
#include <memory>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

// Bounds from zem.ini (or its defaults, 791 x 604) are kept inside the
// screen. On the smallest screen the program accepts, 800 x 600, the window
// then shows both status bars, and its pages fit without scrolling as a
// whole, with room left for a title bar.
TEST(Form2, WindowKeepsInsideTheScreenAndFitsTheSmallestOne)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    const auto prog = makeProgramFolder(dir);
    std::ofstream(prog / "zem.ini") << "[Window]\nTop=-50\nLeft=300\nHeight=5000\nWidth=700\n";
    TForm2 w(prog);
    w.show();
    QTest::qWait(50);
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frameGeometry()));
    EXPECT_EQ(w.frameGeometry().height(), screen.height());
    EXPECT_EQ(w.frameGeometry().width(), 700);

    w.setFrameBounds(QRect(0, 0, 791, 600 - 30));
    QTest::qWait(50);
    EXPECT_EQ(w.frameGeometry().size(), QSize(791, 570)) << "no page holds the window taller";
    for (QWidget* bar : {static_cast<QWidget*>(w.sb3), static_cast<QWidget*>(w.sb1)}) {
        const QRect inWindow(bar->mapTo(&w, QPoint(0, 0)), bar->size());
        EXPECT_TRUE(bar->isVisible() && w.rect().contains(inWindow)) << bar->objectName().toStdString();
    }
    auto* pages = w.findChild<QScrollArea*>("pc1Scroll");
    ASSERT_NE(pages, nullptr);
    for (int i = 0; i < w.pc1->count(); ++i) {
        w.pc1->setCurrentIndex(i);
        QTest::qWait(10);
        EXPECT_FALSE(pages->verticalScrollBar()->isVisible()) << w.pc1->tabText(i).toStdString();
        EXPECT_FALSE(pages->horizontalScrollBar()->isVisible()) << w.pc1->tabText(i).toStdString();
    }
}

// Bounds are moved the least way inside the area, and shrunk to it where
// they are larger; bounds inside it stay as they are.
TEST(Form2, BoundsAreBroughtInsideTheAvailableArea)
{
    const QRect area(0, 30, 800, 570); // a panel along the top of an 800 x 600 screen
    const struct {
        QRect frame, expected;
    } cases[] = {
        {{0, 0, 791, 604}, {0, 30, 791, 570}},       // the defaults
        {{-1, 0, 795, 625}, {0, 30, 795, 570}},      // a frame grown past the screen
        {{100, 100, 400, 300}, {100, 100, 400, 300}}, // inside: unchanged
        {{600, 500, 400, 300}, {400, 300, 400, 300}}, // past the right and bottom edges
        {{-300, -50, 400, 300}, {0, 30, 400, 300}},   // past the left and top edges
        {{1200, 900, 2000, 1500}, {0, 30, 800, 570}}, // from a larger screen
    };
    for (const auto& c : cases) EXPECT_EQ(boundsInside(c.frame, area), c.expected) << c.frame.x() << "," << c.frame.y();
}

namespace {

// A main window that its window manager frames only when told: until then
// it has no frame margins, then those of its offscreen window.
struct LateFramedWindow {
    explicit LateFramedWindow(const std::filesystem::path& prog) : w(prog)
    {
        w.frameMarginsSource = [this] { return framed ? w.windowHandle()->frameMargins() : QMargins(); };
        w.show();
        QTest::qWait(50);
    }
    void frame()
    {
        framed = true;
        QExposeEvent framedNow{QRegion(w.rect())};
        QCoreApplication::sendEvent(w.windowHandle(), &framedNow);
    }
    TForm2 w;
    bool framed = false;
};

QRect savedBounds(const std::filesystem::path& prog)
{
    const TSettings saved = readSettings(prog / "zem.ini");
    return {saved.WindowLeft, saved.WindowTop, saved.WindowWidth, saved.WindowHeight};
}

} // namespace

// Under a window manager the frame's margins are known only once it has
// framed the shown window. Bounds placed before then are placed again, once,
// so that the frame and not the window fits them: the saved bounds (from a
// larger screen here) open whole, both status bars in sight, and the next
// start saves and opens the same bounds. After that the window's own
// resizes stay.
TEST(Form2, FrameTakesTheBoundsOnceTheWindowManagerHasFramedTheWindow)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    const auto prog = makeProgramFolder(dir);
    std::ofstream(prog / "zem.ini") << "[Window]\nTop=0\nLeft=0\nHeight=5000\nWidth=791\n";
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect wanted(area.left(), area.top(), 791, area.height());
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        LateFramedWindow late(prog);
        TForm2& w = late.w;
        ASSERT_TRUE(w.activated());
        EXPECT_EQ(w.size(), wanted.size()) << "not framed yet: placed as if the frame were the window";

        late.frame();
        const QMargins m = w.windowHandle()->frameMargins();
        ASSERT_FALSE(m.isNull()) << "offscreen windows have a frame";
        QTest::qWait(50);
        EXPECT_EQ(w.frameGeometry(), wanted);
        EXPECT_EQ(w.geometry(), wanted.marginsRemoved(m));
        for (QWidget* bar : {static_cast<QWidget*>(w.sb3), static_cast<QWidget*>(w.sb1)}) {
            const QRect onScreen(bar->mapToGlobal(QPoint(0, 0)), bar->size());
            EXPECT_TRUE(area.contains(onScreen)) << bar->objectName().toStdString();
        }
        w.close();
        EXPECT_EQ(savedBounds(prog), wanted);
    }

    // Closed as soon as it is framed, before the bounds are placed once
    // more (a quick close, a slow machine): the bounds asked for are kept,
    // not the frame that reaches past them, so no start grows the window.
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        LateFramedWindow quick(prog);
        quick.frame();
        quick.w.close();
        EXPECT_EQ(savedBounds(prog), wanted);
    }

    // Placed once, the bounds are done with: the window's own size stays
    // through the events that follow it.
    LateFramedWindow late(prog);
    TForm2& w = late.w;
    late.frame();
    QTest::qWait(50);
    ASSERT_EQ(w.frameGeometry(), wanted);
    w.resize(500, 400);
    w.move(50, 40);
    late.frame();
    QTest::qWait(50);
    EXPECT_EQ(w.size(), QSize(500, 400));
    EXPECT_EQ(w.pos(), QPoint(50, 40));
}

// A second start with a file puts the window at 10, 10 in 400 x 200, all
// of it; the next start still opens where the user had the window.
TEST(Form2, SecondStartBoundsAreTakenWholeAndNotSaved)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    const QRect user(50, 40, 700, 500);
    w.setFrameBounds(user);
    QTest::qWait(20);
    ASSERT_EQ(w.frameGeometry(), user);

    w.shrinkForSecondStart();
    QTest::qWait(20);
    EXPECT_EQ(w.frameGeometry(), QRect(10, 10, 400, 200));
    w.shrinkForSecondStart(); // a third start: still the user's bounds underneath
    w.close();
    const TSettings saved = readSettings(std::filesystem::path(m.prog.path().toStdString()) / "zem.ini");
    EXPECT_EQ(QRect(saved.WindowLeft, saved.WindowTop, saved.WindowWidth, saved.WindowHeight), user);

    // Moved by the user after the second start: those bounds are the user's.
    TForm2 next{std::filesystem::path(m.prog.path().toStdString())};
    next.show();
    QTest::qWait(20);
    EXPECT_EQ(next.frameGeometry(), user);
    next.shrinkForSecondStart();
    const QRect moved(30, 20, 600, 400);
    next.setFrameBounds(moved);
    next.close();
    const TSettings again = readSettings(std::filesystem::path(m.prog.path().toStdString()) / "zem.ini");
    EXPECT_EQ(QRect(again.WindowLeft, again.WindowTop, again.WindowWidth, again.WindowHeight), moved);
}

TEST(SingleInstance, NameIsPerUserAndDisplay)
{
    const QString a = SingleInstance::instanceName(1000, ":0");
    EXPECT_EQ(a, SingleInstance::instanceName(1000, ":0"));
    EXPECT_NE(a, SingleInstance::instanceName(1000, ":1"));
    EXPECT_NE(a, SingleInstance::instanceName(1001, ":0"));
    const QString wayland = SingleInstance::instanceName(1000, "/run/user/1000/wayland-1");
    EXPECT_FALSE(wayland.contains('/')) << wayland.toStdString();
    EXPECT_NE(wayland, SingleInstance::instanceName(1000, "/run/user/1000/wayland-0"));
}

// Whichever instance runs answers a later plain start, also after the one
// that first answered has ended.
TEST(SingleInstance, AnInstanceStartedWithAFileAnswersOnceTheFirstHasEnded)
{
    const QString name = QString("zem-chain-%1").arg(getpid());
    auto first = std::make_unique<SingleInstance>(name);
    ASSERT_EQ(first->start(false), SingleInstance::Outcome::First);
    QSignalSpy shrunk(first.get(), &SingleInstance::shrinkRequested);

    SingleInstance second(name);
    EXPECT_EQ(second.start(true), SingleInstance::Outcome::Continue);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shrunk.count() == 1; }, 3000));
    EXPECT_FALSE(second.isListening());

    first.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.isListening(); }, 3000)) << "the second takes over";
    QSignalSpy raised(&second, &SingleInstance::raiseRequested);
    SingleInstance third(name);
    EXPECT_EQ(third.start(false), SingleInstance::Outcome::ExitNow);
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised.count() == 1; }, 3000));
    EXPECT_FALSE(third.isListening());
}
