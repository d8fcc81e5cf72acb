#include "platform/errorreport.h"

#include "platform/lumoerror.h"
#include "platform/messageservice.h"

#include <QString>
#include <QtGlobal>

void ReportError(MessageService &messages, const std::exception &error)
{
    const auto *own = dynamic_cast<const LumoError *>(&error);
    messages.error(own ? own->message() : QString::fromLocal8Bit(error.what()));
}

void ReportUnexpected(MessageService &messages, const std::exception *error) noexcept
{
    try {
        if (error)
            ReportError(messages, *error);
        else
            messages.error(QStringLiteral("An unknown error occurred."));
    } catch (...) {
        // Showing the report failed too (no memory, no display): the log is all that is left.
        qWarning("Lumo: an error could not be reported");
    }
}
