#include "reports/claimed_scores_page.h"

#include "main/app_state.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/output_folder.h"
#include "main/platform.h"
#include "main/text_util.h"
#include "refdata/cty_search.h"
#include "refdata/master_edit_dialog.h"
#include "reports/claimed_scores.h"
#include "reports/html_export.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>

ClaimedScoresPage::ClaimedScoresPage(AppState& state, TCty_search& cty, QWidget* parent)
    : QWidget(parent), state_(state), cty_(cty)
{
    setObjectName("ClaimedScoresPage");
    initClaimedScoresGrid(keo3830);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true); // a long mail subject takes a second line rather than being cut
    v->addWidget(Label1);
    Keo3830 = new KeoEGridView(keo3830, this);
    Keo3830->setObjectName("Keo3830");
    Keo3830->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->addWidget(Keo3830, 1);
    // Below a table held to the part of the page in view: empty page, not a
    // taller subject line.
    Label1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    v->addStretch(0);
    connect(Keo3830, &QAbstractItemView::clicked, this, &ClaimedScoresPage::Keo3830Click);

    Pop3830 = new QMenu(this);
    Pop3830->setObjectName("Pop3830");
    auto add = [this](const char* caption, const char* name, void (ClaimedScoresPage::*slot)()) {
        QAction* a = Pop3830->addAction(caption, this, slot);
        a->setObjectName(name);
        return a;
    };
    Open2 = add("Open 3830 Claimed scores", "Open2", &ClaimedScoresPage::Open2Click);
    Refresh1 = add("Refresh", "Refresh1", &ClaimedScoresPage::Refresh1Click);
    AddcallsignstoMasterdta1 =
        add("Add callsigns to Master.dta", "AddcallsignstoMasterdta1", &ClaimedScoresPage::AddcallsignstoMasterdta1Click);
    Findcallsign1 = add("Find callsign", "Findcallsign1", &ClaimedScoresPage::Findcallsign1Click);
    SavetoHTML1 = add("Save to HTML", "SavetoHTML1", &ClaimedScoresPage::SavetoHTML1Click);
    Pop3830->addSeparator();
    Close2 = add("Clear", "Close2", &ClaimedScoresPage::Close2Click);
    setCommandsEnabled(false);
    Keo3830->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Keo3830, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Pop3830->popup(Keo3830->viewport()->mapToGlobal(pos)); });

    OpenDialog = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, "Claimed scores", folder,
                                            "E-mail(*.eml *.txt);;Any file(*.*)");
    };
    SaveDialog = [this](const QString& folder, const QString& preset) {
        QFileDialog d(this, "Export to HTML", folder, "HTML files(*.htm);;All files(*.*)");
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.selectFile(preset);
        return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
    };
    InputBox = [this](const QString& title, const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return t;
    };
}

ClaimedScoresPage::~ClaimedScoresPage()
{
    // The view reads keo3830, which dies before the children do.
    keo3830.OnChanged = nullptr;
    delete Keo3830;
}

void ClaimedScoresPage::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!pagesArea_) {
        for (QWidget* p = parentWidget(); p; p = p->parentWidget())
            if (auto* area = qobject_cast<QAbstractScrollArea*>(p); area && area->viewport()->isAncestorOf(this)) {
                pagesArea_ = area;
                break;
            }
        if (!pagesArea_) return;
        // The view's height and the table's place in the page decide the
        // table's height; the table's height moves neither.
        pagesView_ = pagesArea_->viewport();
        pagesView_->installEventFilter(this);
        Keo3830->installEventFilter(this);
    }
    fitTableToView();
}

bool ClaimedScoresPage::eventFilter(QObject* o, QEvent* e)
{
    // Only pointers are compared: the view's events come also while the
    // main window takes its pages down.
    if ((e->type() == QEvent::Move && o == Keo3830) || (e->type() == QEvent::Resize && o == pagesView_))
        fitTableToView();
    return QWidget::eventFilter(o, e);
}

void ClaimedScoresPage::fitTableToView()
{
    if (!pagesArea_) return;
    QWidget* view = pagesView_;
    // The table's top in the scrolled contents, as it is with them scrolled to their top.
    const int top = Keo3830->mapTo(view, QPoint(0, 0)).y() + pagesArea_->verticalScrollBar()->value();
    Keo3830->setMaximumHeight(std::max(view->height() - top, Keo3830->minimumSizeHint().height()));
}

