#include "app/ui/pagecontrol.h"

#include <QKeyEvent>
#include <QShortcutEvent>
#include <QTabBar>

namespace {
// The tab bar lets no change of page through that the page control has not allowed.
class AskingTabBar : public QTabBar
{
public:
    explicit AskingTabBar(TPageControl &pages) : QTabBar(&pages), m_pages(pages) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const int index = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex()) {
            m_pages.requestPage(index);
            event->accept();
            return;
        }
        QTabBar::mousePressEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
        if (step == 0) {
            QTabBar::keyPressEvent(event);
            return;
        }
        const int target = currentIndex() + step;
        if (target >= 0 && target < count())
            m_pages.requestPage(target);
        event->accept();
    }

    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::Shortcut) {
            const auto *shortcut = static_cast<QShortcutEvent *>(event);
            for (int i = 0; i < count(); ++i) {
                if (QKeySequence::mnemonic(tabText(i)) == shortcut->key()) {
                    m_pages.requestPage(i);
                    return true;
                }
            }
        }
        return QTabBar::event(event);
    }

private:
    TPageControl &m_pages;
};
} // namespace

TPageControl::TPageControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new AskingTabBar(*this));
}

bool TPageControl::requestPage(int index)
{
    if (index < 0 || index >= count() || index == currentIndex())
        return false;
    if (m_changing && !m_changing(index))
        return false;
    setCurrentIndex(index);
    return true;
}

void TPageControl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab and Ctrl+Page Up/Down move between pages.
    const bool control = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = 1;
    else if (control && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    if (step == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    requestPage((currentIndex() + step + count()) % count());
    event->accept();
}
