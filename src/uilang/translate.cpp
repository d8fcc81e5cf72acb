#include "uilang/translate.h"

#include "platform/ini/inifile.h"

#include <QFileInfo>

QString Translate(const QString &languageFile, const QString &section, const QString &key,
                  const QString &defaultValue)
{
    if (languageFile.isEmpty() || !QFileInfo(languageFile).isFile())
        return defaultValue;
    return IniFile(languageFile).readString(section, key, defaultValue);
}
