#include "exchange/wordimporter.h"

#include "exchange/exchangeerror.h"
#include "exchange/languagecodes.h"
#include "exchange/wordexporter.h"
#include "exchange/wordtypenames.h"
#include "platform/newfile.h"
#include "platform/table/sqlitetable.h"
#include "platform/table/tablefile.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitdialogcommit.h"
#include "vocfile/unitfields.h"
#include "vocfile/unitfiles.h"
#include "vocfile/vocabularylanguages.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
QString cell(const WordTable::Row &row, int column)
{
    return column >= 0 && column < row.cells.size() ? row.cells.at(column) : QString();
}

// An entry holds one line of at most the table's length.
QString entryText(const QString &word, int &cut)
{
    QString text = word.trimmed();
    if (text.size() > TLumoTable::MaxTextLength) {
        text.truncate(TLumoTable::MaxTextLength);
        ++cut;
    }
    return text;
}

// Names a header row may use for a language beside our own: the language without its
// country, taken as the country our locale codes choose for it alone ("pt" is Brazilian).
const struct
{
    const char *name;
    int language;
} PlainLanguageNames[] = {{"English", vlBritishEnglish}, {"Portuguese", vlBrazilian}};

// A header cell naming a language as our export writes it ("German"), plainly ("English"),
// or by its locale code ("de_CH"); -1 when it names none.
int languageNamed(const QString &text, bool codes)
{
    const QString name = text.trimmed();
    for (int language = 0; language < LanguageCount; ++language)
        if (name.compare(LanguageEnglishName(language), Qt::CaseInsensitive) == 0)
            return language;
    for (const auto &plain : PlainLanguageNames)
        if (name.compare(QLatin1String(plain.name), Qt::CaseInsensitive) == 0)
            return plain.language;
    const int coded = codes ? LanguageCodes::languageOf(name) : 0;
    return coded > 0 ? coded : -1;
}

void removeScratchTable(const QString &scratchPath)
{
    QFile::remove(scratchPath);
    QFile::remove(scratchPath + QStringLiteral("-journal"));
}

void bindTable(SqliteTable &table, const QString &tablePath, bool create)
{
    const QFileInfo file(tablePath);
    table.setDatabaseName(file.absolutePath() + u'/');
    table.setTableName(file.fileName());
    table.setExclusive(true);
    if (create) {
        table.setFieldDefs(TLumoTable::schemaFields());
        table.setIndexDefs(TLumoTable::schemaIndexes());
        table.createTable();
    }
}

// Appends in one transaction; false when the progress asked to stop, and nothing is kept.
bool appendAll(SqliteTable &table, const QList<WordPair> &pairs, const WordImporter::Progress &progress)
{
    table.open();
    // A table made elsewhere may hold its fields in another order and key its records by
    // another name; the fields a new word fills must be there.
    using F = TLumoTable::Field;
    const UnitFields fields =
        UnitFields::required(table, {F::NativeLanguage, F::ForeignLanguage, F::Type, F::Mistakes});
    table.disableControls();
    table.startTransaction();
    try {
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            if (progress && i % WordImporter::ProgressStep == 0 && !progress(i, pairs.size())) {
                table.rollback();
                return false;
            }
            const WordPair &pair = pairs.at(i);
            table.appendRecord(
                fields.record({QVariant(), pair.native, pair.foreign, pair.type, QVariant(), QVariant(), 0}));
        }
        table.commit();
    } catch (...) {
        try {
            table.rollback();
        } catch (...) {
            // The error that ended the transaction is the one to report.
        }
        throw;
    }
    if (progress)
        progress(pairs.size(), pairs.size());
    return true;
}
} // namespace

bool WordImporter::holdsWordType(const WordTable::Row &row, int column)
{
    const QString text = cell(row, column).trimmed();
    return !text.isEmpty() && WordTypeNames::parse(text) >= 0;
}

ImportChoice WordImporter::suggest(const WordTable &table)
{
    ImportChoice choice;
    if (!table.columnLanguages.isEmpty()) {
        choice.nativeLanguage = table.columnLanguages.value(0);
        choice.foreignLanguage = table.columnLanguages.value(1);
        return choice;
    }
    // A third column whose cells name word types is taken as the type column; its first cell
    // naming none while the next ones do marks a header row, as the export writes it.
    const qsizetype sample = std::min<qsizetype>(table.rows.size(), 20);
    int typed = 0;
    int filled = 0;
    for (qsizetype i = 1; i < sample; ++i) {
        const QString text = cell(table.rows.at(i), 2).trimmed();
        filled += text.isEmpty() ? 0 : 1;
        typed += holdsWordType(table.rows.at(i), 2) ? 1 : 0;
    }
    if (table.columnCount >= 3 && filled > 0 && typed * 2 > filled) {
        choice.typeColumn = 2;
        choice.header = !table.rows.isEmpty() && !holdsWordType(table.rows.first(), 2) &&
                        !cell(table.rows.first(), 2).trimmed().isEmpty();
    }
    // A first row naming two languages is a header whatever follows it, and tells a new
    // unit its languages; codes count only where the header is certain already, as a word
    // like "de" or "it" may well be a first entry.
    if (!table.rows.isEmpty()) {
        const WordTable::Row &first = table.rows.first();
        const int native = languageNamed(cell(first, 0), choice.header);
        const int foreign = languageNamed(cell(first, 1), choice.header);
        if (native >= 0 && foreign >= 0) {
            choice.header = true;
            choice.nativeLanguage = native;
            choice.foreignLanguage = foreign;
        }
    }
    return choice;
}

