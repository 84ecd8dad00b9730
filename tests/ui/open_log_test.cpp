// The road of one log through the real main window: reader, log folder,
// analysis, Summary files, caption, status bar, reopen list; and the settings
// kept across a restart.
#include "analysis/near_zone_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/properties_dialog.h"
#include "main/status_panels.h"
#include "main_window_support.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

namespace {

void writeLog(const std::filesystem::path& file, const std::string& call, int qsos)
{
    std::ofstream f(file);
    f << "START-OF-LOG: 3.0\nCONTEST: TEST-CONTEST\nCALLSIGN: " << call << "\nCATEGORY-OPERATOR: SINGLE-OP\n";
    const char* calls[] = {"SM5AAA", "K1AR", "UA3AAA", "SM6BBB"};
    for (int i = 0; i < qsos; ++i)
        f << "QSO: 14025 CW 2024-03-16 12" << (10 + i) << " " << call << "        599 001    " << calls[i % 4]
          << "        599 00" << i + 1 << "\n";
    f << "END-OF-LOG:\n";
}

} // namespace

TEST(OpenLog, ChainFillsTheWindowAndWritesTheLogFolder)
{
    CurrentFolderKeeper folderBack;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w(makeProgramFolder(prog));
    w.show();
    QCoreApplication::processEvents();
    msgs.texts.clear(); // the warning about the missing master file

    const auto logFile = std::filesystem::path(logs.path().toStdString()) / "test.cbr";
    writeLog(logFile, "SM5XX/P", 4);
    w.Open_cabrillo_proc(QString::fromStdString(logFile.string()));

    auto& s = w.state();
    EXPECT_EQ(s.header.QsoCount, 4);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 2), "K1AR");
    EXPECT_EQ(s.log_grid.Cell(lcCont, 2), "NA");
    EXPECT_EQ(s.log_grid.Cell(lcBand, 1), "20");
    EXPECT_EQ(w.windowTitle(), "TEST-CONTEST SM5XX-P 2024 - ZEM Log Analysis");
    EXPECT_EQ(w.sb1->text(1), "4 qso");
    EXPECT_FALSE(w.log_grid->isHidden());

    const auto folder = std::filesystem::path(logs.path().toStdString()) / "TEST-CONTEST SM5XX-P 2024";
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Rates"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Bands distribution"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Summary.htm"));
    QFile jpg(QString::fromStdString((folder / "Summary.jpg").string()));
    ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpg.readAll().startsWith("\xFF\xD8"));
    EXPECT_EQ(w.summary.Summary_Grid.Cell(1, 4), "4"); // 20 m row, QSO column
    EXPECT_EQ(w.summary.Summary_Grid.Cell(0, 7), "Total");

    ASSERT_EQ(w.ReopenList.size(), 1);
    EXPECT_EQ(w.ReopenList.first().toStdString(), logFile.string());
    ASSERT_EQ(w.ReopenItemCount, 1);
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    // "Close Log" returns to no log.
    w.Close1Click();
    EXPECT_EQ(w.state().header.QsoCount, 0);
    EXPECT_EQ(w.windowTitle(), "ZEM Log Analysis");
    EXPECT_TRUE(w.log_grid->isHidden());
    EXPECT_EQ(w.sb1->text(1), "");
}

TEST(OpenLog, RefusedFileIsReportedAndReopenItemsOpenTheirFiles)
{
    CurrentFolderKeeper folderBack;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w(makeProgramFolder(prog));
    w.show();
    QCoreApplication::processEvents();
    msgs.texts.clear(); // the warning about the missing master file

    const auto bad = std::filesystem::path(logs.path().toStdString()) / "Bad.LOG";
    std::ofstream(bad) << "START-OF-LOG: 3.0\nCALLSIGN: SM5XX\nQSO: 14025 CW 2024-03-16 1200 SM5XX 599 001 599 002\n";
    w.Open_cabrillo_proc(QString::fromStdString(bad.string()));
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_TRUE(msgs.texts.first().startsWith("Error in Cabrillo file"));
    EXPECT_EQ(w.state().header.QsoCount, 0);
    EXPECT_TRUE(w.ReopenList.isEmpty());

    const auto a = std::filesystem::path(logs.path().toStdString()) / "A.cbr";
    const auto b = std::filesystem::path(logs.path().toStdString()) / "B.cbr";
    writeLog(a, "SM5XX", 2);
    writeLog(b, "SM6YY", 3);
    w.Open_cabrillo_proc(QString::fromStdString(a.string()));
    w.Open_cabrillo_proc(QString::fromStdString(b.string()));
    ASSERT_EQ(w.ReopenItemCount, 2);
    EXPECT_EQ(w.ReopenItems[0]->text().toStdString(), b.string());
    w.ReopenItems[1]->trigger(); // A again
    EXPECT_EQ(w.state().header.StationCall, "SM5XX");
    EXPECT_EQ(w.ReopenList.first().toStdString(), a.string());
}

