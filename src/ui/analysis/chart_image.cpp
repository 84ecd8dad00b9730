#include "analysis/chart_image.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>

QImage renderChartImage(QChartView& view, QSize size, const std::function<void()>& fit)
{
    if (size.isEmpty())
        size = (view.testAttribute(Qt::WA_Resized) || view.isVisible()) ? view.size() : QSize(640, 400);
    if (size.isEmpty()) size = QSize(640, 400);
    // Lay the chart out at the picture's size, draw its scene, then give it
    // back the view's size.
    QChart* c = view.chart();
    const QSizeF viewSize = c->size();
    c->resize(size);
    c->layout()->activate();
    if (fit) {
        fit();
        c->layout()->activate(); // what the fit changed, laid out before drawing
    }
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        view.scene()->render(&p, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(c->pos(), QSizeF(size)));
    }
    c->resize(viewSize);
    c->layout()->activate();
    if (fit) fit();
    return img;
}
