#include "voctest/ui/testfinished.h"

#include "voctest/ui/gauge.h"
#include "voctest/voctestui.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int ScoreHeight = 21;
}

TTestFinished::TTestFinished(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TestFinished"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(makeScorePane(), 0, 0);
    layout->addWidget(makeInformationPane(), 0, 1);

    auto *buttons = new QDialogButtonBox(this);
    OkBtn = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 1, 0, 1, 2);
}

QLabel *TTestFinished::makeLabel(const QString &name)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    return label;
}

QWidget *TTestFinished::makeScorePane()
{
    auto *pane = new QWidget(this);
    auto *layout = new QVBoxLayout(pane);
    auto *picture = new QLabel(pane);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(64, 64));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    TotalScore = new TGauge(pane);
    TotalScore->setObjectName(QStringLiteral("TotalScore"));
    TotalScore->setKind(TGauge::gkText);
    TotalScore->setFixedHeight(ScoreHeight);
    QFont bold = TotalScore->font();
    bold.setBold(true);
    TotalScore->setFont(bold);
    layout->addWidget(TotalScore);

    TotalScoreLabel = makeLabel(QStringLiteral("TotalScoreLabel"));
    TotalScoreLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(TotalScoreLabel);
    layout->addStretch();
    return pane;
}

QWidget *TTestFinished::makeInformationPane()
{
    auto *pane = new QWidget(this);
    auto *layout = new QGridLayout(pane);
    TestFinishedLabel = makeLabel(QStringLiteral("TestFinishedLabel"));
    QFont headline = TestFinishedLabel->font();
    headline.setBold(true);
    TestFinishedLabel->setFont(headline);
    ImformationLabel = makeLabel(QStringLiteral("ImformationLabel"));
    WordCountLabel = makeLabel(QStringLiteral("WordCountLabel"));
    WordCount = makeLabel(QStringLiteral("WordCount"));
    MistakeCountLabel = makeLabel(QStringLiteral("MistakeCountLabel"));
    MistakeCount = makeLabel(QStringLiteral("MistakeCount"));
    RightCountLabel = makeLabel(QStringLiteral("RightCountLabel"));
    RightCount = makeLabel(QStringLiteral("RightCount"));
    InstrLabel = makeLabel(QStringLiteral("InstrLabel"));
    InstrLabel->setWordWrap(true);

    layout->addWidget(TestFinishedLabel, 0, 0, 1, 2);
    layout->addWidget(ImformationLabel, 1, 0, 1, 2);
    layout->addWidget(WordCountLabel, 2, 0);
    layout->addWidget(WordCount, 2, 1);
    layout->addWidget(MistakeCountLabel, 3, 0);
    layout->addWidget(MistakeCount, 3, 1);
    layout->addWidget(RightCountLabel, 4, 0);
    layout->addWidget(RightCount, 4, 1);
    layout->addWidget(InstrLabel, 5, 0, 1, 2);
    return pane;
}

void TTestFinished::setContent(const TestSummary &summary, const VocTestCaptions &captions)
{
    setWindowTitle(captions.testFinishedLabel);
    TestFinishedLabel->setText(captions.testFinishedLabel);
    ImformationLabel->setText(captions.imformationLabel);
    WordCountLabel->setText(captions.wordCountLabel);
    MistakeCountLabel->setText(captions.mistakeCountLabel);
    RightCountLabel->setText(captions.rightCountLabel);
    InstrLabel->setText(captions.instrLabel);
    TotalScoreLabel->setText(captions.totalScoreLabel);
    OkBtn->setText(captions.okButton);

    WordCount->setText(QString::number(summary.wordCount));
    MistakeCount->setText(QString::number(summary.mistakeCount));
    RightCount->setText(QString::number(summary.rightCount()));
    // The range is set before the progress, so neither refuses the new values.
    TotalScore->setMinValue(0);
    TotalScore->setMaxValue(qMax(0, summary.wordCount));
    TotalScore->setProgress(summary.rightCount());
}
