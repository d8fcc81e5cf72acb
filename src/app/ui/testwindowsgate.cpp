#include "app/ui/testwindowsgate.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

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

void TestWindowsGate::hold()
{
    if (m_depth++ > 0)
        return;
    if (auto *window = qobject_cast<QMainWindow *>(&m_mainWindow)) {
        if (window->centralWidget())
            window->centralWidget()->setEnabled(false);
        if (window->menuBar())
            window->menuBar()->setEnabled(false);
    }
}

void TestWindowsGate::release()
{
    if (--m_depth > 0)
        return;
    if (auto *window = qobject_cast<QMainWindow *>(&m_mainWindow)) {
        if (window->centralWidget())
            window->centralWidget()->setEnabled(true);
        if (window->menuBar())
            window->menuBar()->setEnabled(true);
    }
    // After the engine has finished the step that waited, not in the middle of it.
    if (m_deferred)
        QTimer::singleShot(0, &m_mainWindow, std::exchange(m_deferred, nullptr));
}
