#include "app/ui/mainform.h"

#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "platform/errorboundary.h"
#include "units/ui/lumotreeview.h"
#include "units/ui/unitpage.h"
#include "widgets/speedbutton.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

// The folder tree's commands: the all-drives switch, the base folder, and creating,
// renaming and removing folders.
void TMainForm::connectFolderTree()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    TLumoTreeView *tree = m_unitPage->LumoTreeView1;
    tree->setMessageService(m_messages);
    tree->setBusyIndicator(m_waitCursor);
    tree->setImages(m_basicImageList);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint &at) {
        if (QTreeWidgetItem *node = tree->itemAt(at))
            tree->setCurrentItem(node);
        m_popups->TreeViewPopup->popup(tree->viewport()->mapToGlobal(at));
    });
    const auto guarded = [this](auto work) { return [this, work] { Guarded(m_messages, work); }; };
    connect(m_unitPage->NewBaseFolder, &QAbstractButton::clicked, this,
            [this](bool all) { Guarded(m_messages, [this, all] { showAllFolders(all); }); });
    QAction *hide = menu.Hidenonvocabularyfolders1;
    connect(hide, &QAction::triggered, this, guarded([this, hide] { showAllFolders(!hide->isChecked()); }));
    for (QAction *action : {menu.Makecurrentfoldernewbasefolder1, m_popups->PopupBaseFolder})
        connect(action, &QAction::triggered, this, guarded([this] { PopupBaseFolderClick(); }));
    for (QAction *action : {menu.FileNewFolder, m_popups->PopupNewFolder})
        connect(action, &QAction::triggered, this, guarded([tree] { tree->NewFolder(); }));
    connect(m_unitPage->NewFolder, &QAbstractButton::clicked, this, guarded([tree] { tree->NewFolder(); }));
    connect(m_popups->PopupRenameItem2, &QAction::triggered, this, [tree] {
        if (tree->currentItem())
            tree->editItem(tree->currentItem());
    });
    // The tree's popup deletes the folder; the tool button deletes what has the focus.
    connect(m_popups->PopupDeleteItem2, &QAction::triggered, this, guarded([tree] { tree->DeleteFolder(); }));
    connect(m_unitPage->DeleteFile, &QAbstractButton::clicked, this, guarded([tree] {
                if (tree->hasFocus())
                    tree->DeleteFolder();
            }));
}

void TMainForm::showAllFolders(bool all)
{
    TLumoTreeView *tree = m_unitPage->LumoTreeView1;
    m_unitPage->NewBaseFolder->setDown(all);
    m_mainMenu->actions().Hidenonvocabularyfolders1->setChecked(!all);
    tree->setShowAll(all);
    if (!all)
        tree->FullExpand();
}

void TMainForm::PopupBaseFolderClick()
{
    TLumoTreeView *tree = m_unitPage->LumoTreeView1;
    const QString path = tree->currentPath();
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    tree->setShowAll(false);
    tree->setRoot(path);
    tree->FullExpand();
    m_unitPage->NewBaseFolder->setDown(false);
    m_mainMenu->actions().Hidenonvocabularyfolders1->setChecked(true);
}
