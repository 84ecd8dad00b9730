// The main window's shell: its menus, the page pop-up, the log table's
// pop-up, the tool bar, dropped files, the wheel on the log table, full
// screen, "On top" and the About box.

#include "main/form2.h"

#include "analysis/charts_page.h"
#include "analysis/dxcc_page.h"
#include "analysis/score_commands.h"
#include "main/about_dialog.h"
#include "main/keoe_grid_view.h"
#include "reports/claimed_scores_page.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QKeyEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {})
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    if (!key.isEmpty()) item->setShortcut(key);
    return item;
}

// Turns the wheel notches over a widget into calls of a step handler; the
// widget itself does not scroll. Touchpads and fine wheels send a notch in
// small parts: the parts are summed and each whole notch (120) is one step.
class WheelSteps : public QObject {
public:
    WheelSteps(QObject* parent, std::function<void(bool down)> step) : QObject(parent), step_(std::move(step)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Wheel) return QObject::eventFilter(o, e);
        const int dy = static_cast<QWheelEvent*>(e)->angleDelta().y();
        if (dy == 0) return QObject::eventFilter(o, e);
        // A turn the other way starts afresh rather than paying off what was left.
        if ((dy < 0) != (sum_ < 0)) sum_ = 0;
        sum_ += dy;
        for (; sum_ >= kNotch; sum_ -= kNotch) step_(false);
        for (; sum_ <= -kNotch; sum_ += kNotch) step_(true);
        return true;
    }

private:
    static constexpr int kNotch = 120;
    std::function<void(bool)> step_;
    int sum_ = 0;
};

// The window sees every key before its controls do: Esc in any control of
// the main window closes it (dialogs and pop-ups are windows of their own).
class EscCloses : public QObject {
public:
    explicit EscCloses(QWidget* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && w->window() == form_) {
                form_->close();
                return true;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    QWidget* form_;
};

// Moves to the next (dir 1) or previous (dir -1) visible page, round the end.
void stepPage(QTabWidget* pc, int dir)
{
    const int n = pc->count();
    int i = pc->currentIndex();
    for (int k = 0; k < n; ++k) {
        i = (i + dir + n) % n;
        if (pc->isTabVisible(i)) {
            pc->setCurrentIndex(i);
            return;
        }
    }
}

void stepLogRow(KeoEGridView* view, int speed, bool down)
{
    const QModelIndex cur = view->currentIndex();
    const int row = cur.isValid() ? cur.row() + 1 : view->grid().Row;
    const int next = wheelStepRow(row, view->grid().RowCount(), speed, down);
    view->setCurrentIndex(view->model()->index(next - 1, std::max(0, cur.column())));
}

// The 16-bit holder of the wheel speed bounds it when no log gives a row count.
constexpr int kWheelSpeedMax = 32767;

} // namespace

