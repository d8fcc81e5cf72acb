#include "app/ui/mainpopups.h"

#include <QMenu>
#include <QWidget>

namespace {
QMenu *menu(QWidget *window, const char *name)
{
    auto *m = new QMenu(window);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction *item(QMenu *menu, const char *name, const char *caption)
{
    QAction *action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

MainPopups::MainPopups(QWidget *window) : QObject(window)
{
    setObjectName(QStringLiteral("MainPopups"));
    TreeViewPopup = menu(window, "TreeViewPopup");
    PopupBaseFolder = item(TreeViewPopup, "PopupBaseFolder", "&Set as base folder");
    PopupNewFolder = item(TreeViewPopup, "PopupNewFolder", "&New Folder");
    PopupDeleteItem2 = item(TreeViewPopup, "PopupDeleteItem2", "&Delete");
    PopupRenameItem2 = item(TreeViewPopup, "PopupRenameItem2", "Rena&me");

    ListViewPopup = menu(window, "ListViewPopup");
    PopupNewItem = ListViewPopup->addMenu(QStringLiteral("&New"));
    PopupNewItem->setObjectName(QStringLiteral("PopupNewItemMenu"));
    PopupNewItem->menuAction()->setObjectName(QStringLiteral("PopupNewItem"));
    PopupNewVocFile = item(PopupNewItem, "PopupNewVocFile", "&Vokabulary File");
    PopupNewGapText = item(PopupNewItem, "PopupNewGapText", "&GapText");
    PopupNewGapText->setEnabled(false);
    PopupDeleteItem = item(ListViewPopup, "PopupDeleteItem", "&Delete");
    PopupRenameItem = item(ListViewPopup, "PopupRenameItem", "Rena&me");
    PopupPropertiesItem = item(ListViewPopup, "PopupPropertiesItem", "P&roperties");

    CharGridPopup = menu(window, "CharGridPopup");
    PopupCustomizeItem = item(CharGridPopup, "PopupCustomizeItem", "&Customize...");
}
