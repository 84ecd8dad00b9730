#include "analysis/dxcc_page.h"

#include "analysis/analysis_chart_view.h"
#include "analysis/call_country.h"
#include "analysis/charts_page.h"
#include "analysis/multiplier_tables.h"
#include "analysis/qso_listings.h"
#include "analysis/top_ten_chart.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "main/log_table.h"
#include "main/platform.h"
#include "main/status_panels.h"
#include "main/upper_case_edit.h"
#include "reports/html_export.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// A fixed caption of the page. Not a QLabel: the main window empties its
// labels on every reset, and these texts must stay.
class CaptionText : public QWidget {
public:
    CaptionText(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
    {
        setMinimumSize(fontMetrics().horizontalAdvance(text_) + 4, fontMetrics().height() + 2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
    }

private:
    QString text_;
};

// The mark drawn over an "OK" cell: a worked band.
const QPixmap& okImage()
{
    static const QPixmap pm = [] {
        QPixmap m(14, 14);
        m.fill(Qt::transparent);
        QPainter p(&m);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawLine(QPointF(2, 7.5), QPointF(5.5, 11));
        p.drawLine(QPointF(5.5, 11), QPointF(12, 3));
        return m;
    }();
    return pm;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setEnabled(false);
    return b;
}

} // namespace

DxccPage::DxccPage(TForm2& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName("DxccPage");
    auto* left = new QWidget(this);
    left->setFixedWidth(250);
    auto* v = new QVBoxLayout(left);
    v->setContentsMargins(4, 4, 4, 4);

    Button15 = makeButton(left, "Button15", QsoByCountriesCaption);
    wpx_Button = makeButton(left, "wpx_Button", WpxByCountriesCaption);
    rm_Button = makeButton(left, "rm_Button", RemainingMultsCaption);
    for (QPushButton* b : {Button15, wpx_Button, rm_Button}) v->addWidget(b);
    v->addSpacing(8);

    Button1 = makeButton(left, "Button1", ChronologicalCaption);
    cont_ComboBox = new QComboBox(left);
    cont_ComboBox->setObjectName("cont_ComboBox");
    cont_ComboBox->addItems({"All continents ", "EU", "AS", "NA", "SA", "AF", "OC"});
    bands_ComboBox = new QComboBox(left);
    bands_ComboBox->setObjectName("bands_ComboBox");
    bands_ComboBox->addItems({"All bands ", "1800", "3500", "7000", "14000", "21000", "28000"});
    v->addWidget(Button1);
    auto* filters = new QHBoxLayout();
    filters->addWidget(cont_ComboBox);
    filters->addWidget(bands_ComboBox);
    v->addLayout(filters);
    v->addSpacing(8);

    Button9 = makeButton(left, "Button9", CountryStationsCaption);
    v->addWidget(Button9);
    auto* prefixRow = new QHBoxLayout();
    prefixRow->addWidget(new CaptionText("prefix :", left));
    Edit2 = new QLineEdit(left);
    Edit2->setObjectName("Edit2");
    Edit2->setMaxLength(8);
    Edit2->installEventFilter(this);
    prefixRow->addWidget(Edit2);
    v->addLayout(prefixRow);
    auto* toEdit2 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_R), this);
    toEdit2->setContext(Qt::WidgetWithChildrenShortcut);
    connect(toEdit2, &QShortcut::activated, Edit2, qOverload<>(&QWidget::setFocus));
    Label60 = new QLabel(left);
    Label60->setObjectName("Label60");
    v->addWidget(Label60);
    auto* counts = new QGridLayout();
    const char* countNames[] = {"Label39", "Label47", "Label54", "Label55", "Label56", "Label57"};
    for (int b = 0; b < 6; ++b) {
        counts->addWidget(new CaptionText(QString::fromStdString(BandNames()[static_cast<size_t>(b)]), left), 0, b);
        auto* l = new QLabel(left);
        l->setObjectName(countNames[b]);
        counts->addWidget(l, 1, b);
        BandCountLabels[static_cast<size_t>(b)] = l;
    }
    v->addLayout(counts);
    v->addSpacing(8);

    Button12 = makeButton(left, "Button12", HourContinentsCaption);
    v->addWidget(Button12);
    v->addSpacing(8);
    WAZ_But = makeButton(left, "WAZ_But", "WAZ");
    ITU_But = makeButton(left, "ITU_But", "ITU");
    auto* zones = new QHBoxLayout();
    zones->addWidget(WAZ_But);
    zones->addWidget(ITU_But);
    v->addLayout(zones);
    b2 = makeButton(left, "b2", "Russian oblasts");
    v->addWidget(b2);
    v->addStretch(1);

    StringGrid3 = new KeoEGridView(dxccGrid_, this);
    StringGrid3->setObjectName("StringGrid3");
    StringGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid3->horizontalHeader()->setDefaultSectionSize(100);
    dxccGrid_.FixedColor = 0xFFFF80;
    StringGrid3->OnDrawCell = [this](QPainter& p, const QRect& r, int col, int row, bool selected) {
        StringGrid3DrawCell(p, r, col, row, selected);
    };
    StringGrid3->OnMeasureCell = [this](int col, int row, const TextWidths&) {
        return dxccGrid_.Cell(col, row) == "OK" ? okImage().width() + 3 : 0;
    };
    StringGrid3->MeasuresByText = true;
    // Widths by the texts of the table's first rows, shared out over the
    // grid's width, after every command and resize; what the rows further
    // down need is never cut.
    StringGrid3->setColumnFit([this](int width) {
        const QFontMetrics fm(StringGrid3->font());
        return AutoSizeGridColumn(
            dxccGrid_, [&](const std::string& s) { return fm.horizontalAdvance(QString::fromUtf8(s)); }, 1, width);
    });

    // The main window sizes the table on every resize; the commands stand left of it.
    left_ = left;
    StringGrid3->move(255, 0);

    connect(Button15, &QPushButton::clicked, this, &DxccPage::Button15Click);
    connect(wpx_Button, &QPushButton::clicked, this, &DxccPage::wpx_ButtonClick);
    connect(rm_Button, &QPushButton::clicked, this, &DxccPage::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &DxccPage::Button1Click);
    connect(Button9, &QPushButton::clicked, this, &DxccPage::Button9Click);
    connect(Button12, &QPushButton::clicked, this, &DxccPage::Button12Click);
    connect(WAZ_But, &QPushButton::clicked, this, &DxccPage::WAZ_ButClick);
    connect(ITU_But, &QPushButton::clicked, this, &DxccPage::ITU_ButClick);
    connect(b2, &QPushButton::clicked, this, &DxccPage::b2Click);
    makeUpperCase(Edit2);
    connect(Edit2, &QLineEdit::textChanged, this, &DxccPage::Edit2Change);
    connect(StringGrid3, &QAbstractItemView::clicked, this, &DxccPage::StringGrid3Click);
}

