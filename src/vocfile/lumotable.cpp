#include "vocfile/lumotable.h"

#include "platform/messageservice.h"
#include "vocfile/entrysidetables.h"
#include "vocfile/unitfields.h"

#include <QFileInfo>

TLumoTable::TLumoTable(MessageService &messages, QObject *parent) : SqliteTable(parent), m_messages(messages)
{
    setExclusive(true);
    // A unit's file may be opened with its triggers off, the program's own among them.
    setDeleteCompanion([](SqliteDatabase &db, qint64 key) { EntrySideTables::forgetEntry(db, key); });
    // Compacting alone keeps every row; the reviews of deleted entries go only when the unit
    // is packed, so that until then an undone delete finds its entry's history again.
    setPackCompanion([](SqliteDatabase &db) { EntrySideTables::forgetOrphans(db); });
}

QList<FieldDef> TLumoTable::schemaFields()
{
    return {
        {QStringLiteral("Count"), FieldType::AutoInc, 0},
        {QStringLiteral("NativeLanguage"), FieldType::String, MaxTextLength},
        {QStringLiteral("ForeignLanguage"), FieldType::String, MaxTextLength},
        {QStringLiteral("Type"), FieldType::SmallInt, 0},
        {QStringLiteral("NativeSound"), FieldType::Blob, 0},
        {QStringLiteral("ForeignSound"), FieldType::Blob, 0},
        {QStringLiteral("Mistakes"), FieldType::Integer, 0},
    };
}

QList<IndexDef> TLumoTable::schemaIndexes()
{
    return {
        {QString(), QStringLiteral("Count"), true, false},
        {QStringLiteral("NativeIndex"), QStringLiteral("NativeLanguage"), false, true},
        {QStringLiteral("ForeignIndex"), QStringLiteral("ForeignLanguage"), false, true},
    };
}

QString TLumoTable::vocabularyFile() const
{
    return m_vocabularyFile;
}

void TLumoTable::setVocabularyFile(const QString &path)
{
    // A table is never looked for, or made, in whatever folder the program was started from.
    if (path.isEmpty())
        throw TableError(QStringLiteral("No file was given for the unit's table."));
    if (QFileInfo(path).isRelative())
        throw TableError(QStringLiteral("The unit's table must be given with its full path: ") + path);
    close();
    const int split = int(path.lastIndexOf(QLatin1Char('/'))) + 1;
    m_vocabularyFile = path;
    setDatabaseName(path.left(split));
    setTableName(path.mid(split));
    const QFileInfo file(path);
    if (file.exists() && !file.isDir())
        return; // an existing table is bound as it is, whatever its structure
    try {
        setFieldDefs(schemaFields());
        setIndexDefs(schemaIndexes());
        createTable();
    } catch (...) {
        m_messages.plain(QStringLiteral("Could not create database!"));
        m_vocabularyFile.clear();
        setDatabaseName(QString());
        setTableName(QString());
    }
}

void TLumoTable::openChecked()
{
    open();
    try {
        UnitFields(*this).require(UnitFields::all());
    } catch (...) {
        close();
        throw;
    }
}

bool TLumoTable::Pack()
{
    const BusyScope busy(*m_busy);
    if (tableName().isEmpty())
        return true;
    try {
        close();
        return vacuum();
    } catch (...) {
        return false;
    }
}
