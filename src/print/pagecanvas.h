#pragma once

#include <QFont>
#include <QList>
#include <QPoint>
#include <QString>

class QPainter;
class QRect;

// The drawing operations of a printed page: texts placed by their top-left corner, as the
// printer has always placed them, measured at the page's own resolution. Keeps what it
// wrote, so that a page can be checked text by text.
class PageCanvas
{
public:
    struct Text
    {
        QPoint topLeft;
        QString text;
    };

    explicit PageCanvas(QPainter &painter);

    void setFont(const QString &family, int pointSize, bool bold = false, bool underline = false);
    void setFontFamily(const QString &family);
    void setPen(int width, Qt::PenStyle style = Qt::SolidLine);

    int textWidth(const QString &text) const;  // TW
    int textHeight(const QString &text) const; // TH: the font's cell height

    void rectangle(int left, int top, int right, int bottom);
    void line(int x1, int y1, int x2, int y2);
    void textOut(int x, int y, const QString &text);
    // The text at the top-left of clip, cut at its edges.
    void clippedTextOut(const QRect &clip, const QString &text);

    const QList<Text> &texts() const { return m_texts; }

private:
    void applyFont();

    QPainter &m_painter;
    QFont m_font;
    QList<Text> m_texts;
};
