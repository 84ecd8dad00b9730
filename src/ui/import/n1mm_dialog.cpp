#include "import/n1mm_dialog.h"

#include "import/n1mm_import.h"
#include "import/table_source.h"
#include "main/form2.h"
#include "main/column_fit.h"
#include "main/keoe_grid_view.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

Tn1mm::Tn1mm(TForm2& form, QWidget* parent) : QDialog(parent), form_(form)
{
    setObjectName("n1mm");
    setWindowTitle("N1MM Logger Datebase");
    e = new QLineEdit(this);
    e->setObjectName("e");
    b = new QPushButton("...", this);
    b->setObjectName("b");
    b3 = new QPushButton("Open Datebase >>", this);
    b3->setObjectName("b3");
    ng = new KeoEGridView(contests, this);
    ng->setObjectName("ng");
    ng->setSelectionBehavior(QAbstractItemView::SelectRows);
    ng->setSelectionMode(QAbstractItemView::SingleSelection);
    ng->horizontalHeader()->setStretchLastSection(true);
    showContests({});
    b1 = new QPushButton("Open selected log", this);
    b1->setObjectName("b1");
    b1->setEnabled(false);
    b2 = new QPushButton("Close", this);
    b2->setObjectName("b2");

    auto* grid = new QGridLayout(this);
    grid->addWidget(e, 0, 0, 1, 2);
    grid->addWidget(b, 0, 2);
    grid->addWidget(b3, 0, 3);
    grid->addWidget(ng, 1, 0, 1, 4);
    grid->addWidget(b1, 2, 2);
    grid->addWidget(b2, 2, 3);
    grid->setColumnStretch(0, 1);
    resize(640, 320);

    connect(b, &QPushButton::clicked, this, &Tn1mm::bClick);
    connect(e, &QLineEdit::textChanged, this, &Tn1mm::eChange);
    connect(b3, &QPushButton::clicked, this, &Tn1mm::b3Click);
    connect(b1, &QPushButton::clicked, this, &Tn1mm::b1Click);
    connect(b2, &QPushButton::clicked, this, &Tn1mm::b2Click);
    connect(ng, &QAbstractItemView::doubleClicked, this, &Tn1mm::b1Click);

    // FormCreate: the database used last time.
    e->setText(QString::fromStdString(form_.settings.N1mmDatabase));
    eChange();
}

void Tn1mm::bClick()
{
    const QString f = QFileDialog::getOpenFileName(this, "N1MM Logger Datebase", e->text(),
                                                   "N1MM Logger Datebase (*.mdb)");
    if (!f.isEmpty()) e->setText(f);
}

void Tn1mm::eChange() { b3->setEnabled(!e->text().isEmpty()); }

void Tn1mm::b3Click() { Read_datebase(); }

void Tn1mm::b1Click() { ImportQSOsFromN1MM(); }

void Tn1mm::b2Click() { reject(); }

void Tn1mm::showContests(const std::vector<N1mmContest>& list)
{
    fillN1mmContestGrid(contests, list);
    fitColumnsToTexts(*ng);
}

void Tn1mm::Read_datebase()
{
    showContests({});
    try {
        auto db = openAccessDatabase(e->text().toStdString());
        showContests(readN1mmContests(*db));
        b1->setEnabled(true);
    } catch (const std::exception&) {
        // Not a database, or not one of N1MM Logger: an empty list says so.
        b1->setEnabled(false);
        b3->setEnabled(false);
    }
    if (b1->isEnabled()) ng->GoToCell(0, 1);
}

void Tn1mm::ImportQSOsFromN1MM()
{
    const QModelIndex current = ng->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 1;
    if (row < 1 || row >= contests.RowCount() || contests.IsRowEmpty(row)) return;
    const N1mmContest chosen{contests.Cell(0, row), contests.Cell(1, row), contests.Cell(2, row),
                             contests.Cell(3, row), contests.Cell(4, row)};
    b1->setEnabled(false);
    b3->setEnabled(false);
    form_.loadN1mmContest(e->text(), chosen);
    b1->setEnabled(true);
    b3->setEnabled(!e->text().isEmpty());
}

void Tn1mm::FormClose() { form_.settings.N1mmDatabase = e->text().toStdString(); }

void Tn1mm::done(int r)
{
    FormClose();
    QDialog::done(r);
}
