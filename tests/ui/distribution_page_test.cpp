// The Distribution page and the QSO column through the real main window:
// the post-load chain marks dupes and band counts, each page command fills
// its lists and writes its files, the search selects, and the additional
// information counts the lists.
#include "analysis/add_info_dialog.h"
#include "analysis/distribution_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QToolButton>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Calls, kHz and modes of a small log: K1AR twice on 20 m (a dupe) and on
// 40 m, UA3AAA on 15 m and in phone on 20 m, SM5AAA on 20 m only.
void writeLog(const fs::path& file)
{
    struct Q {
        const char *kHz, *mode, *call;
    };
    const Q qsos[] = {{"14025", "CW", "K1AR"},   {"14030", "CW", "K1AR"},   {"7025", "CW", "K1AR"},
                      {"14025", "CW", "SM5AAA"}, {"21025", "CW", "UA3AAA"}, {"14200", "PH", "UA3AAA"}};
    std::ofstream f(file);
    f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
    int i = 0;
    for (const Q& q : qsos)
        f << "QSO: " << q.kHz << " " << q.mode << " 2024-03-16 12" << (10 + i++) << " SM5XX        599 001    " << q.call
          << "        599 001\n";
    f << "END-OF-LOG:\n";
}

QStringList items(const QListWidget* lb)
{
    QStringList out;
    for (int i = 0; i < lb->count(); ++i) out << lb->item(i)->text();
    return out;
}

std::vector<std::string> filesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == ".txt") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct LoadedWindow {
    MessageRecorder msgs;
    QString oldCurrent = QDir::currentPath();
    QTemporaryDir prog, logs;
    TForm2 w{makeProgramFolder(prog)};
    fs::path folder;
    LoadedWindow()
    {
        w.show();
        QCoreApplication::processEvents();
        msgs.texts.clear(); // the missing master file
        const fs::path logFile = fs::path(logs.path().toStdString()) / "test.cbr";
        writeLog(logFile);
        w.Open_cabrillo_proc(QString::fromStdString(logFile.string()));
        QCoreApplication::processEvents();
        folder = fs::path(logs.path().toStdString()) / "TEST-CONTEST SM5XX 2024";
    }
    ~LoadedWindow() { QDir::setCurrent(oldCurrent); }
};

} // namespace

TEST(DistributionPage, ChainMarksDupesAndBandCounts)
{
    LoadedWindow lw;
    const auto& log = lw.w.state().log_grid;
    std::vector<std::string> qso;
    for (int r = 1; r <= 6; ++r) qso.push_back(log.Cell(lcQSO, r));
    EXPECT_EQ(qso, (std::vector<std::string>{"2", "DUPE.", "2", "1", "2", "2"}));
    EXPECT_EQ(lw.w.sb1->text(2), "1 dupes");
    EXPECT_TRUE(lw.w.Distribution->t3->isEnabled());

    DistributionPage& d = *lw.w.Distribution;
    EXPECT_EQ(items(d.ListBoxes[0]), QStringList{"SM5AAA"});
    EXPECT_EQ(items(d.ListBoxes[1]), (QStringList{"K1AR", "UA3AAA"}));
    EXPECT_EQ(items(d.ListBoxes[6]), (QStringList{"K1AR", "SM5AAA", "UA3AAA"}));
    EXPECT_EQ(d.StaticTexts[0]->text(), "on 1 band");
    EXPECT_EQ(d.StaticTexts[5]->text(), "on all");
    EXPECT_EQ(d.StaticTexts[6]->text(), "Total callsigns");
    EXPECT_EQ(d.DistLabels[1]->text(), "2");
    EXPECT_EQ(d.DistLabels[6]->text(), "3");
    EXPECT_EQ(filesIn(lw.folder / "Bands distribution"),
              (std::vector<std::string>{"Calls on 1 band (1).txt", "Calls on 2 band (2).txt"}));
    EXPECT_EQ(filesIn(lw.folder), std::vector<std::string>{"Total callsigns (3).txt"});
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();

    lw.w.Close1Click();
    EXPECT_FALSE(d.t3->isEnabled());
    EXPECT_EQ(d.ListBoxes[1]->count(), 0);
}

