#pragma once

#include <QStringList>
#include <QTextStream>

class ConsoleMessages;

// The command-line companion: batch work on units with the program's own core. Results go to
// out, messages to err; the exit code says how it went.
class LumoTool
{
public:
    enum ExitCode { Done = 0, BadInput = 1, Usage = 2 };

    // terminal: err is a terminal, so long work may show a progress line there.
    LumoTool(QTextStream &out, QTextStream &err, bool terminal) : m_out(out), m_err(err), m_terminal(terminal)
    {}

    // arguments without the program's name.
    int run(const QStringList &arguments);

    static QString usage();

private:
    void dispatch(const QString &command, QStringList arguments, ConsoleMessages &messages);
    void info(QStringList arguments, ConsoleMessages &messages);
    void convert(QStringList arguments, ConsoleMessages &messages);
    void importList(QStringList arguments);
    void exportList(QStringList arguments, ConsoleMessages &messages);
    static QString oneSourceTo(QStringList &arguments, const QString &command, QString &target);
    void check(const QStringList &arguments, ConsoleMessages &messages);
    void pack(const QStringList &arguments, ConsoleMessages &messages);
    void fit(QStringList arguments, ConsoleMessages &messages);

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_terminal;
};
