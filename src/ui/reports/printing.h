#pragma once
// The printer behind the print commands, and the preview window. Tests
// replace both: the printer by a PDF file, the preview by a look at its pages.

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;

// What the user is told when a print command finds no printer.
inline constexpr const char* kNoPrinterText = "No printer is installed.";

// The default printer at high resolution (or what the hook makes of it).
std::unique_ptr<QPrinter> makePrinter();
// Lets a test redirect every new printer, e.g. into a PDF file.
void setPrinterHook(std::function<void(QPrinter&)> hook);

// True when the printer can print; otherwise the user is told and false.
bool printerReady(const QPrinter& printer);

// Shows the preview modally (or hands it to the hook).
void runPreview(QPrintPreviewDialog& dialog);
void setPreviewHook(std::function<void(QPrintPreviewDialog&)> hook);

// A font measured in screen pixels, so that a layout drawn in screen pixels
// scales it with everything else.
class QFont;
QFont inScreenPixels(const QFont& f);
