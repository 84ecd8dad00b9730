// The score commands of the log's pop-up menu through the real main window:
// "Pts." filled, the Summary's "Points" column, the message.
#include "analysis/analysis_pass.h"
#include "main/form2.h"
#include "main/jobs.h"
#include "main/log_table.h"
#include "main/status_panels.h"
#include "test_support.h"

#include <QAction>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

TEST(ScoreCommands, MenuItemFillsPointsSummaryAndMessage)
{
    const QString cwd = QDir::currentPath();
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w(makeProgramFolder(prog));
    w.show();
    QCoreApplication::processEvents();

    const auto logFile = std::filesystem::path(logs.path().toStdString()) / "test.log";
    {
        std::ofstream f(logFile);
        f << "START-OF-LOG: 3.0\nCONTEST: CQ-WW-CW\nCALLSIGN: SM5XX\nCATEGORY-OPERATOR: SINGLE-OP\n";
        const char* qsos[][2] = {{"14025", "SM5AAA"}, {"14026", "UA3AAA"}, {"14027", "K1AR"},
                                 {"14028", "K1AR"},   {"7025", "K1AR"}};
        int n = 0;
        for (const auto& q : qsos)
            f << "QSO: " << q[0] << " CW 2024-11-30 121" << n++ << " SM5XX         599 14     " << q[1]
              << "        599 05\n";
        f << "END-OF-LOG:\n";
    }
    w.Open_cabrillo_proc(QString::fromStdString(logFile.string()));
    ASSERT_EQ(w.state().header.QsoCount, 5);
    msgs.texts.clear(); // the warning about the missing master file

    // Stands for the chart command that a score enables.
    auto* chart = new QAction("Points for 20 QSO", &w);
    chart->setObjectName("Points");
    chart->setEnabled(false);

    auto* cqww = w.findChild<QAction*>("CQWW1");
    ASSERT_NE(cqww, nullptr);
    EXPECT_EQ(cqww->text(), "CQ WW");
    // The last job ended an hour ago: the command's own time is shown.
    w.JobStart = JobTime{JobNow().msOfDay - 3'600'000};
    cqww->trigger();
    QTest::qWait(10);
    const QString shown = w.sb3->text(8);
    ASSERT_TRUE(shown.startsWith(">>") && shown.endsWith(" s.")) << shown.toStdString();
    EXPECT_LT(shown.mid(2, shown.size() - 5).toDouble(), 60);

    const TKeoEGrid& log = w.state().log_grid;
    std::vector<std::string> pts;
    for (int r = 1; r <= 5; ++r) pts.push_back(log.Cell(lcPts, r));
    // Own country, another European country, North America, its dupe, North America on 40 m.
    EXPECT_EQ(pts, (std::vector<std::string>{"0", "1", "3", "0", "3"}));
    EXPECT_EQ(w.summary.Summary_Grid.Cell(scPoints, 4), "4"); // 20 m
    EXPECT_EQ(w.summary.Summary_Grid.Cell(scPoints, SummaryTotalRow), "7");
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_EQ(msgs.texts.first().toStdString(), "CQ WW:\n4 WAZ + 4 DXCC + 7 QSO points = 56 total points");
    EXPECT_TRUE(chart->isEnabled());

    // A second command replaces every point of the first.
    w.findChild<QAction*>("CoU")->trigger();
    QTest::qWait(10);
    EXPECT_EQ(log.Cell(lcPts, 1), "11");
    EXPECT_EQ(log.Cell(lcPts, 4), "0");
    EXPECT_EQ(w.summary.Summary_Grid.Cell(scPoints, SummaryTotalRow), "44");
    ASSERT_EQ(msgs.texts.size(), 2);
    EXPECT_EQ(msgs.texts.last().toStdString(), "Cup of Ural:\n44 QSO points");

    // UCG switches its mode on for the command only.
    w.findChild<QAction*>("UCG1")->trigger();
    QTest::qWait(10);
    EXPECT_FALSE(w.state().UcgMode);
    ASSERT_EQ(msgs.texts.size(), 3);
    EXPECT_TRUE(msgs.texts.last().startsWith("UCG:\n")) << msgs.texts.last().toStdString();

    QDir::setCurrent(cwd);
}
