#include "uilang/translate.h"

#include "platform/ini/inifile.h"

#include <QFileInfo>

namespace {
TranslateObserver &observer()
{
    static TranslateObserver current;
    return current;
}
} // namespace

void SetTranslateObserver(TranslateObserver observer)
{
    ::observer() = std::move(observer);
}

QString Translate(const QString &languageFile, const QString &section, const QString &key,
                  const QString &defaultValue)
{
    if (languageFile.isEmpty())
        return defaultValue;
    if (const TranslateObserver &notify = observer())
        notify(section, key);
    if (!QFileInfo(languageFile).isFile())
        return defaultValue;
    return IniFile(languageFile).readString(section, key, defaultValue);
}
