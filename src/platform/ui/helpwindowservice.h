#pragma once

#include "platform/help/helpservice.h"
#include "platform/ui/helpwindowtexts.h"

#include <QPointer>

class HelpFolder;
class HelpWindow;
class MessageService;
class QUrl;
class QWidget;

// The help shown in one help window, opened on the first request and reused for the later
// ones. A missing help folder or page gives a message through the message service and opens
// no window.
class HelpWindowService : public HelpService
{
public:
    // parent: the main window, which owns the help window.
    HelpWindowService(QWidget *parent, MessageService &messages);
    ~HelpWindowService() override;

    void setTexts(const HelpWindowTexts &texts);

    void setHelpFile(const QString &path) override;
    QString helpFile() const override { return m_helpFile; }

    void showContents() override;
    void showSearch() override;
    void showHowToUse() override;
    void showTopic(int helpContext) override;

    // The help window once it has been opened; null before.
    HelpWindow *window() const { return m_window; }

private:
    bool helpIsThere(const HelpFolder &folder);
    // The page's address, or an empty one after the message that it is missing.
    QUrl pageOf(const HelpFolder &folder, const QString &name);
    HelpWindow *preparedWindow(const HelpFolder &folder);
    void showPage(const QString &name);
    void present();

    QWidget *m_parent;
    MessageService &m_messages;
    HelpWindowTexts m_texts;
    QString m_helpFile;
    QString m_loadedHelpFile;
    QPointer<HelpWindow> m_window;
};
