#pragma once

#include "voctest/voctestui.h"

#include <memory>

class QWidget;
class TMistakeReportForm;

// The test engine's real windows: the mistake report, shown without being modal while the
// engine waits for it in a local event loop, and the modal summary.
class VocTestWindows : public VocTestUi
{
public:
    // The summary is centred over parent; the mistake report is a window of its own.
    explicit VocTestWindows(QWidget *parent = nullptr);
    ~VocTestWindows() override;

    void showMistakeReport(const MistakeReport &report, const VocTestCaptions &captions) override;
    void showSummary(const TestSummary &summary, const VocTestCaptions &captions) override;

    TMistakeReportForm *mistakeReportForm() const { return m_report.get(); }

private:
    QWidget *m_parent;
    std::unique_ptr<TMistakeReportForm> m_report;
};
