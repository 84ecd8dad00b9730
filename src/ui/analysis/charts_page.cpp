#include "analysis/charts_page.h"

#include "analysis/analysis_chart_view.h"
#include "analysis/log_charts.h"
#include "main/platform.h"
#include "reports/chart_output.h"
#include "reports/jpeg_writer.h"
#include "reports/printing.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {

QString messageText(const std::string& s) { return QString::fromUtf8(s).replace('\r', '\n'); }

} // namespace

ChartsPage::ChartsPage(AppState& state, QWidget* parent) : QWidget(parent), state_(state), data_(makeAnalysisChart())
{
    setObjectName("ChartsPage");
    Chart = new AnalysisChartView(this);
    Chart->setObjectName("Chart");
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Chart);

    l6 = new QLabel("Menu (right click)", Chart);
    l6->setObjectName("l6");
    l6->setAttribute(Qt::WA_TranslucentBackground);
    l6->setAutoFillBackground(false);
    l6->move(4, 4);
    l6->setMouseTracking(true);
    l6->installEventFilter(this);

    Popchart = new QMenu(this);
    Popchart->setObjectName("Popchart");
    N55 = Popchart->addMenu(kHourRateCaption);
    N55->setObjectName("N55");
    N55->menuAction()->setObjectName("N55");
    ALL2 = addItem(N55, "ALL2", "All", &ChartsPage::ALL2Click);
    EU1 = addItem(N55, "EU1", "Europe", &ChartsPage::EU1Click);
    AS2 = addItem(N55, "AS2", "Asia", &ChartsPage::AS2Click);
    NA2 = addItem(N55, "NA2", "North America", &ChartsPage::NA2Click);
    SA2 = addItem(N55, "SA2", "South America", &ChartsPage::SA2Click);
    AF2 = addItem(N55, "AF2", "Africa", &ChartsPage::AF2Click);
    OC2 = addItem(N55, "OC2", "Oceania", &ChartsPage::OC2Click);
    QSY3 = addItem(Popchart, "QSY3", kQsyCaption, &ChartsPage::QSY3Click);
    QSO3 = addItem(Popchart, "QSO3", kGrowthCaption, &ChartsPage::QSO3Click);
    TbQ = addItem(Popchart, "TbQ", kTimeBetweenCaption, &ChartsPage::TbQClick);
    WPX1 = addItem(Popchart, "WPX1", "WPX`s", nullptr);
    N41 = addItem(Popchart, "N41", "QSO by countries", nullptr);
    Timefor10QSO1 = addItem(Popchart, "Timefor10QSO1", kTimeFor10Caption, &ChartsPage::Timefor10QSO1Click);
    N60minr = addItem(Popchart, "N60minr", kRate60Caption, &ChartsPage::N60minrClick);
    Points = addItem(Popchart, "Points", kPointsCaption, &ChartsPage::PointsClick);
    msr = addItem(Popchart, "msr", kMainSecondCaption, &ChartsPage::msrClick);
    Popchart->addSeparator();
    N33 = addItem(Popchart, "N33", "Undo zoom", &ChartsPage::N33Click);
    N33->setShortcut(QKeySequence(Qt::Key_Z));
    Clear = addItem(Popchart, "Clear", "Clear", &ChartsPage::ClearClick);
    Zoom1 = addItem(Popchart, "Zoom1", "Zoom +", &ChartsPage::Zoom1Click);
    Zoom1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Down));
    Zoom2 = addItem(Popchart, "Zoom2", "Zoom -", &ChartsPage::Zoom2Click);
    Zoom2->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Up));
    chartSettings = Popchart->addMenu("Chart settings");
    chartSettings->setObjectName("Chartsettings");
    z1 = addItem(chartSettings, "z1", "Allow zoom", &ChartsPage::z1Click);
    z1->setCheckable(true);
    z1->setChecked(true);
    auto check = [this](const char* name, const char* caption, void (ChartsPage::*handler)(), bool on) {
        QAction* a = addItem(chartSettings, name, caption, handler);
        a->setCheckable(true);
        a->setChecked(on);
        return a;
    };
    N1 = check("N1", "Axis", &ChartsPage::N1Click, true);
    N2 = check("N2", "Color", &ChartsPage::N2Click, true);
    N3D1 = check("N3D1", "3D", &ChartsPage::N3D1Click, false);
    N6 = check("N6", "Labels", &ChartsPage::N6Click, true);
    N10 = check("N10", "Gradient", &ChartsPage::N10Click, true);
    N9 = check("N9", "Legend", &ChartsPage::N9Click, false);
    Popchart->addSeparator();
    Cabrillo2 = addItem(Popchart, "Cabrillo2", "Open Cabrillo ...", &ChartsPage::Cabrillo2Click);
    Cabrillo2->setShortcut(QKeySequence(Qt::Key_O));
    N11 = addItem(Popchart, "N11", "Save current image as...", &ChartsPage::N11Click);
    N11->setShortcut(QKeySequence(Qt::Key_S));
    N8 = addItem(Popchart, "N8", "Print", &ChartsPage::N8Click);
    N8->setShortcut(QKeySequence(Qt::Key_P));
    Help1 = addItem(Popchart, "Help1", "Explanatory", &ChartsPage::Help1Click);
    SCD = new QFileDialog(this);
    SCD->setObjectName("SCD");
    SCD->setOption(QFileDialog::DontUseNativeDialog);
    SCD->setAcceptMode(QFileDialog::AcceptSave);
    SCD->setNameFilter("JPEG(*.jpg)");
    // The one-key shortcuts work while the Charts page is shown, wherever the
    // focus went (the page tabs, a dialog just closed); a text field keeps
    // its typing, as it claims plain keys before any shortcut.
    for (QAction* a : {N33, Zoom1, Zoom2, Cabrillo2, N11, N8}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(Popchart, &QMenu::aboutToShow, this, &ChartsPage::PopchartPopup);
    Chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Popchart->popup(Chart->mapToGlobal(pos)); });
    Chart->setData(data_);
    applyLook();
}

