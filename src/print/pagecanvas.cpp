#include "print/pagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

PageCanvas::PageCanvas(QPainter &painter) : m_painter(painter)
{
    m_font = QFont(QStringLiteral("Arial"));
    // Exactly the asked size: a font of another pixel size would move every line.
    m_font.setHintingPreference(QFont::PreferNoHinting);
    applyFont();
}

void PageCanvas::setFont(const QString &family, int pointSize, bool bold, bool underline)
{
    m_font.setFamily(family);
    m_font.setPointSize(pointSize);
    m_font.setBold(bold);
    m_font.setUnderline(underline);
    applyFont();
}

void PageCanvas::setFontFamily(const QString &family)
{
    m_font.setFamily(family);
    applyFont();
}

void PageCanvas::applyFont()
{
    // Measured and drawn at the page's resolution, never the screen's.
    m_painter.setFont(QFont(m_font, m_painter.device()));
}

void PageCanvas::setPen(int width, Qt::PenStyle style)
{
    QPen pen(Qt::black);
    pen.setWidth(width);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
}

int PageCanvas::textWidth(const QString &text) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).horizontalAdvance(text);
}

int PageCanvas::textHeight(const QString &) const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).height();
}

void PageCanvas::rectangle(int left, int top, int right, int bottom)
{
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void PageCanvas::line(int x1, int y1, int x2, int y2)
{
    m_painter.drawLine(x1, y1, x2, y2);
}

void PageCanvas::textOut(int x, int y, const QString &text)
{
    const int ascent = QFontMetrics(m_painter.font(), m_painter.device()).ascent();
    m_painter.drawText(x, y + ascent, text);
    m_texts.append({QPoint(x, y), text});
}

void PageCanvas::clippedTextOut(const QRect &clip, const QString &text)
{
    m_painter.save();
    m_painter.setClipRect(clip);
    textOut(clip.left(), clip.top(), text);
    m_painter.restore();
}
