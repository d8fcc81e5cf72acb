#pragma once

#include <QString>

class TLumoTable;

// Turns an old ".vok" unit into a unit of today in a folder: a descriptor of the same name
// (with "x" put in front until no descriptor of that name is there) and its table, which is
// created or, when a table of that name is there already, appended to. The old file is only
// read.
class UnitConverter
{
public:
    explicit UnitConverter(TLumoTable &table) : m_table(table) {}

    // The descriptor's name in folder (ending in "/") for the old file.
    static QString descriptorNameFor(const QString &oldFile, const QString &folder);

    // Throws LumoError when the old file's name is no unit name by the unit dialog's rule
    // (a line break in it, or a file named ".vok"), or too long for the folder.
    static void checkName(const QString &oldFile, const QString &folder);

    // Returns the new descriptor's path. Errors (reading the old file, writing the
    // descriptor, creating or filling the table) are raised; the entries appended before
    // one are kept, and the table is closed again in every case.
    QString convert(const QString &oldFile, const QString &folder);

private:
    void appendPairs(const class OldUnitFile &unit);

    TLumoTable &m_table;
};
