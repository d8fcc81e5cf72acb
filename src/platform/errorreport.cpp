#include "platform/errorreport.h"

#include "platform/lumoerror.h"
#include "platform/messageservice.h"

#include <QString>

void ReportError(MessageService &messages, const std::exception &error)
{
    const auto *own = dynamic_cast<const LumoError *>(&error);
    messages.error(own ? own->message() : QString::fromLocal8Bit(error.what()));
}
