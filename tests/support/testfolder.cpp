#include "support/testfolder.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TestFolder::TestFolder()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(m_dir.path()).mkpath(QStringLiteral("program"));
    SetProgramFolder(path());
}

TestFolder::~TestFolder()
{
    SetProgramFolder(QString());
}

QString TestFolder::path() const
{
    return m_dir.path() + QStringLiteral("/program/");
}

QString TestFolder::filePath(const QString &name) const
{
    return path() + name;
}

QString TestFolder::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString target = filePath(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return target;
}

QString TestFolder::writeText(const QString &name, const QString &text) const
{
    return writeFile(name, text.toUtf8());
}

QString TestFolder::copyFromData(const QString &name) const
{
    const QString source = shippedFile(name);
    const QString target = filePath(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(source, target);
    return target;
}

QString TestFolder::shippedFile(const QString &name)
{
    return QStringLiteral(LUMO_SHIPPED_DATA_DIR) + u'/' + name;
}
