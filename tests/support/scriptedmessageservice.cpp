#include "support/scriptedmessageservice.h"

#include <QStringList>

MessageService::Button ScriptedMessageService::show(Kind kind, const QString &text, int buttons)
{
    m_shown.append({kind, text, buttons});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    for (Button b : {Ok, Yes, No, Cancel})
        if (buttons & b)
            return b;
    return Ok;
}

QStringList ScriptedMessageService::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result.append(s.text);
    return result;
}
