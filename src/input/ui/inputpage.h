#pragma once

#include "platform/sound/sounddevice.h"
#include "widgets/chargrid.h"

#include <QWidget>
#include <functional>

class EntryHistory;
class InputEditCommands;
class InputFindSort;
class InputSoundTools;
class InputSpeech;
class QFrame;
class QLabel;
class QMenu;
class QSlider;
class SettingsList;
class TImageList;
class TLumoDBGrid;
class SpeedButton;
class TDBMediaPlayer;
class ToolBarPanel;
struct PageServices;

// The "Vocabulary Input" page: tool bar, sound tools, the word-pair grid and the
// special-character bar, and the commands on them. The window's menu bar reaches the commands
// through the public handlers and learns from the signals which of its items apply.
class InputPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SoundToolsHeight = 29;

    // The page works on the window's services, which outlive it.
    explicit InputPage(const PageServices &services, QWidget *parent = nullptr);
    ~InputPage() override;

    // Shows or hides the sound tools and presses the button to match; the grid's sound
    // pictures follow.
    void setSoundToolsShown(bool shown);
    bool soundToolsShown() const;

    // Whether the page is the one shown; the window's shortcuts reach it on every page.
    std::function<bool()> isActivePage;
    void declareSettings(SettingsList &settings);
    void setLanguageFile(const QString &fileName);

    // Entering the page prepares the grid on the unit's table, which openTable opens.
    void enter(const std::function<void()> &openTable);
    // Leaving stores what is pending and packs the table after deletions.
    void leave();
    // A word still being typed and a recording are stored.
    void storePending();
    bool TableNeedsPacking() const { return m_tableNeedsPacking; }
    // Entries or sounds were deleted: leaving the page packs the table once.
    void setTableNeedsPacking();

    // The flags and the popup menu of the character bar are the window's.
    void setCharBarMenu(TImageList *flags, QMenu *popup);
    void customizeCharBar();
    // The bar shows the saved sets again, which may now come from the user's own copy.
    void reloadCharBar();

    // The tool-bar commands on the grid's entries.
    void InsertRecordBtnClick();
    void DeleteRecordsClick();
    void ShowTypeColBtnClick();
    // Find on the grid; nothing while another page is shown.
    void FindBtnClick();
    void SearchAgainItemClick();
    // The Edit menu: the cell editor's text, or the entries. Only the page's own changes are
    // steps, while editing is on.
    void enableEdit(bool on);
    void EditUndoClick();
    void EditRedoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    EntryHistory *entryHistory() const;
    // The steps belong to the unit that was closed.
    void forgetEntrySteps();
    void SpeakWordBtnClick();
    void DBMediaPlayer1Progress(qint64 positionMs, SoundDevice::Mode mode);
    // Which wave file to load into an entry; the default asks with the window's file dialog.
    // Tests script it.
    void setWaveFileChooser(std::function<QString()> chooser);

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
    // Entries or sounds were deleted: the table is packed when the page is left.
    void tableNeedsPacking();
    // Whether "&Find..." applies.
    void searchEnabled(bool on);
    // Whether the items of the Edit menu apply.
    void editEnabled(bool on);
    // A text for the window's status line while the page works; empty clears it.
    void statusMessage(const QString &text);

private:
    void buildToolBar();
    void buildSoundTools();
    void prepareGrid(const std::function<void()> &openTable);
    // The character bar and the speech button follow the unit's languages.
    void followUnitLanguages();

    const PageServices &m_services;
    InputSoundTools *m_soundTools = nullptr;
    InputSpeech *m_speech = nullptr;
    InputFindSort *m_findSort = nullptr;
    InputEditCommands *m_edit = nullptr;
    bool m_tableNeedsPacking = false;
};
