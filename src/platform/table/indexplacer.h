#pragma once

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"

#include <QVector>
#include <memory>
#include <unordered_map>

// Finds where a stored record belongs in the key list of an index order, by asking the
// index for the records that follow it rather than comparing values one by one.
class IndexPlacer
{
public:
    IndexPlacer(const SqliteDatabase &db, const TableSchema &schema);
    ~IndexPlacer();

    // Position at which key (whose index field holds value, as stored) belongs in keys,
    // ordered by the index at indexPosition (-1 or the primary: by key) with ties broken by
    // the key. keys must not hold key itself; it may be a filtered part of the order.
    int placeFor(const QVector<qint64> &keys, qint64 key, const QVariant &value, int indexPosition);

private:
    // The records after (value, key) in the index order, as three queries: for a null value
    // the nulls with a greater key come first and every non-null value after them.
    struct Followers
    {
        std::unique_ptr<SqliteStatement> afterValue; // (field, rowid) > (?1, ?2)
        std::unique_ptr<SqliteStatement> afterNull;  // field IS NULL AND rowid > ?1
        std::unique_ptr<SqliteStatement> notNull;    // field IS NOT NULL
    };
    Followers &followers(int indexPosition);

    const SqliteDatabase &m_db;
    const TableSchema &m_schema;
    std::unordered_map<int, Followers> m_followers;
};
