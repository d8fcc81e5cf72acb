#include "uilang/uilanguagelist.h"

#include "platform/ini/inifile.h"
#include "platform/programfolder.h"

QList<UiLanguage> ListUiLanguages(const QString &folder, const QString &extension)
{
    QList<UiLanguage> languages;
    for (const QString &path : ListFilePaths(folder, QStringLiteral("*.") + extension)) {
        const QString description = IniFile(path).readString(
            QStringLiteral("general"), QStringLiteral("Description"), QStringLiteral("error"));
        if (description != QLatin1String("error"))
            languages.append({description, path});
    }
    return languages;
}
