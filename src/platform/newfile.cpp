#include "platform/newfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::atomic<bool> oneStepRefused{false};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

NewFile::Result failed(QString *error, int number)
{
    if (error)
        *error = systemError(number);
    return NewFile::Result::Failed;
}

// Claims the final name by creating it exclusively, then renames ours over that claim. If the
// rename fails, the claim is removed only while it is still the file this process made.
NewFile::Result placeByClaim(const QByteArray &from, const QByteArray &to, QString *error)
{
    const int claim = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (claim < 0)
        return errno == EEXIST ? NewFile::Result::Exists : failed(error, errno);
    struct stat claimed = {};
    const bool known = ::fstat(claim, &claimed) == 0;
    ::close(claim);
    if (::rename(from.constData(), to.constData()) == 0)
        return NewFile::Result::Placed;
    const int reason = errno;
    struct stat now = {};
    if (known && ::stat(to.constData(), &now) == 0 && now.st_dev == claimed.st_dev &&
        now.st_ino == claimed.st_ino)
        ::unlink(to.constData());
    return failed(error, reason);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}
} // namespace

NewFile::Result NewFile::place(const QString &from, const QString &to, QString *error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    Result result = Result::Failed;
    if (!oneStepRefused &&
        ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return Result::Placed;
    if (oneStepRefused || errno == EINVAL || errno == ENOSYS)
        result = placeByClaim(source, target, error);
    else
        result = errno == EEXIST ? Result::Exists : failed(error, errno);
    if (result != Result::Placed)
        ::unlink(source.constData());
    return result;
}

NewFile::Result NewFile::save(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString scratch = scratchPath(QFileInfo(path).absolutePath() + u'/', QStringLiteral(".tmp"));
    const QByteArray name = QFile::encodeName(scratch);
    // The usual permissions of a new file, as the umask allows.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(error, errno);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int reason = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(name.constData());
        return failed(error, written ? errno : reason);
    }
    return place(scratch, path, error);
}

NewFile::Identity NewFile::identityOf(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

void NewFile::removeIfStill(const QString &path, const Identity &identity)
{
    if (identity != Identity() && identityOf(path) == identity)
        QFile::remove(path);
}

QString NewFile::scratchPath(const QString &folder, const QString &suffix)
{
    // The process id keeps the name apart from a scratch file a crashed process left behind,
    // even in a forked process that shares its parent's random state.
    return folder + scratchPrefix() +
           QStringLiteral("%1-%2")
               .arg(QCoreApplication::applicationPid())
               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
           suffix;
}

void NewFile::setOneStepRefused(bool refused)
{
    oneStepRefused = refused;
}
