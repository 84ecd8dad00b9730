#include "refdata/web_lookups.h"

#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/menu_items.h"
#include "main/platform.h"
#include "main/text_util.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

TWebLookups::TWebLookups(TForm2& form, QMenu* logPop) : QObject(&form), form_(form)
{
    ise = logPop->addMenu("Search in Internet");
    ise->setObjectName("ise");
    const TMenuItem<TWebLookups> items[] = {{&Google4, "Google4", "Google", &TWebLookups::Google4Click},
                 {&Yandex4, "Yandex4", "Yandex", &TWebLookups::Yandex4Click},
                 {&RuCallbook3, "RuCallbook3", "QRZ.RU", &TWebLookups::RuCallbook3Click},
                 {&ContestProfile2, "ContestProfile2", "QRZCQ", &TWebLookups::ContestProfile2Click},
                 {&QRZOnlinesearch3, "QRZOnlinesearch3", "QRZ Online search", &TWebLookups::QRZOnlinesearch3Click},
                 {&ARRLCallsignsearch2, "ARRLCallsignsearch2", "ARRL Callsign search",
                  &TWebLookups::ARRLCallsignsearch2Click}};
    addMenuItems(ise, this, items);
    connect(logPop, &QMenu::aboutToShow, this, &TWebLookups::log_PopPopup);
}

namespace {
// The callsign of the log table's current row, as the log holds it.
std::string currentLogCall(TForm2& form)
{
    const QModelIndex cur = form.log_grid->currentIndex();
    if (!cur.isValid()) return {};
    return form.state().log_grid.Cell(lcCallsign, cur.row() + 1);
}
} // namespace

std::string TWebLookups::get_callsign_for_search() const
{
    if (form_.pc1->currentIndex() == 0) return zem::lowerAscii(currentLogCall(form_));
    return form_.state().CurrentCall;
}

void TWebLookups::log_PopPopup()
{
    ise->setTitle(QString::fromStdString("Search " + currentLogCall(form_) + " in Internet"));
    const bool haveCall = !get_callsign_for_search().empty();
    for (QAction* a : ise->actions()) a->setEnabled(haveCall);
}

void TWebLookups::lookUp(TWebLookup site)
{
    const std::string call = get_callsign_for_search();
    if (call.empty()) return;
    const QString url = QString::fromStdString(webLookupUrl(site, call));
    shellOpenOrTell(url);
}

void TWebLookups::Google4Click() { lookUp(TWebLookup::Google); }
void TWebLookups::Yandex4Click() { lookUp(TWebLookup::Yandex); }
void TWebLookups::RuCallbook3Click() { lookUp(TWebLookup::QrzRu); }
void TWebLookups::ContestProfile2Click() { lookUp(TWebLookup::ContestProfile); }
void TWebLookups::QRZOnlinesearch3Click() { lookUp(TWebLookup::QrzCom); }
void TWebLookups::ARRLCallsignsearch2Click() { lookUp(TWebLookup::Arrl); }
