#include "analysis/near_zone_page.h"

#include "main/keoe_grid_view.h"
#include "main/platform.h"
#include "refdata/cty_search.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setProperty("fixedCaption", true); // the main window's reset leaves it
    return l;
}

} // namespace

NearZonePage::NearZonePage(const TKeoEGrid& log, TCty_search& cty, QWidget* parent)
    : QWidget(parent), log_(log), cty_(cty)
{
    setObjectName("NearZonePage");
    auto* left = new QVBoxLayout;
    Button10 = new QPushButton("Show", this);
    Button10->setObjectName("Button10");
    left->addWidget(Button10);
    left->addWidget(caption("For callsign:", this));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int at = Edit1->cursorPosition();
        Edit1->setText(t.toUpper());
        Edit1->setCursorPosition(at);
    });
    left->addWidget(Edit1);

    auto* radii = new QGroupBox("Near zone,km.:", this);
    auto* rl = new QGridLayout(radii);
    auto* result = new QGroupBox("RESULT", this);
    auto* resl = new QGridLayout(result);
    resl->addWidget(caption("QSOs", result), 0, 1);
    const char* spinNames[] = {"SE3", "SE4", "SE5", "SE6"};
    const char* labelNames[] = {"Label2", "Label3", "Label4", "Label5"};
    std::array<QSpinBox**, NearZoneBandCount> spins = {&SE3, &SE4, &SE5, &SE6};
    std::array<QLabel**, NearZoneBandCount> labels = {&Label2, &Label3, &Label4, &Label5};
    for (int b = 0; b < NearZoneBandCount; ++b) {
        const QString mhz = QString(NearZoneMhz[static_cast<size_t>(b)]) + " Mhz";
        auto* s = new QSpinBox(radii);
        s->setObjectName(spinNames[b]);
        s->setRange(0, 4000);
        s->setSingleStep(50);
        s->setValue(NearZoneStartRadii[static_cast<size_t>(b)]);
        *spins[static_cast<size_t>(b)] = s;
        rl->addWidget(caption(mhz, radii), b, 0);
        rl->addWidget(s, b, 1);
        auto* count = new QLabel(result);
        count->setObjectName(labelNames[b]);
        *labels[static_cast<size_t>(b)] = count;
        resl->addWidget(caption(mhz, result), b + 1, 0);
        resl->addWidget(count, b + 1, 1);
    }
    left->addWidget(radii);
    left->addWidget(result);
    left->addStretch(1);

    bandTabs = new QTabWidget(this);
    bandTabs->setObjectName("bandTabs");
    bandTabs->setTabPosition(QTabWidget::West);
    const char* gridNames[] = {"Keo_near_7", "Keo_near_14", "Keo_near_21", "Keo_near_28"};
    std::array<KeoEGridView**, NearZoneBandCount> views = {&Keo_near_7, &Keo_near_14, &Keo_near_21, &Keo_near_28};
    for (int b = 0; b < NearZoneBandCount; ++b) {
        TKeoEGrid& g = grids_[static_cast<size_t>(b)];
        initNearZoneGrid(g);
        g.SetRowCount(1);
        auto* v = new KeoEGridView(g, bandTabs);
        v->setObjectName(gridNames[b]);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->setColumnWidths({35, 50, 65, 65, 65});
        *views[static_cast<size_t>(b)] = v;
        bandTabs->addTab(v, NearZoneMhz[static_cast<size_t>(b)]);
    }

    auto* h = new QHBoxLayout(this);
    h->addLayout(left);
    h->addWidget(bandTabs, 1);
    connect(Button10, &QPushButton::clicked, this, &NearZonePage::Button10Click);
}

NearZonePage::~NearZonePage()
{
    // The views read the grids, which die before the QWidget base deletes the views.
    for (TKeoEGrid& g : grids_) g.OnChanged = nullptr;
    delete bandTabs;
}

void NearZonePage::Button10Click()
{
    const std::string call = Edit1->text().trimmed().toUpper().toStdString();
    if (call.empty()) return;
    const std::array<int, NearZoneBandCount> radii = {SE3->value(), SE4->value(), SE5->value(), SE6->value()};
    std::array<QLabel*, NearZoneBandCount> labels = {Label2, Label3, Label4, Label5};
    try {
        const auto counts = nearZone(log_, cty_, call, radii, {&grids_[0], &grids_[1], &grids_[2], &grids_[3]});
        for (size_t b = 0; b < labels.size(); ++b) labels[b]->setNum(counts[b]);
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
    }
    for (KeoEGridView* v : {Keo_near_7, Keo_near_14, Keo_near_21, Keo_near_28}) v->gridModel()->refresh();
}
