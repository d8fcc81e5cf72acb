#include "platform/table/recordwriter.h"

namespace {

// A cleared blob is kept as empty bytes in the edit buffer and stored as null.
QVariant storable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray && value.toByteArray().isEmpty())
        return QVariant();
    return value;
}

bool has(quint64 fields, int field)
{
    return fields & (quint64(1) << field);
}

// Runs a write statement once and leaves it ready for the next, holding no values.
void run(SqliteStatement &statement)
{
    statement.step();
    statement.reset();
    statement.clearBindings();
}

} // namespace

RecordWriter::RecordWriter(SqliteDatabase &db, const TableSchema &schema, RecordCache &cache)
    : m_db(db), m_schema(schema), m_cache(cache)
{
    if (schema.fields.size() > 64)
        throw TableError(QStringLiteral("The table ") + db.path() + QStringLiteral(" has too many fields."));
}

RecordWriter::~RecordWriter() = default;

quint64 RecordWriter::storedFields(const QVariantList &values, const QVector<bool> &changed) const
{
    quint64 fields = 0;
    for (int field = 0; field < m_schema.fields.size(); ++field) {
        // A blob never set holds only its "non-empty" flag, not bytes to write.
        if (changed.at(field) && m_schema.fields.at(field).type != FieldType::AutoInc &&
            values.at(field).typeId() != QMetaType::Bool)
            fields |= quint64(1) << field;
    }
    return fields;
}

SqliteStatement &RecordWriter::insertStatement()
{
    if (!m_insert) {
        QStringList columns, marks;
        for (const FieldDef &def : m_schema.fields) {
            if (def.type != FieldType::AutoInc) {
                columns.append(TableSchema::quoted(def.name));
                marks.append(QStringLiteral("?"));
            }
        }
        const QString table = TableSchema::quoted(TableSchema::DataTable);
        m_insert = std::make_unique<SqliteStatement>(
            m_db, columns.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
    }
    return *m_insert;
}

SqliteStatement &RecordWriter::updateStatement(quint64 fields)
{
    std::unique_ptr<SqliteStatement> &statement = m_updates[fields];
    if (!statement) {
        QStringList assignments;
        for (int field = 0; field < m_schema.fields.size(); ++field)
            if (has(fields, field))
                assignments.append(TableSchema::quoted(m_schema.fields.at(field).name) +
                                   QStringLiteral(" = ?"));
        statement =
            std::make_unique<SqliteStatement>(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                                        .arg(TableSchema::quoted(TableSchema::DataTable),
                                                             assignments.join(QLatin1String(", "))));
    }
    return *statement;
}

int RecordWriter::bindValues(SqliteStatement &statement, quint64 fields, const QVariantList &values) const
{
    int parameter = 0;
    for (int field = 0; field < m_schema.fields.size(); ++field)
        if (has(fields, field))
            statement.bind(++parameter, storable(values.at(field)));
    return parameter;
}

qint64 RecordWriter::insert(const QVariantList &values, const QVector<bool> &changed)
{
    m_cache.stopReading();
    const quint64 fields = storedFields(values, changed);
    SqliteStatement &statement = insertStatement();
    int parameter = 0;
    for (int field = 0; field < m_schema.fields.size(); ++field)
        if (m_schema.fields.at(field).type != FieldType::AutoInc)
            statement.bind(++parameter, has(fields, field) ? storable(values.at(field)) : QVariant());
    run(statement);
    return m_db.lastInsertRowId();
}

void RecordWriter::update(qint64 key, const QVariantList &values, const QVector<bool> &changed)
{
    m_cache.forget(key);
    const quint64 fields = storedFields(values, changed);
    if (fields == 0)
        return;
    m_cache.stopReading();
    SqliteStatement &statement = updateStatement(fields);
    statement.bindInt(bindValues(statement, fields, values) + 1, key);
    run(statement);
}

void RecordWriter::remove(qint64 key, const std::function<void(SqliteDatabase &, qint64)> &companion)
{
    m_cache.stopReading();
    if (!m_remove)
        m_remove =
            std::make_unique<SqliteStatement>(m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?")
                                                        .arg(TableSchema::quoted(TableSchema::DataTable)));
    // A savepoint nests inside a transaction the caller holds, and stands alone without one.
    m_db.exec(QStringLiteral("SAVEPOINT record_delete"));
    try {
        m_remove->bindInt(1, key);
        run(*m_remove);
        if (companion)
            companion(m_db, key);
        m_db.exec(QStringLiteral("RELEASE record_delete"));
    } catch (...) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK TO record_delete"));
            m_db.exec(QStringLiteral("RELEASE record_delete"));
        } catch (...) {
            // The error that stopped the delete is the one to report.
        }
        m_cache.forget(key);
        throw;
    }
    m_cache.forget(key);
}