void DxccPage::resizeEvent(QResizeEvent*)
{
    left_->setGeometry(0, 0, 250, height());
    // The table takes the rest of the page and scrolls within it.
    StringGrid3->setGeometry(255, 0, std::max(0, width() - 255), height());
}

DxccPage::~DxccPage()
{
    // The view reads the grid, which dies before the QWidget base deletes the view.
    dxccGrid_.OnChanged = nullptr;
    delete StringGrid3;
}

void DxccPage::setLogLoaded(bool loaded)
{
    for (QPushButton* b : {Button15, wpx_Button, rm_Button, Button1, Button9, Button12, WAZ_But, ITU_But, b2})
        b->setEnabled(loaded);
    // The reset before a load empties every label; the prefix still in the
    // box names its country again, so that its listing runs for the new log.
    if (loaded) showPrefixCountry();
}

void DxccPage::fitColumns() { StringGrid3->fitColumns(); }

template <class F>
void DxccPage::command(F f)
{
    try {
        f();
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()).replace('\r', '\n'));
    }
    form_.ProgressBar2->setValue(0);
    StringGrid3->gridModel()->refresh();
}

void DxccPage::writeHtml(const std::string& name)
{
    grid_to_html(dxccGrid_, name, form_.state().header.OutputDir, form_.state().header);
}

void DxccPage::Button15Click()
{
    command([&] {
        const TopTenChart chart = qsoByCountries(form_.state(), form_.Cty, dxccGrid_, Calc_distance);
        drawTopTen(form_.chartsPage->Chart, chart);
        writeHtml(QsoByCountriesCaption);
        fitColumns();
    });
}

void DxccPage::wpx_ButtonClick()
{
    const TForm2::Job job(form_);
    command([&] {
        const TopTenChart chart = wpxByCountries(form_.state(), form_.Cty, dxccGrid_);
        drawTopTen(form_.chartsPage->Chart, chart);
        writeHtml(WpxByCountriesCaption);
        fitColumns();
        form_.CalculateTime();
    });
}

void DxccPage::Button3Click()
{
    command([&] {
        remainingMults(form_.state(), form_.Cty, dxccGrid_);
        fitColumns();
        writeHtml(RemainingMultsCaption);
    });
}

