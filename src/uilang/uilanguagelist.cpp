#include "uilang/uilanguagelist.h"

#include "platform/folderlisting.h"
#include "platform/inifile.h"

QList<UiLanguage> ListUiLanguages(const QString &folder, const QString &extension)
{
    QList<UiLanguage> languages;
    for (const QString &name : ListFiles(folder, QStringLiteral("*.") + extension)) {
        const QString path = folder + name;
        const QString description = IniFile(path).readString(
            QStringLiteral("general"), QStringLiteral("Description"), QStringLiteral("error"));
        if (description != QLatin1String("error"))
            languages.append({description, path});
    }
    return languages;
}
