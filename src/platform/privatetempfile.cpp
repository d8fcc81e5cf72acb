#include "platform/privatetempfile.h"

#include "platform/programfolder.h"
#include "platform/sound/wavewriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

PrivateTempFile::PrivateTempFile(const QString &name) : m_name(name) {}

PrivateTempFile::~PrivateTempFile() = default;

QString PrivateTempFile::path() const
{
    return m_folder ? m_folder->filePath(m_name) : QString();
}

bool PrivateTempFile::makeFolder()
{
    if (m_folder)
        return true;
    // QTemporaryDir makes the folder with owner-only rights and a name nobody can foresee.
    for (const QString &base : {QDir::tempPath() + u'/', ProgramFolder()}) {
        if (base.size() <= 1)
            continue;
        auto folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("lumo-XXXXXX"));
        if (folder->isValid()) {
            m_folder = std::move(folder);
            return true;
        }
    }
    return false;
}

bool PrivateTempFile::write(const QByteArray &bytes)
{
    if (!makeFolder())
        return false;
    try {
        WaveWriter::saveBytes(path(), bytes);
    } catch (const WaveWriteError &) {
        return false;
    }
    return QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray PrivateTempFile::read() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
