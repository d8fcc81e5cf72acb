#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TGauge;
struct TestSummary;
struct VocTestCaptions;

// The summary shown after a completed test: counts and the score as a percentage.
class TTestFinished : public QDialog
{
    Q_OBJECT

public:
    explicit TTestFinished(QWidget *parent = nullptr);

    void setContent(const TestSummary &summary, const VocTestCaptions &captions);

    TGauge *TotalScore = nullptr;
    QLabel *TotalScoreLabel = nullptr;
    QLabel *TestFinishedLabel = nullptr;
    QLabel *ImformationLabel = nullptr;
    QLabel *WordCountLabel = nullptr;
    QLabel *WordCount = nullptr;
    QLabel *MistakeCountLabel = nullptr;
    QLabel *MistakeCount = nullptr;
    QLabel *RightCountLabel = nullptr;
    QLabel *RightCount = nullptr;
    QLabel *InstrLabel = nullptr;
    QPushButton *OkBtn = nullptr;

private:
    QLabel *makeLabel(const QString &name);
    QWidget *makeScorePane();
    QWidget *makeInformationPane();
};
