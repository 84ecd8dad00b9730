#include "import/dt_change_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>
#include <stdexcept>

TDT_change::TDT_change(TKeoEGrid& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setObjectName("DT_change");
    setWindowTitle("Date/Time change for a log");

    sp = new QSpinBox(this);
    sp->setObjectName("sp");
    sp->setRange(INT_MIN, INT_MAX);
    sp->setToolTip("Time offset in minutes");
    CB1 = new QCheckBox("Only &selected", this);
    CB1->setObjectName("CB1");

    auto* example = new QGroupBox("Example", this);
    Label1 = new QLabel(example);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(example);
    Label2->setObjectName("Label2");
    auto* grid = new QGridLayout(example);
    grid->addWidget(new QLabel("Old", example), 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(new QLabel("New", example), 1, 0);
    grid->addWidget(Label2, 1, 1);

    Button1 = new QPushButton("&Go!", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("&Cancel", this);
    Button2->setObjectName("Button2");

    auto* offset = new QHBoxLayout;
    offset->addWidget(new QLabel("Time offset in minutes", this));
    offset->addWidget(sp);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(offset);
    layout->addWidget(CB1);
    layout->addWidget(example);
    layout->addLayout(buttons);

    connect(sp, &QSpinBox::valueChanged, this, &TDT_change::spChange);
    connect(Button1, &QPushButton::clicked, this, [this] {
        const QString error = Button1Click(selTop_, selBottom_);
        if (!error.isEmpty()) QMessageBox::critical(this, "ZEM", error);
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TDT_change::setSelectedRows(int top, int bottom)
{
    selTop_ = top;
    selBottom_ = bottom;
}

void TDT_change::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TDT_change::FormActivate()
{
    try {
        old_ = readQsoDateTime(log_, 1);
        hasOld_ = true;
        Label1->setText(QString::fromStdString(dateTimeText(old_)));
    } catch (const std::invalid_argument&) {
        // No readable first QSO: nothing to show as an example.
        hasOld_ = false;
        Label1->clear();
    }
    if (sp->value() != 0)
        sp->setValue(0); // spChange follows
    else
        spChange();
}

void TDT_change::spChange()
{
    if (!hasOld_) {
        Label2->clear();
        return;
    }
    Label2->setText(QString::fromStdString(exampleAfterShift(old_, sp->value())));
}

QString TDT_change::Button1Click(int selTop, int selBottom)
{
    try {
        if (CB1->isChecked())
            shiftLogDateTime(log_, sp->value(), selTop, selBottom);
        else
            shiftLogDateTime(log_, sp->value());
    } catch (const std::invalid_argument& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}
