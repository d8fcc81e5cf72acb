#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class TObSplitter;

// The logbook page: summary panel with chart above, the grid of mistaken entries below.
// Chart and grid are still to come; their places are kept under their names.
class LogbookPage : public QWidget
{
    Q_OBJECT

public:
    explicit LogbookPage(QWidget *parent = nullptr);

    int topPanelHeight() const;
    void setTopPanelHeight(int height);

    TObSplitter *LogBookSplitter = nullptr;
    QWidget *LogbookTopPanel = nullptr;
    QLabel *FileNameLabel2 = nullptr;
    QLabel *DescriptionLabel2 = nullptr;
    QLabel *TestCountLabel = nullptr;
    QLabel *TestCount = nullptr;
    QLabel *LastTestDateLabel = nullptr;
    QLabel *LastTestDate = nullptr;
    QFrame *LogGraph1 = nullptr;
    QPushButton *ResetLogBtn = nullptr;
    QPushButton *SaveMistakesBtn = nullptr;
    QFrame *LumoDBLogGrid1 = nullptr;

private:
    void buildTopPanel();
};
