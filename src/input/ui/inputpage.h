#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QSlider;
class SpeedButton;
class ToolBarPanel;

// The "Vocabulary Input" page: tool bar, sound tools, the word-pair grid and the
// special-character bar. The grid, the recorder and the character bar are still to come;
// their places are kept under their names.
class InputPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SoundToolsHeight = 29;

    explicit InputPage(QWidget *parent = nullptr);

    // Shows or hides the sound tools and presses the button to match.
    void setSoundToolsShown(bool shown);
    bool soundToolsShown() const;

    ToolBarPanel *ToolBar2 = nullptr;
    SpeedButton *SortLeftBtn = nullptr;
    SpeedButton *SortNotBtn = nullptr;
    SpeedButton *SortRightBtn = nullptr;
    SpeedButton *ShowTypeColBtn = nullptr;
    SpeedButton *InsertRecordBtn = nullptr;
    SpeedButton *DeleteRecords = nullptr;
    SpeedButton *FindBtn = nullptr;
    SpeedButton *PrintSBtn2 = nullptr;
    SpeedButton *ShowSoundTools = nullptr;
    QWidget *SoundTools = nullptr;
    QFrame *DBMediaPlayer1 = nullptr;
    QSlider *ProgressBar1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *PlayerStatusLbl = nullptr;
    SpeedButton *OpenWaveBtn = nullptr;
    SpeedButton *DeleteSoundBtn = nullptr;
    QFrame *LumoDBGrid1 = nullptr;
    QFrame *CharGrid1 = nullptr;

private:
    void buildToolBar();
    void buildSoundTools();
};
