// Find and sort on the input page: "&Find..." with its tool-bar button, "&Search Again", and
// the three order buttons.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "vocfile/lumotable.h"
#include "widgets/speedbutton.h"

#include <QAction>

namespace {
// The word orders follow the columns as they stand on the screen: after the user dragged the
// foreign words to the left, the left button sorts by them.
QString wordFieldAt(const TLumoDBGrid &grid, int place)
{
    const QString foreign = QStringLiteral("ForeignLanguage");
    return grid.fieldAtPlace(place) == foreign ? foreign : QStringLiteral("NativeLanguage");
}
} // namespace

void TMainForm::connectFind()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.SearchFindItem, &QAction::triggered, this, &TMainForm::FindBtnClick);
    connect(m_inputPage->FindBtn, &QAbstractButton::clicked, this, &TMainForm::FindBtnClick);
    connect(menu.SearchAgainItem, &QAction::triggered, this, &TMainForm::SearchAgainItemClick);
    connect(m_inputPage->SortNotBtn, &QAbstractButton::clicked, this, &TMainForm::SortNotBtnClick);
    connect(m_inputPage->SortLeftBtn, &QAbstractButton::clicked, this, &TMainForm::SortLeftBtnClick);
    connect(m_inputPage->SortRightBtn, &QAbstractButton::clicked, this, &TMainForm::SortRightBtnClick);
    for (SpeedButton *button : {m_inputPage->SortLeftBtn, m_inputPage->SortRightBtn, m_inputPage->FindBtn})
        button->setEnabled(true);
}

void TMainForm::FindBtnClick()
{
    // The shortcuts reach the window on every page; the grid is searched on its own only.
    if (m_pageControl->currentWidget() == m_inputPage)
        m_inputPage->LumoDBGrid1->Find();
}

void TMainForm::SearchAgainItemClick()
{
    if (m_pageControl->currentWidget() == m_inputPage)
        m_inputPage->LumoDBGrid1->FindAgain();
}

void TMainForm::SortNotBtnClick()
{
    setTableOrder(QStringLiteral("Count"));
}

void TMainForm::SortLeftBtnClick()
{
    setTableOrder(wordFieldAt(*m_inputPage->LumoDBGrid1, 0));
}

void TMainForm::SortRightBtnClick()
{
    setTableOrder(wordFieldAt(*m_inputPage->LumoDBGrid1, 1));
}

void TMainForm::setTableOrder(const QString &field)
{
    TLumoDBGrid *grid = m_inputPage->LumoDBGrid1;
    // A word being typed is stored in the order it was typed in.
    if (!m_lumoTable1->active() || !grid->commitEditor())
        return;
    Guarded(m_messages, [&] { m_lumoTable1->setIndexField(field); });
}
