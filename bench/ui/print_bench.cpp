// Printing a 20,000-row log table to a PDF file, as "Print" of the report
// window does with the log.
#include "main/log_table.h"
#include "reports/print_string_grid.h"
#include "reports/printing.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

TKeoEGrid bigLog(int rows)
{
    TKeoEGrid g(20, rows + 1, 1, 1);
    for (int c = 0; c < 20; ++c) g.SetCell(c, 0, "Column " + std::to_string(c));
    for (int r = 1; r <= rows; ++r)
        g.WriteRow(r, {std::to_string(r), "14025", "CW", "2024-03-16", "1210", "UA3AAA", "599", "001", "20", "EU",
                       "16", "29", "UA3", "3", "", "", "1", "0", "", "DL1ABC"});
    return g;
}

void BM_PrintLogToPdf(benchmark::State& state)
{
    const TKeoEGrid log = bigLog(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    setPrinterHook([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(dir.filePath("log.pdf"));
    });
    TPrintStringGrid psg;
    psg.StringGrid = &log;
    psg.Title = "Bench - Log";
    psg.TitleNumPage = true;
    psg.TitleDate = true;
    psg.PrintStyle = psPrint;
    for (auto _ : state) psg.Execute();
    setPrinterHook({});
}
BENCHMARK(BM_PrintLogToPdf)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
