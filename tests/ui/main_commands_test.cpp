// The main window's shell through the real window: its menus, pop-ups and
// tool bar, dropped files, page stepping, the wheel on the log table, full
// screen, "On top", the hint window and the About box.
#include "analysis/tfind_qso.h"
#include "main/about_dialog.h"
#include "main/form2.h"
#include "analysis/near_zone_page.h"
#include "main/graphic_hint_window.h"
#include "main/keoe_grid_view.h"
#include "reports/claimed_scores_page.h"
#include "main_window_support.h"

#include <QDir>
#include <QDropEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

void settle() { QTest::qWait(25); }

// The shown main window with a folder for logs, and the ways files reach it.
struct ShellWindow : MainWindowWithLogs {
    fs::path file(const std::string& name) const { return fs::path(logs.path().toStdString()) / name; }
    QString cabrillo(const std::string& name, int qsos = 3) const
    {
        std::ofstream f(file(name));
        f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\n";
        for (int i = 0; i < qsos; ++i)
            f << "QSO: 14025 CW 2024-03-16 12" << (10 + i % 50) << " SM5XX        599 001    K" << i
              << "AA        599 001\n";
        f << "END-OF-LOG:\n";
        return QString::fromStdString(file(name).string());
    }
    QString text(const std::string& name, const std::string& content)
    {
        return writeLog(QString::fromStdString(name), QByteArray::fromStdString(content));
    }
    void drop(const QStringList& paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(60, 60), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(60, 60), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &dropped);
        settle();
    }
};

std::string trLog()
{
    auto line = [](const char* band, const char* date, const char* time, const char* call) {
        std::string s = std::string(band) + "CW  " + date + " " + time;
        s.resize(29, ' ');
        std::string field = call;
        field.resize(14, ' ');
        return s + field + " 599  599  14\n";
    };
    return "2007 CQ WW CW RZ9ZEM\n" + line(" 20", "05-Mar-07", "09:41", "DL1ABC") +
           line(" 40", "05-Mar-07", "09:42", "K1AR");
}

const char* kAdif = "<CALL:4>K1AR<QSO_DATE:8>20240316<TIME_ON:4>1200<FREQ:6>14.025<MODE:2>CW<EOR>\n";

QString mainFolder() { return QDir::currentPath(); }

} // namespace

