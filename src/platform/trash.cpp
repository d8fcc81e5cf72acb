#include "platform/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
QString trashFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).absoluteFilePath(QStringLiteral("Trash"));
}

// The user's own trash, or the trash at the top of another file system (".Trash/<uid>" or
// ".Trash-<uid>"), where the desktop finds it again.
bool isInATrash(const QString &path, const QString &trash)
{
    static const QRegularExpression topTrash(QStringLiteral("/\\.Trash(-\\d+|/\\d+)/files/[^/]+$"));
    return QFileInfo(path).isAbsolute() &&
           (path.startsWith(trash + QStringLiteral("/files/")) || topTrash.match(path).hasMatch());
}
} // namespace

bool MoveToTrash(const QString &path)
{
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return false;
    const QString trash = trashFolder();
    // Without the data folder Qt "succeeds" into a folder named files below the working
    // directory; with it made first, the trash is where the desktop looks for it.
    if (trash.isEmpty() || !QDir().mkpath(QFileInfo(trash).path()))
        return false;
    QFile file(path);
    if (!file.moveToTrash())
        return false;
    const QString inTrash = file.fileName();
    if (isInATrash(inTrash, trash))
        return true;
    // Somewhere else than a trash: it goes back where it was.
    QFile::rename(inTrash, path);
    return false;
}
