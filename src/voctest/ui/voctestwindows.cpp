#include "voctest/ui/voctestwindows.h"

#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

VocTestWindows::VocTestWindows(QWidget *parent)
    : m_parent(parent), m_report(std::make_unique<TMistakeReportForm>())
{}

VocTestWindows::~VocTestWindows() = default;

void VocTestWindows::showMistakeReport(const MistakeReport &report, const VocTestCaptions &captions)
{
    m_report->setContent(report, captions);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_report->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_report->move(frame.topLeft());
    }
    QEventLoop loop;
    QObject::connect(m_report.get(), &TMistakeReportForm::closed, &loop, &QEventLoop::quit);
    m_report->show();
    m_report->raise();
    m_report->activateWindow();
    if (m_report->isVisible())
        loop.exec();
    // The next answer is typed into the test's window: it takes the keys back, whatever the
    // window system activates after the report.
    if (m_parent && m_parent->isVisible())
        m_parent->window()->activateWindow();
}

void VocTestWindows::showSummary(const TestSummary &summary, const VocTestCaptions &captions)
{
    TTestFinished window(m_parent);
    window.setContent(summary, captions);
    window.exec();
}
