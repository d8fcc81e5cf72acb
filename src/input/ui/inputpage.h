#pragma once

#include "widgets/chargrid.h"

#include <QWidget>

class QFrame;
class QLabel;
class MessageService;
class QSlider;
class TLumoDBGrid;
class TLumoTable;
class SpeedButton;
class TDBMediaPlayer;
class ToolBarPanel;

// The "Vocabulary Input" page: tool bar, sound tools, the word-pair grid and the
// special-character bar.
class InputPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SoundToolsHeight = 29;

    explicit InputPage(QWidget *parent = nullptr);

    // Shows or hides the sound tools and presses the button to match; the grid's sound
    // pictures follow.
    void setSoundToolsShown(bool shown);
    bool soundToolsShown() const;

    // The grid edits table; errors and questions go through messages.
    void setDataSet(TLumoTable *table, MessageService &messages);

    // The tool-bar commands on the grid's entries.
    void InsertRecordBtnClick();
    void DeleteRecordsClick();
    void ShowTypeColBtnClick();

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
    TDBMediaPlayer *DBMediaPlayer1 = nullptr;
    QSlider *ProgressBar1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *PlayerStatusLbl = nullptr;
    SpeedButton *OpenWaveBtn = nullptr;
    SpeedButton *DeleteSoundBtn = nullptr;
    SpeedButton *SpeakWordBtn = nullptr; // hidden unless the speech synthesiser runs
    TLumoDBGrid *LumoDBGrid1 = nullptr;
    TCharGrid *CharGrid1 = nullptr;

signals:
    // An entry was deleted: the table is packed when the page is left.
    void tableNeedsPacking();

private:
    void buildToolBar();
    void buildSoundTools();

    TLumoTable *m_table = nullptr;
};
