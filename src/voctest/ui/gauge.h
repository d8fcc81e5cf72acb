#pragma once

#include <QColor>
#include <QWidget>

// A painted gauge showing how far Progress has come between MinValue and MaxValue, as a bar,
// a pie, a needle or the percentage alone.
class TGauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TGaugeKind Kind READ kind WRITE setKind)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Progress READ progress WRITE setProgress)

public:
    enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
    Q_ENUM(TGaugeKind)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TGauge(QWidget *parent = nullptr);

    TGaugeKind kind() const { return m_kind; }
    void setKind(TGaugeKind kind);
    bool showText() const { return m_showText; }
    void setShowText(bool show);
    TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    int minValue() const { return m_minValue; }
    // Throws LumoError("Value must be between ... and ...") above MaxValue.
    void setMinValue(int value);
    int maxValue() const { return m_maxValue; }
    // Throws LumoError("Value must be between ... and ...") below MinValue.
    void setMaxValue(int value);
    int progress() const { return m_progress; }
    // Clamped into MinValue to MaxValue.
    void setProgress(int value);
    void addProgress(int value) { setProgress(m_progress + value); }

    // The share of the range reached, truncated; 0 for an empty range.
    int percentDone() const;

    QSize sizeHint() const override { return {100, 100}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setValues(int minValue, int maxValue, int progress);
    void paintBackground(QPainter &painter, const QRect &area) const;
    void paintBar(QPainter &painter, const QRect &area, int percent) const;
    void paintPie(QPainter &painter, const QRect &area, int percent) const;
    void paintNeedle(QPainter &painter, const QRect &area, int percent) const;
    void paintPercentage(QPainter &painter, const QRect &area, int percent) const;

    TGaugeKind m_kind = gkHorizontalBar;
    bool m_showText = true;
    TBorderStyle m_borderStyle = bsSingle;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_progress = 0;
};
