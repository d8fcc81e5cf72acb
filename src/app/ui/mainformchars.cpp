// The special-character bars of the input and the test page: their file, their language and
// the customize command.
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
    for (TCharGrid *bar : {m_inputPage->CharGrid1, m_testPage->CharGrid2}) {
        bar->setCharFileName(SpecialCharacterFileName());
        bar->setImages(m_smallFlags);
        bar->setPopupMenu(m_popups->CharGridPopup);
        bar->setMessageService(m_messages);
        connect(bar, &TCharGrid::helpRequested, this, [this](int context) { m_help->showTopic(context); });
    }
    connect(m_mainMenu->actions().optionsCharacterBarItem, &QAction::triggered, this,
            &TMainForm::PopupCustomizeItemClick);
    connect(m_popups->PopupCustomizeItem, &QAction::triggered, this, &TMainForm::PopupCustomizeItemClick);
    // Each bar shows the set of the unit's foreign language once its page is entered.
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this] {
        if (m_pageControl->currentWidget() == m_inputPage)
            m_inputPage->CharGrid1->setLanguage(m_unit.foreignLanguage);
        else if (m_pageControl->currentWidget() == m_testPage)
            m_testPage->CharGrid2->setLanguage(m_unit.foreignLanguage);
    });
}

void TMainForm::applyCharBarLanguageFile(const QString &fileName)
{
    m_inputPage->CharGrid1->setLanguageFile(fileName);
    m_testPage->CharGrid2->setLanguageFile(fileName);
}

void TMainForm::PopupCustomizeItemClick()
{
    if (m_pageControl->currentWidget() == m_inputPage)
        m_inputPage->CharGrid1->Customize();
    else if (m_pageControl->currentWidget() == m_testPage)
        m_testPage->CharGrid2->Customize();
    else
        return;
    // Both bars show the saved sets, which may now come from the user's own copy.
    for (TCharGrid *bar : {m_inputPage->CharGrid1, m_testPage->CharGrid2}) {
        bar->setCharFileName(SpecialCharacterFileName());
        bar->LoadCharacters();
    }
}
