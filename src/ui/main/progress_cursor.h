#pragma once
// A mouse cursor that is a small progress bar: the current row number under
// the hot spot and an 8-pixel bar at the bottom whose black part grows from
// the left with the progress.

#include <QCursor>
#include <QImage>
#include <QPixmap>

// The platform gives no cursor size; 32 x 32 is what every desktop accepts.
inline constexpr int kProgressCursorSize = 32;

// The two bitmaps of the cursor, black and white, as the cursor is laid out:
// mask white with a black band of the bottom 8 rows inside a white frame;
// colour black with the part of the bar not yet reached in white, a white
// frame round the band and the number in white at 0, 8.
struct ProgressCursorBitmaps {
    QPixmap mask;
    QPixmap colour;
};
ProgressCursorBitmaps makeProgressCursorBitmaps(int Min, int Max, int Value, int width = kProgressCursorSize,
                                                int height = kProgressCursorSize);

// The cursor's picture. Where the mask is black the colour shows; where both
// are white (frame, number) the pixel is black, since inverting the screen
// under a cursor is not something every platform does; elsewhere transparent.
QImage progressCursorImage(int Min, int Max, int Value);

// The cursor itself, hot spot at 0, 0. The caller installs it (for example
// with QGuiApplication::changeOverrideCursor) and releases it with
// restoreOverrideCursor; QCursor owns its pixmap, so nothing else is freed.
QCursor MakeProgressCursor(int Min, int Max, int Value);
