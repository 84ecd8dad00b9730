#pragma once
// The Distribution page: stations by the number of bands on which they were
// worked, or the callsigns of each band, in seven list columns; a search for
// a callsign in them; and the additional-information window over them.

#include "analysis/distribution.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

struct AppState;
class TMasterCallDB;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QToolBar;
class QToolButton;

class DistributionPage : public QWidget {
    Q_OBJECT
public:
    DistributionPage(AppState& state, TMasterCallDB& master, QWidget* parent = nullptr);

    QToolBar* t3 = nullptr;
    QToolButton* TB21 = nullptr; // By number of bands, with the drop-down mm_PM
    QMenu* mm_PM = nullptr;
    QAction* Mixedmode1 = nullptr;
    QAction* tb22 = nullptr;
    QAction* tb211 = nullptr;
    QAction* tb5 = nullptr;
    QFrame* Panel5 = nullptr;
    std::array<QListWidget*, 7> ListBoxes{}; // ListBox3..ListBox8, ListBox10
    std::array<QLabel*, 7> DistLabels{};     // Label303..Label308, Label309
    std::array<QLabel*, 7> StaticTexts{};    // StaticText51..StaticText57

    // Places the panel and its columns for a page control of W x H.
    void resizePanel(int W, int H);

    // The lists as the last distribution command left them.
    const BandDistribution& lists() const { return lists_; }
    // Set by Mixedmode1Click for one run of rm_buttonClick.
    bool MixedMode = false;
    // A log was loaded: its first distribution names the stations worked on
    // more than six bands, once; the commands that rebuild it later do not.
    void newLog() { manyBandsTold_ = false; }

    // The input box of tb5Click; nullopt when cancelled. Tests replace it.
    std::function<std::optional<QString>(const QString& title, const QString& prompt)> InputBox;

signals:
    // A distribution command begins (the job's start) and ends (CalculateTime).
    void jobStarted();
    void jobFinished();

public slots:
    void rm_buttonClick();
    void Mixedmode1Click();
    void tb22Click();
    void Button14Click();
    void tb5Click();
    void tb211Click();

private:
    // Shows a distribution in the seven columns with the given titles.
    void showLists(const std::array<std::string, 7>& titles);
    // Runs a command between jobStarted and jobFinished; an error goes to the
    // message box.
    void runJob(const std::function<void()>& work);

    AppState& state_;
    TMasterCallDB& master_;
    BandDistribution lists_;
    bool manyBandsTold_ = false;
};
