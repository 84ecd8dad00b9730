#pragma once
// The web look-ups of a callsign in the log table's pop-up menu: each opens
// a search or callbook page of the callsign in the browser.

#include "refdata/web_lookup.h"

#include <QObject>

#include <string>

class QAction;
class QMenu;
class TForm2;

class TWebLookups : public QObject {
    Q_OBJECT
public:
    // Adds the submenu "ise" to logPop and follows the pop-up's opening.
    TWebLookups(TForm2& form, QMenu* logPop);

    QMenu* ise = nullptr;
    QAction* Google4 = nullptr;
    QAction* Yandex4 = nullptr;
    QAction* RuCallbook3 = nullptr;
    QAction* ContestProfile2 = nullptr;
    QAction* QRZOnlinesearch3 = nullptr;
    QAction* ARRLCallsignsearch2 = nullptr;

    // On the Log page the selected QSO's callsign in lower case, elsewhere
    // the callsign last selected in a list or grid. Changes nothing.
    std::string get_callsign_for_search() const;

public slots:
    void log_PopPopup();
    void Google4Click();
    void Yandex4Click();
    void RuCallbook3Click();
    void ContestProfile2Click();
    void QRZOnlinesearch3Click();
    void ARRLCallsignsearch2Click();

private:
    void lookUp(TWebLookup site);
    TForm2& form_;
};
