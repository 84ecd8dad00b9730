// The Tools windows and the web look-ups in the real main window: spot file
// reading, counting and search, the CW calculator, the zone and distance
// lists, and the addresses the look-ups open.
#include "analysis/cw_call_form.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "refdata/call_info_dialog.h"
#include "refdata/itu_waz_form.h"
#include "refdata/master_call_db.h"
#include "refdata/rem_form.h"
#include "refdata/web_lookups.h"
#include "spots/spots.h"
#include "spots/spots_form.h"
#include "spots/ssf_form.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string spotLine(const std::string& spotter, const std::string& freq, const std::string& dx,
                     const std::string& time, const std::string& start = "DX de ")
{
    std::string s(75, ' ');
    s.replace(0, start.size(), start);
    s.replace(6, spotter.size() + 1, spotter + ":");
    s.replace(24 - freq.size(), freq.size(), freq);
    s.replace(26, dx.size(), dx);
    s.replace(70, time.size() + 1, time + "Z");
    return s;
}

struct Window {
    MessageRecorder msgs;
    QTemporaryDir prog, work;
    QString cwd = QDir::currentPath();
    std::unique_ptr<TForm2> w;

    Window()
    {
        w = std::make_unique<TForm2>(makeProgramFolder(prog));
        w->show();
        QCoreApplication::processEvents();
        msgs.texts.clear(); // no master file beside the program
    }
    ~Window()
    {
        w.reset();
        QDir::setCurrent(cwd);
    }
    QString write(const char* name, const std::vector<std::string>& lines)
    {
        const QString path = work.filePath(name);
        std::ofstream f(path.toStdString(), std::ios::binary);
        for (const auto& l : lines) f << l << "\r\n";
        return path;
    }
    void loadLog()
    {
        const QString path = write("test.cbr", {"START-OF-LOG: 3.0", "CONTEST: TEST", "CALLSIGN: SM5XX",
                                                "QSO: 14025 CW 2024-03-16 1200 SM5XX 599 001 UA3ABC 599 001",
                                                "QSO: 14025 CW 2024-03-16 1201 SM5XX 599 001 DL/UA3XX 599 001",
                                                "END-OF-LOG:"});
        w->Open_cabrillo_proc(path);
        msgs.texts.clear();
    }
};

// Runs body on the modal window that action opens, then closes it.
template <typename F>
void onModal(QAction* action, F body)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        seen = m != nullptr;
        if (m) {
            body(m);
            m->close();
        }
    });
    action->trigger();
    EXPECT_TRUE(seen) << action->text().toStdString();
}

std::vector<std::string> column(const TKeoEGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < g.RowCount(); ++r) out.push_back(g.Cell(col, r));
    return out;
}

} // namespace

