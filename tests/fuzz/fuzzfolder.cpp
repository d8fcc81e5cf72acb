#include "fuzzfolder.h"

#include "platform/inicache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

QString FuzzFolder()
{
    // In memory where there is a memory file system: every write is synced to disk, and on a
    // disk that makes each run wait for it.
    static QTemporaryDir folder(
        (QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/lumo-fuzz-XXXXXX"));
    if (!folder.isValid())
        std::abort();
    return folder.path() + u'/';
}

QString WriteFuzzFile(const QString &name, const QByteArray &bytes)
{
    const QString path = FuzzFolder() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    IniCache::forget(path);
    return path;
}
