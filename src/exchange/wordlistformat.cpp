#include "exchange/wordlistformat.h"

#include <QFileInfo>

std::optional<WordListFormat> WordListFormats::ofPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv")
        return WordListFormat::Csv;
    if (suffix == u"tsv" || suffix == u"tab" || suffix == u"txt")
        return WordListFormat::Tsv;
    if (suffix == u"kvtml")
        return WordListFormat::Kvtml;
    return std::nullopt;
}

QString WordListFormats::extension(WordListFormat format)
{
    switch (format) {
    case WordListFormat::Csv: return QStringLiteral("csv");
    case WordListFormat::Tsv: return QStringLiteral("tsv");
    case WordListFormat::Kvtml: return QStringLiteral("kvtml");
    }
    return QString();
}

QChar WordListFormats::separator(WordListFormat format)
{
    return format == WordListFormat::Csv ? u',' : u'\t';
}

QString WordListFormats::nameFilter(WordListFormat format)
{
    switch (format) {
    case WordListFormat::Csv: return QStringLiteral("CSV (*.csv *.CSV)");
    case WordListFormat::Tsv: return QStringLiteral("TSV (*.tsv *.TSV *.tab *.txt)");
    case WordListFormat::Kvtml: return QStringLiteral("KVTML (*.kvtml *.KVTML)");
    }
    return QString();
}

QString WordListFormats::allNameFilter()
{
    return QStringLiteral("Word lists (*.csv *.CSV *.tsv *.TSV *.tab *.txt *.kvtml *.KVTML)");
}
