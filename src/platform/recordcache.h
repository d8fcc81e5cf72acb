#pragma once

#include "platform/sqlitedatabase.h"
#include "platform/tableschema.h"

#include <QHash>
#include <QVector>
#include <memory>

// Row values of an open table, read a page of keys at a time and kept by key, so that
// inserting or deleting keys in the data set's order never invalidates what was read.
// Rows hold blobs only as "non-empty" flags; blob bytes are read one field at a time.
class RecordCache
{
public:
    static constexpr int PageSize = 256;
    static constexpr int MaxRows = 8 * PageSize;

    RecordCache(const SqliteDatabase &db, const TableSchema &schema);

    // Keys of the whole table in the order of an index (the primary when indexPosition is
    // -1), keeping only the records the filter accepts when one is given.
    QVector<qint64> keys(int indexPosition, const RecordFilter &filter);

    // Values of the record keys[index]; reads the page of keys around it when needed.
    const QVariantList &row(const QVector<qint64> &keys, int index);
    void forget(qint64 key);
    void clear();

    // The values of some fields for every key, in the order of keys, from one pass over the
    // file; blobs as "non-empty" flags. One vector per field.
    QList<QVector<QVariant>> columns(const QVector<qint64> &keys, const QList<int> &fields) const;

    QByteArray blob(qint64 key, int field) const;
    // One field of one record read straight from the file (for placing keys in order).
    QVariant fieldValue(qint64 key, int field);

private:
    void loadPage(const QVector<qint64> &keys, int index);

    const SqliteDatabase &m_db;
    const TableSchema &m_schema;
    QHash<qint64, QVariantList> m_rows;
    QVariantList m_missing; // all null: a key the file no longer holds
    SqliteStatement m_page;
    QHash<int, std::shared_ptr<SqliteStatement>> m_fieldReaders;
};
