#include "analysis/tbc_for_m2.h"

#include "analysis/two_radio.h"
#include "main/column_fit.h"
#include "main/keoe_grid_view.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The least each column gets; titles and counts widen their column.
const std::vector<int> kColumnWidths = {40, 40, 40, 150, 150, 65, 65, 65};
} // namespace

Tbc_for_m2::Tbc_for_m2(QWidget* parent) : QDialog(parent), M2_grid(8, 2, 0, 1)
{
    setObjectName("bc_for_m2");
    setWindowTitle("Band changes for M/2");
    resize(643, 561);
    initM2Grid(M2_grid);
    M2_Keo = new KeoEGridView(M2_grid, this);
    M2_Keo->setObjectName("M2_Keo");
    fitColumnsToTexts(*M2_Keo, kColumnWidths);
    M2_Keo->OnDrawCell = [this](QPainter& p, const QRect& r, int col, int row, bool) { M2_KeoDrawCell(p, r, col, row); };
    M2_Keo->OnMeasureCell = [this](int col, int row, const TextWidths& widths) {
        if (!m2CellHighlighted(M2_grid, col, row)) return 0;
        return widths.width(M2_grid.Cell(col, row), true) + 3;
    };
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(M2_Keo);
}

void Tbc_for_m2::M2_KeoDrawCell(QPainter& p, const QRect& r, int col, int row)
{
    if (!m2CellHighlighted(M2_grid, col, row)) return;
    // The highlighted count replaces the grid's own drawing of it, in its
    // place, so that the number is read once.
    const QPalette& pal = M2_Keo->palette();
    const bool selected = M2_Keo->selectionModel()->isSelected(M2_Keo->model()->index(row - 1, col));
    p.fillRect(r, selected ? pal.highlight() : pal.base());
    QFont f = p.font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::blue);
    const QString text = QString::fromStdString(M2_grid.Cell(col, row));
    const QFontMetrics fm(f);
    p.drawText(r.left() + r.width() / 2 - fm.horizontalAdvance(text) / 2, r.top() + 2 + fm.ascent(), text);
}

void Tbc_for_m2::FormKeyPress(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) close();
}

void Tbc_for_m2::keyPressEvent(QKeyEvent* e)
{
    FormKeyPress(e);
    if (e->key() != Qt::Key_Escape) QDialog::keyPressEvent(e);
}

void Tbc_for_m2::showEvent(QShowEvent* e)
{
    if (auto* scr = QGuiApplication::primaryScreen()) move(scr->availableGeometry().center() - rect().center());
    fitColumnsToTexts(*M2_Keo, kColumnWidths);
    QDialog::showEvent(e);
}
