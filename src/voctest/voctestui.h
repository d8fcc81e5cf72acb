#pragma once

#include "voctest/voctestcaptions.h"

#include <QString>

// What the mistake report shows after a wrong answer.
struct MistakeReport
{
    QString question;
    QString answer;
    QString fontName; // font of the question and answer texts
};

// What the summary shows after a completed test.
struct TestSummary
{
    int wordCount = 0;
    int mistakeCount = 0;
    int rightCount() const { return wordCount - mistakeCount; }
};

// How the test engine shows its two windows. The real one opens the mistake report and the
// summary; tests record what would have been shown.
class VocTestUi
{
public:
    virtual ~VocTestUi() = default;

    // Returns when the user has closed the report.
    virtual void showMistakeReport(const MistakeReport &report, const VocTestCaptions &captions) = 0;
    // Returns when the user has closed the summary.
    virtual void showSummary(const TestSummary &summary, const VocTestCaptions &captions) = 0;
};
