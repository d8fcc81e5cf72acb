#include "support/racingchildren.h"

#include "platform/lumoerror.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/wait.h>
#include <unistd.h>

namespace {
void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, n);
    return bytes;
}

QString runWork(const RacingChildren::Work &work)
{
    try {
        return work();
    } catch (const LumoError &error) {
        return QStringLiteral("error: ") + error.message();
    } catch (...) {
        return QStringLiteral("error: unknown");
    }
}
} // namespace

QStringList RacingChildren::run(const QList<Work> &works)
{
    int barrier[2];
    if (::pipe(barrier) != 0)
        qFatal("no pipe for a child process");
    QList<pid_t> children;
    QList<int> results;
    for (const Work &work : works) {
        int result[2];
        if (::pipe(result) != 0)
            qFatal("no pipe for a child process");
        const pid_t pid = ::fork();
        if (pid < 0)
            qFatal("no child process");
        if (pid == 0) {
            ::close(barrier[1]);
            ::close(result[0]);
            char go = 0;
            [[maybe_unused]] const ssize_t waited =
                ::read(barrier[0], &go, 1); // ends when the parent closes it
            writeAll(result[1], runWork(work).toUtf8());
            ::_exit(0);
        }
        ::close(result[1]);
        children.append(pid);
        results.append(result[0]);
    }
    ::close(barrier[0]);
    ::close(barrier[1]); // every child goes
    QStringList texts;
    for (qsizetype i = 0; i < children.size(); ++i) {
        texts.append(QString::fromUtf8(readAll(results.at(i))));
        ::close(results.at(i));
        ::waitpid(children.at(i), nullptr, 0);
    }
    return texts;
}
