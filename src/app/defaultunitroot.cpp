#include "app/defaultunitroot.h"

#include <QDir>
#include <QFileInfo>

QString DefaultUnitRoot(const QString &programFolder)
{
    const QString vocabulary = programFolder + QStringLiteral("Vocabulary/");
    if (QFileInfo(vocabulary).isDir())
        return vocabulary;
    if (QFileInfo(programFolder).isDir())
        return programFolder;
    return QDir::rootPath();
}
