// The near zone, the operator chooser with its charts, and Find QSO through
// the real main window on a small multi-operator ADIF log.
#include "analysis/analysis_chart_view.h"
#include "analysis/charts_page.h"
#include "analysis/near_zone_page.h"
#include "analysis/operator_commands.h"
#include "analysis/tchoos_op.h"
#include "analysis/tfind_qso.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// OP2 has four QSOs on four bands, OP1 three on 20 m (the last a dupe).
const char* kLog = "Test export\n<EOH>\n"
                   "<CALL:4>K1AR<QSO_DATE:8>20240316<TIME_ON:4>1200<FREQ:6>14.025<MODE:2>CW<OPERATOR:3>OP1<EOR>\n"
                   "<CALL:6>UA3AAA<QSO_DATE:8>20240316<TIME_ON:4>1201<FREQ:5>7.010<MODE:2>CW<OPERATOR:3>OP2<EOR>\n"
                   "<CALL:6>SM5BBB<QSO_DATE:8>20240316<TIME_ON:4>1202<FREQ:6>14.026<MODE:2>CW<OPERATOR:3>OP1<EOR>\n"
                   "<CALL:6>SM6CCC<QSO_DATE:8>20240316<TIME_ON:4>1203<FREQ:4>28.4<MODE:2>CW<OPERATOR:3>OP2<EOR>\n"
                   "<CALL:6>SM5BBB<QSO_DATE:8>20240316<TIME_ON:4>1204<FREQ:6>14.027<MODE:2>CW<OPERATOR:3>OP1<EOR>\n"
                   "<CALL:4>W1AW<QSO_DATE:8>20240316<TIME_ON:4>1205<FREQ:6>21.025<MODE:2>CW<OPERATOR:3>OP2<EOR>\n"
                   "<CALL:4>N2IC<QSO_DATE:8>20240316<TIME_ON:4>1206<FREQ:6>14.030<MODE:2>CW<OPERATOR:3>OP2<EOR>\n";

// Does `act` on the next modal dialog of type D once it is up.
template <class D, class F>
void onNextModal(F act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start();
}

struct ToolsWindow {
    QString savedFolder = QDir::currentPath();
    MessageRecorder msgs;
    QTemporaryDir prog, logs;
    TForm2 w{makeProgramFolder(prog)};
    fs::path file = fs::path(logs.path().toStdString()) / "multi.adi";

    ToolsWindow()
    {
        std::ofstream(file) << kLog;
        w.show();
        QCoreApplication::processEvents();
        onNextModal<QInputDialog>([](QInputDialog* d) {
            d->setTextValue("SM5XX");
            d->accept();
        });
        w.ADIF_OD_FileName = QString::fromStdString(file.string());
        w.open_adif();
        QCoreApplication::processEvents();
        msgs.texts.clear(); // the missing master file
    }
    ~ToolsWindow() { QDir::setCurrent(savedFolder); }
};

std::vector<std::string> column(const TKeoEGrid& g, int col)
{
    std::vector<std::string> v;
    for (int r = 1; r < g.RowCount(); ++r) v.push_back(g.Cell(col, r));
    return v;
}

using V = std::vector<std::string>;

} // namespace

TEST(NearZonePage, ShowFillsTheBandListsAndLeavesTheSharedStateAlone)
{
    ToolsWindow t;
    auto& s = t.w.state();
    ASSERT_EQ(s.header.QsoCount, 7);
    NearZonePage& p = *t.w.nearZonePage;
    EXPECT_EQ(p.Edit1->text(), "SM5XX");
    EXPECT_TRUE(p.Button10->isEnabled());
    s.HomeLat = 12.5;
    s.HomeLon = -3.25;
    s.CurrentCall = "DL1ABC";

    p.Button10->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(column(p.grid(0), 2), V{});
    EXPECT_EQ(column(p.grid(1), 2), (V{"SM5BBB", "SM5BBB"}));
    EXPECT_EQ(column(p.grid(3), 2), V{"SM6CCC"});
    EXPECT_EQ(p.Keo_near_14->model()->rowCount(), 2);
    EXPECT_EQ(p.Label2->text(), "0");
    EXPECT_EQ(p.Label3->text(), "2");
    EXPECT_EQ(p.Label4->text(), "0");
    EXPECT_EQ(p.Label5->text(), "1");
    EXPECT_EQ(s.HomeLat, 12.5);
    EXPECT_EQ(s.HomeLon, -3.25);
    EXPECT_EQ(s.CurrentCall, "DL1ABC");

    p.SE3->setValue(4000);
    p.Button10->click();
    EXPECT_EQ(column(p.grid(0), 2), V{"UA3AAA"});
    EXPECT_EQ(p.Label2->text(), "1");

    p.Edit1->clear();
    p.SE3->setValue(0);
    p.Button10->click();
    EXPECT_EQ(column(p.grid(0), 2), V{"UA3AAA"}) << "no callsign: nothing happens";
    EXPECT_TRUE(t.msgs.texts.isEmpty()) << t.msgs.texts.join("|").toStdString();
}

