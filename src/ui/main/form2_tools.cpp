// The main window's tools: zone lists, country distances, the CW sending-time
// calculator, the spot window and the web look-ups of the log pop-up.

#include "main/form2.h"

#include "analysis/cw_call_form.h"
#include "main/menu_items.h"
#include "refdata/itu_waz_form.h"
#include "refdata/rem_form.h"
#include "refdata/web_lookups.h"
#include "spots/spots_form.h"

#include <QAction>
#include <QMenu>

void TForm2::buildTools()
{
    const TMenuItem<TForm2> items[] = {{&ITUWAZ1, "ITUWAZ1", "ITU-WAZ", &TForm2::ITUWAZ1Click},
                 {&Rem, "Rem", "Remoteness of the countries", &TForm2::RemClick},
                 {&imefortransmittingcallsigninCW1, "imefortransmittingcallsigninCW1",
                  "Time for transmitting CW message", &TForm2::imefortransmittingcallsigninCW1Click},
                 {&Re1, "Re1", "Analysis of spots", &TForm2::Re1Click}};
    addMenuItems(toolsMenu_, this, items);
    // The master editor stands between the calculators and the spots.
    if (Mastereditor1) {
        toolsMenu_->removeAction(Mastereditor1);
        toolsMenu_->insertAction(Re1, Mastereditor1);
    }
    Re1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    SpotsF = new TSpotsF(this);
    SpotsF->ShowCall = [this](const std::string& call) { selectCall(call); };
    WebLookups = new TWebLookups(*this, log_Pop);
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
