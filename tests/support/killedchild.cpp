#include "support/killedchild.h"

#include "platform/lumoerror.h"

#include <QElapsedTimer>
#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr char ProgressTag = 'P';
constexpr char ErrorTag = 'E';
constexpr char ReadyTag = 'R';
constexpr int FinishTimeoutMs = 60000;

void writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= size_t(written);
    }
}

QByteArray readAllFrom(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    return bytes;
}

// Waits for the child to end by itself; kills it when it hangs.
void reap(pid_t pid, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        ::usleep(10000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    qWarning("a child process hung and was killed");
}
} // namespace

void KilledChild::Reporter::progress(int number)
{
    char record[1 + sizeof number];
    record[0] = ProgressTag;
    memcpy(record + 1, &number, sizeof number);
    writeAll(m_fd, record, sizeof record);
}

void KilledChild::Reporter::error(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const int size = int(utf8.size());
    char head[1 + sizeof size];
    head[0] = ErrorTag;
    memcpy(head + 1, &size, sizeof size);
    writeAll(m_fd, head, sizeof head);
    writeAll(m_fd, utf8.constData(), size_t(size));
}

KilledChild::KilledChild()
{
    const int fixed = qEnvironmentVariableIntValue("LUMO_CRASH_SEED");
    m_seed = fixed != 0 ? quint32(fixed) : quint32(::time(nullptr)) ^ quint32(::getpid());
    m_state = m_seed;
    qInfo("kill moments from LUMO_CRASH_SEED=%u", m_seed);
}

pid_t KilledChild::start(const Work &work, int &readFd, const std::function<void()> &prepare)
{
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("no pipe for a child process");
    const pid_t pid = ::fork();
    if (pid < 0)
        qFatal("no child process");
    if (pid == 0) {
        ::close(fds[0]);
        Reporter report(fds[1]);
        try {
            if (prepare)
                prepare();
            work(report);
        } catch (const LumoError &error) {
            report.error(error.message());
        } catch (const std::exception &error) {
            report.error(QString::fromLocal8Bit(error.what()));
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    readFd = fds[0];
    return pid;
}

KilledChild::Outcome KilledChild::collect(int readFd)
{
    const QByteArray bytes = readAllFrom(readFd);
    ::close(readFd);
    Outcome outcome;
    int size = 0;
    for (qsizetype at = 0; at + 1 + qsizetype(sizeof size) <= bytes.size();) {
        const char tag = bytes.at(at);
        memcpy(&size, bytes.constData() + at + 1, sizeof size);
        at += 1 + qsizetype(sizeof size);
        if (tag == ProgressTag) {
            outcome.progress.append(size);
        } else {
            outcome.error = QString::fromUtf8(bytes.mid(at, size));
            at += size;
        }
    }
    return outcome;
}

int KilledChild::millisecondsTo(const Work &work, int reports)
{
    QElapsedTimer clock;
    clock.start();
    int readFd = -1;
    const pid_t pid = start(work, readFd, {});
    int seen = 0;
    char record[5];
    pollfd wait{readFd, POLLIN, 0};
    while (seen < reports && ::poll(&wait, 1, FinishTimeoutMs) == 1 &&
           ::read(readFd, record, sizeof record) == sizeof record && record[0] == ProgressTag)
        ++seen;
    const int elapsed = int(clock.elapsed());
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(readFd);
    return qMax(1, elapsed);
}

KilledChild::Outcome KilledChild::killDuring(const Work &work, int maxDelayMs)
{
    // A small generator of our own: the child must not share a locked one with the parent.
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    const useconds_t delay = useconds_t((m_state >> 33) % quint64(maxDelayMs * 1000 + 1));
    int readFd = -1;
    const pid_t pid = start(work, readFd, {});
    ::usleep(delay);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return collect(readFd);
}

KilledChild::Outcome KilledChild::runWithFileSizeLimit(const Work &work, qint64 limitBytes)
{
    int readFd = -1;
    const pid_t pid = start(work, readFd, [limitBytes] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    // Read while the child runs: a long run must not block on a full pipe.
    const Outcome outcome = collect(readFd);
    reap(pid, FinishTimeoutMs);
    return outcome;
}

KilledChild::Holder::Holder(const std::function<void()> &open)
{
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0)
        qFatal("no pipe for a child process");
    m_pid = ::fork();
    if (m_pid < 0)
        qFatal("no child process");
    if (m_pid == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        try {
            open();
            writeAll(ready[1], &ReadyTag, 1);
        } catch (...) {
        }
        char ignored;
        while (::read(release[0], &ignored, 1) < 0 && errno == EINTR) {
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    m_release = release[1];
    pollfd wait{ready[0], POLLIN, 0};
    char tag = 0;
    m_ready = ::poll(&wait, 1, FinishTimeoutMs) == 1 && ::read(ready[0], &tag, 1) == 1 && tag == ReadyTag;
    ::close(ready[0]);
}

KilledChild::Holder::~Holder()
{
    release();
}

void KilledChild::Holder::release()
{
    if (m_pid <= 0)
        return;
    ::close(m_release);
    reap(m_pid, FinishTimeoutMs);
    m_pid = -1;
}
