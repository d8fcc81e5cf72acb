#pragma once

#include "platform/messageservice.h"

#include <QTextStream>

// Messages of the core for a program without windows: the text goes to the error stream and
// every question is answered with the button that changes nothing.
class ConsoleMessages : public MessageService
{
public:
    explicit ConsoleMessages(QTextStream &err) : m_err(err) {}

    Button show(Kind kind, const QString &text, int buttons) override;

private:
    QTextStream &m_err;
};
