// The Charts page's output commands and chart settings: pictures saved as
// JPEG files and read back, the chart printed to PDF, the settings applied
// at start and written back.
#include "analysis/analysis_chart_view.h"
#include "analysis/charts_page.h"
#include "analysis/top_ten_chart.h"
#include "main/form2.h"
#include "main/settings.h"
#include "reports/printing.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QChart>
#include <QFile>
#include <QFileDialog>
#include <QWindow>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <fstream>

namespace {

bool allGrey(const QImage& img)
{
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3) {
            const QColor c = img.pixelColor(x, y);
            // The theme's text colours are a shade off pure grey.
            if (std::abs(c.red() - c.green()) > 6 || std::abs(c.green() - c.blue()) > 6) return false;
        }
    return true;
}

struct Page {
    AppState state;
    ChartsPage page{state};
    Page()
    {
        state.header.LogTitle = "CQ-WPX 2025 K1/W2AA";
        page.resize(800, 500);
    }
    // Answers the save dialog with `name` (or cancels with an empty one).
    void saveAs(const QString& name, QString* preset = nullptr)
    {
        QTimer::singleShot(0, [&, name] {
            if (preset)
                if (auto* e = page.SCD->findChild<QLineEdit*>()) *preset = e->text();
            if (name.isEmpty()) page.SCD->reject();
            else {
                page.SCD->selectFile(name);
                if (auto* e = page.SCD->findChild<QLineEdit*>()) e->setText(name);
                static_cast<QDialog*>(page.SCD)->done(QDialog::Accepted);
            }
        });
        page.N11->trigger();
    }
};

} // namespace

TEST(ChartOutput, SavesTheChartAsJpegAndOpensIt)
{
    MessageRecorder msgs;
    QStringList opened;
    setShellOpenHook([&](const QString& f) { opened << f; });
    QTemporaryDir dir;
    Page p;
    p.page.QSO3Click();
    // The dialog opens where every other output of the log is.
    p.state.header.OutputDir = dir.path().toStdString() + "/";
    QString folder;
    QTimer::singleShot(0, [&] {
        folder = p.page.SCD->directory().absolutePath();
        p.page.SCD->reject();
    });
    p.page.N11->trigger();
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    QString preset;

    p.saveAs(dir.filePath("rate.jpg"), &preset);
    EXPECT_EQ(preset, "ZEM.Growth of QSO quantity in time. CQ-WPX 2025 K1-W2AA");
    ASSERT_EQ(opened, QStringList{dir.filePath("rate.jpg")});
    QImage img(dir.filePath("rate.jpg"));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), p.page.Chart->renderImage().size());
    EXPECT_FALSE(QFile::exists(dir.filePath("rate.jpg.jpg")));

    p.saveAs(dir.filePath("second"));
    EXPECT_TRUE(QFile::exists(dir.filePath("second.jpg")));
    EXPECT_EQ(opened.size(), 2);

    // Cancelled: nothing written, nothing opened.
    p.saveAs(QString());
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // A folder that does not exist: the user is told, nothing is opened.
    p.saveAs(dir.filePath("missing/x.jpg"));
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(msgs.texts.size(), 1);
    setShellOpenHook({});
}

TEST(ChartOutput, PrintsOnePageAndTellsWhenThereIsNoPrinter)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("chart.pdf");
    setPrinterHook([&](QPrinter& pr) {
        pr.setOutputFormat(QPrinter::PdfFormat);
        pr.setOutputFileName(pdf);
    });
    Page p;
    p.page.QSO3Click();
    p.page.N8->trigger();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_TRUE(msgs.texts.isEmpty());

    setPrinterHook([](QPrinter& pr) { pr.setOutputFormat(QPrinter::PdfFormat); });
    p.page.N8->trigger();
    EXPECT_EQ(msgs.texts, QStringList{kNoPrinterText});
    setPrinterHook({});

    p.page.Help1->trigger();
    EXPECT_EQ(msgs.texts.last(), "Zoom by clicking Left button\nand dragging bottom right.");
}

