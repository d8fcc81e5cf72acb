#include "vocfile/entrysidetables.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"

namespace EntrySideTables {

void forgetEntry(SqliteDatabase &db, qint64 entry)
{
    if (!db.hasTable(QLatin1String(StateTable)))
        return;
    SqliteStatement remove(
        db,
        QStringLiteral("DELETE FROM %1 WHERE entry = ?").arg(TableSchema::quoted(QLatin1String(StateTable))));
    remove.bindInt(1, entry);
    remove.step();
}

int forgetOrphans(SqliteDatabase &db)
{
    if (!db.hasTable(QLatin1String(HistoryTable)))
        return 0;
    SqliteStatement remove(db, QStringLiteral("DELETE FROM %1 WHERE NOT EXISTS (SELECT 1 FROM %2 AS v WHERE "
                                              "v.rowid = %1.entry)")
                                   .arg(TableSchema::quoted(QLatin1String(HistoryTable)),
                                        TableSchema::quoted(QLatin1String(TableSchema::DataTable))));
    remove.step();
    return db.changes();
}

} // namespace EntrySideTables
