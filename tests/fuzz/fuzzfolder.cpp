#include "fuzzfolder.h"

#include "platform/inicache.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

QString FuzzFolder()
{
    static QTemporaryDir folder;
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
