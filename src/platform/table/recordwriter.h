#pragma once

#include "platform/table/recordcache.h"

#include <functional>
#include <unordered_map>

// Writes records of an open table. Each write is its own transaction unless the caller has
// one open. Statements are prepared once per set of stored columns and kept.
class RecordWriter
{
public:
    RecordWriter(SqliteDatabase &db, const TableSchema &schema, RecordCache &cache);
    ~RecordWriter();

    // Stores a new record; returns its key. Every field but the key is named, those not marked
    // changed (and blobs still held as bool) as null: a column default that the file brings
    // must not fill a field the record leaves empty.
    qint64 insert(const QVariantList &values, const QVector<bool> &changed);
    // Stores the fields marked changed (a blob still held as bool is left out).
    void update(qint64 key, const QVariantList &values, const QVector<bool> &changed);
    // Deletes the record and then runs companion, if any, in one transaction.
    void remove(qint64 key, const std::function<void(SqliteDatabase &, qint64)> &companion = {});

private:
    using Statements = std::unordered_map<quint64, std::unique_ptr<SqliteStatement>>;
    // The fields to store, one bit each.
    quint64 storedFields(const QVariantList &values, const QVector<bool> &changed) const;
    SqliteStatement &insertStatement();
    SqliteStatement &updateStatement(quint64 fields);
    // Binds the stored fields' values from the first parameter on; returns how many.
    int bindValues(SqliteStatement &statement, quint64 fields, const QVariantList &values) const;

    SqliteDatabase &m_db;
    const TableSchema &m_schema;
    RecordCache &m_cache;
    std::unique_ptr<SqliteStatement> m_insert;
    Statements m_updates;
    std::unique_ptr<SqliteStatement> m_remove;
};
