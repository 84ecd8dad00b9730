// The main window's callsign information (information bar, the selecting
// clicks of its lists and grids, the "Information on callsign" window) and
// the wiring of the Errors page.

#include "main/form2.h"

#include "analysis/call_country.h"
#include "analysis/dxcc_page.h"
#include "analysis/distribution_page.h"
#include "analysis/errors_page.h"
#include "main/keoe_grid_view.h"
#include "refdata/distance.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/properties_dialog.h"
#include "main/status_panels.h"
#include "main/text_util.h"
#include "refdata/call_info_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Calls a handler whenever a grid's selected row changes (mouse or keys).
template <typename F>
void onRowSelected(KeoEGridView* view, QObject* ctx, F handler)
{
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, ctx,
                     [handler](const QModelIndex& cur) {
                         if (cur.isValid()) handler(cur.row() + 1);
                     });
}
} // namespace

void TForm2::buildErrorsPage(QWidget* page)
{
    errorsPage = new ErrorsPage(state_, M, page);
    error_KeoEGrid = errorsPage->error_KeoEGrid;
    auto* l = new QVBoxLayout(page);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(errorsPage);
    // The checks start from the lists of the Distribution page, refreshed in
    // the ordinary mode so that every item is a plain callsign.
    errorsPage->ByBands = [this] {
        const Job step(*this); // a step of the check: its clock runs on
        Distribution->MixedMode = false;
        Distribution->rm_buttonClick();
        return Distribution->lists();
    };
    errorsPage->ShowCall = [this](const std::string& call) {
        state_.CurrentCall = call;
        Show_call_info();
    };
    errorsPage->SelectLogRow = [this](int row) {
        if (row >= 1) showLogRow(row);
        else pc1->setCurrentIndex(0);
    };
    errorsPage->Progress = [this](int pos, int max) { ProgressBar2->setValue(PercentOf(0, max, pos, 100)); };
    connect(errorsPage, &ErrorsPage::jobStarted, this, &TForm2::startJob);
    connect(errorsPage, &ErrorsPage::jobFinished, this, &TForm2::CalculateTime);
}

void TForm2::buildCallInfo()
{
    QTHF = new TQTHF(Cty, M, state_, [this] { return homePosition(); }, QString::fromStdString(programFolder_.string()),
                     this);
    dxccPage->Calc_distance = [this](double dxLat, double dxLon) {
        const auto [lat, lon] = homePosition();
        return ::Calc_distance(lat, lon, dxLat, dxLon);
    };
    dxccPage->Show_call_info = [this] { Show_call_info(); };

    FindinMasterdta1 = new QAction("Search in Master.dta", this);
    FindinMasterdta1->setObjectName("FindinMasterdta1");
    connect(FindinMasterdta1, &QAction::triggered, errorsPage, &ErrorsPage::FindinMasterdta1Click);
    if (auto* byBandsMenu = findChild<QMenu*>("mm_PM")) byBandsMenu->addAction(FindinMasterdta1);

    // Lists and grids are found by name: whichever page owns them.
    const std::pair<const char*, void (TForm2::*)()> grids[] = {
        {"log_grid", &TForm2::log_gridClick}, {"Breaks_Grid", &TForm2::Breaks_GridClick},
        {"Keo_wpx", &TForm2::Keo_wpxClick}};
    for (const auto& [name, slot] : grids)
        if (auto* v = findChild<KeoEGridView*>(name)) onRowSelected(v, this, [this, slot](int) { (this->*slot)(); });
    const std::pair<const char*, void (TForm2::*)()> lists[] = {{"l11", &TForm2::l11Click},
        {"ListBox3", &TForm2::ListBox3Click}, {"ListBox4", &TForm2::ListBox4Click},
        {"ListBox5", &TForm2::ListBox5Click}, {"ListBox6", &TForm2::ListBox6Click},
        {"ListBox7", &TForm2::ListBox7Click}, {"ListBox8", &TForm2::ListBox8Click},
        {"ListBox10", &TForm2::ListBox10Click}};
    for (const auto& [name, slot] : lists)
        if (auto* lb = findChild<QListWidget*>(name))
            connect(lb, &QListWidget::currentRowChanged, this, [this, slot](int row) {
                if (row >= 0) (this->*slot)();
            });
}

