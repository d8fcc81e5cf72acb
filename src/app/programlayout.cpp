#include "app/programlayout.h"

#include "platform/lumoerror.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "units/defaultunitroot.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
} // namespace

ProgramLayout ProgramLayout::forExecutable(const QString &executableFolder, const QString &userFolder)
{
    ProgramLayout layout;
    const QDir executable(QDir::cleanPath(executableFolder));
    const QString shared = executable.filePath(QStringLiteral("../share/lumo"));
    if (executable.dirName() == QStringLiteral("bin") && QFileInfo(shared).isDir() && !userFolder.isEmpty()) {
        layout.m_programFolder = withSlash(QDir::cleanPath(shared));
        layout.m_userFolder = withSlash(QDir::cleanPath(userFolder));
    } else {
        layout.m_programFolder = withSlash(QDir::cleanPath(executableFolder));
    }
    return layout;
}

void ProgramLayout::apply() const
{
    if (!installed()) {
        SetProgramFolder(m_programFolder);
        return;
    }
    if (!QDir().mkpath(m_userFolder))
        throw LumoError(QStringLiteral("Unable to write to ") + m_userFolder);
    SetProgramFolders(m_programFolder, m_userFolder);
    SeedSampleUnits(CurrentProgramFiles());
}
