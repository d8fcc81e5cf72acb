#pragma once

#include "platform/errorreport.h"
#include "platform/lumoerror.h"

#include <exception>
#include <utility>

class MessageService;

// The one place where an error of the core meets the user. Every handler that reaches the
// table, a descriptor or the settings runs its work through it, so that no exception ever
// crosses the event loop: the error goes to the standard error report and the program stays
// usable. Returns whether the work ran to its end.
template <typename Work> bool Guarded(MessageService &messages, Work &&work) noexcept
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::exception &error) {
        ReportUnexpected(messages, &error);
    } catch (...) {
        ReportUnexpected(messages, nullptr);
    }
    return false;
}
