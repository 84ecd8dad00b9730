#include "reports/zem_report.h"

#include "main/log_table.h"
#include "main/platform.h"
#include "reports/print_layout.h"
#include "reports/print_string_grid.h"
#include "reports/printing.h"

#include <QFontDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TZEM_Report::TZEM_Report(const AppState& state, TCty_search& cty, ReportOptions options, QWidget* parent)
    : QDialog(parent), state_(state), cty_(cty), options_(std::move(options))
{
    setObjectName("ZEM_Report");
    setWindowTitle("ZEM Report");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("Tables for printing", this));
    l = new QTreeWidget(this);
    l->setObjectName("l");
    l->setColumnCount(1);
    l->setHeaderLabels({"Grid"});
    l->setRootIsDecorated(false);
    l->setToolTip("Double click for preview");
    for (const std::string& name : reportTableNames()) {
        auto* item = new QTreeWidgetItem(l, {QString::fromStdString(name)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    // Every table in view at once: the list is never shorter than its items.
    if (l->topLevelItemCount() > 0)
        l->setMinimumHeight(l->sizeHintForRow(0) * l->topLevelItemCount() + l->header()->sizeHint().height() +
                            2 * l->frameWidth() + 2);
    v->addWidget(l, 1);

    auto* buttons = new QHBoxLayout();
    auto button = [&](const char* name, const char* caption, void (TZEM_Report::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    b3 = button("b3", "Select all", &TZEM_Report::b3Click);
    b4 = button("b4", "None", &TZEM_Report::b4Click);
    b1 = button("b1", "Font", &TZEM_Report::b1Click);
    s1 = button("s1", "Print", &TZEM_Report::s1Click);
    b2 = button("b2", "Close", &QDialog::reject);
    v->addLayout(buttons);
    connect(l, &QTreeWidget::itemDoubleClicked, this, &TZEM_Report::lDblClick);

    f = new QFontDialog(this);
    f->setObjectName("f");

    PSG = new TPrintStringGrid(this);
    PSG->setObjectName("PSG");
    PSG->AFont.setPixelSize(11);
    PSG->TitleFont = QFont("Arial");
    PSG->TitleFont.setPixelSize(16);
    PSG->TitleFont.setBold(true);
    PSG->TitleColor = Qt::blue;
    PSG->LightFont = QFont("MS Sans Serif");
    PSG->LightFont.setPixelSize(11);
    PSG->LightColor = palette().color(QPalette::WindowText);
    PSG->TitleDate = true;
    PSG->TitleNumPage = true;
    PSG->TitleLeft = 10;
    PSG->FixedColor = QColor(0xC0, 0xC0, 0xC0);
}

void TZEM_Report::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TZEM_Report::FormShow()
{
    if (l->topLevelItemCount() > 0) l->topLevelItem(0)->setCheckState(0, Qt::Checked);
}

void TZEM_Report::setAllChecked(bool on)
{
    for (int i = 0; i < l->topLevelItemCount(); ++i)
        l->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void TZEM_Report::b3Click() { setAllChecked(true); }

void TZEM_Report::b4Click() { setAllChecked(false); }

void TZEM_Report::b1Click()
{
    f->setCurrentFont(PSG->AFont);
    if (f->exec() == QDialog::Accepted) PSG->AFont = f->selectedFont();
}

void TZEM_Report::produce(int index)
{
    const auto table = static_cast<ReportTable>(index);
    ReportTableResult made = makeReportTable(table, state_, cty_, options_);
    for (const std::string& m : made.messages) Show_msg(QString::fromUtf8(m).replace('\r', '\n'));
    if (!made.printable) return;
    PSG->Title = QString::fromStdString(reportTitle(state_.header.LogTitle, table));
    PSG->StringGrid = &made.grid;
    if (table == ReportTable::AllCallsigns) {
        PSG->ColWidths.assign(static_cast<size_t>(made.grid.ColCount()), kCallsignListColumnWidth);
    } else {
        const QFontMetrics fm(PSG->AFont);
        PSG->ColWidths = printColumnWidths(
            made.grid, [&](const std::string& s) { return fm.horizontalAdvance(QString::fromUtf8(s)); });
    }
    PSG->Execute();
    PSG->StringGrid = nullptr;
}

void TZEM_Report::lDblClick()
{
    QTreeWidgetItem* item = l->currentItem();
    if (!item) return;
    produce(l->indexOfTopLevelItem(item));
}

void TZEM_Report::s1Click()
{
    // Told once, not once per table.
    if (!printerReady(*makePrinter())) return;
    PSG->PrintStyle = psPrint;
    for (int i = 0; i < l->topLevelItemCount(); ++i)
        if (l->topLevelItem(i)->checkState(0) == Qt::Checked) produce(i);
    PSG->PrintStyle = psPreview;
}
