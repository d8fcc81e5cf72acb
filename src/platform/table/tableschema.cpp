#include "platform/table/tableschema.h"

#include "platform/table/schemaobjects.h"
#include "platform/table/sqlitedatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>
#include <limits>
#include <sqlite3.h>

namespace {

const char *declaredType(FieldType type)
{
    switch (type) {
    case FieldType::AutoInc: return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case FieldType::String: return "VARCHAR";
    case FieldType::SmallInt: return "SMALLINT";
    case FieldType::Integer: return "INTEGER";
    case FieldType::Blob: return "BLOB";
    }
    return "BLOB";
}

FieldDef fieldFromColumn(const QString &name, const QString &declared, bool primary)
{
    const QString type = declared.trimmed().toUpper();
    FieldDef def{name, FieldType::String, 0};
    if (primary && type == QLatin1String("INTEGER")) {
        def.type = FieldType::AutoInc;
    } else if (type.startsWith(QLatin1String("SMALLINT"))) {
        def.type = FieldType::SmallInt;
    } else if (type.startsWith(QLatin1String("INT"))) {
        def.type = FieldType::Integer;
    } else if (type.startsWith(QLatin1String("BLOB")) || type.isEmpty()) {
        def.type = FieldType::Blob;
    } else {
        static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        const QRegularExpressionMatch match = sizePattern.match(type);
        def.size = match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    return def;
}

// Cut to size without leaving half of a surrogate pair behind.
QString cutText(const QString &text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    int length = size;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

QVariant checkedInteger(const FieldDef &def, const QVariant &value)
{
    qint64 number = 0;
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        number = text.toLongLong(&ok);
        if (!ok)
            throw TableError(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                                 .arg(value.toString(), def.name));
    } else {
        bool ok = false;
        number = value.toLongLong(&ok);
        if (!ok)
            throw TableError(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                                 .arg(value.toString(), def.name));
    }
    const qint64 low = def.type == FieldType::SmallInt ? -32768 : std::numeric_limits<qint32>::min();
    const qint64 high = def.type == FieldType::SmallInt ? 32767 : std::numeric_limits<qint32>::max();
    if (number < low || number > high)
        throw TableError(
            QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                .arg(number)
                .arg(def.name)
                .arg(low)
                .arg(high));
    return int(number);
}

// The one piece of SQL our own units carry beside their tables and indexes, as SQLite keeps
// its text: it removed an entry's review states with the entry.
const char *const ReviewStateTrigger =
    "CREATE TRIGGER review_state_forget AFTER DELETE ON \"vocabulary\" BEGIN "
    "DELETE FROM \"review_state\" WHERE entry = old.rowid; END";

bool isOwnCode(const SchemaObjects::Object &object)
{
    return object.type == QLatin1String("trigger") && object.sql == QLatin1String(ReviewStateTrigger);
}

// A data table whose rows have no row id: every read of ours goes by it.
bool lacksRowIds(const SqliteDatabase &db)
{
    SqliteStatement list(db, QStringLiteral("SELECT wr FROM pragma_table_list(?)"));
    list.bindText(1, QLatin1String(TableSchema::DataTable));
    const bool withoutRowIds = list.step() && list.int64(0) != 0;
    list.reset();
    return withoutRowIds;
}

// Refuses a file whose schema would run SQL of its own (triggers, views, virtual tables,
// indexes on expressions, partial or in unknown collations, defaults that are expressions,
// generated columns) or whose data table we cannot use, before anything else reads it.
// Reading the schema runs nothing: the connection is defensive, and a schema SQLite cannot
// even read is refused alike.
void refuseUnsafeSchema(const SqliteDatabase &db)
{
    const QString refusal = QStringLiteral("The file ") + db.path() +
                            QStringLiteral(" is not a vocabulary table this program can use safely.");
    try {
        const QList<SchemaObjects::Object> objects = SchemaObjects::read(db);
        for (const SchemaObjects::Object &object : SchemaObjects::foreignCode(db, objects))
            if (!isOwnCode(object))
                throw TableError(refusal);
        if (lacksRowIds(db) || SchemaObjects::computesOnWrite(db, QLatin1String(TableSchema::DataTable)))
            throw TableError(refusal);
    } catch (const SqliteError &error) {
        if (error.primaryCode() != SQLITE_ERROR)
            throw;
        throw TableError(refusal);
    }
}

} // namespace

QString TableSchema::quoted(const QString &name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QStringList TableSchema::createStatements(const QString &path) const
{
    if (fields.isEmpty())
        throw TableError(QStringLiteral("No fields are defined for the table ") + path);
    QStringList columns;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &def = fields.at(i);
        if (def.name.trimmed().isEmpty() || fieldIndex(def.name) != i)
            throw TableError(
                QStringLiteral("Invalid or duplicate field name '%1' for the table ").arg(def.name) + path);
        QString column = quoted(def.name) + QLatin1Char(' ') + QLatin1String(declaredType(def.type));
        if (def.type == FieldType::String && def.size > 0)
            column += QStringLiteral("(%1)").arg(def.size);
        columns.append(column);
    }
    QStringList statements{QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(DataTable), columns.join(", "))};
    for (const IndexDef &index : indexes) {
        const int field = fieldIndex(index.field);
        if (field < 0)
            throw TableError(
                QStringLiteral("Index on the unknown field '%1' for the table ").arg(index.field) + path);
        if (index.primary) {
            // The primary key is the auto-increment field itself.
            if (fields.at(field).type != FieldType::AutoInc)
                throw TableError(
                    QStringLiteral("The primary index of the table %1 must be on its auto-increment field")
                        .arg(path));
            continue;
        }
        const QString collate = index.caseInsensitive ? QStringLiteral(" COLLATE ") +
                                                            QLatin1String(SqliteDatabase::NoCaseCollation)
                                                      : QString();
        statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3%4)")
                              .arg(quoted(index.name), quoted(DataTable), quoted(index.field), collate));
    }
    return statements;
}

