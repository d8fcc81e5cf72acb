#include "cli/consolemessages.h"

MessageService::Button ConsoleMessages::show(Kind kind, const QString &text, int buttons)
{
    m_err << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << '\n';
    m_err.flush();
    if (kind == Kind::Confirmation)
        return (buttons & Cancel) ? Cancel : No;
    return (buttons & Ok) ? Ok : NoButton;
}