void DxccPage::Button1Click()
{
    const TForm2::Job job(form_);
    command([&] {
        const std::string continent = cont_ComboBox->currentIndex() == 0 ? "" : cont_ComboBox->currentText().toStdString();
        const int band = bands_ComboBox->currentIndex() == 0 ? 0 : bands_ComboBox->currentText().toInt();
        chronologicalList(form_.state(), form_.Cty, dxccGrid_, continent, band,
                          [&](int row, int count) { form_.ProgressBar2->setValue(PercentOf(0, count, row, 100)); });
        form_.CalculateTime();
        writeHtml(std::string(ChronologicalCaption) + " - " + cont_ComboBox->currentText().toStdString() + " - " +
                  bands_ComboBox->currentText().toStdString());
        fitColumns();
    });
}

void DxccPage::Button9Click()
{
    if (Label60->text().isEmpty()) return;
    const TForm2::Job job(form_);
    command([&] {
        std::array<int, SummaryBandCount> bands{};
        if (!countryStations(form_.state(), form_.Cty, dxccGrid_, Edit2->text().toStdString(), bands)) return;
        form_.CalculateTime();
        for (size_t b = 0; b < bands.size(); ++b) BandCountLabels[b]->setText(QString::number(bands[b]));
        writeHtml(std::string(CountryStationsCaption) + " - " + Label60->text().toStdString());
        fitColumns();
    });
}

void DxccPage::Button12Click()
{
    const TForm2::Job job(form_);
    StringGrid3->horizontalHeader()->setDefaultSectionSize(55);
    command([&] {
        hourContinents(form_.state(), form_.Cty, dxccGrid_,
                       [&](int row, int count) { form_.ProgressBar2->setValue(PercentOf(0, count, row, 100)); });
        form_.CalculateTime();
        fitColumns();
        writeHtml(HourContinentsCaption);
    });
}

void DxccPage::zoneTable(int kind)
{
    command([&] {
        ::zoneTable(form_.state(), form_.Cty, dxccGrid_, kind == 0 ? ZoneKind::WAZ : ZoneKind::ITU);
        fitColumns();
        writeHtml(kind == 0 ? "WAZ" : "ITU");
    });
}

void DxccPage::WAZ_ButClick() { zoneTable(0); }
void DxccPage::ITU_ButClick() { zoneTable(1); }

void DxccPage::b2Click()
{
    const TForm2::Job job(form_);
    command([&] {
        for (const std::string& m : oblastTable(form_.state(), form_.Cty, dxccGrid_))
            Show_msg(QString::fromUtf8(m));
        writeHtml("Russian oblasts");
        fitColumns();
        form_.CalculateTime();
    });
}

void DxccPage::Edit2Change()
{
    form_.state().CurrentCall = Edit2->text().toStdString();
    showPrefixCountry();
}

void DxccPage::showPrefixCountry()
{
    const std::string text = Edit2->text().toStdString();
    QString country;
    if (!text.empty()) {
        try {
            if (const CountryRecord* rec = countryOfCall(form_.Cty, text)) country = QString::fromUtf8(shownCountryName(rec->Country));
        } catch (const std::exception&) {
        }
    }
    Label60->setText(country);
}

void DxccPage::Edit2KeyPress(int key)
{
    if (key != '\r' || !Button9->isEnabled()) return;
    Button9Click();
    Edit2->selectAll();
}

bool DxccPage::eventFilter(QObject* o, QEvent* e)
{
    if (o == Edit2 && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            Edit2KeyPress('\r');
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void DxccPage::StringGrid3Click()
{
    try {
        const int row = StringGrid3->currentIndex().isValid() ? StringGrid3->currentIndex().row() + 1 : -1;
        if (dxccGrid_.Cell(2, 0) != "Last callsign" || row < 1) {
            for (int i = 0; i < form_.sb3->panelCount(); ++i) form_.sb3->setText(i, QString());
            return;
        }
        const std::string call = dxccGrid_.Cell(2, row);
        Edit2->setText(QString::fromUtf8(call));
        form_.state().CurrentCall = call;
        form_.Cty.LookupCall(call);
        if (Show_call_info) Show_call_info();
    } catch (const std::exception&) {
        // A click never ends in a message.
    }
}

void DxccPage::StringGrid3DrawCell(QPainter& p, const QRect& r, int col, int row, bool selected)
{
    if (dxccGrid_.Cell(col, row) != "OK") return;
    p.fillRect(r, selected ? StringGrid3->palette().highlight() : StringGrid3->palette().base());
    p.drawPixmap(r.left() + 1, r.top(), okImage());
}