QList<WordPair> WordImporter::pairsOf(const WordTable &table, const ImportChoice &choice,
                                      ImportResult &result)
{
    QList<WordPair> pairs;
    pairs.reserve(table.rows.size());
    // A KVTML entry lacking a language has an empty word there, as a grid entry may; only a
    // CSV row can be too short.
    const int needed =
        table.columnLanguages.isEmpty() ? std::max(choice.nativeColumn, choice.foreignColumn) + 1 : 0;
    for (qsizetype i = choice.header ? 1 : 0; i < table.rows.size(); ++i) {
        const WordTable::Row &row = table.rows.at(i);
        WordPair pair;
        pair.native = entryText(cell(row, choice.nativeColumn), result.cut);
        pair.foreign = entryText(cell(row, choice.foreignColumn), result.cut);
        if (row.cells.size() < needed || (pair.native.isEmpty() && pair.foreign.isEmpty())) {
            if (result.skipped++ == 0)
                result.firstSkippedLine = row.line;
            continue;
        }
        int type = row.type;
        if (choice.typeColumn >= 0) {
            type = WordTypeNames::parse(cell(row, choice.typeColumn));
            if (type < 0)
                ++result.unknownTypes;
        }
        pair.type = std::max(type, 0);
        pairs.append(pair);
    }
    return pairs;
}

WordImporter::SidePairs WordImporter::unitPairs(const QString &descriptorPath)
{
    SidePairs pairs;
    if (!QFileInfo::exists(UnitFiles::tablePathOf(descriptorPath)))
        return pairs;
    const WordList unit = WordExporter::readUnit(descriptorPath);
    pairs.reserve(unit.pairs.size());
    for (const WordPair &pair : unit.pairs)
        pairs.insert({pair.native, pair.foreign});
    return pairs;
}

int WordImporter::countExisting(const QList<WordPair> &pairs, const SidePairs &inUnit)
{
    return int(std::count_if(pairs.cbegin(), pairs.cend(), [&inUnit](const WordPair &pair) {
        return inUnit.contains({pair.native, pair.foreign});
    }));
}

ImportResult WordImporter::importInto(const QString &descriptorPath, const WordTable &table,
                                      const ImportChoice &choice, const Progress &progress)
{
    ImportResult result;
    result.descriptor = descriptorPath;
    QList<WordPair> pairs = pairsOf(table, choice, result);
    if (pairs.isEmpty())
        throw ExchangeError(ExchangeError::Kind::NoWords, descriptorPath);
    const SidePairs inUnit = unitPairs(descriptorPath);
    result.existing = countExisting(pairs, inUnit);
    if (choice.skipExisting && result.existing > 0) {
        pairs.removeIf([&inUnit](const WordPair &pair) {
            return inUnit.contains({pair.native, pair.foreign});
        });
        // Nothing new is no failure: the list is in the unit already.
        if (pairs.isEmpty())
            return result;
    }
    result.createdUnit = !QFileInfo::exists(descriptorPath);
    const QString tablePath = UnitFiles::tablePathOf(descriptorPath);
    const bool createTable = !QFileInfo::exists(tablePath);
    const QFileInfo unit(descriptorPath);
    if ((result.createdUnit || createTable) &&
        !UnitDialogCommit::fitsFolder(unit.absolutePath() + u'/', unit.completeBaseName()))
        throw LumoError(UnitDialogCommit::defaultNameTooLongMessage() + QStringLiteral("\r\n") +
                        descriptorPath);
    // A new table is filled under a scratch name of its own and placed whole at the end, so
    // that no other program sees it half made, and a process that loses the race for the
    // name never removes the table of the one that won.
    const QString fillPath =
        createTable ? NewFile::scratchPath(QFileInfo(tablePath).absolutePath() + u'/', QStringLiteral(".db"))
                    : tablePath;
    SqliteTable target;
    NewFile::Identity placed;
    try {
        bindTable(target, fillPath, createTable);
        result.cancelled = !appendAll(target, pairs, progress);
        target.close();
        if (createTable && !result.cancelled) {
            placed = NewFile::identityOf(fillPath);
            TableFile::place(fillPath, tablePath);
        }
    } catch (const TableError &error) {
        target.close();
        if (!createTable)
            throw;
        removeScratchTable(fillPath);
        // The scratch file's name means nothing to the user; the unit's table's does.
        throw TableError(QString(error.message()).replace(fillPath, tablePath));
    } catch (...) {
        target.close();
        if (createTable)
            removeScratchTable(fillPath);
        throw;
    }
    if (result.cancelled && createTable)
        removeScratchTable(fillPath);
    // The descriptor comes last, so that a unit only shows once its words are in. One that
    // another program made meanwhile is its unit, which now holds our words too.
    if (result.createdUnit && !result.cancelled) {
        try {
            result.createdUnit =
                UnitDescriptor(descriptorPath)
                    .create(choice.nativeLanguage, choice.foreignLanguage, choice.description,
                            QString::fromLatin1(UnitDescriptor::DefaultFont));
        } catch (...) {
            if (createTable)
                NewFile::removeIfStill(tablePath, placed);
            throw;
        }
    }
    result.imported = result.cancelled ? 0 : int(pairs.size());
    return result;
}
