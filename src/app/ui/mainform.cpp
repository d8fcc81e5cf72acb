#include "app/ui/mainform.h"

#include "app/mainsettings.h"
#include "app/regfile.h"
#include "app/ui/mainmenubar.h"
#include "widgets/speedbutton.h"
#include "app/ui/splashscreen.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/errorreport.h"
#include "platform/inifile.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "platform/sounddevice.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/voctestwindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TMainForm::TMainForm(std::unique_ptr<TRegFile> registry, MessageService &messages, QWidget *parent)
    : QMainWindow(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lumo '97"));
    Registry = registry.release();
    Registry->setParent(this);
    Registry->setObjectName(QStringLiteral("Registry"));
    Registry->setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
    LumoTable1 = new TLumoTable(m_messages, this);
    LumoTable1->setObjectName(QStringLiteral("LumoTable1"));
    LumoTable1->setExclusive(true);
    LumoTable1->setBusyIndicator(m_waitCursor);
    m_testWindows = std::make_unique<VocTestWindows>(this);
    m_sound = new SoundDevice(this);
    LumoVocTest1 = new TLumoVocTest(m_messages, *m_testWindows, *m_sound, this);
    LumoVocTest1->setObjectName(QStringLiteral("LumoVocTest1"));
    LumoVocTest1->setBusyIndicator(m_waitCursor);
    LumoVocTest1->setDataSet(LumoTable1);
    LumoVocTest1->setSwap(false);
    LumoVocTest1->setOrder(TLumoVocTest::toForward);
    buildPages();
    connectCommands();
    m_helpFile = ProgramFolder() + QStringLiteral("english.hlp");
}

TMainForm::~TMainForm() = default;

void TMainForm::buildPages()
{
    MainMenu = new MainMenuBar(this);
    setMenuBar(MainMenu);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bevel = new QFrame(central);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setFixedHeight(5);
    layout->addWidget(bevel);

    PageControl = new QTabWidget(central);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    unitPage = new UnitPage(PageControl);
    testPage = new TestPage(PageControl);
    inputPage = new InputPage(PageControl);
    logbookPage = new LogbookPage(PageControl);
    PageControl->addTab(unitPage, QStringLiteral("&Unit Manager"));
    PageControl->addTab(testPage, QStringLiteral("Vocabulary &Test"));
    PageControl->addTab(inputPage, QStringLiteral("Vocabulary &Input"));
    PageControl->addTab(logbookPage, QStringLiteral("&Logbook"));
    layout->addWidget(PageControl, 1);
    setCentralWidget(central);

    StatusLine = new QStatusBar(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    StatusLine->setFixedHeight(20);
    StatusLine->setSizeGripEnabled(true);
    setStatusBar(StatusLine);
}

void TMainForm::connectCommands()
{
    connect(MainMenu->item(QStringLiteral("FileExitItem")), &QAction::triggered, this, &QWidget::close);
    connect(MainMenu->item(QStringLiteral("HelpAboutItem")), &QAction::triggered, this,
            &TMainForm::HelpAbout);
    connect(PageControl, &QTabWidget::currentChanged, this, &TMainForm::PageControlChange);
    connect(testPage->TestVariants, &QComboBox::currentIndexChanged, this, &TMainForm::TestVariantsChange);
    // Commands whose work is not built yet are shown but cannot be chosen.
    for (const char *name : {"FileNewVocFile",
                             "FileNewFolder",
                             "FilePropertiesItem",
                             "FileConvertItem",
                             "FilePrintItem",
                             "FilePrintSetupItem",
                             "SearchFindItem",
                             "SearchAgainItem",
                             "ViewLargeIconsItem",
                             "ViewSmallIconsItem",
                             "ViewListItem",
                             "ViewDetailsItem",
                             "Hidenonvocabularyfolders1",
                             "Makecurrentfoldernewbasefolder1",
                             "OptionsLanguageItem",
                             "optionsCharacterBarItem",
                             "TestSettingsItem",
                             "HelpContentsItem",
                             "HelpSearchItem",
                             "HelpHowToUseItem"})
        MainMenu->item(QString::fromLatin1(name))->setEnabled(false);
}

QCursor TMainForm::soundCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{1, 1}, {1, 17}, {5, 13}, {8, 19}, {10, 18}, {7, 12}, {12, 12}}));
    p.setBrush(Qt::darkBlue);
    p.drawPolygon(QPolygonF({{14, 20}, {17, 20}, {21, 16}, {21, 28}, {17, 24}, {14, 24}}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 18, 5, 8), -60 * 16, 120 * 16);
    p.drawArc(QRectF(20, 16, 8, 12), -60 * 16, 120 * 16);
    return QCursor(pixmap, 1, 1);
}

