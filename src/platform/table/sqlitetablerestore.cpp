// Whole records by key for SqliteTable: what taking a change back needs.

#include "platform/table/sqlitetableprivate.h"

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
    // In an index order every rewritten record is placed again; in key order it stays.
    bool told = true;
    if (index && !moved.isEmpty() && moved.size() <= PlaceOneByOne) {
        dropKeys(moved);
        added += moved;
        addedOrder += movedOrder;
    } else if (index && !moved.isEmpty()) {
        told = false;
    } else {
        for (qint64 key : moved)
            notifyRecord(d->cursor().find(key, true));
    }
    if (!added.isEmpty() && told)
        told = placeKeys(added, addedOrder);
    if (!told)
        loadKeys();
    if (!records.isEmpty()) {
        const int position = d->cursor().find(records.last().at(keyField).toLongLong(), !index);
        moveTo(std::max(position, 0), false, false);
    }
    if (!told)
        notifyDataSet();
    notifyCurrent();
}

bool SqliteTable::placeKeys(const QList<qint64> &keys, const QList<QVariant> &orderValues)
{
    if (d->filtered || keys.size() > PlaceOneByOne)
        return false;
    const IndexDef *index = d->currentIndex();
    const int order = index ? d->indexPosition : -1;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int position = d->placer->placeFor(d->cursor().keys(), keys.at(i), orderValues.at(i), order);
        const bool tell = d->gate.pass(ControlsGate::Data);
        if (tell)
            emit recordAboutToBeInserted(position);
        const int current = d->cursor().position();
        d->cursor().openSlot(position);
        d->cursor().fillSlot(position, keys.at(i));
        d->cursor().moveTo(current < position ? current : current + 1);
        if (tell) {
            emit recordInserted(position);
            emit recordChanged(position);
        }
    }
    return true;
}

void SqliteTable::dropKeys(const QList<qint64> &keys)
{
    const bool sorted = !d->currentIndex();
    for (qint64 key : keys) {
        const int position = d->cursor().find(key, sorted);
        if (position < 0)
            continue;
        const bool tell = d->gate.pass(ControlsGate::Data);
        if (tell)
            emit recordAboutToBeRemoved(position);
        const int current = d->cursor().position();
        d->cursor().moveTo(position);
        d->cursor().removeCurrent();
        d->cursor().moveTo(current > position ? current - 1 : current);
        if (tell) {
            emit recordRemoved(position);
            emit recordChanged(position);
        }
    }
}

void SqliteTable::removeRecords(const QList<qint64> &keys)
{
    requireActive();
    checkBrowseMode();
    for (qint64 key : keys)
        d->writer->remove(key, d->deleteCompanion);
    const int position = d->cursor().position();
    const bool many = keys.size() > PlaceOneByOne;
    if (many)
        loadKeys();
    else
        dropKeys(keys);
    moveTo(std::max(std::min(position, d->cursor().count() - 1), 0), false, false);
    if (many)
        notifyDataSet();
    notifyCurrent();
}
