#include "input/ui/inputfindsort.h"

#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "vocfile/lumotable.h"
#include "widgets/pageservices.h"
#include "widgets/speedbutton.h"

namespace {
// The word orders follow the columns as they stand on the screen: after the user dragged the
// foreign words to the left, the left button sorts by them.
QString wordFieldAt(const TLumoDBGrid &grid, int place)
{
    const QString foreign = QStringLiteral("ForeignLanguage");
    return grid.fieldAtPlace(place) == foreign ? foreign : QStringLiteral("NativeLanguage");
}
} // namespace

InputFindSort::InputFindSort(InputPage &page, const PageServices &services)
    : QObject(&page), m_page(page), m_services(services)
{
    connect(page.FindBtn, &QAbstractButton::clicked, this, &InputFindSort::FindBtnClick);
    connect(page.SortNotBtn, &QAbstractButton::clicked, this, &InputFindSort::SortNotBtnClick);
    connect(page.SortLeftBtn, &QAbstractButton::clicked, this, &InputFindSort::SortLeftBtnClick);
    connect(page.SortRightBtn, &QAbstractButton::clicked, this, &InputFindSort::SortRightBtnClick);
    for (SpeedButton *button : {page.SortLeftBtn, page.SortRightBtn, page.FindBtn})
        button->setEnabled(true);
}

void InputFindSort::FindBtnClick()
{
    // The shortcuts reach the window on every page; the grid is searched on its own only.
    if (m_page.isActivePage())
        m_page.LumoDBGrid1->Find();
}

void InputFindSort::SearchAgainItemClick()
{
    if (m_page.isActivePage())
        m_page.LumoDBGrid1->FindAgain();
}

void InputFindSort::SortNotBtnClick()
{
    setTableOrder(QStringLiteral("Count"));
}

void InputFindSort::SortLeftBtnClick()
{
    setTableOrder(wordFieldAt(*m_page.LumoDBGrid1, 0));
}

void InputFindSort::SortRightBtnClick()
{
    setTableOrder(wordFieldAt(*m_page.LumoDBGrid1, 1));
}

void InputFindSort::setTableOrder(const QString &field)
{
    TLumoTable &table = m_services.table;
    // A word being typed is stored in the order it was typed in.
    if (!table.active() || !m_page.LumoDBGrid1->commitEditor())
        return;
    Guarded(m_services.messages, [&] { table.setIndexField(field); });
}
