// Reads an INI file of any bytes, writes one key and reads it back: the value comes back as
// the writer promises, and every other key of the section keeps its value.
#include "fuzzfolder.h"
#include "platform/ini/inidocument.h"
#include "platform/ini/inifile.h"

#include <QHash>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {
QString take(FuzzedDataProvider &input, size_t most)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(most));
}

QHash<QString, QString> sectionValues(const IniFile &ini, const QString &section)
{
    QHash<QString, QString> values;
    for (const QString &key : ini.readSection(section))
        values.insert(key, ini.readString(section, key, QStringLiteral("<missing>")));
    return values;
}

// What reading gives back after writing value: line breaks became blanks, and a reader
// takes at most MaxValueLength characters.
QString expectedBack(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value.left(IniFile::MaxValueLength);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = take(input, 24);
    const QString key = take(input, 24);
    const QString value = take(input, 1400);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString path =
        WriteFuzzFile(QStringLiteral("fuzz.ini"), QByteArray(rest.data(), qsizetype(rest.size())));

    const IniFile ini(path);
    ini.sectionExists(section);
    ini.valueExists(section, key);
    ini.readInteger(section, key, -1);
    const QHash<QString, QString> before = sectionValues(ini, section);
    if (!IniDocument::isWritableSectionName(section) || !IniDocument::isWritableKeyName(key))
        return 0;

    IniFile(path).writeString(section, key, value);
    if (ini.readString(section, key, QStringLiteral("<missing>")) != expectedBack(value))
        std::abort();
    const QHash<QString, QString> after = sectionValues(ini, section);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key().trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            continue;
        if (after.value(it.key(), QStringLiteral("<gone>")) != it.value())
            std::abort();
    }
    return 0;
}
