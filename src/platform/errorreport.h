#pragma once

#include <exception>

class MessageService;

// The application's standard error report: the error's text in a message box, after which
// the program goes on.
void ReportError(MessageService &messages, const std::exception &error);
