#include "vocfile/unitfields.h"

#include <algorithm>

UnitFields::UnitFields(const SqliteTable &table) : m_table(table)
{
    const QList<FieldDef> schema = TLumoTable::schemaFields();
    const QList<FieldDef> defs = table.fieldDefs();
    for (int field = 0; field < TLumoTable::FieldCount; ++field) {
        const int position = table.fieldIndex(schema.at(field).name);
        const bool keyWanted = schema.at(field).type == FieldType::AutoInc;
        const bool isKey = position >= 0 && defs.at(position).type == FieldType::AutoInc;
        m_positions[field] = keyWanted && !isKey ? -1 : position;
    }
}

bool UnitFields::has(Fields fields) const
{
    return std::all_of(fields.begin(), fields.end(), [this](TLumoTable::Field f) { return (*this)[f] >= 0; });
}

void UnitFields::require(Fields fields) const
{
    for (const TLumoTable::Field field : fields)
        if ((*this)[field] < 0)
            throw m_table.fieldNotFound(TLumoTable::schemaFields().at(field).name);
}

QVariantList UnitFields::record(const QVariantList &values) const
{
    QVariantList placed(m_table.fieldDefs().size());
    for (int field = 0; field < std::min(int(values.size()), TLumoTable::FieldCount); ++field)
        if (m_positions.at(field) >= 0)
            placed[m_positions.at(field)] = values.at(field);
    return placed;
}

UnitFields::Fields UnitFields::all()
{
    using F = TLumoTable::Field;
    static constexpr std::initializer_list<F> every = {F::Count,   F::NativeLanguage, F::ForeignLanguage,
                                                       F::Type,    F::NativeSound,    F::ForeignSound,
                                                       F::Mistakes};
    return every;
}

UnitFields UnitFields::required(const SqliteTable &table, Fields fields)
{
    UnitFields found(table);
    found.require(fields);
    return found;
}