void TForm2::buildMenus()
{
    fileMenu_ = menuBar()->addMenu("File");
    fileMenu_->setObjectName("File");
    viewMenu_ = menuBar()->addMenu("View");
    viewMenu_->setObjectName("View");
    toolsMenu_ = menuBar()->addMenu("Tools");
    toolsMenu_->setObjectName("Tools");
    helpMenu_ = menuBar()->addMenu("Help");
    helpMenu_->setObjectName("Help");

    o1 = addItem(fileMenu_, "o1", "Open Cabrillo...", QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(o1, &QAction::triggered, this, &TForm2::o1Click);
    Openotherformats1 = fileMenu_->addMenu("Open other formats...");
    Openotherformats1->setObjectName("Openotherformats1");
    OpenADIF1 = addItem(Openotherformats1, "OpenADIF1", "ADIF...");
    connect(OpenADIF1, &QAction::triggered, this, &TForm2::OpenADIF1Click);
    Load_TR_file = addItem(Openotherformats1, "Load_TR_file", "TR Log...");
    connect(Load_TR_file, &QAction::triggered, this, &TForm2::Load_TR_fileClick);
    connect(addItem(Openotherformats1, "MixWLogfile1", "MixW2..."), &QAction::triggered, this,
            &TForm2::MixWLogfile1Click);
    connect(addItem(Openotherformats1, "Nd", "N1MM Datebase"), &QAction::triggered, this, &TForm2::NdClick);
    connect(addItem(Openotherformats1, "OpenCT1", "CT Log v.10 ..."), &QAction::triggered, this,
            &TForm2::OpenCT1Click);
    N3830 = addItem(fileMenu_, "N3830", "3830 Claimed scores");
    connect(N3830, &QAction::triggered, this, &TForm2::N3830Click);
    MASTER1 = addItem(fileMenu_, "MASTER1", "Results");
    connect(MASTER1, &QAction::triggered, this, &TForm2::MASTER1Click);
    Reopen2 = fileMenu_->addMenu("Reopen");
    Reopen2->setObjectName("Reopen2");
    O2 = addItem(fileMenu_, "O2", "Open log folder");
    connect(O2, &QAction::triggered, this, &TForm2::O2Click);
    Close1 = addItem(fileMenu_, "Close1", "Close Log");
    connect(Close1, &QAction::triggered, this, &TForm2::Close1Click);
    fileMenu_->addSeparator();
    N4 = addItem(fileMenu_, "N4", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4));
    N4->setToolTip("Exit from ZEM");
    N4->setStatusTip("Exit from ZEM");
    connect(N4, &QAction::triggered, this, &TForm2::N4Click);

    sr = addItem(viewMenu_, "sr", "ZEM Report", QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(sr, &QAction::triggered, this, &TForm2::srClick);
    Page_next = addItem(viewMenu_, "Page_next", "Next window", QKeySequence(Qt::Key_Right));
    connect(Page_next, &QAction::triggered, this, &TForm2::Page_nextClick);
    Page_previous = addItem(viewMenu_, "Page_previous", "Previous window", QKeySequence(Qt::Key_Left));
    connect(Page_previous, &QAction::triggered, this, &TForm2::Page_previousClick);
    N20 = addItem(viewMenu_, "N20", "Settings", QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(N20, &QAction::triggered, this, &TForm2::N20Click);
    hh1 = addItem(viewMenu_, "hh1", "Review of Cabrillo files", QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(hh1, &QAction::triggered, this, &TForm2::FinfClick);
    Fullscreen1 = addItem(viewMenu_, "Fullscreen1", "Full screen", QKeySequence(Qt::Key_Insert));
    connect(Fullscreen1, &QAction::triggered, this, &TForm2::Fullscreen1Click);
    a = addItem(viewMenu_, "a", "On top");
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, &TForm2::aClick);
    viewMenu_->addSeparator();
    oolbar1 = addItem(viewMenu_, "oolbar1", "Toolbar");
    oolbar1->setCheckable(true);
    oolbar1->setChecked(true);
    connect(oolbar1, &QAction::triggered, this, &TForm2::oolbar1Click);
    connect(addItem(viewMenu_, "Showinifile1", "Show INI file"), &QAction::triggered, this,
            &TForm2::Showinifile1Click);

    N24 = addItem(toolsMenu_, "N24", "Information on callsign");
    connect(N24, &QAction::triggered, this, &TForm2::N24Click);
    ITUWAZ1 = addItem(toolsMenu_, "ITUWAZ1", "ITU-WAZ");
    connect(ITUWAZ1, &QAction::triggered, this, &TForm2::ITUWAZ1Click);
    Rem = addItem(toolsMenu_, "Rem", "Remoteness of the countries");
    connect(Rem, &QAction::triggered, this, &TForm2::RemClick);
    imefortransmittingcallsigninCW1 =
        addItem(toolsMenu_, "imefortransmittingcallsigninCW1", "Time for transmitting CW message");
    connect(imefortransmittingcallsigninCW1, &QAction::triggered, this, &TForm2::imefortransmittingcallsigninCW1Click);
    Mastereditor1 = addItem(toolsMenu_, "Mastereditor1", "Master editor");
    connect(Mastereditor1, &QAction::triggered, this, &TForm2::Mastereditor1Click);
    Re1 = addItem(toolsMenu_, "Re1", "Analysis of spots", QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(Re1, &QAction::triggered, this, &TForm2::Re1Click);

    // The countdown item goes on top of these when the window is created.
    connect(addItem(helpMenu_, "InformationaboutMasterdta1", "Information about Master.dta"), &QAction::triggered,
            this, &TForm2::InformationaboutMasterdta1Click);
    N27 = addItem(helpMenu_, "N27", "About");
    connect(N27, &QAction::triggered, this, &TForm2::N27Click);

    // Enabled by a load whose QSOs carry operators; their work comes with the
    // operator table. Co1 sits in the log table's pop-up.
    Co1 = new QAction("Choose the operator", this);
    Co1->setObjectName("Co1");
    Co1->setEnabled(false);
    mo1 = new QAction("QSO vs. Op.", this);
    mo1->setObjectName("mo1");
    mo1->setEnabled(false);

    Find1 = new QAction("Find QSO", this); // an item of the log table's pop-up
    Find1->setObjectName("Find1");
    Find1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(Find1, &QAction::triggered, this, &TForm2::Find1Click);
    addAction(Find1); // its shortcut works while the pop-up is closed

    common = new QMenu(this);
    common->setObjectName("common");
    connect(addItem(common, "Open_Cabrillo", "Open Cabrillo..."), &QAction::triggered, this,
            &TForm2::Open_CabrilloClick);
    const struct {
        const char* name;
        const char* caption;
        void (TForm2::*slot)();
    } pageItems[] = {{"Log1", "Log", &TForm2::Log1Click},
                     {"Summary1", "Summary", &TForm2::Summary1Click},
                     {"N35", "Distribution", &TForm2::N35Click},
                     {"N36", "Breaks", &TForm2::N36Click},
                     {"N37", "Rate", &TForm2::N37Click},
                     {"N38", "Errors", &TForm2::N38Click},
                     {"DXCC1", "DXCC", &TForm2::DXCC1Click},
                     {"Uhfabrb1", "Charts", &TForm2::Uhfabrb1Click},
                     {"N39", "Second radio", &TForm2::N39Click},
                     {"WPX2", "WPX", &TForm2::WPX2Click},
                     {"Nearzone1", "Near zone", &TForm2::Nearzone1Click}};
    for (const auto& it : pageItems) connect(addItem(common, it.name, it.caption), &QAction::triggered, this, it.slot);
    // Whatever part of the window has no pop-up of its own shows this one.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { common->popup(mapToGlobal(pos)); });

    buildToolBar();

    qApp->installEventFilter(new EscCloses(this));
}

void TForm2::buildToolBar()
{
    tb = addToolBar("Toolbar");
    tb->setObjectName("tb");
    tb->setMovable(false);
    // Each button runs its menu item (which does nothing while disabled);
    // the buttons' own enabled state is the post-load chain's business.
    auto button = [this](const char* name, QAction* item, QStyle::StandardPixmap icon) {
        QAction* b = tb->addAction(style()->standardIcon(icon), item->text());
        b->setObjectName(name);
        b->setToolTip(item->toolTip()); // the item's hint, else its caption
        connect(b, &QAction::triggered, item, &QAction::trigger);
        return b;
    };
    button("tb1", o1, QStyle::SP_DialogOpenButton);
    button("tb2", Load_TR_file, QStyle::SP_FileIcon);
    tb3 = tb->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), "3830 Claimed scores");
    tb3->setObjectName("tb3");
    connect(tb3, &QAction::triggered, this, &TForm2::tb3Click);
    tb->addSeparator();
    tb4 = button("tb4", sr, QStyle::SP_FileDialogDetailedView);
    tb4->setEnabled(false);
    TB_find_qso = button("TB_find_qso", Find1, QStyle::SP_FileDialogInfoView);
    tb->addSeparator();
    button("tb6", N20, QStyle::SP_ComputerIcon);
    button("TB8", Page_previous, QStyle::SP_ArrowLeft);
    button("TB9", Page_next, QStyle::SP_ArrowRight);
    button("tb7", N4, QStyle::SP_DialogCloseButton);
}

void TForm2::buildLogPopup()
{
    log_Pop = new QMenu(log_grid);
    log_Pop->setObjectName("log_Pop");
    connect(addItem(log_Pop, "OpenCabrillo1", "Open Cabrillo"), &QAction::triggered, this, &TForm2::o1Click);
    log_Pop->addAction(Find1);
    bandsChangeRuleMenu = log_Pop->addMenu("Check bands change rule");
    bandsChangeRuleMenu->setObjectName("Checkbandschangerule1");
    Clear1 = addItem(bandsChangeRuleMenu, "Clear1", "Clear");
    connect(Clear1, &QAction::triggered, this, &TForm2::Clear1Click);
    ea = addItem(log_Pop, "ea", "Export log to ADIF");
    connect(ea, &QAction::triggered, this, &TForm2::eaClick);
    sh = addItem(log_Pop, "sh", "Save Log in HTML");
    connect(sh, &QAction::triggered, this, &TForm2::shClick);
    Scores = new TScoreCommands(*this, log_Pop);
    Checkin3830ClaimedScores1 = addItem(log_Pop, "Checkin3830ClaimedScores1", "Check in 3830 Claimed Scores");
    connect(Checkin3830ClaimedScores1, &QAction::triggered, this, &TForm2::Checkin3830ClaimedScores1Click);
    // Without a report there is nothing to check the log in.
    Checkin3830ClaimedScores1->setEnabled(false);
    connect(log_Pop, &QMenu::aboutToShow, this,
            [this] { Checkin3830ClaimedScores1->setEnabled(Page3830 && Page3830->hasReport()); });
    log_Pop->addAction(Co1);
    ms = addItem(log_Pop, "ms", "Mouse Wheel Speed");
    connect(ms, &QAction::triggered, this, &TForm2::msClick);
    log_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(log_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { log_Pop->popup(log_grid->viewport()->mapToGlobal(pos)); });
    log_grid->viewport()->installEventFilter(new WheelSteps(log_grid, [this](bool down) {
        if (down) log_gridMouseWheelDown();
        else log_gridMouseWheelUp();
    }));
}

void TForm2::Checkin3830ClaimedScores1Click()
{
    if (!Page3830 || !Page3830->hasReport()) return;
    Page3830->log_and_3830();
    showPage("3830");
}

// ---- Charts menu ----

void TForm2::buildChartMenuCommands()
{
    connect(chartsPage->WPX1, &QAction::triggered, this, &TForm2::WPX1Click);
    connect(chartsPage->N41, &QAction::triggered, this, &TForm2::N41Click);
}

void TForm2::WPX1Click() { dxccPage->wpx_ButtonClick(); }

void TForm2::N41Click() { dxccPage->Button15Click(); }

// ---- Pages ----

void TForm2::showPage(const QString& title)
{
    for (int i = 0; i < pc1->count(); ++i)
        if (pc1->tabText(i) == title) {
            pc1->setCurrentIndex(i);
            return;
        }
}

void TForm2::Page_nextClick() { stepPage(pc1, 1); }
void TForm2::Page_previousClick() { stepPage(pc1, -1); }
void TForm2::Open_CabrilloClick() { o1Click(); }
void TForm2::Log1Click() { showPage("Log"); }
void TForm2::Summary1Click() { showPage("Summary"); }
void TForm2::N35Click() { showPage("Distribution"); }
void TForm2::N36Click() { showPage("Breaks"); }
void TForm2::N37Click() { showPage("Rate"); }
void TForm2::N38Click() { showPage("Errors"); }
void TForm2::DXCC1Click() { showPage("DXCC"); }
void TForm2::Uhfabrb1Click() { showPage("Charts"); }
void TForm2::N39Click() { showPage("2 Radio"); }
void TForm2::WPX2Click() { showPage("WPX"); }
void TForm2::Nearzone1Click() { showPage("Near zone"); }

// ---- Windows of other commands, wired where they are built ----


void TForm2::N27Click()
{
    TForm1 about(this);
    about.exec();
}

// ---- Window ----

void TForm2::Fullscreen1Click()
{
    const QScreen* scr = screen();
    if (!scr) return;
    const QRect s = scr->geometry();
    const QRect frame = frameGeometry();
    const auto r = fullScreen_.toggle({frame.x() - s.x(), frame.y() - s.y(), frame.width(), frame.height()},
                                      s.width(), s.height());
    if (!r) return;
    setFrameBounds(QRect(s.x() + r->left, s.y() + r->top, r->width, r->height));
}

void TForm2::aClick()
{
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, a->isChecked());
    if (shown) show(); // a change of flags hides the window
}