TEST(SpotWindow, ReadsCountsAndSearchesAFile)
{
    Window win;
    TSpotsF& f = *win.w->SpotsF;
    const QString file = win.write("spots.txt", {
        "Spots of the weekend",
        spotLine("W1NT-6-#", "14025.0", "UA3ABC", "1200"),
        spotLine("DL8LAS-#", "7012.0", "UA3ABC", "1201"),
        "DX de SHORT: 14000.0 K1ABC",
        spotLine("W1NT-6-#", "21010.0", "K1ABC", "1202"),
        spotLine("SM5AAA", "1296100.0", "UA3ABC", "1203"),
        spotLine("UA3ABC", "14026.0", "JA1XX", "1204", "dx de "),
    });
    f.OpenDialog = [&] { return file; };
    f.Open1->trigger();
    QCoreApplication::processEvents();

    EXPECT_EQ(f.SpotCount, 4);
    EXPECT_EQ(column(f.spotsGrid, spcSpotter), (std::vector<std::string>{"W1NT-6-#", "DL8LAS-#", "W1NT-6-#", "SM5AAA"}));
    EXPECT_EQ(column(f.spotsGrid, spcBand), (std::vector<std::string>{"20", "40", "15", ""}));
    EXPECT_EQ(f.spotsGrid.Cell(spcFrequency, 4), "1296100.0");
    EXPECT_EQ(f.ssb->text(1), "4 spots");
    EXPECT_EQ(f.ssb->text(2), "3 spotters");
    EXPECT_EQ(f.ssb->text(3), "2 DX");
    EXPECT_EQ(column(f.spottersGrid, 1), (std::vector<std::string>{"W1NT-6-#", "SM5AAA", "DL8LAS-#"}));
    EXPECT_EQ(column(f.dxGrid, 2), (std::vector<std::string>{"3", "1"}));
    EXPECT_EQ(f.SpotsGrid->model()->rowCount(), 4);
    // The short line: one message for the file.
    ASSERT_EQ(win.msgs.texts.size(), 1) << win.msgs.texts.join("|").toStdString();
    EXPECT_EQ(win.msgs.texts[0], "Mistake in a format:\nDX de SHORT: 14000.0 K1ABC");

    // Search: typed in lower case, searched in upper case.
    f.InputBox = [](const QString& title, const QString& prompt) {
        EXPECT_EQ(title, "Find callsign");
        EXPECT_EQ(prompt, "Callsign for search:");
        return std::optional<QString>("ua3abc");
    };
    QString caption;
    int rows = 0;
    onModal(f.Search1, [&](QWidget* m) {
        EXPECT_EQ(m, f.SSF);
        caption = m->windowTitle();
        rows = f.SSF->SG->model()->rowCount();
        // Every column, "Time" the last, is in view without scrolling.
        QCoreApplication::processEvents();
        const int last = spcTime;
        EXPECT_LE(f.SSF->SG->columnViewportPosition(last) + f.SSF->SG->columnWidth(last),
                  f.SSF->SG->viewport()->width());
    });
    EXPECT_EQ(caption, "UA3ABC - 3 spots");
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(column(f.SSF->sg, spcTime), (std::vector<std::string>{"1200", "1201", "1203"}));

    // A double click searches the cell as it stands: the spotter's two spots.
    QTimer::singleShot(0, [&] {
        caption = f.SSF->windowTitle();
        f.SSF->close();
    });
    f.SpottersGrid->setCurrentIndex(f.SpottersGrid->model()->index(0, 1));
    f.SpottersGridDblClick();
    EXPECT_EQ(caption, "W1NT-6-# - 2 spots");

    // A file without spots changes nothing and says so.
    win.msgs.texts.clear();
    f.readSpots(win.write("empty.txt", {"nothing here", spotLine("UA3ABC", "14026.0", "JA1XX", "1204", "dx de ")}));
    EXPECT_EQ(f.SpotCount, 4);
    EXPECT_EQ(f.spotsGrid.RowCount(), 5);
    EXPECT_EQ(f.ssb->text(1), "4 spots");
    ASSERT_EQ(win.msgs.texts.size(), 1);
    EXPECT_TRUE(win.msgs.texts[0].startsWith("No spots in ")) << win.msgs.texts[0].toStdString();

    // A file that cannot be read is reported.
    win.msgs.texts.clear();
    f.readSpots(win.work.filePath("missing.txt"));
    EXPECT_EQ(win.msgs.texts.size(), 1);
    EXPECT_EQ(f.SpotCount, 4);
}

