#include "platform/programfolder.h"

#include "platform/folderlisting.h"
#include "platform/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <optional>

namespace {
std::optional<ProgramFiles> &overriddenFiles()
{
    static std::optional<ProgramFiles> files;
    return files;
}

QString executableFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}
} // namespace

const ProgramFiles &CurrentProgramFiles()
{
    if (overriddenFiles())
        return *overriddenFiles();
    // Not set by the start: the executable's folder is the one folder (a build folder).
    static const ProgramFiles fromExecutable(executableFolder());
    return fromExecutable;
}

QString ProgramFolder()
{
    return CurrentProgramFiles().installedFolder();
}

void SetProgramFolder(const QString &folder)
{
    if (folder.isEmpty())
        overriddenFiles().reset();
    else
        overriddenFiles().emplace(folder);
}

void SetProgramFolders(const QString &installedFolder, const QString &userFolder)
{
    overriddenFiles().emplace(installedFolder, userFolder);
}

QString ProgramFileToRead(const QString &name)
{
    return CurrentProgramFiles().readPath(name);
}

QString ProgramFileToWrite(const QString &name)
{
    return CurrentProgramFiles().writePath(name);
}

bool ProgramFileExists(const QString &name)
{
    return CurrentProgramFiles().exists(name);
}

void DeleteProgramFile(const QString &name)
{
    CurrentProgramFiles().remove(name);
}

QStringList ListProgramFiles(const QString &wildcard)
{
    return CurrentProgramFiles().list(wildcard);
}

QStringList ListFilePaths(const QString &folder, const QString &wildcard)
{
    const ProgramFiles &files = CurrentProgramFiles();
    if (sameFolder(folder, files.installedFolder()) || sameFolder(folder, files.userFolder()))
        return files.list(wildcard);
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : ListFiles(folder, wildcard))
        paths.append(dir.filePath(name));
    return paths;
}