// ---- Wheel on the log table ----

void TForm2::msClick()
{
    const QString caption = ms->text();
    bool ok = false;
    const QString text = QInputDialog::getText(this, caption, "Input " + caption, QLineEdit::Normal,
                                               QString::number(settings.WheelSpeed), &ok);
    if (!ok) return;
    const int rows = state_.header.QsoCount > 0 ? std::min(state_.header.QsoCount, kWheelSpeedMax) : kWheelSpeedMax;
    if (const auto speed = parseWheelSpeed(text.toStdString(), rows)) settings.WheelSpeed = *speed;
}

void TForm2::log_gridMouseWheelDown() { stepLogRow(log_grid, settings.WheelSpeed, true); }

void TForm2::log_gridMouseWheelUp() { stepLogRow(log_grid, settings.WheelSpeed, false); }

// ---- Dropped files ----

void TForm2::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* e)
{
    QStringList files;
    const QList<QUrl> urls = e->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) files << urls.first().toLocalFile();
    e->acceptProposedAction();
    // The drop is over before a log is read.
    QMetaObject::invokeMethod(this, [this, files] { WMDropFiles(files); }, Qt::QueuedConnection);
}

void TForm2::WMDropFiles(const QStringList& files)
{
    if (files.isEmpty()) return;
    openByExtension(files.first()); // a file of another kind is ignored
}

