#pragma once

#include <QObject>

class InputPage;
struct PageServices;

// Find and sort on the input page: "&Find..." with its tool-bar button, "&Search Again", and
// the three order buttons.
class InputFindSort : public QObject
{
public:
    InputFindSort(InputPage &page, const PageServices &services);

    void FindBtnClick();
    void SearchAgainItemClick();
    void SortNotBtnClick();
    void SortLeftBtnClick();
    void SortRightBtnClick();

private:
    void setTableOrder(const QString &field);

    InputPage &m_page;
    const PageServices &m_services;
};