void TMainForm::FormCreate()
{
    CurrentUnitFile.clear();
    CurrentNativeLanguage = 0;
    CurrentForeignLanguage = 0;
    TableNeedsPacking = false;

    recoverSettingsStore();
    const QString programFolder = ProgramFolder();
    const MainSettings s = MainSettings::read(*Registry, programFolder);
    restorePlacement(s.windowState, s.left, s.top, s.width, s.height);
    unitPage->setTreeWidth(s.splitterPos);
    logbookPage->setTopPanelHeight(s.logBookSplitterPos);
    m_print = s.print;

    TLumoTreeView *tree = unitPage->LumoTreeView1;
    tree->setShowAll(false);
    tree->setRoot(s.treeViewRoot);
    tree->setShowAll(s.showAll);
    unitPage->NewBaseFolder->setDown(s.showAll);
    if (!s.showAll)
        tree->FullExpand();
    tree->SelectPath(s.currentPath);

    unitPage->LumoListView1->setDefaultNativeLanguage(s.defaultNativeLanguage);
    unitPage->LumoListView1->setDefaultForeignLanguage(s.defaultForeignLanguage);
    // Only a file that exists reaches the file list, which is what closing stores.
    ApplyLanguageFile(s.languageFile);

    inputPage->setSoundToolsShown(s.showSoundTools);
    // The grid hides its "Type" column while this button is down.
    inputPage->ShowTypeColBtn->setDown(s.showTypeColBtn);

    unitPage->LumoListView1->setViewStyle(s.viewStyle);
    unitPage->pressViewButton(unitPage->LumoListView1->viewStyle());

    PageControl->setCurrentWidget(unitPage);
    PageControlChange();

    LoadTestVariants();
    QComboBox *variants = testPage->TestVariants;
    variants->setCurrentIndex(s.testVariant < variants->count() ? s.testVariant : 0);
    TestVariantsChange();

    LumoTable1->setActive(false);
}

void TMainForm::recoverSettingsStore()
{
    // A damaged store must not keep the program from starting: it is kept aside, the user
    // is told once, and the defaults apply.
    const RegistryHive::Recovery recovery = Registry->RecoverCorruptStore();
    if (!recovery.corrupt)
        return;
    QString text = QStringLiteral("The settings file was damaged and could not be read.");
    if (recovery.replaced)
        text += QStringLiteral("\r\nIt has been kept as:\r\n") + recovery.movedTo +
                QStringLiteral("\r\nLumo starts with its default settings.");
    m_messages.show(MessageService::Kind::Warning, text, MessageService::Ok);
}

void TMainForm::restorePlacement(int state, int left, int top, int width, int height)
{
    move(left, top);
    resize(width, height);
    if (state == 2)
        setWindowState(Qt::WindowMaximized);
    else if (state == 1)
        setWindowState(Qt::WindowMinimized);
    else
        setWindowState(Qt::WindowNoState);
}

int TMainForm::storedWindowState() const
{
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}

void TMainForm::FormClose()
{
    MainSettings s;
    s.windowState = storedWindowState();
    s.left = x();
    s.top = y();
    s.width = width();
    s.height = height();
    s.splitterPos = unitPage->treeWidth();
    s.logBookSplitterPos = logbookPage->topPanelHeight();
    const TLumoListView *list = unitPage->LumoListView1;
    s.viewStyle = list->viewStyle();
    s.defaultNativeLanguage = list->defaultNativeLanguage();
    s.defaultForeignLanguage = list->defaultForeignLanguage();
    s.languageFile = list->languageFile();
    const TLumoTreeView *tree = unitPage->LumoTreeView1;
    s.treeViewRoot = tree->root();
    s.showAll = tree->showAll();
    s.currentPath = tree->currentPath();
    s.showSoundTools = inputPage->ShowSoundTools->down();
    s.showTypeColBtn = inputPage->ShowTypeColBtn->down();
    s.testVariant = testPage->TestVariants->currentIndex();
    s.print = m_print;
    s.write(*Registry);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // Closing cannot be refused; the settings are written once however often close is asked.
    if (!m_closed) {
        m_closed = true;
        try {
            FormClose();
        } catch (const std::exception &error) {
            ReportError(m_messages, error);
        }
    }
    event->accept();
}

void TMainForm::FormActivate()
{
    if (PageControl->currentWidget() == unitPage)
        unitPage->LumoTreeView1->setFocus();
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
    StatusLine->showMessage(hint);
}

void TMainForm::ApplyLanguageFile(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    unitPage->LumoTreeView1->setLanguageFile(fileName);
    unitPage->LumoListView1->setLanguageFile(fileName);
    LumoVocTest1->setLanguageFile(fileName);
    const IniFile ini(fileName);
    m_helpFile = ProgramFolder() + ini.readString(QStringLiteral("general"), QStringLiteral("HelpFile"),
                                                  QStringLiteral("English.hlp"));
    m_texts.apply(fileName, *this, *MainMenu, *PageControl);
}

void TMainForm::PageControlChange()
{
    // Which menus and commands belong to which page, and what entering a page prepares,
    // arrive with the page switching; entering the unit manager ends the work on a unit.
    if (PageControl->currentWidget() == unitPage && LumoTable1->active())
        LumoTable1->close();
}

void TMainForm::LoadTestVariants()
{
    QComboBox *variants = testPage->TestVariants;
    const QSignalBlocker quiet(variants);
    variants->clear();
    m_testVariants.load(ProgramFolder());
    variants->addItems(m_testVariants.descriptions());
}

void TMainForm::TestVariantsChange()
{
    // Which controls each kind of test shows arrives with the test page.
    const int index = testPage->TestVariants->currentIndex();
    if (index >= 0 && index < m_testVariants.count())
        LumoVocTest1->setTestFile(m_testVariants.paths().at(index));
}

void TMainForm::HelpAbout()
{
    TSplashScreen::showAbout(this);
}
