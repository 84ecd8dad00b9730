#include "main/column_fit.h"

#include "main/keoe_grid_view.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>

namespace {

// The grid draws a cell's text 2 px in from each side of a rectangle that is
// one grid line narrower than the column; 2 px more keep the text off the line.
constexpr int kCellMargins = 2 + 2 + 1 + 2;

// Widths of texts in one font. For ASCII the sum of the glyphs' advances is
// used: it is the drawn width or, where kerning draws a pair closer, a pixel
// or two more, and it costs a few additions, so a column of 100,000 spots
// fits at once.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font) : font_(font), fm_(font)
    {
        for (int c = 32; c < 127; ++c) advance_[static_cast<size_t>(c)] = fm_.horizontalAdvance(QChar(c));
    }
    const QFont& font() const { return font_; }
    int width(const std::string& text) const
    {
        int sum = 0;
        for (unsigned char ch : text) {
            if (ch < 32 || ch >= 127) return fm_.horizontalAdvance(QString::fromUtf8(text));
            sum += advance_[ch];
        }
        return sum;
    }

private:
    QFont font_;
    QFontMetrics fm_;
    std::array<int, 128> advance_{};
};

} // namespace

std::vector<int> textFitColumnWidths(KeoEGridView& view, const std::vector<int>& minimums)
{
    TKeoEGrid& g = view.grid();
    const int cols = g.ColCount();
    std::vector<int> widths(static_cast<size_t>(std::max(cols, 0)), 0);
    QHeaderView* header = view.horizontalHeader();
    // Qt lays header sections out for a bold title, so measure it bold too.
    QFont titleFont = header->font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    const int titleMargins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
    const TextMeasure plain(view.font());
    std::vector<TextMeasure> others; // fonts the owner's drawing chose
    for (int c = 0; c < cols; ++c) {
        int w = c < static_cast<int>(minimums.size()) ? minimums[static_cast<size_t>(c)] : 0;
        if (g.RowCount() > 0 && !header->isHidden())
            w = std::max(w, titleMetrics.horizontalAdvance(QString::fromUtf8(g.Cell(c, 0))) + titleMargins);
        int text = 0;
        for (int r = 1; r < g.RowCount(); ++r) {
            const TextMeasure* m = &plain;
            if (view.OnGetDrawValues) {
                QFont f = view.font();
                TAlignment al = g.Alignment;
                QColor bg;
                view.OnGetDrawValues(c, r, f, al, bg);
                if (f != plain.font()) {
                    auto it = std::find_if(others.begin(), others.end(), [&](const TextMeasure& o) { return o.font() == f; });
                    if (it == others.end()) it = others.insert(others.end(), TextMeasure(f));
                    m = &*it;
                }
            }
            text = std::max(text, m->width(g.Cell(c, r)));
        }
        if (text > 0) w = std::max(w, text + kCellMargins);
        widths[static_cast<size_t>(c)] = w;
    }
    return widths;
}

void fitColumnsToTexts(KeoEGridView& view, const std::vector<int>& minimums)
{
    view.gridModel()->refresh();
    view.setColumnWidths(textFitColumnWidths(view, minimums));
}

int fullGridWidth(KeoEGridView& view)
{
    int w = 2 * view.frameWidth() + view.verticalScrollBar()->sizeHint().width();
    if (!view.verticalHeader()->isHidden()) w += view.verticalHeader()->width();
    for (int c = 0; c < view.model()->columnCount(); ++c)
        if (!view.isColumnHidden(c)) w += view.columnWidth(c);
    return w;
}

int widestWindowWidth(const QWidget& window)
{
    const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const int screen = s ? s->availableGeometry().width() : 800;
    // A window not shown yet has no frame to measure: leave room for a usual one.
    const int frame = window.isVisible() ? std::max(0, window.frameGeometry().width() - window.width()) : 16;
    return screen - frame;
}
