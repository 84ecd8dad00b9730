#include "import/error_dialog.h"

#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "main/text_util.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include <stdexcept>

TERRF::TERRF(AppState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("ERRF");
    setWindowTitle("Error during processing of the following QSOs");
    error_keo = new KeoEGridView(state_.error_keo, this);
    error_keo->setObjectName("error_keo");
    error_keo->setSelectionBehavior(QAbstractItemView::SelectRows);
    error_keo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(error_keo);
    resize(480, 260);
    connect(error_keo, &QAbstractItemView::doubleClicked, this, &TERRF::error_keoDblClick);
}

TERRF::~TERRF()
{
    // The list outlives its view: it must not call back into a freed model.
    state_.error_keo.OnChanged = nullptr;
}

void TERRF::prepareForJob()
{
    state_.error_keo.SetRowCount(state_.BadQsoCount + 1);
    fitColumnsToTexts(*error_keo);
    // Wide enough for every column, the callsign and "TX" included.
    widenToShow(*this, fullGridWidth(*error_keo));
}

int TERRF::showForJob(QWidget* mainWindow)
{
    prepareForJob();
    if (mainWindow) move(mainWindow->pos());
    return exec();
}

void TERRF::error_keoDblClick()
{
    int viewRow = -1;
    for (const QModelIndex& i : error_keo->selectionModel()->selectedIndexes())
        if (viewRow < 0 || i.row() < viewRow) viewRow = i.row();
    if (viewRow < 0 && error_keo->currentIndex().isValid()) viewRow = error_keo->currentIndex().row();
    if (viewRow < 0) return;
    int row = 0;
    // A row without a number (the empty row of a cleared list) shows nothing.
    if (!zem::tryToInt(state_.error_keo.Cell(0, viewRow + 1), row)) return;
    emit logRowChosen(row);
}

void TERRF::FormClose() { resetErrorList(state_); error_keo->gridModel()->refresh(); }

void TERRF::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TERRF::done(int r)
{
    // Every way out of the window (Esc, the title bar, the end of exec) comes here.
    FormClose();
    QDialog::done(r);
}
