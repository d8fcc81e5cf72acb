#include "widgets/obsplitter.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QRubberBand>

TObSplitter::TObSplitter(QWidget *parent, TOrientation orientation) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setOrientation(orientation);
}

void TObSplitter::setOrientation(TOrientation orientation)
{
    m_orientation = orientation;
    if (orientation == soVertical) {
        setCursor(Qt::SplitHCursor);
        setFixedWidth(4);
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        setCursor(Qt::SplitVCursor);
        setFixedHeight(4);
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
    applyExtent();
}

void TObSplitter::setLeftTopControl(QWidget *pane)
{
    if (pane == m_leftTop || pane == m_rightBottom || pane == this)
        return;
    if (m_leftTop) {
        // The pane given up takes its natural size again.
        m_leftTop->setMinimumSize(0, 0);
        m_leftTop->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_leftTop->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        disconnect(m_leftTop, &QObject::destroyed, this, nullptr);
    }
    m_leftTop = pane;
    if (pane)
        connect(pane, &QObject::destroyed, this, &TObSplitter::paneDestroyed);
    applyExtent();
}

void TObSplitter::setRightBottomControl(QWidget *pane)
{
    if (pane == m_leftTop || pane == m_rightBottom || pane == this)
        return;
    if (m_rightBottom)
        disconnect(m_rightBottom, &QObject::destroyed, this, nullptr);
    m_rightBottom = pane;
    if (pane)
        connect(pane, &QObject::destroyed, this, &TObSplitter::paneDestroyed);
    applyExtent();
}

void TObSplitter::paneDestroyed(QObject *pane)
{
    if (pane == m_leftTop.data() || !m_leftTop)
        m_leftTop = nullptr;
    if (pane == m_rightBottom.data() || !m_rightBottom)
        m_rightBottom = nullptr;
    m_grab = -1;
}

void TObSplitter::setLeftTopExtent(int extent)
{
    m_extent = qMax(0, extent);
    applyExtent();
}

// The panes share what the window has and never ask it for more: the first pane grows up to
// its extent and takes less when there is no room, the second takes the rest, down to nothing.
void TObSplitter::applyExtent()
{
    const bool vertical = m_orientation == soVertical;
    const auto shrinkable = [vertical](QWidget *pane) {
        QSizePolicy policy = pane->sizePolicy();
        if (vertical)
            policy.setHorizontalPolicy(QSizePolicy::Ignored);
        else
            policy.setVerticalPolicy(QSizePolicy::Ignored);
        pane->setSizePolicy(policy);
    };
    if (m_rightBottom)
        shrinkable(m_rightBottom);
    if (!m_leftTop)
        return;
    shrinkable(m_leftTop);
    m_leftTop->setMinimumSize(0, 0);
    m_leftTop->setMaximumSize(vertical ? m_extent : QWIDGETSIZE_MAX, vertical ? QWIDGETSIZE_MAX : m_extent);
    // Room goes to the first pane up to its extent; what is left goes to the second.
    auto *box = parentWidget() ? qobject_cast<QBoxLayout *>(parentWidget()->layout()) : nullptr;
    if (box && m_rightBottom) {
        box->setStretchFactor(m_leftTop, 1);
        box->setStretchFactor(m_rightBottom, 0);
    }
}

int TObSplitter::along(const QPoint &point) const
{
    return m_orientation == soVertical ? point.x() : point.y();
}

int TObSplitter::start(const QRect &rect) const
{
    return m_orientation == soVertical ? rect.left() : rect.top();
}

int TObSplitter::end(const QRect &rect) const
{
    return m_orientation == soVertical ? rect.left() + rect.width() : rect.top() + rect.height();
}

int TObSplitter::barExtent() const
{
    return m_orientation == soVertical ? width() : height();
}

int TObSplitter::ClampedPosition(int wanted, int freeStart, int secondPaneEnd, int barExtent, bool release)
{
    const int highest = secondPaneEnd - barExtent - (release ? 1 : 0);
    return qMax(freeStart, qMin(wanted, highest));
}

QRect TObSplitter::freeArea() const
{
    QWidget *parent = parentWidget();
    if (!parent || !m_leftTop || !m_rightBottom)
        return QRect();
    int left = 0, top = 0, right = parent->width() - 1, bottom = parent->height() - 1;
    const QRect first = m_leftTop->geometry();
    const QRect second = m_rightBottom->geometry();
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child == this || child == m_leftTop || child == m_rightBottom || child->isWindow() ||
            !child->isVisible() || child == m_rubberBand)
            continue;
        const QRect g = child->geometry();
        if (g.bottom() < first.top() && g.bottom() < second.top())
            top = qMax(top, g.bottom() + 1);
        else if (g.top() > first.bottom() && g.top() > second.bottom())
            bottom = qMin(bottom, g.top() - 1);
        else if (g.right() < first.left())
            left = qMax(left, g.right() + 1);
        else if (g.left() > second.right())
            right = qMin(right, g.left() - 1);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void TObSplitter::drawBand(int position)
{
    m_band = position;
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Line, parentWidget());
    QRect band = geometry();
    if (m_orientation == soVertical)
        band.moveLeft(position);
    else
        band.moveTop(position);
    m_rubberBand->setGeometry(band);
    m_rubberBand->show();
    m_rubberBand->raise();
}

void TObSplitter::mousePressEvent(QMouseEvent *event)
{
    if (!m_leftTop || !m_rightBottom || !parentWidget()) {
        QFrame::mousePressEvent(event);
        return;
    }
    emit BeginSplit(this);
    m_free = freeArea();
    m_grab = along(event->position().toPoint());
    drawBand(start(geometry()));
}

void TObSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging() || !m_rightBottom)
        return;
    const int wanted = start(geometry()) + along(event->position().toPoint()) - m_grab;
    drawBand(ClampedPosition(wanted, start(m_free), end(m_rightBottom->geometry()), barExtent(), false));
}

void TObSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    if (!dragging() || !m_leftTop || !m_rightBottom)
        return;
    if (m_rubberBand)
        m_rubberBand->hide();
    const int wanted = start(geometry()) + along(event->position().toPoint()) - m_grab;
    const int position =
        ClampedPosition(wanted, start(m_free), end(m_rightBottom->geometry()), barExtent(), true);
    setLeftTopExtent(position - start(m_leftTop->geometry()));
    m_grab = -1;
    emit EndSplit(this);
}
