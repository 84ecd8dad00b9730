// QSOs that fail while a log is loaded: the load goes on, the error window
// lists them, and a double click there shows the QSO in the log table.
#include "import/error_dialog.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "analysis/analysis_pass.h"
#include "analysis/breaks_page.h"
#include "analysis/charts_page.h"
#include "analysis/errors_page.h"
#include "analysis/rates_page.h"
#include "analysis/two_radio_page.h"
#include "main_window_support.h"

#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray logText(const std::vector<std::pair<std::string, std::string>>& dateTimes)
{
    std::string text = "START-OF-LOG: 3.0\nCONTEST: TEST\nCALLSIGN: DL1ABC\n";
    int n = 0;
    for (const auto& [date, time] : dateTimes)
        text += "QSO: 14025 CW " + date + " " + time + " DL1ABC        599 14     K" + std::to_string(++n) +
                "ABC         599 05\n";
    return QByteArray::fromStdString(text + "END-OF-LOG:\n");
}

// Runs what the error window should see while it is shown modally at the
// end of the job, then closes it.
class WhileErrorWindowShown {
public:
    WhileErrorWindowShown(TForm2& w, std::function<void()> action) : w_(w), action_(std::move(action))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!w_.ERRF->isVisible()) return;
            timer_.stop();
            ++shown;
            action_();
            w_.ERRF->reject();
        });
        timer_.start(10);
    }
    int shown = 0;

private:
    TForm2& w_;
    std::function<void()> action_;
    QTimer timer_;
};

} // namespace

TEST(LoadErrors, FirstQsoWithABadDateOrTimeIsListedAndTheLogLoads)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    const QString file = m.writeLog("bad-first.log", logText({{"2024-11-23", "12h00"}, {"20241123", "1201"}, {"2024-11-23", "1202"}}));
    QStringList listed;
    WhileErrorWindowShown errors(w, [&] {
        for (int r = 1; r <= w.state().BadQsoCount; ++r)
            listed << QString::fromStdString(w.state().error_keo.Cell(0, r));
    });
    w.Open_cabrillo_proc(file);
    QTest::qWait(20);

    EXPECT_EQ(errors.shown, 1);
    EXPECT_EQ(listed, (QStringList{"1", "2"}));
    EXPECT_EQ(w.state().header.QsoCount, 3);
    EXPECT_FALSE(w.log_grid->isHidden());
    EXPECT_EQ(w.windowTitle(), "TEST DL1ABC 2024 - ZEM Log Analysis");
    EXPECT_EQ(w.state().FirstQsoMinute, get_time_for_qso(w.state().log_grid, 3, 0));
}

TEST(LoadErrors, DoubleClickInTheErrorListLeavesThatLogRowCurrent)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    w.pc1->setCurrentIndex(1);
    std::vector<std::pair<std::string, std::string>> qsos;
    for (int i = 0; i < 8; ++i) qsos.push_back({"2024-11-23", i == 4 ? "12h04" : "120" + std::to_string(i)});
    const QString file = m.writeLog("bad-fifth.log", logText(qsos));
    WhileErrorWindowShown errors(w, [&] {
        KeoEGridView* list = w.ERRF->error_keo;
        const QRect cell = list->visualRect(list->model()->index(0, 5));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    });
    w.Open_cabrillo_proc(file);
    QTest::qWait(50); // what the views are told arrives a turn of the loop later

    ASSERT_EQ(errors.shown, 1);
    EXPECT_EQ(w.pc1->currentIndex(), 0);
    ASSERT_TRUE(w.log_grid->currentIndex().isValid());
    EXPECT_EQ(w.log_grid->currentIndex().row() + 1, 5);
    EXPECT_EQ(w.log_grid->model()->index(w.log_grid->currentIndex().row(), lcNumber).data().toString(), "5");
}

TEST(LoadErrors, ALineWithMissingFieldsIsListedOnce)
{
    // The reader lists the cut line, and the analysis pass fails on its
    // missing time: one line, one entry.
    MainWindowWithLogs m;
    TForm2& w = m.w;
    std::vector<std::pair<std::string, std::string>> qsos;
    for (int i = 10; i < 30; ++i) qsos.push_back({"2024-11-23", "12" + std::to_string(i)});
    QByteArray text = logText(qsos); // the cut line comes below the header scan
    text.replace("END-OF-LOG:", "QSO: 14025 CW 2024-11-23\nEND-OF-LOG:");
    const QString file = m.writeLog("cut.log", text);
    QStringList listed;
    WhileErrorWindowShown errors(w, [&] {
        for (int r = 1; r < w.state().error_keo.RowCount(); ++r)
            listed << QString::fromStdString(w.state().error_keo.Cell(0, r));
    });
    w.Open_cabrillo_proc(file);
    QTest::qWait(20);

    EXPECT_EQ(errors.shown, 1);
    EXPECT_EQ(listed, QStringList{"21"});
    EXPECT_EQ(w.state().header.QsoCount, 21);
}

