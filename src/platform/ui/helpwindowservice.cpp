#include "platform/ui/helpwindowservice.h"

#include "platform/help/helpfolder.h"
#include "platform/help/helpkeywordindex.h"
#include "platform/messageservice.h"
#include "platform/ui/helpwindow.h"

#include <QUrl>

HelpWindowService::HelpWindowService(QWidget *parent, MessageService &messages)
    : m_parent(parent), m_messages(messages)
{}

HelpWindowService::~HelpWindowService()
{
    delete m_window;
}

void HelpWindowService::setTexts(const HelpWindowTexts &texts)
{
    m_texts = texts;
    if (m_window)
        m_window->setTexts(texts);
}

void HelpWindowService::setHelpFile(const QString &path)
{
    m_helpFile = path;
}

void HelpWindowService::showContents()
{
    showPage(QString::fromLatin1(HelpFolder::ContentsPageName));
}

void HelpWindowService::showHowToUse()
{
    showPage(QString::fromLatin1(HelpFolder::HowToPageName));
}

void HelpWindowService::showTopic(int helpContext)
{
    showPage(HelpFolder::topicPageName(helpContext));
}

void HelpWindowService::showSearch()
{
    const HelpFolder folder(m_helpFile);
    if (!helpIsThere(folder))
        return;
    // The search needs its index; the contents page keeps the window from opening empty.
    if (pageOf(folder, QString::fromLatin1(HelpFolder::KeywordFileName)).isEmpty())
        return;
    const QUrl contents = pageOf(folder, QString::fromLatin1(HelpFolder::ContentsPageName));
    if (contents.isEmpty())
        return;
    HelpWindow *window = preparedWindow(folder);
    if (window->currentPage().isEmpty())
        window->openPage(contents);
    window->showSearchPane();
    present();
}

void HelpWindowService::showPage(const QString &name)
{
    const HelpFolder folder(m_helpFile);
    if (!helpIsThere(folder))
        return;
    const QUrl page = pageOf(folder, name);
    if (page.isEmpty())
        return;
    preparedWindow(folder)->openPage(page);
    present();
}

bool HelpWindowService::helpIsThere(const HelpFolder &folder)
{
    if (folder.exists())
        return true;
    m_messages.show(MessageService::Kind::Warning,
                    m_texts.msgHelpFileMissing + QStringLiteral("\r\n") + m_helpFile, MessageService::Ok);
    return false;
}

QUrl HelpWindowService::pageOf(const HelpFolder &folder, const QString &name)
{
    const QString file = folder.find(name);
    if (!file.isEmpty())
        return QUrl::fromLocalFile(file);
    m_messages.show(MessageService::Kind::Warning,
                    m_texts.msgHelpTopicMissing + QStringLiteral("\r\n") + folder.expected(name),
                    MessageService::Ok);
    return QUrl();
}

HelpWindow *HelpWindowService::preparedWindow(const HelpFolder &folder)
{
    if (!m_window) {
        m_window = new HelpWindow(m_parent, m_messages);
        m_window->setTexts(m_texts);
        m_loadedHelpFile.clear();
    }
    // Another help file (the UI language changed) brings its own keyword index.
    if (m_loadedHelpFile != m_helpFile) {
        const QString indexFile = folder.find(QString::fromLatin1(HelpFolder::KeywordFileName));
        m_window->setHelp(folder, HelpKeywordIndex::load(indexFile).value_or(HelpKeywordIndex()));
        m_loadedHelpFile = m_helpFile;
    }
    return m_window;
}

void HelpWindowService::present()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
