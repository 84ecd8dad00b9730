// ADIF through the real main window: the open command with its callsign
// prompt, the command line, the reopen list, operator mode and the export.
#include "import/adif_reader.h"
#include "main/form2.h"
#include "main/log_table.h"
#include "main/properties_dialog.h"
#include "main/text_util.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

namespace fs = std::filesystem;

namespace {

void answerCallsign(const QString& text)
{
    answerModal<QInputDialog>([text](QInputDialog* d) {
        EXPECT_EQ(d->windowTitle(), "ADIF log");
        EXPECT_EQ(d->labelText(), "Callsign:");
        if (text.isNull()) {
            d->reject();
            return;
        }
        d->setTextValue(text);
        d->accept();
    });
}

struct RestoreCurrentFolder {
    QString saved = QDir::currentPath();
    ~RestoreCurrentFolder() { QDir::setCurrent(saved); }
};

const char* kTwoOperators = "Logger export\n<EOH>\n"
                            "<CALL:4>K1AR<QSO_DATE:8>20240316<TIME_ON:6>120000<FREQ:6>14.025<MODE:2>CW"
                            "<OPERATOR:3>OP1<EOR>\n"
                            "<CALL:6>UA3AAA<QSO_DATE:8>20240316<TIME_ON:4>1201<BAND:3>40M<MODE:3>SSB"
                            "<OPERATOR:3>OP2<EOR>\n"
                            "<CALL:6>SM5BBB<QSO_DATE:8>20240316<TIME_ON:4>1202<FREQ:4>14.2<MODE:2>CW"
                            "<OPERATOR:3>OP1<EOR>\n";

struct Window {
    MessageRecorder msgs;
    QTemporaryDir prog;
    TForm2 w;
    explicit Window(QStringList args = {}) : w(makeProgramFolder(prog), std::move(args)) {}
    void show()
    {
        w.show();
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        msgs.texts.removeIf([](const QString& t) { return t.contains("MASTER.DTA", Qt::CaseInsensitive); }); // no master file here
    }
};

} // namespace

TEST(AdifWindow, CommandLineFileIsReadWithTheAnsweredCallsignAndEnablesTheOperatorCommands)
{
    RestoreCurrentFolder restore;
    QTemporaryDir logs;
    const fs::path file = fs::path(logs.path().toStdString()) / "multi.ADI";
    std::ofstream(file) << kTwoOperators;

    answerCallsign("sm5aa/p");
    Window win({QString::fromStdString(file.string())});
    EXPECT_FALSE(win.w.Co1->isEnabled());
    win.show();

    const auto& s = win.w.state();
    EXPECT_EQ(s.header.QsoCount, 3);
    EXPECT_EQ(s.header.StationCall, "SM5AA-P");
    EXPECT_EQ(s.header.ContestName, "ADIF LOG");
    EXPECT_EQ(s.log_grid.Cell(lcKHz, 2), "7000");
    EXPECT_EQ(s.log_grid.Cell(lcMode, 2), "PH");
    EXPECT_EQ(win.w.windowTitle(), "ADIF LOG SM5AA-P 2024 - ZEM Log Analysis");
    EXPECT_TRUE(fs::is_directory(file.parent_path() / "ADIF LOG SM5AA-P 2024" / "Rates"));
    EXPECT_TRUE(win.w.Co1->isEnabled());
    EXPECT_TRUE(win.w.mo1->isEnabled());
    ASSERT_EQ(win.w.ReopenItemCount, 1);
    EXPECT_TRUE(win.msgs.texts.isEmpty()) << win.msgs.texts.join("|").toStdString();

    // The operator chooser's road: no prompt, one operator's QSOs, the mode spent.
    win.w.OperatorMode = true;
    win.w.ChosenOperator = "OP1";
    win.w.open_adif();
    EXPECT_EQ(s.header.QsoCount, 2);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 2), "SM5BBB");
    EXPECT_EQ(s.log_grid.Cell(lcNumber, 2), "2");
    EXPECT_EQ(s.header.StationCall, "SM5AA-P OP1");
    EXPECT_FALSE(win.w.OperatorMode);

    win.w.OperatorMode = true;
    win.w.ChosenOperator = "OP2";
    win.w.open_adif();
    EXPECT_EQ(s.header.QsoCount, 1);
    EXPECT_EQ(s.header.StationCall, "SM5AA-P OP2") << "the chosen operator replaces the one before";
}

