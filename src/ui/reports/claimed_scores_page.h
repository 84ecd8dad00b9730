#pragma once
// The "3830" page: a claimed-scores mail read into a table, each station
// marked "OK" on the bands where the loaded log worked it, with its pop-up
// commands (look-up, search, HTML, callsigns to the master editor).

#include "main/keoe_grid.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

struct AppState;
class KeoEGridView;
class TCty_search;
class TMaster_edit;
class QAbstractScrollArea;
class QAction;
class QLabel;
class QMenu;

class ClaimedScoresPage : public QWidget {
    Q_OBJECT
public:
    ClaimedScoresPage(AppState& state, TCty_search& cty, QWidget* parent = nullptr);
    ~ClaimedScoresPage() override;

    TKeoEGrid keo3830; // the table's cells
    KeoEGridView* Keo3830 = nullptr;
    QLabel* Label1 = nullptr;
    QMenu* Pop3830 = nullptr;
    QAction* Open2 = nullptr;
    QAction* Refresh1 = nullptr;
    QAction* AddcallsignstoMasterdta1 = nullptr;
    QAction* Findcallsign1 = nullptr;
    QAction* SavetoHTML1 = nullptr;
    QAction* Close2 = nullptr;

    // The open dialog op3: its chosen file and its start folder.
    QString op3FileName;
    std::function<QString()> op3InitialDir;
    // The master editor that "Add callsigns to Master.dta" fills and shows.
    TMaster_edit* MasterEditor = nullptr;

    // Dialogs, replaced by tests: the open dialog op3, the save dialog SD1
    // (opened in a folder, preset with a name) and the input box; an empty
    // text or nullopt when cancelled.
    std::function<QString(const QString& startFolder)> OpenDialog;
    std::function<QString(const QString& startFolder, const QString& presetName)> SaveDialog;
    std::function<std::optional<QString>(const QString& title, const QString& prompt)> InputBox;

    // A report with at least one station is in the table.
    bool hasReport() const;

signals:
    // The page wants to be the active page of the main window.
    void pageWanted();
    // CurrentCall was set and looked up in the country file: show its information.
    void callChosen();

public slots:
    // Reads op3FileName into the table.
    void N3830_proc();
    void log_and_3830();
    // A dropped mail: read it without touching the current folder.
    void openDropped(const QString& path);
    void Open2Click();
    void Refresh1Click();
    void Keo3830Click();
    void Findcallsign1Click();
    void AddcallsignstoMasterdta1Click();
    void SavetoHTML1Click();
    void Close2Click();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void setCommandsEnabled(bool enabled);
    // The table no taller than the part of the page in view, where the main
    // window's pages scroll as a whole: its own bars stay in sight.
    void fitTableToView();

    AppState& state_;
    TCty_search& cty_;
    QAbstractScrollArea* pagesArea_ = nullptr;
    QWidget* pagesView_ = nullptr; // its viewport
};
