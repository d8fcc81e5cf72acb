#pragma once

#include "vocfile/lumotable.h"

#include <array>
#include <initializer_list>

// Where the fields of a vocabulary table are in an open table, found by their names. A table
// made elsewhere may lack some of them, hold them in another order or key its records by
// another column; what stands at a field's place in the schema is then another field or none.
class UnitFields
{
public:
    using Fields = std::initializer_list<TLumoTable::Field>;

    explicit UnitFields(const SqliteTable &table);

    // The field's position in the table, -1 when the table lacks it. "Count" is found only
    // as the table's key, the number the data set finds records by.
    int operator[](TLumoTable::Field field) const { return m_positions.at(field); }
    bool has(Fields fields) const;
    // Throws the table's error for the first of the fields it lacks.
    void require(Fields fields) const;
    // A record given in the schema's order, placed in the table's order for appendRecord();
    // a field the table lacks is left out.
    QVariantList record(const QVariantList &values) const;

    // Every field of the schema.
    static Fields all();

    // The fields of an open table, checked: throws as require() does.
    static UnitFields required(const SqliteTable &table, Fields fields);

private:
    const SqliteTable &m_table;
    std::array<int, TLumoTable::FieldCount> m_positions;
};
