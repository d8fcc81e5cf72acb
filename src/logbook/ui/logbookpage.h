#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTabBar;
class TForecastGraph;
class SettingsList;
class TLogGraph;
class TLumoDBLogGrid;
class TObSplitter;
struct PageServices;

// The logbook page: a panel with the unit's logbook facts, two charts on tabs (the past tests;
// the reviews ahead and the retention) and the two logbook buttons above, the grid of mistaken
// entries below.
class LogbookPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinTopPanelHeight = 150;
    static constexpr int FactsWidth = 320; // the panel's part left of the chart
    static constexpr int ButtonsFromBottom = 32;
    static constexpr int HelpContext = 380;

    // Sets the logbook's filter on the services' table.
    explicit LogbookPage(const PageServices &services, QWidget *parent = nullptr);

    // Shows the open unit's logbook, its chart and its due counts; the window has opened the
    // unit's table, filtered.
    void enterPage();
    // The texts of the grid and the chart.
    void setLanguageFile(const QString &fileName);
    // The page's buttons.
    void ResetLogBtnClick();
    void SaveMistakesBtnClick();
    // The logbook's filter, as the table engine runs it: an entry is shown when it was
    // answered wrongly.
    static QString LumoTable1FilterRecord();
    // The page's settings at their places among the program's.
    void declareSettings(SettingsList &settings);

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
    // Which chart shows; the test chart first.
    QTabBar *ChartTabs = nullptr;
    TLogGraph *LogGraph1 = nullptr;
    TForecastGraph *ForecastGraph1 = nullptr;
    QPushButton *ResetLogBtn = nullptr;
    QPushButton *SaveMistakesBtn = nullptr;
    TLumoDBLogGrid *LumoDBLogGrid1 = nullptr;

signals:
    // The mistakes were saved as a new unit, which the unit manager lists.
    void mistakesSaved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopPanel();
    void placeFacts();
    void showDueCounts();
    void showOutlook();
    void showChart(int tab);

    const PageServices &m_services;
};
