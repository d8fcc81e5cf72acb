#include "platform/folderlisting.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
constexpr QDir::Filters FileFilter = QDir::Files | QDir::Hidden | QDir::System;

// Upper case, as the old file system compared names; names differing only in case keep a
// fixed order between them.
bool NameBefore(const QString &a, const QString &b)
{
    const int folded = QString::compare(a.toUpper(), b.toUpper(), Qt::CaseSensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}
} // namespace

QStringList ListFiles(const QString &folder, const QString &wildcard)
{
    QStringList names = QDir(folder).entryList({wildcard}, FileFilter, QDir::Unsorted);
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

namespace {
QString findIgnoringCase(const QString &folder, const QString &name, QDir::Filters filters)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/'))
        return QString();
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(name));
    if (exact.exists() && ((filters & QDir::Dirs) || exact.isFile()))
        return dir.filePath(name);
    QStringList names = dir.entryList({QStringLiteral("*")}, filters | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(names.begin(), names.end(), NameBefore);
    for (const QString &candidate : std::as_const(names)) {
        if (QString::compare(candidate, name, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    }
    return QString();
}
} // namespace

QString FindFileIgnoringCase(const QString &folder, const QString &name)
{
    return findIgnoringCase(folder, name, FileFilter);
}

QString FindEntryIgnoringCase(const QString &folder, const QString &name)
{
    return findIgnoringCase(folder, name, FileFilter | QDir::Dirs);
}