TEST(OpenLog, SettingsSurviveARestart)
{
    MessageRecorder msgs; // no master.dta in this folder: its warning must not block
    QTemporaryDir prog;
    const auto folder = makeProgramFolder(prog);
    {
        TForm2 w(folder);
        w.show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        w.se1->setValue(22);
        w.ReopenList = {"/tmp/Some Log.cbr"};
        w.close();
    }
    ASSERT_TRUE(std::filesystem::exists(folder / "zem.ini"));
    TForm2 again(folder);
    again.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(again.se1->value(), 22);
    EXPECT_EQ(again.se2->value(), 27);
    EXPECT_EQ(again.ReopenList, QStringList{"/tmp/Some Log.cbr"});
}

TEST(EndToEnd, ProgramOpensTheLogOnItsCommandLine)
{
    QTemporaryDir logs;
    const QString log = logs.path() + "/sample.cbr";
    ASSERT_TRUE(QFile::copy(ZEM_SOURCE_DIR "/data/samples/sample.cbr", log));
    QProcess zem;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZEM_INSTANCE_NAME", QString("zem-e2e-%1").arg(getpid()));
    zem.setProcessEnvironment(env);
    zem.start(ZEM_EXE, {log});
    ASSERT_TRUE(zem.waitForStarted(5000));
    const QString folder = logs.path() + "/RDXC RZ9OZM 2024";
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && !(QFile::exists(folder + "/Summary.htm") && QFile::exists(folder + "/Summary.jpg")))
        QTest::qWait(100);
    QTest::qWait(300); // let the files be written out
    zem.kill();
    zem.waitForFinished();

    QFile htm(folder + "/Summary.htm");
    ASSERT_TRUE(htm.open(QIODevice::ReadOnly)) << zem.readAllStandardError().toStdString();
    const QByteArray page = htm.readAll();
    EXPECT_TRUE(page.contains("Total"));
    EXPECT_TRUE(page.contains(">423<")) << "total QSO count of the sample log";
    QFile jpg(folder + "/Summary.jpg");
    ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
    const QByteArray img = jpg.readAll();
    EXPECT_TRUE(img.startsWith("\xFF\xD8"));
    EXPECT_TRUE(img.endsWith("\xFF\xD9"));
    EXPECT_TRUE(QDir(folder + "/Rates").exists());
}

TEST(OpenLog, ALoadLeavesTheOwnStationSettingsAlone)
{
    CurrentFolderKeeper folderBack;
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    const auto folder = makeProgramFolder(prog);
    {
        TForm2 w(folder);
        w.show();
        QCoreApplication::processEvents();
        w.Properties->Edit1->setText("RZ9ZEM");
        w.Properties->Edit3->setText("6");
        const auto file = std::filesystem::path(logs.path().toStdString()) / "k1ar.cbr";
        writeLog(file, "K1AR", 2);
        w.Open_cabrillo_proc(QString::fromStdString(file.string()));
        ASSERT_EQ(w.state().header.QsoCount, 2);
        EXPECT_EQ(w.Properties->Edit1->text(), "RZ9ZEM");
        EXPECT_EQ(w.Properties->Edit3->text(), "6");
        EXPECT_EQ(w.nearZonePage->Edit1->text(), "K1AR") << "the near zone is measured from the log's call";
        w.close();
    }
    QFile ini(QString::fromStdString((folder / "zem.ini").string()));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("My call=RZ9ZEM")) << text.toStdString();
    EXPECT_TRUE(text.contains("UTC difference=6")) << text.toStdString();
}