TEST(ChartSettings, ColourLabelsAndTheOtherChecksDriveTheChart)
{
    Page p;
    p.page.QSO3Click();
    AnalysisChartView& chart = *p.page.Chart;
    ASSERT_FALSE(allGrey(chart.renderImage(QSize(400, 300))));

    p.page.N2->trigger();
    EXPECT_FALSE(p.page.N2->isChecked());
    EXPECT_FALSE(chart.look().colour);
    EXPECT_TRUE(allGrey(chart.renderImage(QSize(400, 300))));
    p.page.N2->trigger();
    EXPECT_TRUE(p.page.N2->isChecked());
    EXPECT_FALSE(allGrey(chart.renderImage(QSize(400, 300))));

    p.page.N6->trigger();
    EXPECT_FALSE(chart.data().Series("Series1").marksVisible);
    EXPECT_FALSE(chart.data().Series("Series2").marksVisible);
    p.page.N6->trigger();
    EXPECT_TRUE(chart.data().Series("Series1").marksVisible);
    EXPECT_TRUE(chart.data().Series("Series2").marksVisible);

    struct Toggle {
        QAction* item;
        bool ChartLook::*field;
    } toggles[] = {{p.page.N1, &ChartLook::axes}, {p.page.N3D1, &ChartLook::threeD},
                   {p.page.N10, &ChartLook::gradient}, {p.page.N9, &ChartLook::legend}};
    for (const Toggle& t : toggles) {
        t.item->trigger();
        EXPECT_EQ(chart.look().*t.field, t.item->isChecked()) << t.item->objectName().toStdString();
        t.item->trigger();
        EXPECT_EQ(chart.look().*t.field, t.item->isChecked()) << t.item->objectName().toStdString();
    }
}

TEST(ChartSettings, AppliedAtStartAndWrittenBack)
{
    Page p;
    TSettings s;
    s.ChartAxis = false;
    s.ChartMonochrome = false;
    s.Chart3D = true;
    s.ChartMarks = false;
    s.ChartGradient = true;
    s.ChartLegend = false;
    s.ChartAllowZoom = false;
    s.ChartGradientColor = 0x0000FF; // red, stored blue-green-red
    p.page.applyChartSettings(s);
    EXPECT_FALSE(p.page.N1->isChecked());
    EXPECT_FALSE(p.page.N2->isChecked());
    EXPECT_TRUE(p.page.N3D1->isChecked());
    EXPECT_FALSE(p.page.Chart->allowZoom());
    EXPECT_FALSE(p.page.Chart->data().Series("Series1").marksVisible);
    TSettings back;
    p.page.saveChartSettings(back);
    EXPECT_EQ(back.ChartAxis, false);
    EXPECT_EQ(back.ChartMonochrome, false);
    EXPECT_EQ(back.Chart3D, true);
    EXPECT_EQ(back.ChartMarks, false);
    EXPECT_EQ(back.ChartLegend, false);
    EXPECT_EQ(back.ChartAllowZoom, false);
    EXPECT_EQ(back.ChartGradientColor, 0x0000FF);

    // In colour the gradient ends in red at the bottom, not in blue.
    p.page.N2->trigger();
    const QImage img = p.page.Chart->renderImage(QSize(400, 300));
    const QColor bottom = img.pixelColor(200, 288);
    EXPECT_GT(bottom.red(), 200);
    EXPECT_LT(bottom.blue(), 80);
}

TEST(ChartSettings, ZemIniDrivesTheChartAndKeepsWhatTheUserChose)
{
    MessageRecorder msgs;
    QTemporaryDir dir;
    const std::filesystem::path folder = makeProgramFolder(dir);
    std::ofstream(folder / "zem.ini") << "[Chart]\r\nMonochrome=0\r\nLegend=0\r\nGradient color=255\r\n";
    {
        TForm2 w(folder);
        w.show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        ASSERT_TRUE(w.activated());
        EXPECT_FALSE(w.chartsPage->N2->isChecked());
        EXPECT_FALSE(w.chartsPage->Chart->look().colour);
        EXPECT_FALSE(w.chartsPage->Chart->look().legend);
        EXPECT_EQ(w.chartsPage->Chart->look().gradientColor, 0x0000FFu);
        w.chartsPage->N2->trigger();
        w.chartsPage->N3D1->trigger();
        w.close();
    }
    const TSettings s = readSettings(folder / "zem.ini");
    EXPECT_TRUE(s.ChartMonochrome);
    EXPECT_TRUE(s.Chart3D);
    EXPECT_FALSE(s.ChartLegend);
    EXPECT_EQ(s.ChartGradientColor, 255);
}

