#include "analysis/tfind_qso.h"

#include "main/form2.h"
#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "reports/html_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QString messageText(const std::string& s) { return QString::fromUtf8(s).replace('\r', '\n'); }

// Upper case while typing, the cursor kept where it was.
void upperCaseEdit(QLineEdit* e)
{
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
        const int at = e->cursorPosition();
        e->setText(t.toUpper());
        e->setCursorPosition(at);
    });
}

} // namespace

TFind_qso::TFind_qso(TForm2& form) : QDialog(&form), form_(form)
{
    setObjectName("Find_qso");
    setWindowTitle("Find QSO");
    auto* crit = new QGridLayout;
    const auto box = [this](const char* name, const char* caption) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(name);
        return c;
    };
    const auto combo = [this](const char* name, const QStringList& items, const QString& first) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->addItems(items);
        c->setCurrentText(first);
        return c;
    };
    const auto spin = [this](const char* name, int max, int first) {
        auto* s = new QSpinBox(this);
        s->setObjectName(name);
        s->setRange(1, max);
        s->setValue(first);
        return s;
    };

    CB1 = box("CB1", "Callsign");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    upperCaseEdit(Edit1);
    cb2 = box("cb2", "Country");
    CBNOTDXCC = box("CBNOTDXCC", "Not from >");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setMaxLength(10);
    upperCaseEdit(Edit2);
    cb3 = box("cb3", "ITU");
    ITU_Spin = spin("ITU_Spin", 75, 30);
    cb4 = box("cb4", "WAZ");
    WAZ_Spin = spin("WAZ_Spin", 40, 16);
    cb5 = box("cb5", "Band");
    Co_BAND = combo("Co_BAND", {"160", "80", "40", "20", "15", "10"}, "10");
    cb6 = box("cb6", "Mode");
    CO_MODE = combo("CO_MODE", {"CW", "PH", "RY"}, "CW");
    cb7 = box("cb7", "Continent");
    CO_CONT = combo("CO_CONT", {"EU", "NA", "AS", "SA", "AF", "OC"}, "EU");
    cb8 = box("cb8", "Dupes");
    CBDXCC = box("CBDXCC", "New DXCC");
    CBWAZ = box("CBWAZ", "New WAZ");
    CBITU = box("CBITU", "New ITU");
    cbwpx = box("cbwpx", "New WPX");
    CBRUS = box("CBRUS", "New Russian Obl.");
    CBMAS = box("CBMAS", "Not in master.dta");

    crit->addWidget(CB1, 0, 0);
    crit->addWidget(Edit1, 0, 1);
    auto* countryBoxes = new QHBoxLayout;
    countryBoxes->addWidget(cb2);
    countryBoxes->addWidget(CBNOTDXCC);
    crit->addLayout(countryBoxes, 1, 0);
    crit->addWidget(Edit2, 1, 1);
    crit->addWidget(cb3, 0, 2);
    crit->addWidget(ITU_Spin, 0, 3);
    crit->addWidget(cb4, 1, 2);
    crit->addWidget(WAZ_Spin, 1, 3);
    crit->addWidget(cb5, 0, 4);
    crit->addWidget(Co_BAND, 0, 5);
    crit->addWidget(cb6, 1, 4);
    crit->addWidget(CO_MODE, 1, 5);
    crit->addWidget(cb7, 2, 4);
    crit->addWidget(CO_CONT, 2, 5);
    crit->addWidget(cb8, 2, 0);
    crit->addWidget(CBMAS, 2, 2);
    auto* marks = new QHBoxLayout;
    for (QCheckBox* c : {CBDXCC, CBWAZ, CBITU, cbwpx, CBRUS}) marks->addWidget(c);
    marks->addStretch(1);
    crit->addLayout(marks, 3, 0, 1, 6);

    b1 = new QPushButton("Show", this);
    b1->setObjectName("b1");
    b1->setDefault(true);
    b3 = new QPushButton("Save to HTML", this);
    b3->setObjectName("b3");
    b2 = new QPushButton("Print", this);
    b2->setObjectName("b2");
    b2->setEnabled(false);
    b4 = new QPushButton("Close", this);
    b4->setObjectName("b4");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {b1, b3, b2, b4}) buttons->addWidget(b);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(crit, 1);
    top->addLayout(buttons);

    found_.SetColCount(LogColumnCount);
    found_.SetHeader(logColumnTitles());
    found_.ClearGrid();
    Find_Keo = new KeoEGridView(found_, this);
    Find_Keo->setObjectName("Find_Keo");
    Find_Keo->setSelectionBehavior(QAbstractItemView::SelectRows);
    sb1 = new QStatusBar(this);
    sb1->setObjectName("sb1");
    sb1->setSizeGripEnabled(false);
    sb1Panel = new QLabel(sb1);
    sb1Panel->setObjectName("sb1Panel");
    sb1->addWidget(sb1Panel, 1);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(Find_Keo, 1);
    v->addWidget(sb1);

    connect(b1, &QPushButton::clicked, this, &TFind_qso::b1Click);
    connect(b2, &QPushButton::clicked, this, &TFind_qso::b2Click);
    connect(b3, &QPushButton::clicked, this, &TFind_qso::b3Click);
    connect(b4, &QPushButton::clicked, this, &TFind_qso::b4Click);
    connect(Edit2, &QLineEdit::textChanged, this, &TFind_qso::Edit2Change);
    connect(CB1, &QCheckBox::clicked, this, &TFind_qso::CB1Click);
    connect(cb2, &QCheckBox::clicked, this, &TFind_qso::cb2Click);
    connect(CBNOTDXCC, &QCheckBox::clicked, this, &TFind_qso::CBNOTDXCCClick);
}

