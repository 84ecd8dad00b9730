// The main window's tools: zone lists, country distances, the CW sending-time
// calculator, the spot window and the web look-ups of the log pop-up.

#include "main/form2.h"

#include "analysis/cw_call_form.h"
#include "refdata/itu_waz_form.h"
#include "refdata/rem_form.h"
#include "refdata/web_lookups.h"
#include "spots/spots_form.h"

#include <QAction>
#include <QMenu>

void TForm2::buildTools()
{
    SpotsF = new TSpotsF(this);
    SpotsF->ShowCall = [this](const std::string& call) { selectCall(call); };
    WebLookups = new TWebLookups(*this, log_Pop);
    // The web search belongs right after the band-change rule.
    log_Pop->removeAction(WebLookups->ise->menuAction());
    const QList<QAction*> items = log_Pop->actions();
    const int rule = static_cast<int>(items.indexOf(bandsChangeRuleMenu->menuAction()));
    log_Pop->insertAction(rule + 1 < items.size() ? items[rule + 1] : nullptr, WebLookups->ise->menuAction());
}

void TForm2::ITUWAZ1Click()
{
    TITU_WAZ_form f(programFolder_ / "cty.dat", this);
    f.exec();
}

void TForm2::RemClick()
{
    Trem_Form f(Cty, programFolder_ / "cty.dat",
                [this] { return state_.header.OwnCall.empty() ? state_.header.StationCall : state_.header.OwnCall; },
                this);
    f.exec();
}

void TForm2::imefortransmittingcallsigninCW1Click()
{
    Tcw_call_form f(this);
    f.exec();
}

void TForm2::Re1Click() { SpotsF->exec(); }
