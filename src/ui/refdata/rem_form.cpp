#include "refdata/rem_form.h"

#include "analysis/call_country.h"
#include "main/column_fit.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "main/upper_case_edit.h"
#include "refdata/country_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// The least each column gets; the longest country name widens its column.
const std::vector<int> kColumnWidths = {40, 200, 70, 70};
} // namespace

Trem_Form::Trem_Form(TCty_search& cty, std::filesystem::path ctyDat, std::function<std::string()> stationCall,
                     QWidget* parent)
    : QDialog(parent), keo1(4, 2), cty_(cty), ctyDat_(std::move(ctyDat)), stationCall_(std::move(stationCall))
{
    setObjectName("rem_Form");
    setWindowTitle("Remoteness of the countries");

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(20);
    makeUpperCase(Edit1);
    nam_L = new QLabel(this);
    nam_L->setObjectName("nam_L");
    Button1 = new QPushButton("Show", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Ch = new QCheckBox("Choice of continent", this);
    Ch->setObjectName("Ch");
    CB1 = new QComboBox(this);
    CB1->setObjectName("CB1");
    CB1->addItems({"EU", "AS", "NA", "SA", "AF", "OC"});
    keo1.SetHeader({"#", "Country", "Distance", "Continent"});
    Keo1 = new KeoEGridView(keo1, this);
    Keo1->setObjectName("Keo1");
    Keo1->setSelectionBehavior(QAbstractItemView::SelectRows);
    fitColumnsToTexts(*Keo1, kColumnWidths);

    auto* top = new QHBoxLayout;
    top->addWidget(Edit1);
    top->addWidget(nam_L, 1);
    top->addWidget(Button1);
    auto* continent = new QHBoxLayout;
    continent->addWidget(Ch);
    continent->addWidget(CB1);
    continent->addStretch();
    auto* l = new QVBoxLayout(this);
    l->addLayout(top);
    l->addLayout(continent);
    l->addWidget(Keo1, 1);
    resize(460, 520);

    connect(Edit1, &QLineEdit::textChanged, this, &Trem_Form::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &Trem_Form::Button1Click);
}

Trem_Form::~Trem_Form()
{
    // The view reads the grid, which dies before the QWidget base deletes it.
    keo1.OnChanged = nullptr;
    delete Keo1;
}

void Trem_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void Trem_Form::FormActivate()
{
    {
        const QSignalBlocker block(Edit1);
        Edit1->setText(QString::fromStdString(stationCall_ ? stationCall_() : std::string()));
    }
    Edit1Change();
    Button1Click();
}

void Trem_Form::Edit1Change()
{
    haveReference_ = false;
    nam_L->clear();
    const std::string call = Edit1->text().toStdString();
    if (call.empty()) return;
    try {
        // A callsign the country file does not know has no position: it must
        // not measure from the previous callsign's country.
        const CountryRecord* rec = countryOfCall(cty_, call);
        if (!rec) return;
        nam_L->setText(QString::fromStdString(shownCountryName(rec->Country)));
        refLat_ = rec->Latitude;
        refLon_ = rec->Longitude;
        refCountry_ = rec->CountryNum;
        haveReference_ = true;
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
}

void Trem_Form::Button1Click()
{
    keo1.ClearGrid();
    Keo1->gridModel()->refresh();
    if (Edit1->text().isEmpty() || !haveReference_) return;
    try {
        const std::string continent = Ch->isChecked() ? CB1->currentText().toStdString() : std::string();
        const auto list = countryDistances(readCtyCountries(ctyDat_.string()), refLat_, refLon_, continent, refCountry_);
        TKeoEGrid::BatchUpdate batch(keo1);
        if (!list.empty()) keo1.SetRowCount(static_cast<int>(list.size()) + 1);
        int row = 0;
        for (const CountryDistance& d : list) {
            ++row;
            keo1.WriteRow(row, {std::to_string(row), d.Name, std::to_string(d.Km), d.Continent});
        }
    } catch (const std::exception& e) {
        Show_msg(QString::fromStdString(e.what()));
    }
    fitColumnsToTexts(*Keo1, kColumnWidths);
}
