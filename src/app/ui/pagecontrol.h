#pragma once

#include <QTabWidget>
#include <functional>

// The main window's pages. Every change of page the user asks for (a click on a tab, its
// mnemonic, the keyboard) is first put to the changing handler, which may refuse it before
// anything changes, as the page rules need. Changes made by the program itself are not asked.
class QMainWindow;

class TPageControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit TPageControl(QWidget *parent = nullptr);
    // The window's pages as its central widget, under a sunken bevel line.
    static TPageControl *centralIn(QMainWindow &window);

    // Asked with the page that would become current; false keeps the current page.
    void setChangingHandler(std::function<bool(int)> handler) { m_changing = std::move(handler); }
    // A change of page as the user asks for it: the handler decides. True when it changed.
    bool requestPage(int index);

    // The help topic of the page shown.
    int helpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }

private:
    std::function<bool(int)> m_changing;
    int m_helpContext = 0;
};
