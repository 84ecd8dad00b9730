#pragma once
// The "2 Radio" page: QSOs made on a second radio, with their charts, and the
// multi-two band changes.

#include "analysis/two_radio.h"
#include "analysis/page_hooks.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <QWidget>

#include <functional>
#include <string>

class AnalysisChartView;
class KeoEGridView;
class QCheckBox;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QToolButton;
class Tbc_for_m2;

class TwoRadioPage : public QWidget {
    Q_OBJECT
public:
    explicit TwoRadioPage(AppState& state, QWidget* parent = nullptr);

    QTabWidget* PageControl3 = nullptr;
    QWidget* TS17 = nullptr;
    QToolBar* ToolBar5 = nullptr;
    QToolButton* ToolButton31 = nullptr;
    QToolButton* ToolButton32 = nullptr;
    QSpinBox* qsy_SE = nullptr;
    QCheckBox* only_mults = nullptr;
    TKeoEGrid so2rGrid;
    KeoEGridView* so2r_Keo = nullptr;
    AnalysisChartView* sec_band = nullptr;
    AnalysisChartView* Tot_to_sec = nullptr;
    AnalysisChartView* Sec_mode = nullptr;
    SecondRadioCharts charts;
    Tbc_for_m2* bc_for_m2 = nullptr;
    // Whether the last multi-two run made a table (the report prints it then).
    bool M2TableReady = false;

    // What the page asks of the main window: the job frame, the progress
    // bar, the callsign information of a QSO, and a jump to a log row.
    JobHooks jobs;
    ChartProgress onProgress;
    std::function<void(const std::string& call)> showCallInfo;
    // logRow below 1: only the Log page is shown, its current row unchanged.
    std::function<void(int logRow)> goToLogRow;

    // Empties the three charts.
    void clearCharts();

public slots:
    void ToolButton31Click();
    void ToolButton32Click();
    void Two_radio();
    void Band_changes_for_M2();
    bool Get_m2_bc();
    void so2r_KeoClick();
    void so2r_KeoDblClick();

private:
    void showCharts();
    AppState& state_;
};
