#include "logbook/ui/loggraph.h"

#include "uilang/translate.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QFileInfo>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {
// The axes' corner: the vertical axis stands this far from the left edge.
constexpr int AxisX = 40;

// To the nearest whole number, halves to the even neighbour. Values far outside any window
// (a top value set below the results) are held to the range of 16-bit coordinates.
int rounded(double value)
{
    return int(std::nearbyint(std::clamp(value, -32768.0, 32767.0)));
}

// A line from one point up to the other, leaving out the end point, so that a line drawn on
// from there does not cover it twice and the pixels do not depend on the direction.
void lineTo(QPainter &painter, QPoint from, QPoint to)
{
    const QRect inside = painter.window();
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPolygon pixels;
    for (QPoint p = from; p != to;) {
        if (inside.contains(p))
            pixels << p;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
    painter.drawPoints(pixels);
}

// A filled ellipse in box without its right and bottom edges: every pixel whose centre lies
// inside. Drawn row by row, so that it is symmetric and never leaves its box.
void fillEllipse(QPainter &painter, const QRect &box, const QColor &colour)
{
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    const double cx = box.left() + rx;
    const double cy = box.top() + ry;
    for (int y = box.top(); y < box.top() + box.height(); ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int from = int(std::ceil(cx - half - 0.5));
        const int to = int(std::floor(cx + half - 0.5));
        if (from <= to)
            painter.fillRect(QRect(from, y, to - from + 1, 1), colour);
    }
}

// Text placed by the top left corner of its line, on the painter's background colour.
void textOut(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}
} // namespace

// A groove: lowered outside, raised inside, one pixel each.
TLogGraph::TLogGraph(QWidget *parent) : QFrame(parent)
{
    m_color = palette().color(QPalette::Button);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(13);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setMidLineWidth(0);
}

void TLogGraph::setLanguageFile(const QString &path)
{
    m_languageFile = path;
    m_yAxisText = Translate(path, objectName(), QStringLiteral("Mistakes"), QStringLiteral("Mistakes"));
    m_xAxisText = Translate(path, objectName(), QStringLiteral("Tests"), QStringLiteral("Tests"));
    update();
}

// A descriptor that is not there leaves the chart as it was.
void TLogGraph::setVocabularyFile(const QString &path)
{
    m_vocabularyFile = path;
    const UnitDescriptor unit(path);
    if (unit.exists()) {
        const QString name = QFileInfo(path).fileName();
        m_title = name.left(std::max(0, int(name.size()) - 4));
        m_description = unit.description();
        const UnitTestLog log(path);
        m_lastTestDate = log.lastTestDate();
        m_testedCount = log.testCount();
        Clear();
        for (const int mistakes : log.results(MaxCharted))
            AddItem(mistakes);
    }
    update();
}

void TLogGraph::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TLogGraph::setMarkerColor(const QColor &color)
{
    m_markerColor = color;
    update();
}

void TLogGraph::setLineColor(const QColor &color)
{
    m_lineColor = color;
    update();
}

void TLogGraph::setMarkerSize(int size)
{
    if (size >= 1 && size <= 9)
        m_markerSize = size;
}

void TLogGraph::setBiggestItem(int value)
{
    m_biggestItem = value;
    update();
}

void TLogGraph::setBorder(bool on)
{
    m_border = on;
    update();
}

void TLogGraph::setChartFont(const QFont &font)
{
    m_font = font;
    update();
}

void TLogGraph::setConnectPoints(bool on)
{
    m_connectPoints = on;
    update();
}

void TLogGraph::setYAxisText(const QString &text)
{
    m_yAxisText = text;
    update();
}

void TLogGraph::setXAxisText(const QString &text)
{
    m_xAxisText = text;
    update();
}

bool TLogGraph::AddItem(int value)
{
    const bool added = m_count < SlotCount;
    if (added) {
        m_items[m_count++] = value;
        if (value > m_biggestItem)
            m_biggestItem = value;
    }
    update();
    return added;
}

void TLogGraph::Clear()
{
    m_items.fill(0);
    m_count = 0;
    m_biggestItem = 0;
    update();
}

void TLogGraph::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    drawFrame(&painter);
    painter.setFont(m_font);
    painter.setPen(QPen(Qt::black));
    painter.setBackground(m_color);
    painter.setBackgroundMode(Qt::OpaqueMode);

    const int w = width();
    const int h = height();
    const QPoint corner(AxisX, h - 25);
    lineTo(painter, QPoint(AxisX, 10 - m_markerSize), corner);
    lineTo(painter, corner, QPoint(w - 20 + m_markerSize, h - 25));

    paintCaptions(painter);
    if (m_count >= 1) {
        paintPoints(painter);
        paintScaleLabels(painter);
    }
}

void TLogGraph::paintCaptions(QPainter &painter) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int w = width();
    const int h = height();
    const int bevel = lineWidth();

    // The vertical caption reads downwards, one character under the other.
    const QList<uint> characters = m_yAxisText.toUcs4();
    const int lineHeight = metrics.height();
    const int middle = rounded((h - 25) - (h - 35) * 0.5);
    const int top = rounded(middle - lineHeight * characters.size() * 0.9 * 0.5) + bevel + 1;
    const int column = metrics.horizontalAdvance(QStringLiteral("XX"));
    for (int i = 0; i < characters.size(); ++i) {
        const char32_t code = characters.at(i);
        const QString character = QString::fromUcs4(&code, 1);
        textOut(painter, rounded(column - metrics.horizontalAdvance(character) * 0.5),
                top + rounded(i * lineHeight * 0.9), character);
    }

    const int centre = rounded((w - 20) - (w - 60) * 0.5);
    textOut(painter, rounded(centre - metrics.horizontalAdvance(m_xAxisText) * 0.5),
            h - metrics.height() - bevel - 1, m_xAxisText);
}

// Each point sits in the middle of its own column; the lines run from centre to centre.
void TLogGraph::paintPoints(QPainter &painter) const
{
    const int h = height();
    const int top = m_biggestItem == 0 ? 1 : m_biggestItem;
    const double yScale = std::abs(h - 35) / double(top);
    const double xStep = std::abs(width() - 60) / double(m_count);
    const int m = m_markerSize;

    QPoint previous;
    for (int i = 1; i <= m_count; ++i) {
        const double x = i * xStep + AxisX - xStep * 0.5;
        const double y = h - yScale * m_items.at(i - 1) - 25;
        const QRect bounds(QPoint(rounded(x - m), rounded(y - m)), QPoint(rounded(x + m), rounded(y + m)));
        if (m_connectPoints) {
            const QPoint centre((bounds.left() + bounds.right()) / 2, (bounds.top() + bounds.bottom()) / 2);
            if (i > 1) {
                painter.setPen(QPen(m_lineColor));
                lineTo(painter, previous, centre);
            }
            previous = centre;
        }
        // Outline and filling are both in the marker colour.
        fillEllipse(painter, QRect(bounds.topLeft(), QSize(bounds.width() - 1, bounds.height() - 1)),
                    m_markerColor);
    }
    painter.setPen(QPen(Qt::black));
}

void TLogGraph::paintScaleLabels(QPainter &painter) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const QString gap = QStringLiteral("  ");
    const QString zero = QStringLiteral("0");
    textOut(painter, AxisX - metrics.horizontalAdvance(zero + gap), height() - metrics.height() / 2 - 25,
            zero);
    const QString topValue = QString::number(m_biggestItem);
    textOut(painter, AxisX - metrics.horizontalAdvance(topValue + gap), 10 - metrics.height() / 2, topValue);
}
