#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class TLogGraph;
class TLumoDBLogGrid;
class TObSplitter;

// The logbook page: a panel with the unit's logbook facts, the chart of past tests and the
// two logbook buttons above, the grid of mistaken entries below.
class LogbookPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinTopPanelHeight = 150;
    static constexpr int FactsWidth = 320; // the panel's part left of the chart
    static constexpr int ButtonsFromBottom = 32;

    explicit LogbookPage(QWidget *parent = nullptr);

    int topPanelHeight() const;
    void setTopPanelHeight(int height);

    // Places the chart and the buttons for the panel's size; the panel is never lower than
    // MinTopPanelHeight.
    void LogbookTopPanelResize();

    TObSplitter *LogBookSplitter = nullptr;
    QWidget *LogbookTopPanel = nullptr;
    QLabel *FileNameLabel2 = nullptr;
    QLabel *DescriptionLabel2 = nullptr;
    QLabel *TestCountLabel = nullptr;
    QLabel *TestCount = nullptr;
    QLabel *LastTestDateLabel = nullptr;
    QLabel *LastTestDate = nullptr;
    // How many words are due for review, beside the test count.
    QLabel *DueTodayLabel = nullptr;
    QLabel *DueToday = nullptr;
    QLabel *DueWeekLabel = nullptr;
    QLabel *DueWeek = nullptr;
    TLogGraph *LogGraph1 = nullptr;
    QPushButton *ResetLogBtn = nullptr;
    QPushButton *SaveMistakesBtn = nullptr;
    TLumoDBLogGrid *LumoDBLogGrid1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopPanel();
    void placeFacts();
};
