#pragma once

#include <QString>
#include <stdexcept>

// Base of the program's own errors. The text is what the standard error report shows.
class LumoError : public std::runtime_error
{
public:
    explicit LumoError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};
