// Every secondary window opened over a real contest log, at its default size
// and filled with long texts: it fits an 800x600 screen and shows all its
// titles, cells, panels, labels and buttons whole.
#include "analysis/add_info_dialog.h"
#include "analysis/distribution_page.h"
#include "analysis/operator_commands.h"
#include "analysis/tbc_for_m2.h"
#include "analysis/tchoos_op.h"
#include "analysis/tfind_qso.h"
#include "analysis/two_radio_page.h"
#include "import/cabrillo_open_dialog.h"
#include "import/dt_change_dialog.h"
#include "import/error_dialog.h"
#include "import/find_cabrillo_dialog.h"
#include "import/n1mm_dialog.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/status_panels.h"
#include "refdata/call_info_dialog.h"
#include "refdata/itu_waz_form.h"
#include "refdata/master_edit_dialog.h"
#include "refdata/rem_form.h"
#include "reports/zem_report.h"
#include "spots/spots_form.h"
#include "spots/ssf_form.h"
#include "test_support.h"
#include "text_fit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = ZEM_SOURCE_DIR;

// A window manager's title bar comes on top of the window's own height.
constexpr int kTitleBar = 30;

// The K9CT multi-two log (5905 QSOs) in a main window whose program folder
// holds the shipped country files: loaded once for all the windows.
class SecondaryWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folderBack = new CurrentFolderKeeper;
        msgs = new MessageRecorder;
        prog = new QTemporaryDir;
        logs = new QTemporaryDir;
        const fs::path p = prog->path().toStdString();
        for (const char* f : {"cty.dat", "zem-cty.dat"}) fs::copy_file(kSource / "data" / f, p / f);
        w = new TForm2(p);
        w->show();
        QCoreApplication::processEvents();
        const fs::path log = fs::path(logs->path().toStdString()) / "K9CT.log";
        fs::copy_file(kSource / "tests/data/K9CT_CQWPXSSB2025_M2_n1mm.log", log);
        w->Open_cabrillo_proc(QString::fromStdString(log.string()));
        QCoreApplication::processEvents();
    }
    static void TearDownTestSuite()
    {
        delete w;
        delete logs;
        delete prog;
        delete msgs;
        delete folderBack; // last: the folders are gone by now
    }
    void SetUp() override { ASSERT_EQ(w->state().header.QsoCount, 5905); }

    static inline CurrentFolderKeeper* folderBack = nullptr;
    static inline MessageRecorder* msgs = nullptr;
    static inline QTemporaryDir* prog = nullptr;
    static inline QTemporaryDir* logs = nullptr;
    static inline TForm2* w = nullptr;
};

// The window fits the smallest screen, and nothing on any of its pages is cut.
void expectReadable(QWidget* win, const QString& what)
{
    QCoreApplication::processEvents();
    EXPECT_LE(win->frameGeometry().width(), 800) << what.toStdString();
    EXPECT_LE(win->frameGeometry().height() + kTitleBar, 600) << what.toStdString();
    QList<QTabWidget*> tabs = win->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) tabs << nullptr;
    for (QTabWidget* t : tabs) {
        const int pages = t ? t->count() : 1;
        for (int i = 0; i < pages; ++i) {
            if (t) t->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const QStringList cut = cutTexts(win);
            EXPECT_TRUE(cut.isEmpty()) << what.toStdString() << (t ? " page " + t->tabText(i).toStdString() : "")
                                       << ":\n"
                                       << cut.join("\n").toStdString();
        }
        if (t) t->setCurrentIndex(0);
    }
}

// Runs check on the modal window that open brings up, then closes it.
void onModal(const std::function<void()>& open, const std::function<void(QWidget*)>& check)
{
    bool seen = false;
    QObject scope; // a window that never came up leaves no call behind
    QTimer::singleShot(0, &scope, [&] {
        QWidget* m = QApplication::activeModalWidget();
        seen = m != nullptr;
        if (!m) return;
        check(m);
        m->close();
    });
    open();
    EXPECT_TRUE(seen);
}

// Every item of a list lies inside the list's visible area: nothing needs
// scrolling sideways.
void expectAllItemsInView(QAbstractItemView* v, const QString& what)
{
    const QRect view = v->viewport()->rect();
    for (int r = 0; r < v->model()->rowCount(); ++r) {
        const QRect item = v->visualRect(v->model()->index(r, 0));
        EXPECT_TRUE(view.contains(item)) << what.toStdString() << " item " << r << " "
                                         << v->model()->index(r, 0).data().toString().toStdString() << " at "
                                         << item.x() << "," << item.y() << " " << item.width() << "x" << item.height()
                                         << " in " << view.width() << "x" << view.height();
    }
}

