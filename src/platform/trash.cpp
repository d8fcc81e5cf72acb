#include "platform/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString trashFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).absoluteFilePath(QStringLiteral("Trash"));
}
} // namespace

bool MoveToTrashOrDelete(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    const QString trash = trashFolder();
    // Without the data folder Qt "succeeds" into a folder named files below the working
    // directory; with it made first, the trash is where the desktop looks for it.
    if (!trash.isEmpty() && QDir().mkpath(QFileInfo(trash).path())) {
        QString inTrash;
        QFile file(path);
        if (file.moveToTrash()) {
            inTrash = file.fileName();
            const QFileInfo result(inTrash);
            if (result.isAbsolute() && result.absoluteFilePath().startsWith(trash + QLatin1Char('/')))
                return true;
            // Somewhere else than the trash: it must not stay there either.
            return QFile::remove(inTrash);
        }
    }
    return QFile::remove(path);
}
