#include "logbook/filesnapshot.h"

#include "platform/atomicfile.h"
#include "platform/ini/inicache.h"
#include "platform/lumoerror.h"

#include <QFile>
#include <QFileInfo>

FileSnapshot::FileSnapshot(QString path) : m_path(std::move(path))
{
    const QFileInfo info(m_path);
    m_existed = info.exists();
    if (!m_existed)
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        throw LumoError(QStringLiteral("Unable to read ") + m_path);
    m_bytes = file.readAll();
}

void FileSnapshot::restore() const noexcept
{
    try {
        if (!m_existed) {
            QFile::remove(m_path);
        } else {
            SaveFileAtomically(m_path, m_bytes);
        }
        IniCache::forget(m_path);
    } catch (...) {
        // The first error is the one the user hears of.
    }
}
