#pragma once

#include "widgets/pageservices.h"

#include "exchange/ui/wordlistcommands.h"

#include <QWidget>
#include <optional>

class QButtonGroup;
class QMenu;
class SettingsList;
class TImageList;
class TObSplitter;
class SpeedButton;
class ToolBarPanel;
class TLumoListView;
class TLumoTreeView;
struct PageServices;

// The "Unit Manager" page: tool bar, folder tree and file list side by side, with the
// commands on folders and units. The window's menu items call the public commands; the page
// tells the window by signals which of them to check.
class UnitPage : public QWidget, public WordListFolder
{
    Q_OBJECT

public:
    explicit UnitPage(const PageServices &services, QWidget *parent = nullptr);

    // Width of the folder tree, as the splitter shows it.
    int treeWidth() const;
    void setTreeWidth(int width);
    // Presses the view button of a view style (0 to 3); any other value presses none.
    void pressViewButton(int style);
    // The flags of the file list and the nine pictures of the folder tree.
    void setImages(const TImageList *largeFlags, const TImageList *smallFlags, const TImageList *folders);
    void setPopups(QMenu *treePopup, QMenu *listPopup);
    // The page's settings at their places among the program's.
    void declareSettings(SettingsList &settings);
    // The texts of the tree and the file list.
    void setLanguageFile(const QString &fileName);
    // The tree takes the focus when the window is activated on this page.
    void focusTree();
    // The unit selected in the file list, to work on when the page is left; none (and the
    // user told why, where there is something to tell) keeps the page.
    std::optional<OpenUnit> chosenUnit();
    // The unit named when the program was started: its folder in the file list with the unit
    // selected. Throws LumoError for a missing file, a folder or a file of another kind.
    void SelectUnit(const QString &descriptor);

    // The commands on units.
    void NewFileClick();
    void PropertiesClick();
    void RenameFileClick();
    void DeleteFilesClick();
    // The tool button deletes what has the focus: the selected units or the folder.
    void DeleteFileClick();
    // The commands on folders.
    void NewFolderClick();
    void RenameFolderClick();
    void DeleteFolderClick();
    void showAllFolders(bool all);
    void hideNonVocabularyFolders(bool hidden);
    // Makes the selected folder the base folder of the tree.
    void PopupBaseFolderClick();
    // 0 large icons, 1 small icons, 2 list, 3 details; any other value checks none.
    void setViewStyle(int style);
    // Says which unit is selected, for the window's caption.
    void LumoListView1Click();
    // Lists the folder anew; the selected unit stays selected.
    void refreshList();

    // The folder word lists go to and come from.
    QString folderPath() const override;
    QString selectedUnit() const override;
    int defaultNativeLanguage() const override;
    int defaultForeignLanguage() const override;
    void showUnit(const QString &caption) override;

    ToolBarPanel *ToolBar1 = nullptr;
    SpeedButton *NewBaseFolder = nullptr;
    SpeedButton *NewFolder = nullptr;
    SpeedButton *NewFile = nullptr;
    SpeedButton *DeleteFile = nullptr;
    SpeedButton *IconSBtn = nullptr;
    SpeedButton *SmallIconSBtn = nullptr;
    SpeedButton *ListSBtn = nullptr;
    SpeedButton *ReportSBtn = nullptr;
    SpeedButton *PrintSBtn = nullptr;
    TLumoTreeView *LumoTreeView1 = nullptr;
    TObSplitter *ObSplitter1 = nullptr;
    TLumoListView *LumoListView1 = nullptr;

signals:
    // One of the four view buttons was pressed.
    void viewStyleChosen(int style);
    // The view style now shown, for the View menu.
    void viewStyleShown(int style);
    // Whether the tree now hides the folders without units, for the View menu.
    void nonVocabularyFoldersHidden(bool hidden);
    // The selected unit's name; empty when none is selected.
    void unitCaptionChanged(const QString &caption);
    // A unit was double-clicked: the user wants to work on it.
    void unitOpened();

private:
    void buildToolBar();
    void connectCommands();
    // Runs a command; its errors reach the error report.
    template <typename Work> void guarded(Work &&work);

    const PageServices &m_services;
    QButtonGroup *m_viewButtons = nullptr;
    QMenu *m_treePopup = nullptr;
};
