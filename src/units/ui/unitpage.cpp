#include "units/ui/unitpage.h"

#include "platform/errorboundary.h"
#include "platform/ini/settingslist.h"
#include "platform/messageservice.h"
#include "platform/programfolder.h"
#include "units/defaultunitroot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/lumotreeview.h"
#include "vocfile/unitfiles.h"
#include "widgets/obsplitter.h"
#include "widgets/pageservices.h"
#include "widgets/toolbarpanel.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

UnitPage::UnitPage(const PageServices &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("UnitPage"));
    buildToolBar();

    // Tree, bar and list share a pane of their own, so that the bar's free area is that pane.
    auto *panes = new QWidget(this);
    panes->setObjectName(QStringLiteral("UnitPanes"));
    LumoTreeView1 = new TLumoTreeView(services.messages, services.busy, panes);
    LumoTreeView1->setObjectName(QStringLiteral("LumoTreeView1"));
    LumoTreeView1->setExtension(UnitFiles::descriptorSuffix());
    ObSplitter1 = new TObSplitter(panes, TObSplitter::soVertical);
    ObSplitter1->setObjectName(QStringLiteral("ObSplitter1"));
    LumoListView1 = new TLumoListView(services.messages, services.busy, panes);
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
    connectCommands();
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

template <typename Work> void UnitPage::guarded(Work &&work)
{
    Guarded(m_services.messages, std::forward<Work>(work));
}

void UnitPage::connectCommands()
{
    TLumoListView *list = LumoListView1;
    TLumoTreeView *tree = LumoTreeView1;
    connect(list, &TLumoListView::Click, this, &UnitPage::LumoListView1Click);
    connect(tree, &QTreeWidget::itemClicked, this, &UnitPage::LumoListView1Click);
    connect(list, &TLumoListView::DblClick, this, &UnitPage::unitOpened);
    connect(list, &TLumoListView::helpRequested, this, [this](int context) { m_services.showHelp(context); });
    connect(NewFile, &QAbstractButton::clicked, this, &UnitPage::NewFileClick);
    connect(DeleteFile, &QAbstractButton::clicked, this, &UnitPage::DeleteFileClick);
    connect(this, &UnitPage::viewStyleChosen, this, &UnitPage::setViewStyle);
    connect(tree, &TLumoTreeView::PathChange, list, &TLumoListView::setPath);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint &at) {
        if (QTreeWidgetItem *node = tree->itemAt(at))
            tree->setCurrentItem(node);
        if (m_treePopup)
            m_treePopup->popup(tree->viewport()->mapToGlobal(at));
    });
    connect(NewBaseFolder, &QAbstractButton::clicked, this,
            [this](bool all) { guarded([this, all] { showAllFolders(all); }); });
    connect(NewFolder, &QAbstractButton::clicked, this, &UnitPage::NewFolderClick);
}

void UnitPage::setImages(const TImageList *largeFlags, const TImageList *smallFlags,
                         const TImageList *folders)
{
    LumoListView1->setImages(largeFlags, smallFlags);
    LumoTreeView1->setImages(folders);
}

void UnitPage::setPopups(QMenu *treePopup, QMenu *listPopup)
{
    m_treePopup = treePopup;
    LumoListView1->setPopupMenu(listPopup);
}

void UnitPage::NewFileClick()
{
    guarded([this] { LumoListView1->NewFile(); });
}

void UnitPage::PropertiesClick()
{
    guarded([this] { LumoListView1->ShowProperties(); });
}

void UnitPage::RenameFileClick()
{
    LumoListView1->RenameSelected();
}

void UnitPage::DeleteFilesClick()
{
    guarded([this] { LumoListView1->DeleteSelectedFiles(); });
}

void UnitPage::DeleteFileClick()
{
    guarded([this] {
        if (LumoListView1->currentView()->hasFocus())
            LumoListView1->DeleteSelectedFiles();
    });
    guarded([this] {
        if (LumoTreeView1->hasFocus())
            LumoTreeView1->DeleteFolder();
    });
}

void UnitPage::NewFolderClick()
{
    guarded([this] { LumoTreeView1->NewFolder(); });
}

void UnitPage::RenameFolderClick()
{
    if (LumoTreeView1->currentItem())
        LumoTreeView1->editItem(LumoTreeView1->currentItem());
}

void UnitPage::DeleteFolderClick()
{
    guarded([this] { LumoTreeView1->DeleteFolder(); });
}

void UnitPage::showAllFolders(bool all)
{
    NewBaseFolder->setDown(all);
    emit nonVocabularyFoldersHidden(!all);
    LumoTreeView1->setShowAll(all);
    if (!all)
        LumoTreeView1->FullExpand();
}

