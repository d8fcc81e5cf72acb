#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

class QPainter;
class QPixmap;
class QRect;

// Pictures of one size, addressed by index. Each picture is an icon, so that it can carry
// renderings for several device pixel ratios and stays crisp on high-density screens. An
// index without a picture stands for a blank, transparent square.
class TImageList : public QObject
{
    Q_OBJECT

public:
    TImageList(const QSize &imageSize, QObject *parent);

    QSize imageSize() const { return m_imageSize; }
    int count() const { return int(m_pictures.size()); }

    // Appends a picture and returns its index; a null icon keeps the place blank.
    int Add(const QIcon &picture);
    void Clear();
    // Makes this list a copy of source: its size and all its pictures.
    void Assign(const TImageList &source);

    bool hasPicture(int index) const;
    // A null icon where the index has no picture.
    QIcon icon(int index) const;
    // The picture at the list's size for the given device pixel ratio; transparent where the
    // index has no picture.
    QPixmap pixmap(int index, qreal devicePixelRatio = 1.0) const;
    // Draws the picture stretched into target at the painter's pixel density; draws nothing
    // where the index has no picture, leaving the background to show.
    void Draw(QPainter &painter, const QRect &target, int index) const;

private:
    QSize m_imageSize;
    QList<QIcon> m_pictures;
};
