#pragma once
// Prints or previews a grid as a paged report: a page header with the title,
// page number and date, then one row of framed labels per grid row.

#include "main/keoe_grid.h"
#include "reports/print_layout.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QPrinter;
class QWidget;

enum TPrintStyle { psPreview, psPrint };

class TPrintStringGrid : public QObject {
    Q_OBJECT
public:
    explicit TPrintStringGrid(QObject* parent = nullptr);

    // The grid to print; nothing happens while it is unset.
    const TKeoEGrid* StringGrid = nullptr;
    // Column widths in screen pixels as the grid shows them; 64 each when
    // empty or short.
    std::vector<int> ColWidths;
    // Height of a printed row in screen pixels; 0: the grid's default.
    int RowHeight = 0;

    QFont AFont;
    QFont TitleFont;
    QFont LightFont;
    QColor TitleColor = Qt::black;
    QColor LightColor = Qt::black;
    QString Title;
    bool TitleDate = false;
    bool TitleNumPage = false;
    int TitleLeft = 50;
    QStringList LightRows;
    QStringList LightCols;
    QColor FixedColor = QColor(0xEF, 0xEF, 0xEF);
    TPrintStyle PrintStyle = psPreview;
    Qt::Alignment LightAlignment = Qt::AlignLeft;
    Qt::Alignment Alignment = Qt::AlignLeft;

    // The grid row printed next.
    int CurRow = 0;

    // Draws every page of the report on the printer; returns the page count.
    // Throws std::runtime_error when the printer cannot be started.
    int render(QPrinter& printer);

public slots:
    void Execute();

private:
    void drawHeader(QPainter& p, int page) const;
    void ReportNeedData(QPainter& p, double top, int rowHeight);
    std::vector<int> columnWidths() const;
    std::vector<int> lightRows_, lightCols_;
    std::vector<PrintLabel> labels_;
};
