// The shell's commands that act on files: converting old units, word lists and choosing the
// UI language.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "exchange/ui/wordlistcommands.h"
#include "platform/help/helpservice.h"
#include "platform/programfolder.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/oldunitcommands.h"
#include "units/ui/unitpage.h"

#include <QAction>

void TMainForm::connectShellCommands()
{
    m_languageDlg = new TLanguageDlg(this);
    connect(m_languageDlg, &TLanguageDlg::helpRequested, this,
            [this](int context) { m_help->showTopic(context); });
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.OptionsLanguageItem, &QAction::triggered, this, &TMainForm::OptionsLanguageItemClick);
    m_oldUnits = new OldUnitCommands(*m_services, *m_unitPage->LumoListView1, this);
    connect(menu.FileConvertItem, &QAction::triggered, m_oldUnits, &OldUnitCommands::FileConvertItemClick);
    connect(m_oldUnits, &OldUnitCommands::statusMessage, this, &TMainForm::ShowHint);
}

void TMainForm::connectWordExchange()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    m_wordLists = new WordListCommands(*m_services, *m_unitPage, this);
    m_wordLists->setFlags(m_smallFlags);
    m_wordLists->setMenuItems(menu.FileImportItem, menu.FileExportItem);
    connect(menu.FileImportItem, &QAction::triggered, m_wordLists, &WordListCommands::FileImportItemClick);
    connect(menu.FileExportItem, &QAction::triggered, m_wordLists, &WordListCommands::FileExportItemClick);
    connect(m_wordLists, &WordListCommands::statusMessage, this, &TMainForm::ShowHint);
    // Like the conversion, word lists are a matter of the unit manager page.
    const auto enable = [this] { m_wordLists->enableFor(m_pageControl->currentWidget() == m_unitPage); };
    connect(m_pageControl, &QTabWidget::currentChanged, m_wordLists, enable);
    enable();
}

void TMainForm::OptionsLanguageItemClick()
{
    m_languageDlg->setExtension(QStringLiteral("llf"));
    m_languageDlg->setPath(ProgramFolder());
    m_languageDlg->setLanguageFile(m_unitPage->LumoListView1->languageFile());
    if (m_languageDlg->Execute(this))
        ApplyLanguageFile(m_languageDlg->languageFile());
}
