#pragma once

#include "app/ui/windowplacement.h"
#include "app/ui/windowtexts.h"
#include "platform/ini/settingslist.h"
#include "platform/ui/waitcursor.h"
#include "widgets/pageservices.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class HelpService;
class HelpWindowService;
class InputPage;
class MainPopups;
class MenuCommands;
class QFileDialog;
struct PrintSettings;
class TImageList;
class TLanguageDlg;
class TPageControl;
class LogbookPage;
class MainMenuBar;
class MessageService;
class OldUnitCommands;
class QStatusBar;
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
    void OptionsLanguageItemClick();

    // The help the window shows; tests give a scripted one.
    void setHelpService(HelpService &help);

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
    WordListCommands *wordLists() const;
    OldUnitCommands *oldUnits() const;

    // The unit being worked on.
    QString CurrentUnitFile() const { return m_unit.descriptor; }
    int CurrentNativeLanguage() const { return m_unit.nativeLanguage; }
    int CurrentForeignLanguage() const { return m_unit.foreignLanguage; }

    QString helpFile() const { return m_helpFile; }
    // A text the window keeps from the language file for later ("MsgPackingTable", ...).
    QString keptText(const QString &key) const { return m_texts.kept(key); }
    const PrintSettings &printSettings() const;
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
    void connectLanguageCommand();
    void enterInputPage();
    void enterTestPage();
    void enterUnitPage();
    void enterLogbookPage();
    void openUnitTable(bool filtered);
    void showUnitCaption(const QString &caption);
    void declareSettings();

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
    MenuCommands *m_commands = nullptr;
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
    std::unique_ptr<VocTestWindows> m_testWindows;
    std::unique_ptr<TestWindowsGate> m_testWindowsGate;
    OpenUnit m_unit;
    std::unique_ptr<PageServices> m_services; // handed to every page, made once the table exists
    WindowPlacement m_placement{*this};
    SettingsList m_settings;
    QString m_helpFile;
    WindowTexts m_texts;
    bool m_closed = false;
};