QAction* ChartsPage::addItem(QMenu* menu, const char* name, const char* caption, void (ChartsPage::*handler)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (handler) connect(a, &QAction::triggered, this, handler);
    return a;
}

template <typename F> void ChartsPage::draw(F&& compute, bool job)
{
    if (job) jobs.start();
    try {
        compute();
    } catch (const std::exception& e) {
        Chart->setData(data_);
        Show_msg(messageText(e.what()));
        return;
    }
    Chart->setData(data_);
    if (job) jobs.end();
}

void ChartsPage::clear_all_series()
{
    ::clear_all_series(data_);
    Chart->setData(data_);
    Chart->undoZoom();
}

void ChartsPage::drawChart(const std::function<void(ChartData&)>& compute)
{
    clear_all_series();
    draw([&] { compute(data_); }, false);
}

void ChartsPage::runHourRate(int column)
{
    HourRateColumn = column;
    hour_rateClick();
}

void ChartsPage::ALL2Click() { runHourRate(1); }
void ChartsPage::EU1Click() { runHourRate(2); }
void ChartsPage::AS2Click() { runHourRate(3); }
void ChartsPage::NA2Click() { runHourRate(4); }
void ChartsPage::SA2Click() { runHourRate(5); }
void ChartsPage::AF2Click() { runHourRate(6); }
void ChartsPage::OC2Click() { runHourRate(7); }

void ChartsPage::hour_rateClick()
{
    const TKeoEGrid* table = nullptr;
    try {
        table = runHourRateTable ? runHourRateTable() : nullptr;
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
        return;
    }
    if (!table) return;
    Chart->undoZoom();
    draw([&] { hourRateChart(*table, HourRateColumn, state_.header.LogTitle, data_); }, false);
}

void ChartsPage::QSY3Click() { qsyClick(); }

void ChartsPage::qsyClick()
{
    Chart->undoZoom();
    draw([&] { bandChangeChart(state_, data_); }, true);
}

void ChartsPage::QSO3Click() { QSO_grown(); }

void ChartsPage::QSO_grown()
{
    Chart->undoZoom();
    draw([&] { growthChart(state_, data_, onProgress); }, true);
}

void ChartsPage::TbQClick()
{
    Chart->undoZoom();
    draw([&] { timeBetweenQsosChart(state_, data_, onProgress); }, true);
}

void ChartsPage::Timefor10QSO1Click()
{
    Chart->undoZoom();
    draw([&] { timeFor10QsoChart(state_, data_); }, false);
}

void ChartsPage::N60minrClick()
{
    // Too short a log leaves the chart as it was, zoom included.
    if (state_.header.QsoCount < 200) return;
    Chart->undoZoom();
    draw([&] { rate60Chart(state_, data_); }, false);
}

void ChartsPage::PointsClick()
{
    if (state_.header.QsoCount < 120) return;
    Chart->undoZoom();
    draw([&] { pointsChart(state_, data_); }, false);
}

void ChartsPage::msrClick()
{
    Chart->undoZoom();
    bool noIds = false;
    draw([&] { noIds = mainSecondRadioChart(state_, data_); }, true);
    if (noIds) Show_msg(messageText(noTransmitterIdsText()));
}

void ChartsPage::N33Click() { Chart->undoZoom(); }

void ChartsPage::ClearClick() { clear_all_series(); }

void ChartsPage::Zoom1Click() { Chart->zoomPercent(105); }

void ChartsPage::Zoom2Click() { Chart->zoomPercent(95); }

void ChartsPage::z1Click()
{
    Chart->setAllowZoom(!Chart->allowZoom());
    // The check mark follows the saved setting, not this toggle.
    z1->setChecked(!z1->isChecked());
}

void ChartsPage::PopchartPopup()
{
    QPalette p = l6->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l6->setPalette(p);
}

void ChartsPage::l6MouseMove()
{
    if (Popchart->isVisible()) return;
    const QRect w = window()->geometry();
    Popchart->exec(QPoint(w.left() + 110, w.top() + 120));
    QPalette p = l6->palette();
    p.setColor(QPalette::WindowText, palette().color(QPalette::Button));
    l6->setPalette(p);
}

