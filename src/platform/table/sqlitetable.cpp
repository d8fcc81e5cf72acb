#include "platform/table/sqlitetable.h"

#include "platform/table/sqlitetableprivate.h"

#include <algorithm>

SqliteTable::SqliteTable(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {}

SqliteTable::~SqliteTable()
{
    d->placer.reset();
    d->recordQuery.reset();
    d->writer.reset();
    d->cache.reset();
    d->db.reset();
}

QString SqliteTable::databaseName() const
{
    return d->database;
}

void SqliteTable::setDatabaseName(const QString &folder)
{
    if (folder == d->database)
        return;
    close();
    d->database = folder;
    d->schema = TableSchema();
}

QString SqliteTable::tableName() const
{
    return d->table;
}

void SqliteTable::setTableName(const QString &name)
{
    if (name == d->table)
        return;
    close();
    d->table = name;
    d->schema = TableSchema();
}

QString SqliteTable::filePath() const
{
    if (d->database.isEmpty() || d->database.endsWith(QLatin1Char('/')))
        return d->database + d->table;
    return d->database + QLatin1Char('/') + d->table;
}

void SqliteTable::setFieldDefs(const QList<FieldDef> &fields)
{
    d->newFields = fields;
}

void SqliteTable::setIndexDefs(const QList<IndexDef> &indexes)
{
    d->newIndexes = indexes;
}

QList<FieldDef> SqliteTable::fieldDefs() const
{
    return d->schema.fields;
}

QList<IndexDef> SqliteTable::indexDefs() const
{
    return d->schema.indexes;
}

bool SqliteTable::exclusive() const
{
    return d->exclusive;
}

void SqliteTable::setExclusive(bool on)
{
    d->exclusive = on;
}

void SqliteTable::createTable()
{
    const QString path = filePath();
    if (active())
        throw TableError(QStringLiteral("The table ") + path +
                         QStringLiteral(" is open and cannot be created."));
    if (d->table.isEmpty())
        throw TableError(QStringLiteral("No table name is given."));
    TableSchema schema;
    schema.fields = d->newFields;
    schema.indexes = d->newIndexes;
    TableFile::create(path, schema);
}

void SqliteTable::open()
{
    if (active())
        return;
    if (d->table.isEmpty())
        throw TableError(QStringLiteral("No table name is given."));
    auto db = TableFile::open(filePath(), d->exclusive, d->schema);
    d->indexPosition = d->schema.indexPosition(d->indexName);
    if (d->indexPosition < 0)
        d->indexName.clear();
    auto cache = std::make_unique<RecordCache>(*db, d->schema);
    if (d->filtered) // the filter's own errors show at opening
        d->keyCursor.reset(cache->keys(d->indexPosition, d->filter, d->condition));
    d->writer = std::make_unique<RecordWriter>(*db, d->schema, *cache);
    d->placer = std::make_unique<IndexPlacer>(*db, d->schema);
    d->cache = std::move(cache);
    d->db = std::move(db);
    d->state = State::Browse;
    // Views read the new data set on its change notice; naming the current record here
    // would read the key list before an order is chosen.
    if (d->filtered)
        moveTo(0, true, false);
    else
        d->keysPending = true;
    notifyDataSet();
    notifyState();
}

void SqliteTable::close()
{
    if (!active())
        return;
    d->buffer.clear();
    d->placer.reset();
    d->writer.reset();
    d->cache.reset();
    d->db.reset(); // an open transaction is rolled back
    d->keyCursor.reset({});
    d->keysPending = false;
    d->state = State::Inactive;
    notifyDataSet();
    notifyState();
}

bool SqliteTable::active() const
{
    return d->state != State::Inactive;
}

void SqliteTable::setActive(bool on)
{
    on ? open() : close();
}

SqliteTable::State SqliteTable::state() const
{
    return d->state;
}

SqliteDatabase *SqliteTable::connection() const
{
    return d->db.get();
}

void SqliteTable::setPackCompanion(PackCompanion companion)
{
    d->packCompanion = std::move(companion);
}

void SqliteTable::setDeleteCompanion(DeleteCompanion companion)
{
    d->deleteCompanion = std::move(companion);
}

bool SqliteTable::vacuum()
{
    if (active() || d->table.isEmpty())
        return false;
    return TableFile::compact(filePath(), d->packCompanion);
}

void SqliteTable::loadKeys()
{
    d->keysPending = false;
    d->keyCursor.reset(d->filtered ? d->cache->keys(d->indexPosition, d->filter, d->condition)
                                   : d->cache->keys(d->indexPosition, RecordFilter()));
}

void SqliteTable::reloadKeepingPosition()
{
    const qint64 key = currentKey();
    const int position = d->cursor().position();
    loadKeys();
    const int found = d->cursor().find(key, !d->currentIndex());
    moveTo(found >= 0 ? found : position, false, false);
    notifyDataSet();
}

// Navigation ----------------------------------------------------------------------------

void SqliteTable::moveTo(int position, bool bof, bool eof)
{
    if (d->cursor().moveTo(position, bof, eof))
        notifyCurrent();
}

int SqliteTable::recordCount() const
{
    return active() ? d->cursor().count() : 0;
}

bool SqliteTable::isEmpty() const
{
    return recordCount() == 0;
}

int SqliteTable::recNo() const
{
    return active() ? d->cursor().position() : -1;
}

void SqliteTable::setRecNo(int position)
{
    checkBrowseMode();
    moveTo(position, false, false);
}

void SqliteTable::first()
{
    checkBrowseMode();
    moveTo(0, true, false);
}

void SqliteTable::last()
{
    checkBrowseMode();
    moveTo(d->cursor().count() - 1, false, true);
}

void SqliteTable::next()
{
    checkBrowseMode();
    if (d->cursor().next())
        notifyCurrent();
}

void SqliteTable::prior()
{
    checkBrowseMode();
    if (d->cursor().prior())
        notifyCurrent();
}

bool SqliteTable::eof() const
{
    return !active() || d->cursor().eof();
}

bool SqliteTable::bof() const
{
    return !active() || d->cursor().bof();
}

bool SqliteTable::findKey(qint64 key)
{
    if (!active())
        return false;
    checkBrowseMode();
    const int found = d->cursor().find(key, !d->currentIndex());
    if (found < 0)
        return false;
    moveTo(found, false, false);
    return true;
}

qint64 SqliteTable::currentKey() const
{
    return d->hasRecord() ? d->cursor().currentKey() : -1;
}

// Field values ----------------------------------------------------------------------------

int SqliteTable::fieldIndex(const QString &name) const
{
    return d->schema.fieldIndex(name);
}

const RowValue *SqliteTable::storedRow() const
{
    if (!d->hasRecord() || d->editing())
        return nullptr;
    const KeyCursor &cursor = d->cursor();
    return d->cache->row(cursor.keys(), cursor.keyIndex(cursor.position())).data();
}

QVariant SqliteTable::currentValue(int field) const
{
    if (field < 0 || field >= d->schema.fields.size() || !d->hasRecord())
        return QVariant();
    if (d->editing())
        return d->buffer.values().at(field);
    return storedRow()[field].toVariant();
}

QVariant SqliteTable::fieldValue(int field) const
{
    if (field < 0 || field >= d->schema.fields.size())
        return QVariant();
    if (d->schema.fields.at(field).type != FieldType::Blob) {
        const RowValue *row = storedRow(); // browsing: no detour through the edit buffer
        return row ? row[field].toVariant() : currentValue(field);
    }
    const QByteArray bytes = blobValue(field);
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

QVariant SqliteTable::fieldValue(const QString &name) const
{
    return fieldValue(fieldIndex(name));
}

bool SqliteTable::fieldIsNull(int field) const
{
    if (field < 0 || field >= d->schema.fields.size())
        return true;
    const bool blob = d->schema.fields.at(field).type == FieldType::Blob;
    if (const RowValue *row = storedRow())
        return blob ? !row[field].isSetFlag() : row[field].isNull();
    const QVariant value = currentValue(field);
    return blob ? RecordBuffer::blobIsEmpty(value) : value.isNull();
}

QByteArray SqliteTable::blobValue(int field) const
{
    const QVariant value = currentValue(field);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    const qint64 key = currentKey();
    return value.toBool() && key >= 0 ? d->cache->blob(key, field) : QByteArray();
}

void SqliteTable::setFieldValue(int field, const QVariant &value)
{
    if (!d->editing())
        throw TableError(QStringLiteral("The table ") + filePath() +
                         QStringLiteral(" is not in edit or insert mode."));
    d->buffer.set(d->schema, field, value);
    notifyRecord(d->cursor().position());
}

void SqliteTable::setFieldValue(const QString &name, const QVariant &value)
{
    const int field = fieldIndex(name);
    if (field < 0)
        throw fieldNotFound(name);
    setFieldValue(field, value);
}

TableError SqliteTable::fieldNotFound(const QString &name) const
{
    return TableError(QStringLiteral("Field '%1' not found in the table ").arg(name) + filePath());
}

// Signals ---------------------------------------------------------------------------------

void SqliteTable::disableControls()
{
    d->gate.disable();
}

void SqliteTable::enableControls()
{
    // One catch-up notice for everything that happened meanwhile.
    const int held = d->gate.enable();
    if (held & (ControlsGate::Data | ControlsGate::Current)) {
        emit dataSetChanged();
        emit currentChanged(recNo());
    }
    if (held & ControlsGate::State)
        emit stateChanged();
}

bool SqliteTable::controlsDisabled() const
{
    return d->gate.disabled();
}

void SqliteTable::notifyDataSet()
{
    if (d->gate.pass(ControlsGate::Data))
        emit dataSetChanged();
}

void SqliteTable::notifyRecord(int position)
{
    if (d->gate.pass(ControlsGate::Data))
        emit recordChanged(position);
}

void SqliteTable::notifyCurrent()
{
    if (d->gate.pass(ControlsGate::Current))
        emit currentChanged(recNo());
}

void SqliteTable::notifyState()
{
    if (d->gate.pass(ControlsGate::State))
        emit stateChanged();
}

// Order and filter ------------------------------------------------------------------------

void SqliteTable::setFilter(RecordFilter filter)
{
    // A pending edit is posted under the old filter, and a post that fails changes nothing.
    if (active() && d->filtered)
        checkBrowseMode();
    d->filter = std::move(filter);
    if (active() && d->filtered)
        reloadFromFirst();
}

void SqliteTable::setFilterCondition(const QString &condition)
{
    if (active() && d->filtered)
        checkBrowseMode();
    d->condition = condition;
    if (active() && d->filtered)
        reloadFromFirst();
}

QString SqliteTable::filterCondition() const
{
    return d->condition;
}

bool SqliteTable::filtered() const
{
    return d->filtered;
}

void SqliteTable::setFiltered(bool on)
{
    if (on == d->filtered)
        return;
    if (active())
        checkBrowseMode();
    d->filtered = on;
    if (active())
        reloadFromFirst();
}

void SqliteTable::reloadFromFirst()
{
    checkBrowseMode();
    loadKeys();
    moveTo(0, true, false);
    notifyDataSet();
}

QString SqliteTable::indexName() const
{
    return d->indexName;
}

void SqliteTable::setIndexName(const QString &name)
{
    if (!active()) {
        d->indexName = name; // checked when the table opens
        return;
    }
    const int position = d->schema.indexPosition(name);
    if (position < 0)
        throw TableError(QStringLiteral("Index '%1' not found in the table ").arg(name) + filePath());
    checkBrowseMode();
    d->indexName = name.isEmpty() ? QString() : d->schema.indexes.at(position).name;
    d->indexPosition = position;
    if (d->keysPending) { // nothing was read yet: the new order is read when needed
        notifyDataSet();
        return;
    }
    reloadKeepingPosition();
}

void SqliteTable::refresh()
{
    if (!active())
        return;
    checkBrowseMode();
    reloadKeepingPosition();
}

QList<QVector<QVariant>> SqliteTable::readColumns(const QList<int> &fields) const
{
    requireActive();
    return d->cache->columns(d->cursor().keys(), fields);
}

QVariant SqliteTable::valueAt(int position, int field) const
{
    if (!active() || position < 0 || position >= d->cursor().count() || field < 0 ||
        field >= d->schema.fields.size())
        return QVariant();
    if (d->editing() && position == d->cursor().position()) {
        const QVariant &value = d->buffer.values().at(field);
        return value.typeId() == QMetaType::QByteArray ? QVariant(!RecordBuffer::blobIsEmpty(value)) : value;
    }
    const int index = d->cursor().keyIndex(position);
    return index < 0 ? QVariant() : d->cache->row(d->cursor().keys(), index)[field].toVariant();
}
