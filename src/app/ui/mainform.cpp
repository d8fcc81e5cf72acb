#include "app/ui/mainform.h"

#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "app/ui/menucommands.h"
#include "app/ui/pagecontrol.h"
#include "app/ui/splashscreen.h"
#include "app/ui/testwindowsgate.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/errorboundary.h"
#include "platform/help/helpservice.h"
#include "platform/ini/inifile.h"
#include "platform/ini/regfile.h"
#include "platform/messageservice.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "platform/sound/sounddevice.h"
#include "platform/ui/helpwindow.h"
#include "platform/ui/helpwindowservice.h"
#include "print/ui/printcommands.h"
#include "uilang/translate.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/flagimages.h"
#include "units/ui/folderimages.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/voctestwindows.h"
#include "widgets/imagelist.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>

TMainForm::TMainForm(std::unique_ptr<TRegFile> registry, MessageService &messages, QWidget *parent)
    : QMainWindow(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lumo '97"));
    m_registry = registry.release();
    m_registry->setParent(this);
    m_registry->setObjectName(QStringLiteral("Registry"));
    m_registry->setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
    m_lumoTable1 = new TLumoTable(m_messages, this);
    m_lumoTable1->setObjectName(QStringLiteral("LumoTable1"));
    m_lumoTable1->setExclusive(true);
    m_lumoTable1->setBusyIndicator(m_waitCursor);
    m_testWindows = std::make_unique<VocTestWindows>(this);
    m_testWindowsGate = std::make_unique<TestWindowsGate>(*m_testWindows, *this);
    m_lumoVocTest1 = new TLumoVocTest(m_messages, *m_testWindowsGate, *new SoundDevice(this), this);
    m_lumoVocTest1->setObjectName(QStringLiteral("LumoVocTest1"));
    m_lumoVocTest1->setBusyIndicator(m_waitCursor);
    m_lumoVocTest1->setDataSet(m_lumoTable1);
    m_lumoVocTest1->setSwap(false);
    m_lumoVocTest1->setOrder(TLumoVocTest::toForward);
    m_services = std::make_unique<PageServices>(
        PageServices{m_messages, m_waitCursor, *m_lumoTable1, m_unit,
                     [this](const QString &key) { return m_texts.kept(key); },
                     [this] { return OpenDialog(); }, [this](int context) { m_help->showTopic(context); },
                     [this] { return m_unitPage->LumoListView1->languageFile(); }});
    buildPages();
    buildComponents();
    connectCommands();
    connectLanguageCommand();
    m_commands = new MenuCommands({*m_mainMenu, *m_popups, *m_pageControl, *m_unitPage, *m_testPage,
                                   *m_inputPage, *m_logbookPage, m_smallFlags},
                                  *m_services, this);
    connect(m_commands, &MenuCommands::hint, this, &TMainForm::ShowHint);
    connect(m_commands, &MenuCommands::statusNow, this, [this](const QString &text) {
        // Shown at once: the work goes on without returning to the event loop.
        m_statusLine->showMessage(text);
        m_statusLine->repaint();
    });
    declareSettings();
    m_helpFile = ProgramFileToRead(QStringLiteral("english.hlp"));
}

TMainForm::~TMainForm() = default;

void TMainForm::buildPages()
{
    m_mainMenu = new MainMenuBar(this);
    setMenuBar(m_mainMenu);

    m_pageControl = TPageControl::centralIn(*this);
    m_unitPage = new UnitPage(*m_services, m_pageControl);
    m_testPage = new TestPage(m_pageControl);
    m_inputPage = new InputPage(*m_services, m_pageControl);
    m_logbookPage = new LogbookPage(*m_services, m_pageControl);
    m_pageControl->addTab(m_unitPage, QStringLiteral("&Unit Manager"));
    m_pageControl->addTab(m_testPage, QStringLiteral("Vocabulary &Test"));
    m_pageControl->addTab(m_inputPage, QStringLiteral("Vocabulary &Input"));
    m_pageControl->addTab(m_logbookPage, QStringLiteral("&Logbook"));
    m_statusLine = new QStatusBar(this);
    m_statusLine->setObjectName(QStringLiteral("StatusLine"));
    m_statusLine->setFixedHeight(20);
    m_statusLine->setSizeGripEnabled(true);
    setStatusBar(m_statusLine);
}

