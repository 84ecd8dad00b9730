#include "reports/printing.h"

#include "main/platform.h"
#include "reports/print_layout.h"

#include <QFont>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>

namespace {
std::function<void(QPrinter&)>& printerHook()
{
    static std::function<void(QPrinter&)> hook;
    return hook;
}
std::function<void(QPrintPreviewDialog&)>& previewHook()
{
    static std::function<void(QPrintPreviewDialog&)> hook;
    return hook;
}
} // namespace

std::unique_ptr<QPrinter> makePrinter()
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printerHook()) printerHook()(*p);
    return p;
}

void setPrinterHook(std::function<void(QPrinter&)> hook) { printerHook() = std::move(hook); }

bool printerReady(const QPrinter& printer)
{
    // Without a printer Qt falls back to a PDF file; with no file named that
    // would print nowhere and say nothing.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) return true;
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.isValid() && !printer.printerName().isEmpty())
        return true;
    Show_msg(kNoPrinterText);
    return false;
}

void runPreview(QPrintPreviewDialog& dialog)
{
    if (previewHook()) previewHook()(dialog);
    else dialog.exec();
}

void setPreviewHook(std::function<void(QPrintPreviewDialog&)> hook) { previewHook() = std::move(hook); }

QFont inScreenPixels(const QFont& f)
{
    QFont out = f;
    if (f.pixelSize() <= 0) out.setPixelSize(std::max(1, static_cast<int>(std::lround(f.pointSizeF() * kScreenDpi / 72.0))));
    return out;
}
