#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace quarnis {

namespace {

    const QColor kTriangleBlue(0, 64, 200);
    const QColor kTriangleEdge(0, 0, 128);

    // A triangle filling most of the 16 x 16 square, its tip in the given direction.
    QPolygonF triangle(IconIndex index)
    {
        switch (index) {
        case IconIndex::Down:
            return QPolygonF({ { 2.5, 4.5 }, { 13.5, 4.5 }, { 8, 12.5 } });
        case IconIndex::Left:
            return QPolygonF({ { 11.5, 2.5 }, { 11.5, 13.5 }, { 3.5, 8 } });
        case IconIndex::Right:
            return QPolygonF({ { 4.5, 2.5 }, { 4.5, 13.5 }, { 12.5, 8 } });
        default: // Up
            return QPolygonF({ { 2.5, 11.5 }, { 13.5, 11.5 }, { 8, 3.5 } });
        }
    }

} // namespace

QPixmap iconPixmap(IconIndex index)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case IconIndex::RedBall: {
        // A shaded ball lit from the upper left.
        QRadialGradient shade(QPointF(6, 5.5), 8, QPointF(5.5, 5));
        shade.setColorAt(0, QColor(255, 170, 170));
        shade.setColorAt(0.45, QColor(230, 0, 0));
        shade.setColorAt(1, QColor(120, 0, 0));
        p.setPen(QPen(QColor(110, 0, 0), 1));
        p.setBrush(shade);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        break;
    }
    case IconIndex::Information: {
        p.setPen(QPen(kTriangleEdge, 1));
        p.setBrush(QColor(30, 90, 220));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        // The white "!": a bar and a dot.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(6.75, 3, 2.5, 7), 1, 1);
        p.drawEllipse(QRectF(6.75, 11, 2.5, 2.5));
        break;
    }
    default:
        p.setPen(QPen(kTriangleEdge, 1));
        p.setBrush(kTriangleBlue);
        p.drawPolygon(triangle(index));
        break;
    }
    return pixmap;
}

QIcon iconOf(IconIndex index) { return QIcon(iconPixmap(index)); }

} // namespace quarnis
