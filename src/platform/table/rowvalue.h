#pragma once

#include "platform/table/sqlitedatabase.h"

#include <QString>
#include <QVariant>

// One stored value as a page of rows keeps it: cheaper to make and to drop than a QVariant,
// which is made only when the value is asked for. Blobs are kept as "non-empty" flags.
class RowValue
{
public:
    RowValue() = default;
    static RowValue flag(bool on) { return RowValue(Flag, on ? 1 : 0); }
    static RowValue read(const SqliteStatement &row, int column, FieldType type);
    // The auto-increment field holds the record's key.
    static RowValue key(qint64 key) { return RowValue(LongLong, key); }

    bool isNull() const { return m_kind == Null; }
    // A blob that holds bytes.
    bool isSetFlag() const { return m_kind == Flag && m_number != 0; }
    QVariant toVariant() const
    {
        switch (m_kind) {
        case Int: return int(m_number);
        case LongLong: return qlonglong(m_number);
        case Flag: return m_number != 0;
        case Text: return m_text;
        case Null: break;
        }
        return QVariant();
    }

private:
    enum Kind : quint8 { Null, Int, LongLong, Flag, Text };
    RowValue(Kind kind, qint64 number) : m_number(number), m_kind(kind) {}

    QString m_text;
    qint64 m_number = 0;
    Kind m_kind = Null;
};
