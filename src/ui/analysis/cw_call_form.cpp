#include "analysis/cw_call_form.h"

#include "analysis/cw_time.h"
#include "main/upper_case_edit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {
QSpinBox* spin(QWidget* parent, const char* name, int min, int max, int step, int value)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setSingleStep(step);
    s->setValue(value);
    return s;
}
} // namespace

Tcw_call_form::Tcw_call_form(QWidget* parent) : QDialog(parent)
{
    setObjectName("cw_call_form");
    setWindowTitle("Time for transmitting CW message");

    Sp4 = spin(this, "Sp4", 0, 1000, 10, 0);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(30);
    // Room for a message of the longest length in letters and digits of
    // every width.
    Edit1->setMinimumWidth(QFontMetrics(Edit1->font()).horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123") + 8);
    makeUpperCase(Edit1);
    Sp3 = spin(this, "Sp3", 0, 1000, 10, 0);
    Sp1 = spin(this, "Sp1", 50, 100000, 50, 1000);
    Sp2 = spin(this, "Sp2", 1, 100, 1, 40);
    Label7 = new QLabel(this);
    Label7->setObjectName("Label7");

    auto* g = new QGridLayout(this);
    const std::pair<const char*, QWidget*> columns[] = {{"Delay at begining, ms", Sp4},
                                                        {"Callsign or message", Edit1},
                                                        {"Delay at end, ms", Sp3},
                                                        {"Repeat", Sp1},
                                                        {"WPM", Sp2}};
    int col = 0;
    for (const auto& [caption, w] : columns) {
        g->addWidget(new QLabel(caption, this), 0, col);
        g->addWidget(w, 1, col);
        ++col;
    }
    g->addWidget(new QLabel("Remaining time", this), 0, col + 1);
    g->addWidget(new QLabel("=", this), 1, col);
    g->addWidget(Label7, 1, col + 1);
    g->setColumnStretch(1, 1);

    connect(Edit1, &QLineEdit::textChanged, this, &Tcw_call_form::Edit1Change);
    connect(Sp1, &QSpinBox::valueChanged, this, &Tcw_call_form::Sp1Change);
    connect(Sp2, &QSpinBox::valueChanged, this, &Tcw_call_form::Sp2Change);
    connect(Sp3, &QSpinBox::valueChanged, this, &Tcw_call_form::Sp3Change);
    connect(Sp4, &QSpinBox::valueChanged, this, &Tcw_call_form::Sp4Change);
    calc_time();
}

void Tcw_call_form::calc_time()
{
    CwTiming t;
    t.text = Edit1->text().toStdString();
    t.wpm = Sp2->value();
    t.repeat = Sp1->value();
    t.delayBeginMs = Sp4->value();
    t.delayEndMs = Sp3->value();
    Label7->setText(QString::fromStdString(cwSendingTimeText(t)));
}
