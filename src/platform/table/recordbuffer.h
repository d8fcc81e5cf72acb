#pragma once

#include "platform/table/tableschema.h"

#include <QVector>

// The record being edited or inserted: its values and which of them were set. A blob that
// was not set holds only its "non-empty" flag (a bool); a set one holds its bytes.
class RecordBuffer
{
public:
    void start(const QVariantList &values);     // editing a stored record
    void startEmpty(const TableSchema &schema); // a new record
    void clear();

    const QVariantList &values() const { return m_values; }
    const QVector<bool> &changed() const { return m_changed; }
    bool isChanged(int field) const { return m_changed.at(field); }
    bool anyChanged() const { return m_changed.contains(true); }

    // Takes a value as the field will store it; throws TableError for a value the field
    // cannot hold and for the auto-increment field, which the table assigns.
    void set(const TableSchema &schema, int field, const QVariant &value);

    // Blob values as rows and the buffer hold them: a flag or the bytes.
    static bool blobIsEmpty(const QVariant &value);

private:
    QVariantList m_values;
    QVector<bool> m_changed;
};
