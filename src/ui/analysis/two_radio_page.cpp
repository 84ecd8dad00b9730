#include "analysis/two_radio_page.h"

#include "analysis/analysis_chart_view.h"
#include "analysis/log_charts.h"
#include "analysis/tbc_for_m2.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "main/text_util.h"
#include "reports/html_export.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString messageText(const std::string& s) { return QString::fromUtf8(s).replace('\r', '\n'); }

} // namespace

TwoRadioPage::TwoRadioPage(AppState& state, QWidget* parent) : QWidget(parent), so2rGrid(8, 2, 0, 1), state_(state)
{
    setObjectName("ts1");
    PageControl3 = new QTabWidget(this);
    PageControl3->setObjectName("PageControl3");
    PageControl3->setTabPosition(QTabWidget::South);
    TS17 = new QWidget(PageControl3);
    TS17->setObjectName("TS17");
    PageControl3->addTab(TS17, "Main");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(PageControl3);

    ToolBar5 = new QToolBar(TS17);
    ToolBar5->setObjectName("ToolBar5");
    ToolButton31 = new QToolButton(ToolBar5);
    ToolButton31->setObjectName("ToolButton31");
    ToolButton31->setText("Show");
    ToolBar5->addWidget(ToolButton31);
    ToolButton32 = new QToolButton(ToolBar5);
    ToolButton32->setObjectName("ToolButton32");
    ToolButton32->setText("Band changes for M/2");
    ToolBar5->addWidget(ToolButton32);
    auto* qsyLabel = new QLabel("Time for QSY is less than, min  ", ToolBar5);
    qsyLabel->setProperty("fixedCaption", true);
    ToolBar5->addWidget(qsyLabel);
    qsy_SE = new QSpinBox(ToolBar5);
    qsy_SE->setObjectName("qsy_SE");
    qsy_SE->setRange(0, 10);
    qsy_SE->setValue(5);
    if (auto* edit = qsy_SE->findChild<QLineEdit*>()) edit->setReadOnly(true); // the arrows alone change it
    ToolBar5->addWidget(qsy_SE);
    only_mults = new QCheckBox("Show only new DXCC multipliers", ToolBar5);
    only_mults->setObjectName("only_mults");
    ToolBar5->addWidget(only_mults);
    connect(ToolButton31, &QToolButton::clicked, this, &TwoRadioPage::ToolButton31Click);
    connect(ToolButton32, &QToolButton::clicked, this, &TwoRadioPage::ToolButton32Click);

    initSecondRadioGrid(so2rGrid);
    so2r_Keo = new KeoEGridView(so2rGrid, TS17);
    so2r_Keo->setObjectName("so2r_Keo");
    so2r_Keo->setSelectionBehavior(QAbstractItemView::SelectRows);
    so2r_Keo->horizontalHeader()->setDefaultSectionSize(40);
    so2r_Keo->setColumnWidths({32, 65, 32, 45, 31, 88, 67, 40});
    connect(so2r_Keo, &QAbstractItemView::clicked, this, &TwoRadioPage::so2r_KeoClick);
    connect(so2r_Keo, &QAbstractItemView::doubleClicked, this, &TwoRadioPage::so2r_KeoDblClick);

    auto makeChart = [this](const char* name, const ChartData& d) {
        auto* v = new AnalysisChartView(TS17);
        v->setObjectName(name);
        v->setData(d);
        return v;
    };
    sec_band = makeChart("sec_band", charts.sec_band);
    Tot_to_sec = makeChart("Tot_to_sec", charts.Tot_to_sec);
    Sec_mode = makeChart("Sec_mode", charts.Sec_mode);

    // The list is as wide as its columns (the view asks for that width as
    // they change); the charts take the rest.
    so2r_Keo->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    so2r_Keo->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    auto* body = new QHBoxLayout();
    body->setSpacing(2);
    body->addWidget(so2r_Keo, 0);
    auto* right = new QVBoxLayout();
    for (auto* c : {sec_band, Tot_to_sec, Sec_mode}) right->addWidget(c);
    body->addLayout(right, 1);
    auto* main = new QVBoxLayout(TS17);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(ToolBar5);
    main->addLayout(body, 1);

    bc_for_m2 = new Tbc_for_m2(this);
}

void TwoRadioPage::clearCharts()
{
    charts.clear();
    showCharts();
}

void TwoRadioPage::showCharts()
{
    sec_band->setData(charts.sec_band);
    Tot_to_sec->setData(charts.Tot_to_sec);
    Sec_mode->setData(charts.Sec_mode);
}

void TwoRadioPage::ToolButton31Click() { Two_radio(); }

void TwoRadioPage::ToolButton32Click() { Band_changes_for_M2(); }

void TwoRadioPage::Two_radio()
{
    jobs.start();
    try {
        ::Two_radio(state_, qsy_SE->value(), only_mults->isChecked(), so2rGrid, charts, onProgress);
    } catch (const std::exception& e) {
        so2r_Keo->gridModel()->refresh();
        Show_msg(messageText(e.what()));
        return;
    }
    jobs.end();
    so2r_Keo->gridModel()->refresh();
    showCharts();
    try {
        grid_to_html(so2rGrid, "Second radio QSO", state_.header.OutputDir, state_.header);
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
    }
}

bool TwoRadioPage::Get_m2_bc()
{
    M2TableReady = ::Get_m2_bc(state_, bc_for_m2->M2_grid);
    bc_for_m2->M2_Keo->gridModel()->refresh();
    if (!M2TableReady) {
        Show_msg(messageText(noTransmitterIdsText()));
        return false;
    }
    try {
        grid_to_html(bc_for_m2->M2_grid, "Band changes for M2", state_.header.OutputDir, state_.header);
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
    }
    return true;
}

void TwoRadioPage::Band_changes_for_M2()
{
    if (Get_m2_bc()) bc_for_m2->exec();
}

void TwoRadioPage::so2r_KeoClick()
{
    const int row = so2r_Keo->currentIndex().row() + 1;
    const std::string call = so2rGrid.Cell(5, row);
    state_.CurrentCall = call;
    if (showCallInfo) showCallInfo(call);
}

void TwoRadioPage::so2r_KeoDblClick()
{
    const int row = so2r_Keo->currentIndex().row() + 1;
    int logRow = 0;
    // The empty row of an empty result has no QSO to go to.
    if (!zem::tryToInt(so2rGrid.Cell(7, row), logRow) || logRow < 1) return;
    if (goToLogRow) goToLogRow(logRow);
}