// A file dialog made by Qt's ready-made functions, as the spot window opens
// one, is fitted like every file dialog of the program: the long name of a
// spot file shows whole.
TEST(SpotWindow, OpenDialogShowsLongNamesWhole)
{
    Window win;
    const QString name = "dx cluster spots of the whole contest weekend.txt";
    win.write(name.toUtf8().constData(), {spotLine("SM5AAA", "14025.0", "UA3ABC", "1200")});
    TSpotsF& f = *win.w->SpotsF;
    f.OpenDialog = [&] {
        return QFileDialog::getOpenFileName(&f, QString(), win.work.path(), QString(), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
    int nameWidth = 0, need = 0;
    answerModal<QFileDialog>([&](QFileDialog* d) {
        auto* files = d->findChild<QTreeView*>("treeView");
        if (files) {
            nameWidth = files->columnWidth(0);
            need = QFontMetrics(files->font()).horizontalAdvance(name) + files->iconSize().width();
        }
        d->reject();
    });
    f.Open1Click();
    EXPECT_GT(need, 0);
    EXPECT_GE(nameWidth, need);
}

TEST(SpotWindow, SelectedCallsShowTheirCountryInTheMainWindow)
{
    Window win;
    TSpotsF& f = *win.w->SpotsF;
    f.readSpots(win.write("spots.txt", {spotLine("SM5AAA", "14025.0", "UA3ABC", "1200"),
                                        spotLine("SM5AAA", "14025.0", "QQ1QQ", "1201")}));
    auto* sb3 = win.w->sb3;
    f.SpotsGrid->setCurrentIndex(f.SpotsGrid->model()->index(0, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(win.w->state().CurrentCall, "UA3ABC");
    EXPECT_EQ(sb3->text(0), "European Russia");
    EXPECT_EQ(sb3->text(9), "UA3ABC:");

    f.SpottersGrid->setCurrentIndex(f.SpottersGrid->model()->index(0, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(sb3->text(0), "Sweden");

    // A call the country file does not know shows no country at all.
    f.pages->setCurrentIndex(0);
    f.SpotsGrid->setCurrentIndex(f.SpotsGrid->model()->index(1, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(sb3->text(9), "QQ1QQ:");
    EXPECT_EQ(sb3->text(0), "");
}

TEST(ToolsMenu, ItemsOpenTheirWindows)
{
    Window win;
    win.loadLog();
    const double homeLat = win.w->state().HomeLat, homeLon = win.w->state().HomeLon;
    const std::string current = win.w->state().CurrentCall;

    onModal(win.w->ITUWAZ1, [](QWidget* m) { EXPECT_NE(qobject_cast<TITU_WAZ_form*>(m), nullptr); });
    onModal(win.w->imefortransmittingcallsigninCW1, [](QWidget* m) {
        auto* cw = qobject_cast<Tcw_call_form*>(m);
        ASSERT_NE(cw, nullptr);
        EXPECT_EQ(cw->Label7->text(), "0.00 min.");
    });
    onModal(win.w->Re1, [&](QWidget* m) { EXPECT_EQ(m, win.w->SpotsF); });
    EXPECT_EQ(win.w->Re1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QStringList tools;
    for (QAction* a : win.w->findChild<QMenu*>("Tools")->actions()) tools << a->text();
    EXPECT_EQ(tools, (QStringList{"Information on callsign", "ITU-WAZ", "Remoteness of the countries",
                                  "Time for transmitting CW message", "Master editor", "Analysis of spots"}));

    // The distances start from the loaded log's own callsign.
    onModal(win.w->Rem, [&](QWidget* m) {
        auto* rem = qobject_cast<Trem_Form*>(m);
        ASSERT_NE(rem, nullptr);
        EXPECT_EQ(rem->Edit1->text(), "SM5XX");
        EXPECT_EQ(rem->nam_L->text(), "Sweden");
        EXPECT_EQ(column(rem->keo1, 1), (std::vector<std::string>{"European Russia", "United States"}));
        EXPECT_EQ(column(rem->keo1, 0), (std::vector<std::string>{"1", "2"}));
    });
    // None of them moves the shared values.
    EXPECT_EQ(win.w->state().HomeLat, homeLat);
    EXPECT_EQ(win.w->state().HomeLon, homeLon);
    EXPECT_EQ(win.w->state().CurrentCall, current);
    EXPECT_TRUE(win.msgs.texts.isEmpty()) << win.msgs.texts.join("|").toStdString();
}

// Enter in the callsign field only looks the call up: the save button, once
// enabled by the matches, does not take the key.
TEST(CallInfoWindow, EnterOpensNoSaveDialog)
{
    MessageRecorder msgs;
    QTemporaryDir prog;
    const fs::path p = makeProgramFolder(prog);
    Cteate_master({"K3LR", "K3ZR", "K3ZO", "W3LPL"}, (p / "master.dta").string());
    TForm2 w(p);
    w.show();
    QCoreApplication::processEvents();
    TQTHF& q = *w.QTHF;
    int saves = 0;
    q.SaveFileName = [&] {
        ++saves;
        return QString();
    };
    onModal(w.N24, [&](QWidget* m) {
        ASSERT_EQ(m, &q);
        QTest::keyClicks(q.Edit1, "k3?r");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(q.Edit1, key);
            QCoreApplication::processEvents();
            EXPECT_EQ(saves, 0) << key;
            EXPECT_EQ(QApplication::activeModalWidget(), &q) << key;
        }
        EXPECT_EQ(q.Edit1->text(), "K3?R");
        ASSERT_EQ(q.l->count(), 2);
        EXPECT_EQ(q.l->item(0)->text(), "K3LR");
        EXPECT_EQ(q.l->item(1)->text(), "K3ZR");
        EXPECT_EQ(q.label20->text(), "United States");
        // The button itself still saves.
        ASSERT_TRUE(q.Button2->isEnabled());
        QTest::mouseClick(q.Button2, Qt::LeftButton);
        EXPECT_EQ(saves, 1);
    });
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();
}

TEST(CwCalculator, RecalculatesAtEveryChange)
{
    Tcw_call_form f;
    QTest::keyClicks(f.Edit1, "e");
    EXPECT_EQ(f.Edit1->text(), "E");
    f.Sp2->setValue(1);
    EXPECT_EQ(f.Label7->text(), "20.83 min.");
    f.Edit1->setText("");
    f.Sp1->setValue(60);
    f.Sp3->setValue(1000);
    EXPECT_EQ(f.Label7->text(), "1.00 min.");
    f.Sp4->setValue(1000);
    EXPECT_EQ(f.Label7->text(), "2.00 min.");
    EXPECT_EQ(f.Edit1->maxLength(), 30);
}

TEST(ZoneList, CountriesOfAZoneFromTheCountryFile)
{
    TITU_WAZ_form f(fs::path(ZEM_SOURCE_DIR) / "data" / "cty.dat");
    EXPECT_EQ(f.se1->value(), 16);
    EXPECT_EQ(f.se1->maximum(), 40);
    f.itu_rb->click();
    EXPECT_EQ(f.se1->maximum(), 75);
    f.se1->setValue(75);
    f.Button1->click();
    EXPECT_EQ(f.Label1->text(), "75 ITU zone:");
    EXPECT_EQ(f.Label3->text().toInt(), f.lb1->count());
    EXPECT_FALSE(f.lb1->findItems("Franz Josef Land", Qt::MatchExactly).isEmpty());
    // Asiatic Russia reaches ITU 75 only through whole calls of polar stations.
    EXPECT_TRUE(f.lb1->findItems("Asiatic Russia", Qt::MatchExactly).isEmpty());

    f.waz_rb->click();
    EXPECT_EQ(f.se1->maximum(), 40);
    f.se1->setValue(2);
    f.Button1->click();
    EXPECT_EQ(f.Label1->text(), "2 WAZ zone:");
    EXPECT_FALSE(f.lb1->findItems("Canada", Qt::MatchExactly).isEmpty());
}

TEST(DistanceList, ShippedCountryFileAndUnknownCalls)
{
    MessageRecorder msgs;
    const fs::path data = fs::path(ZEM_SOURCE_DIR) / "data";
    TCty_search cty;
    cty.LoadFiles(data / "cty.dat", data / "zem-cty.dat");
    Trem_Form f(cty, data / "cty.dat", [] { return std::string("VK2XX"); });
    f.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.nam_L->text(), "Australia");
    EXPECT_EQ(f.keo1.RowCount() - 1, 345);
    // Every country name fits its column.
    const QFontMetrics fm(f.Keo1->font());
    int widest = 0;
    for (int r = 1; r < f.keo1.RowCount(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(f.keo1.Cell(1, r))));
    EXPECT_LT(widest, f.Keo1->columnWidth(1) - 4);

    f.Ch->setChecked(true);
    f.CB1->setCurrentText("OC");
    f.Button1->click();
    ASSERT_GT(f.keo1.RowCount(), 10);
    for (int r = 1; r < f.keo1.RowCount(); ++r) EXPECT_EQ(f.keo1.Cell(3, r), "OC") << r;
    // Nearest first, the reference country left out.
    EXPECT_EQ(f.keo1.Cell(0, 1), "1");
    for (int r = 1; r < f.keo1.RowCount(); ++r) EXPECT_NE(f.keo1.Cell(1, r), "Australia");
    for (int r = 2; r < f.keo1.RowCount(); ++r)
        EXPECT_LE(std::stoi(f.keo1.Cell(2, r - 1)), std::stoi(f.keo1.Cell(2, r)));

    // A Russian call measures from its oblast and leaves its country out.
    f.Ch->setChecked(false);
    f.Edit1->setText("UA3XX");
    f.Button1->click();
    EXPECT_TRUE(f.nam_L->text().contains("(3X)")) << f.nam_L->text().toStdString();
    EXPECT_EQ(f.keo1.RowCount() - 1, 345);
    for (int r = 1; r < f.keo1.RowCount(); ++r) EXPECT_NE(f.keo1.Cell(1, r), "European Russia");

    // A callsign the file does not know takes nothing from the one before.
    ASSERT_FALSE(cty.LookupCall("QQ1QQ"));
    f.Edit1->setText("QQ1QQ");
    EXPECT_EQ(f.nam_L->text(), "");
    f.Button1->click();
    EXPECT_EQ(f.keo1.RowCount(), 2);
    EXPECT_TRUE(f.keo1.IsRowEmpty(1));
    EXPECT_TRUE(msgs.texts.isEmpty());
}

TEST(WebLookups, AddressesOfTheSelectedCallsign)
{
    Window win;
    win.loadLog();
    QStringList opened;
    setShellOpenHook([&](const QString& url) { opened << url; });
    TWebLookups& web = *win.w->WebLookups;

    // On the Log page: the selected QSO's callsign in lower case.
    win.w->pc1->setCurrentIndex(0);
    win.w->log_grid->GoToCell(1, 2);
    win.w->state().CurrentCall = "K1ABC";
    web.log_PopPopup();
    EXPECT_EQ(web.ise->title(), "Search DL/UA3XX in Internet");
    for (QAction* a : web.ise->actions()) a->trigger();
    EXPECT_EQ(opened, (QStringList{"https://www.google.com/search?hl=ru&ie=windows-1251&q=dl%2Fua3xx&lr=",
                                   "https://yandex.ru/search/?rpt=rad&text=dl%2Fua3xx",
                                   "https://www.qrz.ru/db/dl%2Fua3xx", "https://www.qrzcq.com/call/dl%2Fua3xx",
                                   "https://www.qrz.com/db/dl%2Fua3xx",
                                   "https://www.arrl.org/advanced-call-sign-search?callsign=dl%2Fua3xx"}));
    EXPECT_EQ(win.w->state().CurrentCall, "K1ABC");

    // On another page: the callsign last selected, as it was selected.
    opened.clear();
    win.w->pc1->setCurrentIndex(1);
    web.QRZOnlinesearch3->trigger();
    EXPECT_EQ(opened, QStringList{"https://www.qrz.com/db/K1ABC"});

    // No callsign anywhere: the items are off.
    win.w->state().CurrentCall.clear();
    web.log_PopPopup();
    for (QAction* a : web.ise->actions()) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();

    // A desktop that cannot open the address: the user is told.
    win.w->state().CurrentCall = "K1ABC";
    web.log_PopPopup();
    setShellOpenHook([&](const QString& url) { opened << url; }, false);
    web.Google4->trigger();
    setShellOpenHook({});
    ASSERT_EQ(win.msgs.texts.size(), 1);
    EXPECT_TRUE(win.msgs.texts[0].startsWith("Cannot open https://www.google.com/")) << win.msgs.texts[0].toStdString();
}
