#pragma once

#include "app/ui/mainformtexts.h"
#include "platform/ui/waitcursor.h"
#include "print/printsettings.h"
#include "voctest/testvariantlist.h"

#include <QMainWindow>
#include <memory>

class InputPage;
class LogbookPage;
class MainMenuBar;
class MessageService;
class QStatusBar;
class QTabWidget;
class TestPage;
class SoundDevice;
class TLumoTable;
class TLumoVocTest;
class VocTestWindows;
class TRegFile;
class UnitPage;

// The one main window: owns the four pages, the menus, the settings store, the vocabulary
// table and the test engine. Creation restores every setting; closing writes them back.
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
    void PageControlChange();
    void HelpAbout();

    // Cursor number 5 of the program: marks a question or entry that has a sound.
    static QCursor soundCursor();

    QString helpFile() const { return m_helpFile; }
    // A text the window keeps from the language file for later ("MsgPackingTable", ...).
    QString keptText(const QString &key) const { return m_texts.kept(key); }
    const PrintSettings &printSettings() const { return m_print; }
    const TestVariantList &testVariantList() const { return m_testVariants; }

    MainMenuBar *MainMenu = nullptr;
    QTabWidget *PageControl = nullptr;
    QStatusBar *StatusLine = nullptr;
    UnitPage *unitPage = nullptr;
    TestPage *testPage = nullptr;
    InputPage *inputPage = nullptr;
    LogbookPage *logbookPage = nullptr;
    TRegFile *Registry = nullptr;
    TLumoTable *LumoTable1 = nullptr;
    TLumoVocTest *LumoVocTest1 = nullptr;

    // The unit being worked on.
    QString CurrentUnitFile;
    int CurrentNativeLanguage = 0;
    int CurrentForeignLanguage = 0;
    bool TableNeedsPacking = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildPages();
    void connectCommands();
    void recoverSettingsStore();
    void restorePlacement(int state, int left, int top, int width, int height);
    void LoadTestVariants();
    void TestVariantsChange();
    int storedWindowState() const;

    MessageService &m_messages;
    WaitCursor m_waitCursor;
    std::unique_ptr<VocTestWindows> m_testWindows;
    SoundDevice *m_sound = nullptr;
    QString m_helpFile;
    PrintSettings m_print;
    MainFormTexts m_texts;
    TestVariantList m_testVariants;
    bool m_closed = false;
};