void TableSchema::verifyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        throw TableError(QStringLiteral("The table ") + path + QStringLiteral(" does not exist."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TableError(QStringLiteral("The table ") + path + QStringLiteral(" cannot be read: ") +
                         file.errorString());
    const QByteArray header = file.read(100);
    static const QByteArray magic("SQLite format 3\0", 16);
    // Bytes 18 and 19 are 1 for a rollback journal (2 would be WAL, which we never write);
    // bytes 68 to 71 hold the application id.
    const bool ours = header.size() == 100 && header.startsWith(magic) && header.at(18) == 1 &&
                      header.at(19) == 1 && qFromBigEndian<quint32>(header.constData() + 68) == ApplicationId;
    if (!ours)
        throw TableError(QStringLiteral("The file ") + path +
                         QStringLiteral(" is not a table of this program."));
}

TableSchema TableSchema::read(const SqliteDatabase &db)
{
    refuseUnsafeSchema(db);
    TableSchema schema;
    SqliteStatement columns(
        db,
        QStringLiteral("SELECT name, type, pk FROM pragma_table_info('%1')").arg(QLatin1String(DataTable)));
    while (columns.step())
        schema.fields.append(fieldFromColumn(columns.text(0), columns.text(1), columns.int64(2) == 1));
    if (schema.fields.isEmpty())
        throw TableError(QStringLiteral("The file ") + db.path() +
                         QStringLiteral(" is not a table of this program."));

    const int key = schema.keyField();
    if (key >= 0)
        schema.indexes.append(IndexDef{QString(), schema.fields.at(key).name, true, false});
    // Indexes we created ourselves (sql not null), in the order of creation.
    SqliteStatement list(db,
                         QStringLiteral("SELECT m.name, ii.name, ii.coll FROM sqlite_master m "
                                        "JOIN pragma_index_xinfo(m.name) ii ON ii.seqno = 0 "
                                        "WHERE m.type = 'index' AND m.tbl_name = '%1' AND m.sql IS NOT NULL "
                                        "ORDER BY m.rowid")
                             .arg(QLatin1String(DataTable)));
    while (list.step()) {
        const QString collation = list.text(2);
        const bool noCase =
            collation.compare(QLatin1String(SqliteDatabase::NoCaseCollation), Qt::CaseInsensitive) == 0 ||
            collation.compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0;
        schema.indexes.append(IndexDef{list.text(0), list.text(1), false, noCase});
    }
    return schema;
}

int TableSchema::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TableSchema::indexPosition(const QString &name) const
{
    for (int i = 0; i < indexes.size(); ++i) {
        const IndexDef &index = indexes.at(i);
        if (name.isEmpty() ? index.primary : index.name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TableSchema::keyField() const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).type == FieldType::AutoInc)
            return i;
    return -1;
}

QString TableSchema::selectList() const
{
    QStringList columns{QStringLiteral("rowid")};
    for (const FieldDef &def : fields)
        columns.append(def.type == FieldType::Blob ? QStringLiteral("length(%1)").arg(quoted(def.name))
                                                   : quoted(def.name));
    return columns.join(QLatin1String(", "));
}

QString TableSchema::orderBy(int position) const
{
    if (position < 0 || indexes.at(position).primary)
        return QStringLiteral("rowid");
    const IndexDef &index = indexes.at(position);
    QString column = quoted(index.field);
    if (index.caseInsensitive)
        column += QStringLiteral(" COLLATE ") + QLatin1String(SqliteDatabase::NoCaseCollation);
    return column + QStringLiteral(", rowid");
}

QVariant TableSchema::readValue(const SqliteStatement &row, int column, int field) const
{
    const FieldType type = fields.at(field).type;
    if (type == FieldType::Blob)
        return row.int64(column) > 0;
    if (row.isNull(column))
        return QVariant();
    switch (type) {
    case FieldType::AutoInc: return qlonglong(row.int64(column));
    case FieldType::SmallInt:
    case FieldType::Integer: return int(row.int64(column));
    default: return row.text(column);
    }
}

QVariantList TableSchema::readRow(const SqliteStatement &row) const
{
    QVariantList values;
    values.reserve(fields.size());
    for (int field = 0; field < fields.size(); ++field)
        values.append(readValue(row, field + 1, field));
    return values;
}

QVariant TableSchema::storedValue(int field, const QVariant &value) const
{
    const FieldDef &def = fields.at(field);
    if (value.isNull())
        return QVariant();
    switch (def.type) {
    case FieldType::String: {
        const QString text = cutText(value.toString(), def.size);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Blob: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.size() > SqliteDatabase::MaxValueBytes)
            throw TableError(QStringLiteral("The value for field '%1' is too large: %2 bytes, at most %3")
                                 .arg(def.name)
                                 .arg(bytes.size())
                                 .arg(SqliteDatabase::MaxValueBytes));
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    case FieldType::AutoInc: return value.toLongLong();
    default: return checkedInteger(def, value);
    }
}