std::string spotLine(const std::string& spotter, const std::string& freq, const std::string& dx,
                     const std::string& comment, const std::string& time)
{
    std::string s(76, ' ');
    s.replace(0, 6, "DX de ");
    s.replace(6, spotter.size() + 1, spotter + ":");
    s.replace(24 - freq.size(), freq.size(), freq);
    s.replace(26, dx.size(), dx);
    s.replace(39, comment.size(), comment);
    s.replace(70, time.size() + 1, time + "Z");
    return s;
}

// The size and place a user gives the spot window before opening a file:
// opening it keeps them.
QRect placeSpotWindow(QWidget& spots)
{
    spots.resize(600, 420);
    spots.move(100, 60);
    QCoreApplication::processEvents();
    return spots.geometry();
}

} // namespace

TEST_F(SecondaryWindows, SpotWindowShowsSixDigitCountsLongCallsAndComments)
{
    // 130,008 spots by 2919 spotters: counts of six digits in the status bar.
    QTemporaryDir dir;
    const std::string file = dir.filePath("spots.txt").toStdString();
    {
        std::ofstream f(file, std::ios::binary);
        const char* comments[] = {"CQ WPX TNX QSO 599 NICE SIGNAL!", "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
                                  "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM", "up 5"};
        char spotter[16], dx[16];
        for (int i = 0; i < 130008; ++i) {
            std::snprintf(spotter, sizeof spotter, "WM%04dW", i % 2919);
            std::snprintf(dx, sizeof dx, "WW/MM%04dW/QRP", i % 4000);
            f << spotLine(spotter, i % 2 ? "28495.5" : "1830.0", std::string(dx).substr(0, 13), comments[i % 4], "2359")
              << "\r\n";
        }
    }
    onModal([&] { w->Re1->trigger(); },
            [&](QWidget* m) {
                auto* spots = qobject_cast<TSpotsF*>(m);
                ASSERT_NE(spots, nullptr);
                const QRect placed = placeSpotWindow(*spots);
                spots->readSpots(QString::fromStdString(file));
                ASSERT_EQ(spots->SpotCount, 130008);
                QCoreApplication::processEvents();
                EXPECT_EQ(spots->geometry(), placed) << "the spots are wider than the window";
                expectReadable(spots, "Spots");
                onModal([&] { spots->SearchOfSpotsFor("WM0007W"); },
                        [&](QWidget* r) {
                            EXPECT_EQ(r, spots->SSF);
                            expectReadable(r, "Spots found");
                        });
            });
}

// A spot file deep in the folders: the counts show whole in any width of
// the window; the path takes the room left, shortened in its middle, and its
// panel's hint is the whole path.
TEST_F(SecondaryWindows, SpotWindowKeepsItsCountsWholeBesideALongPath)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("contest logs of the club station/2025/cq world wide wpx ssb/spots from the cluster");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/dx cluster spots of the whole weekend.txt";
    ASSERT_GT(file.size(), 90);
    {
        std::ofstream f(file.toStdString(), std::ios::binary);
        for (int i = 0; i < 1200; ++i)
            f << spotLine("WM" + std::to_string(i % 300) + "W", "14025.0", "DL" + std::to_string(i) + "AA", "CQ", "1200")
              << "\r\n";
    }
    onModal([&] { w->Re1->trigger(); },
            [&](QWidget* m) {
                auto* spots = qobject_cast<TSpotsF*>(m);
                ASSERT_NE(spots, nullptr);
                const QRect placed = placeSpotWindow(*spots);
                spots->readSpots(file);
                ASSERT_EQ(spots->SpotCount, 1200);
                EXPECT_EQ(spots->spotPath(), QDir::toNativeSeparators(file));
                QCoreApplication::processEvents();
                EXPECT_EQ(spots->geometry(), placed) << "the path is wider than the window";
                for (int width : {spots->width(), 520}) {
                    spots->resize(width, spots->height());
                    QCoreApplication::processEvents();
                    expectReadable(spots, QString("Spots %1 px wide").arg(width));
                    TStatusPanels* bar = spots->ssb;
                    EXPECT_TRUE(bar->text(0).contains(QChar(0x2026))) << bar->text(0).toStdString();
                    EXPECT_TRUE(bar->text(0).endsWith(".txt")) << bar->text(0).toStdString();
                    EXPECT_EQ(bar->text(3), "1200 DX");
                    EXPECT_LE(bar->panelRect(3).left() + bar->neededWidth(3), bar->width()) << width;
                }
                // The hint over the path's panel is the whole path.
                TStatusPanels* bar = spots->ssb;
                const QPoint at = bar->panelRect(0).center();
                QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
                QCoreApplication::sendEvent(bar, &help);
                EXPECT_EQ(QToolTip::text(), QDir::toNativeSeparators(file));
                QToolTip::hideText();
                // Narrower than its counts the window does not go.
                spots->resize(100, spots->height());
                QCoreApplication::processEvents();
                TStatusPanels* counts = spots->ssb;
                EXPECT_GT(spots->width(), 100);
                for (int i = 1; i < counts->panelCount(); ++i)
                    EXPECT_GE(counts->panelRect(i).width(), counts->neededWidth(i)) << counts->text(i).toStdString();
                EXPECT_LE(counts->panelRect(3).right(), counts->width() - 1);
            });
}

