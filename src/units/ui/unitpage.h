#pragma once

#include <QWidget>

class QButtonGroup;
class TObSplitter;
class SpeedButton;
class ToolBarPanel;
class TLumoListView;
class TLumoTreeView;

// The "Unit Manager" page: tool bar, folder tree and file list side by side.
class UnitPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnitPage(QWidget *parent = nullptr);

    // Width of the folder tree, as the splitter shows it.
    int treeWidth() const;
    void setTreeWidth(int width);
    // Presses the view button of a view style (0 to 3); any other value presses none.
    void pressViewButton(int style);

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

private:
    void buildToolBar();
    QButtonGroup *m_viewButtons = nullptr;
};
