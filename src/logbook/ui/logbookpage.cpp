#include "logbook/ui/logbookpage.h"

#include "widgets/obsplitter.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
} // namespace

LogbookPage::LogbookPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LogBookPage"));
    buildTopPanel();
    LogBookSplitter = new TObSplitter(this, TObSplitter::soHorizontal);
    LogBookSplitter->setObjectName(QStringLiteral("LogBookSplitter"));
    LumoDBLogGrid1 = new QFrame(this);
    LumoDBLogGrid1->setObjectName(QStringLiteral("LumoDBLogGrid1"));
    LumoDBLogGrid1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    LogBookSplitter->setLeftTopControl(LogbookTopPanel);
    LogBookSplitter->setRightBottomControl(LumoDBLogGrid1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LogbookTopPanel);
    layout->addWidget(LogBookSplitter);
    layout->addWidget(LumoDBLogGrid1, 1);
    setTopPanelHeight(200);
}

void LogbookPage::buildTopPanel()
{
    LogbookTopPanel = new QWidget(this);
    LogbookTopPanel->setObjectName(QStringLiteral("LogbookTopPanel"));
    FileNameLabel2 = namedLabel(QStringLiteral("FileNameLabel2"), QString(), LogbookTopPanel);
    QFont bold = FileNameLabel2->font();
    bold.setBold(true);
    bold.setUnderline(true);
    FileNameLabel2->setFont(bold);
    FileNameLabel2->setAlignment(Qt::AlignCenter);
    DescriptionLabel2 = namedLabel(QStringLiteral("DescriptionLabel2"), QString(), LogbookTopPanel);
    DescriptionLabel2->setAlignment(Qt::AlignCenter);
    TestCountLabel =
        namedLabel(QStringLiteral("TestCountLabel"), QStringLiteral("Test count:"), LogbookTopPanel);
    TestCount = namedLabel(QStringLiteral("TestCount"), QString(), LogbookTopPanel);
    LastTestDateLabel =
        namedLabel(QStringLiteral("LastTestDateLabel"), QStringLiteral("Last test:"), LogbookTopPanel);
    LastTestDate = namedLabel(QStringLiteral("LastTestDate"), QString(), LogbookTopPanel);
    LogGraph1 = new QFrame(LogbookTopPanel);
    LogGraph1->setObjectName(QStringLiteral("LogGraph1"));
    LogGraph1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    LogGraph1->setMinimumWidth(220);
    ResetLogBtn = new QPushButton(QStringLiteral("&Reset"), LogbookTopPanel);
    ResetLogBtn->setObjectName(QStringLiteral("ResetLogBtn"));
    SaveMistakesBtn = new QPushButton(QStringLiteral("Save as new unit..."), LogbookTopPanel);
    SaveMistakesBtn->setObjectName(QStringLiteral("SaveMistakesBtn"));
    ResetLogBtn->setEnabled(false);
    SaveMistakesBtn->setEnabled(false);

    auto *facts = new QGridLayout;
    facts->addWidget(TestCountLabel, 0, 0);
    facts->addWidget(TestCount, 0, 1);
    facts->addWidget(LastTestDateLabel, 1, 0);
    facts->addWidget(LastTestDate, 1, 1);
    facts->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SaveMistakesBtn);
    buttons->addWidget(ResetLogBtn);
    buttons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(FileNameLabel2);
    left->addWidget(DescriptionLabel2);
    left->addLayout(facts);
    left->addStretch(1);
    left->addLayout(buttons);
    auto *row = new QHBoxLayout(LogbookTopPanel);
    row->addLayout(left, 1);
    row->addWidget(LogGraph1);
}

int LogbookPage::topPanelHeight() const
{
    return LogBookSplitter->leftTopExtent();
}

void LogbookPage::setTopPanelHeight(int height)
{
    LogBookSplitter->setLeftTopExtent(height);
}
