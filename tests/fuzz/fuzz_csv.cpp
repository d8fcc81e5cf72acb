// A CSV or TSV word list of any bytes: decoded, its separator detected, parsed. A malformed
// file is refused with an error naming its line, never a crash.
#include "exchange/csvreader.h"
#include "exchange/exchangeerror.h"
#include "fuzzfolder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = WriteFuzzFile(QStringLiteral("list.csv"),
                                       QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    try {
        const DecodedText decoded = CsvReader::readText(path);
        // Every replaced byte shows as U+FFFD; a text read as Windows-1252 replaces none.
        if (decoded.replaced > decoded.text.count(QChar::ReplacementCharacter) ||
            (decoded.encoding == TextEncoding::Windows1252 && decoded.replaced != 0))
            std::abort();
        const QString &text = decoded.text;
        const QChar separator = CsvReader::detectSeparator(text);
        if (!CsvReader::separators().contains(separator))
            std::abort();
        const WordTable table = CsvReader::parse(text, separator, path);
        for (const WordTable::Row &row : table.rows)
            if (row.cells.size() > table.columnCount || row.line < 1)
                std::abort();
    } catch (const ExchangeError &) {
    }
    return 0;
}
