#pragma once

#include "voctest/voctestui.h"

#include <QObject>
#include <functional>

class QWidget;

// The test engine's windows as the main window shows them. While one of them waits for the
// user, the engine sits in a nested event loop in the middle of its work: nothing on the
// main window may close the table or change the unit under it then, so the window takes no
// mouse or keyboard input until the wait is over (it stays as it looks), and whatever was
// asked meanwhile (closing the window) runs afterwards.
class TestWindowsGate : public QObject, public VocTestUi
{
    Q_OBJECT

public:
    TestWindowsGate(VocTestUi &windows, QWidget &mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    void showMistakeReport(const MistakeReport &report, const VocTestCaptions &captions) override;
    void showSummary(const TestSummary &summary, const VocTestCaptions &captions) override;

    bool waiting() const { return m_depth > 0; }
    // Runs work now, or once the wait is over.
    void whenFree(std::function<void()> work);

private:
    template <typename Show> void waitFor(Show show);
    void hold();
    void release();

    VocTestUi &m_windows;
    QWidget &m_mainWindow;
    int m_depth = 0;
    std::function<void()> m_deferred;
};
