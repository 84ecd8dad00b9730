#include "main/form2.h"

#include "analysis/score_commands.h"
#include "analysis/errors_page.h"
#include "analysis/distribution.h"
#include "analysis/distribution_page.h"
#include "analysis/number_column.h"
#include "analysis/breaks_page.h"
#include "analysis/rates_page.h"
#include "analysis/analysis_chart_view.h"
#include "analysis/charts_page.h"
#include "analysis/summary_chart.h"
#include "analysis/two_radio_page.h"
#include "analysis/summary_grid_paint.h"
#include "import/adif_dialogs.h"
#include "import/adif_reader.h"
#include "analysis/dxcc_page.h"
#include "analysis/wpx_page.h"
#include "analysis/near_zone_page.h"
#include "analysis/operator_commands.h"
#include "analysis/tfind_qso.h"
#include "import/cabrillo_open_dialog.h"
#include "import/cabrillo_reader.h"
#include "import/mixw_reader.h"
#include "import/n1mm_dialog.h"
#include "import/table_source.h"
#include "import/trlog_reader.h"
#include "import/dt_change_dialog.h"
#include "import/error_dialog.h"
#include "import/find_cabrillo_dialog.h"
#include "import/post_load.h"
#include "main/countdown.h"
#include "main/file_dialog_fit.h"
#include "main/graphic_hint_window.h"
#include "main/progress_cursor.h"
#include "main/properties_dialog.h"
#include "reports/adif_writer.h"
#include "reports/html_export.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/status_panels.h"
#include "main/text_util.h"
#include "refdata/master_edit_dialog.h"
#include "refdata/master_messages.h"
#include "reports/claimed_scores_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>
#include <utility>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

namespace {

const char* const kPageTitles[] = {"Log", "Summary", "Distribution", "Errors", "Breaks", "Rate",
                                   "DXCC", "2 Radio", "Charts", "WPX", "Near zone", "3830"};

// The status bars' texts may be drawn this small rather than cut.
constexpr qreal kSmallestStatusPoints = 7;

// Our own small mark for new oblasts and the countdown item.
QPixmap makeContestLogo()
{
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.fillRect(0, 0, 12, 4, Qt::white);
    p.fillRect(0, 4, 12, 4, QColor(0, 57, 166));
    p.fillRect(0, 8, 12, 4, QColor(213, 43, 30));
    p.setPen(Qt::gray);
    p.drawRect(0, 0, 11, 11);
    return pm;
}

// Bounds kept in zem.ini may come from a larger screen (and the defaults
// are a little larger than 800 x 600): the frame is kept inside the screen
// it opens on, where the desktop's panels leave room.
QRect keptOnScreen(const QRect& frame)
{
    const QScreen* scr = QGuiApplication::screenAt(frame.center());
    if (!scr) scr = QGuiApplication::primaryScreen();
    return scr ? boundsInside(frame, scr->availableGeometry()) : frame;
}

CivilDateTime toCivil(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    return {d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second(), tm.msec()};
}

} // namespace

