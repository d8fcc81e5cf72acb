#include "platform/programfolder.h"

#include <QCoreApplication>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

void SetProgramFolder(const QString &folder)
{
    overriddenFolder() = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}
