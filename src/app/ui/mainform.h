#pragma once

#include "app/ui/mainformtexts.h"
#include "platform/ini/settingslist.h"
#include "platform/sound/sounddevice.h"
#include "platform/ui/waitcursor.h"
#include "print/printsettings.h"
#include "widgets/pageservices.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class EntryHistory;
class HelpService;
class HelpWindowService;
class InputPage;
class MainPopups;
class QFileDialog;
class TImageList;
class TLanguageDlg;
class TPageControl;
class LogbookPage;
class MainMenuBar;
class MessageService;
class OldUnitCommands;
class QStatusBar;
class QTabWidget;
class TestPage;
class TestVariantList;
class TestWindowsGate;
class TLumoTable;
class TLumoVocTest;
class VocTestWindows;
class TRegFile;
class UnitPage;
class WordListCommands;

// The one main window: owns the four pages, the menus, the settings store, the vocabulary
// table and the test engine, and wires them. Creation restores every setting; closing
// writes them back.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // The settings store is given so that tests can point it at a file of their own.
    TMainForm(std::unique_ptr<TRegFile> registry, MessageService &messages, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Runs once after every component exists; restores the settings. Errors travel on: the
    // program cannot start without its window.
    void FormCreate();
    void FormClose();
    void FormActivate();
    void ShowHint(const QString &hint);
    void ApplyLanguageFile(const QString &fileName);
    // Asked before the user leaves the page shown; false keeps it.
    bool PageControlChanging();
    void PageControlChange();
    void LumoListView1DblClick();
    void HelpContents();
    void HelpSearch();
    void HelpHowToUse();
    void HelpAbout();
    void OptionsLanguageItemClick();
    // Find and sort on the input page.
    void FindBtnClick();
    void SearchAgainItemClick();
    void SortNotBtnClick();
    void SortLeftBtnClick();
    void SortRightBtnClick();
    // Customizes the character bar of the page shown.
    void PopupCustomizeItemClick();
    // Names the panes that show no caption, for screen readers, from the language file.
    void NameControlsForScreenReaders(const QString &languageFile);
    // The sound tools of the input page.
    void LumoDBGrid1ColEnter();
    void DBMediaPlayer1Progress(qint64 positionMs, SoundDevice::Mode mode);
    void ShowSoundToolsClick();
    void OpenWaveBtnClick();
    void DeleteSoundBtnClick();
    // The Edit menu on the input page: the cell editor's text, or the entries.
    void EditUndoClick();
    void EditRedoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    EntryHistory *entryHistory() const { return m_entryHistory.get(); }
    // Words spoken by the speech synthesiser on the input page.
    void SpeakWordBtnClick();
    // Which wave file to load into an entry; the default asks with OpenDialog. Tests script it.
    void setWaveFileChooser(std::function<QString()> chooser) { m_chooseWaveFile = std::move(chooser); }

    // The help the window shows; tests give a scripted one.
    void setHelpService(HelpService &help);

    // Cursor number 5 of the program: marks a question or entry that has a sound.
    static QCursor soundCursor();

    // The components, by their names.
    MainMenuBar *MainMenu() const { return m_mainMenu; }
    TPageControl *PageControl() const { return m_pageControl; }
    QStatusBar *StatusLine() const { return m_statusLine; }
    UnitPage *unitPage() const { return m_unitPage; }
    TestPage *testPage() const { return m_testPage; }
    InputPage *inputPage() const { return m_inputPage; }
    LogbookPage *logbookPage() const { return m_logbookPage; }
    TRegFile *Registry() const { return m_registry; }
    TLumoTable *LumoTable1() const { return m_lumoTable1; }
    TLumoVocTest *LumoVocTest1() const { return m_lumoVocTest1; }
    VocTestWindows *testWindows() const { return m_testWindows.get(); }
    MainPopups *popups() const { return m_popups; }
    TImageList *LargeFlags() const { return m_largeFlags; }
    TImageList *SmallFlags() const { return m_smallFlags; }
    TImageList *BasicImageList() const { return m_basicImageList; }
    QFileDialog *OpenDialog();
    TLanguageDlg *LanguageDlg() const { return m_languageDlg; }
    WordListCommands *wordLists() const { return m_wordLists; }
    OldUnitCommands *oldUnits() const { return m_oldUnits; }

    // The unit being worked on.
    QString CurrentUnitFile() const { return m_unit.descriptor; }
    int CurrentNativeLanguage() const { return m_unit.nativeLanguage; }
    int CurrentForeignLanguage() const { return m_unit.foreignLanguage; }
    bool TableNeedsPacking() const { return m_tableNeedsPacking; }
    // The input page deleted entries or sounds: leaving it packs the table once.
    void setTableNeedsPacking() { m_tableNeedsPacking = true; }

    QString helpFile() const { return m_helpFile; }
    // A text the window keeps from the language file for later ("MsgPackingTable", ...).
    QString keptText(const QString &key) const { return m_texts.kept(key); }
    const PrintSettings &printSettings() const { return m_print; }
    const TestVariantList &testVariantList() const;
    // Names of the settings in the order of reading and of writing.
    const SettingsList &settings() const { return m_settings; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildPages();
    void buildComponents();
    void connectCommands();
    void connectUnitManager();
    void connectShellCommands();
    void connectWordExchange();
    void connectPrinting();
    void connectCharBars();
    void applyCharBarLanguageFile(const QString &fileName);
    void connectFind();
    void setTableOrder(const QString &field);
    void connectSoundTools();
    void connectSpeech();
    void updateSpeechControls();
    void connectEdit();
    void enableEdit(bool on);
    // Takes the last entry step back (or makes the last one undone again).
    void takeEntryStep(bool back);
    void enterInputPage();
    void enterTestPage();
    void enterUnitPage();
    void enterLogbookPage();
    void openUnitTable(bool filtered);
    // Checks the View menu's item of the style the file list shows.
    void checkViewStyle(int style);
    void showUnitCaption(const QString &caption);
    void declareSettings();
    void declarePrintSettings();
    void recoverSettingsStore();
    void applyPlacement();
    int storedWindowState() const;
    static QString helpFileNamed(const QString &name);

    MessageService &m_messages;
    WaitCursor m_waitCursor;
    MainMenuBar *m_mainMenu = nullptr;
    TPageControl *m_pageControl = nullptr;
    MainPopups *m_popups = nullptr;
    TImageList *m_largeFlags = nullptr;
    TImageList *m_smallFlags = nullptr;
    TImageList *m_basicImageList = nullptr;
    QFileDialog *m_openDialog = nullptr;
    TLanguageDlg *m_languageDlg = nullptr;
    std::function<QString()> m_chooseWaveFile;
    WordListCommands *m_wordLists = nullptr;
    OldUnitCommands *m_oldUnits = nullptr;
    std::unique_ptr<HelpWindowService> m_ownHelp;
    HelpService *m_help = nullptr;
    QStatusBar *m_statusLine = nullptr;
    UnitPage *m_unitPage = nullptr;
    TestPage *m_testPage = nullptr;
    InputPage *m_inputPage = nullptr;
    LogbookPage *m_logbookPage = nullptr;
    TRegFile *m_registry = nullptr;
    TLumoTable *m_lumoTable1 = nullptr;
    TLumoVocTest *m_lumoVocTest1 = nullptr;
    std::unique_ptr<EntryHistory> m_entryHistory;
    std::unique_ptr<VocTestWindows> m_testWindows;
    std::unique_ptr<TestWindowsGate> m_testWindowsGate;
    SoundDevice *m_sound = nullptr;

    OpenUnit m_unit;
    // Handed to every page; made once the table exists.
    std::unique_ptr<PageServices> m_services;
    bool m_tableNeedsPacking = false;

    // Window placement as read, applied once the last of its settings is in.
    struct Placement
    {
        int state = 0;
        QRect bounds;
    } m_placement;
    SettingsList m_settings;
    QString m_helpFile;
    PrintSettings m_print;
    MainFormTexts m_texts;
    bool m_closed = false;
};
