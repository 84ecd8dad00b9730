#include "analysis/rates_page.h"

#include "analysis/rates.h"
#include "main/form2.h"
#include "main/jobs.h"
#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "main/text_util.h"
#include "reports/html_export.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kRowTitleNames[8] = {"st3", "st8", "st9", "st12", "st61", "s62", "s63", "s64"};

// Captions that are part of the page's design, not results: a reset of the
// main window leaves them as they are.
QLabel* staticText(const QString& text, const QString& name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setProperty("fixedCaption", true);
    return l;
}

} // namespace

RatesPage::RatesPage(TForm2& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName("RatesPage");
    auto* top = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    g4 = new QGroupBox(kRatePerMinuteCaption, this);
    g4->setObjectName("g4");
    auto* g4l = new QGridLayout(g4);
    g4l->setVerticalSpacing(0); // the page fits the window's default height on an 800 x 600 screen
    rb20 = new QRadioButton("all", g4);
    rb20->setObjectName("rb20");
    rb20->setChecked(true);
    g4l->addWidget(rb20, 0, 0);
    StaticText70 = staticText(kTimesCaption, "StaticText70", g4);
    g4l->addWidget(StaticText70, 0, 2);
    for (int i = 0; i < 8; ++i) {
        const auto k = static_cast<size_t>(i);
        rbN[k] = new QRadioButton(QString::number(i + 2), g4);
        rbN[k]->setObjectName(QString("rb%1").arg(8 + i));
        rowTitles[k] = staticText(QString::fromStdString(qsoInMinuteTitle(i + 2)), kRowTitleNames[i], g4);
        counts[k] = new QLabel(QString("L%1").arg(30 + i), g4);
        counts[k]->setObjectName(QString("Label%1").arg(30 + i));
        g4l->addWidget(rbN[k], i + 1, 0);
        g4l->addWidget(rowTitles[k], i + 1, 1);
        g4l->addWidget(counts[k], i + 1, 2);
    }
    Button6 = new QPushButton("Show", g4);
    Button6->setObjectName("Button6");
    Button6->setEnabled(false);
    g4l->addWidget(Button6, 9, 0, 1, 3);
    left->addWidget(g4);

    GroupBox5 = new QGroupBox(kMaximalRatesCaption, this);
    GroupBox5->setObjectName("GroupBox5");
    auto* g5l = new QVBoxLayout(GroupBox5);
    initRateGrid(rateGrid);
    Rate_KeoEGrid = new KeoEGridView(rateGrid, GroupBox5);
    Rate_KeoEGrid->setObjectName("Rate_KeoEGrid");
    Rate_KeoEGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Rate_KeoEGrid->verticalHeader()->hide();
    Rate_KeoEGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Rate_KeoEGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Rate_KeoEGrid->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    // All five periods show while there is room; a shorter window scrolls them.
    Rate_KeoEGrid->setMinimumHeight(3 * 22 + 4);
    g5l->addWidget(Rate_KeoEGrid);
    Button7 = new QPushButton("Show", GroupBox5);
    Button7->setObjectName("Button7");
    Button7->setEnabled(false);
    g5l->addWidget(Button7);
    left->addWidget(GroupBox5);
    left->addStretch(1);
    top->addLayout(left);

    l11 = new QListWidget(this);
    l11->setObjectName("l11");
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    l11->setFont(courier);
    top->addWidget(l11, 1);

    connect(Button6, &QPushButton::clicked, this, &RatesPage::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &RatesPage::Button7Click);
    connect(Rate_KeoEGrid, &QAbstractItemView::doubleClicked, this, &RatesPage::Rate_KeoEGridDblClick);
}

std::filesystem::path RatesPage::ratesFile(const std::string& name) const
{
    return std::filesystem::path(form_.state().header.OutputDir) / kRatesFolder / name;
}

void RatesPage::showLines(const std::vector<std::string>& lines)
{
    l11->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& l : lines) items << QString::fromStdString(zem::toDisplayUtf8(l));
    l11->addItems(items);
}

void RatesPage::jobFailed(const std::exception& e)
{
    form_.ProgressBar2->setValue(0);
    l11->show();
    Show_msg(QString::fromUtf8(e.what()));
}

void RatesPage::Button6Click()
{
    const TForm2::Job job(form_);
    l11->hide();
    l11->clear();
    int n = 0; // 0: all minutes
    for (int i = 0; i < 8; ++i)
        if (rbN[static_cast<size_t>(i)]->isChecked()) n = i + 2;
    try {
        const AppState& s = form_.state();
        form_.ProgressBar2->setValue(0);
        const auto minutes = qsoMinutes(s.log_grid, lastQsoRow(s.log_grid, s.header.QsoCount));
        if (n > 0) {
            const RunListing runs = ratePerMinuteRuns(s.log_grid, minutes, n);
            showLines(runs.lines);
            form_.ProgressBar2->setValue(0);
            l11->show();
            l11->setFocus();
            zem::writeLines(ratesFile(runsFileName(n, runs.runs)).string(), runs.lines);
        } else {
            const AllRates all = allRatesPerMinute(minutes);
            for (size_t i = 0; i < counts.size(); ++i) counts[i]->setText(QString::number(all.counts[i]));
            l11->show();
            showLines(all.lines);
            zem::writeLines(ratesFile(kAllRatesFile).string(), all.lines);
        }
    } catch (const std::exception& e) {
        jobFailed(e);
        return;
    }
    form_.CalculateTime();
}

void RatesPage::Get_rate(TKeoEGrid& grid, int period, int row)
{
    const AppState& s = form_.state();
    const auto minutes = qsoMinutes(s.log_grid, lastQsoRow(s.log_grid, s.header.QsoCount));
    const BestWindow w = ::Get_rate(grid, period, row, s.log_grid, minutes);
    BestWindowFirst = w.first;
    BestWindowLast = w.last;
}

void RatesPage::Button7Click()
{
    const TForm2::Job job(form_);
    try {
        int row = 1;
        for (int period : kRatePeriods) Get_rate(rateGrid, period, row++);
        form_.CalculateTime();
        rateGrid.SetRowCount(static_cast<int>(kRatePeriods.size()) + 1);
        Rate_KeoEGrid->gridModel()->refresh();
        grid_to_html(rateGrid, kRatesForPeriodsPage, form_.state().header.OutputDir, form_.state().header);
    } catch (const std::exception& e) {
        Rate_KeoEGrid->gridModel()->refresh();
        jobFailed(e);
    }
}

void RatesPage::Rate_KeoEGridDblClick()
{
    const int row = rateGrid.Row;
    const std::string periodText = rateGrid.Cell(0, row);
    int period = 0;
    // A row that holds no period yet (before the first "Show") lists nothing
    // and saves nothing.
    if (!zem::tryToInt(periodText, period) || period < 1) return;
    try {
        Get_rate(rateGrid, period, row);
    } catch (const std::exception&) {
        return; // the table's own command has told the user about the log's dates
    }
    Rate_KeoEGrid->gridModel()->refresh();
    BestWindow w{BestWindowFirst, BestWindowLast, BestWindowFirst > 0 ? BestWindowLast - BestWindowFirst + 1 : 0};
    const auto lines = periodListing(form_.state().log_grid, period, w);
    showLines(lines);
    try {
        zem::writeLines(ratesFile(periodFileName(periodText)).string(), lines);
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
    }
}