TEST(LoadErrors, TheClockLeavesOutTheTimeTheErrorWindowIsUp)
{
    MainWindowWithLogs m;
    TForm2& w = m.w;
    const QString file = m.writeLog("bad-line.log", logText({{"2024-11-23", "1200"}, {"20241123", "1201"}}));
    // The user reads the list for a while before closing it.
    constexpr int readingMs = 1500;
    WhileErrorWindowShown errors(w, [] { QTest::qWait(readingMs); });
    QElapsedTimer wall;
    wall.start();
    w.Open_cabrillo_proc(file);
    const double loadMs = static_cast<double>(wall.elapsed());
    QTest::qWait(20);

    ASSERT_EQ(errors.shown, 1);
    const QString t = w.sb3->text(8);
    ASSERT_TRUE(t.startsWith(">>") && t.endsWith(" s.")) << t.toStdString();
    const double shownMs = t.mid(2, t.size() - 5).toDouble() * 1000;
    EXPECT_GE(shownMs, 0);
    EXPECT_LE(t.size(), 10) << "whole milliseconds: " << t.toStdString();
    EXPECT_LT(shownMs, loadMs - readingMs + 100) << t.toStdString() << " for a load of " << loadMs << " ms";
}

TEST(LoadErrors, TimesWrittenWithAPointLoadAndTheTimeCommandsRunClean)
{
    // A hand-edited log: tabs between the fields, times written "19.03".
    MainWindowWithLogs m;
    TForm2& w = m.w;
    std::string text = "START-OF-LOG: 3.0\nCONTEST: TEST\nCALLSIGN: DL1ABC\n";
    const char* const times[] = {"19.03", "19.07", "19.12", "19.30", "19:41", "19.42"};
    const char* const kHz[] = {"7030", "7031", "7032", "14032", "14033", "14034"};
    for (int i = 0; i < 6; ++i)
        text += std::string("QSO:\t") + kHz[i] + "\tCW\t2024-11-23\t" + times[i] + "\tDL1ABC\t599\t14\tK" +
                std::to_string(i) + "ABC\t599\t05\n";
    const QString file = m.writeLog("points.log", QByteArray::fromStdString(text + "END-OF-LOG:\n"));
    // Every error window that comes up is counted and closed.
    int errorWindows = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!w.ERRF->isVisible()) return;
        ++errorWindows;
        w.ERRF->reject();
    });
    closer.start(10);
    w.Open_cabrillo_proc(file);
    QTest::qWait(20);
    ASSERT_EQ(w.state().header.QsoCount, 6);
    EXPECT_EQ(w.state().BadQsoCount, 0);
    EXPECT_EQ(w.state().log_grid.Cell(lcTime, 1), "1903");
    EXPECT_EQ(w.state().log_grid.Cell(lcTime, 5), "1941");
    // 19:03 to 19:12 on 40 m, 19:30 to 19:42 on 20 m.
    EXPECT_EQ(w.summary.Summary_Grid.Cell(scTime, SummaryTotalRow), "23");

    m.msgs.texts.clear();
    for (const char* name : {"N5minuts1", "CQWW1", "CQWPX1", "CoU", "UCG1"}) {
        auto* a = w.findChild<QAction*>(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    for (QAction* a : {w.errorsPage->tb19, w.chartsPage->QSY3, w.chartsPage->QSO3, w.chartsPage->TbQ,
                       w.chartsPage->msr})
        a->trigger();
    w.breaksPage->tb33->click();
    w.ratesPage->Button6Click();
    w.ratesPage->Button7Click();
    w.twoRadioPage->ToolButton31Click();
    QTest::qWait(20);
    for (const QString& t : m.msgs.texts) EXPECT_FALSE(t.contains("valid")) << t.toStdString();
    EXPECT_GE(m.msgs.texts.size(), 4); // the four scores
    EXPECT_EQ(errorWindows, 0);
}