TEST(AdifWindow, CancelledPromptAfterAnotherLogTakesTheOwnCallAndAMissingFileLeavesTheLog)
{
    RestoreCurrentFolder restore;
    QTemporaryDir logs;
    const fs::path file = fs::path(logs.path().toStdString()) / "single.adi";
    std::ofstream(file) << "<CALL:4>K1AR<QSO_DATE:8>20240316<TIME_ON:4>1200<FREQ:6>14.025<MODE:2>CW<EOR>\n"
                           "<CALL:4>N2IC<QSO_DATE:8>20240316<TIME_ON:4>1201<FREQ:6>14.026<MODE:2>CW<EOR>\n";
    const fs::path cabrillo = fs::path(logs.path().toStdString()) / "before.cbr";
    std::ofstream(cabrillo) << "START-OF-LOG: 3.0\nCONTEST: CQ-WW-CW\nCALLSIGN: SM5XX\nCATEGORY: SINGLE-OP\n"
                               "QSO: 14025 CW 2024-03-16 1200 SM5XX         599 14     DL1ABC        599 14\n";
    Window win;
    win.show();
    win.w.Properties->Edit1->setText("RZ9ZEM");
    win.w.Open_cabrillo_proc(QString::fromStdString(cabrillo.string()));
    const auto& s = win.w.state();
    ASSERT_EQ(s.header.Category, "SINGLE-OP");
    win.w.ReopenList = {QString::fromStdString(file.string())};
    win.w.build_reopen_menu();

    answerCallsign(QString());
    win.w.ReopenItems[0]->trigger();
    EXPECT_EQ(s.header.QsoCount, 2);
    EXPECT_EQ(s.header.StationCall, "RZ9ZEM") << "the own call of the settings, not the log before's";
    EXPECT_EQ(s.header.Category, "No category");
    EXPECT_EQ(s.header.ContestName, "ADIF LOG");
    EXPECT_FALSE(win.w.Co1->isEnabled()) << "no operators in this log";

    fs::remove(file);
    win.w.ReopenItems[0]->trigger();
    ASSERT_EQ(win.msgs.texts.size(), 1);
    EXPECT_TRUE(win.msgs.texts.first().contains("single.adi"));
    EXPECT_EQ(s.header.QsoCount, 2) << "the loaded log stays";
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), "K1AR");
}

TEST(AdifWindow, ExportWritesTheChosenNamePlusAdiThatReadsBack)
{
    RestoreCurrentFolder restore;
    QTemporaryDir logs;
    const fs::path file = fs::path(logs.path().toStdString()) / "single.adi";
    std::ofstream(file) << "<CALL:4>K1AR<QSO_DATE:8>20240316<TIME_ON:4>1200<FREQ:6>14.025<MODE:3>SSB<EOR>\n";
    Window win;
    win.show();
    answerCallsign("SM5AA");
    win.w.ADIF_OD_FileName = QString::fromStdString(file.string());
    win.w.open_adif();
    ASSERT_EQ(win.w.state().header.QsoCount, 1);

    const fs::path chosen = fs::path(logs.path().toStdString()) / "export.adi";
    answerModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Export to ADIF");
        EXPECT_EQ(d->findChild<QLineEdit*>()->text(), "ADIF LOG SM5AA 2024");
        // Typed, as a user does: selectFile() leaves the name edit alone while
        // it has the focus, and the preset name would then open its folder.
        d->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(chosen.string()));
        static_cast<QDialog*>(d)->accept(); // QFileDialog hides it
    });
    win.w.ea->trigger();
    const fs::path written = chosen.string() + ".adi";
    ASSERT_TRUE(fs::exists(written));
    const std::string text = zem::readFile(written.string());
    EXPECT_NE(text.find("Original file:   " + file.string()), std::string::npos);
    AppState back;
    readAdifRecords(back, text);
    EXPECT_EQ(back.log_grid.Cell(lcCallsign, 1), "K1AR");
    EXPECT_EQ(back.log_grid.Cell(lcMode, 1), "PH");

    // Cancelled: nothing written.
    fs::remove(written);
    answerModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    win.w.eaClick();
    EXPECT_FALSE(fs::exists(written));
    EXPECT_TRUE(win.msgs.texts.isEmpty()) << win.msgs.texts.join("|").toStdString();
}