TEST(MainCommands, MenuItemsCaptionsShortcutsAndEnabledState)
{
    ShellWindow s;
    const struct {
        const char* name;
        const char* caption;
        QKeySequence key;
        bool before, after;
    } items[] = {
        {"o1", "Open Cabrillo...", QKeySequence(Qt::CTRL | Qt::Key_O), true, true},
        {"Load_TR_file", "TR Log...", {}, true, true},
        {"Nd", "N1MM Datebase", {}, true, true},
        {"O2", "Open log folder", {}, false, true},
        {"Close1", "Close Log", {}, false, true},
        {"N4", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4), true, true},
        {"sr", "ZEM Report", QKeySequence(Qt::CTRL | Qt::Key_P), false, true},
        {"Page_next", "Next window", QKeySequence(Qt::Key_Right), true, true},
        {"Page_previous", "Previous window", QKeySequence(Qt::Key_Left), true, true},
        {"N20", "Settings", QKeySequence(Qt::CTRL | Qt::Key_J), true, true},
        {"hh1", "Review of Cabrillo files", QKeySequence(Qt::CTRL | Qt::Key_R), true, true},
        {"Fullscreen1", "Full screen", QKeySequence(Qt::Key_Insert), true, true},
        {"a", "On top", {}, true, true},
        {"N24", "Information on callsign", {}, true, true},
        {"ITUWAZ1", "ITU-WAZ", {}, true, true},
        {"Rem", "Remoteness of the countries", {}, true, true},
        {"imefortransmittingcallsigninCW1", "Time for transmitting CW message", {}, true, true},
        {"Mastereditor1", "Master editor", {}, true, true},
        {"Re1", "Analysis of spots", QKeySequence(Qt::CTRL | Qt::Key_S), true, true},
        {"N27", "About", {}, true, true},
        {"Open_Cabrillo", "Open Cabrillo...", {}, true, true},
        {"N39", "Second radio", {}, true, true},
        {"Nearzone1", "Near zone", {}, true, true},
        {"OpenCabrillo1", "Open Cabrillo", {}, true, true},
        {"Find1", "Find QSO", QKeySequence(Qt::CTRL | Qt::Key_F), false, true},
        {"ea", "Export log to ADIF", {}, false, true},
        {"sh", "Save Log in HTML", {}, false, true},
        {"Checkin3830ClaimedScores1", "Check in 3830 Claimed Scores", {}, false, false}, // no report read
        {"ms", "Mouse Wheel Speed", {}, true, true},
        {"tb1", "Open Cabrillo...", {}, true, true},
        {"tb3", "3830 Claimed scores", {}, true, true},
        {"tb4", "ZEM Report", {}, false, true},
        {"TB_find_qso", "Find QSO", {}, false, true},
        {"tb7", "Exit", {}, true, true},
    };
    auto check = [&](bool loaded) {
        for (const auto& it : items) {
            SCOPED_TRACE(it.name);
            auto* item = s.w.findChild<QAction*>(it.name);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->text(), it.caption);
            EXPECT_EQ(item->shortcut(), it.key);
            EXPECT_EQ(item->isEnabled(), loaded ? it.after : it.before);
        }
    };
    check(false);
    s.w.Open_cabrillo_proc(s.cabrillo("test.cbr"));
    ASSERT_EQ(s.w.state().header.QsoCount, 3);
    check(true);

    auto names = [](const QList<QAction*>& actions) {
        QStringList n;
        for (QAction* a : actions) n << (a->menu() ? a->menu()->objectName() : a->objectName());
        return n;
    };
    auto menu = [&](const char* title) { return s.w.menuBar()->findChild<QMenu*>(title); };
    EXPECT_EQ(names(menu("View")->actions()).mid(0, 7),
              QStringList({"sr", "Page_next", "Page_previous", "N20", "hh1", "Fullscreen1", "a"}));
    EXPECT_EQ(names(menu("Tools")->actions()),
              QStringList({"N24", "ITUWAZ1", "Rem", "imefortransmittingcallsigninCW1", "Mastereditor1", "Re1"}));
    EXPECT_EQ(names(menu("Help")->actions()).last(), "N27");
    EXPECT_EQ(names(s.w.common->actions()),
              QStringList({"Open_Cabrillo", "Log1", "Summary1", "N35", "N36", "N37", "N38", "DXCC1", "Uhfabrb1",
                           "N39", "WPX2", "Nearzone1"}));
    EXPECT_EQ(names(s.w.log_Pop->actions()).mid(0, 3), QStringList({"OpenCabrillo1", "Find1", "Checkbandschangerule1"}));
    EXPECT_EQ(names(s.w.log_Pop->actions()).last(), "ms");
    EXPECT_EQ(names(s.w.tb->actions()),
              QStringList({"tb1", "tb2", "tb3", "", "tb4", "TB_find_qso", "", "tb6", "TB8", "TB9", "tb7"}));

    // A tool button runs its menu item; a page item of the pop-up shows its page.
    s.w.pc1->setCurrentIndex(0);
    s.w.findChild<QAction*>("TB9")->trigger();
    EXPECT_EQ(s.w.pc1->currentIndex(), 1);
    s.w.findChild<QAction*>("N39")->trigger();
    EXPECT_EQ(s.w.pc1->tabText(s.w.pc1->currentIndex()), "2 Radio");

    s.w.Close1Click();
    check(false);
    EXPECT_TRUE(s.msgs.texts.isEmpty()) << s.msgs.texts.join("|").toStdString();
}

