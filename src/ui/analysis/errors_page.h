#pragma once
// The Errors page: one result grid written by the log checks (suspect
// callsigns, time order, possible mistakes, partials), the search of a
// callsign in it, and the master-file check of every station of the log.

#include "analysis/distribution.h"
#include "main/keoe_grid.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

struct AppState;
class TMasterCallDB;
class KeoEGridView;
class QAction;
class QToolBar;

class ErrorsPage : public QWidget {
    Q_OBJECT
public:
    ErrorsPage(AppState& state, TMasterCallDB& master, QWidget* parent = nullptr);
    ~ErrorsPage() override;

    TKeoEGrid errorsGrid{6, 2, 0, 1};
    KeoEGridView* error_KeoEGrid = nullptr;
    QToolBar* tr2 = nullptr;
    QAction* TBu21 = nullptr; // Suspect callsigns
    QAction* tb17 = nullptr;  // Possible mistakes in callsigns
    QAction* tb19 = nullptr;  // In Time
    QAction* tb11 = nullptr;  // Partials in log
    QAction* tb15 = nullptr;  // Find callsign

    // What the page needs from the main window.
    // Runs the distribution by number of bands and gives its lists.
    std::function<BandDistribution()> ByBands;
    // Shows the information on a callsign (a selected finding).
    std::function<void(const std::string&)> ShowCall;
    // Makes a log row the current one on the Log page.
    std::function<void(int)> SelectLogRow;
    // Progress of a check: position of max.
    std::function<void(int, int)> Progress;
    // The input box of tb15Click; nullopt when cancelled. Tests replace it.
    std::function<std::optional<QString>(const QString& title, const QString& prompt)> InputBox;
    // The information box of the master-file check. Tests replace it.
    std::function<void(const QString& caption, const QString& text)> InfoBox;

signals:
    // A check begins (the job's start) and ends (CalculateTime).
    void jobStarted();
    void jobFinished();

public slots:
    void TBu21Click();
    void tb17Click();
    void tb19Click();
    void tb11Click();
    void tb15Click();
    void FindinMasterdta1Click();
    void error_KeoEGridClick();
    void error_KeoEGridDblClick();

private:
    void error_KeoEGridGetDrawValues(int col, int row, QFont& font, TAlignment& alignment, QColor& bg);
    // Runs a check on a loaded log as one job; an error goes to the message box.
    void runCheck(const std::function<void()>& work);
    bool haveMaster() const;
    // Shows the result of a check and saves it as an HTML page.
    void showResult(const char* htmlName);

    AppState& state_;
    TMasterCallDB& master_;
};
