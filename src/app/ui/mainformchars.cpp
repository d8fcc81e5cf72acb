// The special-character bars of the input and the test page: their flags and popup menu, and
// the customize command, which works on the bar of the page shown.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "platform/help/helpservice.h"
#include "vocfile/specialcharacterfile.h"
#include "voctest/ui/testpage.h"
#include "widgets/chargrid.h"

void TMainForm::connectCharBars()
{
    m_inputPage->setCharBarMenu(m_smallFlags, m_popups->CharGridPopup);
    TCharGrid *bar = m_testPage->CharGrid2;
    bar->setCharFileName(SpecialCharacterFileName());
    bar->setImages(m_smallFlags);
    bar->setPopupMenu(m_popups->CharGridPopup);
    bar->setMessageService(m_messages);
    connect(bar, &TCharGrid::helpRequested, this, [this](int context) { m_help->showTopic(context); });
    connect(m_mainMenu->actions().optionsCharacterBarItem, &QAction::triggered, this,
            &TMainForm::PopupCustomizeItemClick);
    connect(m_popups->PopupCustomizeItem, &QAction::triggered, this, &TMainForm::PopupCustomizeItemClick);
    // The bar shows the set of the unit's foreign language once its page is entered.
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] {
        if (m_pageControl->currentWidget() == m_testPage)
            m_testPage->CharGrid2->setLanguage(m_unit.foreignLanguage);
    });
}

void TMainForm::PopupCustomizeItemClick()
{
    if (m_pageControl->currentWidget() == m_inputPage)
        m_inputPage->customizeCharBar();
    else if (m_pageControl->currentWidget() == m_testPage)
        m_testPage->CharGrid2->Customize();
    else
        return;
    // Both bars show the saved sets, which may now come from the user's own copy.
    m_inputPage->reloadCharBar();
    m_testPage->CharGrid2->setCharFileName(SpecialCharacterFileName());
    m_testPage->CharGrid2->LoadCharacters();
}
