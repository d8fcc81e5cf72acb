#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (a session ending, a script stopping the program) into a signal on
// the event loop, so the program closes its window as if the user had, and its settings are
// written. A signal handler may do almost nothing, so it only writes a byte into a pipe. The
// handler is installed at once; a signal that comes before listen() waits in the pipe.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // From now on a termination signal is handed on, one that came before at once.
    void listen();

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
