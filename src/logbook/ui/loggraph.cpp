#include "logbook/ui/loggraph.h"

#include <QPalette>

// Reading the descriptor and the language file, and the drawing, follow in the chart's own
// change; until then the chart holds what it is given and paints as an empty panel.
TLogGraph::TLogGraph(QWidget *parent) : QFrame(parent)
{
    m_color = palette().color(QPalette::Button);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(13);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
}

void TLogGraph::setLanguageFile(const QString &path)
{
    m_languageFile = path;
    update();
}

void TLogGraph::setVocabularyFile(const QString &path)
{
    m_vocabularyFile = path;
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
