// The commands of the menu bar, the popup menus and the page buttons that are not one page's
// own: each is connected to the page or command object that carries it out.
#include "app/ui/menucommands.h"

#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "app/ui/pagecontrol.h"
#include "exchange/ui/wordlistcommands.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/errorboundary.h"
#include "print/ui/printcommands.h"
#include "units/ui/lumolistview.h"
#include "units/ui/oldunitcommands.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/specialcharacterfile.h"
#include "vocfile/unitfiles.h"
#include "voctest/ui/testpage.h"
#include "widgets/chargrid.h"
#include "widgets/pageservices.h"
#include "widgets/speedbutton.h"

#include <QAction>

MenuCommands::MenuCommands(const MenuTargets &targets, const PageServices &services, QWidget *window)
    : QObject(window), m_menu(targets.menu), m_popups(targets.popups), m_pages(targets.pages),
      m_unitPage(targets.unitPage), m_testPage(targets.testPage), m_inputPage(targets.inputPage),
      m_logbookPage(targets.logbookPage), m_smallFlags(targets.smallFlags), m_services(services),
      m_window(window)
{
    connectUnitManager();
    connectOldUnits();
    connectWordExchange();
    connectPrinting();
    connectCharBars();
    connectInputPage();
}

void MenuCommands::connectUnitManager()
{
    const MainMenuActions &menu = m_menu.actions();
    UnitPage *page = &m_unitPage;
    page->setPopups(m_popups.TreeViewPopup, m_popups.ListViewPopup);
    connect(page, &UnitPage::viewStyleShown, &m_menu, &MainMenuBar::checkViewStyle);
    connect(page, &UnitPage::nonVocabularyFoldersHidden, menu.Hidenonvocabularyfolders1,
            &QAction::setChecked);
    for (QAction *action : {menu.FileNewVocFile, m_popups.PopupNewVocFile})
        connect(action, &QAction::triggered, page, &UnitPage::NewFileClick);
    for (QAction *action : {menu.FilePropertiesItem, m_popups.PopupPropertiesItem})
        connect(action, &QAction::triggered, page, &UnitPage::PropertiesClick);
    connect(m_popups.PopupRenameItem, &QAction::triggered, page, &UnitPage::RenameFileClick);
    connect(m_popups.PopupDeleteItem, &QAction::triggered, page, &UnitPage::DeleteFilesClick);
    const QList<QAction *> styles{menu.ViewLargeIconsItem, menu.ViewSmallIconsItem, menu.ViewListItem,
                                  menu.ViewDetailsItem};
    for (int style = 0; style < styles.size(); ++style)
        connect(styles.at(style), &QAction::triggered, page, [page, style] { page->setViewStyle(style); });
    // The folder tree's commands: the all-drives switch, the base folder, and creating,
    // renaming and removing folders.
    connect(menu.Hidenonvocabularyfolders1, &QAction::triggered, page, &UnitPage::hideNonVocabularyFolders);
    for (QAction *action : {menu.Makecurrentfoldernewbasefolder1, m_popups.PopupBaseFolder})
        connect(action, &QAction::triggered, page, &UnitPage::PopupBaseFolderClick);
    for (QAction *action : {menu.FileNewFolder, m_popups.PopupNewFolder})
        connect(action, &QAction::triggered, page, &UnitPage::NewFolderClick);
    connect(m_popups.PopupRenameItem2, &QAction::triggered, page, &UnitPage::RenameFolderClick);
    connect(m_popups.PopupDeleteItem2, &QAction::triggered, page, &UnitPage::DeleteFolderClick);
    connect(&m_logbookPage, &LogbookPage::mistakesSaved, page, &UnitPage::refreshList);
}

void MenuCommands::connectOldUnits()
{
    m_oldUnits = new OldUnitCommands(m_services, *m_unitPage.LumoListView1, m_window);
    connect(m_menu.actions().FileConvertItem, &QAction::triggered, m_oldUnits,
            &OldUnitCommands::FileConvertItemClick);
    connect(m_oldUnits, &OldUnitCommands::statusMessage, this, &MenuCommands::hint);
}

void MenuCommands::connectWordExchange()
{
    const MainMenuActions &menu = m_menu.actions();
    m_wordLists = new WordListCommands(m_services, m_unitPage, m_window);
    m_wordLists->setFlags(m_smallFlags);
    m_wordLists->setMenuItems(menu.FileImportItem, menu.FileExportItem);
    connect(menu.FileImportItem, &QAction::triggered, m_wordLists, &WordListCommands::FileImportItemClick);
    connect(menu.FileExportItem, &QAction::triggered, m_wordLists, &WordListCommands::FileExportItemClick);
    connect(m_wordLists, &WordListCommands::statusMessage, this, &MenuCommands::hint);
    // Like the conversion, word lists are a matter of the unit manager page.
    const auto enable = [this] { m_wordLists->enableFor(m_pages.currentWidget() == &m_unitPage); };
    connect(&m_pages, &QTabWidget::currentChanged, m_wordLists, enable);
    enable();
}