TEST(DistributionPage, TotalOnBandMixedModeAndFind)
{
    LoadedWindow lw;
    DistributionPage& d = *lw.w.Distribution;

    d.tb22Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(d.StaticTexts[0]->text(), "on 160 m");
    EXPECT_EQ(d.StaticTexts[6]->text(), "total QSO");
    EXPECT_EQ(items(d.ListBoxes[3]), (QStringList{"K1AR", "K1AR", "SM5AAA", "UA3AAA"}));
    EXPECT_EQ(items(d.ListBoxes[2]), QStringList{"K1AR"});
    EXPECT_EQ(d.DistLabels[6]->text(), "6");
    EXPECT_EQ(filesIn(lw.folder / "Bands distribution"),
              (std::vector<std::string>{"Calls 15m (1).txt", "Calls 20m (4).txt", "Calls 40m (1).txt",
                                        "Calls on 1 band (1).txt", "Calls on 2 band (2).txt"}));

    d.Mixedmode1Click();
    EXPECT_EQ(items(d.ListBoxes[0]), (QStringList{"SM5AAA-CW", "UA3AAA-CW", "UA3AAA-PH"}));
    EXPECT_EQ(items(d.ListBoxes[1]), QStringList{"K1AR-CW"});
    EXPECT_FALSE(d.MixedMode);

    d.rm_buttonClick();
    QString asked;
    d.InputBox = [&](const QString& title, const QString& prompt) -> std::optional<QString> {
        asked = title + "|" + prompt;
        return QString("ua3aaa");
    };
    d.tb5Click();
    EXPECT_EQ(asked, "Find callsign|Callsign for search:");
    ASSERT_NE(d.ListBoxes[1]->currentItem(), nullptr);
    EXPECT_EQ(d.ListBoxes[1]->currentItem()->text(), "UA3AAA");
    ASSERT_NE(d.ListBoxes[6]->currentItem(), nullptr);
    EXPECT_EQ(d.ListBoxes[6]->currentItem()->text(), "UA3AAA");
    EXPECT_EQ(d.ListBoxes[0]->currentItem(), nullptr);
}

