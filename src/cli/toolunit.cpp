#include "cli/toolunit.h"

#include "platform/lumoerror.h"
#include "vocfile/unitfiles.h"

#include <QFile>
#include <QFileInfo>

ToolUnit::ToolUnit(const QString &descriptor)
{
    const QFileInfo file(descriptor);
    if (!file.exists())
        throw LumoError(QStringLiteral("No such unit: ") + descriptor);
    if (file.isDir())
        throw LumoError(QStringLiteral("This is a folder, not a unit: ") + descriptor);
    if (!UnitFiles::isDescriptor(file.fileName()))
        throw LumoError(QStringLiteral("This is not a unit descriptor (.lif): ") + descriptor);
    if (QFile unit(file.absoluteFilePath()); !unit.open(QIODevice::ReadOnly))
        throw LumoError(QStringLiteral("Cannot read the unit: ") + descriptor);
    m_descriptor = file.absoluteFilePath();
    m_table = UnitFiles::tablePathOf(m_descriptor);
    if (!QFileInfo(m_table).isFile())
        throw LumoError(QStringLiteral("The unit has no table: ") + m_table);
}