TEST(OperatorCommands, ChooserReloadsOneOperatorAndChartsDrawTheTable)
{
    ToolsWindow t;
    auto& s = t.w.state();
    ASSERT_TRUE(t.w.Co1->isEnabled());

    OperatorCommands& ops = *t.w.Operators;
    ops.QSOvsOP1->trigger();
    const ChartData& shown = t.w.chartsPage->Chart->data();
    const auto& bars = shown.Series("Series1").points;
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].label, "OP2");
    EXPECT_EQ(bars[0].y, 4);
    EXPECT_EQ(bars[1].y, 3);
    EXPECT_EQ(shown.title, "ZEM Log Analysis.QSO vs. Op. All bands. " + s.header.LogTitle);
    ops.N201->trigger();
    EXPECT_EQ(t.w.chartsPage->Chart->data().Series("Series1").points[1].y, 3);
    EXPECT_EQ(t.w.chartsPage->Chart->data().title, "ZEM Log Analysis.QSO vs. Op. 20 meters. " + s.header.LogTitle);
    EXPECT_FALSE(ops.Choos_op->isVisible()) << "the chart fills the table without the dialog";

    // Co1 shows the chooser; OK on the second row (OP1) reads OP1's QSOs only.
    std::vector<std::vector<std::string>> tableShown;
    onNextModal<TChoos_op>([&](TChoos_op* d) {
        const TKeoEGrid& g = d->table();
        for (int r = 0; r < g.RowCount(); ++r) tableShown.push_back(g.RowCells(r));
        d->mm_keo->selectRow(1);
        d->Button1->click();
    });
    t.w.Co1->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(tableShown, (std::vector<std::vector<std::string>>{
                              {"#", "Callsign", "Total QSO", "160", "80", "40", "20", "15", "10"},
                              {"1", "OP2", "4", "0", "0", "1", "1", "1", "1"},
                              {"2", "OP1", "3", "0", "0", "0", "3", "0", "0"}}));
    EXPECT_EQ(s.header.QsoCount, 3);
    EXPECT_EQ(column(s.log_grid, lcCallsign), (V{"K1AR", "SM5BBB", "SM5BBB"}));
    EXPECT_EQ(s.header.StationCall, "SM5XX OP1");

    // After a log without operators the chart does nothing.
    t.w.Reset_app();
    ops.QSOvsOP1->trigger();
    EXPECT_TRUE(t.w.chartsPage->Chart->data().Series("Series1").points.empty());
    EXPECT_TRUE(t.msgs.texts.isEmpty()) << t.msgs.texts.join("|").toStdString();
}

TEST(FindQsoWindow, CriteriaFillTheGridAndSaveWritesTheHtmlPage)
{
    ToolsWindow t;
    auto& s = t.w.state();
    TFind_qso& f = *t.w.Find_qso;

    // The window opens with Ctrl+F on the log table and takes the log's columns.
    EXPECT_TRUE(t.w.TB_find_qso->isEnabled());
    bool opened = false;
    onNextModal<TFind_qso>([&](TFind_qso* d) {
        opened = true;
        d->b4->click();
    });
    t.w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.w));
    t.w.log_grid->setFocus();
    QTest::keyClick(t.w.log_grid, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(opened);
    EXPECT_EQ(f.grid().RowCells(0), logColumnTitles());
    const auto homeBefore = std::pair(s.HomeLat, s.HomeLon);

    f.cb8->setChecked(true);
    f.b1->click();
    EXPECT_EQ(column(f.grid(), lcCallsign), V{"SM5BBB"});
    EXPECT_EQ(f.grid().Cell(lcQSO, 1), "DUPE.");
    // The log's column widths come with the log's font: the date fits as in the log.
    const QString date = QString::fromStdString(f.grid().Cell(lcDate, 1));
    EXPECT_LE(QFontMetrics(f.Find_Keo->font()).horizontalAdvance(date) + 2, f.Find_Keo->columnWidth(lcDate))
        << date.toStdString();
    EXPECT_EQ(f.sb1Panel->text(), "1 QSO");

    f.cb8->setChecked(false);
    f.Edit2->setText("SM");
    f.cb2->click();
    f.b1->click();
    EXPECT_EQ(column(f.grid(), lcCallsign), (V{"SM5BBB", "SM6CCC", "SM5BBB"}));
    EXPECT_EQ(f.sb1Panel->text(), "3 QSO");
    f.CBNOTDXCC->click();
    EXPECT_FALSE(f.cb2->isChecked());
    f.b1->click();
    EXPECT_EQ(column(f.grid(), lcCallsign), (V{"K1AR", "UA3AAA", "W1AW", "N2IC"}));

    f.b3->click();
    EXPECT_TRUE(fs::exists(fs::path(s.header.OutputDir) / "Search Result .htm"));

    f.CBNOTDXCC->setChecked(false);
    f.b1->click();
    EXPECT_EQ(f.grid().RowCount(), 2);
    EXPECT_TRUE(f.grid().IsRowEmpty(1));
    EXPECT_EQ(f.sb1Panel->text(), "4 QSO") << "nothing ticked keeps the status text";
    EXPECT_EQ(std::pair(s.HomeLat, s.HomeLon), homeBefore);
    EXPECT_TRUE(t.msgs.texts.isEmpty()) << t.msgs.texts.join("|").toStdString();
}
