#include "fuzzfolder.h"

#include "platform/ini/inicache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
// Aborting here would leave a "crash" that says nothing about the readers.
[[noreturn]] void giveUp(const char *what, const QString &path)
{
    std::fprintf(stderr, "fuzz harness: %s %s\n", what, qPrintable(path));
    std::exit(2);
}

std::unique_ptr<QTemporaryDir> makeFolder()
{
    // In memory where there is a memory file system: every write is synced to disk, and on a
    // disk that makes each run wait for it. Where it cannot hold a folder, the temp folder.
    QStringList places{QDir::tempPath()};
    if (QFile::exists(QStringLiteral("/dev/shm")))
        places.prepend(QStringLiteral("/dev/shm"));
    for (const QString &place : places) {
        auto folder = std::make_unique<QTemporaryDir>(place + QStringLiteral("/lumo-fuzz-XXXXXX"));
        if (folder->isValid())
            return folder;
    }
    giveUp("cannot make a scratch folder in", places.join(QStringLiteral(" or ")));
}
} // namespace

QString FuzzFolder()
{
    static const std::unique_ptr<QTemporaryDir> folder = makeFolder();
    return folder->path() + u'/';
}

QString WriteFuzzFile(const QString &name, const QByteArray &bytes)
{
    const QString path = FuzzFolder() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        giveUp("cannot write", path);
    file.close();
    IniCache::forget(path);
    return path;
}
