#include "logbook/ui/forecastgraph.h"

#include "uilang/translate.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {
constexpr int Margin = 4;
constexpr int LegendX = 8;
constexpr int LegendSize = 9;
constexpr int RightGap = 20;
constexpr int BottomGap = 25;
// Room above the bars for the top count, half a line over the top.
constexpr int BarsBelowGauge = 14;
// The texts live with the test chart's: the two charts share one panel.
const QString Section = QStringLiteral("LogGraph1");

int rounded(double value)
{
    return int(std::lround(value));
}

void text(QPainter &painter, int x, int top, int room, const QString &line)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(x, top + metrics.ascent()), metrics.elidedText(line, Qt::ElideRight, room));
}
} // namespace

TForecastGraph::TForecastGraph(QWidget *parent) : QFrame(parent)
{
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(13);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setMidLineWidth(0);
    setLanguageFile(QString());
}

void TForecastGraph::setLanguageFile(const QString &path)
{
    const auto tr = [&path](const char *key, const char *english) {
        return Translate(path, Section, QLatin1String(key), QString::fromUtf8(english));
    };
    m_caption = tr("DueDays", "Due in the next 30 days");
    m_retained = tr("Retained", "Retention, last 30 days:");
    m_target = tr("Target", "Target:");
    m_percent = tr("Percent", "%1%");
    update();
}

void TForecastGraph::setOutlook(const ReviewOutlook::Outlook &outlook)
{
    m_outlook = outlook;
    update();
}

QString TForecastGraph::percent(double share) const
{
    return m_percent.arg(rounded(share * 100));
}

QString TForecastGraph::captionText() const
{
    return m_caption;
}

QString TForecastGraph::retentionText() const
{
    const std::optional<double> share = m_outlook.retention.share();
    // A dash where no review is old enough to tell.
    return m_retained + u' ' + (share ? percent(*share) : QStringLiteral("\u2013"));
}

QString TForecastGraph::targetText() const
{
    return m_target + u' ' + percent(m_outlook.target);
}

int TForecastGraph::textLeft() const
{
    return LegendX + LegendSize + 5;
}

int TForecastGraph::lineHeight() const
{
    return QFontMetrics(m_font).height();
}

QRect TForecastGraph::gaugeArea() const
{
    const int top = Margin + 2 * lineHeight() + Margin;
    return QRect(AxisX, top, std::max(width() - AxisX - RightGap, 1), GaugeHeight);
}

QRect TForecastGraph::barArea() const
{
    const int top = gaugeArea().bottom() + BarsBelowGauge;
    const int bottom = std::max(height() - BottomGap - 1, top);
    return QRect(AxisX + 1, top, std::max(width() - AxisX - RightGap, 1), bottom - top + 1);
}

void TForecastGraph::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    drawFrame(&painter);
    painter.setFont(m_font);
    painter.setPen(QPen(Qt::black));
    paintRetention(painter);
    paintBars(painter);
    paintAxes(painter);
}

// The texts with their legend, then the gauge they explain.
void TForecastGraph::paintRetention(QPainter &painter) const
{
    const int line = lineHeight();
    const int room = width() - textLeft() - Margin;
    const int legendTop = Margin + (line - LegendSize) / 2;
    painter.fillRect(QRect(LegendX, legendTop, LegendSize, LegendSize), QColor(RetainedColour));
    painter.fillRect(QRect(LegendX + LegendSize / 2, legendTop + line - 1, 2, LegendSize + 2),
                     QColor(TargetColour));
    text(painter, textLeft(), Margin, room, retentionText());
    text(painter, textLeft(), Margin + line, room, targetText());

    const QRect gauge = gaugeArea();
    painter.fillRect(gauge, QColor(GaugeColour));
    if (const std::optional<double> share = m_outlook.retention.share())
        painter.fillRect(QRect(gauge.left(), gauge.top(), rounded(*share * gauge.width()), gauge.height()),
                         QColor(RetainedColour));
    const int target = gauge.left() + rounded(m_outlook.target * gauge.width());
    painter.fillRect(QRect(target - 1, gauge.top() - 3, 2, gauge.height() + 6), QColor(TargetColour));
}

void TForecastGraph::paintBars(QPainter &painter) const
{
    const QList<int> &counts = m_outlook.duePerDay;
    const int most = counts.isEmpty() ? 0 : *std::max_element(counts.cbegin(), counts.cend());
    const int top = std::max(most, 1);
    const QRect area = barArea();
    const double slot = area.width() / double(std::max<qsizetype>(counts.size(), 1));
    for (int day = 0; day < counts.size(); ++day) {
        // A pixel left free between neighbours where the slots are wide enough for it.
        const int left = area.left() + rounded(day * slot);
        const int right = std::max(left, area.left() + rounded((day + 1) * slot) - 2);
        const int height = rounded(counts.at(day) * double(area.height()) / top);
        if (height > 0)
            painter.fillRect(QRect(QPoint(left, area.bottom() - height + 1), QPoint(right, area.bottom())),
                             QColor(BarColour));
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const auto scale = [&](int value, int y) {
        const QString label = QString::number(value);
        painter.drawText(QPoint(AxisX - Margin - metrics.horizontalAdvance(label),
                                y - metrics.height() / 2 + metrics.ascent()),
                         label);
    };
    scale(0, area.bottom());
    if (most > 0)
        scale(most, area.top());
}

void TForecastGraph::paintAxes(QPainter &painter) const
{
    const QRect area = barArea();
    const QColor black(Qt::black);
    painter.fillRect(QRect(QPoint(AxisX, area.top() - 4), QPoint(AxisX, area.bottom() + 1)), black);
    painter.fillRect(QRect(QPoint(AxisX, area.bottom() + 1), QPoint(area.right() + 4, area.bottom() + 1)),
                     black);
    const QFontMetrics metrics = painter.fontMetrics();
    const int room = width() - 2 * Margin;
    const int captionWidth = std::min(metrics.horizontalAdvance(m_caption), room);
    const int centre = AxisX + (width() - AxisX - RightGap) / 2;
    const int left =
        std::clamp(centre - captionWidth / 2, Margin, std::max(Margin, width() - Margin - captionWidth));
    text(painter, left, height() - metrics.height() - 2, room, m_caption);
}
