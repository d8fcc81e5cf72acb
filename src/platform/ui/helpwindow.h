#pragma once

#include "platform/help/helpfolder.h"
#include "platform/help/helpkeywordindex.h"
#include "platform/ui/helpwindowtexts.h"

#include <QUrl>
#include <QWidget>

class MessageService;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTextBrowser;

// The help window: a page browser with contents, back and forward, and a search pane whose
// text field filters the keyword index. Links between pages are followed here, so that a page
// that is missing gives a message instead of an empty page.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // parent: the window the help belongs to; the help window is a top-level window of its own.
    HelpWindow(QWidget *parent, MessageService &messages);

    void setTexts(const HelpWindowTexts &texts);
    void setHelp(const HelpFolder &folder, const HelpKeywordIndex &index);

    // Shows the page (a local file, optionally with an anchor); a missing page gives the
    // message and leaves the shown page as it was. Returns whether the page is shown.
    bool openPage(const QUrl &page);
    bool openContents();
    // Shows the search pane with an empty search text and the whole index.
    void showSearchPane();

    QUrl currentPage() const;
    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *searchField() const { return m_searchField; }
    QListWidget *hitList() const { return m_hitList; }
    QLabel *standInNote() const { return m_standInNote; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void setSearchPaneVisible(bool visible);
    void followLink(const QUrl &link);
    void fillHits(const QString &text);
    void openSelectedHit();
    void updateCaption();
    void updateStandInNote(const QUrl &page);
    QString hitText(const HelpKeywordIndex::Entry &entry) const;

    MessageService &m_messages;
    HelpWindowTexts m_texts;
    HelpFolder m_folder{QString()};
    HelpKeywordIndex m_index;

    QPushButton *m_contentsButton = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_forwardButton = nullptr;
    QPushButton *m_searchButton = nullptr;
    QSplitter *m_splitter = nullptr;
    QWidget *m_searchPane = nullptr;
    QLabel *m_searchLabel = nullptr;
    QLineEdit *m_searchField = nullptr;
    QListWidget *m_hitList = nullptr;
    QPushButton *m_displayButton = nullptr;
    QTextBrowser *m_browser = nullptr;
    // Above a page the translated help lacks, shown from the English help.
    QLabel *m_standInNote = nullptr;
};