void UnitPage::hideNonVocabularyFolders(bool hidden)
{
    guarded([this, hidden] { showAllFolders(!hidden); });
}

void UnitPage::PopupBaseFolderClick()
{
    guarded([this] {
        TLumoTreeView *tree = LumoTreeView1;
        const QString path = tree->currentPath();
        if (path.isEmpty() || !QFileInfo(path).isDir())
            return;
        tree->setShowAll(false);
        tree->setRoot(path);
        tree->FullExpand();
        NewBaseFolder->setDown(false);
        emit nonVocabularyFoldersHidden(true);
    });
}

void UnitPage::setViewStyle(int style)
{
    pressViewButton(style);
    emit viewStyleShown(style);
    LumoListView1->setViewStyle(style);
}

void UnitPage::LumoListView1Click()
{
    emit unitCaptionChanged(LumoListView1->selectedCaption());
}

void UnitPage::refreshList()
{
    TLumoListView *list = LumoListView1;
    const QString selected = list->selectedCaption();
    guarded([&] {
        list->setPath(list->path());
        if (!selected.isEmpty())
            list->selectCaption(selected);
    });
}

QString UnitPage::folderPath() const
{
    return LumoListView1->path();
}

QString UnitPage::selectedUnit() const
{
    return LumoListView1->selectedCaption();
}

int UnitPage::defaultNativeLanguage() const
{
    return LumoListView1->defaultNativeLanguage();
}

int UnitPage::defaultForeignLanguage() const
{
    return LumoListView1->defaultForeignLanguage();
}

void UnitPage::showUnit(const QString &caption)
{
    LumoListView1->FillList();
    LumoListView1->selectCaption(caption);
}

void UnitPage::declareSettings(SettingsList &s)
{
    using namespace SettingOrder;
    TLumoTreeView *tree = LumoTreeView1;
    TLumoListView *list = LumoListView1;
    s.addInteger(
        QStringLiteral("SplitterPos"), 200, {ReadSplitterPos, WriteSplitterPos},
        [this] { return treeWidth(); }, [this](int width) { setTreeWidth(width); });
    // Both defaults come from the default root, not from the stored one.
    const QString unitRoot = DefaultUnitRoot(CurrentProgramFiles());
    s.addText(
        QStringLiteral("TreeViewRoot"), unitRoot, {ReadTreeViewRoot, WriteTreeViewRoot},
        [tree] { return tree->root(); },
        [tree](const QString &root) {
            tree->setShowAll(false);
            tree->setRoot(root);
        });
    s.addBoolean(
        QStringLiteral("ShowAll"), false, {ReadShowAll, WriteShowAll}, [tree] { return tree->showAll(); },
        [this](bool all) { showAllFolders(all); });
    s.addText(
        QStringLiteral("CurrentPath"), unitRoot + QStringLiteral("Other/"),
        {ReadCurrentPath, WriteCurrentPath}, [tree] { return tree->currentPath(); },
        [tree](const QString &path) { tree->SelectPath(path); });
    s.addInteger(
        QStringLiteral("DefaultNativeLanguage"), 0, {ReadDefaultNativeLanguage, WriteDefaultNativeLanguage},
        [list] { return list->defaultNativeLanguage(); },
        [list](int language) { list->setDefaultNativeLanguage(language); });
    s.addInteger(
        QStringLiteral("DefaultForeignLanguage"), 0,
        {ReadDefaultForeignLanguage, WriteDefaultForeignLanguage},
        [list] { return list->defaultForeignLanguage(); },
        [list](int language) { list->setDefaultForeignLanguage(language); });
    s.addInteger(
        QStringLiteral("ViewStyle"), 0, {ReadViewStyle, WriteViewStyle}, [list] { return list->viewStyle(); },
        [this](int style) { setViewStyle(style); });
}

std::optional<OpenUnit> UnitPage::chosenUnit()
{
    OpenUnit unit;
    unit.caption = LumoListView1->selectedCaption();
    if (unit.caption.isEmpty()) {
        m_services.messages.plain(m_services.keptText(QStringLiteral("MsgNoVocFileSelected")));
        return std::nullopt;
    }
    // The descriptor as it is spelt on disk; a unit whose files clash stays closed.
    unit.descriptor = LumoListView1->selectedDescriptor();
    if (unit.descriptor.isEmpty())
        return std::nullopt;
    const TLumoFileHeader info = LumoListView1->GetUnitInfo();
    unit.nativeLanguage = info.firstLanguage;
    unit.foreignLanguage = info.secondLanguage;
    return unit;
}

void UnitPage::setLanguageFile(const QString &fileName)
{
    LumoTreeView1->setLanguageFile(fileName);
    LumoListView1->setLanguageFile(fileName);
}

void UnitPage::focusTree()
{
    LumoTreeView1->setFocus();
}
