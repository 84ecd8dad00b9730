#pragma once
// Decisions behind the main window's shell commands: which reader a dropped
// file goes to, where a wheel step on the log table lands, what the wheel
// speed input accepts, and the full-screen toggle.

#include <optional>
#include <string>
#include <vector>

enum class DroppedFileReader { None, Cabrillo, TRLog, ADIF, Claimed3830 };

struct ReaderExtension {
    const char* extension; // lower case, with its dot
    DroppedFileReader reader;
};
// The extensions a file is opened by, dropped on the main window or named on
// the command line, each with its reader.
const std::vector<ReaderExtension>& readerExtensions();

// By the file name's extension, without regard to case: ".cbr", ".log" and
// ".txt" Cabrillo, ".dat" TR Log, ".adi" ADIF, ".eml" a 3830 claimed-scores
// mail; anything else (no extension too) None. Only the file name is looked
// at, so a dotted folder does not count.
DroppedFileReader readerForDroppedFile(const std::string& path);

// The log table's row after one wheel step. rowCount counts the title row,
// as the grid does; rows run from 1 to rowCount - 1. Each step moves `speed`
// rows while that stays inside the table, else one row (stopping at either
// end). A speed below 1 moves one row: 0 would freeze the wheel.
int wheelStepRow(int row, int rowCount, int speed, bool down);

// The wheel speed typed by the user: the absolute value of a whole number.
// Refused (nullopt) when the text is not a whole number, when it is 0, and
// when it is more than maxRows (the rows of the loaded log).
std::optional<int> parseWheelSpeed(const std::string& text, int maxRows);

struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// "Full screen": a window about the screen's size (both differences below 30
// pixels) shrinks by 100 pixels each way and is centred; a window smaller by
// more than 30 pixels each way takes the whole screen at 0, 0; in between
// nothing changes. A window that took the whole screen this way gets its
// former bounds back on the next toggle, whatever size the window manager
// left it (panels keep part of the screen).
class FullScreenToggle {
public:
    // The bounds the window should take now; nullopt for no change.
    std::optional<WindowRect> toggle(const WindowRect& window, int screenWidth, int screenHeight);
    bool isFull() const { return saved_.has_value(); }

private:
    std::optional<WindowRect> saved_;
};