QRect boundsInside(QRect r, const QRect& area)
{
    r.setSize(r.size().boundedTo(area.size()).expandedTo(QSize(1, 1)));
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

TForm2::TForm2(const std::filesystem::path& programFolder, QStringList args, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder), args_(std::move(args))
{
    setObjectName("Form2");
    fitFileDialogsToTheirTexts();
    // The country files are part of the window: without them there is nothing to analyse.
    Cty = TCty_search(programFolder_);
    setWindowTitle("ZEM Log Analysis");
    resize(777, 580);
    if (auto* scr = QGuiApplication::primaryScreen()) {
        const QRect g = scr->availableGeometry();
        move(g.center() - QPoint(777 / 2, 580 / 2));
    }
    buildMenus();
    buildPages();
    buildStatusArea();
    setMessageOwner(this);
    watchModalWindows();
    FormCreate();
}

TForm2::~TForm2()
{
    // Views hold references to grids that die with this object: drop the hooks first.
    for (TKeoEGrid* g : {&state_.log_grid, &summary.Summary_Grid}) g->OnChanged = nullptr;
    // Child windows read the grids and the reference data, which die before
    // the QWidget base: take the children down while those still exist.
    hide();
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QWidget* TForm2::addPage(const QString& title)
{
    auto* page = new QWidget(pc1);
    page->setObjectName("Page" + title);
    pc1->addTab(page, title);
    return page;
}

void TForm2::buildPages()
{
    pc1 = new QTabWidget(this);
    pc1->setObjectName("pc1");
    setCentralWidget(pc1);
    pc1->installEventFilter(this);

    std::vector<QWidget*> pages;
    for (const char* t : kPageTitles) pages.push_back(addPage(t));

    auto fill = [](QWidget* page, QWidget* w) {
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(w);
    };

    log_grid = new KeoEGridView(state_.log_grid, pages[0]);
    log_grid->setObjectName("log_grid");
    log_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    log_grid->setShowGrid(false);
    log_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    log_grid->verticalHeader()->setDefaultSectionSize(15);
    QFont f("MS Sans Serif");
    f.setPointSize(8);
    log_grid->setFont(f);
    log_grid->OnDrawCell = [this](QPainter& p, const QRect& r, int col, int row, bool selected) {
        log_gridDrawCell(p, r, col, row, selected);
    };
    log_grid->OnMeasureCell = [this](int col, int row, const TextWidths& widths) {
        return logCellWidth(col, row, widths);
    };
    log_grid->MeasuresByText = true; // the rules place and embolden by column and text
    // The table's share per column; wide texts take what they need.
    log_grid->setColumnFit([](int width) { return logColumnWidths(width); });
    fill(pages[0], log_grid);
    log_grid->installEventFilter(this);
    buildLogPopup();

    Summary_Grid = new KeoEGridView(summary.Summary_Grid, pages[1]);
    Summary_Grid->setObjectName("Summary_Grid");
    Summary_Grid->OnDrawCell = [this](QPainter& p, const QRect& r, int col, int row, bool) {
        paintSummaryCell(p, r, summary.Summary_Grid, col, row, Summary_Grid->palette());
    };
    Summary_Grid->OnMeasureCell = [this](int col, int row, const TextWidths& widths) {
        return summaryCellWidth(summary.Summary_Grid, col, row, widths);
    };
    Summary_Grid->MeasuresByText = true;
    // An even share of the width per column; a grid too narrow scrolls.
    Summary_Grid->setColumnFit([this](int width) {
        const int cols = std::max(1, summary.Summary_Grid.ColCount());
        return std::vector<int>(static_cast<size_t>(cols),
                                static_cast<int>(std::nearbyint(static_cast<double>(width) / cols)) - 2);
    });
    Summary_Grid->verticalHeader()->setDefaultSectionSize(20);
    Summary_Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Chart_sum = new SummaryChartView(pages[1]);
    {
        auto* l = new QVBoxLayout(pages[1]);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(Summary_Grid);
        l->addWidget(Chart_sum, 1);
        // Eight rows under the titles, and the scroll bar when the columns need one.
        auto fitHeight = [this] {
            const bool scrolls = Summary_Grid->horizontalHeader()->length() > Summary_Grid->viewport()->width();
            Summary_Grid->setFixedHeight(8 * 20 + Summary_Grid->horizontalHeader()->sizeHint().height() + 4 +
                                         (scrolls ? Summary_Grid->horizontalScrollBar()->sizeHint().height() : 0));
        };
        connect(Summary_Grid, &KeoEGridView::columnsFitted, this, fitHeight);
        fitHeight();
    }

    Distribution = new DistributionPage(state_, M, pages[2]);
    fill(pages[2], Distribution);
    connect(Distribution, &DistributionPage::jobStarted, this, &TForm2::startJob);
    connect(Distribution, &DistributionPage::jobFinished, this, &TForm2::CalculateTime);

    buildErrorsPage(pages[3]);

    breaksPage = new BreaksPage(*this, pages[4]);
    fill(pages[4], breaksPage);
    Breaks_Grid = breaksPage->Breaks_Grid;
    se1 = breaksPage->se1;
    se2 = breaksPage->se2;
    connect(breaksPage, &BreaksPage::logRowChosen, this, &TForm2::showLogRow);
    auto* n5 = new QAction("5 minuts", bandsChangeRuleMenu);
    n5->setObjectName("N5minuts1");
    connect(n5, &QAction::triggered, breaksPage, &BreaksPage::N5minuts1Click);
    auto* n10 = new QAction("10 minuts", bandsChangeRuleMenu);
    n10->setObjectName("N10minuts1");
    connect(n10, &QAction::triggered, breaksPage, &BreaksPage::N10minuts1Click);
    bandsChangeRuleMenu->insertActions(Clear1, {n5, n10});

    ratesPage = new RatesPage(*this, pages[5]);
    fill(pages[5], ratesPage);
    l11 = ratesPage->l11;

    dxccPage = new DxccPage(*this, pages[6]);
    fill(pages[6], dxccPage);
    StringGrid3 = dxccPage->StringGrid3;

    buildChartPages(pages[7], pages[8]);
    buildChartMenuCommands();

    wpxPage = new WpxPage(*this, pages[9]);
    fill(pages[9], wpxPage);
    Keo_wpx = wpxPage->Keo_wpx;

    nearZonePage = new NearZonePage(state_.log_grid, Cty, pages[10]);
    fill(pages[10], nearZonePage);
    buildFindAndOperators();

    Page3830 = new ClaimedScoresPage(state_, Cty, pages[11]);
    fill(pages[11], Page3830);
    connect(Page3830, &ClaimedScoresPage::pageWanted, this, [this, p = pages[11]] { pc1->setCurrentWidget(p); });
    // The page has looked the chosen callsign up and set CurrentCall.
    connect(Page3830, &ClaimedScoresPage::callChosen, this, [this] { selectCall(state_.CurrentCall); });

    initLogGrid(state_.log_grid);
}

void TForm2::buildChartPages(QWidget* radioPage, QWidget* chartPage)
{
    auto fill = [](QWidget* page, QWidget* w) {
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(w);
    };
    chartsPage = new ChartsPage(state_, chartPage);
    fill(chartPage, chartsPage);
    Chart = chartsPage->Chart;
    l6 = chartsPage->l6;
    twoRadioPage = new TwoRadioPage(state_, radioPage);
    fill(radioPage, twoRadioPage);
    chartsPage->jobs = twoRadioPage->jobs = {[this] { startJob(); }, [this] { CalculateTime(); }};
    chartsPage->onProgress = twoRadioPage->onProgress = [this](int row, int count) {
        ProgressBar2->setValue(PercentOf(0, count, row, 100));
    };
    chartsPage->runHourRateTable = [this] { return hourRateTable(); };
    chartsPage->openCabrillo = [this] { o1Click(); };
    twoRadioPage->goToLogRow = [this](int row) {
        if (row >= 1) showLogRow(row);
        else pc1->setCurrentIndex(0);
    };
    twoRadioPage->showCallInfo = [this](const std::string& call) {
        state_.CurrentCall = call;
        Show_call_info();
    };
    connect(Chart_sum, &SummaryChartView::clicked, this, &TForm2::Chart_sumClick);
}

// The hour-rate chart draws the DXCC page's hour-by-continent listing: it is
// made afresh, so the chart never shows a table another command left there.
const TKeoEGrid* TForm2::hourRateTable()
{
    dxccPage->Button12Click();
    const TKeoEGrid& table = dxccPage->grid();
    return table.Cell(0, 0) == "Day/hour" ? &table : nullptr;
}

void TForm2::clear_all_series() { chartsPage->clear_all_series(); }

void TForm2::buildFindAndOperators()
{
    Operators = new OperatorCommands(*this);
    Find_qso = new TFind_qso(*this);
}

void TForm2::Find1Click()
{
    // Its shortcut works wherever the window has the focus: without a log
    // it does nothing, as its tool button.
    if (!TB_find_qso->isEnabled()) return;
    Find_qso->exec();
}

void TForm2::Chart_sumClick() { Chart_sum->setMultiBar(nextMultiBar(Chart_sum->multiBar())); }

void TForm2::buildStatusArea()
{
    auto* bottom = new QWidget(this);
    bottom->setObjectName("BottomPanel");
    bottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); // as high as its two bars
    auto* v = new QVBoxLayout(bottom);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    sb3 = new TStatusPanels(bottom);
    sb3->setObjectName("sb3");
    QFont arial("Arial");
    arial.setPointSize(9);
    sb3->setFont(arial);
    sb3->setToolTip("Country, WAZ, ITU, Latitude, Longitude, Continent, Distance");
    const int sb3Widths[16] = {150, 35, 35, 55, 55, 30, 60, 10, 70, 80, 30, 30, 30, 30, 30, 30};
    for (int i = 0; i < 16; ++i) sb3->addPanel(sb3Widths[i], i == 8);
    // Whole texts come before their size in a window narrowed to a small
    // screen (full screen on 800 x 600 makes it 691 pixels wide).
    sb3->setSmallestPointSize(kSmallestStatusPoints);
    v->addWidget(sb3);

    auto* row = new QWidget(bottom);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    sb1 = new TStatusPanels(row);
    sb1->setObjectName("sb1");
    const int sb1Widths[7] = {100, 100, 100, 100, 100, 150, 50};
    for (int i = 0; i < 7; ++i) sb1->addPanel(sb1Widths[i], i == 0 || i == 3, i <= 4);
    // The category and the contest are drawn bold, and sized for it.
    sb1->panel(3).bold = true;
    sb1->panel(4).bold = true;
    sb1->setSmallestPointSize(kSmallestStatusPoints);
    sb1->OnDrawPanel = [this](QPainter& p, int panel, const QRect& r) { sb1DrawPanel(p, panel, r); };
    masterIcon_ = QPixmap(16, 16);
    masterIcon_.fill(Qt::transparent);
    {
        QPainter ip(&masterIcon_);
        ip.setRenderHint(QPainter::Antialiasing);
        ip.setBrush(QColor(0, 128, 0));
        ip.setPen(Qt::NoPen);
        ip.drawEllipse(2, 2, 12, 12);
        ip.setPen(QPen(Qt::white, 2));
        ip.drawLine(5, 8, 7, 11);
        ip.drawLine(7, 11, 11, 5);
    }
    h->addWidget(sb1, 1);
    ProgressBar2 = new QProgressBar(row);
    ProgressBar2->setObjectName("ProgressBar2");
    ProgressBar2->setRange(0, 100);
    ProgressBar2->setValue(0);
    ProgressBar2->setTextVisible(false);
    ProgressBar2->setFixedWidth(150);
    h->addWidget(ProgressBar2);
    v->addWidget(row);
    // The status texts come first: the progress bar gives up its width to them.
    row->installEventFilter(this);
    sb1Row_ = row;
    connect(sb1, &TStatusPanels::textsChanged, this, &TForm2::fitProgressBar);

    // The bottom panel sits under the pages, above nothing else. The pages
    // scroll as a whole when the window is smaller than their controls (a
    // second start shrinks it to 400 x 200): the window never refuses a size,
    // and the status bars stay in sight.
    auto* central = new QWidget(this);
    auto* cv = new QVBoxLayout(central);
    cv->setContentsMargins(0, 0, 0, 0);
    cv->setSpacing(0);
    takeCentralWidget();
    auto* pages = new QScrollArea(central);
    pages->setObjectName("pc1Scroll");
    pages->setFrameShape(QFrame::NoFrame);
    pages->setWidgetResizable(true);
    pages->setWidget(pc1);
    cv->addWidget(pages, 1);
    cv->addWidget(bottom);
    setCentralWidget(central);
}

void TForm2::FormCreate()
{
    setAcceptDrops(true);
    new GraphicHints(this); // every hint of the program shows with its icon
    Properties = new TProperties(Cty, state_, this);
    ERRF = new TERRF(state_, this);
    connect(ERRF, &TERRF::logRowChosen, this, &TForm2::showLogRow);
    DT_change = new TDT_change(state_.log_grid, this);
    find_cabrillo = new Tfind_cabrillo([this] { return Properties->Edit6->text(); },
                                       [this](const QString& path) { Open_cabrillo_proc(path); }, this);
    buildCallInfo();
    Master_edit = new TMaster_edit(state_, M, QString::fromStdString(programFolder_.string()), [this] {
        Distribution->rm_buttonClick();
        return Distribution->lists().all;
    }, this);
    Page3830->MasterEditor = Master_edit;
    Page3830->op3InitialDir = [this] { return Properties->op3InitialDir; };
    buildTools();
    Reset_app();
    ReopenItemCount = 0;
    ReopenList.clear();
    const QDateTime now = QDateTime::currentDateTime();
    const CivilDateTime start = toCivil(now);
    countdownDays_ = daysBetween(start, contestDate(start));
    logo_ = makeContestLogo();
    // Window managers keep their menu to themselves: the countdown item heads the Help menu.
    countdownItem = new QAction(QIcon(logo_), QString::fromStdString(countdownText(countdownDays_)), this);
    countdownItem->setObjectName("countdownItem");
    connect(countdownItem, &QAction::triggered, this, &TForm2::countdownClick);
    QAction* first = helpMenu_->actions().value(0);
    helpMenu_->insertAction(first, countdownItem);
    helpMenu_->insertSeparator(first);
}

void TForm2::countdownClick() { shellOpen("https://www.rdxc.org/"); }

bool TForm2::event(QEvent* e)
{
    // The native window exists from the first show on (and anew after a
    // change of flags): it tells when the window manager has framed it.
    if (e->type() == QEvent::Show && windowHandle()) windowHandle()->installEventFilter(this);
    // The first show stands for the first activation: without a window
    // manager (or behind another window) no activation may ever come.
    if ((e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) && !activated_) {
        activated_ = true;
        // Start-up work runs after the window is on screen, once.
        QMetaObject::invokeMethod(this, &TForm2::FormActivate, Qt::QueuedConnection);
    }
    return QMainWindow::event(e);
}

void TForm2::FormActivate()
{
    // The master file: without it the program goes on, minus what needs it.
    try {
        M.LoadFromFile((programFolder_ / "master.dta").string());
        state_.MasterLoaded = true;
        sb1->panel(0).indent = 20; // right of the icon
        sb1->setText(0, "Master.dta");
    } catch (const std::exception&) {
        sb1->setText(0, zem::kNoMasterStatus);
        Nomaster();
        state_.MasterLoaded = false;
    }
    readSettingsAtStart();
    clearLabels();
    se2->setValue(se1->value() + 5);
    if (auto* scr = QGuiApplication::primaryScreen(); scr && scr->geometry().width() < 799)
        Show_msg("Screen resolution should be more than 800*600");
    openFromCommandLine();
}

void TForm2::readSettingsAtStart()
{
    iniPaths = settingsPath(programFolder_);
    try {
        settings = readSettings(iniPaths.read);
    } catch (const std::exception& e) {
        showError(e);
    }
    Properties->loadSettings(settings);
    se1->setValue(settings.MinBreak);
    chartsPage->applyChartSettings(settings);
    oolbar1->setChecked(settings.ShowToolbar);
    oolbar1Click();
    setFrameBounds(keptOnScreen(QRect(settings.WindowLeft, settings.WindowTop, settings.WindowWidth,
                                      settings.WindowHeight)));
    ReopenList.clear();
    for (const auto& f : settings.ReopenList) ReopenList << QString::fromStdString(f);
    build_reopen_menu();
}

void TForm2::writeSettingsAtClose()
{
    if (!Properties) return;
    Properties->saveSettings(settings);
    settings.MinBreak = se1->value();
    chartsPage->saveChartSettings(settings);
    settings.ShowToolbar = !tb->isHidden();
    // Bounds that a second start forced on the window are not the user's;
    // nor is the frame of a window closed after the window manager framed it
    // but before it could take the bounds asked for once more (its frame then
    // reaches past them, and would grow at every start).
    QRect g = frameGeometry();
    if (secondStartBounds_ && g == kSecondStartBounds) g = *secondStartBounds_;
    else if (unframedBounds_ && !frameMargins().isNull()) g = *unframedBounds_;
    settings.WindowTop = g.top();
    settings.WindowLeft = g.left();
    settings.WindowHeight = g.height();
    settings.WindowWidth = g.width();
    settings.ReopenList.clear();
    for (const QString& f : ReopenList) settings.ReopenList.push_back(f.toStdString());
    try {
        writeSettings(iniPaths.write, settings);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

void TForm2::setFrameBounds(const QRect& frame)
{
    placeFrame(frame);
    // Without margins the window is not framed yet (or never will be, with
    // no window manager): placed as if the frame were the window, its frame
    // would reach past the bounds once the window manager adds it.
    if (frameMargins().isNull()) unframedBounds_ = frame;
    else unframedBounds_.reset();
}

QMargins TForm2::frameMargins() const
{
    if (frameMarginsSource) return frameMarginsSource();
    const QWindow* native = windowHandle();
    return native && isVisible() ? native->frameMargins() : QMargins();
}

void TForm2::placeFrame(const QRect& frame)
{
    const QMargins m = frameMargins();
    setGeometry(QRect(frame.topLeft() + QPoint(m.left(), m.top()), frame.size().shrunkBy(m).expandedTo(QSize(1, 1))));
}

void TForm2::shrinkForSecondStart()
{
    // A third start finds the window where the second put it: what lies
    // underneath is still the user's.
    if (!secondStartBounds_ || frameGeometry() != kSecondStartBounds) secondStartBounds_ = frameGeometry();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    setFrameBounds(kSecondStartBounds);
    show();
}

void TForm2::openFromCommandLine()
{
    if (args_.isEmpty()) {
        if (settings.OpenCabrilloAtStart) o1Click();
        return;
    }
    const QString first = args_.first();
    if (first.toUpper() == "-UCG") {
        state_.UcgMode = true;
        return;
    }
    // The same kinds as a file dropped on the window; a file of no kind the
    // program reads is not passed over in silence, the user named it.
    if (!openByExtension(first)) Show_msg(notOpenedText(first));
}

bool TForm2::eventFilter(QObject* o, QEvent* e)
{
    // A window manager frames the window after it is shown, and tells the
    // frame's margins by then; the window itself need not move for it. The
    // first sign of the frame places the bounds asked for once more, now
    // with the frame round them; then they are done with, and the window's
    // own moves and resizes are left as they come.
    if (unframedBounds_ && o == windowHandle() &&
        (e->type() == QEvent::Expose || e->type() == QEvent::Move || e->type() == QEvent::Resize) &&
        !frameMargins().isNull()) {
        // Not inside the native window's own event. The bounds are done with
        // once placed: until then a close keeps them, not the passing frame.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (unframedBounds_) placeFrame(*std::exchange(unframedBounds_, std::nullopt));
            },
            Qt::QueuedConnection);
    }
    if (o == pc1 && e->type() == QEvent::Resize) FormResize();
    if (o == sb1Row_ && e->type() == QEvent::Resize) fitProgressBar();
    return QMainWindow::eventFilter(o, e);
}

void TForm2::FormResize()
{
    const int W = pc1->width();
    const int H = pc1->height();
    l11->resize(std::max(0, W - 240), l11->height());
    Breaks_Grid->resize(Breaks_Grid->width(), std::max(0, H - 70));
    StringGrid3->resize(std::max(0, W - 260), std::max(0, H - 40));
    Chart->resize(Chart->width(), std::max(0, H - 60));
    Distribution->resizePanel(W, H);
    // The grids of the pages fit their columns to their own new sizes.
}

void TForm2::log_gridDrawCell(QPainter& p, const QRect& r, int col, int row, bool selected)
{
    const std::uint32_t state = selected ? 0x6B2408 : 0xFFFFFF;
    for (const LogPaintOp& op : ::log_gridDrawCell(state_.log_grid, col, row, state)) {
        switch (op.kind) {
        case LogPaintOp::Fill:
            p.fillRect(r, bgrToQColor(op.brush));
            break;
        case LogPaintOp::Logo:
            p.drawPixmap(r.left() + op.x, r.top() + op.y, logo_);
            break;
        case LogPaintOp::Text: {
            QFont f = p.font();
            f.setBold(op.bold);
            p.setFont(f);
            const QString t = QString::fromUtf8(op.text);
            const QFontMetrics fm(f);
            const QRect box(r.left() + op.x, r.top() + op.y, fm.horizontalAdvance(t), fm.height());
            p.fillRect(box, bgrToQColor(op.brush)); // opaque text background
            p.setPen(bgrToQColor(op.font));
            p.drawText(box.left(), box.top() + fm.ascent(), t);
            break;
        }
        }
    }
}

int TForm2::logCellWidth(int col, int row, const TextWidths& widths) const
{
    // What the painting rules draw in the cell, where and how bold, plus a
    // margin on the right.
    int w = 0;
    for (const LogPaintOp& op : ::log_gridDrawCell(state_.log_grid, col, row, 0xFFFFFF)) {
        if (op.kind == LogPaintOp::Text)
            w = std::max(w, op.x + widths.width(op.text, op.bold));
        else if (op.kind == LogPaintOp::Logo)
            w = std::max(w, op.x + logo_.width());
    }
    return w > 0 ? w + 2 : 0;
}

void TForm2::fitProgressBar()
{
    if (!sb1Row_) return;
    // Narrower than 40 pixels only when the texts need the room, down to
    // nothing in a window too small for the texts and the bar both.
    const int room = sb1Row_->width() - sb1->usedWidth();
    ProgressBar2->setFixedWidth(room >= 40 ? std::min(room, 150)
                                           : std::clamp(sb1Row_->width() - sb1->neededUsedWidth(), 0, 40));
}

void TForm2::N4Click() { close(); }

QString TForm2::msgText(const std::string& s) { return QString::fromUtf8(s).replace('\r', '\n'); }

void TForm2::Nomaster()
{
    for (const auto& name : zem::NomasterHiddenCommands())
        if (auto* a = findChild<QAction*>(QString::fromStdString(name))) a->setVisible(false);
    for (const auto& name : zem::NomasterDisabledCommands())
        if (auto* a = findChild<QAction*>(QString::fromStdString(name))) a->setEnabled(false);
    Show_warning_msg(msgText(zem::NomasterText()));
}

void TForm2::InformationaboutMasterdta1Click() { Show_info_msg(msgText(zem::MasterInfoText(M))); }

void TForm2::sb1DrawPanel(QPainter& p, int panel, const QRect& r)
{
    const QRect text = sb1->textRect(panel);
    if (panel == 0) {
        if (state_.MasterLoaded) {
            p.drawPixmap(r.left(), r.top() + (r.height() - masterIcon_.height()) / 2, masterIcon_);
            p.setPen(Qt::blue);
        }
        p.setFont(sb1->panelFont(0));
        p.drawText(text.adjusted(std::as_const(*sb1).panel(0).indent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, sb1->text(0));
        return;
    }
    if (sb1->text(1).isEmpty()) return; // no log loaded
    QColor bg, fg;
    switch (panel) {
    case 1: bg = Qt::yellow; fg = Qt::black; break;
    case 2: bg = Qt::blue; fg = Qt::white; break;
    case 3: bg = palette().color(QPalette::Inactive, QPalette::Highlight); fg = palette().color(QPalette::Button); break;
    case 4: bg = palette().color(QPalette::Active, QPalette::Highlight); fg = Qt::white; break;
    default: return;
    }
    p.fillRect(r, bg);
    p.setFont(sb1->panelFont(panel));
    p.setPen(fg);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, sb1->text(panel));
}

void TForm2::closeEvent(QCloseEvent* e)
{
    FormClose();
    e->accept();
}

void TForm2::FormClose()
{
    if (activated_) writeSettingsAtClose();
}

void TForm2::showError(const std::exception& e) { Show_msg(msgText(e.what())); }

void TForm2::o1Click()
{
    const QString f = runCabrilloOpenDialog(this, Properties->op1Filter, Properties->op1InitialDir);
    if (!f.isEmpty()) Open_cabrillo_proc(f);
}

void TForm2::O2Click() { shellOpenOrTell(QString::fromStdString(state_.header.OutputDir)); }

void TForm2::Close1Click() { Reset_app(); }

void TForm2::N20Click() { Properties->exec(); }

void TForm2::Showinifile1Click() { shellOpenOrTell(QString::fromStdString(iniPaths.read.string())); }

void TForm2::shClick()
{
    if (state_.header.QsoCount < 1) return; // no log: nothing to save, and no folder of its own
    try {
        grid_to_html(state_.log_grid, "Log", state_.header.OutputDir, state_.header);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TForm2::showLogRow(int row)
{
    pc1->setCurrentIndex(0);
    log_grid->GoToCell(std::max(1, log_grid->currentIndex().column()), row);
}

void TForm2::setLogCommandsEnabled(bool loaded)
{
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->window() == this) b->setEnabled(loaded);
    for (const LogCommand& c : logCommands()) {
        QObject* o = findChild<QAction*>(c.name);
        if (!o) o = findChild<QWidget*>(c.name); // tool bars of the pages
        if (auto* m = qobject_cast<QMenu*>(o)) o = m->menuAction(); // a submenu greys out as a whole
        if (!o) continue;
        if (!loaded && c.disabledByReset) o->setProperty("enabled", false);
        if (loaded && c.enabledByActivate) o->setProperty("enabled", true);
    }
    dxccPage->setLogLoaded(loaded);
    wpxPage->setLogLoaded(loaded);
}

void TForm2::Reset_app()
{
    ::Reset_app(state_);
    OperatorMode = false;
    // Every result grid of the window empties, whatever page it is on; the
    // claimed-scores table keeps its rows, they belong to the report, not to
    // the log. The log table is hidden until a log is there.
    for (KeoEGridView* v : findChildren<KeoEGridView*>()) {
        if (v->window() != this || v->objectName() == "Keo3830") continue;
        v->grid().ClearGrid();
        v->gridModel()->refresh();
    }
    for (QListWidget* lb : findChildren<QListWidget*>()) lb->clear();
    clearLabels();
    log_grid->hide();
    setLogCommandsEnabled(false);
    setWindowTitle(kAppCaption);
    if (Chart_sum) Chart_sum->clear(kSummaryChartTitle);
    clear_all_series();
    twoRadioPage->clearCharts();
    for (int i = 1; i < sb1->panelCount(); ++i) sb1->setText(i, QString());
    // Nothing of the information bar may describe a log that is gone.
    clearCallInfo();
    sb3->setText(kElapsedPanel, QString());
    if (Page3830) Page3830->log_and_3830();
}

void TForm2::clearLabels()
{
    // Labels start empty (those of the dialogs are theirs); the Charts page
    // tells where its menu is.
    for (QLabel* l : findChildren<QLabel*>())
        if (l->window() == this && !l->property("fixedCaption").toBool()) l->clear();
    l6->setText(kMenuLabelCaption);
}

void TForm2::make_log_folder(const QString& loadedFile)
{
    const auto folder = ::make_log_folder(state_, QFile::encodeName(loadedFile).toStdString());
    QDir::setCurrent(QString::fromStdString(folder.string()));
}

void TForm2::activatemenu()
{
    guarded([this] { activateLoadedLogInWindow(); });
}

void TForm2::activateLoadedLogInWindow()
{
    if (!activateLoadedLog(state_)) { // an empty log: back to no log
        Reset_app();
        return;
    }
    Distribution->newLog();
    clearCallInfo(); // the readers that keep the rest of the window replace the log all the same
    log_grid->show();
    setLogCommandsEnabled(true);
    setWindowTitle(QString::fromStdString(mainCaptionAfterLoad(state_.header)));
    const auto panels = statusPanelsAfterLoad(state_.header);
    sb1->setText(1, QString::fromStdString(panels.qsoCount));
    sb1->setText(3, QString::fromStdString(panels.category));
    sb1->setText(4, QString::fromStdString(panels.contestYear));
    for (int i = 1; i <= 4; ++i) sb1->panel(i).width = sb1->neededWidth(i);
    sb1->update();
    fitProgressBar();
    // The log's call goes to the near zone's "For callsign"; the settings'
    // own call stays the user's.
    nearZonePage->Edit1->setText(QString::fromStdString(state_.header.StationCall));
    pc1->setCurrentIndex(0);
    log_grid->setFocus();
    Process_log_and_summary();
    if (Properties->s->isChecked()) {
        pc1->setCurrentIndex(1);
        Summary_Grid->setFocus();
    }
    Mark_dupes();
    KA_indexs();
    qso_proc();
    log_grid->gridModel()->refresh();
}

void TForm2::Process_log_and_summary()
{
    const Job job(*this);
    const int qsos = state_.header.QsoCount;
    AnalysisPassReport rep;
    bool cursorSet = false;
    try {
        rep = ::Process_log_and_summary(state_, Cty, M.Loaded() ? &M : nullptr, Properties->cb1->isChecked(), summary,
                                        [&](int row, int count) {
                                            const QCursor c = MakeProgressCursor(0, count, row);
                                            if (cursorSet) QApplication::changeOverrideCursor(c);
                                            else QApplication::setOverrideCursor(c);
                                            cursorSet = true;
                                            ProgressBar2->setValue(PercentOf(0, count, row, 100));
                                        });
    } catch (const std::exception& e) {
        if (cursorSet) QApplication::restoreOverrideCursor();
        showError(e);
        return;
    }
    Q_UNUSED(qsos);
    summary.Summary_Grid.Row = SummaryTotalRow;
    Summary_Grid->gridModel()->refresh();
    Summary_Grid->setCurrentIndex(Summary_Grid->model()->index(SummaryTotalRow - 1, 0));
    Chart_sum->setData(summary.Chart_sum);
    CalculateTime();
    const std::string dir = state_.header.OutputDir;
    try {
        Chart_sum->saveJpeg((std::filesystem::path(dir) / "Summary.jpg").string());
        grid_to_html(summary.Summary_Grid, "Summary", dir, state_.header, true);
    } catch (const std::exception& e) {
        showError(e);
    }
    if (cursorSet) QApplication::restoreOverrideCursor();
    if (!rep.ConversionErrors.empty()) Show_msg(QString::fromStdString(rep.ConversionErrors.front()));
    Page3830->log_and_3830();
}

void TForm2::KA_indexs()
{
    const auto r = ::KA_indexs(state_.log_grid, state_.header.QsoCount, programFolder_,
                               Properties->c1->currentText().toStdString(), &kIndexTable);
    const QString text = QString::fromStdString(r.StatusText);
    // Its texts vary with the observatory and the file: the panel grows to them.
    sb1->setText(5, text);
}

void TForm2::N3830Click() { Page3830->Open2Click(); }

void TForm2::tb3Click() { Page3830->Open2Click(); }

void TForm2::openDropped3830(const QString& path) { Page3830->openDropped(path); }

void TForm2::MASTER1Click()
{
    // The results table has no reader: the choice of a file is all there is.
    QFileDialog::getOpenFileName(this, "Open results", Properties->op2InitialDir, "Contest results(*.csv)");
}

void TForm2::Mastereditor1Click() { Master_edit->exec(); }

void TForm2::Mark_dupes()
{
    const QString text = QString::fromStdString(dupesText(::Mark_dupes(state_.log_grid, state_.header.QsoCount)));
    sb1->setText(2, text);
    sb1->panel(2).width = sb1->neededWidth(2);
    sb1->update();
}

void TForm2::qso_proc()
{
    Distribution->rm_buttonClick();
    ::qso_proc(state_.log_grid, state_.header.QsoCount, Distribution->lists());
}

void TForm2::Clear1Click()
{
    try {
        clearBandChangeMarks(state_.log_grid, state_.header.QsoCount);
    } catch (const std::exception& e) {
        showError(e);
    }
    log_grid->setFocus();
    log_grid->viewport()->update();
}

void TForm2::oolbar1Click() { tb->setVisible(oolbar1->isChecked()); }

TForm2::Job::Job(TForm2& form) : form_(form)
{
    form_.startJob();
    ++form_.openJobs_;
}

TForm2::Job::~Job() { --form_.openJobs_; }

void TForm2::startJob()
{
    if (openJobs_ > 0) return;
    JobStart = JobNow();
    jobModalMark_ = modalMark();
}

void TForm2::CalculateTime()
{
    // The time the user spent reading the command's boxes is not the command's.
    const double ms = JobElapsedMs(JobStart, JobNow(), modalMsSince(jobModalMark_));
    sb3->setText(kElapsedPanel, QString::fromStdString(elapsedText(ms)));
    ProgressBar2->setValue(0);
    if (state_.BadQsoCount > 0) ERRF->showForJob(this);
}

void TForm2::except_proc() { Show_msg(msgText(except_proc_text(state_))); }

void TForm2::Open_cabrillo_proc(const QString& path)
{
    const Job job(*this);
    loadWithReader(path, true, true, [&] { readCabrilloLog(state_, path.toStdString()); });
}

void TForm2::loadWithReader(const QString& path, bool fullReset, bool addToReopen,
                            const std::function<void()>& read)
{
    // Taken now: the load makes the log folder current, and the Reopen list
    // must find the file from anywhere.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (fullReset) {
        Reset_app();
    } else {
        state_.log_grid.ClearGrid();
        state_.header.QsoCount = 0;
    }
    try {
        read();
    } catch (const std::exception& e) {
        showError(e);
        Reset_app();
        return;
    }
    if (!makeFolderAndActivate(absolute)) return;
    // The command ends here: nothing may reach the event loop.
    if (addToReopen) guarded([&] { check_and_add_filename_to_reopen(absolute); });
}

bool TForm2::makeFolderAndActivate(const QString& loadedFile)
{
    try {
        make_log_folder(loadedFile);
    } catch (const std::exception& e) {
        showError(e);
        Reset_app();
        return false;
    }
    activatemenu();
    return true;
}

void TForm2::Load_TR_fileClick()
{
    const QString f = QFileDialog::getOpenFileName(this, "Open TR Log file", Properties->optInitialDir,
                                                   "TRLog filel(*.dat);;Any file(*.*)");
    if (!f.isEmpty()) Open_TR(f);
}

void TForm2::Open_TR(const QString& path)
{
    // TR Log's own configuration files share the log's extension: opening
    // one by mistake must not throw away the loaded log.
    if (isTrLogConfigFile(path.toStdString())) return;
    const Job job(*this);
    loadWithReader(path, true, true, [&] { readTrLog(state_, path.toStdString()); });
}

void TForm2::MixWLogfile1Click()
{
    const QString f = QFileDialog::getOpenFileName(this, "Open MixW Log file ...", QString(),
                                                   "MixW2 log files  (*.log);;Any file(*.*)");
    if (!f.isEmpty()) open_MixW(f);
}

void TForm2::open_MixW(const QString& path)
{
    const Job job(*this);
    loadWithReader(path, false, false, [&] { readMixwLog(state_, path.toStdString()); });
}

void TForm2::OpenCT1Click()
{
    const QString f = QFileDialog::getOpenFileName(this, "Open CT Log v.10 ...", QString(),
                                                   "CT Log v.10  (*.bin);;Any file(*.*)");
    if (!f.isEmpty()) Open_ct();
}

// CT's binary log layout is not read: choosing a file changes nothing.
void TForm2::Open_ct() {}

void TForm2::FinfClick() { find_cabrillo->exec(); }

void TForm2::NdClick()
{
    Tn1mm dialog(*this, this);
    dialog.exec();
}

void TForm2::loadN1mmContest(const QString& database, const N1mmContest& contest)
{
    std::unique_ptr<TableSource> db;
    try {
        db = openAccessDatabase(database.toStdString());
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    loadN1mmContest(*db, database, contest);
}

void TForm2::loadN1mmContest(TableSource& db, const QString& database, const N1mmContest& contest)
{
    const Job job(*this);
    loadWithReader(database, false, false, [&] {
        if (importN1mmContest(state_, db, contest, database.toStdString()) == 0)
            throw std::runtime_error("No QSO`s");
    });
}

void TForm2::guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        showError(e);
    } catch (...) {
        Show_msg("Unknown error");
    }
}

