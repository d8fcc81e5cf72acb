#include "platform/programfiles.h"

#include "platform/atomicfile.h"
#include "platform/folderlisting.h"
#include "platform/lumoerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace {
QString withSlash(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

QString folded(const QString &name)
{
    return name.toUpper();
}

[[noreturn]] void cannotWrite(const QString &path)
{
    throw LumoError(QStringLiteral("Unable to write to ") + path);
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    if (!SaveFileAtomically(path, bytes))
        cannotWrite(path);
}
} // namespace

ProgramFiles::ProgramFiles(const QString &installedFolder, const QString &userFolder)
    : m_installed(withSlash(installedFolder)), m_user(withSlash(userFolder))
{
    if (m_user == m_installed)
        m_user.clear();
}

QString ProgramFiles::installedPath(const QString &name) const
{
    return FindEntryIgnoringCase(m_installed, name);
}

QString ProgramFiles::userPath(const QString &name) const
{
    return layered() ? FindEntryIgnoringCase(m_user, name) : QString();
}

QString ProgramFiles::readPath(const QString &name) const
{
    const QString own = userPath(name);
    if (!own.isEmpty())
        return own;
    const QString installed = installedPath(name);
    if (!installed.isEmpty() && !isHidden(name))
        return installed;
    return userFolder() + name;
}

bool ProgramFiles::exists(const QString &name) const
{
    return !userPath(name).isEmpty() || (!installedPath(name).isEmpty() && !isHidden(name));
}

void ProgramFiles::makeUserFolder() const
{
    if (!QDir().mkpath(userFolder()))
        cannotWrite(userFolder());
}

QString ProgramFiles::writePath(const QString &name) const
{
    if (!layered()) {
        const QString found = installedPath(name);
        return found.isEmpty() ? m_installed + name : found;
    }
    const QString own = userPath(name);
    if (!own.isEmpty())
        return own;
    makeUserFolder();
    const QString target = m_user + name;
    const QString installed = installedPath(name);
    if (!installed.isEmpty() && QFileInfo(installed).isFile() && !isHidden(name)) {
        QFile source(installed);
        if (!source.open(QIODevice::ReadOnly))
            throw LumoError(QStringLiteral("Cannot read ") + installed);
        writeWhole(target, source.readAll());
    }
    if (isHidden(name)) {
        QStringList hidden = hiddenNames();
        hidden.removeIf([&](const QString &entry) { return entry.compare(name, Qt::CaseInsensitive) == 0; });
        writeHidden(hidden);
    }
    return target;
}

QStringList ProgramFiles::list(const QString &wildcard) const
{
    // Keyed by the upper-cased name: the user's copy replaces the installed one of equal name,
    // and the map's order is the folder listing's order.
    QMap<QString, QString> byName;
    const QStringList hidden = hiddenNames();
    for (const QString &name : ListFiles(m_installed, wildcard))
        if (!hidden.contains(name, Qt::CaseInsensitive))
            byName.insert(folded(name), m_installed + name);
    if (layered())
        for (const QString &name : ListFiles(m_user, wildcard))
            if (name != hiddenRecordName())
                byName.insert(folded(name), m_user + name);
    return byName.values();
}

void ProgramFiles::remove(const QString &name) const
{
    const QString own = layered() ? userPath(name) : installedPath(name);
    if (!own.isEmpty() && !QFile::remove(own))
        cannotWrite(own);
    if (layered() && !installedPath(name).isEmpty() && !isHidden(name)) {
        makeUserFolder();
        writeHidden(hiddenNames() << name);
    }
}

QStringList ProgramFiles::hiddenNames() const
{
    if (!layered())
        return {};
    QFile file(m_user + hiddenRecordName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

bool ProgramFiles::isHidden(const QString &name) const
{
    return hiddenNames().contains(name, Qt::CaseInsensitive);
}

void ProgramFiles::writeHidden(const QStringList &names) const
{
    const QString path = m_user + hiddenRecordName();
    if (names.isEmpty()) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            cannotWrite(path);
        return;
    }
    writeWhole(path, names.join(u'\n').toUtf8() + '\n');
}
