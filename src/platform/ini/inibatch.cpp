#include "platform/ini/inibatch.h"

#include "platform/atomicfile.h"
#include "platform/ini/inicache.h"
#include "platform/ini/inifile.h"
#include "platform/newfile.h"
#include "platform/textdecoding.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Read straight from the disk: an edit must start from the bytes that are there now.
IniDocument loadForEdit(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return IniDocument();
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw IniWriteError(path);
    return IniDocument::parse(DecodeText(file.readAll()));
}

void save(const QString &path, const IniDocument &document)
{
    const QFileInfo info(path);
    // Replacing the file by renaming would get past a read-only file; refuse as the old
    // platform did.
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        throw IniWriteError(path);
    if (!SaveFileAtomically(path, document.toText().toUtf8()))
        throw IniWriteError(path);
    IniCache::forget(path);
}
} // namespace

IniBatch::IniBatch(QString path) : m_path(std::move(path)), m_document(loadForEdit(m_path)) {}

void IniBatch::writeString(const QString &section, const QString &key, const QString &value)
{
    // A name the file could not give back would be a write that silently does nothing.
    if (!IniDocument::isWritableSectionName(section) || !IniDocument::isWritableKeyName(key))
        throw IniWriteError(m_path);
    m_document.setValue(section, key, value);
    m_changed = true;
}

void IniBatch::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniBatch::eraseSection(const QString &section)
{
    if (m_document.removeSection(section))
        m_changed = true;
}

void IniBatch::commit()
{
    if (!m_changed)
        return;
    save(m_path, m_document);
    m_changed = false;
}

bool IniBatch::commitAsNew()
{
    switch (NewFile::save(m_path, m_document.toText().toUtf8())) {
    case NewFile::Result::Placed: break;
    case NewFile::Result::Exists: return false;
    case NewFile::Result::Failed: throw IniWriteError(m_path);
    }
    IniCache::forget(m_path);
    m_changed = false;
    return true;
}