TEST(OpenLog, ReopenFindsRelativeAndTxtLogsAndAFailedReopenKeepsTheLog)
{
    MainWindowWithLogs m;
    auto& w = m.w;
    auto& msgs = m.msgs;
    const std::filesystem::path dir = m.logs.path().toStdString();
    writeLog(dir / "first.txt", "SM5XX", 2);
    writeLog(dir / "second.cbr", "SM6YY", 3);
    QDir::setCurrent(m.logs.path());
    w.Open_cabrillo_proc("first.txt"); // as the command line names it
    ASSERT_EQ(w.state().header.QsoCount, 2);
    EXPECT_EQ(w.ReopenList.value(0).toStdString(), (dir / "first.txt").string());
    w.Open_cabrillo_proc(QString::fromStdString((dir / "second.cbr").string()));
    ASSERT_EQ(w.ReopenItemCount, 2);

    // The current folder is now the second log's folder.
    w.ReopenItems[1]->trigger();
    EXPECT_EQ(w.state().header.StationCall, "SM5XX");
    EXPECT_EQ(w.state().header.QsoCount, 2);
    EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join("|").toStdString();

    // A file gone since: said so, and the log on screen stays.
    std::filesystem::remove(dir / "second.cbr");
    ASSERT_EQ(w.ReopenItems[1]->data().toString().toStdString(), (dir / "second.cbr").string());
    w.ReopenItems[1]->trigger();
    ASSERT_EQ(msgs.texts.size(), 1);
    EXPECT_TRUE(msgs.texts.first().contains("second.cbr"));
    EXPECT_EQ(w.state().header.QsoCount, 2);
    EXPECT_EQ(w.state().header.StationCall, "SM5XX");
    EXPECT_EQ(w.state().log_grid.Cell(lcCallsign, 2), "K1AR");
    EXPECT_FALSE(w.log_grid->isHidden());
}

// The command line opens what a drop opens, by the same extensions, and a
// name relative to the folder the program starts in; a name of no kind the
// program reads is told of, with the kinds it does read. "-UCG" opens nothing
// and says nothing.
TEST(OpenLog, CommandLineOpensTheKindsADropOpensAndTellsOfAnyOther)
{
    CurrentFolderKeeper folderBack;
    QTemporaryDir prog, logs;
    const auto programFolder = makeProgramFolder(prog);
    const std::filesystem::path dir = logs.path().toStdString();
    writeLog(dir / "k1ar.txt", "K1AR", 3);
    writeLog(dir / "SM5XX.CBR", "SM5XX", 2);
    writeLog(dir / "k1ar.csv", "K1AR", 3);
    writeLog(dir / "k1ar", "K1AR", 3);
    const struct {
        QString parameter;
        int qsos;           // 0: nothing opened
        const char* told;   // what the message names; nullptr: no message
    } cases[] = {
        {"k1ar.txt", 3, nullptr},
        {QString::fromStdString((dir / "SM5XX.CBR").string()), 2, nullptr},
        {"k1ar.csv", 0, "\"k1ar.csv\" was not opened: ZEM does not read files whose names end in \".csv\"."},
        {"k1ar", 0, "\"k1ar\" was not opened: ZEM tells a file's kind by the end of its name, and this name has no extension."},
        {"-ucg", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter.toStdString());
        QDir::setCurrent(logs.path());
        MessageRecorder msgs;
        TForm2 w(programFolder, {c.parameter});
        w.show();
        QTest::qWait(20); // start-up runs once the window is shown
        const QStringList told = msgs.texts.filter("was not opened");
        EXPECT_EQ(w.state().header.QsoCount, c.qsos);
        EXPECT_EQ(w.state().UcgMode, c.parameter == "-ucg");
        if (!c.told) {
            EXPECT_TRUE(told.isEmpty()) << told.join('|').toStdString();
            continue;
        }
        ASSERT_EQ(told.size(), 1) << msgs.texts.join('|').toStdString();
        EXPECT_TRUE(told.first().startsWith(c.told)) << told.first().toStdString();
        EXPECT_TRUE(told.first().endsWith("\n\nIt opens Cabrillo logs (.cbr, .log, .txt), TR Log files (.dat), "
                                          "ADIF files (.adi) and 3830 claimed-score mails (.eml)."))
            << told.first().toStdString();

        // Dropped on the window, the same file is passed over without a word,
        // and the log on screen stays.
        w.WMDropFiles({QString::fromStdString((dir / "SM5XX.CBR").string())});
        ASSERT_EQ(w.state().header.QsoCount, 2);
        msgs.texts.clear();
        w.WMDropFiles({QFileInfo(c.parameter).absoluteFilePath()});
        EXPECT_TRUE(msgs.texts.isEmpty()) << msgs.texts.join('|').toStdString();
        EXPECT_EQ(w.state().header.QsoCount, 2);
    }
}
