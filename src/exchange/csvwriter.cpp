#include "exchange/csvwriter.h"

#include "exchange/csvreader.h"
#include "exchange/wordtypenames.h"
#include "vocfile/vocabularylanguages.h"

QString CsvWriter::quoted(const QString &field, QChar separator)
{
    bool needsQuotes = field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r') ||
                       field.startsWith(u' ') || field.endsWith(u' ') || field.contains(separator);
    for (QChar other : CsvReader::separators())
        needsQuotes = needsQuotes || field.contains(other);
    if (!needsQuotes)
        return field;
    QString escaped = field;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString CsvWriter::text(const WordList &list, QChar separator)
{
    QString out;
    const auto row = [&out, separator](const QString &a, const QString &b, const QString &c) {
        out += quoted(a, separator) + separator + quoted(b, separator) + separator + quoted(c, separator) +
               QStringLiteral("\r\n");
    };
    row(LanguageEnglishName(list.nativeLanguage), LanguageEnglishName(list.foreignLanguage),
        headerTypeName());
    for (const WordPair &pair : list.pairs)
        row(pair.native, pair.foreign, WordTypeNames::name(pair.type));
    return out;
}
