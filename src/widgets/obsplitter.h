#pragma once

#include <QFrame>
#include <QPointer>

class QRubberBand;

// A thin bar between two panes that the user drags to share the space between them. While
// dragging, a band shows where the bar will go; the panes are resized once, when the mouse
// button is released. The first pane keeps its width (height) when the window is resized;
// the second takes the rest. The bar and both panes sit in one box layout of their parent,
// whose stretch the bar sets: the panes never make the window larger.
class TObSplitter : public QFrame
{
    Q_OBJECT

public:
    enum TOrientation { soVertical, soHorizontal };

    explicit TObSplitter(QWidget *parent = nullptr, TOrientation orientation = soVertical);

    TOrientation orientation() const { return m_orientation; }
    void setOrientation(TOrientation orientation);
    QWidget *leftTopControl() const { return m_leftTop; }
    // Setting the pane already set, the other pane or the bar itself does nothing.
    void setLeftTopControl(QWidget *pane);
    QWidget *rightBottomControl() const { return m_rightBottom; }
    void setRightBottomControl(QWidget *pane);

    // The first pane's width (height), as the bar last set it.
    int leftTopExtent() const { return m_extent; }
    void setLeftTopExtent(int extent);

    // Where a bar at wanted may go: not before the free area's start, and not so far that
    // the bar would leave the second pane's far edge (one pixel more on release).
    static int ClampedPosition(int wanted, int freeStart, int secondPaneEnd, int barExtent, bool release);

    bool dragging() const { return m_grab >= 0; }
    // The rectangle in the parent that the panes may share, computed when a drag begins:
    // the parent's area less what its other children take before and after the panes.
    QRect freeArea() const;

signals:
    void BeginSplit(QObject *sender);
    void EndSplit(QObject *sender);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int along(const QPoint &point) const; // x for a vertical bar, y for a horizontal one
    int start(const QRect &rect) const;   // left or top
    int end(const QRect &rect) const;     // right or bottom, exclusive
    int barExtent() const;
    void applyExtent();
    void drawBand(int position);
    void paneDestroyed(QObject *pane);

    TOrientation m_orientation = soVertical;
    QPointer<QWidget> m_leftTop;
    QPointer<QWidget> m_rightBottom;
    int m_extent = 200;
    QRect m_free;
    int m_grab = -1; // mouse offset inside the bar while dragging
    int m_band = 0;
    QRubberBand *m_rubberBand = nullptr;
};
