#include "voctest/testvariantlist.h"

#include "platform/folderlisting.h"
#include "platform/inifile.h"

#include <QDir>

void TestVariantList::load(const QString &folder)
{
    m_descriptions.clear();
    m_types.clear();
    m_paths.clear();
    const QDir dir(folder);
    for (const QString &name : ListFiles(folder, QStringLiteral("*.ltf"))) {
        const IniFile ini(dir.filePath(name));
        const QString description = ini.readString(QStringLiteral("settings"), QStringLiteral("Description"),
                                                   QStringLiteral("error"));
        if (description == QStringLiteral("error"))
            continue;
        m_descriptions.append(description);
        m_types.append(ini.readString(QStringLiteral("settings"), QStringLiteral("TestType"),
                                      QStringLiteral("standard")));
        m_paths.append(dir.filePath(name));
    }
}