TEST(MainCommands, CloseLogEmptiesEveryResultGridAndLeavesTheLogFolderAlone)
{
    ShellWindow s;
    s.w.Open_cabrillo_proc(s.cabrillo("test.cbr", 5));
    ASSERT_EQ(s.w.state().header.QsoCount, 5);
    const fs::path folder = fs::path(s.w.state().header.OutputDir);
    s.w.shClick();
    QFile saved(QString::fromStdString((folder / "Log.htm").string()));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray page = saved.readAll();
    saved.close();
    ASSERT_TRUE(page.contains("K4AA"));

    // Whatever the pages last showed, the near zone's and the 2 Radio page's included.
    s.w.nearZonePage->Edit1->setText("W1AW"); // the worked stations' own country
    s.w.nearZonePage->Button10Click();
    ASSERT_GT(s.w.nearZonePage->grid(1).RowCount(), 1);
    std::vector<KeoEGridView*> grids;
    for (KeoEGridView* v : s.w.findChildren<KeoEGridView*>())
        if (v->window() == &s.w) grids.push_back(v);
    ASSERT_GE(grids.size(), 13u);
    for (KeoEGridView* v : grids) {
        TKeoEGrid& g = v->grid();
        g.SetRowCount(std::max(g.RowCount(), 4));
        g.SetCell(0, 3, "left over");
    }
    s.w.Close1Click();
    settle();
    for (KeoEGridView* v : grids) {
        SCOPED_TRACE(v->objectName().toStdString());
        const bool kept = v->objectName() == "Keo3830";
        EXPECT_EQ(v->grid().Cell(0, 3), kept ? "left over" : "");
        if (!kept) {
            EXPECT_LE(v->grid().RowCount(), 2);
        }
    }

    // Without a log nothing is written over the closed log's files.
    s.w.shClick();
    s.w.sh->trigger();
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), page);
    EXPECT_FALSE(s.w.ea->isEnabled());
    EXPECT_FALSE(s.w.findChild<QMenu*>("Checkbandschangerule1")->menuAction()->isEnabled());
    EXPECT_FALSE(s.w.findChild<QMenu*>("PointsMenu")->menuAction()->isEnabled());
    EXPECT_FALSE(s.w.findChild<QWidget*>("ToolBar5")->isEnabled());
    EXPECT_FALSE(s.w.findChild<QWidget*>("tb33")->isEnabled());
}

