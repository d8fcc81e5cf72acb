#include "units/ui/folderimages.h"

#include "widgets/imagelist.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {
using Drawing = std::function<void(QPainter &)>;

// Every picture is drawn on a 16 x 16 grid and rendered for each pixel density, so that
// it stays sharp on high-density screens.
QIcon Picture(const Drawing &draw)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(16, 16) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor Outline(110, 80, 20);
const QColor FolderBack(222, 170, 60);
const QColor FolderFront(250, 210, 100);

// The folder's back with its tab, open or closed by where its right edge ends; leaves the
// brush for the front.
void Back(QPainter &p, qreal right, qreal rightBottom)
{
    p.setPen(QPen(Outline, 1));
    p.setBrush(FolderBack);
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(8, 5);
    back.lineTo(right, 5);
    back.lineTo(right, rightBottom);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(FolderFront);
}

void ClosedFolder(QPainter &p)
{
    Back(p, 14.5, 13.5);
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

void OpenFolder(QPainter &p)
{
    Back(p, 13.5, 7.5);
    p.drawPolygon(QPolygonF({{4, 7.5}, {15.5, 7.5}, {13, 13.5}, {1.5, 13.5}}));
}

// The program's emblem: a red card with a white "L", at the folder's lower right.
void Emblem(QPainter &p)
{
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(200, 30, 40));
    p.drawRoundedRect(QRectF(8.5, 7.5, 7, 8), 1.5, 1.5);
    p.setPen(QPen(Qt::white, 1.4));
    p.drawPolyline(QPolygonF({{10.8, 9.2}, {10.8, 13.6}, {13.8, 13.6}}));
}

void Box(QPainter &p, const QRectF &box, const QColor &face)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(face);
    p.drawRoundedRect(box, 1.5, 1.5);
}

void Floppy(QPainter &p)
{
    Box(p, QRectF(2.5, 2.5, 11, 11), QColor(60, 90, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(5, 3, 6, 4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 9, 7, 4));
}

void HardDisk(QPainter &p)
{
    Box(p, QRectF(1.5, 5.5, 13, 6), QColor(190, 190, 195));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QRectF(11, 7.5, 2, 2));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(3.5, 8.5), QPointF(8.5, 8.5));
}

void Network(QPainter &p)
{
    const auto screen = [&p](qreal x, qreal y) {
        Box(p, QRectF(x + 0.5, y + 0.5, 6, 4.5), QColor(80, 140, 210));
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(x + 3.5, y + 5), QPointF(x + 3.5, y + 6.5));
    };
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawPolyline(QPolygonF({{4, 8}, {4, 14.5}, {12, 14.5}, {12, 8}}));
    screen(0.5, 1.5);
    screen(8.5, 1.5);
}

void CompactDisc(QPainter &p)
{
    QRadialGradient shine(QPointF(8, 8), 7);
    shine.setColorAt(0, QColor(240, 240, 250));
    shine.setColorAt(1, QColor(160, 180, 220));
    p.setPen(QPen(QColor(80, 80, 100), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 4, 4));
}

void RamDisk(QPainter &p)
{
    Box(p, QRectF(1.5, 4.5, 13, 7), QColor(40, 120, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(3 + i * 4, 6, 2.5, 4));
    p.setBrush(QColor(220, 180, 40));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(2.5 + i * 2, 11.5, 1, 2));
}
} // namespace

void AddFolderTreePictures(TImageList &list)
{
    list.Add(Picture(ClosedFolder));
    list.Add(Picture(OpenFolder));
    list.Add(Picture([](QPainter &p) {
        ClosedFolder(p);
        Emblem(p);
    }));
    list.Add(Picture([](QPainter &p) {
        OpenFolder(p);
        Emblem(p);
    }));
    list.Add(Picture(Floppy));
    list.Add(Picture(HardDisk));
    list.Add(Picture(Network));
    list.Add(Picture(CompactDisc));
    list.Add(Picture(RamDisk));
}
