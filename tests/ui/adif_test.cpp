// ADIF through the real main window: the open command with its callsign
// prompt, the command line, the reopen list, operator mode and the export.
#include "analysis/analysis_pass.h"
#include "analysis/distribution_page.h"
#include "analysis/errors_page.h"
#include "import/adif_dialogs.h"
#include "import/adif_reader.h"
#include "main/form2.h"
#include "main/jobs.h"
#include "main/status_panels.h"
#include "main/log_table.h"
#include "main/properties_dialog.h"
#include "main/text_util.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
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

// A general logbook written newest first: WARC, 60 and 6 m QSOs, stations
// worked on more than six bands, days between the QSOs.
std::string newestFirstLogbook()
{
    struct Band {
        const char *band, *freq;
    };
    const Band bands[] = {{"160M", "1.830"}, {"80M", "3.510"},   {"60M", "5.357"},   {"40M", "7.010"},
                          {"30M", "10.120"}, {"20M", "14.025"},  {"17M", "18.080"},  {"15M", "21.025"},
                          {"12M", "24.900"}, {"10M", "28.025"},  {"6M", "50.100"}};
    struct Qso {
        std::string call, band, freq;
    };
    std::vector<Qso> qsos; // oldest first
    for (const Band& b : bands) qsos.push_back({"W1AW", b.band, b.freq});
    for (int i = 0; i < 8; ++i) qsos.push_back({"K1AR", bands[i].band, bands[i].freq});
    for (const char* call : {"SM5AAA", "DL1ABC", "UA3AAA", "JA1XYZ"}) qsos.push_back({call, "20M", "14.025"});
    std::string out = "Logbook export\n<ADIF_VER:5>3.1.4 <EOH>\n";
    auto field = [](const char* name, const std::string& v) {
        std::string tag = name;
        return tag.insert(0, 1, '<').append(":").append(std::to_string(v.size())).append(">").append(v);
    };
    for (size_t i = qsos.size(); i-- > 0;) {
        // One QSO every 20 minutes from 2023-12-31 20:00 on, across the new year.
        const int minutes = 20 * 60 + 20 * static_cast<int>(i);
        const int day = minutes / 1440;
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%s", day == 0 ? "20231231" : "20240101");
        std::snprintf(time, sizeof time, "%02d%02d00", minutes % 1440 / 60, minutes % 60);
        out += field("CALL", qsos[i].call) + field("QSO_DATE", date) + field("TIME_ON", time) +
               field("BAND", qsos[i].band) + field("FREQ", qsos[i].freq) + field("MODE", "CW") + "<EOR>\n";
    }
    return out;
}

double shownSeconds(const TForm2& w)
{
    QString t = w.sb3->text(8);
    EXPECT_TRUE(t.startsWith(">>") && t.endsWith(" s.")) << t.toStdString();
    return t.mid(2, t.size() - 5).toDouble();
}

TEST(AdifWindow, NewestFirstLogbookOpensInTimeOrderWithOneMessageAndSaneSummary)
{
    RestoreCurrentFolder restore;
    QTemporaryDir logs;
    const fs::path file = fs::path(logs.path().toStdString()) / "logbook.adi";
    std::ofstream(file) << newestFirstLogbook();
    Window win;
    win.show();
    ASSERT_TRUE(win.msgs.texts.isEmpty()) << win.msgs.texts.join("|").toStdString();

    // The user takes an hour over the prompt: that hour is not the load's.
    answerModal<QInputDialog>([&win](QInputDialog* d) {
        win.w.JobStart = JobTime{JobNow().msOfDay - 3'600'000};
        d->setTextValue("SM5ZZZ");
        d->accept();
    });
    win.w.ADIF_OD_FileName = QString::fromStdString(file.string());
    win.w.open_adif();
    QCoreApplication::processEvents();

    const AppState& s = win.w.state();
    ASSERT_EQ(s.header.QsoCount, 23);
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 1), "W1AW");
    EXPECT_EQ(s.log_grid.Cell(lcDate, 1), "2023-12-31");
    EXPECT_EQ(s.log_grid.Cell(lcCallsign, 23), "JA1XYZ");
    EXPECT_LT(shownSeconds(win.w), 60);

    ASSERT_EQ(win.msgs.texts.size(), 1) << win.msgs.texts.join("|").toStdString();
    EXPECT_TRUE(win.msgs.texts.first().contains("K1AR (8)")) << win.msgs.texts.first().toStdString();
    EXPECT_TRUE(win.msgs.texts.first().contains("W1AW (11)"));
    EXPECT_EQ(s.log_grid.Cell(lcQSO, 1), "11");
    EXPECT_EQ(s.log_grid.Cell(lcQSO, 12), "8");
    EXPECT_EQ(win.w.Distribution->DistLabels[6]->text(), "6") << "every station is counted";

    const TKeoEGrid& sum = win.w.summary.Summary_Grid;
    for (int r = 1; r <= SummaryTotalRow; ++r)
        for (int c = 1; c < SummaryColumnCount; ++c)
            EXPECT_FALSE(QString::fromStdString(sum.Cell(c, r)).startsWith('-')) << r << " " << c;
    int timePct = 0;
    for (int b = 1; b <= SummaryBandCount; ++b) timePct += std::stoi(sum.Cell(scTimePct, b));
    EXPECT_LE(timePct, 102); // whole-number percentages of the six bands
    EXPECT_EQ(sum.Cell(scQSOPerMin, SummaryTotalRow), "0.034"); // 15 QSOs on the six bands in 440 minutes

    // It is said at the load: the commands that rebuild the lists later say nothing.
    win.msgs.texts.clear();
    win.w.Distribution->rm_buttonClick();
    win.w.errorsPage->tb11Click();
    EXPECT_TRUE(win.msgs.texts.isEmpty()) << win.msgs.texts.join("|").toStdString();
    // The next load of a log says it again, once.
    answerCallsign("SM5ZZZ");
    win.w.open_adif();
    QCoreApplication::processEvents();
    ASSERT_EQ(win.msgs.texts.size(), 1) << win.msgs.texts.join("|").toStdString();
    EXPECT_TRUE(win.msgs.texts.first().contains("W1AW (11)"));
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

// Each filter shows its pattern once, and "*.*" still lists every file.
TEST(AdifDialogs, FiltersShowTheirPatternsOnce)
{
    struct Case {
        std::function<void()> run;
        QStringList shown;
    };
    const std::vector<Case> cases = {
        {[] { runAdifOpenDialog(nullptr); }, {"ADIF (*.adi)", "Any file(*.*)"}},
        {[] { runAdifSaveDialog(nullptr, "x"); }, {"ADIF(*.adi)", "All files(*.*)"}},
    };
    for (const Case& c : cases) {
        QStringList shown, patterns;
        answerModal<QFileDialog>([&](QFileDialog* d) {
            if (auto* types = d->findChild<QComboBox*>("fileTypeCombo"))
                for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
            patterns = d->nameFilters();
            d->reject();
        });
        c.run();
        EXPECT_EQ(shown, c.shown);
        ASSERT_EQ(patterns.size(), 2);
        EXPECT_TRUE(patterns[1].endsWith("(*)")) << patterns[1].toStdString();
    }
}