void MenuCommands::connectPrinting()
{
    auto *printing = m_printing = new PrintCommands(m_services.messages, m_window);
    printing->setHelp([this](int context) { m_services.showHelp(context); });
    const auto filePrint = [this, printing] {
        Guarded(m_services.messages, [&] {
            TLumoListView *list = m_unitPage.LumoListView1;
            // On the unit manager the selected unit, elsewhere the unit being worked on.
            QString unit = m_services.unit.descriptor;
            if (m_pages.currentWidget() == &m_unitPage) {
                const QString name = list->selectedCaption();
                unit = name.isEmpty() ? QString() : list->path() + name + UnitFiles::descriptorExtension();
            }
            printing->printUnit(m_services.table, unit, list->languageFile(), printing->settings());
        });
    };
    const MainMenuActions &menu = m_menu.actions();
    connect(menu.FilePrintItem, &QAction::triggered, this, filePrint);
    connect(m_unitPage.PrintSBtn, &QAbstractButton::clicked, this, filePrint);
    connect(m_inputPage.PrintSBtn2, &QAbstractButton::clicked, this, filePrint);
    connect(menu.FilePrintSetupItem, &QAction::triggered, this,
            [this, printing] { Guarded(m_services.messages, [&] { printing->printerSetup(); }); });
    for (SpeedButton *button : {m_unitPage.PrintSBtn, m_inputPage.PrintSBtn2})
        button->setEnabled(true);
}

void MenuCommands::connectCharBars()
{
    m_inputPage.setCharBarMenu(m_smallFlags, m_popups.CharGridPopup);
    TCharGrid *bar = m_testPage.CharGrid2;
    bar->setCharFileName(SpecialCharacterFileName());
    bar->setImages(m_smallFlags);
    bar->setPopupMenu(m_popups.CharGridPopup);
    bar->setMessageService(m_services.messages);
    connect(bar, &TCharGrid::helpRequested, this, [this](int context) { m_services.showHelp(context); });
    connect(m_menu.actions().optionsCharacterBarItem, &QAction::triggered, this,
            &MenuCommands::PopupCustomizeItemClick);
    connect(m_popups.PopupCustomizeItem, &QAction::triggered, this, &MenuCommands::PopupCustomizeItemClick);
    // The bar shows the set of the unit's foreign language once its page is entered.
    connect(&m_pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages.currentWidget() == &m_testPage)
            m_testPage.CharGrid2->setLanguage(m_services.unit.foreignLanguage);
    });
}

void MenuCommands::PopupCustomizeItemClick()
{
    if (m_pages.currentWidget() == &m_inputPage)
        m_inputPage.customizeCharBar();
    else if (m_pages.currentWidget() == &m_testPage)
        m_testPage.CharGrid2->Customize();
    else
        return;
    // Both bars show the saved sets, which may now come from the user's own copy.
    m_inputPage.reloadCharBar();
    m_testPage.CharGrid2->setCharFileName(SpecialCharacterFileName());
    m_testPage.CharGrid2->LoadCharacters();
}

void MenuCommands::connectInputPage()
{
    const MainMenuActions &menu = m_menu.actions();
    InputPage *page = &m_inputPage;
    page->isActivePage = [this] { return m_pages.currentWidget() == &m_inputPage; };
    connect(menu.SearchFindItem, &QAction::triggered, page, &InputPage::FindBtnClick);
    connect(menu.SearchAgainItem, &QAction::triggered, page, &InputPage::SearchAgainItemClick);
    connect(page, &InputPage::searchEnabled, menu.SearchFindItem, &QAction::setEnabled);
    connect(menu.EditUndoItem, &QAction::triggered, page, &InputPage::EditUndoClick);
    connect(menu.EditRedoItem, &QAction::triggered, page, &InputPage::EditRedoClick);
    connect(menu.EditCutItem, &QAction::triggered, page, &InputPage::EditCutClick);
    connect(menu.EditCopyItem, &QAction::triggered, page, &InputPage::EditCopyClick);
    connect(menu.EditPasteItem, &QAction::triggered, page, &InputPage::EditPasteClick);
    for (QAction *item :
         {menu.EditUndoItem, menu.EditRedoItem, menu.EditCutItem, menu.EditCopyItem, menu.EditPasteItem})
        connect(page, &InputPage::editEnabled, item, &QAction::setEnabled);
    connect(page, &InputPage::statusMessage, this, &MenuCommands::statusNow);
}