void TMainForm::buildComponents()
{
    m_popups = new MainPopups(this);
    m_largeFlags = CreateLargeFlags(this);
    m_smallFlags = CreateSmallFlags(this);
    m_basicImageList = new TImageList(QSize(16, 16), this);
    m_basicImageList->setObjectName(QStringLiteral("BasicImageList"));
    AddFolderTreePictures(*m_basicImageList);
    m_ownHelp = std::make_unique<HelpWindowService>(this, m_messages);
    m_help = m_ownHelp.get();
    m_help->setHelpFile(ProgramFileToRead(QStringLiteral("english.hlp")));
}

// The file dialog takes longer to build than the rest of the window together, so it is
// made when it is first needed, not at start.
QFileDialog *TMainForm::OpenDialog()
{
    if (!m_openDialog) {
        m_openDialog = new QFileDialog(this);
        m_openDialog->setObjectName(QStringLiteral("OpenDialog"));
        m_openDialog->setNameFilter(m_texts.kept(QStringLiteral("MsgOldUnitFiles")) +
                                    QStringLiteral(" (*.vok)"));
        m_openDialog->setDefaultSuffix(QStringLiteral("vok"));
        m_openDialog->setFileMode(QFileDialog::ExistingFiles);
    }
    return m_openDialog;
}

void TMainForm::setHelpService(HelpService &help)
{
    help.setHelpFile(m_help->helpFile());
    m_help = &help;
}

void TMainForm::connectCommands()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.FileExitItem, &QAction::triggered, this, &QWidget::close);
    connect(menu.HelpContentsItem, &QAction::triggered, this, [this] { m_help->showContents(); });
    connect(menu.HelpSearchItem, &QAction::triggered, this, [this] { m_help->showSearch(); });
    connect(menu.HelpHowToUseItem, &QAction::triggered, this, [this] { m_help->showHowToUse(); });
    connect(menu.HelpAboutItem, &QAction::triggered, this, [this] { TSplashScreen::showAbout(this); });
    // F1 opens the topic of the page shown; a dialog's own F1 answers in the dialog.
    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this,
            [this] { m_help->showTopic(m_pageControl->helpContext()); });
    m_pageControl->setChangingHandler([this](int) { return PageControlChanging(); });
    connect(m_pageControl, &QTabWidget::currentChanged, this, &TMainForm::PageControlChange);
    // The test page runs the engine; the window gives it the unit's table, texts and help.
    m_testPage->attach(*m_lumoVocTest1, m_messages);
    m_testPage->isActivePage = [this] { return m_pageControl->currentWidget() == m_testPage; };
    m_testPage->openTable = [this] {
        if (!m_lumoTable1->active())
            openUnitTable(false);
    };
    m_testPage->keptText = [this](const QString &key) { return m_texts.kept(key); };
    m_testPage->languageFile = [this] { return m_unitPage->LumoListView1->languageFile(); };
    m_testPage->smallFlags = m_smallFlags;
    m_unitPage->setImages(m_largeFlags, m_smallFlags, m_basicImageList);
    connect(m_unitPage, &UnitPage::unitCaptionChanged, this, &TMainForm::showUnitCaption);
    connect(m_unitPage, &UnitPage::unitOpened, this, &TMainForm::LumoListView1DblClick);
    connect(m_testPage, &TestPage::helpRequested, this, [this](int context) { m_help->showTopic(context); });
    connect(menu.TestSettingsItem, &QAction::triggered, m_testPage->ConfigureTestBtn,
            [this] { m_testPage->ConfigureTestBtn->click(); });
}

// Shown at once: the page works on without returning to the event loop.
void TMainForm::FormCreate()
{
    m_unit = OpenUnit();

    m_registry->RecoverCorruptStore(m_messages);
    m_settings.readAll(*m_registry);
    m_lumoTable1->setActive(false);
}

