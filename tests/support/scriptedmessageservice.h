#pragma once

#include "platform/messageservice.h"

#include <QList>
#include <QQueue>

// Answers questions from a script and records everything shown; for tests.
class ScriptedMessageService : public MessageService
{
public:
    struct Shown
    {
        Kind kind;
        QString text;
        int buttons;
    };

    // The next questions are answered with these buttons, in order; unscripted ones get the
    // first offered of Ok, Yes, No, Cancel.
    void answerWith(Button answer) { m_answers.enqueue(answer); }

    Button show(Kind kind, const QString &text, int buttons) override;

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QQueue<Button> m_answers;
    QList<Shown> m_shown;
};
