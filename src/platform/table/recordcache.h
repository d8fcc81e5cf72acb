#pragma once

#include "platform/table/rowvalue.h"
#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"

#include <QVector>
#include <array>
#include <memory>
#include <span>
#include <vector>

// Row values of an open table, read a page of keys at a time.
//
// A page holds the keys it was read for and their values in one flat vector, so a row is a
// slice of it; a page is used only where its keys still match the data set's order. A walk
// forward through the order of the whole table is read by one query kept open meanwhile (and
// with it a read of the file, until the walk ends or anything is written), into a small page
// of its own; any other page is read by its keys. A row asked for far from the one before (a
// test's questions in random order) is read alone: its neighbours would most likely go unused.
// Rows hold blobs only as "non-empty" flags; blob bytes are read one field at a time.
class RecordCache
{
public:
    static constexpr int PageSize = 64;
    static constexpr int PageCount = 8;
    static constexpr int ForwardPageSize = 32;

    using Row = std::span<const RowValue>;

    RecordCache(const SqliteDatabase &db, const TableSchema &schema);
    ~RecordCache();

    // Keys of the whole table in the order of an index (the primary when indexPosition is
    // -1), keeping only the records that meet condition (an SQL expression over the fields,
    // empty for all) and that the filter accepts when one is given.
    QVector<qint64> keys(int indexPosition, const RecordFilter &filter, const QString &condition = QString());

    // Values of the record keys[index]; reads the page of keys around it when needed.
    Row row(const QVector<qint64> &keys, int index)
    {
        // Most often the row is in the page of the row asked for before.
        const Page &page = m_pages[m_lastUsed];
        const qsizetype offset = qsizetype(index) - page.start;
        if (page.start >= 0 && offset >= 0 && offset < page.keys.size() && page.keys[offset] == keys[index]) {
            m_lastIndex = index;
            return Row(page.values.data() + offset * m_fieldCount, m_fieldCount);
        }
        return findRow(keys, index);
    }
    // The record changed or went: its values are read again when next asked for.
    void forget(qint64 key);
    // Ends the forward reading query; needed before every write, so that no read keeps the
    // write's transaction open.
    void stopReading();

    // The values of some fields for every key, in the order of keys, from one pass over the
    // file; blobs as "non-empty" flags. One vector per field.
    QList<QVector<QVariant>> columns(const QVector<qint64> &keys, const QList<int> &fields) const;

    QByteArray blob(qint64 key, int field) const;

private:
    struct Page
    {
        int start = -1; // position of the first key in the data set's order
        QVector<qint64> keys;
        std::vector<RowValue> values; // keys.size() rows of every field
    };

    Row findRow(const QVector<qint64> &keys, int index);
    int loadPage(const QVector<qint64> &keys, int index); // the slot of the page holding index
    bool readFollowing(const QVector<qint64> &keys, Page &page);
    void readByKeys(Page &page);
    void readAlone(Page &page);
    void clearPages();

    const SqliteDatabase &m_db;
    const TableSchema &m_schema;
    int m_fieldCount = 0;
    std::vector<RowValue> m_missing; // a key the file no longer holds: all null
    QVector<FieldType> m_types;
    static constexpr int ForwardSlot = PageCount;
    std::array<Page, PageCount + 1> m_pages;
    int m_victim = 0;
    int m_lastUsed = 0;   // the page of the last row asked for: the next one is most often there
    int m_lastIndex = -1; // the position of the last row asked for, -1 before the first

    SqliteStatement m_byKeys;
    std::unique_ptr<SqliteStatement> m_byKey;     // one row, prepared when first needed
    int m_order = -1;                             // index position of the last keys() call
    bool m_wholeTable = false;                    // its keys are those of every record
    std::unique_ptr<SqliteStatement> m_following; // the forward reading query, while open
    int m_followingNext = -1;                     // position in the order of the next row it gives
};
