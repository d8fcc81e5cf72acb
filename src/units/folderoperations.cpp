#include "units/folderoperations.h"

#include "platform/trash.h"
#include "units/drivekinds.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {
QString WithoutSlash(const QString &folder)
{
    return folder.size() > 1 && folder.endsWith(u'/') ? folder.chopped(1) : folder;
}

constexpr QDir::Filters FolderFilter = QDir::Dirs | QDir::NoDotAndDotDot;
} // namespace

bool HoldsUnits(const QString &folder, const QString &extension)
{
    QDirIterator files(folder, {QStringLiteral("*.") + extension}, QDir::Files | QDir::Hidden);
    return files.hasNext();
}

QStringList SubfolderNames(const QString &folder)
{
    QStringList names;
    QDirIterator entries(folder, FolderFilter);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (!name.startsWith(u'.'))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool HasSubfolder(const QString &folder)
{
    QDirIterator entries(folder, FolderFilter);
    while (entries.hasNext()) {
        entries.next();
        if (!entries.fileName().startsWith(u'.'))
            return true;
    }
    return false;
}

FolderLook LookInto(const QString &folder, const QString &extension)
{
    FolderLook look;
    const QString suffix = u'.' + extension;
    QDirIterator entries(folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    while (entries.hasNext() && !(look.holdsUnits && look.hasSubfolder)) {
        entries.next();
        const QString name = entries.fileName();
        const QFileInfo info = entries.fileInfo();
        if (info.isDir())
            look.hasSubfolder = look.hasSubfolder || !name.startsWith(u'.');
        else if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            look.holdsUnits = true;
    }
    return look;
}

QString FreeFolderName(const QString &parent, const QString &base)
{
    QString candidate = base;
    for (int n = 1; QFileInfo::exists(parent + candidate); ++n)
        candidate = base + QStringLiteral(" (") + QString::number(n) + u')';
    return candidate;
}

bool RenameFolder(const QString &folder, const QString &newName)
{
    if (newName.isEmpty() || newName == QStringLiteral(".") || newName == QStringLiteral("..") ||
        newName.contains(u'/') || newName.contains(QChar(0)))
        return false;
    const QString old = WithoutSlash(folder);
    const QString target = QFileInfo(old).path() + u'/' + newName;
    // rename(2) would replace an empty folder of that name without a word.
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        return false;
    return QDir().rename(old, target);
}

bool IsMountPoint(const QString &folder, const QByteArray &mountInfo)
{
    const QString path = WithoutSlash(folder);
    if (path == QStringLiteral("/"))
        return true;
    for (const MountEntry &mount : ParseMountInfo(mountInfo))
        if (mount.mountPoint == path)
            return true;
    return false;
}

bool IsRemovableFolder(const QString &folder, const QByteArray &mountInfo)
{
    // A folder that is gone is no mount; removing it fails on its own.
    const QString canonical = QFileInfo(WithoutSlash(folder)).canonicalFilePath();
    return !IsMountPoint(folder, mountInfo) && (canonical.isEmpty() || !IsMountPoint(canonical, mountInfo));
}

bool RemoveFolderTree(const QString &folder, const QByteArray &mountInfo)
{
    const QString path = WithoutSlash(folder);
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink() || !IsRemovableFolder(path, mountInfo))
        return false;
    return MoveToTrash(path);
}