bool ChartsPage::eventFilter(QObject* o, QEvent* e)
{
    if (o == l6 && e->type() == QEvent::MouseMove) {
        l6MouseMove();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void ChartsPage::applyLook()
{
    ChartLook look;
    look.axes = N1->isChecked();
    look.colour = N2->isChecked();
    look.threeD = N3D1->isChecked();
    look.gradient = N10->isChecked();
    look.legend = N9->isChecked();
    look.gradientColor = gradientColor_;
    Chart->setLook(look);
}

void ChartsPage::applyChartSettings(const TSettings& s)
{
    N1->setChecked(s.ChartAxis);
    N2->setChecked(s.ChartMonochrome);
    N3D1->setChecked(s.Chart3D);
    N6->setChecked(s.ChartMarks);
    N10->setChecked(s.ChartGradient);
    N9->setChecked(s.ChartLegend);
    z1->setChecked(s.ChartAllowZoom);
    // Stored as 0xBBGGRR like every colour of the program.
    gradientColor_ = static_cast<std::uint32_t>(s.ChartGradientColor) & 0xFFFFFF;
    Chart->setAllowZoom(z1->isChecked());
    N6Click();
    applyLook();
}

void ChartsPage::saveChartSettings(TSettings& s) const
{
    s.ChartAxis = N1->isChecked();
    s.ChartMonochrome = N2->isChecked();
    s.Chart3D = N3D1->isChecked();
    s.ChartMarks = N6->isChecked();
    s.ChartGradient = N10->isChecked();
    s.ChartLegend = N9->isChecked();
    s.ChartAllowZoom = z1->isChecked();
    s.ChartGradientColor = static_cast<int>(gradientColor_);
}

// A check item has toggled its own mark when its handler runs.
void ChartsPage::N1Click() { applyLook(); }
void ChartsPage::N2Click() { applyLook(); }
void ChartsPage::N3D1Click() { applyLook(); }
void ChartsPage::N10Click() { applyLook(); }
void ChartsPage::N9Click() { applyLook(); }

void ChartsPage::N6Click()
{
    const bool on = N6->isChecked();
    data_.Series("Series1").marksVisible = on;
    data_.Series("Series2").marksVisible = on;
    // What the chart shows (a Top Ten chart has bars of its own).
    ChartData shown = Chart->data();
    for (auto& series : shown.series)
        if (series.name == "Series1" || series.name == "Series2") series.marksVisible = on;
    Chart->setData(shown);
}

void ChartsPage::Cabrillo2Click()
{
    if (openCabrillo) openCabrillo();
}

void ChartsPage::N11Click()
{
    try {
        // Drawn off screen: the user's clipboard is left alone.
        const QImage img = Chart->renderImage().convertToFormat(QImage::Format_RGB888);
        // Where every other output of the log goes.
        const QString outputDir = QString::fromStdString(state_.header.OutputDir);
        if (!outputDir.isEmpty() && QDir(outputDir).exists()) SCD->setDirectory(outputDir);
        SCD->selectFile(QString::fromStdString(chartImageFileName(Chart->chart()->title().toStdString())));
        const int answer = SCD->exec();
        backToChart();
        if (answer != QDialog::Accepted || SCD->selectedFiles().isEmpty()) return;
        const QString file = QString::fromStdString(withJpgExtension(SCD->selectedFiles().front().toStdString()));
        writeJpeg(file.toStdString(), img.width(), img.height(), img.constBits(), static_cast<int>(img.bytesPerLine()),
                  100);
        shellOpen(file);
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
        backToChart();
    }
}

void ChartsPage::N8Click()
{
    printChart();
    // Its box ("No printer is installed.", an error) took the keyboard.
    backToChart();
}

void ChartsPage::printChart()
{
    try {
        auto printer = makePrinter();
        printer->setPageOrientation(QPageLayout::Landscape);
        if (!printerReady(*printer)) return;
        const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
        // The chart laid out at a screen size of the page's shape, then scaled onto the page.
        const double screen = printer->resolution() / 96.0;
        const QSize size(static_cast<int>(page.width() / screen), static_cast<int>(page.height() / screen));
        const QImage img = Chart->renderImage(size);
        QPainter p;
        if (!p.begin(printer.get())) throw std::runtime_error("The printer could not be started");
        p.drawImage(QRect(QPoint(0, 0), page.size()), img);
        p.end();
    } catch (const std::exception& e) {
        Show_msg(messageText(e.what()));
    }
}

void ChartsPage::Help1Click()
{
    Show_msg("Zoom by clicking Left button\nand dragging bottom right.");
    backToChart();
}

void ChartsPage::backToChart()
{
    // Without a window manager to give it back, the window would stay
    // without the keyboard after the dialog.
    if (!isVisible()) return;
    window()->activateWindow();
    Chart->setFocus(Qt::OtherFocusReason);
}
