#include "app/ui/pagecontrol.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTabBar>
#include <QVBoxLayout>

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
                    // The shown page's own letter has nothing to do here; where a menu shares
                    // it, the menu opens, as it would without the tab.
                    if (i == currentIndex() && shortcut->isAmbiguous())
                        openMenuOf(shortcut->key());
                    else
                        m_pages.requestPage(i);
                    return true;
                }
            }
        }
        return QTabBar::event(event);
    }

private:
    void openMenuOf(const QKeySequence &key)
    {
        auto *bar = window()->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly);
        if (!bar)
            return;
        for (QAction *menu : bar->actions())
            if (menu->isVisible() && menu->isEnabled() && QKeySequence::mnemonic(menu->text()) == key) {
                bar->setActiveAction(menu);
                return;
            }
    }

    TPageControl &m_pages;
};
} // namespace

TPageControl::TPageControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new AskingTabBar(*this));
    // Ctrl+Tab and Ctrl+Page Up/Down move between pages wherever the focus is on them: as
    // shortcuts, so that a control that takes every typed key (a drop-down list searching
    // for the typed text) does not swallow them.
    const auto pageKey = [this](QKeyCombination key, int step) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, step] { requestPage((currentIndex() + step + count()) % count()); });
    };
    pageKey(Qt::ControlModifier | Qt::Key_Tab, 1);
    pageKey(Qt::ControlModifier | Qt::Key_PageDown, 1);
    pageKey(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Backtab, -1);
    pageKey(Qt::ControlModifier | Qt::Key_Backtab, -1);
    pageKey(Qt::ControlModifier | Qt::Key_PageUp, -1);
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

TPageControl *TPageControl::centralIn(QMainWindow &window)
{
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bevel = new QFrame(central);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setFixedHeight(5);
    layout->addWidget(bevel);
    auto *pages = new TPageControl(central);
    pages->setObjectName(QStringLiteral("PageControl"));
    layout->addWidget(pages, 1);
    window.setCentralWidget(central);
    return pages;
}
