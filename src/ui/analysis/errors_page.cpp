#include "analysis/errors_page.h"

#include "analysis/log_checks.h"
#include "main/app_state.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "refdata/master_call_db.h"
#include "refdata/master_messages.h"
#include "reports/html_export.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString shownText(const std::string& s) { return QString::fromUtf8(s).replace('\r', '\n'); }
} // namespace

ErrorsPage::ErrorsPage(AppState& state, TMasterCallDB& master, QWidget* parent)
    : QWidget(parent), state_(state), master_(master)
{
    setObjectName("TabSheet9");
    initErrorsGrid(errorsGrid);

    tr2 = new QToolBar(this);
    tr2->setObjectName("tr2");
    auto add = [this](const char* name, const QString& caption, const QString& hint, void (ErrorsPage::*slot)()) {
        QAction* a = tr2->addAction(caption);
        a->setObjectName(name);
        if (!hint.isEmpty()) a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    TBu21 = add("TBu21", "Suspect callsigns", {}, &ErrorsPage::TBu21Click);
    tb17 = add("tb17", zem::kPossibleMistakesCaption, "Only callsigns absent in the Master.dta", &ErrorsPage::tb17Click);
    tb19 = add("tb19", "In Time", {}, &ErrorsPage::tb19Click);
    tb11 = add("tb11", "Partials in log", "Search callsigns which meet in a log once", &ErrorsPage::tb11Click);
    tb15 = add("tb15", "Find callsign", {}, &ErrorsPage::tb15Click);

    error_KeoEGrid = new KeoEGridView(errorsGrid, this);
    error_KeoEGrid->setObjectName("error_KeoEGrid");
    error_KeoEGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    error_KeoEGrid->verticalHeader()->setDefaultSectionSize(errorsGrid.DefaultRowHeight);
    // "Info" was drawn to reach the right edge of a wider window: it takes
    // what the other columns leave of the view, up to that width, so that a
    // table with short findings or none does not scroll for nothing.
    error_KeoEGrid->setColumnFit([this](int) {
        const auto& widths = errorsColumnWidths();
        const std::vector<int>& need = error_KeoEGrid->neededWidths();
        std::vector<int> wanted(widths.begin(), widths.end());
        int others = 0;
        for (size_t c = 0; c + 1 < wanted.size(); ++c) {
            const int col = static_cast<int>(c);
            others += error_KeoEGrid->isUserSized(col) ? error_KeoEGrid->columnWidth(col)
                                                       : std::max(wanted[c], c < need.size() ? need[c] : 0);
        }
        wanted.back() = std::clamp(error_KeoEGrid->viewport()->width() - others, 0, widths.back());
        return wanted;
    });
    error_KeoEGrid->OnGetDrawValues = [this](int col, int row, QFont& f, TAlignment& a, QColor& bg) {
        error_KeoEGridGetDrawValues(col, row, f, a, bg);
    };
    connect(error_KeoEGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& cur) {
                if (cur.isValid()) error_KeoEGridClick();
            });
    connect(error_KeoEGrid, &QAbstractItemView::doubleClicked, this, &ErrorsPage::error_KeoEGridDblClick);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(tr2);
    l->addWidget(error_KeoEGrid, 1);

    InputBox = [this](const QString& title, const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString t = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return t;
    };
    InfoBox = [this](const QString& caption, const QString& text) {
        QMessageBox::information(this, caption, text, QMessageBox::Ok);
    };
}

ErrorsPage::~ErrorsPage()
{
    // The view reads the grid, which dies before the QWidget base deletes it.
    errorsGrid.OnChanged = nullptr;
    delete error_KeoEGrid;
}

void ErrorsPage::error_KeoEGridGetDrawValues(int col, int, QFont&, TAlignment& alignment, QColor&)
{
    if (col == 0 || col == 3) alignment = TAlignment::Center;
}

bool ErrorsPage::haveMaster() const
{
    if (master_.Loaded()) return true;
    Show_warning_msg(shownText(zem::NomasterText()));
    return false;
}

void ErrorsPage::runCheck(const std::function<void()>& work)
{
    if (state_.header.QsoCount <= 0) return; // no QSOs, nothing to check
    emit jobStarted();
    bool done = false;
    try {
        work();
        done = true;
    } catch (const std::exception& e) {
        Show_msg(shownText(e.what()));
    }
    error_KeoEGrid->gridModel()->refresh();
    if (done) emit jobFinished();
    // Each check starts at its first finding, shown: a row left current by
    // the last check now holds another finding.
    error_KeoEGrid->setCurrentIndex({});
    error_KeoEGrid->GoToCell(0, 1);
    error_KeoEGrid->setFocus();
}

void ErrorsPage::showResult(const char* htmlName)
{
    error_KeoEGrid->gridModel()->refresh();
    if (htmlName) grid_to_html(errorsGrid, htmlName, state_.header.OutputDir, state_.header);
}

void ErrorsPage::TBu21Click()
{
    runCheck([this] {
        suspectCallsigns(state_, errorsGrid, Progress);
        showResult("Suspect callsigns");
    });
}

void ErrorsPage::tb19Click()
{
    runCheck([this] {
        const int found = timeOrder(state_.log_grid, state_.header.QsoCount, errorsGrid, Progress);
        showResult(found > 0 ? "Errors in Time" : nullptr);
    });
}

void ErrorsPage::tb17Click()
{
    if (state_.header.QsoCount <= 0 || !haveMaster()) return;
    runCheck([this] {
        const BandDistribution d = ByBands ? ByBands() : BandDistribution{};
        possibleMistakes(state_.log_grid, d.columns[0], master_, errorsGrid, Progress);
        showResult(zem::kPossibleMistakesCaption);
    });
}

void ErrorsPage::tb11Click()
{
    runCheck([this] {
        const BandDistribution d = ByBands ? ByBands() : BandDistribution{};
        partialsInLog(state_.log_grid, d.columns, master_.Loaded() ? &master_ : nullptr, errorsGrid, Progress);
        showResult("Partials in log");
    });
}

void ErrorsPage::tb15Click()
{
    const auto answer = InputBox ? InputBox("Find callsign", "Callsign for search:") : std::nullopt;
    const int row = findCallInErrors(errorsGrid, answer.value_or(QString()).toStdString());
    if (row < 1) return;
    error_KeoEGrid->GoToCell(std::max(0, error_KeoEGrid->currentIndex().column()), row);
}

void ErrorsPage::FindinMasterdta1Click()
{
    if (state_.header.QsoCount <= 0 || !haveMaster()) return;
    try {
        const BandDistribution d = ByBands ? ByBands() : BandDistribution{};
        const MasterCheckResult r = masterCheck(d.all, master_);
        writeNotFoundFile(state_.header.OutputDir, r);
        if (InfoBox) InfoBox("Search in Master.dta", shownText(masterCheckMessage(r)));
    } catch (const std::exception& e) {
        Show_msg(shownText(e.what()));
    }
}

void ErrorsPage::error_KeoEGridClick()
{
    const int row = error_KeoEGrid->currentIndex().row() + 1;
    try {
        const std::string& call = errorsGrid.Cell(4, row);
        if (ShowCall) ShowCall(call);
    } catch (const std::exception&) {
        // A finding that cannot be looked up simply shows nothing.
    }
}

void ErrorsPage::error_KeoEGridDblClick()
{
    const int row = error_KeoEGrid->currentIndex().row() + 1;
    if (errorsGrid.IsRowEmpty(row)) return; // the empty row of a check without findings
    const int logRow = logRowOfFinding(errorsGrid, row, state_.log_grid);
    if (SelectLogRow) SelectLogRow(logRow);
}
