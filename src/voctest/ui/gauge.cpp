#include "voctest/ui/gauge.h"

#include "platform/lumoerror.h"

#include <QPainter>
#include <QtMath>
#include <limits>

namespace {
[[noreturn]] void refuse(int low, int high)
{
    throw LumoError(QString::asprintf("Value must be between %d and %d", low, high));
}

int percentOf(int minValue, int maxValue, int progress)
{
    const qint64 range = qint64(maxValue) - minValue;
    if (range <= 0)
        return 0;
    return int((qint64(progress) - minValue) * 100 / range);
}
} // namespace

TGauge::TGauge(QWidget *parent) : QWidget(parent)
{
    resize(100, 100);
}

void TGauge::setKind(TGaugeKind kind)
{
    if (kind != m_kind) {
        m_kind = kind;
        update();
    }
}

void TGauge::setShowText(bool show)
{
    if (show != m_showText) {
        m_showText = show;
        update();
    }
}

void TGauge::setBorderStyle(TBorderStyle style)
{
    if (style != m_borderStyle) {
        m_borderStyle = style;
        update();
    }
}

void TGauge::setForeColor(const QColor &color)
{
    if (color != m_foreColor) {
        m_foreColor = color;
        update();
    }
}

void TGauge::setBackColor(const QColor &color)
{
    if (color != m_backColor) {
        m_backColor = color;
        update();
    }
}

void TGauge::setMinValue(int value)
{
    if (value > m_maxValue)
        refuse(std::numeric_limits<int>::min(), m_maxValue);
    setValues(value, m_maxValue, m_progress);
}

void TGauge::setMaxValue(int value)
{
    if (value < m_minValue)
        refuse(m_minValue, std::numeric_limits<int>::max());
    setValues(m_minValue, value, m_progress);
}

void TGauge::setProgress(int value)
{
    setValues(m_minValue, m_maxValue, value);
}

void TGauge::setValues(int minValue, int maxValue, int progress)
{
    const int before = percentDone();
    m_minValue = minValue;
    m_maxValue = maxValue;
    m_progress = qBound(minValue, progress, maxValue);
    // The picture depends on the percentage only.
    if (percentDone() != before)
        update();
}

int TGauge::percentDone() const
{
    return percentOf(m_minValue, m_maxValue, m_progress);
}

void TGauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect area = rect();
    if (m_borderStyle == bsSingle) {
        painter.setPen(Qt::black);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    const int percent = percentDone();
    switch (m_kind) {
    case gkText: paintBackground(painter, area); break;
    case gkHorizontalBar:
    case gkVerticalBar: paintBar(painter, area, percent); break;
    case gkPie: paintPie(painter, area, percent); break;
    case gkNeedle: paintNeedle(painter, area, percent); break;
    }
    if (m_showText)
        paintPercentage(painter, area, percent);
}

void TGauge::paintBackground(QPainter &painter, const QRect &area) const
{
    painter.fillRect(area, m_backColor);
}

void TGauge::paintBar(QPainter &painter, const QRect &area, int percent) const
{
    paintBackground(painter, area);
    if (m_kind == gkHorizontalBar) {
        const int filled = area.width() * percent / 100;
        painter.fillRect(QRect(area.left(), area.top(), filled, area.height()), m_foreColor);
    } else {
        const int filled = area.height() * percent / 100;
        painter.fillRect(QRect(area.left(), area.bottom() + 1 - filled, area.width(), filled), m_foreColor);
    }
}

void TGauge::paintPie(QPainter &painter, const QRect &area, int percent) const
{
    painter.fillRect(area, palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect circle = area.adjusted(0, 0, -1, -1);
    painter.setPen(Qt::black);
    painter.setBrush(m_backColor);
    painter.drawEllipse(circle);
    painter.setBrush(m_foreColor);
    // Qt counts angles in sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawPie(circle, 90 * 16, -percent * 360 * 16 / 100);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void TGauge::paintNeedle(QPainter &painter, const QRect &area, int percent) const
{
    painter.fillRect(area, palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dial(area.left(), area.top(), area.width() - 1, 2.0 * (area.height() - 1));
    painter.setPen(Qt::black);
    painter.setBrush(m_backColor);
    painter.drawPie(dial, 0, 180 * 16);
    const QPointF centre(dial.center().x(), area.bottom());
    const qreal angle = M_PI * (1.0 - percent / 100.0);
    const QPointF tip(centre.x() + std::cos(angle) * dial.width() / 2,
                      centre.y() - std::sin(angle) * dial.height() / 2);
    painter.setPen(QPen(m_foreColor, 2));
    painter.drawLine(centre, tip);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void TGauge::paintPercentage(QPainter &painter, const QRect &area, int percent) const
{
    // White combined by exclusive-or stays readable on the filled and the empty part alike;
    // without smoothing every pixel of the text is a clean inversion.
    QFont textFont = font();
    textFont.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(textFont);
    painter.setPen(Qt::white);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawText(area, Qt::AlignCenter, QString::asprintf("%d%%", percent));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
