#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The popup menus of the main window, with their items by component name.
class MainPopups : public QObject
{
    Q_OBJECT

public:
    explicit MainPopups(QWidget *window);

    QMenu *TreeViewPopup = nullptr;
    QAction *PopupBaseFolder = nullptr;
    QAction *PopupNewFolder = nullptr;
    QAction *PopupDeleteItem2 = nullptr;
    QAction *PopupRenameItem2 = nullptr;

    QMenu *ListViewPopup = nullptr;
    QMenu *PopupNewItem = nullptr;
    QAction *PopupNewVocFile = nullptr;
    QAction *PopupNewGapText = nullptr;
    QAction *PopupDeleteItem = nullptr;
    QAction *PopupRenameItem = nullptr;
    QAction *PopupPropertiesItem = nullptr;

    QMenu *CharGridPopup = nullptr;
    QAction *PopupCustomizeItem = nullptr;
};
