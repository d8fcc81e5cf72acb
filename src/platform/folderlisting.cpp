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

QString FindFileIgnoringCase(const QString &folder, const QString &name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return QString();
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    for (const QString &candidate : ListFiles(folder, QStringLiteral("*"))) {
        if (QString::compare(candidate, name, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    }
    return QString();
}
