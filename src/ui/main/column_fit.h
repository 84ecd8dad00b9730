#pragma once
// Column widths that show every title and cell of a grid whole: the widths a
// window asks for are only a floor, since they were chosen for a smaller font
// than the one the grid is drawn in. A grid wider than its window scrolls.

#include <vector>

class KeoEGridView;
class QWidget;

// Each column becomes the larger of minimums[c] (where given), its title and
// its widest cell in the font the cell is drawn in, with the cell's margins.
void fitColumnsToTexts(KeoEGridView& view, const std::vector<int>& minimums = {});

// The width the view needs to show all its columns without a horizontal
// scroll bar (frame and vertical scroll bar included).
int fullGridWidth(KeoEGridView& view);

// Widens a window narrower than the given width, as far as its screen
// allows with its frame, and keeps it on the screen; a window already wide
// enough keeps its size.
void widenToShow(QWidget& window, int width);
