#include "analysis/tchoos_op.h"

#include "analysis/operators.h"
#include "main/column_fit.h"
#include "main/keoe_grid_view.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The least each column gets; titles and operators widen their column.
const std::vector<int> kColumnWidths = {40, 80, 60, 50, 50, 50, 50, 50, 50};
} // namespace

TChoos_op::TChoos_op(QWidget* parent) : QDialog(parent)
{
    setObjectName("Choos_op");
    setWindowTitle("Choose the operator");
    initOperatorTable(table_);
    table_.Alignment = TAlignment::Center;
    mm_keo = new KeoEGridView(table_, this);
    mm_keo->setObjectName("mm_keo");
    mm_keo->setSelectionBehavior(QAbstractItemView::SelectRows);
    mm_keo->setSelectionMode(QAbstractItemView::SingleSelection);
    fitColumnsToTexts(*mm_keo, kColumnWidths);
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("Close", this);
    Button2->setObjectName("Button2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* v = new QVBoxLayout(this);
    v->addWidget(mm_keo, 1);
    v->addLayout(buttons);
    resize(520, 300);
    if (auto* scr = QGuiApplication::primaryScreen()) move(scr->availableGeometry().center() - rect().center());

    connect(Button1, &QPushButton::clicked, this, &TChoos_op::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(mm_keo, &QAbstractItemView::doubleClicked, this, &TChoos_op::mm_keoDblClick);
}

TChoos_op::~TChoos_op()
{
    table_.OnChanged = nullptr;
    delete mm_keo;
}

std::string TChoos_op::selectedOperator() const
{
    const QModelIndex at = mm_keo->currentIndex();
    const int row = at.isValid() ? at.row() + 1 : 1;
    return table_.Cell(1, row);
}

void TChoos_op::Button1Click()
{
    const std::string op = selectedOperator();
    accept();
    if (onChosen) onChosen(op);
}

void TChoos_op::mm_keoDblClick() { Button1Click(); }

void TChoos_op::showEvent(QShowEvent* e)
{
    // The table was filled just before: fit it to what it holds now.
    fitColumnsToTexts(*mm_keo, kColumnWidths);
    QDialog::showEvent(e);
}
