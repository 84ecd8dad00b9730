// Grid printing and the report window, printed into PDF files: pages,
// titles repeated on every page, the report's tables and what they leave
// untouched.
#include "analysis/dxcc_page.h"
#include "main/form2.h"
#include "main/keoe_grid_view.h"
#include "reports/print_string_grid.h"
#include "reports/printing.h"
#include "reports/zem_report.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Every printer made while it lives writes the next PDF file of a folder.
struct PdfPrinters {
    QTemporaryDir dir;
    int count = 0;
    PdfPrinters()
    {
        setPrinterHook([this](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file(++count));
        });
    }
    ~PdfPrinters() { setPrinterHook({}); }
    QString file(int n) const { return dir.filePath(QString("print%1.pdf").arg(n)); }
};

// The text of each page of a PDF file.
QStringList pdfPages(const QString& file)
{
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    p.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

TKeoEGrid numberedGrid(int dataRows)
{
    TKeoEGrid g(3, dataRows + 1, 1, 1);
    g.WriteRow(0, {"#", "Callsign", "Band"});
    for (int r = 1; r <= dataRows; ++r) g.WriteRow(r, {std::to_string(r), "DL" + std::to_string(r) + "ZZ", "20"});
    return g;
}

} // namespace

TEST(PrintStringGrid, PrintsEveryRowWithTitlesOnEachPage)
{
    PdfPrinters printers;
    const TKeoEGrid g = numberedGrid(120);
    TPrintStringGrid psg;
    psg.StringGrid = &g;
    psg.Title = "CQ WW 2024 - Log";
    psg.TitleNumPage = true;
    psg.TitleDate = true;
    psg.PrintStyle = psPrint;
    psg.Execute();
    ASSERT_EQ(printers.count, 1);
    const QStringList pages = pdfPages(printers.file(1));
    ASSERT_GE(pages.size(), 3); // 121 rows of 17 pixels on landscape pages
    QString all;
    for (int i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(pages[i].contains("CQ WW 2024 - Log"));
        EXPECT_TRUE(pages[i].contains(QString("page %1").arg(i + 1)));
        EXPECT_TRUE(pages[i].contains("Callsign")); // the title row opens every page
        all += pages[i];
    }
    for (int r = 1; r <= 120; ++r) EXPECT_TRUE(all.contains(QString(" DL%1ZZ").arg(r))) << r;
    EXPECT_EQ(all.count("DL120ZZ"), 1);
}

TEST(PrintStringGrid, NothingWithoutAGridAndTheUserToldWithoutAPrinter)
{
    MessageRecorder msgs;
    PdfPrinters printers;
    TPrintStringGrid psg;
    psg.PrintStyle = psPrint;
    psg.Execute();
    EXPECT_EQ(printers.count, 0);

    // No printer: Qt falls back to a PDF file that nobody named.
    setPrinterHook([](QPrinter& p) { p.setOutputFormat(QPrinter::PdfFormat); });
    const TKeoEGrid g = numberedGrid(3);
    psg.StringGrid = &g;
    psg.Execute();
    EXPECT_EQ(msgs.texts, QStringList{kNoPrinterText});
}

TEST(PrintStringGrid, PreviewShowsThePages)
{
    const TKeoEGrid g = numberedGrid(60);
    TPrintStringGrid psg;
    psg.StringGrid = &g;
    psg.Title = "Preview";
    int previewPages = -1;
    setPreviewHook([&](QPrintPreviewDialog& d) {
        d.show();
        QCoreApplication::processEvents();
        if (auto* w = d.findChild<QPrintPreviewWidget*>()) previewPages = w->pageCount();
        d.reject();
    });
    psg.Execute();
    setPreviewHook({});
    EXPECT_EQ(previewPages, 2);
}

namespace {

struct ReportWindow {
    MessageRecorder msgs;
    PdfPrinters printers;
    QTemporaryDir prog, logs;
    QString oldCwd = QDir::currentPath();
    std::unique_ptr<TForm2> w;
    ReportWindow()
    {
        w = std::make_unique<TForm2>(makeProgramFolder(prog));
        w->show();
        const auto file = std::filesystem::path(logs.path().toStdString()) / "t.log";
        {
            std::ofstream f(file);
            f << "START-OF-LOG: 3.0\nCONTEST: TEST\nCALLSIGN: SM5XX\n";
            for (int i = 0; i < 25; ++i)
                f << "QSO: 14025 CW 2024-03-16 12" << (10 + i) << " SM5XX 599 001 UA3A" << char('A' + i)
                  << " 599 001\n";
            f << "END-OF-LOG:\n";
        }
        w->Open_cabrillo_proc(QString::fromStdString(file.string()));
        QCoreApplication::processEvents();
        msgs.texts.clear();
    }
    ~ReportWindow()
    {
        w.reset();
        QDir::setCurrent(oldCwd);
    }
    // Runs the View command and hands its window to `use` while it is shown.
    void withReport(const std::function<void(TZEM_Report&)>& use)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* r = qobject_cast<TZEM_Report*>(QApplication::activeModalWidget());
            if (!r) return;
            ran = true;
            use(*r);
            r->b2->click();
        });
        w->sr->trigger();
        EXPECT_TRUE(ran);
    }
};

} // namespace

