#include "units/ui/lumolistview.h"

TLumoListView::TLumoListView(QWidget *parent) : QListWidget(parent)
{
    setViewStyle(vsIcon);
}

void TLumoListView::setViewStyle(int style)
{
    m_viewStyle = style;
    if (style == vsIcon || style == vsSmallIcon)
        setViewMode(QListView::IconMode);
    else if (style == vsList || style == vsReport)
        setViewMode(QListView::ListMode);
    setIconSize(style == vsIcon ? QSize(32, 32) : QSize(16, 16));
}
