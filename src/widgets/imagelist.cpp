#include "widgets/imagelist.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>

TImageList::TImageList(const QSize &imageSize, QObject *parent) : QObject(parent), m_imageSize(imageSize) {}

int TImageList::Add(const QIcon &picture)
{
    m_pictures.append(picture);
    return count() - 1;
}

void TImageList::Clear()
{
    m_pictures.clear();
}

void TImageList::Assign(const TImageList &source)
{
    if (&source == this)
        return;
    m_imageSize = source.m_imageSize;
    m_pictures = source.m_pictures;
}

bool TImageList::hasPicture(int index) const
{
    return index >= 0 && index < count() && !m_pictures.at(index).isNull();
}

QIcon TImageList::icon(int index) const
{
    return hasPicture(index) ? m_pictures.at(index) : QIcon();
}

QPixmap TImageList::pixmap(int index, qreal devicePixelRatio) const
{
    if (hasPicture(index))
        return m_pictures.at(index).pixmap(m_imageSize, devicePixelRatio);
    QPixmap blank(m_imageSize * devicePixelRatio);
    blank.setDevicePixelRatio(devicePixelRatio);
    blank.fill(Qt::transparent);
    return blank;
}

void TImageList::Draw(QPainter &painter, const QRect &target, int index) const
{
    if (!hasPicture(index) || target.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(target, m_pictures.at(index).pixmap(target.size(), ratio));
}
