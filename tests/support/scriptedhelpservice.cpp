#include "support/scriptedhelpservice.h"

void ScriptedHelpService::showContents()
{
    record(Request::Contents, 0);
}

void ScriptedHelpService::showSearch()
{
    record(Request::Search, 0);
}

void ScriptedHelpService::showHowToUse()
{
    record(Request::HowToUse, 0);
}

void ScriptedHelpService::showTopic(int helpContext)
{
    record(Request::Topic, helpContext);
}

QList<int> ScriptedHelpService::topics() const
{
    QList<int> result;
    for (const Call &call : m_calls)
        if (call.request == Request::Topic)
            result.append(call.helpContext);
    return result;
}

void ScriptedHelpService::record(Request request, int helpContext)
{
    m_calls.append({request, helpContext, m_helpFile});
}