bool TForm2::openByExtension(const QString& path)
{
    const DroppedFileReader reader = readerForDroppedFile(QFile::encodeName(path).toStdString());
    if (reader == DroppedFileReader::None) return false;
    // A name relative to the folder the program was started in still names
    // the file once its own folder is current.
    const QString file = QFileInfo(path).absoluteFilePath();
    if (reader == DroppedFileReader::Claimed3830) {
        openDropped3830(file);
        return true;
    }
    QDir::setCurrent(QFileInfo(file).absolutePath());
    switch (reader) {
    case DroppedFileReader::TRLog:
        Open_TR(file);
        break;
    case DroppedFileReader::ADIF:
        ADIF_OD_FileName = file;
        open_adif();
        break;
    default:
        Open_cabrillo_proc(file);
        break;
    }
    return true;
}

QString TForm2::notOpenedText(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const QString ext = QString::fromStdString(std::filesystem::path(QFile::encodeName(name).toStdString()).extension().string());
    QString text = ext.isEmpty() ? QString("\"%1\" was not opened: ZEM tells a file's kind by the end of its name, "
                                           "and this name has no extension.").arg(path)
                                 : QString("\"%1\" was not opened: ZEM does not read files whose names end in \"%2\".")
                                       .arg(path, ext);
    QStringList kinds;
    for (const DroppedFileReader reader :
         {DroppedFileReader::Cabrillo, DroppedFileReader::TRLog, DroppedFileReader::ADIF, DroppedFileReader::Claimed3830}) {
        QStringList exts;
        for (const ReaderExtension& e : readerExtensions())
            if (e.reader == reader) exts << e.extension;
        const char* what = reader == DroppedFileReader::Cabrillo ? "Cabrillo logs"
                           : reader == DroppedFileReader::TRLog  ? "TR Log files"
                           : reader == DroppedFileReader::ADIF   ? "ADIF files"
                                                                 : "3830 claimed-score mails";
        kinds << QString("%1 (%2)").arg(what, exts.join(", "));
    }
    text += "\n\nIt opens " + kinds.mid(0, kinds.size() - 1).join(", ") + " and " + kinds.last() + ".";
    return text;
}