TFind_qso::~TFind_qso()
{
    found_.OnChanged = nullptr;
    delete Find_Keo;
}

FindCriteria TFind_qso::criteria() const
{
    FindCriteria c;
    if (CB1->isChecked()) c.callsign = Edit1->text().toUpper().toStdString();
    c.country = cb2->isChecked();
    c.notFromCountry = CBNOTDXCC->isChecked();
    c.chosenCountry = ChosenCountryNum;
    if (cb3->isChecked()) c.itu = ITU_Spin->value();
    if (cb4->isChecked()) c.waz = WAZ_Spin->value();
    if (cb5->isChecked()) c.band = Co_BAND->currentText().toStdString();
    if (cb6->isChecked()) c.mode = CO_MODE->currentText().toStdString();
    if (cb7->isChecked()) c.continent = CO_CONT->currentText().toStdString();
    c.dupes = cb8->isChecked();
    c.newDxcc = CBDXCC->isChecked();
    c.newWaz = CBWAZ->isChecked();
    c.newItu = CBITU->isChecked();
    c.newWpx = cbwpx->isChecked();
    c.newRus = CBRUS->isChecked();
    c.notInMaster = CBMAS->isChecked();
    return c;
}

void TFind_qso::b1Click()
{
    const FindCriteria c = criteria();
    try {
        const int n = findQsos(form_.state().log_grid, form_.Cty, c, found_);
        if (c.any()) sb1Panel->setText(QString::number(n) + " QSO");
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
    }
    fitColumns();
}

void TFind_qso::fitColumns()
{
    // The log's widths are the floor; a column the log hides stays hidden.
    for (size_t c = 0; c < logWidths_.size(); ++c)
        Find_Keo->setColumnHidden(static_cast<int>(c), logWidths_[c] <= 0);
    fitColumnsToTexts(*Find_Keo, logWidths_);
}

void TFind_qso::b2Click() {}

void TFind_qso::b3Click()
{
    const auto& h = form_.state().header;
    try {
        grid_to_html(found_, "Search Result ", h.OutputDir, h);
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
    }
}

void TFind_qso::b4Click() { close(); }

void TFind_qso::Edit2Change()
{
    try {
        ChosenCountryNum = chosenCountryOf(form_.Cty, Edit2->text().toUpper().toStdString());
    } catch (const std::exception& e) {
        ChosenCountryNum.reset();
        Show_msg(messageText(e.what()));
    }
}

void TFind_qso::CB1Click()
{
    if (CB1->isChecked()) Edit1->setFocus();
}

void TFind_qso::cb2Click()
{
    if (!cb2->isChecked()) return;
    CBNOTDXCC->setChecked(false);
    Edit2->setFocus();
}

void TFind_qso::CBNOTDXCCClick()
{
    if (CBNOTDXCC->isChecked()) cb2->setChecked(false);
}

void TFind_qso::FormActivate()
{
    const TKeoEGrid& log = form_.state().log_grid;
    found_.SetColCount(log.ColCount());
    found_.SetHeader(std::vector<std::string>(log.RowCells(0)));
    Find_Keo->gridModel()->refresh();
    logWidths_.clear();
    for (int c = 0; c < log.ColCount(); ++c)
        logWidths_.push_back(form_.log_grid->isColumnHidden(c) ? 0 : form_.log_grid->columnWidth(c));
    Find_Keo->setFont(form_.log_grid->font());
    fitColumns();
    const QRect main = form_.geometry();
    setGeometry(main.left() + 20, main.top() + 100, main.width() - 40, height());
}

void TFind_qso::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormActivate();
}
