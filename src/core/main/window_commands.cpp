#include "main/window_commands.h"

#include "main/text_util.h"

#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>

const std::vector<ReaderExtension>& readerExtensions()
{
    static const std::vector<ReaderExtension> table = {
        {".cbr", DroppedFileReader::Cabrillo}, {".log", DroppedFileReader::Cabrillo},
        {".txt", DroppedFileReader::Cabrillo}, {".dat", DroppedFileReader::TRLog},
        {".adi", DroppedFileReader::ADIF},     {".eml", DroppedFileReader::Claimed3830},
    };
    return table;
}

DroppedFileReader readerForDroppedFile(const std::string& path)
{
    const std::string ext = zem::lowerAscii(std::filesystem::path(path).extension().string());
    for (const ReaderExtension& e : readerExtensions())
        if (ext == e.extension) return e.reader;
    return DroppedFileReader::None;
}

int wheelStepRow(int row, int rowCount, int speed, bool down)
{
    const int n = std::max(1, speed);
    const int last = rowCount - 1;
    if (last < 1) return row;
    if (down) {
        if (row < rowCount - n) row += n - 1;
        if (row < last) ++row; // the grid's own step
    } else {
        if (row > n) row -= n - 1;
        if (row > 1) --row;
    }
    return row;
}

std::optional<int> parseWheelSpeed(const std::string& text, int maxRows)
{
    long long v = 0;
    try {
        v = zem::toInt64(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (v < 0) v = v < -static_cast<long long>(maxRows) ? static_cast<long long>(maxRows) + 1 : -v;
    if (v == 0 || v > maxRows) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<WindowRect> FullScreenToggle::toggle(const WindowRect& window, int screenWidth, int screenHeight)
{
    if (saved_) {
        const WindowRect back = *saved_;
        saved_.reset();
        return back;
    }
    const int dW = std::abs(window.width - screenWidth);
    const int dH = std::abs(window.height - screenHeight);
    if (dW < 30 && dH < 30) {
        WindowRect r = window;
        r.width -= 100;
        r.height -= 100;
        r.left = static_cast<int>(std::nearbyint((screenWidth - r.width) / 2.0));
        r.top = static_cast<int>(std::nearbyint((screenHeight - r.height) / 2.0));
        return r;
    }
    if (dW > 30 && dH > 30) {
        saved_ = window;
        return WindowRect{0, 0, screenWidth, screenHeight};
    }
    return std::nullopt;
}
