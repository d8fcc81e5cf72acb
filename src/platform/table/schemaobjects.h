#pragma once

#include <QList>
#include <QString>

class SqliteDatabase;

// What a database file's schema holds, read without running any of it, so that a file from
// elsewhere is judged before it is used.
class SchemaObjects
{
public:
    struct Object
    {
        QString type; // "table", "index", "view" or "trigger"
        QString name;
        QString table; // the table an index or trigger belongs to
        QString sql;   // as SQLite keeps it; empty for the indexes of constraints
        qint64 rootPage = 0;
    };

    // Every entry of the schema table. Throws SqliteError.
    static QList<Object> read(const SqliteDatabase &db);

    // A table whose rows SQLite does not keep itself but asks a module for.
    static bool isVirtualTable(const Object &object);
    // An index of plain columns in the collations this program knows, over all rows: keeping
    // it up runs nothing of the file's own. Throws SqliteError.
    static bool isPlainIndex(const SqliteDatabase &db, const Object &index);
    // Whether writing a row of the table computes something the file asks for: a generated
    // column, or a default that is not a plain value. Throws SqliteError.
    static bool computesOnWrite(const SqliteDatabase &db, const QString &table);
    // Triggers, views, virtual tables and indexes that are not plain; empty when none.
    static QList<Object> foreignCode(const SqliteDatabase &db, const QList<Object> &objects);
};
