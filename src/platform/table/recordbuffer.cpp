#include "platform/table/recordbuffer.h"

void RecordBuffer::start(const QVariantList &values)
{
    m_values = values;
    m_changed = QVector<bool>(values.size(), false);
}

void RecordBuffer::startEmpty(const TableSchema &schema)
{
    m_values.clear();
    for (const FieldDef &def : schema.fields)
        m_values.append(def.type == FieldType::Blob ? QVariant(false) : QVariant());
    m_changed = QVector<bool>(schema.fields.size(), false);
}

void RecordBuffer::clear()
{
    m_values.clear();
    m_changed.clear();
}

void RecordBuffer::set(const TableSchema &schema, int field, const QVariant &value)
{
    if (field < 0 || field >= m_values.size())
        throw TableError(QStringLiteral("Unknown field number %1").arg(field));
    const FieldDef &def = schema.fields.at(field);
    if (def.type == FieldType::AutoInc)
        throw TableError(QStringLiteral("Field '%1' cannot be modified").arg(def.name));
    QVariant stored = schema.storedValue(field, value);
    if (def.type == FieldType::Blob && stored.isNull())
        stored = QByteArray(); // set, and empty
    m_values[field] = stored;
    m_changed[field] = true;
}

bool RecordBuffer::blobIsEmpty(const QVariant &value)
{
    return value.typeId() == QMetaType::Bool ? !value.toBool() : value.toByteArray().isEmpty();
}
