#include "print/ui/printpreviews.h"

#include <QPainter>

namespace PrintPreviews {
namespace {
constexpr QSize PictureSize(139, 100);

// A sheet of paper with a shadow, centred in the picture, with the given aspect.
QRect drawSheet(QPainter &p, QSize sheet)
{
    const QRect paper(
        QPoint((PictureSize.width() - sheet.width()) / 2, (PictureSize.height() - sheet.height()) / 2),
        sheet);
    p.fillRect(paper.translated(3, 3), QColor(128, 128, 128));
    p.fillRect(paper, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(paper.adjusted(0, 0, -1, -1));
    return paper;
}

QPixmap list(QSize sheet)
{
    QPixmap picture(PictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const QRect paper = drawSheet(p, sheet);
    const QRect frame = paper.adjusted(8, 6, -5, -6);
    p.setPen(Qt::black);
    p.drawRect(frame);
    // Header: title in the middle, the page number on the right, then the column captions.
    p.fillRect(QRect(frame.center().x() - 10, frame.top() + 3, 20, 2), Qt::black);
    p.fillRect(QRect(frame.right() - 10, frame.top() + 3, 7, 2), Qt::darkGray);
    p.drawLine(frame.left(), frame.top() + 8, frame.right(), frame.top() + 8);
    const int mid = frame.center().x();
    p.fillRect(QRect(frame.left() + frame.width() / 4 - 6, frame.top() + 10, 12, 2), Qt::black);
    p.fillRect(QRect(mid + frame.width() / 4 - 6, frame.top() + 10, 12, 2), Qt::black);
    p.drawLine(frame.left(), frame.top() + 14, frame.right(), frame.top() + 14);
    p.drawLine(mid, frame.top() + 14, mid, frame.bottom());
    // Rows of words over dotted lines.
    int row = 0;
    for (int y = frame.top() + 17; y + 4 < frame.bottom(); y += 5, ++row) {
        p.fillRect(QRect(frame.left() + 3, y, 8 + (row * 7) % 12, 1), Qt::darkGray);
        p.fillRect(QRect(mid + 3, y, 6 + (row * 5) % 14, 1), Qt::darkGray);
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawLine(frame.left(), y + 3, frame.right(), y + 3);
    }
    return picture;
}
} // namespace

QPixmap portraitList()
{
    return list(QSize(64, 90));
}

QPixmap landscapeList()
{
    return list(QSize(126, 90));
}

QPixmap cards()
{
    QPixmap picture(PictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const QRect paper = drawSheet(p, QSize(126, 90));
    const QRect frame = paper.adjusted(2, 2, -3, -3);
    const int cw = frame.width() / 4;
    const int ch = frame.height() / 4;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            const QRect card(frame.left() + cw * i, frame.top() + ch * j, cw, ch);
            p.setPen(Qt::black);
            p.drawRect(card);
            p.fillRect(QRect(card.left() + 2, card.top() + 2, 8, 1), Qt::darkGray);
            p.setPen(Qt::gray);
            p.drawLine(card.left(), card.top() + 4, card.right(), card.top() + 4);
            p.fillRect(
                QRect(card.center().x() - 7 + (i + j) % 3, card.center().y() + 1, 14 - 2 * ((i + j) % 3), 2),
                Qt::black);
        }
    }
    return picture;
}
} // namespace PrintPreviews
