#include "widgets/panesplitter.h"

PaneSplitter::PaneSplitter(Qt::Orientation orientation, QWidget *parent) : QSplitter(orientation, parent)
{
    setHandleWidth(4);
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this](int position) { m_extent = position; });
}

void PaneSplitter::setFirstPaneExtent(int extent)
{
    m_extent = extent;
    apply();
}

void PaneSplitter::resizeEvent(QResizeEvent *event)
{
    QSplitter::resizeEvent(event);
    apply();
}

void PaneSplitter::showEvent(QShowEvent *event)
{
    QSplitter::showEvent(event);
    apply();
}

void PaneSplitter::apply()
{
    if (count() < 2)
        return;
    const int total = orientation() == Qt::Horizontal ? width() : height();
    setSizes({m_extent, qMax(0, total - m_extent - handleWidth())});
}
