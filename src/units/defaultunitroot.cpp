#include "units/defaultunitroot.h"

#include "platform/lumoerror.h"
#include "platform/programfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
const QString Vocabulary = QStringLiteral("Vocabulary/");

void copyTree(const QString &source, const QString &target)
{
    if (!QDir().mkpath(target))
        throw LumoError(QStringLiteral("Unable to write to ") + target);
    QDirIterator entries(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString to = target + u'/' + entry.fileName();
        if (entry.isDir())
            copyTree(entry.filePath(), to);
        else if (!QFile::copy(entry.filePath(), to))
            throw LumoError(QStringLiteral("Unable to write to ") + to);
        else
            // Installed files are read-only; the user's copies are the user's to change.
            QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner | QFile::ReadOwner);
    }
}
} // namespace

QString DefaultUnitRoot(const QString &programFolder)
{
    const QString vocabulary = programFolder + Vocabulary;
    if (QFileInfo(vocabulary).isDir())
        return vocabulary;
    if (QFileInfo(programFolder).isDir())
        return programFolder;
    return QDir::rootPath();
}

QString DefaultUnitRoot(const ProgramFiles &files)
{
    if (files.layered())
        return files.userFolder() + Vocabulary;
    return DefaultUnitRoot(files.installedFolder());
}

void SeedSampleUnits(const ProgramFiles &files)
{
    const QString target = files.userFolder() + Vocabulary;
    if (!files.layered() || QFileInfo(target).isDir())
        return;
    const QString samples = files.installedFolder() + Vocabulary;
    const QString partial = files.userFolder() + QStringLiteral("Vocabulary.partial");
    QDir(partial).removeRecursively();
    try {
        if (QFileInfo(samples).isDir())
            copyTree(samples, partial);
        else if (!QDir().mkpath(partial))
            throw LumoError(QStringLiteral("Unable to write to ") + partial);
        if (!QDir().rename(partial, target.chopped(1)))
            throw LumoError(QStringLiteral("Unable to write to ") + target);
    } catch (...) {
        QDir(partial).removeRecursively();
        throw;
    }
}
