#include "platform/table/rowvalue.h"

RowValue RowValue::read(const SqliteStatement &row, int column, FieldType type)
{
    switch (type) {
    case FieldType::Blob: return flag(row.int64(column) > 0);
    case FieldType::String: {
        RowValue value;
        if (row.optionalText(column, value.m_text))
            value.m_kind = Text;
        return value;
    }
    default:
        if (row.isNull(column))
            return RowValue();
        return RowValue(type == FieldType::AutoInc ? LongLong : Int, row.int64(column));
    }
}