TEST(ZemReport, PrintsTheCheckedTablesEachUnderItsOwnTitle)
{
    ReportWindow rw;
    ASSERT_TRUE(rw.w->sr->isEnabled());
    EXPECT_EQ(rw.w->sr->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    // What the DXCC page shows now stays there.
    rw.w->dxccPage->WAZ_ButClick();
    const TKeoEGrid shown = rw.w->dxccPage->grid();

    rw.withReport([&](TZEM_Report& r) {
        ASSERT_EQ(r.l->topLevelItemCount(), 13);
        EXPECT_EQ(r.l->topLevelItem(0)->checkState(0), Qt::Checked);
        for (int i = 1; i < 13; ++i) EXPECT_EQ(r.l->topLevelItem(i)->checkState(0), Qt::Unchecked);
        r.l->topLevelItem(2)->setCheckState(0, Qt::Checked); // QSO by countries
        r.l->topLevelItem(5)->setCheckState(0, Qt::Checked); // All callsigns
        r.s1->click();
        EXPECT_EQ(r.PSG->PrintStyle, psPreview);
    });
    ASSERT_EQ(rw.printers.count, 4); // the printer check, then the three tables
    const QString title = QString::fromStdString(rw.w->state().header.LogTitle);
    const QStringList summary = pdfPages(rw.printers.file(2));
    ASSERT_EQ(summary.size(), 1);
    EXPECT_TRUE(summary[0].contains(title + " - Summary"));
    EXPECT_TRUE(summary[0].contains("Total"));
    const QString countries = pdfPages(rw.printers.file(3)).join("");
    EXPECT_TRUE(countries.contains(title + " - QSO by countries"));
    EXPECT_TRUE(countries.contains("European Russia"));
    // 25 callsigns: three rows, the last of five.
    const QStringList calls = pdfPages(rw.printers.file(4));
    EXPECT_TRUE(calls.join("").contains(title + " - All callsigns"));
    EXPECT_TRUE(calls.join("").contains("UA3AY"));
    EXPECT_TRUE(rw.msgs.texts.isEmpty()) << rw.msgs.texts.join("|").toStdString();

    const TKeoEGrid& after = rw.w->dxccPage->grid();
    ASSERT_EQ(after.RowCount(), shown.RowCount());
    for (int r = 0; r < shown.RowCount(); ++r) EXPECT_EQ(after.RowCells(r), shown.RowCells(r));
}

TEST(ZemReport, SelectionButtonsAndSummaryCheckedOnEveryShow)
{
    ReportWindow rw;
    rw.withReport([](TZEM_Report& r) {
        r.b3->click();
        for (int i = 0; i < 13; ++i) EXPECT_EQ(r.l->topLevelItem(i)->checkState(0), Qt::Checked);
        r.b4->click();
        for (int i = 0; i < 13; ++i) EXPECT_EQ(r.l->topLevelItem(i)->checkState(0), Qt::Unchecked);
        r.hide();
        r.show();
        EXPECT_EQ(r.l->topLevelItem(0)->checkState(0), Qt::Checked);
    });
}

TEST(ZemReport, DoubleClickPreviewsTheTableAndATableWithoutDataIsTold)
{
    ReportWindow rw;
    QStringList titles;
    setPreviewHook([&](QPrintPreviewDialog& d) { titles << d.windowTitle(); });
    rw.withReport([](TZEM_Report& r) {
        r.l->setCurrentItem(r.l->topLevelItem(12)); // Log
        r.lDblClick();
        r.l->setCurrentItem(r.l->topLevelItem(10)); // Band changes for M/2: no transmitter ids
        r.lDblClick();
    });
    setPreviewHook({});
    const QString title = QString::fromStdString(rw.w->state().header.LogTitle);
    EXPECT_EQ(titles, QStringList{title + " - Log"});
    ASSERT_EQ(rw.msgs.texts.size(), 1);
    EXPECT_TRUE(rw.msgs.texts[0].startsWith("In the log there are no identifiers of transmitters"));
}