TEST(MainCommands, DroppedFileOpensWithTheReaderOfItsExtension)
{
    ShellWindow s;
    const struct {
        std::string name;
        std::string content; // empty: a Cabrillo log
        const char* contest;
    } cases[] = {
        {"test.cbr", "", "TEST-CONTEST"},
        {"LOG.TXT", "", "TEST-CONTEST"},
        {"field.log", "", "TEST-CONTEST"},
        {"cqww.DAT", trLog(), "CQ WW CW"},
        {"export.adi", kAdif, "ADIF LOG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.w.Close1Click();
        const QString path = c.content.empty() ? s.cabrillo(c.name) : s.text(c.name, c.content);
        if (c.name.ends_with(".adi"))
            answerModal<QInputDialog>([](QInputDialog* d) {
                d->setTextValue("SM5XX");
                d->accept();
            });
        s.drop({path});
        EXPECT_EQ(s.w.state().header.ContestName, c.contest);
        EXPECT_GT(s.w.state().header.QsoCount, 0);
        EXPECT_EQ(s.w.LoadedFileName, path);
        EXPECT_TRUE(mainFolder().startsWith(s.logs.path())) << "the log's folder is current";
    }
    EXPECT_TRUE(s.msgs.texts.isEmpty()) << s.msgs.texts.join("|").toStdString();

    // Several files: only the first is opened.
    const QString first = s.cabrillo("first.cbr", 2);
    s.drop({first, s.cabrillo("second.cbr", 5), s.text("third.adi", kAdif)});
    EXPECT_EQ(s.w.LoadedFileName, first);
    EXPECT_EQ(s.w.state().header.QsoCount, 2);

    // A claimed-scores mail goes to its reader; the current folder stays.
    QDir::setCurrent(s.prog.path());
    const QString mail = s.text("SCORES.EML", "Subject: [3830] Test Contest: Claimed Scores\r\n\r\n73 TOVK\r\n"
                                              "CALL        QSOS   HR   CLUB\r\nSINGLE OP\r\n"
                                              "K1AR         500   10\r\n");
    s.drop({mail});
    EXPECT_EQ(s.w.Page3830->op3FileName, mail);
    EXPECT_EQ(s.w.Page3830->keo3830.Cell(1, 1), "K1AR");
    EXPECT_EQ(mainFolder(), QDir(s.prog.path()).canonicalPath());
    EXPECT_EQ(s.w.LoadedFileName, first);

    // Any other file, and a drop without a local file, change nothing and say nothing.
    s.drop({s.text("notes.xyz", "x")});
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.cbr")});
    QDropEvent dropped(QPointF(60, 60), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&s.w, &dropped);
    settle();
    EXPECT_EQ(s.w.LoadedFileName, first);
    EXPECT_EQ(s.w.state().header.QsoCount, 2);
    EXPECT_EQ(mainFolder(), QDir(s.prog.path()).canonicalPath());
    EXPECT_TRUE(s.msgs.texts.isEmpty()) << s.msgs.texts.join("|").toStdString();
}

TEST(MainCommands, NextAndPreviousPageWrapOverVisiblePages)
{
    ShellWindow s;
    QTabWidget* pc = s.w.pc1;
    const int last = pc->count() - 1;
    pc->setCurrentIndex(last);
    s.w.Page_next->trigger();
    EXPECT_EQ(pc->currentIndex(), 0);
    s.w.Page_previous->trigger();
    EXPECT_EQ(pc->currentIndex(), last);

    pc->setTabVisible(last, false);
    pc->setTabVisible(1, false);
    pc->setCurrentIndex(0);
    s.w.Page_previous->trigger();
    EXPECT_EQ(pc->currentIndex(), last - 1);
    s.w.Page_next->trigger();
    s.w.Page_next->trigger();
    EXPECT_EQ(pc->currentIndex(), 2);
}

TEST(MainCommands, WheelMovesSpeedRowsAndRefusesAWrongSpeed)
{
    ShellWindow s;
    s.w.Open_cabrillo_proc(s.cabrillo("wheel.cbr", 20));
    ASSERT_EQ(s.w.state().header.QsoCount, 20);
    settle();

    auto setSpeed = [&](const QString& typed) {
        answerModal<QInputDialog>([typed](QInputDialog* d) {
            EXPECT_EQ(d->windowTitle(), "Mouse Wheel Speed");
            EXPECT_EQ(d->labelText(), "Input Mouse Wheel Speed");
            d->setTextValue(typed);
            d->accept();
        });
        s.w.ms->trigger();
        return s.w.settings.WheelSpeed;
    };
    EXPECT_EQ(setSpeed("-3"), 3);
    for (const char* refused : {"0", "21", "abc", "1.5"}) EXPECT_EQ(setSpeed(refused), 3) << refused;
    EXPECT_EQ(s.w.settings.WheelSpeed, 3);

    KeoEGridView* g = s.w.log_grid;
    auto wheel = [&](int dy) {
        QWheelEvent e(QPointF(20, 20), g->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(g->viewport(), &e);
        return g->currentIndex().row() + 1;
    };
    g->setCurrentIndex(g->model()->index(9, 16)); // row 10
    EXPECT_EQ(wheel(-120), 13);
    EXPECT_EQ(wheel(120), 10);
    EXPECT_EQ(g->currentIndex().column(), 16);
    // A touchpad sends a notch in eight parts: one step, once the notch is whole.
    for (int part = 1; part < 8; ++part) EXPECT_EQ(wheel(-15), 10) << part;
    EXPECT_EQ(wheel(-15), 13);
    EXPECT_EQ(wheel(-240), 19) << "two notches at once are two steps";
    EXPECT_EQ(wheel(60), 19);
    EXPECT_EQ(wheel(-60), 19) << "half a notch back the other way is no step";
    EXPECT_EQ(wheel(-60), 20);
    g->setCurrentIndex(g->model()->index(18, 16)); // row 19
    EXPECT_EQ(wheel(-120), 20);
    EXPECT_EQ(wheel(-120), 20);

    EXPECT_EQ(setSpeed("20"), 20);
    s.w.close(); // the speed is kept for the next start
    EXPECT_EQ(readSettings(fs::path(s.prog.path().toStdString()) / "zem.ini").WheelSpeed, 20);
}

TEST(MainCommands, FullScreenRestoresTheFormerBoundsAndOnTopFollowsItsCheck)
{
    ShellWindow s;
    const QRect screen = s.w.screen()->geometry();
    s.w.setGeometry(screen.x() + 40, screen.y() + 30, screen.width() / 2, screen.height() / 2);
    settle();
    const QRect before = s.w.geometry();

    s.w.Fullscreen1->trigger();
    settle();
    EXPECT_EQ(s.w.frameGeometry(), screen);
    s.w.Fullscreen1->trigger();
    settle();
    EXPECT_EQ(s.w.geometry(), before);

    // A window about the screen's size shrinks by 100 each way, centred.
    s.w.setGeometry(screen.x(), screen.y(), screen.width() - 10, screen.height() - 10);
    settle();
    s.w.Fullscreen1->trigger();
    settle();
    EXPECT_EQ(s.w.size(), QSize(screen.width() - 110, screen.height() - 110));
    EXPECT_EQ(s.w.frameGeometry().center(), screen.center());

    s.w.a->trigger();
    EXPECT_TRUE(s.w.a->isChecked());
    EXPECT_TRUE(s.w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(s.w.isVisible());
    s.w.a->trigger();
    EXPECT_FALSE(s.w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(s.w.isVisible());
}

TEST(MainCommands, HintsShowInTheGraphicHintWindowAndAboutShowsTheVersion)
{
    ShellWindow s;
    auto* hints = s.w.findChild<GraphicHints*>();
    ASSERT_NE(hints, nullptr);
    QWidget* button = s.w.tb->widgetForAction(s.w.findChild<QAction*>("tb7"));
    ASSERT_NE(button, nullptr);
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), button->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(button, &help);
    EXPECT_TRUE(hints->window()->isVisible());
    EXPECT_EQ(hints->window()->caption(), "Exit from ZEM");
    QTest::mouseClick(s.w.log_grid->viewport(), Qt::LeftButton);
    EXPECT_FALSE(hints->window()->isVisible());

    // The mouse resting on a button shows its hint after the short pause,
    // well before the platform's own tool-tip delay.
    QWidget* open = s.w.tb->widgetForAction(s.w.findChild<QAction*>("tb6"));
    QTest::mouseMove(open, QPoint(4, 4));
    QTest::mouseMove(open, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return hints->window()->isVisible(); }, 300));
    EXPECT_EQ(hints->window()->caption().toStdString(), "Settings");
    QTest::mouseClick(s.w.log_grid->viewport(), Qt::LeftButton);

    // A two-line hint is taller and holds its bold line.
    const QRect one = hints->window()->hintRect({}, "Callsign");
    const QRect two = hints->window()->hintRect({}, "Callsign\rA much longer second line");
    EXPECT_GT(two.height(), one.height());
    EXPECT_GT(two.width(), one.width());

    QString version, title;
    answerModal<TForm1>([&](TForm1* d) {
        version = d->Version->text();
        title = d->windowTitle();
        d->accept();
    });
    s.w.N27->trigger();
    EXPECT_EQ(version, "v1.21b (19 February 2007)");
    EXPECT_EQ(title, "ZEM");
}

TEST(MainCommands, EscFromAnyControlClosesAndRightClickShowsThePagePopup)
{
    ShellWindow s;
    s.w.pc1->setCurrentWidget(s.w.Breaks_Grid->parentWidget()->parentWidget());
    settle();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), s.w.Breaks_Grid->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(s.w.Breaks_Grid->viewport(), &menu);
    EXPECT_TRUE(s.w.common->isVisible());
    s.w.common->close();

    QWidget* edit = nullptr;
    for (QLineEdit* e : s.w.findChildren<QLineEdit*>())
        if (e->window() == &s.w && !qobject_cast<QAbstractSpinBox*>(e->parentWidget())) edit = e;
    ASSERT_NE(edit, nullptr);
    for (QWidget* control : {static_cast<QWidget*>(s.w.se1), edit}) {
        s.w.show();
        settle();
        s.w.pc1->setCurrentWidget(control->parentWidget());
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Escape);
        settle();
        EXPECT_FALSE(s.w.isVisible()) << control->objectName().toStdString();
    }
}

