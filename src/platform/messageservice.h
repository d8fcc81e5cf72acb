#pragma once

#include <QString>

// How the program asks the user something or tells him something. The real implementation
// shows message boxes; tests script the answers.
class MessageService
{
public:
    enum class Kind { Plain, Information, Warning, Error, Confirmation };
    enum Button { NoButton = 0, Yes = 1, No = 2, Ok = 4, Cancel = 8 };

    virtual ~MessageService() = default;

    // Shows text with the given buttons (an OR of Button) and returns the button chosen.
    virtual Button show(Kind kind, const QString &text, int buttons) = 0;

    void plain(const QString &text) { show(Kind::Plain, text, Ok); }
    void information(const QString &text) { show(Kind::Information, text, Ok); }
    void error(const QString &text) { show(Kind::Error, text, Ok); }
};
