#pragma once

#include "repetition/reviewoutlook.h"

#include <QColor>
#include <QFont>
#include <QFrame>

class QPainter;

// The logbook's second chart: a bar for the entry sides due on each of the next days, today
// (with the overdue ones) on the left, and above it the retention of the last days as a
// gauge from 0 to 100 %, filled up to the measured share, with a mark at the target.
// Laid out like the test chart: the vertical axis at x = 40, the horizontal one 25 pixels
// above the bottom edge, 20 pixels left free on the right.
class TForecastGraph : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString CaptionText READ captionText)
    Q_PROPERTY(QString RetentionText READ retentionText)
    Q_PROPERTY(QString TargetText READ targetText)

public:
    static constexpr int AxisX = 40;
    static constexpr int GaugeHeight = 8;
    static constexpr QRgb BarColour = 0x0000FF;
    static constexpr QRgb RetainedColour = 0x008000;
    static constexpr QRgb GaugeColour = 0xFFFFFF;
    static constexpr QRgb TargetColour = 0x000000;

    explicit TForecastGraph(QWidget *parent);

    // Its texts come from the test chart's section of the language file.
    void setLanguageFile(const QString &path);
    void setOutlook(const ReviewOutlook::Outlook &outlook);
    const ReviewOutlook::Outlook &outlook() const { return m_outlook; }
    QFont chartFont() const { return m_font; }

    // What the chart writes, whole; drawn cut short where the chart is too narrow.
    QString captionText() const;
    QString retentionText() const;
    QString targetText() const;
    // Where the texts begin, left of them the legend.
    int textLeft() const;

    // The gauge, 0 % at its left edge and 100 % right of its right edge.
    QRect gaugeArea() const;
    // The room of the bars, right of the vertical axis and above the horizontal one: the
    // highest count reaches its top, the bars stand on its bottom row, and each day has an
    // equal share of its width, the last column of each share left free.
    QRect barArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString percent(double share) const;
    int lineHeight() const;
    void paintRetention(QPainter &painter) const;
    void paintBars(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;

    ReviewOutlook::Outlook m_outlook;
    QFont m_font;
    QString m_caption;
    QString m_retained;
    QString m_target;
    QString m_percent;
};
