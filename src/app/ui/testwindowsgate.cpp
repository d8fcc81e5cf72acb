#include "app/ui/testwindowsgate.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

TestWindowsGate::TestWindowsGate(VocTestUi &windows, QWidget &mainWindow)
    : m_windows(windows), m_mainWindow(mainWindow)
{}

template <typename Show> void TestWindowsGate::waitFor(Show show)
{
    hold();
    try {
        show();
    } catch (...) {
        release();
        throw;
    }
    release();
}

void TestWindowsGate::showMistakeReport(const MistakeReport &report, const VocTestCaptions &captions)
{
    waitFor([&] { m_windows.showMistakeReport(report, captions); });
}

void TestWindowsGate::showSummary(const TestSummary &summary, const VocTestCaptions &captions)
{
    waitFor([&] { m_windows.showSummary(summary, captions); });
}

void TestWindowsGate::whenFree(std::function<void()> work)
{
    if (waiting())
        m_deferred = std::move(work);
    else
        work();
}

bool TestWindowsGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu: {
        const auto *widget = qobject_cast<const QWidget *>(watched);
        // Only the main window's own widgets: the report window must still take its key.
        if (widget && widget->window() == &m_mainWindow)
            return true;
        break;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void TestWindowsGate::hold()
{
    if (m_depth++ == 0)
        qApp->installEventFilter(this);
}

void TestWindowsGate::release()
{
    if (--m_depth > 0)
        return;
    qApp->removeEventFilter(this);
    // After the engine has finished the step that waited, not in the middle of it.
    if (m_deferred)
        QTimer::singleShot(0, &m_mainWindow, std::exchange(m_deferred, nullptr));
}
