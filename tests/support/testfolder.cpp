#include "support/testfolder.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const char *const XdgFolders[][2] = {{"XDG_DATA_HOME", "xdg/data"},
                                     {"XDG_CONFIG_HOME", "xdg/config"},
                                     {"XDG_CACHE_HOME", "xdg/cache"},
                                     {"XDG_STATE_HOME", "xdg/state"}};
} // namespace

TestFolder::TestFolder()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("program"));
    for (const auto &[name, folder] : XdgFolders) {
        m_savedEnvironment.append({name, qgetenv(name)});
        const QString target = m_dir.path() + u'/' + QLatin1String(folder);
        QDir().mkpath(target);
        qputenv(name, QFile::encodeName(target));
    }
    SetProgramFolder(path());
}

TestFolder::~TestFolder()
{
    SetProgramFolder(QString());
    for (const auto &[name, value] : std::as_const(m_savedEnvironment)) {
        if (value.isEmpty())
            qunsetenv(name.constData());
        else
            qputenv(name.constData(), value);
    }
}

QString TestFolder::dataHome() const
{
    return m_dir.path() + QStringLiteral("/xdg/data");
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