void TForm2::check_and_add_filename_to_reopen(const QString& fileName)
{
    std::vector<std::string> list;
    for (const QString& f : ReopenList) list.push_back(f.toStdString());
    LoadedFileName = fileName; // every load ends here with its file
    if (!::check_and_add_filename_to_reopen(list, fileName.toStdString())) return;
    ReopenList.clear();
    for (const auto& f : list) ReopenList << QString::fromStdString(f);
    build_reopen_menu();
}

void TForm2::build_reopen_menu()
{
    Reopen2->clear();
    ReopenItems.fill(nullptr);
    std::vector<std::string> list;
    for (const QString& f : ReopenList) list.push_back(f.toStdString());
    const auto items = ::build_reopen_menu(list);
    ReopenItemCount = static_cast<int>(std::min<size_t>(items.size(), ReopenItems.size()));
    for (int i = 0; i < ReopenItemCount; ++i) {
        const auto& it = items[static_cast<size_t>(i)];
        QAction* a = Reopen2->addAction(QString::fromStdString(it.caption));
        a->setData(QString::fromStdString(it.path));
        if (it.choice.reader == ReopenReader::Cabrillo)
            connect(a, &QAction::triggered, this, &TForm2::reopen_cabrillo_click);
        else if (it.choice.reader == ReopenReader::TRLog)
            connect(a, &QAction::triggered, this, [this, a] {
                if (reopenable(reopenPathOf(a))) Open_TR(reopenPathOf(a));
            });
        else if (it.choice.reader == ReopenReader::ADIF)
            connect(a, &QAction::triggered, this, &TForm2::reopen_adif_click);
        ReopenItems[static_cast<size_t>(i)] = a;
    }
}

