#pragma once

#include <QObject>

class InputPage;
class LogbookPage;
class MainMenuBar;
class MainPopups;
class OldUnitCommands;
class PrintCommands;
class QWidget;
class TImageList;
class TPageControl;
class TestPage;
class UnitPage;
class WordListCommands;
struct PageServices;

// What the commands act on: the window's menus and pages.
struct MenuTargets
{
    MainMenuBar &menu;
    MainPopups &popups;
    TPageControl &pages;
    UnitPage &unitPage;
    TestPage &testPage;
    InputPage &inputPage;
    LogbookPage &logbookPage;
    TImageList *smallFlags;
};

// Connects the items of the menu bar and the popup menus, and the page buttons shared by
// several pages, to the page or the command object that carries each out. Owns the command
// objects of printing, word lists and old units.
class MenuCommands : public QObject
{
    Q_OBJECT

public:
    MenuCommands(const MenuTargets &targets, const PageServices &services, QWidget *window);

    WordListCommands *wordLists() const { return m_wordLists; }
    OldUnitCommands *oldUnits() const { return m_oldUnits; }
    PrintCommands *printing() const { return m_printing; }

    // Customizes the character bar of the page shown, then reloads both bars.
    void PopupCustomizeItemClick();

signals:
    // A hint for the status line.
    void hint(const QString &text);
    // A text for the status line that must show before the work goes on; empty clears it.
    void statusNow(const QString &text);

private:
    void connectUnitManager();
    void connectOldUnits();
    void connectWordExchange();
    void connectPrinting();
    void connectCharBars();
    void connectInputPage();

    MainMenuBar &m_menu;
    MainPopups &m_popups;
    TPageControl &m_pages;
    UnitPage &m_unitPage;
    TestPage &m_testPage;
    InputPage &m_inputPage;
    LogbookPage &m_logbookPage;
    TImageList *m_smallFlags;
    const PageServices &m_services;
    QWidget *m_window;
    WordListCommands *m_wordLists = nullptr;
    OldUnitCommands *m_oldUnits = nullptr;
    PrintCommands *m_printing = nullptr;
};
