#pragma once

#include <QString>

class SqliteTable;

// The logbook of a unit: the mistakes of its entries in the table and the test log in its
// descriptor, read by the logbook page and emptied together.
class LogbookStore
{
public:
    // The condition of the logbook's filter, as the table engine runs it: an entry shows when
    // it was answered wrongly (an empty or negative count is none).
    static QString mistakesCondition();

    // Empties the logbook: every entry's "Mistakes" := 0, whatever the filter, and the
    // descriptor's test log reset, keeping the unit's own keys (a missing descriptor is left
    // missing). One transaction: when the descriptor cannot be written (IniWriteError) or the
    // table fails, table and descriptor stay as they were and the error travels on. The table
    // must be open; its bound controls hear of the change once, at the end.
    static void resetLog(SqliteTable &table, const QString &descriptorPath);
};