TEST_F(SecondaryWindows, ErrorWindowShowsEveryColumn)
{
    auto& s = w->state();
    for (int row : {1, 2, 3, 5000}) {
        s.RowCounter = row;
        Bad_QSO(s);
    }
    onModal([&] { w->ERRF->showForJob(w); },
            [&](QWidget* m) {
                expectReadable(m, "Error window");
                // All seven columns in view: nothing to scroll to.
                const QRect view = w->ERRF->error_keo->viewport()->rect();
                for (int c = 0; c < 7; ++c)
                    EXPECT_TRUE(view.contains(w->ERRF->error_keo->visualRect(w->ERRF->error_keo->model()->index(0, c))))
                        << "column " << c;
            });
    EXPECT_EQ(s.BadQsoCount, 0);
}

TEST_F(SecondaryWindows, FinderListsCabrillo3Categories)
{
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    fs::create_directories(root / "2025" / "wpx");
    fs::copy_file(kSource / "tests/data/K9CT_CQWPXSSB2025_M2_n1mm.log", root / "2025" / "wpx" / "k9ct.log");
    fs::copy_file(kSource / "tests/data/VE3EJ_ARRL10_2024_SO.LOG", root / "2025" / "ve3ej.log");
    std::ofstream(root / "2025" / "wpx" / "multi.log") << "START-OF-LOG: 3.0\nCONTEST: CQ-WPX-SSB\nCALLSIGN: KC4TEOWR0MG\n"
                                                          "CATEGORY: MULTI-OP TWO ALL HIGH SSB\n"
                                                          "QSO: 14025 PH 2025-03-29 0000 KC4TEOWR0MG 59 001 DL2025 59 1\n";
    onModal([&] { w->hh1->trigger(); },
            [&](QWidget* m) {
                auto* finder = qobject_cast<Tfind_cabrillo*>(m);
                ASSERT_NE(finder, nullptr);
                finder->Edit2->setText(dir.path());
                finder->Edit1->setCurrentText("*.log");
                finder->Button1Click();
                ASSERT_EQ(finder->found.RowCount(), 4);
                expectReadable(finder, "Cabrillo finder");
            });
}

TEST_F(SecondaryWindows, ZoneListKeepsLargeZonesInTwoColumns)
{
    onModal([&] { w->ITUWAZ1->trigger(); },
            [&](QWidget* m) {
                auto* f = qobject_cast<TITU_WAZ_form*>(m);
                ASSERT_NE(f, nullptr);
                f->itu_rb->click();
                for (int zone : {11, 28}) {
                    f->se1->setValue(zone);
                    f->Button1->click();
                    QCoreApplication::processEvents();
                    EXPECT_GE(f->lb1->count(), 32);
                    expectReadable(f, QString("ITU zone %1").arg(zone));
                    expectAllItemsInView(f->lb1, QString("ITU zone %1").arg(zone));
                }
            });
    onModal([&] { w->Rem->trigger(); }, [&](QWidget* m) { expectReadable(m, "Remoteness of the countries"); });
}

