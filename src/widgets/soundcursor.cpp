#include "widgets/soundcursor.h"

#include <QPainter>
#include <QPixmap>

QCursor SoundCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{1, 1}, {1, 17}, {5, 13}, {8, 19}, {10, 18}, {7, 12}, {12, 12}}));
    p.setBrush(Qt::darkBlue);
    p.drawPolygon(QPolygonF({{14, 20}, {17, 20}, {21, 16}, {21, 28}, {17, 24}, {14, 24}}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 18, 5, 8), -60 * 16, 120 * 16);
    p.drawArc(QRectF(20, 16, 8, 12), -60 * 16, 120 * 16);
    return QCursor(pixmap, 1, 1);
}