TEST(DistributionPage, AdditionalInformationCountsTheLists)
{
    LoadedWindow lw;
    DistributionPage& d = *lw.w.Distribution;
    d.tb22Click(); // the window runs the by-bands distribution again itself
    std::map<QString, QString> numbers;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* info = qobject_cast<Tadd_info*>(QApplication::activeModalWidget());
        if (!info) return;
        title = info->windowTitle();
        for (auto* l : info->findChildren<QLabel*>())
            if (l->objectName().startsWith("Label")) numbers[l->objectName()] = l->text();
        QTest::keyClick(info, Qt::Key_Escape);
    });
    d.tb211Click();
    EXPECT_EQ(title, "Distribution. Additional information");
    // S1 = 1, S2 = 2, T = 3, Q = 6; without a master file no station is found.
    const std::map<QString, QString> expected = {
        {"Label13", "1"}, {"Label14", "2"}, {"Label15", "0"}, {"Label20", "1"}, {"Label21", "2"},
        {"Label3", "1"},  {"Label4", "4"},  {"Label10", "1"}, {"Label11", "5"},
        {"Label23", "1"}, {"Label24", "2"}, {"Label29", "1"}, {"Label30", "2"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(numbers[name], value) << name.toStdString();
}

TEST(DistributionPage, ClearDropsBandRuleMarksAndToolbarFollowsItsItem)
{
    LoadedWindow lw;
    auto& log = lw.w.state().log_grid;
    log.SetCell(lcNumber, 2, "+2");
    log.SetCell(lcNumber, 3, "+3");
    lw.w.Clear1Click();
    EXPECT_EQ(log.Cell(lcNumber, 2), "2");
    EXPECT_EQ(log.Cell(lcNumber, 3), "3");

    log.SetCell(lcNumber, 4, "x");
    lw.w.Clear1Click();
    EXPECT_EQ(lw.msgs.texts.size(), 1);

    lw.w.oolbar1->setChecked(false);
    lw.w.oolbar1Click();
    EXPECT_TRUE(lw.w.tb->isHidden());
    lw.w.oolbar1->trigger();
    EXPECT_FALSE(lw.w.tb->isHidden());
}

TEST(DistributionPage, StationsOnMoreThanSixBandsAreToldOncePerLogInWholeLines)
{
    LoadedWindow lw;
    DistributionPage& d = *lw.w.Distribution;
    // Twelve stations of six-letter calls, each on seven bands: as a general
    // logbook with the WARC bands has them.
    auto& log = lw.w.state().log_grid;
    const int qsos = 12 * 7;
    log.SetRowCount(qsos + 1);
    for (int r = 1; r <= qsos; ++r) {
        const int station = (r - 1) / 7;
        log.SetCell(lcCallsign, r, "AO7" + std::to_string(station / 10) + std::to_string(station % 10) + "B");
        log.SetCell(lcBand, r, "b" + std::to_string((r - 1) % 7));
        log.SetCell(lcQSO, r, "");
    }
    lw.w.state().header.QsoCount = qsos;
    lw.w.pc1->setCurrentWidget(d.parentWidget());
    QTest::qWait(20);
    const QRect barBefore = d.t3->geometry();

    // The next load's first distribution tells, in the program's own box.
    d.newLog();
    setShowMsgHook({});
    QString shown;
    int widestLine = 0, labelWidth = 0;
    QRect barDuring;
    answerModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        for (const QString& line : shown.split('\n'))
            widestLine = std::max(widestLine, label->fontMetrics().horizontalAdvance(line));
        labelWidth = label->contentsRect().width();
        barDuring = d.t3->geometry();
        box->accept();
    });
    d.rm_buttonClick();
    setShowMsgHook([&](const QString& t) { lw.msgs.texts << t; });
    EXPECT_TRUE(shown.contains("AO711B (7)")) << shown.toStdString();
    EXPECT_EQ(shown.count('\n'), 3) << "five to a line";
    EXPECT_GE(labelWidth, widestLine) << "a line breaks inside a name";
    EXPECT_LE(labelWidth, 800);
    EXPECT_EQ(barDuring, barBefore) << "the tool bar moved while the lists were hidden";

    // The commands that rebuild the lists later say nothing more.
    lw.msgs.texts.clear();
    d.rm_buttonClick();
    EXPECT_EQ(d.DistLabels[6]->text(), "12");
    d.Mixedmode1Click();
    EXPECT_TRUE(lw.msgs.texts.isEmpty()) << lw.msgs.texts.join("|").toStdString();
}

// Every caption with "&" on every page answers Alt and its letter, tool-bar
// actions too (a tool button shows its action's text without the "&").
TEST(DistributionPage, EveryUnderlinedLetterOnThePagesIsItsKey)
{
    LoadedWindow lw;
    lw.w.Distribution->InputBox = [](const QString&, const QString&) -> std::optional<QString> { return std::nullopt; };
    lw.w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&lw.w));
    QStringList keyed;
    for (int i = 0; i < lw.w.pc1->count(); ++i) {
        if (!lw.w.pc1->isTabVisible(i)) continue;
        lw.w.pc1->setCurrentIndex(i);
        QTest::qWait(20);
        for (QAbstractButton* b : lw.w.pc1->widget(i)->findChildren<QAbstractButton*>()) {
            auto* tool = qobject_cast<QToolButton*>(b);
            const QString caption = tool && tool->defaultAction() ? tool->defaultAction()->text() : b->text();
            const QKeySequence key = QKeySequence::mnemonic(caption);
            if (key.isEmpty() || !b->isVisible()) continue;
            keyed << caption;
            int clicked = 0;
            const auto c = QObject::connect(b, &QAbstractButton::clicked, [&] { ++clicked; });
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &lw.w, key);
            QTest::qWait(250); // a key clicks its button as a short press
            QObject::disconnect(c);
            EXPECT_EQ(clicked, 1) << caption.toStdString();
        }
    }
    keyed.sort();
    EXPECT_EQ(keyed, (QStringList{"&Find callsign", "&Total on band", "By &number of bands"}));
}