namespace {
// The charts page in an active window of its own, above a text field and the
// button that has the focus after the page is chosen; counts "Open".
struct ActiveChartsWindow {
    QWidget window;
    AppState state;
    ChartsPage* page = new ChartsPage(state);
    QLineEdit* edit = new QLineEdit;
    QPushButton* tab = new QPushButton("Charts");
    int opened = 0;
    ActiveChartsWindow()
    {
        auto* l = new QVBoxLayout(&window);
        l->addWidget(page);
        l->addWidget(edit);
        l->addWidget(tab);
        page->openCabrillo = [this] { ++opened; };
        window.show();
        window.activateWindow();
    }
};
} // namespace

TEST(ChartSettings, OneKeyShortcutsWorkWhileThePageShowsButNotInATextField)
{
    ActiveChartsWindow cw;
    QWidget& window = cw.window;
    ChartsPage* page = cw.page;
    QLineEdit* edit = cw.edit;
    QPushButton* tab = cw.tab;
    int& opened = cw.opened;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto press = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, key);
        QTest::qWait(10);
    };

    edit->setFocus();
    press(Qt::Key_O);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(edit->text(), "o");

    tab->setFocus();
    press(Qt::Key_O);
    EXPECT_EQ(opened, 1);

    // A dialog has come and gone: the keys work without a click on the chart.
    QDialog dialog(&window);
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    dialog.exec();
    // As the window manager does: the window is active again, its focus
    // where it was (not on the chart).
    window.windowHandle()->requestActivate();
    for (int i = 0; i < 100 && QGuiApplication::focusWindow() != window.windowHandle(); ++i) QTest::qWait(10);
    ASSERT_EQ(QGuiApplication::focusWindow(), window.windowHandle());
    ASSERT_FALSE(page->isAncestorOf(QApplication::focusWidget()));
    press(Qt::Key_O);
    EXPECT_EQ(opened, 2);
    int undone = 0, zoomed = 0;
    QObject::connect(page->N33, &QAction::triggered, [&] { ++undone; });
    QObject::connect(page->Zoom1, &QAction::triggered, [&] { ++zoomed; });
    press(Qt::Key_Z);
    QTest::keyClick(&window, Qt::Key_Down, Qt::ShiftModifier);
    QTest::qWait(10);
    EXPECT_EQ(undone, 1);
    EXPECT_EQ(zoomed, 1);

    // Another page in front: the keys are not the chart's.
    page->hide();
    press(Qt::Key_O);
    EXPECT_EQ(opened, 2);
}

// After a box of one of the chart's commands the keyboard is the chart's
// again, so its one-key shortcuts work without a click on it.
TEST(ChartSettings, TheChartHasTheKeysBackAfterItsBoxes)
{
    ActiveChartsWindow cw;
    ChartsPage* page = cw.page;
    QPushButton* tab = cw.tab;
    int& opened = cw.opened;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cw.window));
    setPrinterHook([](QPrinter& pr) { pr.setOutputFormat(QPrinter::PdfFormat); }); // no printer
    struct Case {
        QAction* command;
        QString text;
    };
    for (const Case& c : {Case{page->N8, kNoPrinterText}, Case{page->Help1, "Zoom by clicking Left button\nand dragging bottom right."}}) {
        tab->setFocus();
        QString shown;
        answerModal<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            box->accept();
        });
        c.command->trigger();
        QTest::qWait(20);
        EXPECT_EQ(shown, c.text);
        EXPECT_EQ(QApplication::focusWidget(), page->Chart) << c.command->objectName().toStdString();
    }
    setPrinterHook({});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O);
    QTest::qWait(10);
    EXPECT_EQ(opened, 1);
}

TEST(ChartSettings, ChartsAfterATopTenChartKeepTheirAxes)
{
    Page p;
    TopTenChart top;
    top.Title = "Top Ten";
    top.Bars = {{"UA", 3}, {"DL", 2}};
    drawTopTen(p.page.Chart, top);
    p.page.N2->trigger(); // the settings redraw what is shown
    EXPECT_EQ(p.page.Chart->chart()->title(), "Top Ten");
    p.page.QSO3Click();
    EXPECT_FALSE(p.page.Chart->renderImage(QSize(300, 200)).isNull());
    EXPECT_EQ(p.page.Chart->chart()->axes().size(), 6);
}