void TMainForm::FormClose()
{
    m_settings.writeAll(*m_registry);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // While a report window of the test waits, the engine is in the middle of a step: the
    // window closes once that step is over.
    if (m_testWindowsGate->waiting()) {
        event->ignore();
        m_testWindowsGate->whenFree([this] { close(); });
        return;
    }
    // Closing cannot be refused; the settings are written once however often close is asked.
    if (!m_closed) {
        m_closed = true;
        // A word still being typed in the grid and a recording are stored before the program ends.
        m_inputPage->storePending();
        Guarded(m_messages, [this] { FormClose(); });
    }
    event->accept();
}

void TMainForm::FormActivate()
{
    if (m_pageControl->currentWidget() == m_unitPage)
        m_unitPage->focusTree();
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TMainForm::ShowHint(const QString &hint)
{
    m_statusLine->showMessage(hint);
}

void TMainForm::ApplyLanguageFile(const QString &fileName)
{
    const auto nameControls = qScopeGuard([&] { WindowTexts::nameForScreenReaders(fileName, *this); });
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    m_unitPage->setLanguageFile(fileName);
    m_inputPage->setLanguageFile(fileName);
    m_logbookPage->setLanguageFile(fileName);
    m_lumoVocTest1->setLanguageFile(fileName);
    m_testPage->setLanguageFile(fileName);
    const IniFile ini(fileName);
    m_helpFile = ProgramFileToRead(
        ini.readString(QStringLiteral("general"), QStringLiteral("HelpFile"), QStringLiteral("English.hlp")));
    m_help->setHelpFile(m_helpFile);
    m_ownHelp->setTexts(HelpWindowTexts::translated([&fileName](const QString &key, const QString &english) {
        return Translate(fileName, QStringLiteral("MainForm"), key, english);
    }));
    m_texts.apply(fileName, *this, *m_mainMenu, *m_pageControl);
    WindowTexts::applyToolkitTexts(fileName);
}

const TestVariantList &TMainForm::testVariantList() const
{
    return m_testPage->variants();
}

void TMainForm::connectLanguageCommand()
{
    m_languageDlg = new TLanguageDlg(this);
    connect(m_languageDlg, &TLanguageDlg::helpRequested, this,
            [this](int context) { m_help->showTopic(context); });
    connect(m_mainMenu->actions().OptionsLanguageItem, &QAction::triggered, this,
            &TMainForm::OptionsLanguageItemClick);
}

void TMainForm::OptionsLanguageItemClick()
{
    m_languageDlg->setExtension(QStringLiteral("llf"));
    m_languageDlg->setPath(ProgramFolder());
    m_languageDlg->setLanguageFile(m_unitPage->LumoListView1->languageFile());
    if (m_languageDlg->Execute(this))
        ApplyLanguageFile(m_languageDlg->languageFile());
}

const PrintSettings &TMainForm::printSettings() const
{
    return m_commands->printing()->settings();
}

WordListCommands *TMainForm::wordLists() const
{
    return m_commands->wordLists();
}

OldUnitCommands *TMainForm::oldUnits() const
{
    return m_commands->oldUnits();
}

using namespace SettingOrder;

void TMainForm::declareSettings()
{
    SettingsList &s = m_settings;
    m_placement.declareSettings(s);
    m_unitPage->declareSettings(s);
    m_logbookPage->declareSettings(s);
    m_commands->printing()->declareSettings(s);
    // Only a file that exists reaches the file list, which is what closing stores.
    s.addText(
        QStringLiteral("LanguageFile"), ProgramFileToRead(QStringLiteral("english.llf")),
        {ReadLanguageFile, WriteLanguageFile}, [this] { return m_unitPage->LumoListView1->languageFile(); },
        [this](const QString &file) { ApplyLanguageFile(file); });
    m_inputPage->declareSettings(s);
    s.addStep(ReadFirstPage, [this] {
        // The unit manager is the first page, whatever page was shown at the last exit.
        m_pageControl->setCurrentWidget(m_unitPage);
        PageControlChange();
        m_testPage->LoadTestVariants();
    });
    m_testPage->declareSettings(s);
}
