#include "analysis/add_info_dialog.h"

#include "analysis/distribution.h"
#include "analysis/distribution_page.h"
#include "main/app_state.h"
#include "refdata/master_call_db.h"

#include <QEvent>
#include <QPalette>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include <cmath>
#include <optional>

namespace {

// Names of the number labels and gauges, row by row, of each column.
constexpr int kNotFoundLabel[8] = {23, 24, 25, 26, 27, 28, 29, 30};
constexpr int kNotFoundGauge[8] = {1, 2, 3, 4, 5, 6, 13, 14};
constexpr int kQsoLabel[8] = {3, 4, 5, 6, 7, 8, 10, 11};
constexpr int kQsoGauge[8] = {7, 8, 9, 10, 11, 12, 15, 16};
constexpr int kStationLabel[8] = {13, 14, 15, 16, 17, 18, 20, 21};
constexpr int kStationGauge[8] = {17, 18, 19, 20, 21, 22, 23, 24};

// Relative luminance of a colour, as the contrast of two colours is measured.
double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Black or white, whichever reads better on bar.
QColor readableTextOn(const QColor& bar)
{
    const double l = luminance(bar);
    return (1.05 / (l + 0.05)) > ((l + 0.05) / 0.05) ? QColor(Qt::white) : QColor(Qt::black);
}

QProgressBar* makeGauge(QWidget* parent, int number, std::optional<QColor> barColour)
{
    auto* g = new QProgressBar(parent);
    g->setObjectName(QString("Gauge%1").arg(number));
    g->setRange(0, 1);
    g->setValue(0);
    // The percentage is drawn across the bar: over the filled part in a
    // colour chosen to read on it, elsewhere in the window's text colour.
    QPalette p = g->palette();
    if (barColour) p.setColor(QPalette::Highlight, *barColour);
    p.setColor(QPalette::HighlightedText, readableTextOn(p.color(QPalette::Highlight)));
    g->setPalette(p);
    return g;
}

QLabel* makeNumber(QWidget* parent, int number)
{
    auto* l = new QLabel("0", parent);
    l->setObjectName(QString("Label%1").arg(number));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(40);
    return l;
}

void showCell(QLabel* label, QProgressBar* gauge, const AddInfoCell& c)
{
    label->setText(QString::number(c.value));
    // A gauge of no range would turn into a busy indicator: an empty
    // column shows an empty bar.
    gauge->setRange(0, std::max(c.max, 1));
    gauge->setValue(std::clamp(c.value, 0, std::max(c.max, 1)));
}

} // namespace

Tadd_info::Tadd_info(DistributionPage& page, AppState& state, TMasterCallDB& master, QWidget* parent)
    : QDialog(parent), page_(page), state_(state), master_(master)
{
    setObjectName("add_info");
    setWindowTitle("Distribution. Additional information");
    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel("Not found in Master.dta", this), 0, 1, 1, 2, Qt::AlignCenter);
    g->addWidget(new QLabel("QSO", this), 0, 3, 1, 2, Qt::AlignCenter);
    g->addWidget(new QLabel("Stations", this), 0, 5, 1, 2, Qt::AlignCenter);
    for (int r = 0; r < 8; ++r) {
        const auto i = static_cast<size_t>(r);
        const QString title = r < 6 ? QString("On %1 bands").arg(r + 1) : r == 6 ? "On 1 bands" : "More then 1";
        g->addWidget(new QLabel(title, this), r + 1, 0);
        notFoundLabels[i] = makeNumber(this, kNotFoundLabel[i]);
        notFoundGauges[i] = makeGauge(this, kNotFoundGauge[i], std::nullopt);
        qsoLabels[i] = makeNumber(this, kQsoLabel[i]);
        qsoGauges[i] = makeGauge(this, kQsoGauge[i], QColor(Qt::red));
        stationLabels[i] = makeNumber(this, kStationLabel[i]);
        stationGauges[i] = makeGauge(this, kStationGauge[i], QColor(Qt::blue));
        g->addWidget(notFoundLabels[i], r + 1, 1);
        g->addWidget(notFoundGauges[i], r + 1, 2);
        g->addWidget(qsoLabels[i], r + 1, 3);
        g->addWidget(qsoGauges[i], r + 1, 4);
        g->addWidget(stationLabels[i], r + 1, 5);
        g->addWidget(stationGauges[i], r + 1, 6);
    }
    adjustSize();
    if (auto* scr = QGuiApplication::primaryScreen()) move(scr->availableGeometry().center() - rect().center());
}

bool Tadd_info::event(QEvent* e)
{
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) FormActivate();
    return handled;
}

void Tadd_info::FormActivate()
{
    const BandDistribution& d = page_.lists();
    const AddInfoRows rows = additionalInfo(d.columns, static_cast<int>(d.all.size()), state_.header.QsoCount,
                                            [this](const std::string& call) {
                                                state_.CurrentCall = call;
                                                return !master_.PartialSearch(call);
                                            });
    for (size_t i = 0; i < 8; ++i) {
        showCell(notFoundLabels[i], notFoundGauges[i], rows.notFound[i]);
        showCell(qsoLabels[i], qsoGauges[i], rows.qso[i]);
        showCell(stationLabels[i], stationGauges[i], rows.stations[i]);
    }
}

void Tadd_info::FormKeyPress(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}
