#include "analysis/breaks_page.h"

#include "analysis/breaks.h"
#include "main/form2.h"
#include "main/jobs.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/text_util.h"
#include "reports/html_export.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

BreaksPage::BreaksPage(TForm2& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName("BreaksPage");
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    se1 = new QSpinBox(this);
    se1->setObjectName("se1");
    se1->setRange(1, 1439);
    se1->setValue(15);
    cb4 = new QCheckBox("but <", this);
    cb4->setObjectName("cb4");
    se2 = new QSpinBox(this);
    se2->setObjectName("se2");
    se2->setRange(1, 1439);
    tb33 = new QToolButton(this);
    tb33->setObjectName("tb33");
    tb33->setText("     Show     ");
    l22 = new QLabel(this);
    l22->setObjectName("l22");
    bar->addWidget(se1);
    bar->addWidget(cb4);
    bar->addWidget(se2);
    bar->addWidget(tb33);
    bar->addWidget(l22);
    bar->addStretch(1);
    v->addLayout(bar);

    initBreaksGrid(breaksGrid);
    Breaks_Grid = new KeoEGridView(breaksGrid, this);
    Breaks_Grid->setObjectName("Breaks_Grid");
    Breaks_Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Widths by the texts of the table's first rows, shared out over the
    // grid's width; the Total row and longer texts further down take what
    // they need.
    Breaks_Grid->setColumnFit([this](int width) {
        const QFontMetrics fm(Breaks_Grid->font());
        return AutoSizeGridColumn(
            breaksGrid, [&](const std::string& t) { return fm.horizontalAdvance(QString::fromStdString(t)); }, 1,
            width);
    });
    v->addWidget(Breaks_Grid, 1);

    connect(tb33, &QToolButton::clicked, this, &BreaksPage::tb33Click);
    connect(Breaks_Grid, &QAbstractItemView::doubleClicked, this, &BreaksPage::Breaks_GridDblClick);
}

void BreaksPage::tb33Click() { Breaks(); }

void BreaksPage::Breaks()
{
    breaksGrid.ClearGrid();
    const TForm2::Job job(form_);
    const int maximum = cb4->isChecked() ? se2->value() : kNoBreakMaximum;
    const int minimum = se1->value();
    const AppState& s = form_.state();
    const int last = lastQsoRow(s.log_grid, s.header.QsoCount);
    try {
        const auto minutes = qsoMinutes(s.log_grid, last);
        const BreaksSummary sum = ::Breaks(breaksGrid, s.log_grid, minutes, minimum, maximum, [&](int row) {
            form_.ProgressBar2->setValue(PercentOf(0, last, row, 100));
        });
        l22->setText(QString::fromStdString(breaksTotalText(sum.total)));
        form_.CalculateTime();
        Breaks_Grid->gridModel()->refresh();
        Breaks_Grid->GoToCell(1, sum.breaks + 1);
        grid_to_html(breaksGrid, breaksTitle(minimum, cb4->isChecked(), se2->value()), s.header.OutputDir, s.header);
        Breaks_Grid->fitColumns();
    } catch (const std::exception& e) {
        form_.ProgressBar2->setValue(0);
        Breaks_Grid->gridModel()->refresh();
        Show_msg(QString::fromUtf8(e.what()));
    }
}

void BreaksPage::Breaks_GridDblClick()
{
    int row = 0;
    // The Total row has no line in the log.
    if (!zem::tryToInt(breaksGrid.Cell(6, breaksGrid.Row), row) || row < 1) return;
    emit logRowChosen(row);
}

void BreaksPage::N5minuts1Click()
{
    BandChangeMinutes = 5;
    Check_bands_change_rule();
}

void BreaksPage::N10minuts1Click()
{
    BandChangeMinutes = 10;
    Check_bands_change_rule();
}

void BreaksPage::Check_bands_change_rule()
{
    const TForm2::Job job(form_);
    AppState& s = form_.state();
    const int last = lastQsoRow(s.log_grid, s.header.QsoCount);
    int count = 0;
    try {
        const auto minutes = qsoMinutes(s.log_grid, last);
        count = ::Check_bands_change_rule(s.log_grid, minutes, BandChangeMinutes, [&](int row) {
            form_.ProgressBar2->setValue(PercentOf(0, last, row, 100));
        });
    } catch (const std::exception& e) {
        form_.ProgressBar2->setValue(0);
        Show_msg(QString::fromUtf8(e.what()));
        return;
    }
    form_.CalculateTime();
    form_.log_grid->viewport()->update();
    Show_msg(QString::fromStdString(bandsChangeRuleMessage(count)));
}
