#include "support/screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QWidget>

QString screenshotFolder()
{
    const QString folder = qEnvironmentVariable("LUMO_SCREENSHOT_DIR");
    return !folder.isEmpty() && QDir().mkpath(folder) ? folder : QString();
}

bool saveScreenshot(QWidget &widget, const QString &name)
{
    if (screenshotFolder().isEmpty())
        return true;
    QCoreApplication::sendPostedEvents();
    return saveScreenshot(widget.grab().toImage(), name);
}

bool saveScreenshot(const QImage &image, const QString &name)
{
    const QString folder = screenshotFolder();
    if (folder.isEmpty())
        return true;
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path);
}
