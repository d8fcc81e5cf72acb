#pragma once

#include <QMenuBar>

class QAction;
class QMenu;

// The commands of the main menu by their component names.
struct MainMenuActions
{
    QAction *FileNewVocFile = nullptr;
    QAction *FileNewGapText = nullptr;
    QAction *FileNewFolder = nullptr;
    QAction *FilePropertiesItem = nullptr;
    QAction *FileConvertItem = nullptr;
    QAction *FileImportItem = nullptr;
    QAction *FileExportItem = nullptr;
    QAction *FilePrintItem = nullptr;
    QAction *FilePrintSetupItem = nullptr;
    QAction *FileExitItem = nullptr;
    QAction *EditUndoItem = nullptr;
    QAction *EditRedoItem = nullptr;
    QAction *EditCutItem = nullptr;
    QAction *EditCopyItem = nullptr;
    QAction *EditPasteItem = nullptr;
    QAction *SearchFindItem = nullptr;
    QAction *SearchAgainItem = nullptr;
    QAction *ViewLargeIconsItem = nullptr;
    QAction *ViewSmallIconsItem = nullptr;
    QAction *ViewListItem = nullptr;
    QAction *ViewDetailsItem = nullptr;
    QAction *Hidenonvocabularyfolders1 = nullptr;
    QAction *Makecurrentfoldernewbasefolder1 = nullptr;
    QAction *OptionsLanguageItem = nullptr;
    QAction *optionsCharacterBarItem = nullptr;
    QAction *TestSettingsItem = nullptr;
    QAction *HelpContentsItem = nullptr;
    QAction *HelpSearchItem = nullptr;
    QAction *HelpHowToUseItem = nullptr;
    QAction *HelpAboutItem = nullptr;
};

// The main menu: seven top-level menus addressed by index (File, Edit, Search, View,
// Options, Test, Help) and items addressed by their component names.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT

public:
    enum TopLevel { FileMenu = 0, EditMenu, SearchMenu, ViewMenu, OptionsMenu, TestMenu, HelpMenu };

    explicit MainMenuBar(QWidget *parent = nullptr);

    QMenu *topLevel(int index) const;
    // Shows or hides a top-level menu; a hidden one also leaves the bar.
    void showTopMenu(int index, bool shown);
    // Checks the View menu's item of a list style; a style outside 0 to 3 checks none.
    void checkViewStyle(int style);
    const MainMenuActions &actions() const { return m_actions; }
    // The item of that component name; nullptr when there is none.
    QAction *item(const QString &name) const;

private:
    void buildFile();
    void buildEditAndSearch();
    void buildView();
    void buildOptionsTestHelp();
    QMenu *addTopLevel(const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, QAction *&member, const QString &name, const QString &caption);

    QList<QMenu *> m_topLevel;
    MainMenuActions m_actions;
};
