#include "platform/recordcache.h"

#include <algorithm>

namespace {

QString pageQuery(const TableSchema &schema)
{
    QStringList marks;
    for (int i = 0; i < RecordCache::PageSize; ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
        .arg(schema.selectList(), TableSchema::quoted(TableSchema::DataTable), marks.join(QLatin1Char(',')));
}

} // namespace

RecordCache::RecordCache(const SqliteDatabase &db, const TableSchema &schema)
    : m_db(db), m_schema(schema), m_page(db, pageQuery(schema))
{
    for (int i = 0; i < schema.fields.size(); ++i)
        m_missing.append(schema.fields.at(i).type == FieldType::Blob ? QVariant(false) : QVariant());
}

QVector<qint64> RecordCache::keys(int indexPosition, const RecordFilter &filter)
{
    m_rows.clear();
    QVector<qint64> result;
    const QString table = TableSchema::quoted(TableSchema::DataTable);
    const QString order = m_schema.orderBy(indexPosition);
    if (!filter) {
        SqliteStatement select(m_db, QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(table, order));
        while (select.step())
            result.append(select.int64(0));
        return result;
    }
    SqliteStatement select(
        m_db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(m_schema.selectList(), table, order));
    TableRecord record;
    while (select.step()) {
        record.values = m_schema.readRow(select);
        if (filter(record))
            result.append(select.int64(0));
    }
    return result;
}

const QVariantList &RecordCache::row(const QVector<qint64> &keys, int index)
{
    auto found = m_rows.constFind(keys.at(index));
    if (found == m_rows.constEnd()) {
        loadPage(keys, index);
        found = m_rows.constFind(keys.at(index));
        if (found == m_rows.constEnd())
            return m_missing;
    }
    return found.value();
}

void RecordCache::loadPage(const QVector<qint64> &keys, int index)
{
    if (m_rows.size() + PageSize > MaxRows)
        m_rows.clear();
    const int start = index - index % PageSize;
    const int end = std::min<int>(start + PageSize, keys.size());
    int mark = 1;
    for (int i = start; i < end; ++i)
        if (!m_rows.contains(keys.at(i)))
            m_page.bindInt(mark++, keys.at(i));
    for (; mark <= PageSize; ++mark)
        m_page.bindNull(mark);
    try {
        while (m_page.step())
            m_rows.insert(m_page.int64(0), m_schema.readRow(m_page));
    } catch (...) {
        m_page.reset();
        throw;
    }
    m_page.reset();
}

void RecordCache::forget(qint64 key)
{
    m_rows.remove(key);
}

void RecordCache::clear()
{
    m_rows.clear();
}

QList<QVector<QVariant>> RecordCache::columns(const QVector<qint64> &keys, const QList<int> &fields) const
{
    QStringList list{QStringLiteral("rowid")};
    for (int field : fields) {
        const FieldDef &def = m_schema.fields.at(field);
        list.append(def.type == FieldType::Blob
                        ? QStringLiteral("length(%1)").arg(TableSchema::quoted(def.name))
                        : TableSchema::quoted(def.name));
    }
    SqliteStatement select(
        m_db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                  .arg(list.join(QLatin1String(", ")), TableSchema::quoted(TableSchema::DataTable)));
    QList<QVector<QVariant>> result(fields.size());
    for (QVector<QVariant> &column : result)
        column.reserve(keys.size());
    const auto readRow = [&](QList<QVector<QVariant>> &into) {
        for (int i = 0; i < fields.size(); ++i)
            into[i].append(m_schema.readValue(select, i + 1, fields.at(i)));
    };
    if (std::is_sorted(keys.cbegin(), keys.cend())) {
        // Rows come in key order too: one merge, no look-up.
        int next = 0;
        while (next < keys.size() && select.step()) {
            if (select.int64(0) == keys.at(next)) {
                readRow(result);
                ++next;
            }
        }
        return result;
    }
    // Another order, or a subset when filtered: find each key's row.
    QHash<qint64, int> rowOf;
    rowOf.reserve(keys.size());
    QList<QVector<QVariant>> byRow(fields.size());
    int row = 0;
    while (select.step()) {
        rowOf.insert(select.int64(0), row++);
        readRow(byRow);
    }
    for (qint64 key : keys) {
        const auto found = rowOf.constFind(key);
        for (int i = 0; i < fields.size(); ++i)
            result[i].append(found == rowOf.constEnd() ? QVariant() : byRow.at(i).at(found.value()));
    }
    return result;
}

QByteArray RecordCache::blob(qint64 key, int field) const
{
    SqliteStatement read(m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                   .arg(TableSchema::quoted(m_schema.fields.at(field).name),
                                        TableSchema::quoted(TableSchema::DataTable)));
    read.bindInt(1, key);
    return read.step() ? read.blob(0) : QByteArray();
}

QVariant RecordCache::fieldValue(qint64 key, int field)
{
    auto reader = m_fieldReaders.value(field);
    if (!reader) {
        reader = std::make_shared<SqliteStatement>(
            m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(TableSchema::quoted(m_schema.fields.at(field).name),
                           TableSchema::quoted(TableSchema::DataTable)));
        m_fieldReaders.insert(field, reader);
    }
    reader->bindInt(1, key);
    QVariant value;
    if (reader->step())
        value = m_schema.readValue(*reader, 0, field);
    reader->reset();
    return value;
}
