// Editing, posting and transactions of SqliteTable.

#include "platform/table/sqlitetableprivate.h"

#include <algorithm>

// Editing ---------------------------------------------------------------------------------

void SqliteTable::requireActive() const
{
    if (!active())
        throw TableError(QStringLiteral("The table ") + filePath() + QStringLiteral(" is not open."));
}

void SqliteTable::checkBrowseMode()
{
    // As a data-aware table does before any move: a changed record is posted, a record
    // nothing was typed into is dropped (an empty new row is not stored).
    if (!d->editing())
        return;
    if (d->buffer.anyChanged())
        post();
    else
        cancel();
}

void SqliteTable::edit()
{
    requireActive();
    if (d->editing())
        return;
    if (d->cursor().count() == 0) {
        append();
        return;
    }
    QVariantList values;
    for (int field = 0; field < d->schema.fields.size(); ++field)
        values.append(currentValue(field));
    d->buffer.start(values);
    d->state = State::Edit;
    notifyState();
}

void SqliteTable::append()
{
    beginInsert(true);
}

void SqliteTable::insert()
{
    beginInsert(false);
}

void SqliteTable::beginInsert(bool atEnd)
{
    requireActive();
    checkBrowseMode();
    const int position = atEnd ? d->cursor().count() : std::max(d->cursor().position(), 0);
    d->positionBeforeInsert = d->cursor().position();
    d->buffer.startEmpty(d->schema);
    d->cursor().openSlot(position);
    d->state = State::Insert;
    notifyDataSet();
    notifyCurrent();
    notifyState();
}

void SqliteTable::post()
{
    if (!d->editing())
        return;
    const IndexDef *index = d->currentIndex();
    const int orderField = index ? fieldIndex(index->field) : -1;
    const int order = index ? d->indexPosition : -1;
    const QVariant orderValue = orderField >= 0 ? d->buffer.values().at(orderField) : QVariant();
    if (d->state == State::Insert) {
        if (d->watch.before)
            d->watch.before(-1);
        const qint64 key = d->writer->insert(d->buffer.values(), d->buffer.changed());
        if (d->watch.after)
            d->watch.after(key);
        d->cursor().fillSlot(d->placer->placeFor(d->cursor().keys(), key, orderValue, order), key);
        notifyDataSet();
    } else {
        const qint64 key = currentKey();
        if (d->watch.before)
            d->watch.before(key);
        d->writer->update(key, d->buffer.values(), d->buffer.changed());
        if (d->watch.after)
            d->watch.after(key);
        if (orderField >= 0 && d->buffer.isChanged(orderField)) {
            // The record moves to its place in the current order.
            d->cursor().liftCurrent();
            d->cursor().fillSlot(d->placer->placeFor(d->cursor().keys(), key, orderValue, order), key);
            notifyDataSet();
        } else {
            notifyRecord(d->cursor().position());
        }
    }
    d->buffer.clear();
    d->state = State::Browse;
    notifyCurrent();
    notifyState();
}

void SqliteTable::cancel()
{
    if (d->state == State::Edit) {
        d->buffer.clear();
        d->state = State::Browse;
        notifyRecord(d->cursor().position());
        notifyState();
    } else if (d->state == State::Insert) {
        d->buffer.clear();
        d->state = State::Browse;
        d->cursor().closeSlot(d->positionBeforeInsert);
        notifyDataSet();
        notifyCurrent();
        notifyState();
    }
}

void SqliteTable::deleteRecord()
{
    requireActive();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (d->cursor().count() == 0)
        throw TableError(QStringLiteral("The table ") + filePath() +
                         QStringLiteral(" has no record to delete."));
    const qint64 key = currentKey();
    if (d->watch.before)
        d->watch.before(key);
    d->writer->remove(key, d->deleteCompanion);
    if (d->watch.after)
        d->watch.after(key);
    d->cursor().removeCurrent();
    notifyDataSet();
    notifyCurrent();
}

void SqliteTable::appendRecord(const QVariantList &values)
{
    append();
    try {
        const int count = std::min(int(values.size()), int(d->schema.fields.size()));
        for (int field = 0; field < count; ++field)
            if (d->schema.fields.at(field).type != FieldType::AutoInc && !values.at(field).isNull())
                setFieldValue(field, values.at(field));
        post();
    } catch (...) {
        cancel();
        throw;
    }
}

void SqliteTable::startTransaction()
{
    requireActive();
    d->cache->stopReading();
    d->db->exec(QStringLiteral("BEGIN"));
}

void SqliteTable::commit()
{
    requireActive();
    d->cache->stopReading();
    d->db->exec(QStringLiteral("COMMIT"));
}

void SqliteTable::rollback()
{
    requireActive();
    cancel();
    d->cache->stopReading();
    // After some errors (a full disk, above all) SQLite has rolled back already; a second
    // ROLLBACK would only fail and hide the error that ended the transaction.
    if (d->db->inTransaction())
        d->db->exec(QStringLiteral("ROLLBACK"));
    reloadKeepingPosition();
}

bool SqliteTable::inTransaction() const
{
    return active() && d->db->inTransaction();
}

void SqliteTable::setFieldOfAll(int field, const QVariant &value)
{
    requireActive();
    if (field < 0 || field >= d->schema.fields.size() ||
        d->schema.fields.at(field).type == FieldType::AutoInc)
        throw TableError(QStringLiteral("The field %1 of the table ").arg(field) + filePath() +
                         QStringLiteral(" cannot be set."));
    checkBrowseMode();
    const QVariant stored = d->schema.storedValue(field, value);
    d->cache->stopReading();
    // Records that already hold the value are left alone: most of a unit keeps its value,
    // and a record not written costs no journal page. Compared byte for byte, so a text
    // that differs only in case is still written.
    const QString column = TableSchema::quoted(d->schema.fields.at(field).name);
    SqliteStatement update(*d->db, QStringLiteral("UPDATE %1 SET %2 = ?1 WHERE %2 IS NOT ?1 COLLATE BINARY")
                                       .arg(TableSchema::quoted(TableSchema::DataTable), column));
    update.bind(1, stored);
    update.step();
    reloadKeepingPosition();
}