QString TForm2::reopenPathOf(QAction* item) const { return item ? item->data().toString() : QString(); }

bool TForm2::reopenable(const QString& path)
{
    // A file gone since it was recorded is reported before any reader
    // starts: the log on screen stays.
    try {
        checkFileReadable(QFile::encodeName(path).toStdString());
        return true;
    } catch (const std::exception& e) {
        showError(e);
        return false;
    }
}

void TForm2::reopen_cabrillo_click()
{
    auto* a = qobject_cast<QAction*>(sender());
    if (a && reopenable(reopenPathOf(a))) Open_cabrillo_proc(reopenPathOf(a));
}

void TForm2::reopen_adif_click()
{
    if (auto* a = qobject_cast<QAction*>(sender()); a && reopenable(reopenPathOf(a))) {
        ADIF_OD_FileName = reopenPathOf(a);
        open_adif();
    }
}

void TForm2::OpenADIF1Click()
{
    const QString f = runAdifOpenDialog(this);
    if (f.isEmpty()) return;
    ADIF_OD_FileName = f;
    open_adif();
}


void TForm2::open_adif()
{
    // Absolute before the load makes the log folder current: the operator
    // chooser reads the file again, and the Reopen list keeps it.
    ADIF_OD_FileName = QFileInfo(ADIF_OD_FileName).absoluteFilePath();
    const QString path = ADIF_OD_FileName;
    std::string data;
    try {
        data = zem::readFile(QFile::encodeName(path).toStdString());
    } catch (const std::exception& e) {
        OperatorMode = false;
        showError(e); // a file that cannot be read leaves the loaded log as it is
        return;
    }
    // No full reset: an operator chosen for this reading must survive it.
    clear_all_series();
    state_.log_grid.ClearGrid();
    auto& h = state_.header;
    // Nothing of the previous log's header may stay; operator mode builds on
    // the station call it read before.
    const std::string stationCall = h.StationCall;
    resetLogHeader(h);
    if (OperatorMode) {
        // One operator at a time: a second choice replaces the first.
        h.StationCall = stationCall.substr(0, stationCall.find(' ')) + " " + ChosenOperator.toStdString();
    } else {
        QString answer;
        h.StationCall = askAdifCallsign(this, QFileInfo(path).completeBaseName(), answer)
                            ? adifStationCall(answer.toStdString())
                            : Properties->Edit1->text().toStdString();
    }
    const Job job(*this); // the time at the prompt is the user's, not the load's
    const AdifReadResult read = readAdifRecords(state_, data, {OperatorMode, ChosenOperator.toStdString()});
    h.OutputDir = absoluteFolderOf(QFile::encodeName(path).toStdString());
    OperatorMode = false;
    if (!makeFolderAndActivate()) return;
    if (read.operators) {
        Co1->setEnabled(true);
        mo1->setEnabled(true);
    }
    // The command ends here: nothing may reach the event loop.
    guarded([&] { check_and_add_filename_to_reopen(path); });
}

void TForm2::eaClick()
{
    if (state_.header.QsoCount < 1) return;
    const QString chosen = runAdifSaveDialog(this, QString::fromStdString(state_.header.LogTitle));
    if (chosen.isEmpty()) return;
    try {
        exportAdif(QFile::encodeName(chosen).toStdString(), state_.log_grid, state_.header,
                   LoadedFileName.toStdString());
    } catch (const std::exception& e) {
        showError(e);
    }
}
