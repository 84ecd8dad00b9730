#include "main/progress_cursor.h"

#include "main/jobs.h"

#include <QFont>
#include <QPainter>

ProgressCursorBitmaps makeProgressCursorBitmaps(int Min, int Max, int Value, int width, int height)
{
    const int w = width;
    const int h = height;
    const QRect band(0, h - 8, w, 8);

    QPixmap mask(w, h);
    mask.fill(Qt::white);
    {
        QPainter p(&mask);
        p.fillRect(band, Qt::black);
        p.setPen(Qt::white);
        p.setBrush(Qt::NoBrush);
        p.drawRect(band.adjusted(0, 0, -1, -1));
    }

    QPixmap colour(w, h);
    colour.fill(Qt::black);
    {
        QPainter p(&colour);
        const int reached = PercentOf(Min, Max, Value, w - 2);
        const int from = reached + 1;
        if (from < w - 1) p.fillRect(QRect(QPoint(from, h - 7), QPoint(w - 2, h - 2)), Qt::white);
        p.setPen(Qt::white);
        p.setBrush(Qt::NoBrush);
        p.drawRect(band.adjusted(0, 0, -1, -1));

        QFont f;
        f.setPointSize(6);
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.drawText(QRect(0, 8, w, h - 16), Qt::AlignLeft | Qt::AlignTop, QString::number(Value));
    }
    return {mask, colour};
}

QImage progressCursorImage(int Min, int Max, int Value)
{
    const auto b = makeProgressCursorBitmaps(Min, Max, Value);
    const QImage m = b.mask.toImage();
    const QImage c = b.colour.toImage();
    QImage out(m.size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const bool maskWhite = qGray(m.pixel(x, y)) > 127;
            const bool colourWhite = qGray(c.pixel(x, y)) > 127;
            QRgb px = qRgba(0, 0, 0, 0);
            if (!maskWhite)
                px = colourWhite ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            else if (colourWhite)
                px = qRgb(0, 0, 0);
            out.setPixel(x, y, px);
        }
    return out;
}

QCursor MakeProgressCursor(int Min, int Max, int Value)
{
    return QCursor(QPixmap::fromImage(progressCursorImage(Min, Max, Value)), 0, 0);
}
