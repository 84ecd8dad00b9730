#include "analysis/summary_grid_paint.h"

#include "analysis/analysis_pass.h"
#include "main/keoe_grid_view.h"

#include <QPainter>

void paintSummaryCell(QPainter& p, const QRect& r, const TKeoEGrid& grid, int col, int row, const QPalette& palette,
                      bool selected)
{
    const SummaryCellPaint cell = Summary_GridDrawCell(grid, col, row);
    if (!cell.paint) return;
    const QColor fill = cell.buttonFace ? palette.button().color()
                        : selected      ? palette.highlight().color()
                                        : palette.base().color();
    const QColor ink = cell.buttonFace ? palette.buttonText().color()
                       : selected      ? palette.highlightedText().color()
                                       : palette.text().color();
    p.save();
    p.setClipRect(r);
    p.fillRect(r, fill);
    QFont f = p.font();
    f.setBold(cell.bold);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QPoint(r.left() + 2, r.top() + 2 + p.fontMetrics().ascent()), QString::fromUtf8(cell.text));
    p.restore();
}

int summaryCellWidth(const TKeoEGrid& grid, int col, int row, const TextWidths& widths)
{
    const SummaryCellPaint cell = Summary_GridDrawCell(grid, col, row);
    if (!cell.paint || cell.text.empty()) return 0;
    // 2 px before the text as drawn, 2 after it and the grid line.
    return widths.width(cell.text, cell.bold) + 5;
}
