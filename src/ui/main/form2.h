#pragma once
// The main window: log table, result pages, menus, status bars; owner of the
// shared state and of the reference data.

#include "analysis/analysis_pass.h"
#include "import/n1mm_import.h"
#include "main/app_state.h"
#include "main/jobs.h"
#include "main/keoe_grid.h"
#include "main/settings.h"
#include "main/window_commands.h"
#include "refdata/call_info.h"
#include "refdata/cty_search.h"
#include "refdata/ka_index.h"
#include "refdata/master_call_db.h"

#include <QMainWindow>
#include <QFont>
#include <QFontMetrics>
#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QStringList>

#include <array>
#include <functional>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class BreaksPage;
class KeoEGridView;
class TextWidths;
class RatesPage;
class TStatusPanels;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QChartView;
class SummaryChartView;
class ChartsPage;
class TwoRadioPage;
class TProperties;
class TERRF;
class TDT_change;
class Tfind_cabrillo;
class TScoreCommands;
class ErrorsPage;
class TQTHF;
class DistributionPage;
class TSpotsF;
class TWebLookups;
class DxccPage;
class WpxPage;
class NearZonePage;
class OperatorCommands;
class TFind_qso;
class ClaimedScoresPage;
class TMaster_edit;

// The frame bounds moved the least way inside area, and shrunk to it where
// they are larger: bounds saved on a larger screen (or by a window manager
// with a taller title bar) open whole on this one.
QRect boundsInside(QRect frame, const QRect& area);

