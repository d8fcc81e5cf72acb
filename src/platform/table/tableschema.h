#pragma once

#include "platform/table/tabletypes.h"

#include <QStringList>

class SqliteDatabase;
class SqliteStatement;

// The layout of a table file: how field and index definitions become SQL and come back
// from a file, how values are checked before they are stored, and how a file is recognised
// as one of ours without letting SQLite touch it.
class TableSchema
{
public:
    // The one table of a file, and the mark in the file header that says "ours".
    static constexpr const char *DataTable = "vocabulary";
    static constexpr quint32 ApplicationId = 0x4C554D4F; // "LUMO"

    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    // Throws TableError naming path when the definitions cannot make a table.
    QStringList createStatements(const QString &path) const;
    // Reads the definitions of an open file; throws when the file holds no table of ours.
    static TableSchema read(const SqliteDatabase &db);
    // Throws TableError naming path unless the file exists and its header is that of one of
    // our tables. Only reads the file's first bytes.
    static void verifyFile(const QString &path);

    int fieldIndex(const QString &name) const;
    int indexPosition(const QString &name) const; // -1 when unknown; "" is the primary index
    int keyField() const;                         // the AutoInc field, -1 when none

    // "rowid, <field values>": blobs only as their length, so a row never carries sound bytes.
    QString selectList() const;
    // Order of an index (the primary when indexPosition is -1), ties broken by the key.
    QString orderBy(int indexPosition) const;
    // One row value as the data set keeps it: blobs as bool (non-empty).
    QVariant readValue(const SqliteStatement &row, int column, int field) const;
    QVariantList readRow(const SqliteStatement &row) const; // columns 1.. of selectList()

    // A value as it will be stored: texts cut to the field size, numbers checked, empty
    // texts and blobs made null. Throws TableError for values the field cannot hold.
    QVariant storedValue(int field, const QVariant &value) const;

    static QString quoted(const QString &name);
};
