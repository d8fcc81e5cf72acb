#pragma once

#include <exception>

class MessageService;

// The application's standard error report: the error's text in a message box, after which
// the program goes on.
void ReportError(MessageService &messages, const std::exception &error);

// The same for the error boundary, which may also catch what is no std::exception (null);
// never throws, since it runs where an exception must not escape.
void ReportUnexpected(MessageService &messages, const std::exception *error) noexcept;
