// Page switching: what must hold before a page is left and what is prepared when one is
// entered. Only one unit, the one chosen in the unit manager, is worked on at a time.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfiles.h"
#include "voctest/ui/testpage.h"

#include <QAction>

namespace {
enum HelpContexts { UnitPageHelp = 170, TestPageHelp = 275, InputPageHelp = 340 };
} // namespace

bool TMainForm::PageControlChanging()
{
    const BusyScope busy(m_waitCursor);
    QWidget *leaving = m_pageControl->currentWidget();
    if (leaving == m_inputPage)
        m_inputPage->leave();
    if (leaving == m_unitPage) {
        const std::optional<OpenUnit> chosen = m_unitPage->chosenUnit();
        if (!chosen)
            return false;
        m_unit = *chosen;
        setWindowTitle(QStringLiteral("Lumo '96 - ") + m_unit.caption);
    } else if (leaving == m_testPage && !m_testPage->stopTestAsked()) {
        return false;
    }
    return true;
}

void TMainForm::PageControlChange()
{
    const BusyScope busy(m_waitCursor);
    const MainMenuActions &menu = m_mainMenu->actions();
    for (int hidden :
         {MainMenuBar::EditMenu, MainMenuBar::SearchMenu, MainMenuBar::ViewMenu, MainMenuBar::TestMenu})
        m_mainMenu->showTopMenu(hidden, false);
    menu.optionsCharacterBarItem->setEnabled(false);
    menu.FileConvertItem->setEnabled(false);
    m_inputPage->enableEdit(false);
    // Renaming the unit whose table is open would leave the table, its journal and the
    // logbook writing under the old name.
    menu.FilePropertiesItem->setEnabled(false);
    // An error of the table reaches the error report; the page has changed all the same and
    // the rest of its preparation is skipped.
    QWidget *page = m_pageControl->currentWidget();
    Guarded(m_messages, [&] {
        if (page == m_inputPage)
            enterInputPage();
        else if (page == m_testPage)
            enterTestPage();
        else if (page == m_unitPage)
            enterUnitPage();
        else if (page == m_logbookPage)
            enterLogbookPage();
    });
}

void TMainForm::enterInputPage()
{
    m_pageControl->setHelpContext(InputPageHelp);
    m_mainMenu->showTopMenu(MainMenuBar::EditMenu, true);
    m_mainMenu->showTopMenu(MainMenuBar::SearchMenu, true);
    m_mainMenu->actions().optionsCharacterBarItem->setEnabled(true);
    m_inputPage->enter([this] { openUnitTable(false); });
}

void TMainForm::enterTestPage()
{
    m_pageControl->setHelpContext(TestPageHelp);
    m_mainMenu->showTopMenu(MainMenuBar::TestMenu, true);
    m_mainMenu->actions().optionsCharacterBarItem->setEnabled(true);
    openUnitTable(false);
    m_testPage->enterPage(m_unit);
}

void TMainForm::enterUnitPage()
{
    m_pageControl->setHelpContext(UnitPageHelp);
    m_mainMenu->showTopMenu(MainMenuBar::ViewMenu, true);
    m_mainMenu->actions().FileConvertItem->setEnabled(true);
    m_mainMenu->actions().FilePropertiesItem->setEnabled(true);
    if (m_lumoTable1->state() == SqliteTable::State::Edit ||
        m_lumoTable1->state() == SqliteTable::State::Insert)
        m_lumoTable1->post();
    if (m_lumoTable1->active())
        m_lumoTable1->close();
    // The steps belong to the unit just closed.
    m_inputPage->forgetEntrySteps();
}

void TMainForm::openUnitTable(bool filtered)
{
    if (!m_lumoTable1->active()) {
        m_lumoTable1->setVocabularyFile(UnitFiles::tablePathOf(m_unit.descriptor));
        m_lumoTable1->openChecked();
    }
    m_lumoTable1->setFiltered(filtered);
}

void TMainForm::enterLogbookPage()
{
    m_pageControl->setHelpContext(LogbookPage::HelpContext);
    openUnitTable(true);
    m_logbookPage->enterPage();
}

void TMainForm::showUnitCaption(const QString &caption)
{
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Lumo '96") : QStringLiteral("Lumo '96 - ") + caption);
}

void TMainForm::LumoListView1DblClick()
{
    // The same steps as a click on the page's tab, so that everything entering the page
    // prepares (the character bar, speech, the menus) runs here too.
    if (m_pageControl->currentWidget() == m_unitPage)
        m_pageControl->requestPage(m_pageControl->indexOf(m_inputPage));
}
