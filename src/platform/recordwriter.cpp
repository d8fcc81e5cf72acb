#include "platform/recordwriter.h"

#include <algorithm>

namespace {

bool isStored(const TableSchema &schema, const QVariantList &values, const QVector<bool> &changed, int field)
{
    // A blob never set holds only its "non-empty" flag, not bytes to write.
    return changed.at(field) && schema.fields.at(field).type != FieldType::AutoInc &&
           values.at(field).typeId() != QMetaType::Bool;
}

// A cleared blob is kept as empty bytes in the edit buffer and stored as null.
QVariant storable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray && value.toByteArray().isEmpty())
        return QVariant();
    return value;
}

} // namespace

RecordWriter::RecordWriter(SqliteDatabase &db, const TableSchema &schema, RecordCache &cache)
    : m_db(db), m_schema(schema), m_cache(cache)
{}

qint64 RecordWriter::insert(const QVariantList &values, const QVector<bool> &changed)
{
    QStringList columns, marks;
    QVariantList bound;
    for (int field = 0; field < m_schema.fields.size(); ++field) {
        if (!isStored(m_schema, values, changed, field))
            continue;
        columns.append(TableSchema::quoted(m_schema.fields.at(field).name));
        marks.append(QStringLiteral("?"));
        bound.append(storable(values.at(field)));
    }
    const QString table = TableSchema::quoted(TableSchema::DataTable);
    SqliteStatement statement(
        m_db, columns.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(table, columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
    for (int i = 0; i < bound.size(); ++i)
        statement.bind(i + 1, bound.at(i));
    statement.step();
    return m_db.lastInsertRowId();
}

void RecordWriter::update(qint64 key, const QVariantList &values, const QVector<bool> &changed)
{
    QStringList assignments;
    QVariantList bound;
    for (int field = 0; field < m_schema.fields.size(); ++field) {
        if (!isStored(m_schema, values, changed, field))
            continue;
        assignments.append(TableSchema::quoted(m_schema.fields.at(field).name) + QStringLiteral(" = ?"));
        bound.append(storable(values.at(field)));
    }
    m_cache.forget(key);
    if (assignments.isEmpty())
        return;
    SqliteStatement statement(
        m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(TableSchema::quoted(TableSchema::DataTable), assignments.join(QLatin1String(", "))));
    for (int i = 0; i < bound.size(); ++i)
        statement.bind(i + 1, bound.at(i));
    statement.bindInt(int(bound.size()) + 1, key);
    statement.step();
}

void RecordWriter::remove(qint64 key)
{
    SqliteStatement statement(
        m_db,
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(TableSchema::quoted(TableSchema::DataTable)));
    statement.bindInt(1, key);
    statement.step();
    m_cache.forget(key);
}

int RecordWriter::placeFor(const QVector<qint64> &keys, qint64 key, const QVariant &value,
                           const IndexDef *index) const
{
    if (!index)
        return int(std::lower_bound(keys.cbegin(), keys.cend(), key) - keys.cbegin());
    const int field = m_schema.fieldIndex(index->field);
    int low = 0, high = int(keys.size());
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const qint64 other = keys.at(middle);
        int order =
            TableSchema::compareValues(m_cache.fieldValue(other, field), value, index->caseInsensitive);
        if (order == 0)
            order = other < key ? -1 : 1;
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}
