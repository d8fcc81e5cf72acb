#include "units/ui/unitpage.h"

#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "widgets/obsplitter.h"
#include "widgets/toolbarpanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QVBoxLayout>

UnitPage::UnitPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UnitPage"));
    buildToolBar();

    // Tree, bar and list share a pane of their own, so that the bar's free area is that pane.
    auto *panes = new QWidget(this);
    panes->setObjectName(QStringLiteral("UnitPanes"));
    LumoTreeView1 = new TLumoTreeView(panes);
    LumoTreeView1->setObjectName(QStringLiteral("LumoTreeView1"));
    LumoTreeView1->setExtension(QStringLiteral("lif"));
    ObSplitter1 = new TObSplitter(panes, TObSplitter::soVertical);
    ObSplitter1->setObjectName(QStringLiteral("ObSplitter1"));
    LumoListView1 = new TLumoListView(panes);
    LumoListView1->setObjectName(QStringLiteral("LumoListView1"));
    ObSplitter1->setLeftTopControl(LumoTreeView1);
    ObSplitter1->setRightBottomControl(LumoListView1);
    auto *row = new QHBoxLayout(panes);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(LumoTreeView1);
    row->addWidget(ObSplitter1);
    row->addWidget(LumoListView1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(panes, 1);
    setTreeWidth(200);
}

void UnitPage::buildToolBar()
{
    using G = SpeedButton::Glyph;
    ToolBar1 = new ToolBarPanel(QStringLiteral("ToolBar1"), this);
    auto add = [this](const QString &name, G glyph) { return ToolBar1->addButton(name, glyph); };
    NewBaseFolder = add(QStringLiteral("NewBaseFolder"), G::ShowAll);
    NewBaseFolder->setCheckable(true);
    NewBaseFolder->setHint(QStringLiteral("Show All"));
    ToolBar1->addGap();
    NewFolder = add(QStringLiteral("NewFolder"), G::NewFolder);
    NewFolder->setHint(QStringLiteral("Create new folder"));
    NewFile = add(QStringLiteral("NewFile"), G::NewFile);
    DeleteFile = add(QStringLiteral("DeleteFile"), G::Delete);
    DeleteFile->setHint(QStringLiteral("Delete"));
    ToolBar1->addGap();
    IconSBtn = add(QStringLiteral("IconSBtn"), G::LargeIcons);
    SmallIconSBtn = add(QStringLiteral("SmallIconSBtn"), G::SmallIcons);
    ListSBtn = add(QStringLiteral("ListSBtn"), G::List);
    ReportSBtn = add(QStringLiteral("ReportSBtn"), G::Details);
    IconSBtn->setHint(QStringLiteral("Large Icons"));
    SmallIconSBtn->setHint(QStringLiteral("Small Icons"));
    ListSBtn->setHint(QStringLiteral("List"));
    ReportSBtn->setHint(QStringLiteral("Details"));
    m_viewButtons = new QButtonGroup(this);
    int id = 0;
    for (SpeedButton *b : {IconSBtn, SmallIconSBtn, ListSBtn, ReportSBtn}) {
        b->setCheckable(true);
        m_viewButtons->addButton(b, id++);
    }
    IconSBtn->setDown(true);
    connect(m_viewButtons, &QButtonGroup::idClicked, this, &UnitPage::viewStyleChosen);
    ToolBar1->addGap();
    PrintSBtn = add(QStringLiteral("PrintSBtn"), G::Print);
    ToolBar1->finish();
    // Commands that are not built yet stay visible but cannot be pressed.
    PrintSBtn->setEnabled(false);
}

int UnitPage::treeWidth() const
{
    return ObSplitter1->leftTopExtent();
}

void UnitPage::setTreeWidth(int width)
{
    ObSplitter1->setLeftTopExtent(width);
}

void UnitPage::pressViewButton(int style)
{
    QAbstractButton *b = m_viewButtons->button(style);
    if (b) {
        b->setChecked(true);
        return;
    }
    // No button matches: release them all.
    m_viewButtons->setExclusive(false);
    for (QAbstractButton *button : m_viewButtons->buttons())
        button->setChecked(false);
    m_viewButtons->setExclusive(true);
}
