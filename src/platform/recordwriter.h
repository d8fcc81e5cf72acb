#pragma once

#include "platform/recordcache.h"

// Writes records of an open table and finds where a key belongs in an index order.
// Each write is its own transaction unless the caller has one open.
class RecordWriter
{
public:
    RecordWriter(SqliteDatabase &db, const TableSchema &schema, RecordCache &cache);

    // Stores the fields marked changed (a blob still held as bool is left out); returns the key.
    qint64 insert(const QVariantList &values, const QVector<bool> &changed);
    void update(qint64 key, const QVariantList &values, const QVector<bool> &changed);
    void remove(qint64 key);

    // Position at which key (whose index field holds value) belongs in keys, ordered by
    // the index (ties by key); keys must not hold key itself.
    int placeFor(const QVector<qint64> &keys, qint64 key, const QVariant &value, const IndexDef *index) const;

private:
    SqliteDatabase &m_db;
    const TableSchema &m_schema;
    RecordCache &m_cache;
};