class TForm2 : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: where the country files, zem.ini and master.dta live.
    // Throws CtyFileMissing / std::runtime_error when the country files fail.
    explicit TForm2(const std::filesystem::path& programFolder, QStringList args = {}, QWidget* parent = nullptr);
    ~TForm2() override;

    AppState& state() { return state_; }
    TCty_search Cty;
    TMasterCallDB M;

    // Widgets named as the program names them (tests find them by these).
    QTabWidget* pc1 = nullptr;
    QToolBar* tb = nullptr;
    KeoEGridView* log_grid = nullptr;
    KeoEGridView* Summary_Grid = nullptr;
    KeoEGridView* Breaks_Grid = nullptr;
    KeoEGridView* StringGrid3 = nullptr; // on dxccPage
    KeoEGridView* Keo_wpx = nullptr;     // on wpxPage
    DxccPage* dxccPage = nullptr;
    WpxPage* wpxPage = nullptr;
    KeoEGridView* error_KeoEGrid = nullptr;
    QChartView* Chart = nullptr;
    ChartsPage* chartsPage = nullptr;
    TwoRadioPage* twoRadioPage = nullptr;
    QListWidget* l11 = nullptr;
    DistributionPage* Distribution = nullptr;
    ClaimedScoresPage* Page3830 = nullptr; // the "3830" page
    TMaster_edit* Master_edit = nullptr;
    QAction* N3830 = nullptr;         // 3830 Claimed scores
    QAction* tb3 = nullptr;           // tool button "3830 Claimed scores"
    QAction* MASTER1 = nullptr;       // Results
    QAction* Mastereditor1 = nullptr; // Tools > Master editor
    QAction* Checkin3830ClaimedScores1 = nullptr;
    QSpinBox* se1 = nullptr;
    QSpinBox* se2 = nullptr;
    QLabel* l6 = nullptr;
    TStatusPanels* sb3 = nullptr;
    TStatusPanels* sb1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QAction* N4 = nullptr;          // Exit
    QAction* o1 = nullptr;          // Open Cabrillo...
    QMenu* Openotherformats1 = nullptr;
    QAction* Load_TR_file = nullptr; // TR Log...
    QAction* O2 = nullptr;          // Open log folder
    QAction* Close1 = nullptr;      // Close Log
    QAction* N20 = nullptr;         // Settings
    QAction* sh = nullptr;          // Save Log in HTML
    QAction* oolbar1 = nullptr;     // View > Toolbar
    QAction* Clear1 = nullptr;      // Check bands change rule > Clear
    QAction* OpenADIF1 = nullptr;   // Open other formats... > ADIF...
    QAction* ea = nullptr;          // Export log to ADIF
    QAction* Co1 = nullptr;         // Choose the operator
    QAction* mo1 = nullptr;         // QSO vs. Op.
    NearZonePage* nearZonePage = nullptr;
    OperatorCommands* Operators = nullptr; // Co1, mo1 and the operator chooser
    TFind_qso* Find_qso = nullptr;
    QMenu* Reopen2 = nullptr;
    QMenu* log_Pop = nullptr;
    SummaryChartView* Chart_sum = nullptr;
    TProperties* Properties = nullptr;
    TERRF* ERRF = nullptr;
    TDT_change* DT_change = nullptr;
    Tfind_cabrillo* find_cabrillo = nullptr;
    QAction* hh1 = nullptr; // Review of Cabrillo files
    TScoreCommands* Scores = nullptr; // the log pop-up's "Points" submenu
    BreaksPage* breaksPage = nullptr;
    RatesPage* ratesPage = nullptr;
    QMenu* bandsChangeRuleMenu = nullptr; // "Check bands change rule"
    QAction* countdownItem = nullptr;
    ErrorsPage* errorsPage = nullptr;
    QAction* FindinMasterdta1 = nullptr; // Search in Master.dta
    QAction* N24 = nullptr;              // Information on callsign
    // Main menu, the page pop-up, the log pop-up and the tool bar.
    QAction* sr = nullptr;              // View > ZEM Report
    QAction* Page_next = nullptr;       // View > Next window
    QAction* Page_previous = nullptr;   // View > Previous window
    QAction* Fullscreen1 = nullptr;     // View > Full screen
    QAction* a = nullptr;               // View > On top
    QAction* ITUWAZ1 = nullptr;         // Tools > ITU-WAZ
    QAction* Rem = nullptr;             // Tools > Remoteness of the countries
    QAction* imefortransmittingcallsigninCW1 = nullptr;
    QAction* Re1 = nullptr;             // Tools > Analysis of spots
    QAction* N27 = nullptr;             // Help > About
    QMenu* common = nullptr;            // the main window's page pop-up
    QAction* Find1 = nullptr;           // log pop-up: Find QSO
    QAction* ms = nullptr;              // log pop-up: Mouse Wheel Speed
    QAction* tb4 = nullptr;             // tool button "ZEM Report"
    QAction* TB_find_qso = nullptr;     // tool button "Find QSO"
    TQTHF* QTHF = nullptr;
    // The bands of the selected callsign, as the information bar shows them.
    TBandMatrix BandMatrix;
    TSpotsF* SpotsF = nullptr;
    TWebLookups* WebLookups = nullptr; // the log pop-up's web search submenu

    // Core grids behind the result views.
    SummaryPage summary;
    // Every day of the index file of the last load.
    KIndexTable kIndexTable;

    QStringList ReopenList;
    int ReopenItemCount = 0;
    std::array<QAction*, 10> ReopenItems{};

    TSettings settings;       // what lives outside the settings dialog
    SettingsPaths iniPaths;
    JobTime JobStart;
    // The frame of one command, from its start to its end: it records
    // JobStart, unless it opens inside another command's frame (the analysis
    // pass inside a load or a score command), whose clock keeps running.
    class Job {
    public:
        explicit Job(TForm2& form);
        ~Job();
        Job(const Job&) = delete;
        Job& operator=(const Job&) = delete;

    private:
        TForm2& form_;
    };
    // JobStart := now, unless a Job frame is open: the start of a command
    // that tells its start and end apart (a page's signals, its hooks).
    void startJob();
    // Empties the callsign information of sb3; the job's time stays.
    void clearCallInfo();
    static constexpr int kElapsedPanel = 8; // of sb3
    bool OperatorMode = false;
    QString ChosenOperator;
    // The file the ADIF reader reads (what its open dialog holds).
    QString ADIF_OD_FileName;
    // The file the shown log was loaded from.
    QString LoadedFileName;
    // The file a Reopen item stands for.
    QString reopenPathOf(QAction* item) const;
    // Whether a Reopen entry's file can still be read; says why not.
    bool reopenable(const QString& path);

    // Where a later start of the program with a file puts this window, out
    // of the way of the new one; the user's own bounds stay those saved.
    static constexpr QRect kSecondStartBounds{10, 10, 400, 200};
    void shrinkForSecondStart();
    // Places the window's frame (title bar and borders included). A window
    // manager tells the frame's margins only once it has framed the window,
    // which may be after it is shown: the bounds are placed again, once, as
    // soon as the margins are known.
    void setFrameBounds(const QRect& frame);
    // The window manager's margins round the window; a test puts its own.
    std::function<QMargins()> frameMarginsSource;

    int countdownDays() const { return countdownDays_; }
    const QPixmap& contestLogo() const { return logo_; }
    bool activated() const { return activated_; }

