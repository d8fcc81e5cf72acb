#include "voctest/testvariantlist.h"

#include "platform/inifile.h"
#include "platform/programfolder.h"

void TestVariantList::load(const QString &folder)
{
    m_descriptions.clear();
    m_types.clear();
    m_paths.clear();
    for (const QString &path : ListFilePaths(folder, QStringLiteral("*.ltf"))) {
        const IniFile ini(path);
        const QString description = ini.readString(QStringLiteral("settings"), QStringLiteral("Description"),
                                                   QStringLiteral("error"));
        if (description == QStringLiteral("error"))
            continue;
        m_descriptions.append(description);
        m_types.append(ini.readString(QStringLiteral("settings"), QStringLiteral("TestType"),
                                      QStringLiteral("standard")));
        m_paths.append(path);
    }
}
