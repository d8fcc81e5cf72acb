#pragma once

#include "platform/help/helpservice.h"

#include <QList>

// Records what the program asked the help for; for tests.
class ScriptedHelpService : public HelpService
{
public:
    enum class Request { Contents, Search, HowToUse, Topic };

    struct Call
    {
        Request request;
        int helpContext;  // 0 unless request is Topic
        QString helpFile; // the help file in force when the call came
    };

    void setHelpFile(const QString &path) override { m_helpFile = path; }
    QString helpFile() const override { return m_helpFile; }

    void showContents() override;
    void showSearch() override;
    void showHowToUse() override;
    void showTopic(int helpContext) override;

    const QList<Call> &calls() const { return m_calls; }
    // The help contexts of the topics asked for, in order.
    QList<int> topics() const;
    void clear() { m_calls.clear(); }

private:
    void record(Request request, int helpContext);

    QString m_helpFile;
    QList<Call> m_calls;
};
