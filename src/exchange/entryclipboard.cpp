#include "exchange/entryclipboard.h"

#include "exchange/csvreader.h"
#include "exchange/csvwriter.h"
#include "exchange/wordimporter.h"
#include "exchange/wordtypenames.h"
#include "platform/table/sqlitetable.h"
#include "vocfile/unitfields.h"

namespace {
constexpr QChar Tab = u'\t';
} // namespace

QString EntryClipboard::text(const QList<WordPair> &pairs)
{
    QString text;
    for (const WordPair &pair : pairs)
        text += CsvWriter::quoted(pair.native, Tab) + Tab + CsvWriter::quoted(pair.foreign, Tab) + Tab +
                WordTypeNames::name(pair.type) + u'\n';
    return text;
}

bool EntryClipboard::holdsEntries(const QString &text)
{
    QString lines = text;
    while (lines.endsWith(u'\n') || lines.endsWith(u'\r'))
        lines.chop(1);
    return lines.contains(Tab) || lines.contains(u'\n') || lines.contains(u'\r');
}

QList<WordPair> EntryClipboard::pairsOf(const QString &text, bool intoForeign, ImportResult &result)
{
    const WordTable table = CsvReader::parse(text, Tab, QString());
    ImportChoice choice = WordImporter::suggest(table);
    if (table.columnCount == 1) {
        // A column from a spreadsheet: the words of one side.
        choice.nativeColumn = intoForeign ? -1 : 0;
        choice.foreignColumn = intoForeign ? 0 : -1;
        choice.header = false;
    }
    return WordImporter::pairsOf(table, choice, result);
}

QList<qint64> EntryClipboard::append(SqliteTable &table, const QList<WordPair> &pairs)
{
    using F = TLumoTable::Field;
    const UnitFields fields =
        UnitFields::required(table, {F::NativeLanguage, F::ForeignLanguage, F::Type, F::Mistakes});
    QList<qint64> keys;
    keys.reserve(pairs.size());
    table.disableControls();
    table.startTransaction();
    try {
        for (const WordPair &pair : pairs) {
            table.appendRecord(
                fields.record({QVariant(), pair.native, pair.foreign, pair.type, QVariant(), QVariant(), 0}));
            keys.append(table.currentKey());
        }
        table.commit();
    } catch (...) {
        try {
            table.rollback();
        } catch (...) {
            // The error that ended the transaction is the one to report.
        }
        table.enableControls();
        throw;
    }
    table.enableControls();
    return keys;
}
