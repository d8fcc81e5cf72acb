#pragma once

#include <QMenuBar>

class QAction;
class QMenu;

// The main menu: seven top-level menus addressed by index (File, Edit, Search, View,
// Options, Test, Help) and items addressed by their component names.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT

public:
    enum TopLevel { FileMenu = 0, EditMenu, SearchMenu, ViewMenu, OptionsMenu, TestMenu, HelpMenu };

    explicit MainMenuBar(QWidget *parent = nullptr);

    QMenu *topLevel(int index) const;
    // The item of that component name; nullptr when there is none.
    QAction *item(const QString &name) const;

private:
    void buildFile();
    void buildEditAndSearch();
    void buildView();
    void buildOptionsTestHelp();
    QMenu *addTopLevel(const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);

    QList<QMenu *> m_topLevel;
};