void ClaimedScoresPage::setCommandsEnabled(bool enabled)
{
    for (QAction* a : {Refresh1, AddcallsignstoMasterdta1, Findcallsign1, SavetoHTML1, Close2}) a->setEnabled(enabled);
}

void ClaimedScoresPage::Open2Click()
{
    const QString f = OpenDialog(op3InitialDir ? op3InitialDir() : QString());
    if (f.isEmpty()) return;
    op3FileName = f;
    N3830_proc();
}

void ClaimedScoresPage::openDropped(const QString& path)
{
    op3FileName = path;
    N3830_proc();
}

void ClaimedScoresPage::N3830_proc()
{
    emit pageWanted();
    ClaimedScoresRead read;
    try {
        read = ::N3830_proc(op3FileName.toStdString(), keo3830);
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
        return;
    }
    Label1->setText(QString::fromStdString(zem::toDisplayUtf8(read.Subject)));
    Keo3830->gridModel()->refresh();
    const QFontMetrics fm(Keo3830->font());
    std::vector<int> widths = AutoSizeGridColumn(
        keo3830, [&](const std::string& s) { return fm.horizontalAdvance(QString::fromStdString(s)); }, 1,
        Keo3830->width());
    // The "160" column is as wide as the "80" column.
    if (widths.size() >= 7) widths[widths.size() - 7] = widths[widths.size() - 6];
    Keo3830->setColumnWidths(widths);
    if (read.Stations == 0) {
        // Nothing to compare, search or export: the commands stay off.
        setCommandsEnabled(false);
        Show_msg("No claimed scores found in " + QFileInfo(op3FileName).fileName());
        return;
    }
    log_and_3830();
    setCommandsEnabled(true);
}

void ClaimedScoresPage::log_and_3830()
{
    ::log_and_3830(keo3830, state_.log_grid);
    Keo3830->gridModel()->refresh();
}

void ClaimedScoresPage::Refresh1Click() { log_and_3830(); }

void ClaimedScoresPage::Keo3830Click()
{
    const int row = Keo3830->currentIndex().isValid() ? Keo3830->currentIndex().row() + 1 : 0;
    const std::string call = keo3830.Cell(1, row);
    if (row < 1 || call.empty()) return;
    state_.CurrentCall = call;
    cty_.LookupCall(state_.CurrentCall);
    emit callChosen();
}

void ClaimedScoresPage::Findcallsign1Click()
{
    const auto answer = InputBox("Find callsign", "Callsign for search:");
    if (!answer) return;
    const int row = findClaimedCallsign(keo3830, answer->toStdString());
    if (row > 0) Keo3830->GoToCell(std::max(1, Keo3830->currentIndex().column()), row);
}

void ClaimedScoresPage::AddcallsignstoMasterdta1Click()
{
    if (!MasterEditor) return;
    MasterEditor->addImported(claimedCallsigns(keo3830));
    MasterEditor->Masterdta1Click();
    MasterEditor->exec();
}

bool ClaimedScoresPage::hasReport() const { return !keo3830.Cell(0, 1).empty(); }

void ClaimedScoresPage::SavetoHTML1Click()
{
    // Where every other output goes: the log's folder; without a log (also
    // after Close Log, whose header still names the closed log), the mail's
    // own folder, and a page that names no log.
    const bool logLoaded = state_.header.QsoCount > 0;
    const QString mailFolder = op3FileName.isEmpty() ? QString() : QFileInfo(op3FileName).absolutePath();
    const QString chosen = SaveDialog(logOutputFolderOr(state_.header, mailFolder),
                                      QString::fromStdString(htmlPageName(zem::toDisplayUtf8(Label1->text().toStdString()))));
    if (chosen.isEmpty()) return;
    const std::filesystem::path p = chosen.toStdString();
    try {
        const std::string folder = p.has_parent_path() ? p.parent_path().string() : std::string(".");
        grid_to_html(keo3830, htmlPageName(p.filename().string()), folder, logLoaded ? state_.header : LogHeader{});
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}

void ClaimedScoresPage::Close2Click()
{
    keo3830.ClearGrid();
    Keo3830->gridModel()->refresh();
    Label1->clear();
    setCommandsEnabled(false);
}
