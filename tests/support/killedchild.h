#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <sys/types.h>

// Runs work in a forked child process of the test, to kill it at a random moment or to let
// it meet a full disk. The child reports its progress through a pipe, which keeps what was
// written even when the child dies, and ends with _exit, so nothing of the parent (its
// temporary folders above all) is torn down twice.
class KilledChild
{
public:
    class Reporter
    {
    public:
        explicit Reporter(int fd) : m_fd(fd) {}
        // Call after a step has returned: the parent counts on it being done.
        void progress(int number);

    private:
        friend class KilledChild;
        void error(const QString &text);
        int m_fd;
    };

    struct Outcome
    {
        QList<int> progress;
        QString error; // the text of the error that ended the child's work, if any
    };

    using Work = std::function<void(Reporter &)>;

    // The seed of the kill moments is printed, so a failure can be repeated with
    // LUMO_CRASH_SEED.
    KilledChild();

    // How long the child takes, from its start, to report progress reports times or to end:
    // the span in which the kill moments of that work are spread. At least 1 ms.
    int millisecondsTo(const Work &work, int reports);

    // Starts work and kills the child with SIGKILL after a random time of up to maxDelayMs.
    Outcome killDuring(const Work &work, int maxDelayMs);

    // Runs work to its end with files limited to limitBytes, as on a full disk: SIGXFSZ is
    // ignored, so a write beyond the limit fails instead of killing the child.
    Outcome runWithFileSizeLimit(const Work &work, qint64 limitBytes);

    // A second process that does open() and then waits, holding what it opened, until
    // release() or destruction.
    class Holder
    {
    public:
        explicit Holder(const std::function<void()> &open);
        ~Holder();
        Holder(const Holder &) = delete;
        Holder &operator=(const Holder &) = delete;
        bool ready() const { return m_ready; }
        void release();

    private:
        pid_t m_pid = -1;
        int m_release = -1;
        bool m_ready = false;
    };

private:
    static pid_t start(const Work &work, int &readFd, const std::function<void()> &prepare);
    static Outcome collect(int readFd);

    quint32 m_seed;
    quint64 m_state;
};