TEST_F(SecondaryWindows, ReportWindowShowsAllItsTables)
{
    onModal([&] { w->sr->trigger(); },
            [&](QWidget* m) {
                auto* r = qobject_cast<TZEM_Report*>(m);
                ASSERT_NE(r, nullptr);
                ASSERT_EQ(r->l->topLevelItemCount(), 13);
                expectReadable(r, "ZEM Report");
                expectAllItemsInView(r->l, "ZEM Report");
            });
}

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(SecondaryWindows, AdditionalInformationGaugesAreReadable)
{
    onModal([&] { w->Distribution->tb211Click(); },
            [&](QWidget* m) {
                expectReadable(m, "Additional information");
                const QList<QProgressBar*> gauges = m->findChildren<QProgressBar*>();
                ASSERT_EQ(gauges.size(), 24);
                for (QProgressBar* g : gauges) {
                    const QPalette p = g->palette();
                    // The percentage over the filled part is drawn in the highlighted-text colour.
                    EXPECT_GE(contrast(p.color(QPalette::Highlight), p.color(QPalette::HighlightedText)), 4.5)
                        << g->objectName().toStdString();
                    if (g->value() * 10 < g->maximum()) continue;
                    // ... and the bar is drawn in the palette's colour, not in one of its own.
                    const QColor bar = g->grab().toImage().pixelColor(6, g->height() / 2);
                    EXPECT_LT(contrast(bar, p.color(QPalette::Highlight)), 1.6) << g->objectName().toStdString();
                }
            });
}

TEST_F(SecondaryWindows, OtherWindowsAtTheirDefaultSize)
{
    onModal([&] { w->N20->trigger(); }, [&](QWidget* m) { expectReadable(m, "Settings"); });
    onModal([&] { w->Mastereditor1->trigger(); },
            [&](QWidget* m) {
                auto* e = qobject_cast<TMaster_edit*>(m);
                ASSERT_NE(e, nullptr);
                e->Currentlog1Click();
                e->Button1Click();
                expectReadable(e, "Master editor");
            });
    onModal([&] { w->N24->trigger(); },
            [&](QWidget* m) {
                auto* q = qobject_cast<TQTHF*>(m);
                ASSERT_NE(q, nullptr);
                q->Edit1->setText("TLKC4TEOWR0MG");
                EXPECT_FALSE(q->label20->text().isEmpty());
                expectReadable(q, "Information on callsign");
            });
    onModal([&] { w->imefortransmittingcallsigninCW1->trigger(); },
            [&](QWidget* m) {
                m->findChild<QLineEdit*>("Edit1")->setText("CQ CQ TEST KC4TEOWR0MG KC4TEOWR0MG TEST");
                expectReadable(m, "CW time");
            });
    onModal([&] { w->N27->trigger(); }, [&](QWidget* m) { expectReadable(m, "About"); });
    onModal([&] { w->twoRadioPage->Band_changes_for_M2(); }, [&](QWidget* m) { expectReadable(m, "Band changes for M/2"); });
    onModal([&] { w->Operators->Co1Click(); }, [&](QWidget* m) { expectReadable(m, "Choose the operator"); });
    onModal([&] { w->Find1->trigger(); },
            [&](QWidget* m) {
                auto* f = qobject_cast<TFind_qso*>(m);
                ASSERT_NE(f, nullptr);
                f->cb6->setChecked(true);
                f->CO_MODE->setCurrentText("PH");
                f->b1Click();
                expectReadable(f, "Find QSO");
            });
    onModal([&] { w->NdClick(); },
            [&](QWidget* m) {
                auto* n = qobject_cast<Tn1mm*>(m);
                ASSERT_NE(n, nullptr);
                n->showContests({{"CQ-WPX-SSB", "2025-03-29", "MULTI-OP TWO ALL HIGH SSB", "KC4TEOWR0MG", "1234567"},
                                 {"RDXC", "2024-03-16", "SINGLE-OP ALL LOW MIXED", "RZ9ZEM", "8"}});
                expectReadable(n, "N1MM");
            });
    w->DT_change->open();
    expectReadable(w->DT_change, "Date/Time change");
    w->DT_change->reject();
    onModal([&] { w->o1Click(); },
            [&](QWidget* m) {
                auto* d = qobject_cast<CabrilloOpenDialog*>(m);
                ASSERT_NE(d, nullptr);
                const fs::path log = kSource / "tests/data/VE3EJ_ARRL10_2024_SO.LOG";
                d->op1SelectionChange(QString::fromStdString(log.string()));
                EXPECT_FALSE(d->contestValue()->text().isEmpty());
                expectReadable(d, "Open Cabrillo");
            });
}