public slots:
    void FormActivate();
    void FormResize();
    void N4Click();
    void countdownClick();
    void InformationaboutMasterdta1Click();
    void o1Click();
    void O2Click();
    void Close1Click();
    void N20Click();
    void Showinifile1Click();
    void shClick();
    void reopen_cabrillo_click();
    void reopen_adif_click();
    void OpenADIF1Click();
    // Reads the ADIF file named by ADIF_OD_FileName and runs the chain after it.
    void open_adif();
    void eaClick();
    // Reads a Cabrillo log and runs the whole chain after it.
    void Open_cabrillo_proc(const QString& path);
    void Load_TR_fileClick();
    // Reads a TR Log file and runs the whole chain after it.
    void Open_TR(const QString& path);
    void MixWLogfile1Click();
    // Reads a MixW2 log; the log table alone is cleared first.
    void open_MixW(const QString& path);
    void OpenCT1Click();
    void Open_ct();
    void NdClick();
    void FinfClick();
    // Loads one contest of an N1MM Logger database; the log table alone is
    // cleared first. A contest without QSOs says "No QSO`s" and resets.
    void loadN1mmContest(const QString& database, const N1mmContest& contest);
    void loadN1mmContest(TableSource& db, const QString& database, const N1mmContest& contest);
    void Reset_app();
    // loadedFile names the log when its header names nothing.
    void make_log_folder(const QString& loadedFile = {});
    void activatemenu();
    void check_and_add_filename_to_reopen(const QString& fileName);
    void build_reopen_menu();
    void CalculateTime();
    // Tells which QSO a table command could not process.
    void except_proc();
    void Process_log_and_summary();
    // Callsign information in sb3: the country facts and distance of
    // state().CurrentCall (looked up here; an unknown call shows none) and
    // the bands on which the log worked it. Callers set CurrentCall first.
    void Show_call_info();
    void Get_band_matrix(const std::string& Call);
    void log_gridClick();
    void l11Click();
    void Breaks_GridClick();
    void Keo_wpxClick();
    void ListBox3Click();
    void ListBox4Click();
    void ListBox5Click();
    void ListBox6Click();
    void ListBox7Click();
    void ListBox8Click();
    void ListBox10Click();
    void N24Click();
    void ITUWAZ1Click();
    void RemClick();
    void imefortransmittingcallsigninCW1Click();
    void Re1Click();
    void Mark_dupes();
    void qso_proc();
    void KA_indexs();
    void N3830Click();
    void tb3Click();
    void MASTER1Click();
    void Mastereditor1Click();
    // Runs the comparison with the loaded claimed scores and shows them;
    // enabled while a report is loaded.
    void Checkin3830ClaimedScores1Click();
    // A dropped ".eml" file: the claimed-scores reader, current folder unchanged.
    void openDropped3830(const QString& path);
    void Clear1Click();
    void oolbar1Click();
    // Empties the analysis chart of the Charts page for the next chart.
    void clear_all_series();
    // The Charts menu's country charts: the DXCC page's table with its Top Ten chart.
    void WPX1Click();
    void N41Click();
    // Steps the bar layout of the Summary chart.
    void Chart_sumClick();
    // Main menu.
    void srClick();
    void Page_nextClick();
    void Page_previousClick();
    void Fullscreen1Click();
    void aClick();
    void N27Click();
    // The page pop-up.
    void Open_CabrilloClick();
    void Log1Click();
    void Summary1Click();
    void N35Click();
    void N36Click();
    void N37Click();
    void N38Click();
    void DXCC1Click();
    void Uhfabrb1Click();
    void N39Click();
    void WPX2Click();
    void Nearzone1Click();
    // The log pop-up and the tool bar.
    void Find1Click();
    void msClick();
    // One wheel step on the log table: WheelSpeed rows while they fit.
    void log_gridMouseWheelDown();
    void log_gridMouseWheelUp();
    // Files dropped on the window: the first one opens by its extension.
    void WMDropFiles(const QStringList& files);
    // Opens a file by its extension with its reader, as a dropped file and
    // the command line do; false, and nothing done, when no reader takes it.
    bool openByExtension(const QString& path);
    // What the user is told of a file the command line names that no reader takes.
    static QString notOpenedText(const QString& path);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void FormCreate();
    void FormClose();
    void buildMenus();
    void buildLogPopup();
    void buildToolBar();
    // The items of the Charts menu whose commands live on other pages.
    void buildChartMenuCommands();
    void showPage(const QString& title);
    void buildPages();
    void buildStatusArea();
    QWidget* addPage(const QString& title);
    void log_gridDrawCell(QPainter& p, const QRect& r, int col, int row, bool selected);
    void sb1DrawPanel(QPainter& p, int panel, const QRect& r);
    // Width the painting of a log cell needs in the given font.
    int logCellWidth(int col, int row, const TextWidths& widths) const;
    // The progress bar narrows while the status texts need its room.
    void fitProgressBar();
    QWidget* sb1Row_ = nullptr;
    void Nomaster();
    void clearLabels();
    // Makes the Log page current with the given log row selected.
    void showLogRow(int row);
    void readSettingsAtStart();
    void writeSettingsAtClose();
    void openFromCommandLine();
    // What follows every reader: the log folder, the chain and (for the
    // readers that keep one) the reopen list. A reader that throws leaves
    // the program reset.
    void loadWithReader(const QString& path, bool fullReset, bool addToReopen,
                        const std::function<void()>& read);
    void setLogCommandsEnabled(bool loaded);
    // The log folder, then activatemenu; false (reported, reset) when the
    // folder cannot be made.
    bool makeFolderAndActivate(const QString& loadedFile = {});
    void buildChartPages(QWidget* radioPage, QWidget* chartPage);
    void buildFindAndOperators();
    // The hour table the hour-rate chart draws: StringGrid3 when it holds it.
    const TKeoEGrid* hourRateTable();
    void showError(const std::exception& e);
    // Call information: creation and wiring, the click of a list or grid.
    void buildCallInfo();
    void selectCall(const std::string& call);
    void listBoxClick(const char* name);
    void gridClick(const char* name, int col);
    std::pair<double, double> homePosition();
    void buildErrorsPage(QWidget* page);
    // The zone and distance lists, the CW calculator, the spot window and
    // the web look-ups: creation and wiring.
    void buildTools();
    // Runs one step of a command and shows what it throws: no exception may
    // leave a handler.
    void guarded(const std::function<void()>& step);
    void activateLoadedLogInWindow();
    static QString msgText(const std::string& s);
    QPixmap masterIcon_;

    std::filesystem::path programFolder_;
    QStringList args_;
    AppState state_;
    QPixmap logo_;
    int countdownDays_ = 0;
    bool activated_ = false;
    int openJobs_ = 0; // Job frames open
    ModalTime::Mark jobModalMark_; // the modal windows up at JobStart
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    FullScreenToggle fullScreen_;
    // The user's bounds before a second start shrank the window.
    std::optional<QRect> secondStartBounds_;
    QMargins frameMargins() const;
    void placeFrame(const QRect& frame);
    // Frame bounds placed while the frame's margins were not yet known.
    std::optional<QRect> unframedBounds_;
};