std::pair<double, double> TForm2::homePosition()
{
    // The settings dialog keeps the home position as the texts it shows.
    double lat = state_.HomeLat, lon = state_.HomeLon;
    if (Properties) {
        zem::tryToDouble(Properties->Label5->text().trimmed().toStdString(), lat);
        zem::tryToDouble(Properties->Label4->text().trimmed().toStdString(), lon);
    }
    return {lat, lon};
}

void TForm2::clearCallInfo()
{
    BandMatrix = {};
    for (int i = 0; i < sb3->panelCount(); ++i)
        if (i != kElapsedPanel) sb3->setText(i, QString());
}

void TForm2::Show_call_info()
{
    // A row without a QSO (a Total row, the empty row of an empty result)
    // has no callsign to describe.
    if (state_.CurrentCall.empty()) {
        clearCallInfo();
        return;
    }
    const CountryRecord* rec = countryOfCall(Cty, state_.CurrentCall);
    std::tie(state_.HomeLat, state_.HomeLon) = homePosition();
    const CallFacts f = callFacts(rec, state_.HomeLat, state_.HomeLon);
    const std::string texts[7] = {f.Country, f.CQ, f.ITU, f.Latitude, f.Longitude, f.Continent,
                                  f.known ? f.Distance + " km" : std::string()};
    for (int i = 0; i < 7; ++i) sb3->setText(i, QString::fromStdString(texts[i]));
    Get_band_matrix(state_.CurrentCall);
}

void TForm2::Get_band_matrix(const std::string& Call)
{
    BandMatrix = ::Get_band_matrix(state_.log_grid, Call);
    sb3->setText(9, QString::fromStdString(Call + ":"));
    for (int i = 0; i < 6; ++i) sb3->setText(10 + i, QString::fromStdString(BandMatrix[static_cast<size_t>(i)]));
}

void TForm2::selectCall(const std::string& call)
{
    state_.CurrentCall = call;
    try {
        Show_call_info();
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TForm2::log_gridClick()
{
    const int row = log_grid->currentIndex().row() + 1;
    if (row < 1) return;
    state_.CurrentCall = state_.log_grid.Cell(lcCallsign, row);
    try {
        Get_band_matrix(state_.CurrentCall);
        Show_call_info();
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    const CountryRecord* rec = Cty.LookupCall(state_.CurrentCall) ? &Cty.Result() : nullptr;
    // Two lines in the hint window.
    const std::string hint = state_.CurrentCall + "\n" + (rec ? shownCountryName(rec->Country) : std::string());
    state_.log_grid.Hint = hint;
    log_grid->setToolTip(QString::fromStdString(hint));
}

void TForm2::l11Click()
{
    auto* lb = findChild<QListWidget*>("l11");
    if (lb && lb->currentItem()) selectCall(callOfQsoLine(lb->currentItem()->text().toStdString()));
}

void TForm2::gridClick(const char* name, int col)
{
    auto* v = findChild<KeoEGridView*>(name);
    const int row = v ? v->currentIndex().row() + 1 : 0;
    if (row >= 1) selectCall(v->grid().Cell(col, row));
}

void TForm2::Breaks_GridClick() { gridClick("Breaks_Grid", 4); }
void TForm2::Keo_wpxClick() { gridClick("Keo_wpx", 1); }

void TForm2::listBoxClick(const char* name)
{
    auto* lb = findChild<QListWidget*>(name);
    if (lb && lb->currentItem()) selectCall(lb->currentItem()->text().toStdString());
}

void TForm2::ListBox3Click() { listBoxClick("ListBox3"); }
void TForm2::ListBox4Click() { listBoxClick("ListBox4"); }
void TForm2::ListBox5Click() { listBoxClick("ListBox5"); }
void TForm2::ListBox6Click() { listBoxClick("ListBox6"); }
void TForm2::ListBox7Click() { listBoxClick("ListBox7"); }
void TForm2::ListBox8Click() { listBoxClick("ListBox8"); }
void TForm2::ListBox10Click() { listBoxClick("ListBox10"); }

void TForm2::N24Click() { QTHF->exec(); }