TEST(MainCommands, CtrlFFindsOnlyInALoadedLog)
{
    ShellWindow s;
    // Whether Ctrl+F brings up the QSO filter; it is closed again if so.
    auto ctrlFShowsFinder = [&] {
        bool shown = false;
        QTimer::singleShot(200, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = d == s.w.Find_qso;
                d->reject();
            }
        });
        s.w.log_grid->setFocus();
        QTest::keyClick(&s.w, Qt::Key_F, Qt::ControlModifier);
        QTest::qWait(300);
        return shown;
    };
    EXPECT_FALSE(ctrlFShowsFinder()) << "no log: the key does nothing, as the tool button";

    s.w.Open_cabrillo_proc(s.cabrillo("find.cbr"));
    ASSERT_EQ(s.w.state().header.QsoCount, 3);
    EXPECT_TRUE(ctrlFShowsFinder());
}

// Where the desktop has no program for a folder or a text file, the user is
// told so, as for the web look-ups, instead of nothing happening.
TEST(MainCommands, LogFolderAndIniFileOpenOrTheUserIsTold)
{
    ShellWindow sw;
    sw.w.Open_cabrillo_proc(sw.cabrillo("one.cbr"));
    settle();
    const QString folder = QString::fromStdString(sw.w.state().header.OutputDir);
    const QString ini = QString::fromStdString(sw.w.iniPaths.read.string());
    ASSERT_FALSE(folder.isEmpty());
    for (const bool opens : {true, false}) {
        QStringList asked;
        setShellOpenHook([&](const QString& what) { asked << what; }, opens);
        sw.msgs.texts.clear();
        sw.w.O2Click();
        sw.w.Showinifile1Click();
        EXPECT_EQ(asked, (QStringList{folder, ini}));
        if (opens) EXPECT_TRUE(sw.msgs.texts.isEmpty()) << sw.msgs.texts.join("|").toStdString();
        else EXPECT_EQ(sw.msgs.texts, (QStringList{"Cannot open " + folder, "Cannot open " + ini}));
    }
    setShellOpenHook({});
}

// The missing-master warning is a warning box, the master file's facts an
// information box.
TEST(MainCommands, MasterFileBoxesCarryTheirIcons)
{
    CurrentFolderKeeper folderBack;
    QTemporaryDir prog;
    struct Seen {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString text;
    };
    auto answer = [](Seen& seen) {
        answerModal<QMessageBox>([&seen](QMessageBox* box) {
            seen = {box->icon(), box->text()};
            box->accept();
        });
    };
    Seen warning, info;
    answer(warning);
    TForm2 w(makeProgramFolder(prog)); // no master.dta there
    w.show();
    for (int i = 0; i < 100 && warning.text.isEmpty(); ++i) QTest::qWait(10);
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_TRUE(warning.text.startsWith("In a root folder there is no file MASTER.DTA.")) << warning.text.toStdString();

    answer(info);
    w.InformationaboutMasterdta1Click();
    EXPECT_EQ(info.icon, QMessageBox::Information);
    EXPECT_TRUE(info.text.startsWith("MASTER.DTA:")) << info.text.toStdString();
}
