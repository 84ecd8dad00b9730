#pragma once
// The "Charts" page: one analysis chart, its popup menu of chart commands and
// zoom, and the label that tells where the menu is.

#include "analysis/chart_data.h"
#include "analysis/page_hooks.h"
#include "main/app_state.h"
#include "main/keoe_grid.h"
#include "main/settings.h"

#include <QWidget>

#include <functional>

class AnalysisChartView;
class QAction;
class QFileDialog;
class QLabel;
class QMenu;

class ChartsPage : public QWidget {
    Q_OBJECT
public:
    explicit ChartsPage(AppState& state, QWidget* parent = nullptr);

    AnalysisChartView* Chart = nullptr;
    QLabel* l6 = nullptr;
    QMenu* Popchart = nullptr;
    QMenu* N55 = nullptr; // Hour/rate/continents
    QAction *ALL2 = nullptr, *EU1 = nullptr, *AS2 = nullptr, *NA2 = nullptr, *SA2 = nullptr, *AF2 = nullptr,
            *OC2 = nullptr;
    QAction* QSY3 = nullptr;
    QAction* QSO3 = nullptr;
    QAction* TbQ = nullptr;
    // The country tables' Top Ten charts: their page connects these.
    QAction* WPX1 = nullptr;
    QAction* N41 = nullptr;
    QAction* Timefor10QSO1 = nullptr;
    QAction* N60minr = nullptr;
    QAction* Points = nullptr;
    QAction* msr = nullptr;
    QAction* N33 = nullptr;
    QAction* Clear = nullptr;
    QAction* Zoom1 = nullptr;
    QAction* Zoom2 = nullptr;
    QMenu* chartSettings = nullptr;
    QAction* z1 = nullptr;
    QAction* N1 = nullptr;   // Axis
    QAction* N2 = nullptr;   // Color
    QAction* N3D1 = nullptr; // 3D
    QAction* N6 = nullptr;   // Labels
    QAction* N10 = nullptr;  // Gradient
    QAction* N9 = nullptr;   // Legend
    QAction* Cabrillo2 = nullptr;
    QAction* N11 = nullptr; // Save current image as...
    QAction* N8 = nullptr;  // Print
    QAction* Help1 = nullptr;
    QFileDialog* SCD = nullptr;

    // Column of the hour table that the hour-rate chart draws (1 "Rate", 2..7 continents).
    int HourRateColumn = 1;

    // What the page asks of the main window: the job frame (JobStart and
    // CalculateTime), the progress bar, and the hour table of the DXCC page
    // freshly made (nullptr when there is none).
    JobHooks jobs;
    ChartProgress onProgress;
    std::function<const TKeoEGrid*()> runHourRateTable;
    // The main window's Cabrillo open command.
    std::function<void()> openCabrillo;

    // The chart settings: checks and chart from the settings at start, and
    // back into them at close.
    void applyChartSettings(const TSettings& s);
    void saveChartSettings(TSettings& s) const;

    // Clears the chart and draws what compute puts into it: the way for
    // chart commands that live outside this page.
    void drawChart(const std::function<void(ChartData&)>& compute);

public slots:
    void clear_all_series();
    void ALL2Click();
    void EU1Click();
    void AS2Click();
    void NA2Click();
    void SA2Click();
    void AF2Click();
    void OC2Click();
    void hour_rateClick();
    void QSY3Click();
    void qsyClick();
    void QSO3Click();
    void QSO_grown();
    void TbQClick();
    void Timefor10QSO1Click();
    void N60minrClick();
    void PointsClick();
    void msrClick();
    void N33Click();
    void ClearClick();
    void Zoom1Click();
    void Zoom2Click();
    void z1Click();
    void N1Click();
    void N2Click();
    void N3D1Click();
    void N6Click();
    void N10Click();
    void N9Click();
    void Cabrillo2Click();
    void N11Click();
    void N8Click();
    void Help1Click();
    void PopchartPopup();
    void l6MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (ChartsPage::*handler)());
    void runHourRate(int column);
    // Runs a chart computation and draws its result; a cell that does not
    // convert ends it with the message, the chart showing what was drawn.
    template <typename F> void draw(F&& compute, bool job);
    // The keyboard back on the chart after one of its dialogs.
    void backToChart();
    // Print's work; a failure is told in a box.
    void printChart();
    // The look follows the check items of "Chart settings".
    void applyLook();
    AppState& state_;
    ChartData data_;
    std::uint32_t gradientColor_ = 0x00FFFF;
};
