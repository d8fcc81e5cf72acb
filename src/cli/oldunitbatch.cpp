#include "cli/oldunitbatch.h"

#include "cli/progressline.h"
#include "platform/lumoerror.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitconverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

OldUnitBatch::OldUnitBatch(QStringList oldFiles, QString folder) : m_oldFiles(std::move(oldFiles))
{
    m_folder = QFileInfo(folder).absoluteFilePath();
    if (!m_folder.endsWith(u'/'))
        m_folder += u'/';
}

void OldUnitBatch::check() const
{
    for (const QString &old : m_oldFiles) {
        const QFileInfo file(old);
        if (!file.exists())
            throw LumoError(QStringLiteral("No such file: ") + old);
        if (!file.isFile())
            throw LumoError(QStringLiteral("This is not a file: ") + old);
        if (file.size() == 0)
            throw LumoError(QStringLiteral("The old unit is empty (0 bytes): ") + old);
        if (QFile probe(old); !probe.open(QIODevice::ReadOnly))
            throw LumoError(QStringLiteral("Cannot read the old unit: ") + old);
    }
    if (!QFileInfo(m_folder).isDir())
        throw LumoError(QStringLiteral("No such folder: ") + m_folder);
    for (const QString &old : m_oldFiles)
        UnitConverter::checkName(old, m_folder);
    // Root may write where the permissions say no; only a real write tells.
    QTemporaryFile probe(m_folder + QStringLiteral(".lumo-tool-XXXXXX"));
    if (!probe.open())
        throw LumoError(QStringLiteral("Unable to write to ") + m_folder);
}

QStringList OldUnitBatch::convert(MessageService &messages, ProgressLine &progress) const
{
    TLumoTable table(messages);
    QStringList made;
    for (const QString &old : m_oldFiles) {
        progress.show(int(made.size()) + 1, int(m_oldFiles.size()),
                      QStringLiteral("Converting: ") + QFileInfo(old).fileName() + QStringLiteral(" ..."));
        made.append(UnitConverter(table).convert(old, m_folder));
    }
    progress.finish();
    return made;
}
