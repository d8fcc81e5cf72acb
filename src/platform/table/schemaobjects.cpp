#include "platform/table/schemaobjects.h"

#include "platform/table/sqlitedatabase.h"

#include <QRegularExpression>

namespace {
bool knownCollation(const QString &name)
{
    for (const char *known : {"BINARY", "NOCASE", "RTRIM", SqliteDatabase::NoCaseCollation})
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A default that is a value as it stands: a number, a text, a blob, NULL, a truth value or
// the moment of the write.
bool isPlainDefault(const QString &text)
{
    static const QRegularExpression plain(
        QStringLiteral(
            "^\\s*(?:[-+]?\\.?[0-9][0-9a-fA-F.xX+-]*|'(?:[^']|'')*'|\"(?:[^\"]|\"\")*\"|[xX]'[0-9a-fA-F]*'|"
            "NULL|TRUE|FALSE|CURRENT_TIME|CURRENT_DATE|CURRENT_TIMESTAMP)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return plain.match(text).hasMatch();
}
} // namespace

QList<SchemaObjects::Object> SchemaObjects::read(const SqliteDatabase &db)
{
    QList<Object> objects;
    SqliteStatement query(db,
                          QStringLiteral("SELECT type, name, tbl_name, sql, rootpage FROM sqlite_master"));
    while (query.step())
        objects.append({query.text(0), query.text(1), query.text(2), query.text(3), query.int64(4)});
    return objects;
}

bool SchemaObjects::isVirtualTable(const Object &object)
{
    // A virtual table has no pages of its own; its text is how SQLite tells it apart.
    return object.type == QLatin1String("table") &&
           (object.rootPage <= 0 ||
            object.sql.simplified().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive));
}

bool SchemaObjects::isPlainIndex(const SqliteDatabase &db, const Object &index)
{
    SqliteStatement partial(db, QStringLiteral("SELECT partial FROM pragma_index_list(?) WHERE name = ?"));
    partial.bindText(1, index.table);
    partial.bindText(2, index.name);
    if (!partial.step() || partial.int64(0) != 0) {
        partial.reset();
        return false;
    }
    partial.reset();
    // Column -2 is an expression; -1, the row id, is as plain as a column.
    SqliteStatement columns(db, QStringLiteral("SELECT cid, coll FROM pragma_index_xinfo(?) WHERE key = 1"));
    columns.bindText(1, index.name);
    bool plain = true;
    while (columns.step())
        plain = plain && columns.int64(0) != -2 && knownCollation(columns.text(1));
    return plain;
}

bool SchemaObjects::computesOnWrite(const SqliteDatabase &db, const QString &table)
{
    // Hidden 2 and 3 are generated columns.
    SqliteStatement columns(db, QStringLiteral("SELECT hidden, dflt_value FROM pragma_table_xinfo(?)"));
    columns.bindText(1, table);
    bool computes = false;
    while (columns.step())
        computes =
            computes || columns.int64(0) >= 2 || (!columns.isNull(1) && !isPlainDefault(columns.text(1)));
    return computes;
}

QList<SchemaObjects::Object> SchemaObjects::foreignCode(const SqliteDatabase &db,
                                                        const QList<Object> &objects)
{
    QList<Object> found;
    for (const Object &object : objects) {
        const bool foreign = object.type == QLatin1String("index")
                                 ? !isPlainIndex(db, object)
                                 : object.type != QLatin1String("table") || isVirtualTable(object);
        if (foreign)
            found.append(object);
    }
    return found;
}
