// Whole records by key for SqliteTable: what taking a change back needs.

#include "platform/sqlitetableprivate.h"

#include <QSet>

namespace {
// Beyond this many records, reading the order again is cheaper than placing each key.
constexpr int PlaceOneByOne = 64;

QString fieldList(const TableSchema &schema)
{
    QStringList names;
    for (const FieldDef &field : schema.fields)
        names.append(TableSchema::quoted(field.name));
    return names.join(QLatin1String(", "));
}
} // namespace

void SqliteTable::setRecordWatch(RecordWatch watch)
{
    d->watch = std::move(watch);
}

QVariantList SqliteTable::storedRecord(qint64 key) const
{
    requireActive();
    d->cache->stopReading();
    SqliteStatement query(*d->db,
                          QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                              .arg(fieldList(d->schema), TableSchema::quoted(TableSchema::DataTable)));
    query.bindInt(1, key);
    QVariantList values;
    if (query.step())
        for (int column = 0; column < query.columnCount(); ++column)
            values.append(query.value(column));
    query.reset();
    query.clearBindings();
    return values;
}

void SqliteTable::putRecords(const QList<QVariantList> &records)
{
    requireActive();
    checkBrowseMode();
    const int keyField = d->schema.keyField();
    if (keyField < 0)
        throw TableError(QStringLiteral("The table ") + filePath() + QStringLiteral(" has no key field."));
    d->cache->stopReading();
    const QString table = TableSchema::quoted(TableSchema::DataTable);
    const int fieldCount = int(d->schema.fields.size());
    QStringList assignments;
    QStringList parameters;
    for (int field = 0; field < fieldCount; ++field) {
        assignments.append(TableSchema::quoted(d->schema.fields.at(field).name) +
                           QStringLiteral(" = ?%1").arg(field + 1));
        parameters.append(QStringLiteral("?%1").arg(field + 1));
    }
    SqliteStatement update(*d->db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                       .arg(table, assignments.join(QLatin1String(", ")))
                                       .arg(keyField + 1));
    SqliteStatement insert(*d->db,
                           QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(table, fieldList(d->schema), parameters.join(QLatin1String(", "))));
    SqliteStatement exists(*d->db, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?").arg(table));
    const IndexDef *index = d->currentIndex();
    const int orderField = index ? fieldIndex(index->field) : keyField;
    QList<qint64> added;
    QList<QVariant> addedOrder;
    QList<qint64> moved;
    QList<QVariant> movedOrder;
    for (const QVariantList &record : records) {
        if (record.size() != fieldCount)
            throw TableError(QStringLiteral("A record does not fit the table ") + filePath());
        const qint64 key = record.at(keyField).toLongLong();
        exists.bindInt(1, key);
        const bool found = exists.step();
        exists.reset();
        SqliteStatement &write = found ? update : insert;
        for (int field = 0; field < fieldCount; ++field)
            write.bind(field + 1, record.at(field));
        write.step();
        write.reset();
        write.clearBindings();
        d->cache->forget(key);
        (found ? moved : added).append(key);
        (found ? movedOrder : addedOrder).append(record.at(orderField));
    }
    // A record whose order value changed moves; one that did not keeps its place.
    if (index && !moved.isEmpty()) {
        const QSet<qint64> lifted(moved.cbegin(), moved.cend());
        QVector<qint64> keys = d->cursor().keys();
        keys.removeIf([&](qint64 key) { return lifted.contains(key); });
        d->keyCursor.reset(keys);
        added += moved;
        addedOrder += movedOrder;
    }
    if (!added.isEmpty())
        placeKeys(added, addedOrder);
    if (!records.isEmpty()) {
        const int position = d->cursor().find(records.last().at(keyField).toLongLong(), !index);
        moveTo(std::max(position, 0), false, false);
    }
    notifyDataSet();
    notifyCurrent();
}

void SqliteTable::placeKeys(const QList<qint64> &keys, const QList<QVariant> &orderValues)
{
    const IndexDef *index = d->currentIndex();
    if (d->filtered || keys.size() > PlaceOneByOne) {
        loadKeys();
        return;
    }
    const int order = index ? d->indexPosition : -1;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        d->cursor().openSlot(0);
        d->cursor().fillSlot(d->placer->placeFor(d->cursor().keys(), keys.at(i), orderValues.at(i), order),
                             keys.at(i));
    }
}

void SqliteTable::removeRecords(const QList<qint64> &keys)
{
    requireActive();
    checkBrowseMode();
    for (qint64 key : keys)
        d->writer->remove(key, d->deleteCompanion);
    const int position = d->cursor().position();
    if (keys.size() > PlaceOneByOne) {
        loadKeys();
    } else {
        const QSet<qint64> gone(keys.cbegin(), keys.cend());
        QVector<qint64> kept = d->cursor().keys();
        kept.removeIf([&](qint64 key) { return gone.contains(key); });
        d->keyCursor.reset(kept);
    }
    moveTo(std::max(std::min(position, d->cursor().count() - 1), 0), false, false);
    notifyDataSet();
    notifyCurrent();
}
