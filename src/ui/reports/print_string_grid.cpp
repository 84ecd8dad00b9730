#include "reports/print_string_grid.h"

#include "main/platform.h"
#include "reports/print_layout.h"
#include "reports/printing.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <stdexcept>

namespace {

constexpr int kDefaultColumnWidth = 64;
const QColor kFrameColor(0xC0, 0xC0, 0xC0);

std::vector<int> toNumbers(const QStringList& list)
{
    std::vector<int> out;
    for (const QString& s : list) {
        bool ok = false;
        const int n = s.trimmed().toInt(&ok);
        if (ok) out.push_back(n);
    }
    return out;
}

// The text cut to what fits the width, so a long cell never runs into the next.
QString fitted(const QFontMetricsF& fm, const QString& text, double width)
{
    if (fm.horizontalAdvance(text) <= width) return text;
    QString t = text;
    while (!t.isEmpty() && fm.horizontalAdvance(t) > width) t.chop(1);
    return t;
}

QFont smallFont()
{
    QFont f;
    f.setPointSize(8);
    return f;
}

} // namespace

TPrintStringGrid::TPrintStringGrid(QObject* parent) : QObject(parent) { AFont.setPointSize(8); }

std::vector<int> TPrintStringGrid::columnWidths() const
{
    std::vector<int> w = ColWidths;
    w.resize(static_cast<size_t>(StringGrid->ColCount()), kDefaultColumnWidth);
    return w;
}

void TPrintStringGrid::drawHeader(QPainter& p, int page) const
{
    p.setFont(inScreenPixels(TitleFont));
    p.setPen(TitleColor);
    const QFontMetricsF tm(p.font());
    p.drawText(QPointF(TitleLeft, 7 + tm.ascent()), Title);
    p.setPen(Qt::black);
    p.setFont(inScreenPixels(smallFont()));
    const double base = 30 + QFontMetricsF(p.font()).ascent();
    if (TitleNumPage) p.drawText(QPointF(10, base), "page " + QString::number(page));
    if (TitleDate) p.drawText(QPointF(60, base), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TPrintStringGrid::ReportNeedData(QPainter& p, double top, int rowHeight)
{
    const TKeoEGrid& g = *StringGrid;
    const QFont dataFont = inScreenPixels(AFont);
    const QFont lightFont = inScreenPixels(LightFont);
    const QFontMetricsF dataMetrics(dataFont), lightMetrics(lightFont);
    QList<QRectF> frames;
    frames.reserve(static_cast<qsizetype>(labels_.size()));
    for (int c = 0; c < g.ColCount() && c < static_cast<int>(labels_.size()); ++c) {
        const PrintLabel& l = labels_[static_cast<size_t>(c)];
        const QRectF r(l.left, top, l.width, rowHeight);
        frames << r;
        const bool light = isLightCell(g, c, CurRow, lightRows_, lightCols_);
        if (light) p.fillRect(r, FixedColor);
        const QFontMetricsF& fm = light ? lightMetrics : dataMetrics;
        const QString text = fitted(fm, QString::fromUtf8(printedCellText(g.Cell(c, CurRow))), l.width - 2);
        const Qt::Alignment a = light ? LightAlignment : Alignment;
        const double w = fm.horizontalAdvance(text);
        const double x = a & Qt::AlignRight ? l.left + l.width - 1 - w
                         : a & Qt::AlignHCenter ? l.left + (l.width - w) / 2
                                                : l.left + 1.0;
        p.setFont(light ? lightFont : dataFont);
        p.setPen(light ? LightColor : Qt::black);
        p.drawText(QPointF(x, top + (rowHeight + fm.ascent() - fm.descent()) / 2), text);
    }
    p.setPen(kFrameColor);
    p.setBrush(Qt::NoBrush);
    p.drawRects(frames);
    ++CurRow;
}

int TPrintStringGrid::render(QPrinter& printer)
{
    if (!StringGrid) return 0;
    lightRows_ = toNumbers(LightRows);
    lightCols_ = toNumbers(LightCols);
    labels_ = detailLabels(columnWidths());
    const int rowHeight = RowHeight > 0 ? RowHeight : StringGrid->DefaultRowHeight;

    QPainter p;
    if (!p.begin(&printer)) throw std::runtime_error("The printer could not be started");
    // The layout is in screen pixels: scale it to the printer's resolution.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int contentWidth = labels_.empty() ? kDetailBandWidth : labels_.back().left + labels_.back().width + 1;
    const double scale = printScale(printer.resolution(), page.width(), std::max(kDetailBandWidth, contentWidth));
    p.scale(scale, scale);
    const auto pages = paginateRows(StringGrid->RowCount(), StringGrid->FixedRows(),
                                    rowsPerPage(page.height() / scale, kPageHeaderHeight, rowHeight));
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        drawHeader(p, static_cast<int>(i) + 1);
        double top = kPageHeaderHeight;
        for (int row : pages[i]) {
            CurRow = row;
            ReportNeedData(p, top, rowHeight);
            top += rowHeight;
        }
    }
    p.end();
    return static_cast<int>(pages.size());
}

void TPrintStringGrid::Execute()
{
    if (!StringGrid) return;
    try {
        auto printer = makePrinter();
        printer->setPageOrientation(QPageLayout::Landscape);
        printer->setDocName(Title);
        CurRow = 0;
        if (PrintStyle == psPreview) {
            QPrintPreviewDialog dialog(printer.get(), qobject_cast<QWidget*>(parent()));
            dialog.setWindowTitle(Title);
            connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* pr) {
                try {
                    render(*pr);
                } catch (const std::exception& e) {
                    Show_msg(QString::fromUtf8(e.what()));
                }
            });
            runPreview(dialog);
        } else if (printerReady(*printer)) {
            render(*printer);
        }
    } catch (const std::exception& e) {
        Show_msg(QString::fromUtf8(e.what()));
    }
}
