#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <array>

class QPainter;

// The logbook's point chart: the mistakes of each completed test, tests from left to right.
// It reads the results itself from the unit descriptor.
class TLogGraph : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Description READ description)
    Q_PROPERTY(QString LastTestDate READ lastTestDate)
    Q_PROPERTY(int TestedCount READ testedCount)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(QString VocabularyFile READ vocabularyFile WRITE setVocabularyFile)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor MarkerColor READ markerColor WRITE setMarkerColor)
    Q_PROPERTY(QColor LineColor READ lineColor WRITE setLineColor)
    Q_PROPERTY(int MarkerSize READ markerSize WRITE setMarkerSize)
    Q_PROPERTY(int BiggestItem READ biggestItem WRITE setBiggestItem)
    Q_PROPERTY(bool Border READ border WRITE setBorder)
    Q_PROPERTY(QFont Font READ chartFont WRITE setChartFont)
    Q_PROPERTY(bool ConnectPoints READ connectPoints WRITE setConnectPoints)
    Q_PROPERTY(QString YAxisText READ yAxisText WRITE setYAxisText)
    Q_PROPERTY(QString XAxisText READ xAxisText WRITE setXAxisText)

public:
    static constexpr int SlotCount = 100;
    static constexpr int MaxCharted = 99;

    explicit TLogGraph(QWidget *parent);

    QString title() const { return m_title; }
    QString description() const { return m_description; }
    QString lastTestDate() const { return m_lastTestDate; }
    int testedCount() const { return m_testedCount; }

    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path);
    QString vocabularyFile() const { return m_vocabularyFile; }
    void setVocabularyFile(const QString &path);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor markerColor() const { return m_markerColor; }
    void setMarkerColor(const QColor &color);
    QColor lineColor() const { return m_lineColor; }
    void setLineColor(const QColor &color);
    int markerSize() const { return m_markerSize; }
    void setMarkerSize(int size);
    int biggestItem() const { return m_biggestItem; }
    void setBiggestItem(int value);
    bool border() const { return m_border; }
    void setBorder(bool on);
    QFont chartFont() const { return m_font; }
    void setChartFont(const QFont &font);
    bool connectPoints() const { return m_connectPoints; }
    void setConnectPoints(bool on);
    QString yAxisText() const { return m_yAxisText; }
    void setYAxisText(const QString &text);
    QString xAxisText() const { return m_xAxisText; }
    void setXAxisText(const QString &text);

    // False when all slots are taken; repaints either way.
    bool AddItem(int value);
    void Clear();
    int count() const { return m_count; }
    int item(int slot) const { return m_items.at(slot - 1); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCaptions(QPainter &painter) const;
    void paintPoints(QPainter &painter) const;
    void paintScaleLabels(QPainter &painter) const;

    QString m_title;
    QString m_description;
    QString m_lastTestDate;
    int m_testedCount = 0;
    QString m_languageFile;
    QString m_vocabularyFile;
    QColor m_color;
    QColor m_markerColor = Qt::blue;
    QColor m_lineColor = QColor(0, 0, 128);
    int m_markerSize = 3;
    int m_biggestItem = 0;
    bool m_border = true;
    QFont m_font;
    bool m_connectPoints = true;
    QString m_yAxisText;
    QString m_xAxisText;
    std::array<int, SlotCount> m_items{};
    int m_count = 0;
};
