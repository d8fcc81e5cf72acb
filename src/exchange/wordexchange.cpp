#include "exchange/wordexchange.h"

#include "exchange/csvreader.h"
#include "exchange/exchangeerror.h"
#include "exchange/kvtmlreader.h"
#include "exchange/wordexporter.h"

WordListFormat WordExchange::formatOf(const QString &path)
{
    const std::optional<WordListFormat> format = WordListFormats::ofPath(path);
    if (!format)
        throw ExchangeError(ExchangeError::Kind::NotText, path);
    return *format;
}

WordTable WordExchange::readFile(const QString &path, WordListFormat format, QChar separator, int maxRows)
{
    if (format == WordListFormat::Kvtml) {
        WordTable table = KvtmlReader::read(path);
        if (maxRows > 0 && table.rows.size() > maxRows)
            table.rows.resize(maxRows);
        return table;
    }
    const DecodedText text = CsvReader::readText(path);
    if (separator.isNull())
        separator = CsvReader::detectSeparator(text.text, WordListFormats::separator(format));
    WordTable table = CsvReader::parse(text.text, separator, path, maxRows);
    table.encoding = EncodingName(text.encoding);
    table.replacedBytes = text.replaced;
    return table;
}

ImportResult WordExchange::importFile(const QString &file, const QString &descriptorPath,
                                      std::optional<ImportChoice> choice,
                                      const WordImporter::Progress &progress)
{
    const WordTable table = readFile(file, formatOf(file));
    return WordImporter::importInto(descriptorPath, table, choice ? *choice : WordImporter::suggest(table),
                                    progress);
}

int WordExchange::exportUnit(const QString &descriptorPath, const QString &file,
                             std::optional<WordListFormat> format)
{
    const WordList list = WordExporter::readUnit(descriptorPath);
    WordExporter::write(list, file, format ? *format : formatOf(file));
    return int(list.pairs.size());
}
